#include "payment/ui/formprnueberweisung.h"

#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/meldungen.h"
#include "common/start.h"
#include "common/texte.h"
#include "common/ui/hilfetaste.h"
#include "common/ui/listen.h"
#include "common/ui/menuekuerzel.h"
#include "payment/auftraggeber.h"
#include "payment/betrag.h"
#include "payment/einrichtung.h"
#include "platform/plattform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zzahlung {

namespace {

QLabel* bezeichnung(const QString& text, bool blau, QWidget* eltern)
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(QStringLiteral("Bezeichnung"));
    l->setStyleSheet(blau ? QStringLiteral("color: blue; background: white;")
                          : QStringLiteral("color: red; background: white;"));
    return l;
}

} // namespace

FormPrnUeberweisung::FormPrnUeberweisung(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("FormPrnUeberweisung"));
    setWindowTitle(QStringLiteral("Überweisungsauftrag drucken"));
    zcommon::HilfeTaste_Anmelden(this, QStringLiteral("ueberweisung"));
    m_kaesten = new Kastenfuellung(this);

    const int enter = Zahlungsfeld::EnterWeiter;
    TxtEmpfaengerName = new Zahlungsfeld(QStringLiteral("TxtEmpfaengerName"), enter, 27, this);
    TxtEmpfaengerKontoNr = new Zahlungsfeld(QStringLiteral("TxtEmpfaengerKontoNr"), enter, 10, this);
    TxtEmpfaengerBLZ = new Zahlungsfeld(QStringLiteral("TxtEmpfaengerBLZ"), enter, 8, this);
    TxtEmpfaengerBank = new Zahlungsfeld(QStringLiteral("TxtEmpfaengerBank"), enter, 27, this);
    TxtWaehrung = new QComboBox(this);
    TxtWaehrung->setObjectName(QStringLiteral("TxtWaehrung"));
    TxtWaehrung->setEditable(true);
    TxtWaehrung->setInsertPolicy(QComboBox::NoInsert);
    Enter_Weiter(TxtWaehrung);
    TxtBetrag = new Zahlungsfeld(QStringLiteral("TxtBetrag"), enter | Zahlungsfeld::Dezimalpunkt, 30, this);
    TxtVerwendung1 = new Zahlungsfeld(QStringLiteral("TxtVerwendung1"), enter | Zahlungsfeld::Verwendung, 27, this);
    TxtVerwendung2 = new Zahlungsfeld(QStringLiteral("TxtVerwendung2"), enter | Zahlungsfeld::Verwendung, 27, this);
    const int zahler = enter | Zahlungsfeld::Zahler;
    TxtAuftraggeberName = new Zahlungsfeld(QStringLiteral("TxtAuftraggeberName"), zahler, 27, this);
    TxtAuftraggeberKontoNr = new Zahlungsfeld(QStringLiteral("TxtAuftraggeberKontoNr"), zahler, 10, this);
    TxtAuftraggeberBLZ = new Zahlungsfeld(QStringLiteral("TxtAuftraggeberBLZ"), zahler, 8, this);
    TxtAuftraggeberBank = new Zahlungsfeld(QStringLiteral("TxtAuftraggeberBank"), zahler, 27, this);

    strgPrintDate = new QCheckBox(QStringLiteral("Datum drucken"), this);
    strgPrintDate->setObjectName(QStringLiteral("strgPrintDate"));
    ComboSchrift = new QComboBox(this);
    ComboSchrift->setObjectName(QStringLiteral("ComboSchrift"));
    const char* typen[] = {"&Laserware LW 0101", "Formular aus &Grafik laden", "&Klassisch mit Durchschlag"};
    for (int i = 0; i < 3; ++i) {
        optFormular[size_t(i)] = new QRadioButton(QString::fromUtf8(typen[i]), this);
        optFormular[size_t(i)]->setObjectName(QStringLiteral("optFormular_%1").arg(i));
    }
    optFormular[0]->setChecked(true);
    optFormular[1]->setEnabled(false);
    ComboUnterschriftPrn = new QComboBox(this);
    ComboUnterschriftPrn->setObjectName(QStringLiteral("ComboUnterschriftPrn"));
    ComboAuftraggeber = new QComboBox(this);
    ComboAuftraggeber->setObjectName(QStringLiteral("ComboAuftraggeber"));
    befDrucken = new QPushButton(QStringLiteral("&Drucken"), this);
    befDrucken->setObjectName(QStringLiteral("befDrucken"));
    befZurueck = new QPushButton(QStringLiteral("&Zurück"), this);
    befZurueck->setObjectName(QStringLiteral("befZurueck"));
    for (QPushButton* b : {befDrucken, befZurueck}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setEnabled(false);
    }
    TimerInit = new QTimer(this);
    TimerInit->setObjectName(QStringLiteral("TimerInit"));
    TimerInit->setSingleShot(true);
    TimerInit->setInterval(500);

    // Menus.
    auto* leiste = new QMenuBar(this);
    QMenu* ueberweisung = leiste->addMenu(QStringLiteral("Über&weisung"));
    auto aktion = [this](QMenu* m, const QString& name, const QString& text, const QKeySequence& kurz) {
        QAction* a = m->addAction(text);
        a->setObjectName(name);
        a->setShortcut(kurz);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        return a;
    };
    mnuDrucken = aktion(ueberweisung, QStringLiteral("mnuDrucken"), QStringLiteral("&Drucken"),
                        QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuProtokoll = aktion(ueberweisung, QStringLiteral("mnuProtokoll"), QStringLiteral("&Protokoll...."),
                          QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuFlipEA = aktion(ueberweisung, QStringLiteral("mnuFlipEA"),
                       QStringLiteral("Empfänger und Auftraggeber &vertauschen"), QKeySequence(Qt::CTRL | Qt::Key_V));
    ueberweisung->addSeparator();
    mnuEnde = aktion(ueberweisung, QStringLiteral("mnuEnde"), QStringLiteral("&Zurück"), QKeySequence(Qt::Key_F12));
    QMenu* einstellungen = leiste->addMenu(QStringLiteral("&Einstellungen"));
    mniEinstellSichern = aktion(einstellungen, QStringLiteral("mniEinstellSichern"),
                                QStringLiteral("Einstellungen jetzt &sichern"), QKeySequence());
    einstellungen->addSeparator();
    mnuAuftraggeberMerken = aktion(einstellungen, QStringLiteral("mnuAuftraggeberMerken"),
                                   QStringLiteral("Auftraggeber &aufnehmen"), QKeySequence(Qt::Key_F4));
    mnuAuftraggeberLoeschen = aktion(einstellungen, QStringLiteral("mnuAuftraggeberLoeschen"),
                                     QStringLiteral("Auftraggeber &löschen"), QKeySequence(Qt::SHIFT | Qt::Key_F4));

    // Layout: the yellow panel in the order of the paper form, the frames on the right.
    auto* gelb = new QFrame(this);
    gelb->setObjectName(QStringLiteral("bezGelb"));
    gelb->setAutoFillBackground(true);
    QPalette pal = gelb->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 192));
    gelb->setPalette(pal);
    auto* g = new QGridLayout(gelb);
    int zeile = 0;
    auto feld = [&](QWidget* w, const QString& text, bool blau, int spalte, int breite) {
        // The box goes by its label's name (a hint about a cut paste names it).
        w->setAccessibleName(text);
        g->addWidget(bezeichnung(text, blau, gelb), zeile, spalte, 1, breite);
        g->addWidget(w, zeile + 1, spalte, 1, breite);
    };
    feld(TxtEmpfaengerName, QStringLiteral("Empfänger"), false, 0, 2);
    zeile += 2;
    feld(TxtEmpfaengerKontoNr, QStringLiteral("Konto-Nr. Empfänger"), false, 0, 1);
    feld(TxtEmpfaengerBLZ, QStringLiteral("Bankleitzahl"), false, 1, 1);
    zeile += 2;
    feld(TxtEmpfaengerBank, QStringLiteral("Kreditinstitut"), false, 0, 2);
    zeile += 2;
    feld(TxtWaehrung, QStringLiteral("Währung"), false, 0, 1);
    feld(TxtBetrag, QStringLiteral("Betrag"), false, 1, 1);
    zeile += 2;
    feld(TxtVerwendung1, QStringLiteral("Verwendungszweck"), false, 0, 2);
    zeile += 2;
    feld(TxtVerwendung2, QStringLiteral("noch Verwendungszweck"), false, 0, 2);
    zeile += 2;
    feld(TxtAuftraggeberName, QStringLiteral("Auftraggeber"), true, 0, 2);
    zeile += 2;
    feld(TxtAuftraggeberKontoNr, QStringLiteral("Konto-Nr. Auftraggeber"), true, 0, 1);
    feld(TxtAuftraggeberBLZ, QStringLiteral("Bankleitzahl"), true, 1, 1);
    zeile += 2;
    feld(TxtAuftraggeberBank, QStringLiteral("Kreditinstitut"), true, 0, 2);

    auto* rahmen3 = new QGroupBox(QStringLiteral("Druck-Optionen"), this);
    rahmen3->setObjectName(QStringLiteral("Rahmen3"));
    auto* r3 = new QVBoxLayout(rahmen3);
    r3->addWidget(strgPrintDate);
    auto* label1 = new QLabel(QStringLiteral("Schriftart"), rahmen3);
    label1->setObjectName(QStringLiteral("Label1"));
    r3->addWidget(label1);
    r3->addWidget(ComboSchrift);
    auto* rahmen1 = new QGroupBox(QStringLiteral("Formular-Typ"), this);
    rahmen1->setObjectName(QStringLiteral("Rahmen1"));
    auto* r1 = new QVBoxLayout(rahmen1);
    for (QRadioButton* o : optFormular)
        r1->addWidget(o);
    r1->addWidget(ComboUnterschriftPrn);
    auto* rahmenA = new QGroupBox(QStringLiteral("Auftraggeber-Liste"), this);
    rahmenA->setObjectName(QStringLiteral("RahmenAuftraggeber"));
    auto* ra = new QVBoxLayout(rahmenA);
    ra->addWidget(ComboAuftraggeber);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(rahmen3);
    rechts->addWidget(rahmen1);
    rechts->addWidget(rahmenA);
    rechts->addStretch();
    rechts->addWidget(befDrucken);
    rechts->addWidget(befZurueck);
    auto* haupt = new QHBoxLayout;
    haupt->addWidget(gelb, 1);
    haupt->addLayout(rechts);
    auto* aussen = new QVBoxLayout(this);
    aussen->setMenuBar(leiste);
    aussen->addLayout(haupt);

    QWidget* reihenfolge[] = {
        TxtEmpfaengerName,  TxtEmpfaengerKontoNr, TxtEmpfaengerBLZ,     TxtEmpfaengerBank,   TxtWaehrung,
        TxtBetrag,          TxtVerwendung1,       TxtVerwendung2,       TxtAuftraggeberName, TxtAuftraggeberKontoNr,
        TxtAuftraggeberBLZ, TxtAuftraggeberBank,  strgPrintDate,        ComboSchrift,        optFormular[0],
        optFormular[1],     optFormular[2],       ComboUnterschriftPrn, ComboAuftraggeber,   befDrucken,
        befZurueck};
    for (size_t i = 1; i < std::size(reihenfolge); ++i)
        setTabOrder(reihenfolge[i - 1], reihenfolge[i]);

    connect(TxtEmpfaengerBank, &Zahlungsfeld::betreten, this,
            [this] { Bank_Nachschlagen(TxtEmpfaengerBank, TxtEmpfaengerBLZ); });
    connect(TxtAuftraggeberBank, &Zahlungsfeld::betreten, this,
            [this] { Bank_Nachschlagen(TxtAuftraggeberBank, TxtAuftraggeberBLZ); });
    connect(TxtBetrag, &Zahlungsfeld::verlassen, this, &FormPrnUeberweisung::TxtBetrag_LostFocus);
    connect(TimerInit, &QTimer::timeout, this, &FormPrnUeberweisung::TimerInit_Timer);
    connect(befDrucken, &QPushButton::clicked, this, &FormPrnUeberweisung::mnuDrucken_Click);
    connect(befZurueck, &QPushButton::clicked, this, &FormPrnUeberweisung::Zurueck);
    connect(mnuDrucken, &QAction::triggered, this, &FormPrnUeberweisung::mnuDrucken_Click);
    connect(mnuProtokoll, &QAction::triggered, this, &FormPrnUeberweisung::mnuProtokoll_Click);
    connect(mnuFlipEA, &QAction::triggered, this, &FormPrnUeberweisung::mnuFlipEA_Click);
    connect(mnuEnde, &QAction::triggered, this, &FormPrnUeberweisung::Zurueck);
    connect(mniEinstellSichern, &QAction::triggered, this, &FormPrnUeberweisung::mniEinstellSichern_Click);
    connect(mnuAuftraggeberMerken, &QAction::triggered, this, &FormPrnUeberweisung::mnuAuftraggeberMerken_Click);
    connect(mnuAuftraggeberLoeschen, &QAction::triggered, this, &FormPrnUeberweisung::mnuAuftraggeberLoeschen_Click);
    connect(ComboAuftraggeber, &QComboBox::activated, this, &FormPrnUeberweisung::ComboAuftraggeber_Click);

    Form_Load();
    TxtEmpfaengerName->setFocus();
    zcommon::MenueKuerzel_Vorrang(this);
}

