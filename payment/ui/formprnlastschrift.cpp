#include "payment/ui/formprnlastschrift.h"

#include "addressbook/dateiini.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "common/ui/hilfetaste.h"
#include "common/ui/listen.h"
#include "common/ui/menuekuerzel.h"
#include "payment/betrag.h"
#include "payment/einrichtung.h"
#include "payment/ueberweisung.h"
#include "platform/dateisystem.h"
#include "platform/plattform.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
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

namespace {

QString sammeldatei()
{
    return Sammeldatei_Pfad(zadressbuch::sitzung().DatenOrdner);
}

const QString KundeVorsatz = QStringLiteral("Lastschrift Kunde ");

// The boxes as a message about cut values names them.
namespace Bezeichnung {
const QString Zahlungspflichtiger = QStringLiteral("Zahlungspflichtiger");
const QString KontoNr = QStringLiteral("Konto-Nr. des Zahlungspflichtigen");
const QString BLZ = QStringLiteral("Bankleitzahl des Zahlungspflichtigen");
const QString Bank = QStringLiteral("Kreditinstitut des Zahlungspflichtigen");
const QString Verwendung1 = QStringLiteral("Verwendungszweck");
const QString Verwendung2 = QStringLiteral("noch Verwendungszweck");
const QString EmpKontoNr = QStringLiteral("Konto-Nr. des Zahlungsempfängers");
} // namespace Bezeichnung

} // namespace

