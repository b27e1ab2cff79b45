// Sorting: collation, dates, ties, the shape of the entries, the selection.
#include "befehle_hilfe.h"

#include "commands/sortieren.h"

using namespace Qt::StringLiterals;
using zbefehle::Sortieren;
using zbefehle::SortierReihenfolge;

namespace {

// Sorts single texts as the values of field 1 and gives them back in order.
QStringList sortiert(const QStringList& namen)
{
    QStringList eintraege;
    for (const QString& n : namen)
        eintraege << satzMit({{1, n}});
    QStringList r;
    for (int i : SortierReihenfolge(eintraege, 1))
        r << namen.at(i);
    return r;
}

using SortierenTest = BefehleTest;

} // namespace

TEST(Sortierfolge, DeutscheSortierfolge)
{
    const QStringList faelle[][2] = {
        // Umlauts beside their base letters, "ß" as "ss", case ignored.
        {{u"Mumm"_s, u"Müller"_s, u"Zander"_s, u"muller"_s, u"Öztürk"_s, u"Oz"_s, u"Abel"_s, u"Mueller"_s, u"MEIER"_s,
          u"äbi"_s, u"Strauß"_s, u"Strausz"_s, u"Straub"_s},
         {u"Abel"_s, u"äbi"_s, u"MEIER"_s, u"Mueller"_s, u"muller"_s, u"Müller"_s, u"Mumm"_s, u"Oz"_s, u"Öztürk"_s,
          u"Straub"_s, u"Strauß"_s, u"Strausz"_s, u"Zander"_s}},
        // The end of a field before any character, so "Ab" precedes every
        // longer field beginning with it; blanks and punctuation before
        // digits, digits before letters; a field of blanks counts as empty.
        {{u"Abc"_s, u"Ab c"_s, u"Ab"_s, u"Ab-x"_s, u"Ab9"_s, u""_s, u"  "_s, u"9"_s, u"(x)"_s},
         {u""_s, u"  "_s, u"(x)"_s, u"9"_s, u"Ab"_s, u"Ab c"_s, u"Ab-x"_s, u"Ab9"_s, u"Abc"_s}},
        // Equal fields keep their order.
        {{u"meier"_s, u"Meier"_s, u"MEIER"_s}, {u"meier"_s, u"Meier"_s, u"MEIER"_s}},
    };
    for (const auto& [eingabe, erwartet] : faelle)
        EXPECT_EQ(sortiert(eingabe), erwartet);
    EXPECT_TRUE(SortierReihenfolge({satzMit({})}, 24).empty());
    EXPECT_TRUE(SortierReihenfolge({satzMit({})}, -1).empty());
}

TEST_F(SortierenTest, GleichstandEntscheidenDieFolgendenFelder)
{
    // Sort field 1: equal surnames (in any case) are ordered by the first
    // name, and only after field 23 by field 0.
    liste->AddItem(satzMit({{0, u"A"_s}, {1, u"Meier"_s}, {2, u"Uwe"_s}}));
    liste->AddItem(satzMit({{0, u"B"_s}, {1, u"meier"_s}, {2, u"Anna"_s}}));
    liste->AddItem(satzMit({{0, u"B"_s}, {1, u"Meier"_s}, {2, u"Uwe"_s}}));
    liste->AddItem(satzMit({{0, u"A"_s}, {1, u"Meier"_s}, {2, u"Uwe"_s}, {23, u"1"_s}}));
    ASSERT_TRUE(Sortieren(*liste, 1, fenster));
    EXPECT_EQ(spalte(*liste, 2), (QStringList{u"Anna"_s, u"Uwe"_s, u"Uwe"_s, u"Uwe"_s}));
    EXPECT_EQ(spalte(*liste, 23), (QStringList{QString(), QString(), QString(), u"1"_s}));
    EXPECT_EQ(spalte(*liste, 0), (QStringList{u"B"_s, u"A"_s, u"B"_s, u"A"_s}));

    // Sort field 23 wraps round: equal index numbers are ordered by field 0.
    ASSERT_TRUE(Sortieren(*liste, 23, fenster));
    EXPECT_EQ(spalte(*liste, 0), (QStringList{u"A"_s, u"B"_s, u"B"_s, u"A"_s}));
}

// Dates compare as yyyy.mm.dd; a value that is no date sorts as its text
// among them: "1960" between the dates of 1959 and 1962, letters after every
// date; empty values first. A value of ten characters is keyed as a date
// even when it is none: "ab.cd.efgh" as "efgh.cd.ab".
TEST_F(SortierenTest, DatenChronologischAndereWerteAlsTextDazwischen)
{
    for (const QString& g : {u"24.12.1999"_s, u"01.01.2000"_s, QString(), u"31.12.1998"_s, u"unbekannt"_s,
                             u"1.2.1999"_s, u"ab.cd.efgh"_s, u"15.06.1960"_s, u"1960"_s, u"ca. 1950"_s,
                             u"03.03.1962"_s, u"31.12.1959"_s})
        liste->AddItem(satzMit({{1, u"X"_s}, {16, u"31.12.2099"_s}, {20, g}}));
    ASSERT_TRUE(Sortieren(*liste, 20, fenster));
    EXPECT_EQ(spalte(*liste, 20),
              (QStringList{QString(), u"31.12.1959"_s, u"1960"_s, u"15.06.1960"_s, u"03.03.1962"_s, u"31.12.1998"_s,
                           u"1.2.1999"_s, u"24.12.1999"_s, u"01.01.2000"_s, u"ca. 1950"_s, u"ab.cd.efgh"_s,
                           u"unbekannt"_s}));
    // A date field that is not the sort field keeps its form.
    EXPECT_EQ(spalte(*liste, 16), QStringList(12, u"31.12.2099"_s));

    // Fields 15 and 16 sort as dates too, across years.
    liste->Clear();
    for (const QString& d : {u"02.01.2001"_s, u"01.02.2000"_s, u"31.01.2000"_s})
        liste->AddItem(satzMit({{15, d}}));
    ASSERT_TRUE(Sortieren(*liste, 15, fenster));
    EXPECT_EQ(spalte(*liste, 15), (QStringList{u"31.01.2000"_s, u"01.02.2000"_s, u"02.01.2001"_s}));
}

