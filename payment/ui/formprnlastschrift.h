#pragma once
// The dialog "Lastschrift drucken": a direct debit from the account of the
// address on the card (the payer) to the user (the payee), printed on the
// preprinted laser sheet or over the form's picture, logged in the debit
// log; debits can be put aside in the collection file and printed in one run.

#include "payment/lastschrift.h"
#include "payment/ui/zahlungsfeld.h"

#include <QDialog>
#include <array>

class QAction;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace zzahlung {

class FormPrnLastschrift : public QDialog
{
    Q_OBJECT
public:
    // karte: the 24 fields of the card; auswahl: the text selected in the
    // card field that last had the focus.
    FormPrnLastschrift(const std::array<QString, 24>& karte, const QString& auswahl, QWidget* eltern = nullptr);
    ~FormPrnLastschrift() override;

    Druckdialog druckdialog = Druckoptionen_Zeigen;

    Lastschrift Daten() const;
    // The boxes from a stored record; what they had to cut is told at once.
    void Fuellen(const Lastschrift& l);

    // Handlers. befPrnLastschrift_Click returns true when the page went to the printer.
    bool befPrnLastschrift_Click();
    void mnuSetupSave_Click();
    void mnuLastFileSave_Click();
    void mnuLastFileEdit_Click();
    void mnuLastFilePrint_Click();
    void mnuLastFileDel_Click();
    void TxtBetrag_LostFocus();
    void befAbbrechen_Click();

    Zahlungsfeld* TxtAbsName;
    Zahlungsfeld* TxtAbsKontoNr;
    Zahlungsfeld* TxtAbsBLZ;
    Zahlungsfeld* TxtAbsBank;
    QComboBox* TxtWaehrung;
    Zahlungsfeld* TxtBetrag;
    Zahlungsfeld* TxtVerwendung1;
    Zahlungsfeld* TxtVerwendung2;
    QComboBox* TxtEmpName;
    Zahlungsfeld* TxtEmpKontoNr;
    std::array<QRadioButton*, 2> optFormular;
    QString optFormular1Tag;
    QComboBox* ComboSchrift;
    QPushButton* befPrnLastschrift;
    QPushButton* befAbbrechen;
    QAction* mnuSetupSave;
    QAction* mnuLastFileSave;
    QAction* mnuLastFileEdit;
    QAction* mnuLastFilePrint;
    QAction* mnuLastFileDel;

    bool Sammeldruck_Laeuft = false;

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void Form_Load(const QString& auswahl);
    // Asks whether to delete the collection file; nichtGedruckt > 0 names them
    // and proposes No. After a run (gelesen: the lines it read) only those
    // lines go, so what was filed meanwhile stays; else the whole file.
    void Sammeldatei_Loeschen(int nichtGedruckt, const QStringList* gelesen);
    // Says that a run elsewhere holds the collection file.
    void sammellaufBesetzt();

    std::array<QString, 24> m_karte;
    Kastenfuellung* m_kaesten;
    bool m_imSammellauf = false;
    QStringList m_logFehler; // debit-log paths that could not be written during a run
};

} // namespace zzahlung
