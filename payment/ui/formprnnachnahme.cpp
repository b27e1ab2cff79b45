#include "payment/ui/formprnnachnahme.h"

#include "addressbook/sitzung.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "common/ui/hilfetaste.h"
#include "common/ui/listen.h"
#include "common/ui/menuekuerzel.h"
#include "payment/einrichtung.h"
#include "payment/ueberweisung.h"
#include "platform/plattform.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zzahlung {

FormPrnNachnahme::FormPrnNachnahme(const std::array<QString, 24>& karte, const QString& auswahl, QWidget* eltern)
    : QDialog(eltern), m_karte(karte)
{
    setObjectName(QStringLiteral("FormPrnNachnahme"));
    setWindowTitle(QStringLiteral("Nachnahme drucken"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("nachnahme"));
    m_kaesten = new Kastenfuellung(this);
    auto kombi = [this](const QString& name) {
        auto* k = new QComboBox(this);
        k->setObjectName(name);
        k->setEditable(true);
        k->setInsertPolicy(QComboBox::NoInsert);
        Enter_Weiter(k);
        Anfang_Zeigen(k->lineEdit());
        return k;
    };
    const int art = Zahlungsfeld::EnterWeiter;
    txtArtikel1 = kombi(QStringLiteral("txtArtikel1"));
    txtArtikel2 = kombi(QStringLiteral("txtArtikel2"));
    txtPreis = new Zahlungsfeld(QStringLiteral("txtPreis"), art, 8, this);
    ComboWaehrung = kombi(QStringLiteral("ComboWaehrung"));
    txtPreisZustell = new Zahlungsfeld(QStringLiteral("txtPreisZustell"), art | Zahlungsfeld::Dezimalpunkt, 8, this);
    txtAuftragsnummer = new Zahlungsfeld(QStringLiteral("txtAuftragsnummer"), art, 10, this);
    TxtName = new Zahlungsfeld(QStringLiteral("TxtName"), art, 50, this);
    txtStrasse = new Zahlungsfeld(QStringLiteral("txtStrasse"), art, 50, this);
    txtOrt = new Zahlungsfeld(QStringLiteral("txtOrt"), art, 50, this);
    AbsName = new Zahlungsfeld(QStringLiteral("AbsName"), art, 50, this);
    AbsStrasse = new Zahlungsfeld(QStringLiteral("AbsStrasse"), art, 50, this);
    AbsOrt = new Zahlungsfeld(QStringLiteral("AbsOrt"), art, 50, this);
    AbsBLZ = new Zahlungsfeld(QStringLiteral("AbsBLZ"), art, 8, this);
    AbsBank = new Zahlungsfeld(QStringLiteral("AbsBank"), art, 50, this);
    AbsKontoNr = new Zahlungsfeld(QStringLiteral("AbsKontoNr"), art, 12, this);
    // The two amounts share a row: a hint about a cut paste names each by these.
    txtPreis->setAccessibleName(QStringLiteral("Preis"));
    txtPreisZustell->setAccessibleName(QStringLiteral("Zustellgebühr"));
    ComboWaehrung->setAccessibleName(QStringLiteral("Währung"));
    const Formularsteuerung steuerung =
        Formularsteuerung_Anlegen(this, QStringLiteral("&Laserware LW 0106"), QStringLiteral("befPrnUeberweisung"));
    optFormular = steuerung.optFormular;
    ComboSchrift = steuerung.ComboSchrift;
    befPrnUeberweisung = steuerung.befDrucken;
    befAbbrechen = steuerung.befAbbrechen;
    auto* leiste = steuerung.leiste;
    mnuSetupSave = steuerung.mnuSetupSave;

    auto* oben = new QGroupBox(QStringLiteral("Verwendung, Betrag und Anschrift"), this);
    auto* f1 = new QFormLayout(oben);
    f1->addRow(QStringLiteral("Verwendung"), txtArtikel1);
    f1->addRow(QStringLiteral("Verwendung"), txtArtikel2);
    auto* betrag = new QHBoxLayout;
    betrag->addWidget(txtPreis);
    betrag->addWidget(ComboWaehrung);
    betrag->addWidget(new QLabel(QStringLiteral("+"), oben));
    betrag->addWidget(txtPreisZustell);
    betrag->addWidget(new QLabel(QStringLiteral("Zustellgebebühr"), oben));
    f1->addRow(QStringLiteral("Preis"), betrag);
    f1->addRow(QStringLiteral("Auftragsnr."), txtAuftragsnummer);
    f1->addRow(QStringLiteral("Name"), TxtName);
    f1->addRow(QStringLiteral("Straße"), txtStrasse);
    f1->addRow(QStringLiteral("Ort"), txtOrt);
    auto* absender = new QGroupBox(QStringLiteral("Absender"), this);
    auto* f2 = new QFormLayout(absender);
    f2->addRow(QStringLiteral("Name"), AbsName);
    f2->addRow(QStringLiteral("Straße"), AbsStrasse);
    f2->addRow(QStringLiteral("PLZ, Ort"), AbsOrt);
    f2->addRow(QStringLiteral("BLZ"), AbsBLZ);
    f2->addRow(QStringLiteral("Bank"), AbsBank);
    f2->addRow(QStringLiteral("Konto-Nr."), AbsKontoNr);
    auto* typ = new QGroupBox(QStringLiteral("Formular-Typ"), this);
    auto* t = new QVBoxLayout(typ);
    t->addWidget(optFormular[0]);
    t->addWidget(optFormular[1]);
    auto* optionen = new QGroupBox(QStringLiteral("Druck-Optionen"), this);
    auto* o = new QVBoxLayout(optionen);
    o->addWidget(new QLabel(QStringLiteral("Schriftart"), optionen));
    o->addWidget(ComboSchrift);
    auto* links = new QVBoxLayout;
    links->addWidget(oben);
    links->addWidget(absender);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(typ);
    rechts->addWidget(optionen);
    rechts->addStretch();
    rechts->addWidget(befPrnUeberweisung);
    rechts->addWidget(befAbbrechen);
    auto* haupt = new QHBoxLayout;
    haupt->addLayout(links, 1);
    haupt->addLayout(rechts);
    auto* aussen = new QVBoxLayout(this);
    aussen->setMenuBar(leiste);
    aussen->addLayout(haupt);

    QWidget* reihenfolge[] = {txtArtikel1,
                              txtArtikel2,
                              txtPreis,
                              ComboWaehrung,
                              txtPreisZustell,
                              txtAuftragsnummer,
                              TxtName,
                              txtStrasse,
                              txtOrt,
                              AbsName,
                              AbsStrasse,
                              AbsOrt,
                              AbsBLZ,
                              AbsBank,
                              AbsKontoNr,
                              optFormular[0],
                              optFormular[1],
                              ComboSchrift,
                              befPrnUeberweisung,
                              befAbbrechen};
    for (size_t i = 1; i < std::size(reihenfolge); ++i)
        setTabOrder(reihenfolge[i - 1], reihenfolge[i]);

    connect(txtPreis, &Zahlungsfeld::verlassen, this, &FormPrnNachnahme::txtPreis_LostFocus);
    connect(befPrnUeberweisung, &QPushButton::clicked, this, &FormPrnNachnahme::befPrnUeberweisung_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &FormPrnNachnahme::befAbbrechen_Click);
    connect(mnuSetupSave, &QAction::triggered, this, &FormPrnNachnahme::mnuSetupSave_Click);

    Form_Load(auswahl);
    txtArtikel1->setFocus();
    zcommon::MenueKuerzel_Vorrang(this);

    // An address in another country is told once the form is on the screen.
    const QString warnung = Land_Warnung(m_karte[4], m_karte[6], zadressbuch::sitzung().KatalogStdLand);
    if (!warnung.isEmpty())
        Nach_Dem_Zeigen(this, [this, warnung] {
            zcommon::MsgBox(warnung, zplatform::vbOKOnly | zplatform::vbExclamation, windowTitle());
        });
}

void FormPrnNachnahme::IniLaden()
{
    const struct
    {
        const char* schluessel;
        Zahlungsfeld* feld;
        QString bezeichnung;
    } absender[] = {{"NN_Name", AbsName, QStringLiteral("Name des Absenders")},
                    {"NN_Strasse", AbsStrasse, QStringLiteral("Straße des Absenders")},
                    {"NN_Ort", AbsOrt, QStringLiteral("PLZ, Ort des Absenders")},
                    {"NN_BLZ", AbsBLZ, QStringLiteral("BLZ des Absenders")},
                    {"NN_Bank", AbsBank, QStringLiteral("Bank des Absenders")},
                    {"NN_KontoNr", AbsKontoNr, QStringLiteral("Konto-Nr. des Absenders")}};
    for (const auto& a : absender)
        m_kaesten->Wert_Eintragen(a.feld, Einstellung_Lesen(QLatin1String(a.schluessel)), a.bezeichnung);
    m_kaesten->Wert_Eintragen(
        txtPreisZustell,
        Einstellung_Lesen(QStringLiteral("NN_PreisZustell"),
                          zcommon::Format(double(ZustellGebuehrStandard), QStringLiteral("0.00"))),
        QStringLiteral("Zustellgebühr"));
}

FormPrnNachnahme::~FormPrnNachnahme()
{
    // The fields may lose the focus while the window goes; their handlers must not run then.
    for (Zahlungsfeld* feld : findChildren<Zahlungsfeld*>())
        feld->disconnect(this);
}

void FormPrnNachnahme::Form_Load(const QString& auswahl)
{
    auto& p = zplatform::plattform();
    p.sanduhr(true);
    IniLaden();
    ComboWaehrung->clear();
    ComboWaehrung->addItems({QStringLiteral("DM"), QStringLiteral("EUR")});
    ComboWaehrung->setCurrentIndex(0);
    ComboWaehrung->setCurrentText(Einstellung_Lesen(QStringLiteral("NN_Währung"), QStringLiteral("DM")));

    optFormular1Tag = Formularbild_Suchen(QStringLiteral("Nachnahme"));
    optFormular[1]->setEnabled(!optFormular1Tag.isEmpty());
    optFormular[size_t(Formulartyp_Zwei(Einstellung_Lesen(QStringLiteral("NN_BankForm"), QStringLiteral("0")),
                                        !optFormular1Tag.isEmpty()))]
        ->setChecked(true);

    // "~" puts the addition on a line of its own.
    const QString name = zcommon::Trim(m_karte[2] + u' ' + m_karte[1]);
    m_kaesten->Wert_Eintragen(TxtName, m_karte[10].isEmpty() ? name : name + u'~' + m_karte[10],
                              QStringLiteral("Name des Empfängers"));
    m_kaesten->Wert_Eintragen(txtStrasse, m_karte[3], QStringLiteral("Straße des Empfängers"));
    m_kaesten->Wert_Eintragen(txtOrt, m_karte[4] + u' ' + m_karte[5], QStringLiteral("Ort des Empfängers"));

    zcommon::Liste_DruckerSchriften(ComboSchrift);
    QStringList schriften;
    for (int i = 0; i < ComboSchrift->count(); ++i)
        schriften << ComboSchrift->itemText(i);
    ComboSchrift->setCurrentIndex(
        Schrift_Waehlen(schriften, Einstellung_Lesen(QStringLiteral("NN_Font"), QStringLiteral("Courier NEW"))));

    txtArtikel1->clear();
    txtArtikel2->clear();
    QStringList angebote;
    if (!name.isEmpty())
        angebote << name;
    if (!zcommon::Trim(m_karte[10]).isEmpty())
        angebote << zcommon::Trim(m_karte[10]);
    if (!zcommon::Trim(m_karte[23]).isEmpty())
        angebote << u'#' + zcommon::Trim(m_karte[23]);
    txtArtikel1->addItems(angebote);
    txtArtikel2->addItems(angebote);
    txtArtikel1->addItems({QStringLiteral("Bestellung"), QStringLiteral("Auftrag")});
    txtArtikel1->setCurrentText(Verwendung_AusAuswahl(auswahl));
    txtArtikel2->setCurrentText(QString());
    p.sanduhr(false);
}

Nachnahme FormPrnNachnahme::Daten() const
{
    Nachnahme n;
    n.name = TxtName->text();
    n.strasse = txtStrasse->text();
    n.ort = txtOrt->text();
    n.preis = txtPreis->text();
    n.waehrung = ComboWaehrung->currentText();
    n.gebuehr = txtPreisZustell->text();
    n.auftragsnummer = txtAuftragsnummer->text();
    n.artikel1 = txtArtikel1->currentText();
    n.artikel2 = txtArtikel2->currentText();
    n.absName = AbsName->text();
    n.absStrasse = AbsStrasse->text();
    n.absOrt = AbsOrt->text();
    n.absBLZ = AbsBLZ->text();
    n.absBank = AbsBank->text();
    n.absKontoNr = AbsKontoNr->text();
    return n;
}

void FormPrnNachnahme::txtPreis_LostFocus()
{
    const QString neu = Preis_Auswerten(txtPreis->text(), txtPreis->maxLength());
    if (neu != txtPreis->text())
        txtPreis->setText(neu);
}

void FormPrnNachnahme::befPrnUeberweisung_Click()
{
    if (!(Nachnahme_Wert(txtPreis->text()) > 0.0) && !OhneBetrag_Drucken(txtPreis))
        return;
    DruckeFormularNN();
    befAbbrechen_Click();
}

void FormPrnNachnahme::DruckeFormularNN()
{
    const Druckwahl w =
        druckdialog(this, QStringLiteral("Zettlora_Nachnahme"), QStringLiteral("Drucken - Zettlora Überweisung"));
    if (w.abbruch || !w.drucker)
        return;
    const bool emblem = Einstellung_Lesen(QStringLiteral("Logo4Umschlag")) == QLatin1String("Trevix");
    Nachnahme_Layout(Daten(), ComboSchrift->currentText(), w.randX, w.randY, zcommon::Heute(),
                     optFormular[1]->isChecked() ? optFormular1Tag : QString(), m_karte[23], emblem);
    Druck_Beenden(w);
}

void FormPrnNachnahme::mnuSetupSave_Click()
{
    Einstellung_Schreiben(QStringLiteral("NN_BankForm"),
                          optFormular[0]->isChecked() ? QStringLiteral("0") : QStringLiteral("1"));
    const std::pair<const char*, Zahlungsfeld*> felder[] = {{"NN_Name", AbsName},
                                                            {"NN_Strasse", AbsStrasse},
                                                            {"NN_Ort", AbsOrt},
                                                            {"NN_BLZ", AbsBLZ},
                                                            {"NN_Bank", AbsBank},
                                                            {"NN_KontoNr", AbsKontoNr},
                                                            {"NN_PreisZustell", txtPreisZustell}};
    for (const auto& [schluessel, feld] : felder)
        Einstellung_Schreiben(QLatin1String(schluessel), zcommon::Trim(feld->text()));
    Einstellung_Schreiben(QStringLiteral("NN_Währung"), zcommon::Trim(ComboWaehrung->currentText()));
    if (ComboSchrift->currentIndex() >= 0)
        Einstellung_Schreiben(QStringLiteral("NN_Font"), ComboSchrift->itemText(ComboSchrift->currentIndex()));
}

void FormPrnNachnahme::befAbbrechen_Click()
{
    done(QDialog::Rejected);
}

void FormPrnNachnahme::reject()
{
    befAbbrechen_Click();
}

void FormPrnNachnahme::closeEvent(QCloseEvent* e)
{
    if (e->spontaneous()) {
        e->ignore();
        befAbbrechen_Click();
        return;
    }
    QDialog::closeEvent(e);
}

} // namespace zzahlung