FormPrnUeberweisung::~FormPrnUeberweisung()
{
    // The fields may lose the focus while the window goes; their handlers must not run then.
    for (Zahlungsfeld* feld : findChildren<Zahlungsfeld*>())
        feld->disconnect(this);
}

void FormPrnUeberweisung::Form_Load()
{
    auto& p = zplatform::plattform();
    p.sanduhr(true);
    mniEinstellSichern->setEnabled(!zadressbuch::sitzung().NurLesen);

    TxtWaehrung->clear();
    TxtWaehrung->addItems(Waehrungen_Laden());
    TxtWaehrung->addItem(QString());
    TxtWaehrung->setCurrentText(
        Einstellung_Lesen(Benutzerschluessel(QStringLiteral("_UeberweisWährung")), QStringLiteral("DM")));

    zcommon::Liste_AusText(ComboAuftraggeber, Einstellung_Lesen(Benutzerschluessel(QStringLiteral("_AllKonto"))),
                           QStringLiteral(";"));
    ComboAuftraggeber->setCurrentIndex(-1);

    m_kaesten->Wert_Eintragen(
        TxtAuftraggeberName,
        Einstellung_Lesen(Benutzerschluessel(QStringLiteral("_KontoName")), zcommon::Benutzer_Ermitteln()),
        QStringLiteral("Auftraggeber"));
    m_kaesten->Wert_Eintragen(TxtAuftraggeberKontoNr, Einstellung_Lesen(Benutzerschluessel(QStringLiteral("_KontoNr"))),
                              QStringLiteral("Konto-Nr. Auftraggeber"));
    m_kaesten->Wert_Eintragen(TxtAuftraggeberBank, Einstellung_Lesen(Benutzerschluessel(QStringLiteral("_KontoBank"))),
                              QStringLiteral("Kreditinstitut des Auftraggebers"));
    m_kaesten->Wert_Eintragen(TxtAuftraggeberBLZ, Einstellung_Lesen(Benutzerschluessel(QStringLiteral("_KontoBLZ"))),
                              QStringLiteral("Bankleitzahl des Auftraggebers"));

    strgPrintDate->setChecked(zcommon::Val(Einstellung_Lesen(Benutzerschluessel(QStringLiteral("_DruckeDatum")),
                                                             QStringLiteral("1"))) != 0.0);

    optFormular1Tag = Formularbild_Suchen(QStringLiteral("Ueberweisung"));
    optFormular[1]->setEnabled(!optFormular1Tag.isEmpty());

    ComboUnterschriftPrn->clear();
    ComboUnterschriftPrn->addItem(QStringLiteral("--- keine Unterschrift ---"));
    int eigene = -1;
    ComboUnterschriftPrn->addItems(Unterschriften_Listen(zcommon::Benutzer_Ermitteln(), &eigene));
    ComboUnterschriftPrn->setCurrentIndex(eigene + 1);
    ComboUnterschriftPrn->setVisible(ComboUnterschriftPrn->count() > 1);

    const int typ = Formulartyp_Ueberweisung(
        Einstellung_Lesen(Benutzerschluessel(QStringLiteral("_BankForm")), QStringLiteral("0")),
        !optFormular1Tag.isEmpty());
    optFormular[size_t(typ)]->setChecked(true);

    TimerInit->start();
    p.sanduhr(false);
}

