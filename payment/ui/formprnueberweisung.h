#pragma once
// The dialog "Überweisungsauftrag drucken": a bank transfer order for the
// address on the card, printed on the classic carbon form, the preprinted
// laser sheet or plain paper over the form's picture. Remembers payers,
// logs every printed transfer in the payer account's log.
//
// The opener presets the recipient and the first purpose line (Vorbelegen),
// shows the dialog modally and discards it afterwards.

#include "payment/ueberweisung.h"
#include "payment/ui/zahlungsfeld.h"

#include <QDialog>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QTimer;

namespace zzahlung {

class FormPrnUeberweisung : public QDialog
{
    Q_OBJECT
public:
    explicit FormPrnUeberweisung(QWidget* eltern = nullptr);
    ~FormPrnUeberweisung() override;

    // The recipient from the card's fields (first name, surname, postcode,
    // place, account, bank code, bank) and the selected card text.
    void Vorbelegen(const QString& vorname, const QString& nachname, const QString& plz, const QString& ort,
                    const QString& kontoNr, const QString& blz, const QString& bank, const QString& auswahl);

    // Bank name of a bank code ("" unknown); the opener sets it.
    std::function<QString(const QString& blz)> bankSuchen;
    // The print-options step; tests put a recording printer here.
    Druckdialog druckdialog = Druckoptionen_Zeigen;
    // The card's index number for the record stub.
    QString kundeNr;

    // The order as the dialog holds it.
    Ueberweisung Daten() const;
    // The account log of the payer account shown now.
    QString KontenLog() const;

    // Handlers.
    void TimerInit_Timer();
    void mniEinstellSichern_Click();
    void mnuDrucken_Click();
    void ComboAuftraggeber_Click();
    void mnuAuftraggeberMerken_Click();
    void mnuAuftraggeberLoeschen_Click();
    void mnuFlipEA_Click();
    void mnuProtokoll_Click();
    void TxtBetrag_LostFocus();
    void Zurueck();
    void DruckeUeberweisungKlassisch();
    void DruckeUeberweisungFormular();

    Zahlungsfeld* TxtEmpfaengerName;
    Zahlungsfeld* TxtEmpfaengerKontoNr;
    Zahlungsfeld* TxtEmpfaengerBLZ;
    Zahlungsfeld* TxtEmpfaengerBank;
    QComboBox* TxtWaehrung;
    Zahlungsfeld* TxtBetrag;
    Zahlungsfeld* TxtVerwendung1;
    Zahlungsfeld* TxtVerwendung2;
    Zahlungsfeld* TxtAuftraggeberName;
    Zahlungsfeld* TxtAuftraggeberKontoNr;
    Zahlungsfeld* TxtAuftraggeberBLZ;
    Zahlungsfeld* TxtAuftraggeberBank;
    QCheckBox* strgPrintDate;
    QComboBox* ComboSchrift;
    std::array<QRadioButton*, 3> optFormular;
    QString optFormular1Tag; // the form picture's path
    QComboBox* ComboUnterschriftPrn;
    QComboBox* ComboAuftraggeber;
    QPushButton* befDrucken;
    QPushButton* befZurueck;
    QTimer* TimerInit;

    QAction* mnuDrucken;
    QAction* mnuProtokoll;
    QAction* mnuFlipEA;
    QAction* mnuEnde;
    QAction* mniEinstellSichern;
    QAction* mnuAuftraggeberMerken;
    QAction* mnuAuftraggeberLoeschen;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;

private:
    void Form_Load();
    void Bank_Nachschlagen(Zahlungsfeld* bank, const Zahlungsfeld* blz);
    int Formulartyp() const;

    Kastenfuellung* m_kaesten;
};

} // namespace zzahlung
