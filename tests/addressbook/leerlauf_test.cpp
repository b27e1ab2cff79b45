// The clock tick: date and time panels, idle warning, idle exit with an
// injected clock; the exit's rounds (open windows closed innermost first, a
// walk stopped, the event loops awaited, a window that keeps coming back
// given up) and a failed save.
#include "adresstest.h"

#include "addressbook/adressliste.h"
#include "addressbook/leerlauf.h"
#include "addressbook/listenlauf.h"
#include "common/ini.h"

#include <QMap>
#include <QTest>

#include <memory>

using namespace zadressbuch;

namespace {

// A stand-in for the window's part of the idle exit: the open windows,
// innermost last.
struct Fensterstapel
{
    QStringList offen;
    QStringList geschlossen;
    QMap<QString, QString> rueckfrage; // closing that window opens this one
    bool schleifeOffen = false;        // an event loop that has not returned
    int abfragen = 0;                  // how often the exit looked whether anything is open
    int gesichert = 0;
    int ohne = 0;

    LeerlaufAusgang ausgang()
    {
        return {[this] {
                    if (offen.isEmpty())
                        return false;
                    const QString f = offen.takeLast();
                    geschlossen << f;
                    if (rueckfrage.contains(f))
                        offen << rueckfrage.value(f);
                    return true;
                },
                [this] {
                    ++abfragen;
                    return !offen.isEmpty() || schleifeOffen;
                },
                [this] { return ++gesichert > 0; },
                [this] { return ++ohne > 0; },
                {}};
    }
};

class LeerlaufTest : public AdressTest
{
protected:
    AdressListe liste;

    void SetUp() override
    {
        AdressTest::SetUp();
        plattform.uhr = QDateTime(QDate(2000, 7, 2), QTime(9, 5, 0));
    }
    void TearDown() override
    {
        Leerlauf_Abbrechen();
        AdressTest::TearDown();
    }

    // Ticks until the exit is decided; returns the counter at that tick (-1: never within the ticks).
    int tickeBisEnde(int ticks, QStringList* warnungen = nullptr)
    {
        for (int i = 0; i < ticks; ++i) {
            const UhrAnzeige a = ZeitTimeOut_Tick();
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
    UhrAnzeige a = ZeitTimeOut_Tick();
    EXPECT_EQ(a.datum, u" 02.07.2000 "_s);
    EXPECT_EQ(a.zeit, u" 09:05 "_s);
    EXPECT_EQ(sitzung().LeerlaufZaehler, 2);
    plattform.uhr = QDateTime(QDate(2001, 12, 31), QTime(23, 59, 30));
    a = ZeitTimeOut_Tick();
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
    UhrAnzeige a = ZeitTimeOut_Tick();
    EXPECT_EQ(a.warnung, u"Automatisches Programmende in 58 Sekunden..."_s);
    for (int i = 0; i < 28; ++i)
        a = ZeitTimeOut_Tick();
    EXPECT_EQ(a.ende, UhrAnzeige::Weiter);
    EXPECT_EQ(ZeitTimeOut_Tick().ende, UhrAnzeige::OhneSichernBeenden);
}

TEST_F(LeerlaufTest, EndeGibtDemLaufEscUndWartetBisErZurueckgekehrtIst)
{
    sitzung().LeerlaufGrenze = 10;
    sitzung().LeerlaufZaehler = 8;
    Fensterstapel fenster;
    auto lauf = std::make_unique<ListenLauf>(liste);
    const UhrAnzeige a = ZeitTimeOut_Tick();
    ASSERT_EQ(a.ende, UhrAnzeige::SpeichernUndBeenden) << "decided while the walk runs";
    Leerlauf_Beenden(a, fenster.ausgang());
    EXPECT_EQ(sitzung().LetzteTaste, 27) << "the walk gets its Esc";
    EXPECT_EQ(fenster.gesichert, 0) << "never while the walk still changes the list";
    EXPECT_TRUE(Leerlauf_AusstiegLaeuft());
    EXPECT_EQ(ZeitTimeOut_Tick().ende, UhrAnzeige::Weiter) << "no second exit meanwhile";
    lauf.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return fenster.gesichert == 1; }));
    EXPECT_FALSE(Leerlauf_AusstiegLaeuft());
}