void FormPrnUeberweisung::TimerInit_Timer()
{
    TimerInit->stop();
    zcommon::Liste_DruckerSchriften(ComboSchrift);
    QStringList schriften;
    for (int i = 0; i < ComboSchrift->count(); ++i)
        schriften << ComboSchrift->itemText(i);
    ComboSchrift->setCurrentIndex(
        Schrift_Waehlen(schriften, Einstellung_Lesen(Benutzerschluessel(QStringLiteral("_UeberweisFont")),
                                                     QStringLiteral("Courier NEW"))));
    befDrucken->setEnabled(true);
    befZurueck->setEnabled(true);
}

void FormPrnUeberweisung::Vorbelegen(const QString& vorname, const QString& nachname, const QString& plz,
                                     const QString& ort, const QString& kontoNr, const QString& blz,
                                     const QString& bank, const QString& auswahl)
{
    m_kaesten->Wert_Eintragen(TxtEmpfaengerName,
                              Empfaenger_Name(vorname, nachname, plz, ort, TxtEmpfaengerName->maxLength()),
                              QStringLiteral("Empfänger"));
    m_kaesten->Wert_Eintragen(TxtEmpfaengerKontoNr, kontoNr, QStringLiteral("Konto-Nr. Empfänger"));
    m_kaesten->Wert_Eintragen(TxtEmpfaengerBLZ, blz, QStringLiteral("Bankleitzahl des Empfängers"));
    m_kaesten->Wert_Eintragen(TxtEmpfaengerBank, bank, QStringLiteral("Kreditinstitut des Empfängers"));
    m_kaesten->Wert_Eintragen(TxtVerwendung1, Verwendung_AusAuswahl(auswahl), QStringLiteral("Verwendungszweck"));
    TxtEmpfaengerName->selectAll();
}

