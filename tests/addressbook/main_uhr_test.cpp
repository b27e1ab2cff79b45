// The clock of the real main window, driven tick by tick with the scripted
// clock: date and time, the idle warning, the idle exit and what holds it back.
#include "main_hilfen.h"

#include "addressbook/datensatz.h"
#include "addressbook/listenlauf.h"
#include "common/ini.h"
#include "common/start.h"

#include <QDialog>
#include <QDir>
#include <QLineEdit>
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
        adressdatei(
            {QStringLiteral("..Uhr"), zeile({{1, QStringLiteral("Erste")}}), zeile({{1, QStringLiteral("Zweite")}})});
    }

    // The idle limit of the user "Tester" for zettlora.dat.
    void grenze(const QString& sekunden, const QString& benutzer = QStringLiteral("Tester"))
    {
        zcommon::Ini_Schreiben(wurzel.programm() + QStringLiteral("/Zettlora.Ini"), QStringLiteral("zettlora.dat"),
                               QStringLiteral("TimeOut_") + benutzer, sekunden);
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

    QString status() const { return fenster->panelText(QStringLiteral("Status")); }
};

TEST_F(MainUhr, DatumUndZeitOhneGrenzeKeinEnde)
{
    Main& m = startenOhneTimer();
    EXPECT_EQ(sitzung().LeerlaufGrenze, 0);
    EXPECT_EQ(m.ZeitTimeOut->interval(), 2000);
    plattform.uhr = QDateTime(QDate(2001, 3, 4), QTime(17, 6, 59));
    m.ZeitTimeOut_Timer();
    EXPECT_EQ(m.panelText(QStringLiteral("Datum")), QStringLiteral(" 04.03.2001 "));
    EXPECT_EQ(m.panelText(QStringLiteral("Zeit")), QStringLiteral(" 17:06 "));
    ticken(4000);
    EXPECT_FALSE(m.beendet());
    EXPECT_EQ(status(), QStringLiteral("Bereit"));
}

TEST_F(MainUhr, WarnungInDenLetztenZweiMinutenDannSpeichernUndEnde)
{
    grenze(QStringLiteral("300"));
    Main& m = startenOhneTimer();
    EXPECT_EQ(sitzung().LeerlaufGrenze, 300);
    // An unsaved change that was made before the idle time began.
    adressliste().setList(0, zeile({{1, QStringLiteral("Geändert")}}));
    sitzung().Geaendert = 1;
    sitzung().LeerlaufZaehler = 0;

    ticken(180);
    EXPECT_EQ(status(), QStringLiteral("Bereit"));
    m.ZeitTimeOut_Timer();
    EXPECT_EQ(sitzung().LeerlaufZaehler, 182);
    EXPECT_EQ(status(), QStringLiteral("Automatisches Programmende in 2,0 Minuten..."));
    ticken(298);
    EXPECT_EQ(status(), QStringLiteral("Automatisches Programmende in 2 Sekunden..."));
    EXPECT_FALSE(m.beendet());
    m.ZeitTimeOut_Timer();
    EXPECT_TRUE(m.beendet());
    EXPECT_TRUE(wurzel.lesen(QStringLiteral("programm/zettlora.dat")).contains(QStringLiteral("\tGeändert\t")));
    EXPECT_TRUE(plattform.meldungen.empty()) << "the idle exit asks nothing";
}

TEST_F(MainUhr, AktivitaetSetztDenZaehlerZurueck)
{
    grenze(QStringLiteral("60"));
    Main& m = startenOhneTimer();
    // A limit under 120 warns from the first tick.
    m.ZeitTimeOut_Timer();
    EXPECT_EQ(status(), QStringLiteral("Automatisches Programmende in 58 Sekunden..."));

    ticken(50);
    adressliste().setListIndex(1); // showing an address
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0);
    EXPECT_EQ(status(), QStringLiteral("Bereit"));

    ticken(50);
    m.Feld(Vorname)->setFocus();
    main_test::tippen(m.Feld(Vorname), QStringLiteral("x")); // a change in a card field
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0);

    ticken(50);
    Q_EMIT m.menue(QStringLiteral("mnuWeiteres"))->aboutToShow(); // opening "&Weiteres"
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0);

    // Typing in the search box is no activity.
    ticken(50);
    m.TxtSuche->setText(QStringLiteral("nirgends"));
    m.TextSuche_Starten(false);
    EXPECT_EQ(sitzung().LeerlaufZaehler, 50);
    EXPECT_FALSE(m.beendet());
}

