// The address record: splitting and joining with "°°" line breaks, lengths
// and limits, and the list model that holds the records.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"

#include <QSignalSpy>
#include <algorithm>
#include <random>
#include <gtest/gtest.h>

using namespace zadressbuch;
using namespace Qt::StringLiterals;

TEST(Datensatz, ZerlegenKurzeLangeUndLeereSaetze)
{
    // 23 separators, as a new entry: 24 empty fields.
    EXPECT_EQ(Zerlegen(QString(23, u'\t')), Felder{});
    // No separator: field 0 is the whole record.
    Felder nur;
    nur[0] = u"nur Text"_s;
    EXPECT_EQ(Zerlegen(u"nur Text"_s), nur);
    // More than 24 fields: the rest is ignored.
    QString lang;
    for (int i = 0; i < 30; ++i)
        lang += QString::number(i) + u'\t';
    EXPECT_EQ(Zerlegen(lang)[23], u"23"_s);
    EXPECT_EQ(FeldAus(lang, 23), u"23"_s);
    // Fewer fields without the last separator.
    const Felder f = Zerlegen(u"a\tb"_s);
    EXPECT_EQ(f[0], u"a"_s);
    EXPECT_EQ(f[1], u"b"_s);
    EXPECT_TRUE(f[2].isEmpty());
}

TEST(Datensatz, GradZeichen)
{
    const Felder f = Zerlegen(u" \ta°°°b\tx°y\t°°°°\t"_s);
    EXPECT_EQ(f[0], u" "_s); // the blank of an empty field 0 stays
    EXPECT_EQ(f[1], u"a\r\n°b"_s);
    EXPECT_EQ(f[2], u"x°y"_s);
    EXPECT_EQ(f[3], u"\r\n\r\n"_s);
    EXPECT_EQ(FeldAus(u"0\ta°°°b\t"_s, 1), u"a\r\n°b"_s);
    EXPECT_EQ(FeldRoh(u"0\ta°°°b\t"_s, 1), u"a°°°b"_s);
    EXPECT_TRUE(FeldAus(u"a\tb"_s, 5).isEmpty());
    EXPECT_TRUE(FeldAus(u"a\tb"_s, 24).isEmpty());
}

TEST(Datensatz, VerbindenLeereKarteUndZeilenumbrueche)
{
    const QString s = Verbinden(Felder{});
    EXPECT_EQ(s, u" "_s + QString(24, u'\t'));
    Felder zurueck;
    zurueck[0] = u" "_s;
    EXPECT_EQ(Zerlegen(s), zurueck);

    Felder f;
    f[0] = u"Kunde"_s;
    f[1] = u"Mit\tTab"_s;
    f[11] = u"Zeile 1\r\nZeile 2\nZeile 3\rZeile 4"_s;
    f[12] = u"zwei °° getippt"_s;
    const QString satz = Verbinden(f);
    EXPECT_EQ(satz.count(u'\t'), 24);
    EXPECT_FALSE(satz.contains(u'\r'));
    EXPECT_FALSE(satz.contains(u'\n'));
    EXPECT_TRUE(satz.endsWith(u'\t'));
    const Felder g = Zerlegen(satz);
    EXPECT_EQ(g[1], u"Mit Tab"_s);
    EXPECT_EQ(g[11], u"Zeile 1\r\nZeile 2\r\nZeile 3\r\nZeile 4"_s);
    EXPECT_EQ(g[12], u"zwei \r\n getippt"_s); // typed "°°" comes back as a line break
}

TEST(Datensatz, RundreiseUndLaengen)
{
    Felder f;
    for (int i = 0; i < FeldAnzahl; ++i)
        f[i] = u"Feld %1 äöü€"_s.arg(i);
    f[11] = u"a\r\nb"_s;
    EXPECT_EQ(Zerlegen(Verbinden(f)), f);
    EXPECT_EQ(LaengeImDatensatz(u"a\r\nb"_s), 4);
    EXPECT_EQ(LaengeImDatensatz(u"a\nb"_s), 4);
    EXPECT_EQ(LaengeImDatensatz(u"a\rb\n"_s), 6);
    EXPECT_EQ(LeererDatensatz(), QString(23, u'\t'));

    Datensatz_Zerlegen(u"R\tMeier\t"_s);
    EXPECT_EQ(DatensatzFelder[1], u"Meier"_s);
    EXPECT_EQ(Eingabegrenze(11), 1024);
    EXPECT_EQ(Eingabegrenze(24), 0);
}

