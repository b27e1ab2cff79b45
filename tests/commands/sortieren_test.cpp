// Sorting: collation, dates, ties, the shape of the entries, the selection.
#include "befehle_hilfe.h"

#include "commands/sortieren.h"

using zadressbuch::FeldAus;
using zbefehle::Sortieren;
using zbefehle::SortierReihenfolge;

namespace {

// The values of one field of the list, in list order.
QStringList spalte(const zadressbuch::AdressListe& l, int feld)
{
    QStringList r;
    for (int i = 0; i < l.ListCount(); ++i)
        r << FeldAus(l.List(i), feld);
    return r;
}

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

} // namespace

using SortierenTest = BefehleTest;

TEST(Sortierfolge, UmlauteBeiIhrenGrundbuchstabenOhneGrossKlein)
{
    EXPECT_EQ(
        sortiert({QStringLiteral("Mumm"), QStringLiteral("Müller"), QStringLiteral("Zander"), QStringLiteral("muller"),
                  QStringLiteral("Öztürk"), QStringLiteral("Oz"), QStringLiteral("Abel"), QStringLiteral("Mueller"),
                  QStringLiteral("MEIER"), QStringLiteral("äbi"), QStringLiteral("Strauß"), QStringLiteral("Strausz"),
                  QStringLiteral("Straub")}),
        (QStringList{QStringLiteral("Abel"), QStringLiteral("äbi"), QStringLiteral("MEIER"), QStringLiteral("Mueller"),
                     QStringLiteral("muller"), QStringLiteral("Müller"), QStringLiteral("Mumm"), QStringLiteral("Oz"),
                     QStringLiteral("Öztürk"), QStringLiteral("Straub"), QStringLiteral("Strauß"),
                     QStringLiteral("Strausz"), QStringLiteral("Zander")}));
}

TEST(Sortierfolge, LeerVorZeichenVorZiffernVorBuchstaben)
{
    // The end of a field comes before any character, so "Ab" precedes every
    // longer field beginning with it; blanks and punctuation before digits,
    // digits before letters; a field of blanks counts as empty.
    EXPECT_EQ(sortiert({QStringLiteral("Abc"), QStringLiteral("Ab c"), QStringLiteral("Ab"), QStringLiteral("Ab-x"),
                        QStringLiteral("Ab9"), QStringLiteral(""), QStringLiteral("  "), QStringLiteral("9"),
                        QStringLiteral("(x)")}),
              (QStringList{QStringLiteral(""), QStringLiteral("  "), QStringLiteral("(x)"), QStringLiteral("9"),
                           QStringLiteral("Ab"), QStringLiteral("Ab c"), QStringLiteral("Ab-x"), QStringLiteral("Ab9"),
                           QStringLiteral("Abc")}));
}

