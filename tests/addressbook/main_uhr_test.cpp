// The clock of the real main window, driven tick by tick with the scripted
// clock: date and time, the idle warning, the idle exit, which first closes
// what was left open (the pick list, a question, an input box, a form, a
// walk over the list), and a failed save. The tick's rules themselves are
// tested in leerlauf_test.cpp.
#include "main_hilfen.h"

#include "addressbook/leerlauf.h"
#include "addressbook/reservierung.h"
#include "addressbook/ui/auswahl.h"
#include "commands/ui/file.h"
#include "common/start.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

using namespace zadressbuch;
using main_test::zeile;

namespace {

// Notes the object name of every window that is shown.
class Gezeigt : public QObject
{
public:
    explicit Gezeigt(QStringList& namen) : m_namen(namen) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            m_namen << o->objectName();
        return false;
    }

private:
    QStringList& m_namen;
};

class MainUhr : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        zcommon::Benutzer_Zuruecksetzen(); // "Tester", from the scripted login
        adressdatei({u"..Uhr"_s, zeile({{1, u"Erste"_s}}), zeile({{1, u"Zweite"_s}})});
        plattform.offenHoechstensMs = 3000;
        zeigeFilter = std::make_unique<Gezeigt>(gezeigt);
        qApp->installEventFilter(zeigeFilter.get());
    }

    // The idle limit of the user "Tester" for zettlora.dat.
    void grenze(const QString& sekunden)
    {
        main_test::einstellung(u"TimeOut_Tester"_s, sekunden, wurzel.programm() + u"/Zettlora.Ini"_s,
                               u"zettlora.dat"_s);
    }

    Main& startenOhneTimer(const QStringList& argumente = {})
    {
        Main& m = starten(argumente);
        m.ZeitTimeOut->stop(); // the test ticks itself
        sitzung().LeerlaufZaehler = 0;
        return m;
    }

    main_test::Notbremse notbremse{3000};
    // The object names of the windows shown during the test, in order.
    QStringList gezeigt;
    std::unique_ptr<QObject> zeigeFilter;

    // An unsaved change that was made before the idle time began (stored,
    // and shown on the card as a store leaves it).
    void aenderungVorDemWeggehen()
    {
        adressliste().setList(0, zeile({{1, u"Geändert"_s}}));
        fenster->Adresse_Anzeigen();
        sitzung().Geaendert = 1;
        sitzung().LeerlaufZaehler = 0;
    }

    // The tick that reaches the limit, as soon as bedingung holds: it runs in
    // the event loop of whatever is open then.
    void grenzeErreichenSobald(std::function<bool()> bedingung)
    {
        auto* versuch = new QTimer(fenster.get());
        versuch->setInterval(5);
        QObject::connect(versuch, &QTimer::timeout, [this, versuch, bedingung] {
            if (!bedingung())
                return;
            versuch->stop();
            versuch->deleteLater();
            sitzung().LeerlaufZaehler = sitzung().LeerlaufGrenze - 2;
            fenster->ZeitTimeOut_Timer();
        });
        versuch->start();
    }

    // Ticks until the counter reaches the value (or the program ends, or an
    // exit that failed set the counter back).
    void ticken(int bisZaehler)
    {
        int vorher = -1;
        while (sitzung().LeerlaufZaehler < bisZaehler && sitzung().LeerlaufZaehler > vorher && !fenster->beendet()) {
            vorher = sitzung().LeerlaufZaehler;
            fenster->ZeitTimeOut_Timer();
        }
    }
};

TEST_F(MainUhr, UhrzeitWarnungInDenLetztenZweiMinutenDannSpeichernUndEnde)
{
    grenze(u"300"_s);
    Main& m = startenOhneTimer();
    EXPECT_EQ(sitzung().LeerlaufGrenze, 300);
    EXPECT_EQ(m.ZeitTimeOut->interval(), 2000);
    plattform.uhr = QDateTime(QDate(2001, 3, 4), QTime(17, 6, 59));
    aenderungVorDemWeggehen();

    ticken(180);
    EXPECT_EQ(panel("Status"), u"Bereit"_s);
    EXPECT_EQ(panel("Datum"), u" 04.03.2001 "_s);
    EXPECT_EQ(panel("Zeit"), u" 17:06 "_s);
    m.ZeitTimeOut_Timer();
    EXPECT_EQ(panel("Status"), u"Automatisches Programmende in 2,0 Minuten..."_s);
    ticken(298);
    EXPECT_FALSE(m.beendet());
    m.ZeitTimeOut_Timer();
    EXPECT_TRUE(m.beendet());
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s));
    EXPECT_TRUE(plattform.meldungen.empty()) << "the idle exit asks nothing";
}