TEST(AdressListe, AuswahlFolgtDenEintraegen)
{
    AdressListe l;
    QSignalSpy spy(&l, &AdressListe::auswahlGeaendert);
    l.setEintraege({u"a"_s, u"b"_s, u"c"_s});
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_EQ(l.rowCount(), 3);
    EXPECT_EQ(l.data(l.index(1), Qt::DisplayRole).toString(), u"b"_s);
    l.setListIndex(1);
    l.setListIndex(1);
    EXPECT_EQ(spy.count(), 2); // a selection by the program always runs the click handler
    l.AddItem(u"x"_s, 0);
    EXPECT_EQ(l.ListIndex(), 2);
    EXPECT_EQ(l.List(2), u"b"_s);
    l.RemoveItem(0);
    EXPECT_EQ(l.ListIndex(), 1);
    l.RemoveItem(1);
    EXPECT_EQ(l.ListIndex(), -1);
    l.setListIndex(7);
    EXPECT_EQ(l.ListIndex(), -1);
    l.Clear();
    EXPECT_EQ(l.ListCount(), 0);
}

// Adding and removing many entries in one step gives what entry-by-entry
// changes give (entries, selection, the limit), checked on random cases.
TEST(AdressListe, VieleAufEinmalWieEinzeln)
{
    std::mt19937 zufall(17);
    for (int fall = 0; fall < 300; ++fall) {
        SCOPED_TRACE(fall);
        const int n = int(zufall() % 40);
        QStringList start;
        for (int i = 0; i < n; ++i)
            start << QString::number(i);
        AdressListe viele, einzeln;
        viele.setEintraege(start);
        einzeln.setEintraege(start);
        const int gewaehlt = int(zufall() % (n + 1)) - 1;
        viele.setListIndex(gewaehlt);
        einzeln.setListIndex(gewaehlt);
        QSignalSpy auswahl(&viele, &AdressListe::auswahlGeaendert);

        // Rows to remove: any order, repeated, some outside the list.
        QList<int> weg;
        for (int k = int(zufall() % 12); k > 0; --k)
            weg << int(zufall() % (n + 3)) - 1;
        if (fall % 3 == 0 && n > 4) // one block
            weg = {n / 2, n / 2 + 1, n / 2 + 2};
        QList<int> absteigend = weg;
        std::sort(absteigend.begin(), absteigend.end(), std::greater<int>());
        absteigend.erase(std::unique(absteigend.begin(), absteigend.end()), absteigend.end());
        int entfernt = 0;
        for (int z : absteigend) {
            if (z >= 0 && z < einzeln.ListCount()) {
                einzeln.RemoveItem(z);
                ++entfernt;
            }
        }
        EXPECT_EQ(viele.RemoveItems(weg), entfernt);
        EXPECT_EQ(viele.eintraege(), einzeln.eintraege());
        EXPECT_EQ(viele.ListIndex(), einzeln.ListIndex());

        QStringList neu;
        for (int k = int(zufall() % 5); k > 0; --k)
            neu << u"neu%1"_s.arg(k);
        for (const QString& e : neu)
            einzeln.AddItem(e);
        EXPECT_EQ(viele.AddItems(neu), neu.size());
        EXPECT_EQ(viele.eintraege(), einzeln.eintraege());
        EXPECT_EQ(viele.ListIndex(), einzeln.ListIndex());
        EXPECT_EQ(auswahl.count(), 0) << "callers select what they want shown";
    }

    // The 32000 limit: as many as there is room for.
    AdressListe l;
    l.setEintraege(QStringList(MaxAdressen - 2, u"x"_s));
    QSignalSpy eingefuegt(&l, &QAbstractItemModel::rowsInserted);
    EXPECT_EQ(l.AddItems({u"a"_s, u"b"_s, u"c"_s}), 2);
    EXPECT_EQ(l.ListCount(), MaxAdressen);
    EXPECT_EQ(l.List(MaxAdressen - 1), u"b"_s);
    EXPECT_EQ(l.AddItems({u"d"_s}), 0);
    EXPECT_EQ(eingefuegt.count(), 1) << "one insertion for the view";
}