TEST_F(LeerlaufTest, EndeSchliesstDieOffenenFensterInnenZuerst_AuchNeueRueckfragen)
{
    sitzung().LeerlaufGrenze = 10;
    sitzung().LeerlaufZaehler = 8;
    Fensterstapel fenster;
    fenster.offen = {u"Listendruck"_s, u"Druckoptionen"_s};
    fenster.rueckfrage[u"Listendruck"_s] = u"Frage"_s; // its cancel asks a question
    fenster.schleifeOffen = true;

    Leerlauf_Beenden(ZeitTimeOut_Tick(), fenster.ausgang());
    EXPECT_EQ(fenster.geschlossen, QStringList{u"Druckoptionen"_s}) << "the first round runs within the tick";
    ASSERT_TRUE(QTest::qWaitFor([&] { return fenster.geschlossen.size() == 3 && fenster.abfragen >= 3; }));
    EXPECT_EQ(fenster.geschlossen, (QStringList{u"Druckoptionen"_s, u"Listendruck"_s, u"Frage"_s}));
    EXPECT_EQ(fenster.gesichert, 0) << "an event loop has not returned yet";

    // Meanwhile the file became read-only: the mode at the exit counts.
    sitzung().NurLesen = true;
    fenster.schleifeOffen = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Leerlauf_AusstiegLaeuft(); }));
    EXPECT_EQ(fenster.gesichert, 0);
    EXPECT_EQ(fenster.ohne, 1);
}

TEST_F(LeerlaufTest, EinFensterDasImmerWiederkommtWirdAufgegeben)
{
    sitzung().LeerlaufGrenze = 10;
    sitzung().LeerlaufZaehler = 8;
    Fensterstapel fenster;
    fenster.offen = {u"Frage"_s};
    fenster.rueckfrage[u"Frage"_s] = u"Frage"_s;
    Leerlauf_Beenden(ZeitTimeOut_Tick(), fenster.ausgang());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Leerlauf_AusstiegLaeuft(); }));
    EXPECT_EQ(fenster.geschlossen.size(), LeerlaufHoechstensSchliessen);
    EXPECT_EQ(fenster.gesichert + fenster.ohne, 0);
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0) << "the program goes on; the next try after the full idle time";
}

TEST_F(LeerlaufTest, FehlgeschlagenesSichernBeendetNicht)
{
    sitzung().LeerlaufGrenze = 4;
    sitzung().LeerlaufZaehler = 2;
    const UhrAnzeige a = ZeitTimeOut_Tick();
    ASSERT_EQ(a.ende, UhrAnzeige::SpeichernUndBeenden);
    Fensterstapel fenster;
    bool tickWaehrendAusstieg = true;
    LeerlaufAusgang ausgang = fenster.ausgang();
    ausgang.speichernUndBeenden = [&] {
        ++fenster.gesichert;
        // The clock ticks while the exit runs: it decides no second exit.
        tickWaehrendAusstieg = ZeitTimeOut_Tick().ende != UhrAnzeige::Weiter;
        return false; // the save failed
    };
    Leerlauf_Beenden(a, ausgang);
    EXPECT_EQ(fenster.gesichert, 1);
    EXPECT_EQ(fenster.ohne, 0);
    EXPECT_FALSE(tickWaehrendAusstieg);
    EXPECT_FALSE(Leerlauf_AusstiegLaeuft());
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0); // goes on; the next try after the full idle time
    EXPECT_EQ(ZeitTimeOut_Tick().ende, UhrAnzeige::Weiter);
    EXPECT_EQ(ZeitTimeOut_Tick().ende, UhrAnzeige::SpeichernUndBeenden);
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
