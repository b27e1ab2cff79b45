#include "adresstest.h"

#include "addressbook/adressliste.h"
#include "addressbook/indexnummern.h"
#include "common/ini.h"

using namespace zadressbuch;

namespace {
const QString K = QStringLiteral("AdressIndex");
} // namespace

class IndexTest : public AdressTest
{
protected:
    QString a() { return zcommon::Ini_Lesen(sitzung().ProgrammIni(), QStringLiteral("Allgemein"), K); }
    QString b() { return zcommon::Ini_Lesen(QString(), QString(), K); }
    void setzen(const QString& x, const QString& y)
    {
        zcommon::Ini_Schreiben(sitzung().ProgrammIni(), QStringLiteral("Allgemein"), K, x);
        zcommon::Ini_Schreiben(QString(), QString(), K, y);
    }
};

TEST_F(IndexTest, VergebenNimmtDenGroesserenWert)
{
    EXPECT_EQ(AdressIndex_Vergeben(1), 2); // first use: both default to 1
    EXPECT_EQ(a(), QStringLiteral("2"));
    EXPECT_EQ(b(), QStringLiteral("2"));

    setzen(QStringLiteral("40"), QStringLiteral("75"));
    EXPECT_EQ(AdressIndex_Vergeben(1), 76);
    EXPECT_EQ(a(), QStringLiteral("76"));
    EXPECT_EQ(b(), QStringLiteral("76"));

    setzen(QStringLiteral("12"), QStringLiteral("30"));
    EXPECT_EQ(AdressIndex_Vergeben(0), 30);
    EXPECT_EQ(a(), QStringLiteral("30"));

    setzen(QStringLiteral("999999999"), QStringLiteral("5"));
    EXPECT_EQ(AdressIndex_Vergeben(1), 1);

    // A value that is no whole number counts as 1, so the other place wins.
    setzen(QStringLiteral("abc"), QStringLiteral("500"));
    EXPECT_EQ(AdressIndex_Vergeben(1), 501);
    setzen(QStringLiteral("600"), QStringLiteral("12.5"));
    EXPECT_EQ(AdressIndex_Vergeben(1), 601);
    // 64-bit values are read as such: beyond the limit starts again at 1.
    setzen(QStringLiteral("5000000000"), QStringLiteral("3"));
    EXPECT_EQ(AdressIndex_Vergeben(1), 1);
    EXPECT_TRUE(plattform.meldungen.empty());
}

TEST_F(IndexTest, KeinePlatzBeschreibbarMeldetEinmal)
{
    // Both places blocked by folders, which fails for every user.
    QDir().mkpath(wurzel.windows() + QStringLiteral("/Zizorud.ini/x"));
    ablegen(wurzel.wurzel() + QStringLiteral("/sperre"), "");
    sitzung().ProgrammIniDatei = wurzel.wurzel() + QStringLiteral("/sperre/Zettlora.Ini");
    zcommon::Ini_CacheLeeren();
    AdressIndex_Vergeben(1);
    AdressIndex_Vergeben(1);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().contains(QStringLiteral("Zettlora.Ini")));
    EXPECT_EQ(plattform.toene.value(0), QStringLiteral("#SystemHand"));
}

TEST_F(IndexTest, SuchenUeberspringtNurDenAusgewaehlten)
{
    AdressListe liste;
    liste.setEintraege({Satz({{1, QStringLiteral("A")}, {23, QStringLiteral("17")}}),
                        Satz({{1, QStringLiteral("B")}, {4, QStringLiteral("12345")}}),
                        Satz({{1, QStringLiteral("C")}, {23, QStringLiteral("18")}}),
                        Satz({{1, QStringLiteral("D")}, {23, QStringLiteral("17")}})});
    ablegen(wurzel.programm() + QStringLiteral("/Sgn_Jo.Wav"), "RIFF");
    ablegen(wurzel.programm() + QStringLiteral("/Sgn_No.Wav"), "RIFF");
    QStringList status;
    sitzung().StatusAnzeige = [&](const QString& t) { status << t; };

    // None selected: the last entry is examined too.
    IndexSuche s = Index_Suchen(liste, 17);
    EXPECT_TRUE(s.gefunden);
    EXPECT_EQ(liste.ListIndex(), 0);
    EXPECT_EQ(status.value(0), QStringLiteral("Suche Index #17"));
    EXPECT_EQ(s.status, QStringLiteral("Bereit"));
    EXPECT_EQ(plattform.toene.value(plattform.toene.size() - 1), wurzel.programm() + QStringLiteral("/Sgn_Jo.Wav"));

    // The next one after the selected, wrapping.
    s = Index_Suchen(liste, 17);
    EXPECT_EQ(s.position, 3);
    s = Index_Suchen(liste, 17);
    EXPECT_EQ(s.position, 0);

    // Any field matches as a whole: a postcode.
    s = Index_Suchen(liste, 12345);
    EXPECT_EQ(s.position, 1);
    // 17.6 searches 18.
    s = Index_Suchen(liste, 17.6);
    EXPECT_EQ(s.position, 2);

    // Only the selected entry holds it: not found, selection stays.
    s = Index_Suchen(liste, 18);
    EXPECT_FALSE(s.gefunden);
    EXPECT_EQ(liste.ListIndex(), 2);
    EXPECT_EQ(s.status, QStringLiteral("Index #18 nicht gefunden"));
    EXPECT_EQ(status.last(), s.status);
    EXPECT_EQ(plattform.toene.value(plattform.toene.size() - 1), wurzel.programm() + QStringLiteral("/Sgn_No.Wav"));

    AdressListe eine;
    eine.setEintraege({Satz({{23, QStringLiteral("5")}})});
    eine.setListIndex(0);
    EXPECT_FALSE(Index_Suchen(eine, 5).gefunden);
    AdressListe leer;
    EXPECT_FALSE(Index_Suchen(leer, 5).gefunden);
}

TEST_F(IndexTest, NeuVergebenNummeriertAlle)
{
    setzen(QStringLiteral("10"), QStringLiteral("20"));
    AdressListe liste;
    liste.setEintraege({Satz({{1, QStringLiteral("A")}, {16, QStringLiteral("01.01.2000")}}),
                        QStringLiteral(" \tB\tmit\tzu\twenig"),
                        Satz({{1, QStringLiteral("C")}, {23, QStringLiteral("99")}})});
    EXPECT_EQ(Index_NeuVergeben(liste), 3);
    EXPECT_EQ(FeldAus(liste.List(0), 23), QStringLiteral("20"));
    EXPECT_EQ(FeldAus(liste.List(0), 16), QStringLiteral("01.01.2000"));
    EXPECT_EQ(FeldAus(liste.List(1), 23), QStringLiteral("21"));
    EXPECT_EQ(FeldAus(liste.List(1), 4), QStringLiteral("wenig"));
    EXPECT_EQ(liste.List(1).count(QLatin1Char('\t')), 24);
    EXPECT_EQ(FeldAus(liste.List(2), 23), QStringLiteral("22"));
    EXPECT_EQ(a(), QStringLiteral("23"));
    EXPECT_EQ(b(), QStringLiteral("23"));
    EXPECT_EQ(sitzung().Geaendert, 1);

    sitzung().NurLesen = true;
    EXPECT_EQ(Index_NeuVergeben(liste), -1);
}
