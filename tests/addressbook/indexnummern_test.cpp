// Index numbers: handing out the next number from its two places, searching
// an index, and numbering all addresses anew.
#include "support/fensterattrappe.h"
#include "adresstest.h"

#include "addressbook/adressliste.h"
#include "addressbook/indexnummern.h"
#include "common/ini.h"

using namespace zadressbuch;

namespace {

class IndexTest : public AdressTest
{
protected:
    // The two places of the last number: the program's settings and Zizorud.ini.
    static QString a() { return zcommon::Ini_Lesen(sitzung().ProgrammIni(), u"Allgemein"_s, u"AdressIndex"_s); }
    static QString b() { return zcommon::Ini_Lesen(QString(), QString(), u"AdressIndex"_s); }
    static void setzen(const QString& x, const QString& y)
    {
        zcommon::Ini_Schreiben(sitzung().ProgrammIni(), u"Allgemein"_s, u"AdressIndex"_s, x);
        zcommon::Ini_Schreiben(QString(), QString(), u"AdressIndex"_s, y);
    }
};

} // namespace

TEST_F(IndexTest, VergebenNimmtDenGroesserenWert)
{
    EXPECT_EQ(AdressIndex_Vergeben(1), 2); // first use: both default to 1
    EXPECT_EQ(a(), u"2"_s);
    EXPECT_EQ(b(), u"2"_s);

    const struct
    {
        const char16_t *a, *b;
        int erhoehen;
        qint64 nummer;
    } faelle[] = {
        {u"40", u"75", 1, 76},       // the greater of the two, plus one
        {u"12", u"30", 0, 30},       // without adding
        {u"999999999", u"5", 1, 1},  // beyond the limit: 1 again
        {u"abc", u"500", 1, 501},    // no whole number counts as 1, so the other place wins
        {u"600", u"12.5", 1, 601},   // ... here too
        {u"5000000000", u"3", 1, 1}, // read as 64 bits
    };
    for (const auto& f : faelle) {
        setzen(QString::fromUtf16(f.a), QString::fromUtf16(f.b));
        EXPECT_EQ(AdressIndex_Vergeben(f.erhoehen), f.nummer) << QString::fromUtf16(f.a).toStdString();
        EXPECT_EQ(a(), QString::number(f.nummer));
        EXPECT_EQ(b(), QString::number(f.nummer));
    }
    EXPECT_TRUE(plattform.meldungen.empty());
}

TEST_F(IndexTest, KeinPlatzBeschreibbarMeldetEinmal)
{
    // Both places blocked by folders, which fails for every user.
    QDir().mkpath(wurzel.windows() + u"/Zizorud.ini/x"_s);
    ablegen(wurzel.wurzel() + u"/sperre"_s, "");
    sitzung().ProgrammIniDatei = wurzel.wurzel() + u"/sperre/Zettlora.Ini"_s;
    zcommon::Ini_CacheLeeren();
    AdressIndex_Vergeben(1);
    AdressIndex_Vergeben(1);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"Zettlora.Ini"_s));
    EXPECT_EQ(plattform.toene.value(0), u"#SystemHand"_s);
}

TEST_F(IndexTest, SuchenUeberspringtNurDenAusgewaehlten)
{
    AdressListe liste;
    liste.setEintraege({Satz({{1, u"A"_s}, {23, u"17"_s}}), Satz({{1, u"B"_s}, {4, u"12345"_s}}),
                        Satz({{1, u"C"_s}, {23, u"18"_s}}), Satz({{1, u"D"_s}, {23, u"17"_s}})});
    ablegen(wurzel.programm() + u"/Sgn_Jo.Wav"_s, "RIFF");
    ablegen(wurzel.programm() + u"/Sgn_No.Wav"_s, "RIFF");
    FensterAttrappe fenster;
    const QStringList& status = fenster.statusTexte;

    // None selected: the last entry is examined too.
    IndexSuche s = Index_Suchen(liste, 17, fenster);
    EXPECT_TRUE(s.gefunden);
    EXPECT_EQ(liste.ListIndex(), 0);
    EXPECT_EQ(status.value(0), u"Suche Index #17"_s);
    EXPECT_EQ(s.status, u"Bereit"_s);
    EXPECT_EQ(plattform.toene.last(), wurzel.programm() + u"/Sgn_Jo.Wav"_s);

    // The next one after the selected, wrapping; any field matches as a whole
    // (a postcode); 17.6 searches 18.
    const std::pair<double, int> folge[] = {{17, 3}, {17, 0}, {12345, 1}, {17.6, 2}};
    for (const auto& [nummer, position] : folge)
        EXPECT_EQ(Index_Suchen(liste, nummer, fenster).position, position) << nummer;

    // Only the selected entry holds it: not found, selection stays.
    s = Index_Suchen(liste, 18, fenster);
    EXPECT_FALSE(s.gefunden);
    EXPECT_EQ(liste.ListIndex(), 2);
    EXPECT_EQ(s.status, u"Index #18 nicht gefunden"_s);
    EXPECT_EQ(status.last(), s.status);
    EXPECT_EQ(plattform.toene.last(), wurzel.programm() + u"/Sgn_No.Wav"_s);

    AdressListe eine;
    eine.setEintraege({Satz({{23, u"5"_s}})});
    eine.setListIndex(0);
    EXPECT_FALSE(Index_Suchen(eine, 5, fenster).gefunden);
    AdressListe leer;
    EXPECT_FALSE(Index_Suchen(leer, 5, fenster).gefunden);
}

TEST_F(IndexTest, NeuVergebenNummeriertAlle)
{
    setzen(u"10"_s, u"20"_s);
    AdressListe liste;
    liste.setEintraege(
        {Satz({{1, u"A"_s}, {16, u"01.01.2000"_s}}), u" \tB\tmit\tzu\twenig"_s, Satz({{1, u"C"_s}, {23, u"99"_s}})});
    EXPECT_EQ(Index_NeuVergeben(liste), 3);
    EXPECT_EQ(FeldAus(liste.List(0), Index), u"20"_s);
    EXPECT_EQ(FeldAus(liste.List(0), GeaendertAm), u"01.01.2000"_s) << "the change date stays";
    EXPECT_EQ(FeldAus(liste.List(1), Index), u"21"_s);
    EXPECT_EQ(FeldAus(liste.List(1), Plz), u"wenig"_s);
    EXPECT_EQ(liste.List(1).count(u'\t'), 24);
    EXPECT_EQ(FeldAus(liste.List(2), Index), u"22"_s);
    EXPECT_EQ(a(), u"23"_s);
    EXPECT_EQ(b(), u"23"_s);
    EXPECT_EQ(sitzung().Geaendert, 1);

    sitzung().NurLesen = true;
    EXPECT_EQ(Index_NeuVergeben(liste), -1);
}
