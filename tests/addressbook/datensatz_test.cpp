// The address record: splitting and joining with "°°" line breaks, lengths
// and limits, and the list model that holds the records.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"

#include <QSignalSpy>
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
