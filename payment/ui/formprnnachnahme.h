#pragma once
// The dialog "Nachnahme drucken": a cash-on-delivery form for the address on
// the card (the recipient), with the user as sender and payee.

#include "payment/nachnahme.h"
#include "payment/ui/zahlungsfeld.h"

#include <QDialog>
#include <array>

class QAction;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace zzahlung {

class FormPrnNachnahme : public QDialog
{
    Q_OBJECT
public:
    FormPrnNachnahme(const std::array<QString, 24>& karte, const QString& auswahl, QWidget* eltern = nullptr);
    ~FormPrnNachnahme() override;

    Druckdialog druckdialog = Druckoptionen_Zeigen;

    Nachnahme Daten() const;

    void befPrnUeberweisung_Click();
    void DruckeFormularNN();
    void txtPreis_LostFocus();
    void mnuSetupSave_Click();
    void befAbbrechen_Click();

    QComboBox* txtArtikel1;
    QComboBox* txtArtikel2;
    Zahlungsfeld* txtPreis;
    QComboBox* ComboWaehrung;
    Zahlungsfeld* txtPreisZustell;
    Zahlungsfeld* txtAuftragsnummer;
    Zahlungsfeld* TxtName;
    Zahlungsfeld* txtStrasse;
    Zahlungsfeld* txtOrt;
    Zahlungsfeld* AbsName;
    Zahlungsfeld* AbsStrasse;
    Zahlungsfeld* AbsOrt;
    Zahlungsfeld* AbsBLZ;
    Zahlungsfeld* AbsBank;
    Zahlungsfeld* AbsKontoNr;
    std::array<QRadioButton*, 2> optFormular;
    QString optFormular1Tag;
    QComboBox* ComboSchrift;
    QPushButton* befPrnUeberweisung;
    QPushButton* befAbbrechen;
    QAction* mnuSetupSave;

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void Form_Load(const QString& auswahl);
    void IniLaden();

    std::array<QString, 24> m_karte;
    Kastenfuellung* m_kaesten;
};

} // namespace zzahlung