void FormPrnUeberweisung::mniEinstellSichern_Click()
{
    auto& p = zplatform::plattform();
    p.sanduhr(true);
    Einstellung_Schreiben(Benutzerschluessel(QStringLiteral("_DruckeDatum")),
                          strgPrintDate->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    Einstellung_Schreiben(Benutzerschluessel(QStringLiteral("_BankForm")), QString::number(Formulartyp()));
    Einstellung_Schreiben(Benutzerschluessel(QStringLiteral("_UeberweisWährung")), TxtWaehrung->currentText());
    Einstellung_Schreiben(Benutzerschluessel(QStringLiteral("_KontoName")), zcommon::Trim(TxtAuftraggeberName->text()));
    Einstellung_Schreiben(Benutzerschluessel(QStringLiteral("_KontoNr")),
                          zcommon::Trim(TxtAuftraggeberKontoNr->text()));
    Einstellung_Schreiben(Benutzerschluessel(QStringLiteral("_KontoBank")), zcommon::Trim(TxtAuftraggeberBank->text()));
    Einstellung_Schreiben(Benutzerschluessel(QStringLiteral("_KontoBLZ")), zcommon::Trim(TxtAuftraggeberBLZ->text()));
    Einstellung_Schreiben(Benutzerschluessel(QStringLiteral("_AllKonto")),
                          zcommon::Liste_AlsText(ComboAuftraggeber, QStringLiteral(";")));
    if (ComboSchrift->currentIndex() >= 0)
        Einstellung_Schreiben(Benutzerschluessel(QStringLiteral("_UeberweisFont")),
                              ComboSchrift->itemText(ComboSchrift->currentIndex()));
    p.sanduhr(false);
}

int FormPrnUeberweisung::Formulartyp() const
{
    for (int i = 0; i < 3; ++i) {
        if (optFormular[size_t(i)]->isChecked())
            return i;
    }
    return 0;
}

Ueberweisung FormPrnUeberweisung::Daten() const
{
    Ueberweisung u;
    u.empfaengerName = TxtEmpfaengerName->text();
    u.empfaengerKontoNr = TxtEmpfaengerKontoNr->text();
    u.empfaengerBLZ = TxtEmpfaengerBLZ->text();
    u.empfaengerBank = TxtEmpfaengerBank->text();
    u.waehrung = TxtWaehrung->currentText();
    u.betrag = TxtBetrag->text();
    u.verwendung1 = TxtVerwendung1->text();
    u.verwendung2 = TxtVerwendung2->text();
    u.auftraggeberName = TxtAuftraggeberName->text();
    u.auftraggeberKontoNr = TxtAuftraggeberKontoNr->text();
    u.auftraggeberBLZ = TxtAuftraggeberBLZ->text();
    u.auftraggeberBank = TxtAuftraggeberBank->text();
    u.datumDrucken = strgPrintDate->isChecked();
    return u;
}

QString FormPrnUeberweisung::KontenLog() const
{
    return KontenLog_Pfad(zadressbuch::sitzung().DatenOrdner, TxtAuftraggeberKontoNr->text());
}

void FormPrnUeberweisung::TxtBetrag_LostFocus()
{
    const QString neu = Betrag_Auswerten(TxtBetrag->text(), TxtBetrag->maxLength());
    if (neu != TxtBetrag->text())
        TxtBetrag->setText(neu);
}

void FormPrnUeberweisung::mnuDrucken_Click()
{
    TxtBetrag_LostFocus();
    if (!(Betrag_Wert(TxtBetrag->text()) > 0.0) && !OhneBetrag_Drucken(TxtBetrag))
        return;

    const QString log = KontenLog();
    const zplatform::Ergebnis geschrieben = KontenLog_Schreiben(log, Daten(), zcommon::Jetzt());

    const bool klassisch = optFormular[2]->isChecked();
    if (klassisch)
        DruckeUeberweisungKlassisch();
    else
        DruckeUeberweisungFormular();

    if (!geschrieben)
        zcommon::MsgBox(QStringLiteral("Das Kontoprotokoll konnte nicht geschrieben werden:~") + log +
                            (geschrieben.fehler.isEmpty() ? QString() : u'~' + geschrieben.fehler),
                        zplatform::vbOKOnly | zplatform::vbExclamation, QStringLiteral("Überweisungsdruck"));

    if (!klassisch && zcommon::MsgBox(QStringLiteral("Möchten Sie den Überweisungsdruck verlassen?"),
                                      zplatform::vbYesNo | zplatform::vbQuestion,
                                      QStringLiteral("Überweisungsdruck verlassen?")) == zplatform::vbYes)
        Zurueck();
}

void FormPrnUeberweisung::DruckeUeberweisungKlassisch()
{
    const Druckwahl w = druckdialog(this, QStringLiteral("Zettlora_UeberweisungKlassisch"),
                                    QStringLiteral("Drucken - Zettlora, klassischen Überweisung"));
    if (w.abbruch || !w.drucker)
        return;
    Ueberweisung_Klassisch(*w.drucker, Daten(), ComboSchrift->currentText(), w.randX, w.randY, zcommon::Heute());
    Druck_Beenden(w);
}

void FormPrnUeberweisung::DruckeUeberweisungFormular()
{
    const Druckwahl w =
        druckdialog(this, QStringLiteral("Zettlora_Ueberweisung"), QStringLiteral("Drucken - Zettlora Überweisung"));
    if (w.abbruch || !w.drucker)
        return;
    const QString bild = optFormular[1]->isChecked() ? optFormular1Tag : QString();
    const QString unterschrift =
        ComboUnterschriftPrn->currentIndex() > 0 ? Unterschrift_Pfad(ComboUnterschriftPrn->currentText()) : QString();
    Ueberweisung_Formular(*w.drucker, Daten(), ComboSchrift->currentText(), w.randX, w.randY, zcommon::Heute(), bild,
                          unterschrift, kundeNr);
    Druck_Beenden(w);
}

void FormPrnUeberweisung::ComboAuftraggeber_Click()
{
    if (ComboAuftraggeber->currentIndex() < 0)
        return;
    const std::array<QString, 4> teile = Auftraggeber_Zerlegen(ComboAuftraggeber->currentText());
    m_kaesten->Wert_Eintragen(TxtAuftraggeberName, teile[0], QStringLiteral("Auftraggeber"));
    m_kaesten->Wert_Eintragen(TxtAuftraggeberKontoNr, teile[1], QStringLiteral("Konto-Nr. Auftraggeber"));
    m_kaesten->Wert_Eintragen(TxtAuftraggeberBLZ, teile[2], QStringLiteral("Bankleitzahl des Auftraggebers"));
    m_kaesten->Wert_Eintragen(TxtAuftraggeberBank, teile[3], QStringLiteral("Kreditinstitut des Auftraggebers"));
    m_kaesten->Kuerzungen_Melden();
}

void FormPrnUeberweisung::mnuAuftraggeberMerken_Click()
{
    const QString eintrag = Auftraggeber_Eintrag(TxtAuftraggeberName->text(), TxtAuftraggeberKontoNr->text(),
                                                 TxtAuftraggeberBLZ->text(), TxtAuftraggeberBank->text());
    const int gewaehlt = ComboAuftraggeber->currentIndex();
    zcommon::Liste_EintragSichern(ComboAuftraggeber, eintrag);
    ComboAuftraggeber->setCurrentIndex(gewaehlt);
    zcommon::MsgBox(QStringLiteral("Wenn der gerade aufgenommene Auftraggeber dauerhaft gesichert werden soll, "
                                   "wählen Sie bitte ->Einstellungen->Sichern."),
                    zplatform::vbOKOnly | zplatform::vbInformation, QStringLiteral("Auftraggeber aufnehmen"));
}

void FormPrnUeberweisung::mnuAuftraggeberLoeschen_Click()
{
    if (ComboAuftraggeber->currentIndex() < 0) {
        zcommon::MsgBox(QStringLiteral("Bitte wählen Sie vor dem Löschen das gewünschte Konto aus."),
                        zplatform::vbOKOnly | zplatform::vbInformation, QStringLiteral("Konto löschen"));
        return;
    }
    zcommon::Liste_MarkiertenEntfernen(ComboAuftraggeber);
    ComboAuftraggeber_Click();
}

void FormPrnUeberweisung::mnuFlipEA_Click()
{
    const std::pair<Zahlungsfeld*, Zahlungsfeld*> paare[] = {{TxtAuftraggeberName, TxtEmpfaengerName},
                                                             {TxtAuftraggeberKontoNr, TxtEmpfaengerKontoNr},
                                                             {TxtAuftraggeberBLZ, TxtEmpfaengerBLZ},
                                                             {TxtAuftraggeberBank, TxtEmpfaengerBank}};
    for (const auto& [a, b] : paare) {
        const QString t = a->text();
        a->setText(b->text());
        b->setText(t);
    }
}

void FormPrnUeberweisung::mnuProtokoll_Click()
{
    const QString log = KontenLog();
    if (zcommon::Datei_Existiert(log))
        zcommon::Text_Bearbeiten(log, false);
}

void FormPrnUeberweisung::Bank_Nachschlagen(Zahlungsfeld* bank, const Zahlungsfeld* blz)
{
    if (bank->text().isEmpty() && !blz->text().isEmpty() && bankSuchen) {
        m_kaesten->Wert_Eintragen(bank, bankSuchen(blz->text()),
                                  bank == TxtEmpfaengerBank ? QStringLiteral("Kreditinstitut des Empfängers")
                                                            : QStringLiteral("Kreditinstitut des Auftraggebers"));
        m_kaesten->Kuerzungen_Melden();
    }
}

void FormPrnUeberweisung::Zurueck()
{
    TimerInit->stop();
    done(QDialog::Rejected);
}

void FormPrnUeberweisung::keyPressEvent(QKeyEvent* e)
{
    // Esc clicks "&Zurück", and so does nothing while the button is still
    // off (until the deferred set-up has run).
    if (e->matches(QKeySequence::Cancel) && !befZurueck->isEnabled()) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void FormPrnUeberweisung::reject()
{
    Zurueck();
}

void FormPrnUeberweisung::closeEvent(QCloseEvent* e)
{
    if (e->spontaneous()) {
        e->ignore();
        Zurueck();
        return;
    }
    QDialog::closeEvent(e);
}

} // namespace zzahlung
