#pragma once
// Umschlag: the envelope dialog. Prints the selected address of the address
// list on an envelope of nine sizes, through the print-options dialog (job
// "Zettlora_Umschlag"), with a sender of the user's (or of the open address
// file's), fonts and colours per user, an optional emblem and an optional log.
// Shown modally; it hides itself after a print, on "Zurück", Esc and the close
// box, and the caller then deletes it.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>

class QAction;

namespace zdruck {

class Umschlag : public QDialog
{
    Q_OBJECT
public:
    explicit Umschlag(QWidget* eltern = nullptr);

    QPlainTextEdit* TxtAbsender;
    QPlainTextEdit* TxtAnschrift;
    QComboBox* KombiFormat;
    QComboBox* ComboMasken;
    QLabel* bezSaveInfo;
    QLabel* Image1;
    QAction* PulDrucken;
    QAction* mnuFlipAA;
    QAction* PulEnde;
    QAction* PulSchriftAbsender;
    QAction* PulSchriftAnschrift;
    QAction* PulEinstellSichern;

    void ComboMasken_Click();
    void PulDrucken_Click();
    void mnuFlipAA_Click();
    void PulSchriftAbsender_Click();
    void PulSchriftAnschrift_Click();
    void PulEinstellSichern_Click();
    void pulEnde_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Form_Load();
    void IniLadenUmschlag();
    void IniSichernUmschlag();
    void schriftWaehlen(QPlainTextEdit* box);
};

} // namespace zdruck
