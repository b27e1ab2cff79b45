// The clock tick: date and time panels, idle warning, idle exit with an
// injected clock, the exit's conditions and a failed save.
#include "addressbook/adressliste.h"
#include "addressbook/leerlauf.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/start.h"
#include "support/testplattform.h"

#include <gtest/gtest.h>

using namespace zadressbuch;

namespace {

class LeerlaufTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;

    void SetUp() override
    {
        sitzungZuruecksetzen();
        plattform.uhr = QDateTime(QDate(2000, 7, 2), QTime(9, 5, 0));
    }
    void TearDown() override { sitzungZuruecksetzen(); }

    // Ticks until the exit is decided; returns the counter at that tick (-1: never within the ticks).
    int tickeBisEnde(int ticks, QStringList* warnungen = nullptr)
    {
        for (int i = 0; i < ticks; ++i) {
            UhrAnzeige a = ZeitTimeOut_Tick(false);
            if (warnungen && !a.warnung.isEmpty())
                *warnungen << QString::number(sitzung().LeerlaufZaehler) + QLatin1Char(':') + a.warnung;
            if (a.ende != UhrAnzeige::Weiter)
                return sitzung().LeerlaufZaehler;
        }
        return -1;
    }
};

} // namespace

TEST_F(LeerlaufTest, DatumUndZeitVonDerUhr)
{
    UhrAnzeige a = ZeitTimeOut_Tick(false);
    EXPECT_EQ(a.datum, QStringLiteral(" 02.07.2000 "));
    EXPECT_EQ(a.zeit, QStringLiteral(" 09:05 "));
    EXPECT_EQ(sitzung().LeerlaufZaehler, 2);
    plattform.uhr = QDateTime(QDate(2001, 12, 31), QTime(23, 59, 30));
    a = ZeitTimeOut_Tick(false);
    EXPECT_EQ(a.datum, QStringLiteral(" 31.12.2001 "));
    EXPECT_EQ(a.zeit, QStringLiteral(" 23:59 "));
}

TEST_F(LeerlaufTest, OhneGrenzeNieEnde)
{
    sitzung().LeerlaufGrenze = 0;
    EXPECT_EQ(tickeBisEnde(5000), -1);
}

TEST_F(LeerlaufTest, WarnungUndEndeBei300Sekunden)
{
    sitzung().LeerlaufGrenze = 300;
    QStringList warnungen;
    EXPECT_EQ(tickeBisEnde(1000, &warnungen), 300);
    ASSERT_FALSE(warnungen.isEmpty());
    EXPECT_EQ(warnungen.first(), QStringLiteral("182:Automatisches Programmende in 2,0 Minuten..."));
    EXPECT_EQ(warnungen.last(), QStringLiteral("300:Automatisches Programmende in 0 Sekunden..."));
    EXPECT_TRUE(warnungen.contains(QStringLiteral("298:Automatisches Programmende in 2 Sekunden...")));
}

TEST_F(LeerlaufTest, KurzeGrenzeWarntSofortUndLesemodusBeendetOhneSichern)
{
    sitzung().LeerlaufGrenze = 60;
    sitzung().NurLesen = true;
    UhrAnzeige a = ZeitTimeOut_Tick(false);
    EXPECT_EQ(a.warnung, QStringLiteral("Automatisches Programmende in 58 Sekunden..."));
    for (int i = 0; i < 28; ++i)
        a = ZeitTimeOut_Tick(false);
    EXPECT_EQ(a.ende, UhrAnzeige::Weiter);
    a = ZeitTimeOut_Tick(false);
    EXPECT_EQ(a.ende, UhrAnzeige::OhneSichernBeenden);
}

TEST_F(LeerlaufTest, AktivitaetSetztZurueck)
{
    sitzung().LeerlaufGrenze = 60;
    for (int i = 0; i < 200; ++i) {
        UhrAnzeige a = ZeitTimeOut_Tick(false);
        EXPECT_EQ(a.ende, UhrAnzeige::Weiter);
        if (i % 10 == 0)
            sitzung().LeerlaufZaehler = 0; // an address shown
    }
}

TEST_F(LeerlaufTest, EndeWartetAufDialogUndLangenLauf)
{
    sitzung().LeerlaufGrenze = 10;
    sitzung().LeerlaufZaehler = 10;
    EXPECT_EQ(ZeitTimeOut_Tick(true).ende, UhrAnzeige::Weiter); // a modal dialog is open
    {
        AdressListe liste;
        ListenLauf lauf(liste);
        EXPECT_TRUE(ListenLauf::aktiv());
        EXPECT_EQ(ZeitTimeOut_Tick(false).ende, UhrAnzeige::Weiter); // a long walk runs
    }
    EXPECT_FALSE(ListenLauf::aktiv());
    EXPECT_EQ(ZeitTimeOut_Tick(false).ende, UhrAnzeige::SpeichernUndBeenden); // the next free tick
}

TEST_F(LeerlaufTest, FehlgeschlagenesSichernBeendetNicht)
{
    sitzung().LeerlaufGrenze = 4;
    sitzung().LeerlaufZaehler = 2;
    UhrAnzeige a = ZeitTimeOut_Tick(false);
    ASSERT_EQ(a.ende, UhrAnzeige::SpeichernUndBeenden);
    int gesichert = 0, ohne = 0;
    bool tickWaehrendAusstieg = true;
    Leerlauf_Beenden(
        a,
        [&] {
            ++gesichert;
            // The clock ticks while the exit runs: it decides no second exit.
            tickWaehrendAusstieg = ZeitTimeOut_Tick(false).ende != UhrAnzeige::Weiter;
            return false; // the save failed
        },
        [&] {
            ++ohne;
            return true;
        });
    EXPECT_EQ(gesichert, 1);
    EXPECT_EQ(ohne, 0);
    EXPECT_FALSE(tickWaehrendAusstieg);
    EXPECT_FALSE(Leerlauf_AusstiegLaeuft());
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0); // goes on; the next try after the full idle time
    EXPECT_EQ(ZeitTimeOut_Tick(false).ende, UhrAnzeige::Weiter);
    EXPECT_EQ(ZeitTimeOut_Tick(false).ende, UhrAnzeige::SpeichernUndBeenden);
}

TEST_F(LeerlaufTest, GrenzeAusDateieinstellung)
{
    wurzel.schreiben(QStringLiteral("programm/Zettlora.Ini"),
                     QStringLiteral("[kunden.dat]\r\nTimeOut_Anna=300\r\nTimeOut_Bert=abc\r\nTimeOut_Cem=-5\r\n"
                                    "TimeOut_Dora=90.5\r\n"));
    zcommon::Ini_CacheLeeren();
    sitzung().ProgrammIniDatei = wurzel.programm() + QStringLiteral("/Zettlora.Ini");
    sitzung().AdressDateiName = wurzel.programm() + QStringLiteral("/Kunden.dat");
    EXPECT_EQ(LeerlaufGrenze_Lesen(QStringLiteral("Anna")), 300);
    EXPECT_EQ(LeerlaufGrenze_Lesen(QStringLiteral("Bert")), 0);
    EXPECT_EQ(LeerlaufGrenze_Lesen(QStringLiteral("Cem")), 0);
    EXPECT_EQ(LeerlaufGrenze_Lesen(QStringLiteral("Dora")), 90);
    EXPECT_EQ(LeerlaufGrenze_Lesen(QStringLiteral("Niemand")), 0);
}