TEST_F(MainUhr, KeinEndeWaehrendEinModalerDialogOffenIst)
{
    grenze(QStringLiteral("10"));
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

TEST_F(MainUhr, KeinEndeWaehrendEinLangerLaufGeht)
{
    grenze(QStringLiteral("10"));
    Main& m = startenOhneTimer();
    {
        const ListenLauf lauf(adressliste());
        ticken(20);
        EXPECT_FALSE(m.beendet());
    }
    m.ZeitTimeOut_Timer();
    EXPECT_TRUE(m.beendet());
}

TEST_F(MainUhr, MisslungenesSpeichernBeendetNichtUndFragtNicht)
{
    const QString daten = wurzel.wurzel() + QStringLiteral("/daten");
    QDir().mkpath(daten);
    zcommon::Ini_Schreiben(wurzel.programm() + QStringLiteral("/DurIdovi.ini"), QStringLiteral("Ordner"),
                           QStringLiteral("DirData"), daten);
    wurzel.schreiben(QStringLiteral("daten/zettlora.dat"),
                     QStringLiteral("..D\r\n") + zeile({{1, QStringLiteral("Alt")}}) + QStringLiteral("\r\n"));
    grenze(QStringLiteral("10"));
    Main& m = startenOhneTimer();
    sitzung().Geaendert = 1;
    sitzung().LeerlaufZaehler = 0;
    ASSERT_TRUE(QDir().rename(daten, daten + QStringLiteral("_weg")));

    ticken(10);
    EXPECT_FALSE(m.beendet());
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0) << "the next attempt after the full idle time";
    EXPECT_EQ(sitzung().Geaendert, 1);
    ASSERT_EQ(plattform.meldungen.size(), 1u) << "the save's own error message only";
    EXPECT_FALSE(plattform.meldungen[0].text.contains(QStringLiteral("trotzdem")));
}

TEST_F(MainUhr, LeerlaufRuftDenEndebefehlMitIndexEins)
{
    grenze(QStringLiteral("4"));
    Main& m = startenOhneTimer();
    QList<int> aufrufe;
    Main::handlerSetzen(QStringLiteral("pulEnde_Click"), [&](Main&, int index) { aufrufe << index; });
    ticken(4);
    m.close(); // the close request runs the same command as the user's exit
    Main::handlerSetzen(QStringLiteral("pulEnde_Click"), {});
    EXPECT_EQ(aufrufe, (QList<int>{1, 0}));
    EXPECT_FALSE(m.beendet()) << "the command did not end the program";
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0);
}

TEST_F(MainUhr, NurLesenEndetOhneSpeichern)
{
    grenze(QStringLiteral("4"));
    const QString vorher = wurzel.lesen(QStringLiteral("programm/zettlora.dat"));
    Main& m = startenOhneTimer({QStringLiteral("readonly")});
    sitzung().Geaendert = 1;
    adressliste().setList(0, zeile({{1, QStringLiteral("Nie gespeichert")}}));
    sitzung().LeerlaufZaehler = 0;
    ticken(4);
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(wurzel.lesen(QStringLiteral("programm/zettlora.dat")), vorher);
}

TEST_F(MainUhr, GrenzeGiltJeBenutzer)
{
    grenze(QStringLiteral("4"), QStringLiteral("Anna"));
    startenOhneTimer();
    EXPECT_EQ(sitzung().LeerlaufGrenze, 0);
    ticken(20);
    EXPECT_FALSE(fenster->beendet());
}

} // namespace
