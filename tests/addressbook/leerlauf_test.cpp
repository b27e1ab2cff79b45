// The clock tick: date and time panels, idle warning, idle exit with an
// injected clock, the exit's conditions and a failed save.
#include "adresstest.h"

#include "addressbook/adressliste.h"
#include "addressbook/leerlauf.h"
#include "addressbook/listenlauf.h"
#include "common/ini.h"

using namespace zadressbuch;

namespace {

class LeerlaufTest : public AdressTest
{
protected:
    void SetUp() override
    {
        AdressTest::SetUp();
        plattform.uhr = QDateTime(QDate(2000, 7, 2), QTime(9, 5, 0));
    }

    // Ticks until the exit is decided; returns the counter at that tick (-1: never within the ticks).
    int tickeBisEnde(int ticks, QStringList* warnungen = nullptr)
    {
        for (int i = 0; i < ticks; ++i) {
            const UhrAnzeige a = ZeitTimeOut_Tick(false);
            if (warnungen && !a.warnung.isEmpty())
                *warnungen << QString::number(sitzung().LeerlaufZaehler) + u':' + a.warnung;
            if (a.ende != UhrAnzeige::Weiter)
                return sitzung().LeerlaufZaehler;
        }
        return -1;
    }
};

} // namespace

TEST_F(LeerlaufTest, DatumUndZeitVonDerUhr_OhneGrenzeNieEnde)
{
    UhrAnzeige a = ZeitTimeOut_Tick(false);
    EXPECT_EQ(a.datum, u" 02.07.2000 "_s);
    EXPECT_EQ(a.zeit, u" 09:05 "_s);
    EXPECT_EQ(sitzung().LeerlaufZaehler, 2);
    plattform.uhr = QDateTime(QDate(2001, 12, 31), QTime(23, 59, 30));
    a = ZeitTimeOut_Tick(false);
    EXPECT_EQ(a.datum, u" 31.12.2001 "_s);
    EXPECT_EQ(a.zeit, u" 23:59 "_s);

    sitzung().LeerlaufGrenze = 0;
    EXPECT_EQ(tickeBisEnde(5000), -1);
}

TEST_F(LeerlaufTest, WarnungUndEndeBei300Sekunden)
{
    sitzung().LeerlaufGrenze = 300;
    QStringList warnungen;
    EXPECT_EQ(tickeBisEnde(1000, &warnungen), 300);
    ASSERT_FALSE(warnungen.isEmpty());
    EXPECT_EQ(warnungen.first(), u"182:Automatisches Programmende in 2,0 Minuten..."_s);
    EXPECT_EQ(warnungen.last(), u"300:Automatisches Programmende in 0 Sekunden..."_s);
    EXPECT_TRUE(warnungen.contains(u"298:Automatisches Programmende in 2 Sekunden..."_s));
}

TEST_F(LeerlaufTest, KurzeGrenzeWarntSofortUndLesemodusBeendetOhneSichern)
{
    sitzung().LeerlaufGrenze = 60;
    sitzung().NurLesen = true;
    UhrAnzeige a = ZeitTimeOut_Tick(false);
    EXPECT_EQ(a.warnung, u"Automatisches Programmende in 58 Sekunden..."_s);
    for (int i = 0; i < 28; ++i)
        a = ZeitTimeOut_Tick(false);
    EXPECT_EQ(a.ende, UhrAnzeige::Weiter);
    EXPECT_EQ(ZeitTimeOut_Tick(false).ende, UhrAnzeige::OhneSichernBeenden);
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
    const UhrAnzeige a = ZeitTimeOut_Tick(false);
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
        [&] { return ++ohne > 0; });
    EXPECT_EQ(gesichert, 1);
    EXPECT_EQ(ohne, 0);
    EXPECT_FALSE(tickWaehrendAusstieg);
    EXPECT_FALSE(Leerlauf_AusstiegLaeuft());
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0); // goes on; the next try after the full idle time
    EXPECT_EQ(ZeitTimeOut_Tick(false).ende, UhrAnzeige::Weiter);
    EXPECT_EQ(ZeitTimeOut_Tick(false).ende, UhrAnzeige::SpeichernUndBeenden);
}

TEST_F(LeerlaufTest, GrenzeJeBenutzerAusDerDateieinstellung)
{
    wurzel.schreiben(u"programm/Zettlora.Ini"_s, u"[kunden.dat]\r\nTimeOut_Anna=300\r\nTimeOut_Bert=abc\r\n"
                                                 u"TimeOut_Cem=-5\r\nTimeOut_Dora=90.5\r\n"_s);
    zcommon::Ini_CacheLeeren();
    sitzung().AdressDateiName = wurzel.programm() + u"/Kunden.dat"_s;
    const std::pair<const char*, int> grenzen[] = {
        {"Anna", 300}, {"Bert", 0}, {"Cem", 0}, {"Dora", 90}, {"Niemand", 0}};
    for (const auto& [benutzer, grenze] : grenzen)
        EXPECT_EQ(LeerlaufGrenze_Lesen(QLatin1String(benutzer)), grenze) << benutzer;
}