TEST_F(MainUhr, AktivitaetSetztDenZaehlerZurueck)
{
    grenze(u"60"_s);
    Main& m = startenOhneTimer();
    ticken(50);
    adressliste().setListIndex(1); // showing an address
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0);
    EXPECT_EQ(panel("Status"), u"Bereit"_s);

    ticken(50);
    m.Feld(Vorname)->setFocus();
    main_test::tippen(m.Feld(Vorname), u"x"_s); // a change in a card field
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0);

    ticken(50);
    Q_EMIT m.menue(u"mnuWeiteres"_s)->aboutToShow(); // opening "&Weiteres"
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0);

    // Typing in the search box is no activity.
    ticken(50);
    m.TxtSuche->setText(u"nirgends"_s);
    m.TextSuche_Starten();
    EXPECT_EQ(sitzung().LeerlaufZaehler, 50);
    EXPECT_FALSE(m.beendet());
}

TEST_F(MainUhr, EinOffenerModalerDialogWirdGeschlossenDannEnde)
{
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    QDialog dialog(&m);
    bool abgebrochen = false;
    QObject::connect(&dialog, &QDialog::rejected, [&] { abgebrochen = true; });
    dialog.setModal(true);
    dialog.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    ticken(10);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(abgebrochen) << "closed as its close box does";
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
}

TEST_F(MainUhr, EndeErstWennDieInnereEreignisschleifeZurueckIst)
{
    // A dialog that was closed but whose exec() has not returned yet: its
    // event loop still runs without a window.
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    QEventLoop schleife;
    bool beendetInDerSchleife = true;
    QTimer::singleShot(0, &schleife, [&] {
        ticken(10);
        beendetInDerSchleife = m.beendet();
        schleife.exit();
    });
    schleife.exec();
    EXPECT_FALSE(beendetInDerSchleife) << "the caller of that exec() would go on after the end";
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
}

TEST_F(MainUhr, OffeneAuswahlSchliesstOhneWahl_DannGespeichertBeendetUndFreigegeben)
{
    wurzel.schreiben(u"programm/Liste00.txt"_s, u"Freund\r\nKunde\r\n"_s);
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    const QString datei = sitzung().AdressDateiName;
    ASSERT_TRUE(Reservierung_Lesen(datei).eigene);
    aenderungVorDemWeggehen();
    const QString rubrik = m.FeldText(Rubrik);

    grenzeErreichenSobald([] { return Auswahl::instanz().isVisible(); });
    QTest::mouseDClick(m.Feld(Rubrik), Qt::LeftButton); // returns when the pick list has closed
    EXPECT_EQ(notbremse.geschlossen(), 0) << "the pick list stayed open";
    EXPECT_FALSE(Auswahl::instanz().isVisible());
    EXPECT_EQ(m.FeldText(Rubrik), rubrik) << "closed without a choice";
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s));
    EXPECT_FALSE(Reservierung_Lesen(datei).vorhanden) << "the file is free for others";
    EXPECT_TRUE(plattform.meldungen.empty());
}

TEST_F(MainUhr, OffeneJaNeinFrageHeisstNein_UndDerFolgendeDialogSchliesstAuch)
{
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    aenderungVorDemWeggehen();
    plattform.antworten << TestPlattform::OffenLassen;
    grenzeErreichenSobald([this] { return plattform.offeneBoxen() == 1; });
    m.aktion(u"PulOeffnen"_s)->trigger(); // asks about the changes, then the chooser
    EXPECT_EQ(notbremse.geschlossen(), 0) << "a window stayed open";
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.meldungen[0].text.startsWith(u"Wollen Sie die Änderungen"_s));
    EXPECT_TRUE(plattform.meldungen[0].vomProgrammGeschlossen);
    EXPECT_EQ(plattform.meldungen[0].antwort, zplatform::vbNo) << "never Yes";
    EXPECT_TRUE(gezeigt.contains(u"File"_s)) << "the chooser came after the answer";
    EXPECT_FALSE(zbefehle::File::instanz().isVisible()) << "and was cancelled";
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s)) << "saved by the exit";
}

