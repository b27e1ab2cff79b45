// The clock of the real main window, driven tick by tick with the scripted
// clock: date and time, the idle warning, the idle exit and what holds it
// back. The tick's rules themselves are tested in leerlauf_test.cpp.
#include "main_hilfen.h"

#include "common/start.h"

#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QTimer>

using namespace zadressbuch;
using main_test::zeile;

namespace {

class MainUhr : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        zcommon::Benutzer_Zuruecksetzen(); // "Tester", from the scripted login
        adressdatei({u"..Uhr"_s, zeile({{1, u"Erste"_s}}), zeile({{1, u"Zweite"_s}})});
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
    // An unsaved change that was made before the idle time began.
    adressliste().setList(0, zeile({{1, u"Geändert"_s}}));
    sitzung().Geaendert = 1;
    sitzung().LeerlaufZaehler = 0;

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
    m.TextSuche_Starten(false);
    EXPECT_EQ(sitzung().LeerlaufZaehler, 50);
    EXPECT_FALSE(m.beendet());
}

TEST_F(MainUhr, KeinEndeWaehrendEinModalerDialogOffenIst)
{
    grenze(u"10"_s);
    Main& m = startenOhneTimer();
    QDialog dialog(&m);
    dialog.setModal(true);
    dialog.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    ticken(20);
    EXPECT_FALSE(m.beendet());
    dialog.hide();
    m.ZeitTimeOut_Timer();
    EXPECT_TRUE(m.beendet()) << "at the next tick after the dialog";
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
