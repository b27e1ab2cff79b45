#pragma once
// Listendruck: the list-print dialog. Chooses addresses of the open file by
// the user field and a text filter (its own copy of the address list), a
// mask, a heading and page options; prints the selection as a list through
// the print-options dialog (one job name per mask), or writes it to an
// address file. With zeitAutoPersBogen started before it is shown it prints
// the personal sheet of the current address at once. Shown modally; it hides
// itself after a print, an export, a cancel, Esc and the close box.

#include "commands/dateiwahl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

class QAction;

namespace zdruck {

class Markierliste;

class Listendruck : public QDialog
{
    Q_OBJECT
public:
    explicit Listendruck(QWidget* eltern = nullptr);

    QTabWidget* SSTab1;
    QGroupBox* Rahmen1;
    QComboBox* KombiName;
    QPushButton* BefLoescheNamen;
    QComboBox* KombiFilter;
    QPushButton* BefLoescheFilter;
    QPushButton* BefAuswahl[3];
    QGroupBox* RahmenListe;
    QListView* Liste;
    QComboBox* ComboMasken;
    QLineEdit* TxtUeberschrift;
    QCheckBox* ODruckenWaitForPage;
    QCheckBox* ODruckenSeiteProAdr;
    QLineEdit* TextPrnFont; // hidden holder of the list font
    QProgressBar* ProgressBar;
    QPushButton* Bef2Datei;
    QPushButton* BefOk;
    QPushButton* BefAbbruch;
    QAction* mnuSetupSave;
    QTimer* ZeitAutoPersBogen;
    QTimer* ZeitNeuauswahl;

    // The list's entries and their selection.
    int ListCount() const;
    bool Selected(int i) const;
    void setSelected(int i, bool an);
    int ausgewaehlteAnzahl() const;

    void Anzahl_Anzeigen();
    void BefAuswahl_Click(int index);
    void Liste_DblClick(int zeile);
    void mnuSetupSave_Click();
    void BefOk_Click();
    void Bef2Datei_Click();
    void befAbbruch_Click();
    void ZeitAutoPersBogen_Timer();

    // The file chooser of the export (tests replace it).
    static zbefehle::DateiWaehler& dateiWaehler();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Form_Load();
    void Liste_Click(int zeile);

    Markierliste* m_modell;
    QStringList m_eintraege;
};

} // namespace zdruck