TEST_F(MainUhr, OffenesKontextmenueDerKarteSchliesst_DannEnde)
{
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    aenderungVorDemWeggehen();
    QPointer<QWidget> menue;
    grenzeErreichenSobald([&menue] {
        menue = QApplication::activePopupWidget();
        return menue != nullptr;
    });
    // The right mouse button on a field; returns when the menu has closed.
    QContextMenuEvent rechts(QContextMenuEvent::Mouse, QPoint(4, 4), m.Feld(Ort)->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(m.Feld(Ort), &rechts);
    EXPECT_EQ(notbremse.geschlossen(), 0) << "the menu stayed open";
    ASSERT_TRUE(menue);
    EXPECT_EQ(menue.data(), m.mnuPopUp());
    EXPECT_FALSE(menue->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s));
}

TEST_F(MainUhr, OffeneEingabeWirdAbgebrochen)
{
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    const QString beschreibung = sitzung().Beschreibung;
    plattform.eingaben << u"<offen>"_s;
    grenzeErreichenSobald([this] { return plattform.offeneBoxen() == 1; });
    m.aktion(u"mnuDateiBeschreiben"_s)->trigger();
    ASSERT_EQ(plattform.eingabeBoxen.size(), 1u);
    EXPECT_TRUE(plattform.eingabeBoxen[0].vomProgrammGeschlossen);
    EXPECT_EQ(plattform.eingabeBoxen[0].antwort, QString());
    EXPECT_EQ(sitzung().Beschreibung, beschreibung);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).startsWith(u"..Uhr\r\n"_s));
}

TEST_F(MainUhr, NurLesenMitOffenemDialogEndetOhneSpeichern)
{
    grenze(u"10"_s);
    const QString vorher = wurzel.lesen(u"programm/zettlora.dat"_s);
    Main& m = startenOhneTimer({u"readonly"_s});
    aenderungVorDemWeggehen();
    grenzeErreichenSobald([] {
        const QWidget* w = QApplication::activeModalWidget();
        return w && w->objectName() == u"Listendruck"_s;
    });
    m.aktion(u"PulListe"_s)->trigger();
    EXPECT_EQ(notbremse.geschlossen(), 0) << "the list print stayed open";
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
    EXPECT_EQ(wurzel.lesen(u"programm/zettlora.dat"_s), vorher);
}

TEST_F(MainUhr, LaufenderLaufEndetWieMitEsc_DannEnde)
{
    // Two equal addresses at the end: a walk that is not stopped asks about them.
    adressdatei({u"..Uhr"_s, zeile({{1, u"A"_s}}), zeile({{1, u"B"_s}}), zeile({{1, u"C"_s}}), zeile({{1, u"D"_s}}),
                 zeile({{1, u"E"_s}}), zeile({{1, u"E"_s}})});
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    adressliste().setListIndex(0);
    aenderungVorDemWeggehen();
    bool getickt = false;
    plattform.beimVerarbeiten = [&] {
        if (getickt)
            return;
        getickt = true;
        sitzung().LeerlaufZaehler = sitzung().LeerlaufGrenze - 2;
        m.ZeitTimeOut_Timer(); // the clock ticks while the walk lets events run
    };
    m.aktion(u"mnuChkDoppeltes"_s)->trigger();
    ASSERT_TRUE(getickt);
    EXPECT_EQ(sitzung().LetzteTaste, 27);
    for (const GezeigteMeldung& g : plattform.meldungen)
        EXPECT_FALSE(g.text.contains(u"eingegeben"_s)) << "the walk went on: " << g.text.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s));
}

TEST_F(MainUhr, MisslungenesSpeichernMitOffenemDialog_DialogZuProgrammLaeuftWeiter)
{
    const QString daten = wurzel.wurzel() + u"/daten"_s;
    QDir().mkpath(daten);
    main_test::einstellung(u"DirData"_s, daten, wurzel.programm() + u"/DurIdovi.ini"_s, u"Ordner"_s);
    wurzel.schreiben(u"daten/zettlora.dat"_s, u"..D\r\n"_s + zeile({{1, u"Alt"_s}}) + u"\r\n"_s);
    wurzel.schreiben(u"daten/Liste00.txt"_s, u"Kunde\r\n"_s);
    wurzel.schreiben(u"programm/Liste00.txt"_s, u"Kunde\r\n"_s);
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    sitzung().Geaendert = 1;
    // The data folder becomes a file: the save cannot write there, not even as root.
    grenzeErreichenSobald([&] {
        if (!Auswahl::instanz().isVisible())
            return false;
        return QDir().rename(daten, daten + u"_weg"_s) && QFile(daten).open(QIODevice::WriteOnly);
    });
    QTest::mouseDClick(m.Feld(Rubrik), Qt::LeftButton);
    EXPECT_EQ(notbremse.geschlossen(), 0) << "the pick list stayed open";
    EXPECT_FALSE(Auswahl::instanz().isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Leerlauf_AusstiegLaeuft(); }));
    EXPECT_FALSE(m.beendet());
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0) << "the next attempt after the full idle time";
    EXPECT_EQ(sitzung().Geaendert, 1);
    ASSERT_EQ(plattform.meldungen.size(), 1u) << "the save's own error message only";
    EXPECT_FALSE(plattform.meldungen[0].text.contains(u"trotzdem"_s));
}