FormPrnLastschrift::FormPrnLastschrift(const std::array<QString, 24>& karte, const QString& auswahl, QWidget* eltern)
    : QDialog(eltern), m_karte(karte)
{
    setObjectName(QStringLiteral("FormPrnLastschrift"));
    setWindowTitle(QStringLiteral("Lastschrift drucken"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("lastschrift"));
    m_kaesten = new Kastenfuellung(this);
    const int art = Zahlungsfeld::EnterWeiter;
    TxtAbsName = new Zahlungsfeld(QStringLiteral("TxtAbsName"), art, 27, this);
    TxtAbsKontoNr = new Zahlungsfeld(QStringLiteral("TxtAbsKontoNr"), art, 10, this);
    TxtAbsBLZ = new Zahlungsfeld(QStringLiteral("TxtAbsBLZ"), art, 8, this);
    TxtAbsBank = new Zahlungsfeld(QStringLiteral("TxtAbsBank"), art, 27, this);
    TxtWaehrung = new QComboBox(this);
    TxtWaehrung->setObjectName(QStringLiteral("TxtWaehrung"));
    TxtBetrag = new Zahlungsfeld(QStringLiteral("TxtBetrag"), art | Zahlungsfeld::Dezimalpunkt, 10, this);
    TxtVerwendung1 = new Zahlungsfeld(QStringLiteral("TxtVerwendung1"), art, 27, this);
    TxtVerwendung2 = new Zahlungsfeld(QStringLiteral("TxtVerwendung2"), art, 27, this);
    TxtEmpName = new QComboBox(this);
    TxtEmpName->setObjectName(QStringLiteral("TxtEmpName"));
    TxtEmpKontoNr = new Zahlungsfeld(QStringLiteral("TxtEmpKontoNr"), art, 10, this);
    for (QComboBox* k : {TxtWaehrung, TxtEmpName}) {
        k->setEditable(true);
        k->setInsertPolicy(QComboBox::NoInsert);
        Enter_Weiter(k);
        Anfang_Zeigen(k->lineEdit());
    }
    const Formularsteuerung steuerung =
        Formularsteuerung_Anlegen(this, QStringLiteral("&Laserware LW 0102"), QStringLiteral("befPrnLastschrift"));
    optFormular = steuerung.optFormular;
    ComboSchrift = steuerung.ComboSchrift;
    befPrnLastschrift = steuerung.befDrucken;
    befAbbrechen = steuerung.befAbbrechen;
    auto* leiste = steuerung.leiste;
    mnuSetupSave = steuerung.mnuSetupSave;
    QMenu* datei = leiste->addMenu(QStringLiteral("&Sammeldatei"));
    datei->setObjectName(QStringLiteral("mnuLastFile"));
    mnuLastFileSave = datei->addAction(QStringLiteral("Last&schrift in Sammeldatei ablegen und zurück"));
    mnuLastFileSave->setObjectName(QStringLiteral("mnuLastFileSave"));
    datei->addSeparator();
    mnuLastFileEdit = datei->addAction(QStringLiteral("Sammeldatei b&earbeiten"));
    mnuLastFileEdit->setObjectName(QStringLiteral("mnuLastFileEdit"));
    mnuLastFilePrint = datei->addAction(QStringLiteral("Sammeldatei &drucken"));
    mnuLastFilePrint->setObjectName(QStringLiteral("mnuLastFilePrint"));
    mnuLastFileDel = datei->addAction(QStringLiteral("Sammeldatei &löschen..."));
    mnuLastFileDel->setObjectName(QStringLiteral("mnuLastFileDel"));

    auto* formular = new QFormLayout;
    formular->addRow(QStringLiteral("Zahlungspflichtiger"), TxtAbsName);
    formular->addRow(QStringLiteral("Konto-Nr."), TxtAbsKontoNr);
    formular->addRow(QStringLiteral("Bankleitzahl"), TxtAbsBLZ);
    formular->addRow(QStringLiteral("Kreditinstitut"), TxtAbsBank);
    formular->addRow(QStringLiteral("Währung"), TxtWaehrung);
    formular->addRow(QStringLiteral("Betrag"), TxtBetrag);
    formular->addRow(QStringLiteral("Verwendungszweck"), TxtVerwendung1);
    formular->addRow(QStringLiteral("noch Verwendungszweck"), TxtVerwendung2);
    formular->addRow(QStringLiteral("Zahlungsempfänger"), TxtEmpName);
    formular->addRow(QStringLiteral("Konto-Nr."), TxtEmpKontoNr);
    auto* typ = new QGroupBox(QStringLiteral("Formular-Typ"), this);
    auto* t = new QVBoxLayout(typ);
    t->addWidget(optFormular[0]);
    t->addWidget(optFormular[1]);
    auto* optionen = new QGroupBox(QStringLiteral("Druck-Optionen"), this);
    auto* o = new QVBoxLayout(optionen);
    o->addWidget(new QLabel(QStringLiteral("Schriftart"), optionen));
    o->addWidget(ComboSchrift);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(typ);
    rechts->addWidget(optionen);
    rechts->addStretch();
    rechts->addWidget(befPrnLastschrift);
    rechts->addWidget(befAbbrechen);
    auto* haupt = new QHBoxLayout;
    haupt->addLayout(formular, 1);
    haupt->addLayout(rechts);
    auto* aussen = new QVBoxLayout(this);
    aussen->setMenuBar(leiste);
    aussen->addLayout(haupt);

    QWidget* reihenfolge[] = {TxtAbsName,     TxtAbsKontoNr,  TxtAbsBLZ,      TxtAbsBank,        TxtWaehrung,
                              TxtBetrag,      TxtVerwendung1, TxtVerwendung2, TxtEmpName,        TxtEmpKontoNr,
                              optFormular[0], optFormular[1], ComboSchrift,   befPrnLastschrift, befAbbrechen};
    for (size_t i = 1; i < std::size(reihenfolge); ++i)
        setTabOrder(reihenfolge[i - 1], reihenfolge[i]);

    connect(TxtBetrag, &Zahlungsfeld::verlassen, this, &FormPrnLastschrift::TxtBetrag_LostFocus);
    connect(befPrnLastschrift, &QPushButton::clicked, this, [this] { befPrnLastschrift_Click(); });
    connect(befAbbrechen, &QPushButton::clicked, this, &FormPrnLastschrift::befAbbrechen_Click);
    connect(mnuSetupSave, &QAction::triggered, this, &FormPrnLastschrift::mnuSetupSave_Click);
    connect(mnuLastFileSave, &QAction::triggered, this, &FormPrnLastschrift::mnuLastFileSave_Click);
    connect(mnuLastFileEdit, &QAction::triggered, this, &FormPrnLastschrift::mnuLastFileEdit_Click);
    connect(mnuLastFilePrint, &QAction::triggered, this, &FormPrnLastschrift::mnuLastFilePrint_Click);
    connect(mnuLastFileDel, &QAction::triggered, this, &FormPrnLastschrift::mnuLastFileDel_Click);

    Form_Load(auswahl);
    TxtAbsName->setFocus();
    zcommon::MenueKuerzel_Vorrang(this);
}

FormPrnLastschrift::~FormPrnLastschrift()
{
    // The fields may lose the focus while the window goes; their handlers must not run then.
    for (Zahlungsfeld* feld : findChildren<Zahlungsfeld*>())
        feld->disconnect(this);
}

void FormPrnLastschrift::Form_Load(const QString& auswahl)
{
    auto& p = zplatform::plattform();
    p.sanduhr(true);
    optFormular1Tag = Formularbild_Suchen(QStringLiteral("Lastschrift"));
    optFormular[1]->setEnabled(!optFormular1Tag.isEmpty());
    optFormular[size_t(Formulartyp_Zwei(Einstellung_Lesen(QStringLiteral("Lastschrift_BankForm"), QStringLiteral("0")),
                                        !optFormular1Tag.isEmpty()))]
        ->setChecked(true);

    TxtWaehrung->clear();
    TxtWaehrung->addItems(Waehrungen_Laden());
    TxtWaehrung->setCurrentIndex(0);
    TxtWaehrung->setCurrentText(Einstellung_Lesen(QStringLiteral("Lastschrift_Währung"), QStringLiteral("DM")));

    // The addition only when the whole name fits; a base name that does not
    // fit by itself is cut by its box and named.
    const QString basis = zcommon::Trim(m_karte[2] + u' ' + m_karte[1]);
    const QString lang = zcommon::Trim(basis + u' ' + m_karte[10]);
    m_kaesten->Wert_Eintragen(TxtAbsName, lang.size() <= TxtAbsName->maxLength() ? lang : basis,
                              Bezeichnung::Zahlungspflichtiger);
    m_kaesten->Wert_Eintragen(TxtAbsKontoNr, m_karte[17], Bezeichnung::KontoNr);
    m_kaesten->Wert_Eintragen(TxtAbsBLZ, m_karte[18], Bezeichnung::BLZ);
    m_kaesten->Wert_Eintragen(TxtAbsBank, m_karte[19], Bezeichnung::Bank);
    m_kaesten->Wert_Eintragen(TxtVerwendung1, Verwendung_AusAuswahl(auswahl), Bezeichnung::Verwendung1);
    // Without an index number the line keeps its blank after "Kunde".
    const QString kunde = zcommon::Trim(m_karte[23]);
    if (kunde.isEmpty())
        TxtVerwendung2->setText(KundeVorsatz);
    else
        m_kaesten->Wert_Eintragen(TxtVerwendung2, KundeVorsatz + kunde, Bezeichnung::Verwendung2);
    TxtEmpName->setCurrentText(Einstellung_Lesen(QStringLiteral("Lastschrift_Name")));
    m_kaesten->Wert_Eintragen(TxtEmpKontoNr, Einstellung_Lesen(QStringLiteral("Lastschrift_KontoNr")),
                              Bezeichnung::EmpKontoNr);

    zcommon::Liste_DruckerSchriften(ComboSchrift);
    QStringList schriften;
    for (int i = 0; i < ComboSchrift->count(); ++i)
        schriften << ComboSchrift->itemText(i);
    ComboSchrift->setCurrentIndex(Schrift_Waehlen(
        schriften, Einstellung_Lesen(QStringLiteral("Lastschrift_Font"), QStringLiteral("Courier NEW"))));
    p.sanduhr(false);
}

Lastschrift FormPrnLastschrift::Daten() const
{
    return {TxtAbsName->text(),         TxtAbsKontoNr->text(), TxtAbsBLZ->text(),      TxtAbsBank->text(),
            TxtWaehrung->currentText(), TxtBetrag->text(),     TxtVerwendung1->text(), TxtVerwendung2->text(),
            TxtEmpName->currentText(),  TxtEmpKontoNr->text()};
}

void FormPrnLastschrift::Fuellen(const Lastschrift& l)
{
    m_kaesten->Wert_Eintragen(TxtAbsName, l.absName, Bezeichnung::Zahlungspflichtiger);
    m_kaesten->Wert_Eintragen(TxtAbsKontoNr, l.absKontoNr, Bezeichnung::KontoNr);
    m_kaesten->Wert_Eintragen(TxtAbsBLZ, l.absBLZ, Bezeichnung::BLZ);
    m_kaesten->Wert_Eintragen(TxtAbsBank, l.absBank, Bezeichnung::Bank);
    TxtWaehrung->setCurrentText(l.waehrung);
    m_kaesten->Wert_Eintragen(TxtBetrag, l.betrag, QStringLiteral("Betrag"));
    m_kaesten->Wert_Eintragen(TxtVerwendung1, l.verwendung1, Bezeichnung::Verwendung1);
    m_kaesten->Wert_Eintragen(TxtVerwendung2, l.verwendung2, Bezeichnung::Verwendung2);
    TxtEmpName->setCurrentText(l.empName);
    m_kaesten->Wert_Eintragen(TxtEmpKontoNr, l.empKontoNr, Bezeichnung::EmpKontoNr);
    m_kaesten->Kuerzungen_Melden();
}

void FormPrnLastschrift::TxtBetrag_LostFocus()
{
    const QString neu = Betrag_Auswerten(TxtBetrag->text(), TxtBetrag->maxLength());
    if (neu != TxtBetrag->text())
        TxtBetrag->setText(neu);
}

bool FormPrnLastschrift::befPrnLastschrift_Click()
{
    TxtBetrag_LostFocus();
    if (!(Betrag_Wert(TxtBetrag->text()) > 0.0) && !OhneBetrag_Drucken(TxtBetrag))
        return false;
    const Druckwahl w =
        druckdialog(this, QStringLiteral("Zettlora_Lastschrift"), QStringLiteral("Drucken - Zettlora Überweisung"));
    if (w.abbruch || !w.drucker)
        return false;

    const QString bild = optFormular[1]->isChecked() ? optFormular1Tag : QString();
    const int belege = int(zcommon::RundenGerade(
        zcommon::Val(Einstellung_Lesen(QStringLiteral("Lastschrift_Belege"), QStringLiteral("1")))));
    Einstellung_Schreiben(QStringLiteral("Lastschrift_Belege"), zcommon::Format(belege, QStringLiteral("0")));
    const Kartenanschrift karte{m_karte[3], m_karte[4], m_karte[5], m_karte[23]};
    const Lastschrift l = Daten();
    const QDate heute = zcommon::Heute();
    Lastschrift_Layout(*w.drucker, l, ComboSchrift->currentText(), w.randX, w.randY, heute, bild, belege,
                       m_imSammellauf ? nullptr : &karte);

    const QString log = Lastschriftlog_Pfad(zadressbuch::DateiIni_Lesen(QStringLiteral("LogLastschriften")), heute);
    bool logFehler = false;
    if (!log.isEmpty())
        logFehler = !Lastschrift_Anhaengen(log, l);
    const bool gedruckt = Druck_Beenden(w);

    if (logFehler) {
        if (m_imSammellauf)
            m_logFehler << log;
        else
            zcommon::MsgBox(QStringLiteral("Das Lastschrift-Protokoll konnte nicht geschrieben werden:~") + log,
                            zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Lastschrift drucken"));
    }
    if (!Sammeldruck_Laeuft)
        befAbbrechen_Click();
    return gedruckt;
}

void FormPrnLastschrift::mnuSetupSave_Click()
{
    Einstellung_Schreiben(QStringLiteral("Lastschrift_BankForm"),
                          optFormular[0]->isChecked() ? QStringLiteral("0") : QStringLiteral("1"));
    Einstellung_Schreiben(QStringLiteral("Lastschrift_Name"), zcommon::Trim(TxtEmpName->currentText()));
    Einstellung_Schreiben(QStringLiteral("Lastschrift_KontoNr"), zcommon::Trim(TxtEmpKontoNr->text()));
    Einstellung_Schreiben(QStringLiteral("Lastschrift_Währung"), zcommon::Trim(TxtWaehrung->currentText()));
    if (ComboSchrift->currentIndex() >= 0)
        Einstellung_Schreiben(QStringLiteral("Lastschrift_Font"), ComboSchrift->itemText(ComboSchrift->currentIndex()));
}

void FormPrnLastschrift::mnuLastFileSave_Click()
{
    auto& p = zplatform::plattform();
    p.sanduhr(true);
    const zplatform::Ergebnis e = Lastschrift_Anhaengen(sammeldatei(), Daten());
    p.sanduhr(false);
    if (!e) {
        // Nothing was filed: no success sound, the dialog stays open.
        zcommon::Fehler_Melden(75, QStringLiteral("Es ist ein Fehler beim Ablegen der Lastschrift aufgetreten.~") +
                                       e.fehler);
        return;
    }
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
    befAbbrechen_Click();
}

void FormPrnLastschrift::mnuLastFileEdit_Click()
{
    zcommon::Text_Bearbeiten(sammeldatei(), false);
}

void FormPrnLastschrift::mnuLastFilePrint_Click()
{
    const QString pfad = zcommon::Pfad(sammeldatei());
    // The run holds the collection file for its whole length, the deletion
    // question included: a second run meanwhile prints nothing.
    const zplatform::Laufsperre lauf(pfad);
    if (lauf.stand() == zplatform::Laufsperre::Stand::Besetzt) {
        sammellaufBesetzt();
        return;
    }
    auto& p = zplatform::plattform();
    p.sanduhr(true);
    zplatform::Ergebnis gelesen;
    QStringList zeilen;
    {
        // Under the lock of the appends: no line is read half-filed.
        const zplatform::Anhangsperre sperre(pfad);
        zeilen = zplatform::zeilenLesen(pfad, &gelesen);
    }
    p.sanduhr(false);
    if (!gelesen) {
        zcommon::Fehler_Melden(gelesen.fehlt ? 53 : 75,
                               QStringLiteral("Es ist ein Fehler beim Drucken der Lastschriften aufgetreten.~") +
                                   gelesen.fehler);
        return;
    }
    int nichtGedruckt = 0;
    m_logFehler.clear();
    // The debits of one run go out as one job, one page each (one file on
    // the PDF printer); each still passes the print options.
    zplatform::druckLaufBeginnen();
    for (const QString& zeile : zeilen) {
        const std::optional<Lastschrift> l = Lastschrift_Lesen(zeile);
        if (!l) {
            nichtGedruckt += !zcommon::Trim(zeile).isEmpty();
            continue;
        }
        Fuellen(*l);
        p.ereignisseVerarbeiten();
        Sammeldruck_Laeuft = true;
        m_imSammellauf = true;
        const bool gedruckt = befPrnLastschrift_Click();
        m_imSammellauf = false;
        nichtGedruckt += !gedruckt;
    }
    zplatform::druckLaufBeenden();
    zplatform::Drucker& d = zplatform::drucker();
    if (!d.dokumentEnde()) {
        QString text = QStringLiteral("Es ist ein Fehler beim Drucken der Lastschriften aufgetreten.");
        if (!d.letzterFehler().isEmpty())
            text += QStringLiteral("~~") + d.letzterFehler();
        zcommon::Fehler_Melden(482, text);
    }
    if (!m_logFehler.isEmpty()) {
        m_logFehler.removeDuplicates();
        zcommon::MsgBox(QStringLiteral("Das Lastschrift-Protokoll konnte nicht geschrieben werden:~") +
                            m_logFehler.join(u'~'),
                        zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Lastschrift drucken"));
        m_logFehler.clear();
    }
    Sammeldatei_Loeschen(nichtGedruckt, &zeilen);
}

void FormPrnLastschrift::mnuLastFileDel_Click()
{
    const zplatform::Laufsperre lauf(zcommon::Pfad(sammeldatei()));
    if (lauf.stand() == zplatform::Laufsperre::Stand::Besetzt) {
        sammellaufBesetzt();
        return;
    }
    Sammeldatei_Loeschen(0, nullptr);
}

void FormPrnLastschrift::sammellaufBesetzt()
{
    zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                     QStringLiteral("Die Lastschrift-Sammeldatei wird gerade gedruckt, in einem anderen Fenster "
                                    "oder an einem anderen Arbeitsplatz.~Jetzt wird nichts gedruckt und nichts "
                                    "gelöscht. Versuchen Sie es bitte wieder, wenn dieser Druck beendet ist."),
                     zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Lastschrift-Sammeldatei"));
}

void FormPrnLastschrift::Sammeldatei_Loeschen(int nichtGedruckt, const QStringList* gelesen)
{
    QString text = QStringLiteral("Soll die Lastschrift-Sammeldatei jetzt gelöscht werden?");
    int stil = zplatform::vbYesNo | zplatform::vbQuestion;
    if (nichtGedruckt > 0) {
        text +=
            nichtGedruckt == 1
                ? QStringLiteral("~~Achtung: 1 Eintrag der Sammeldatei wurde nicht gedruckt.")
                : QStringLiteral("~~Achtung: %1 Einträge der Sammeldatei wurden nicht gedruckt.").arg(nichtGedruckt);
        stil |= zplatform::vbDefaultButton2;
    }
    if (zcommon::MsgBox(text, stil, QStringLiteral("Lastschrift-Sammeldatei löschen?")) != zplatform::vbYes)
        return;
    const QString pfad = zcommon::Pfad(sammeldatei());
    if (!gelesen) {
        zcommon::Datei_Loeschen({pfad}, true);
        return;
    }
    // Only what this run read goes: a debit filed meanwhile stays for the next run.
    const zplatform::Ergebnis e = zplatform::zeilenHerausnehmen(
        pfad, *gelesen, [](const QString& datei) { zcommon::Datei_Sichern(datei); },
        [](const QString& datei) {
            zcommon::Datei_Loeschen({datei}, true);
            return !QFileInfo::exists(datei);
        });
    if (!e)
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Die gedruckten Lastschriften konnten nicht aus der Sammeldatei entfernt "
                                        "werden:~") +
                             zcommon::Woertlich(e.fehler),
                         zplatform::vbOKOnly | zplatform::vbCritical, QStringLiteral("Lastschrift-Sammeldatei"));
}

void FormPrnLastschrift::befAbbrechen_Click()
{
    done(QDialog::Rejected);
}

void FormPrnLastschrift::reject()
{
    befAbbrechen_Click();
}

void FormPrnLastschrift::closeEvent(QCloseEvent* e)
{
    if (e->spontaneous()) {
        e->ignore();
        befAbbrechen_Click();
        return;
    }
    QDialog::closeEvent(e);
}

} // namespace zzahlung