// Two-digit years at the century boundary: 30 to 99 are 19xx, 00 to 29 are
// 20xx, each among the four-digit years of its century.
TEST_F(SortierenTest, ZweistelligeJahreAnDerJahrhundertgrenze)
{
    const QStringList erwartet = {u"1.1.30"_s,    u"01.01.1931"_s, u"31.12.1998"_s, u"1.1.99"_s,
                                  u"1.1.00"_s,    u"01.01.2028"_s, u"1.1.29"_s,     u"2.1.2029"_s};
    for (const QString& g : {erwartet[6], erwartet[3], erwartet[7], erwartet[0], erwartet[4], erwartet[2],
                             erwartet[5], erwartet[1]})
        liste->AddItem(satzMit({{1, u"X"_s}, {20, g}}));
    ASSERT_TRUE(Sortieren(*liste, 20, fenster));
    EXPECT_EQ(spalte(*liste, 20), erwartet);
}

TEST_F(SortierenTest, JederEintragKommtMit24FeldernZurueck)
{
    const QString normal = satzMit({{0, u"C"_s}, {11, u"Zeile 1°°Zeile 2"_s}});
    liste->AddItem(u"B\tKurz"_s);
    liste->AddItem(satzMit({{0, u"A"_s}, {1, u"Lang"_s}}) + u"zuviel\tnoch mehr\t"_s);
    liste->AddItem(normal);
    ASSERT_TRUE(Sortieren(*liste, 0, fenster));
    EXPECT_EQ(liste->eintraege(),
              (QStringList{satzMit({{0, u"A"_s}, {1, u"Lang"_s}}), satzMit({{0, u"B"_s}, {1, u"Kurz"_s}}), normal}));
}

TEST_F(SortierenTest, AuswahlFolgtDemEintragNichtDemText)
{
    namen({u"Xaver"_s, u"Anton"_s, u"Xaver"_s, u"Berta"_s});
    liste->setListIndex(2); // the second of two identical entries
    klicks = 0;
    ASSERT_TRUE(Sortieren(*liste, 1, fenster));
    EXPECT_EQ(spalte(*liste, 1), (QStringList{u"Anton"_s, u"Berta"_s, u"Xaver"_s, u"Xaver"_s}));
    EXPECT_EQ(liste->ListIndex(), 3);
    EXPECT_EQ(klicks, 1); // selected again as a click would: the card shows it
    EXPECT_EQ(zadressbuch::sitzung().UndoKopie, satzMit({{1, u"Xaver"_s}}));

    // Nothing selected: nothing is selected afterwards.
    liste->setListIndex(-1);
    ASSERT_TRUE(Sortieren(*liste, 0, fenster));
    EXPECT_EQ(liste->ListIndex(), -1);
}

TEST_F(SortierenTest, FlagStatusUndFortschrittAuchBeiLeererListe)
{
    const QList<int>& fortschritt = fenster.fortschritte;
    zadressbuch::sitzung().Geaendert = 0;
    ASSERT_TRUE(Sortieren(*liste, 16, fenster));
    EXPECT_EQ(zadressbuch::sitzung().Geaendert, 1);
    EXPECT_EQ(status, (QStringList{u"Sortiere Adressen..."_s, u"Bereit"_s}));
    ASSERT_FALSE(fortschritt.empty());
    EXPECT_EQ(fortschritt.back(), -1); // the progress bar is hidden again

    // A field outside 0..23 does nothing.
    namen({u"B"_s, u"A"_s});
    zadressbuch::sitzung().Geaendert = 0;
    EXPECT_FALSE(Sortieren(*liste, 24, fenster));
    EXPECT_FALSE(Sortieren(*liste, -1, fenster));
    EXPECT_EQ(spalte(*liste, 1), (QStringList{u"B"_s, u"A"_s}));
    EXPECT_EQ(zadressbuch::sitzung().Geaendert, 0);
}

TEST(SortAtClose, ZahlDerLetztenZweiZeichen)
{
    const std::pair<QString, int> faelle[] = {
        {u"-1"_s, -1},
        {u"-5"_s, -1},
        {u"24"_s, -1},
        {u"99"_s, -1},
        {u"Feld 30"_s, -1},
        // No number counts 0.
        {QString(), 0},
        {u"abc"_s, 0},
        {u"x"_s, 0},
        {u"0"_s, 0},
        {u"00"_s, 0},
        {u"5"_s, 5},
        {u" 16"_s, 16},
        {u"23"_s, 23},
        // Only the last two characters count.
        {u"123"_s, 23},
        {u"Feld 7"_s, 7},
        {u"2.5"_s, 0},
        {u"1.5"_s, 0},
    };
    for (const auto& [wert, feld] : faelle)
        EXPECT_EQ(zbefehle::SortAtClose_Feld(wert), feld) << wert.toStdString();
}