TEST_F(MainUhr, MisslungenesSpeichernBeendetNichtUndFragtNicht)
{
    const QString daten = wurzel.wurzel() + u"/daten"_s;
    QDir().mkpath(daten);
    main_test::einstellung(u"DirData"_s, daten, wurzel.programm() + u"/DurIdovi.ini"_s, u"Ordner"_s);
    wurzel.schreiben(u"daten/zettlora.dat"_s, u"..D\r\n"_s + zeile({{1, u"Alt"_s}}) + u"\r\n"_s);
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    sitzung().Geaendert = 1;
    ASSERT_TRUE(QDir().rename(daten, daten + u"_weg"_s));

    ticken(10);
    EXPECT_FALSE(m.beendet());
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0) << "the next attempt after the full idle time";
    EXPECT_EQ(sitzung().Geaendert, 1);
    ASSERT_EQ(plattform.meldungen.size(), 1u) << "the save's own error message only";
    EXPECT_FALSE(plattform.meldungen[0].text.contains(u"trotzdem"_s));
}

TEST_F(MainUhr, LeerlaufRuftDenEndebefehlMitIndexEins)
{
    grenze(u"4"_s);
    const main_test::Handler ende({u"pulEnde_Click"_s});
    Main& m = startenOhneTimer();
    ticken(4);
    m.close(); // the close request runs the same command as the user's exit
    EXPECT_EQ(ende.aufrufe.value(u"pulEnde_Click"_s), (QList<int>{1, 0}));
    EXPECT_FALSE(m.beendet()) << "the command did not end the program";
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0);
}

TEST_F(MainUhr, NurLesenEndetOhneSpeichern)
{
    grenze(u"4"_s);
    const QString vorher = wurzel.lesen(u"programm/zettlora.dat"_s);
    Main& m = startenOhneTimer({u"readonly"_s});
    sitzung().Geaendert = 1;
    adressliste().setList(0, zeile({{1, u"Nie gespeichert"_s}}));
    sitzung().LeerlaufZaehler = 0;
    ticken(4);
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(wurzel.lesen(u"programm/zettlora.dat"_s), vorher);
}

} // namespace

// The end asked for from outside (a termination signal, logout) while the
// pick list is open and no idle limit is set: the pick list closes without a
// choice, the file is saved and freed, and the program ends; a dialog left
// open no longer keeps the program alive.
TEST_F(MainUhr, EndeVonAussenSchliesstDasOffeneUndSpeichert)
{
    wurzel.schreiben(u"programm/Liste00.txt"_s, u"Freund\r\nKunde\r\n"_s);
    Main& m = startenOhneTimer();
    const QString datei = sitzung().AdressDateiName;
    aenderungVorDemWeggehen();
    const QString rubrik = m.FeldText(Rubrik);

    auto* versuch = new QTimer(&m);
    versuch->setInterval(5);
    QObject::connect(versuch, &QTimer::timeout, [&m, versuch] {
        if (!Auswahl::instanz().isVisible())
            return;
        versuch->stop();
        m.Programmende_Von_Aussen();
    });
    versuch->start();
    QTest::mouseDClick(m.Feld(Rubrik), Qt::LeftButton); // returns when the pick list has closed
    EXPECT_EQ(notbremse.geschlossen(), 0) << "the pick list stayed open";
    EXPECT_EQ(m.FeldText(Rubrik), rubrik) << "closed without a choice";
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tGeändert\t"_s));
    EXPECT_FALSE(Reservierung_Lesen(datei).vorhanden);
    EXPECT_TRUE(plattform.meldungen.empty());
}