TEST(Sortierfolge, GleicheFelderBehaltenIhreReihenfolge)
{
    const QStringList e{satzMit({{1, QStringLiteral("meier")}}), satzMit({{1, QStringLiteral("Meier")}}),
                        satzMit({{1, QStringLiteral("MEIER")}})};
    EXPECT_EQ(SortierReihenfolge(e, 1), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(SortierReihenfolge(e, 24).empty());
    EXPECT_TRUE(SortierReihenfolge(e, -1).empty());
}

TEST_F(SortierenTest, GleichstandEntscheidenDieFolgendenFelder)
{
    // Sort field 1: equal surnames (in any case) are ordered by the first
    // name, and only after field 23 by field 0.
    liste->AddItem(satzMit({{0, QStringLiteral("A")}, {1, QStringLiteral("Meier")}, {2, QStringLiteral("Uwe")}}));
    liste->AddItem(satzMit({{0, QStringLiteral("B")}, {1, QStringLiteral("meier")}, {2, QStringLiteral("Anna")}}));
    liste->AddItem(satzMit({{0, QStringLiteral("B")}, {1, QStringLiteral("Meier")}, {2, QStringLiteral("Uwe")}}));
    liste->AddItem(satzMit({{0, QStringLiteral("A")},
                            {1, QStringLiteral("Meier")},
                            {2, QStringLiteral("Uwe")},
                            {23, QStringLiteral("1")}}));
    ASSERT_TRUE(Sortieren(*liste, 1));
    EXPECT_EQ(spalte(*liste, 2), (QStringList{QStringLiteral("Anna"), QStringLiteral("Uwe"), QStringLiteral("Uwe"),
                                              QStringLiteral("Uwe")}));
    EXPECT_EQ(spalte(*liste, 23), (QStringList{QString(), QString(), QString(), QStringLiteral("1")}));
    EXPECT_EQ(spalte(*liste, 0),
              (QStringList{QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A")}));

    // Sort field 23 wraps round: equal index numbers are ordered by field 0.
    ASSERT_TRUE(Sortieren(*liste, 23));
    EXPECT_EQ(spalte(*liste, 0),
              (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B"), QStringLiteral("A")}));
}

TEST_F(SortierenTest, DatenChronologischLeereUndUngueltigeZuerst)
{
    const QStringList geburtstage{
        QStringLiteral("24.12.1999"), QStringLiteral("01.01.2000"), QString(),
        QStringLiteral("31.12.1998"), QStringLiteral("unbekannt"),  QStringLiteral("1.2.1999"),
        QStringLiteral("ab.cd.efgh"), QStringLiteral("15.06.1960")};
    for (const QString& g : geburtstage)
        liste->AddItem(satzMit({{1, QStringLiteral("X")}, {16, QStringLiteral("31.12.2099")}, {20, g}}));
    ASSERT_TRUE(Sortieren(*liste, 20));
    EXPECT_EQ(spalte(*liste, 20),
              (QStringList{QString(), QStringLiteral("ab.cd.efgh"), QStringLiteral("unbekannt"),
                           QStringLiteral("15.06.1960"), QStringLiteral("31.12.1998"), QStringLiteral("1.2.1999"),
                           QStringLiteral("24.12.1999"), QStringLiteral("01.01.2000")}));
    // A date field that is not the sort field keeps its form.
    for (int i = 0; i < liste->ListCount(); ++i)
        EXPECT_EQ(FeldAus(liste->List(i), 16), QStringLiteral("31.12.2099"));

    // Fields 15 and 16 sort as dates too, across years.
    liste->Clear();
    for (const QString& d : {QStringLiteral("02.01.2001"), QStringLiteral("01.02.2000"), QStringLiteral("31.01.2000")})
        liste->AddItem(satzMit({{15, d}}));
    ASSERT_TRUE(Sortieren(*liste, 15));
    EXPECT_EQ(spalte(*liste, 15),
              (QStringList{QStringLiteral("31.01.2000"), QStringLiteral("01.02.2000"), QStringLiteral("02.01.2001")}));
}

TEST_F(SortierenTest, JederEintragKommtMit24FeldernZurueck)
{
    const QString kurz = QStringLiteral("B\tKurz");
    QString lang = satzMit({{0, QStringLiteral("A")}, {1, QStringLiteral("Lang")}});
    lang += QStringLiteral("zuviel\tnoch mehr\t");
    const QString normal = satzMit({{0, QStringLiteral("C")}, {11, QStringLiteral("Zeile 1°°Zeile 2")}});
    liste->AddItem(kurz);
    liste->AddItem(lang);
    liste->AddItem(normal);
    ASSERT_TRUE(Sortieren(*liste, 0));
    ASSERT_EQ(liste->ListCount(), 3);
    EXPECT_EQ(liste->List(0), satzMit({{0, QStringLiteral("A")}, {1, QStringLiteral("Lang")}}));
    EXPECT_EQ(liste->List(1), satzMit({{0, QStringLiteral("B")}, {1, QStringLiteral("Kurz")}}));
    EXPECT_EQ(liste->List(2), normal);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(liste->List(i).count(QLatin1Char('\t')), 24);
}

TEST_F(SortierenTest, AuswahlFolgtDemEintragNichtDemText)
{
    const QString x = satzMit({{1, QStringLiteral("Xaver")}});
    const QString a = satzMit({{1, QStringLiteral("Anton")}});
    liste->AddItem(x);
    liste->AddItem(a);
    liste->AddItem(x);
    liste->AddItem(satzMit({{1, QStringLiteral("Berta")}}));
    liste->setListIndex(2); // the second of two identical entries
    klicks = 0;
    ASSERT_TRUE(Sortieren(*liste, 1));
    EXPECT_EQ(spalte(*liste, 1), (QStringList{QStringLiteral("Anton"), QStringLiteral("Berta"), QStringLiteral("Xaver"),
                                              QStringLiteral("Xaver")}));
    EXPECT_EQ(liste->ListIndex(), 3);
    EXPECT_EQ(klicks, 1); // selected again as a click would: the card shows it
    EXPECT_EQ(zadressbuch::sitzung().UndoKopie, x);

    // Nothing selected: nothing is selected afterwards.
    liste->setListIndex(-1);
    ASSERT_TRUE(Sortieren(*liste, 0));
    EXPECT_EQ(liste->ListIndex(), -1);
}

TEST_F(SortierenTest, SetztGeaendertUndStatusAuchBeiLeererListe)
{
    std::vector<int> fortschritt;
    zbefehle::anbindung().Fortschritt = [&](int w) { fortschritt.push_back(w); };
    zadressbuch::sitzung().Geaendert = 0;
    ASSERT_TRUE(Sortieren(*liste, 16));
    EXPECT_EQ(zadressbuch::sitzung().Geaendert, 1);
    EXPECT_EQ(status, (QStringList{QStringLiteral("Sortiere Adressen..."), QStringLiteral("Bereit")}));
    ASSERT_FALSE(fortschritt.empty());
    EXPECT_EQ(fortschritt.back(), -1); // the progress bar is hidden again

    liste->AddItem(satzMit({{1, QStringLiteral("Einzeln")}}));
    zadressbuch::sitzung().Geaendert = 0;
    ASSERT_TRUE(Sortieren(*liste, 1));
    EXPECT_EQ(zadressbuch::sitzung().Geaendert, 1);
    EXPECT_EQ(liste->ListCount(), 1);
}

TEST_F(SortierenTest, FeldAusserhalbTutNichts)
{
    liste->AddItem(satzMit({{1, QStringLiteral("B")}}));
    liste->AddItem(satzMit({{1, QStringLiteral("A")}}));
    zadressbuch::sitzung().Geaendert = 0;
    EXPECT_FALSE(Sortieren(*liste, 24));
    EXPECT_FALSE(Sortieren(*liste, -1));
    EXPECT_EQ(spalte(*liste, 1), (QStringList{QStringLiteral("B"), QStringLiteral("A")}));
    EXPECT_EQ(zadressbuch::sitzung().Geaendert, 0);
}

TEST(SortAtClose, NurGanzeZahlen0Bis23)
{
    using zbefehle::SortAtClose_Feld;
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral("-1")), -1);
    EXPECT_EQ(SortAtClose_Feld(QString()), -1);
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral("abc")), -1);
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral("24")), -1);
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral("123")), -1);
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral("2.5")), -1);
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral("0")), 0);
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral("00")), 0);
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral("5")), 5);
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral(" 16 ")), 16);
    EXPECT_EQ(SortAtClose_Feld(QStringLiteral("23")), 23);
}
