#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zadressbuch;

namespace {
const QString T = QStringLiteral("\t");
const QString Grad2 = QStringLiteral("°°");

QString Satz(std::initializer_list<QString> felder)
{
    QString s;
    for (const QString& f : felder)
        s += f + T;
    return s;
}
} // namespace

TEST(Datensatz, ZerlegenKurzeLangeUndLeereSaetze)
{
    // 23 separators, as a new entry: 24 empty fields.
    Felder f = Zerlegen(QString(23, QLatin1Char('\t')));
    for (const QString& x : f)
        EXPECT_TRUE(x.isEmpty());

    // No separator: field 0 is the whole record.
    f = Zerlegen(QStringLiteral("nur Text"));
    EXPECT_EQ(f[0], QStringLiteral("nur Text"));
    for (int i = 1; i < FeldAnzahl; ++i)
        EXPECT_TRUE(f[i].isEmpty());

    // More than 24 fields: the rest is ignored.
    QString lang;
    for (int i = 0; i < 30; ++i)
        lang += QString::number(i) + T;
    f = Zerlegen(lang);
    EXPECT_EQ(f[23], QStringLiteral("23"));
    EXPECT_EQ(FeldAus(lang, 23), QStringLiteral("23"));

    // 24 fields without the last separator.
    f = Zerlegen(QStringLiteral("a\tb"));
    EXPECT_EQ(f[0], QStringLiteral("a"));
    EXPECT_EQ(f[1], QStringLiteral("b"));
    EXPECT_TRUE(f[2].isEmpty());
}

TEST(Datensatz, GradZeichen)
{
    Felder f =
        Zerlegen(Satz({QStringLiteral(" "), QStringLiteral("a°°°b"), QStringLiteral("x°y"), QStringLiteral("°°°°")}));
    EXPECT_EQ(f[0], QStringLiteral(" ")); // the blank of an empty field 0 stays
    EXPECT_EQ(f[1], QStringLiteral("a\r\n°b"));
    EXPECT_EQ(f[2], QStringLiteral("x°y"));
    EXPECT_EQ(f[3], QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(FeldAus(Satz({QStringLiteral("0"), QStringLiteral("a°°°b")}), 1), QStringLiteral("a\r\n°b"));
    EXPECT_EQ(FeldRoh(Satz({QStringLiteral("0"), QStringLiteral("a°°°b")}), 1), QStringLiteral("a°°°b"));
    EXPECT_TRUE(FeldAus(QStringLiteral("a\tb"), 5).isEmpty());
    EXPECT_TRUE(FeldAus(QStringLiteral("a\tb"), 24).isEmpty());
}

TEST(Datensatz, VerbindenLeereKarteUndZeilenumbrueche)
{
    Felder leer;
    const QString s = Verbinden(leer);
    EXPECT_EQ(s, QStringLiteral(" ") + QString(24, QLatin1Char('\t')));
    Felder zurueck = Zerlegen(s);
    EXPECT_EQ(zurueck[0], QStringLiteral(" "));
    for (int i = 1; i < FeldAnzahl; ++i)
        EXPECT_TRUE(zurueck[i].isEmpty());

    Felder f;
    f[0] = QStringLiteral("Kunde");
    f[1] = QStringLiteral("Mit\tTab");
    f[11] = QStringLiteral("Zeile 1\r\nZeile 2\nZeile 3\rZeile 4");
    f[12] = QStringLiteral("zwei °° getippt");
    const QString satz = Verbinden(f);
    EXPECT_EQ(satz.count(QLatin1Char('\t')), 24);
    EXPECT_FALSE(satz.contains(QLatin1Char('\r')));
    EXPECT_FALSE(satz.contains(QLatin1Char('\n')));
    EXPECT_TRUE(satz.endsWith(T));
    const Felder g = Zerlegen(satz);
    EXPECT_EQ(g[1], QStringLiteral("Mit Tab"));
    EXPECT_EQ(g[11], QStringLiteral("Zeile 1\r\nZeile 2\r\nZeile 3\r\nZeile 4"));
    EXPECT_EQ(g[12], QStringLiteral("zwei \r\n getippt")); // typed "°°" comes back as a line break
}

TEST(Datensatz, RundreiseUndLaengen)
{
    Felder f;
    for (int i = 0; i < FeldAnzahl; ++i)
        f[i] = QStringLiteral("Feld %1 äöü€").arg(i);
    f[11] = QStringLiteral("a\r\nb");
    EXPECT_EQ(Zerlegen(Verbinden(f)), f);
    EXPECT_EQ(LaengeImDatensatz(QStringLiteral("a\r\nb")), 4);
    EXPECT_EQ(LaengeImDatensatz(QStringLiteral("a\nb")), 4);
    EXPECT_EQ(LaengeImDatensatz(QStringLiteral("a\rb\n")), 6);
    EXPECT_EQ(LeererDatensatz(), QString(23, QLatin1Char('\t')));

    Datensatz_Zerlegen(Satz({QStringLiteral("R"), QStringLiteral("Meier")}));
    EXPECT_EQ(DatensatzFelder[1], QStringLiteral("Meier"));
    EXPECT_EQ(StandardBezeichnungen()[16], QStringLiteral("geändert am"));
    EXPECT_EQ(Eingabegrenze(11), 1024);
    EXPECT_EQ(Eingabegrenze(23), 9);
    EXPECT_EQ(Eingabegrenze(24), 0);
}

TEST(AdressListe, AuswahlFolgtDenEintraegen)
{
    AdressListe l;
    QSignalSpy spy(&l, &AdressListe::auswahlGeaendert);
    l.setEintraege({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_EQ(l.rowCount(), 3);
    EXPECT_EQ(l.data(l.index(1), Qt::DisplayRole).toString(), QStringLiteral("b"));
    l.setListIndex(1);
    l.setListIndex(1);
    EXPECT_EQ(spy.count(), 2); // a selection by the program always runs the click handler
    l.AddItem(QStringLiteral("x"), 0);
    EXPECT_EQ(l.ListIndex(), 2);
    EXPECT_EQ(l.List(2), QStringLiteral("b"));
    l.RemoveItem(0);
    EXPECT_EQ(l.ListIndex(), 1);
    l.setList(1, QStringLiteral("B"));
    EXPECT_EQ(l.List(1), QStringLiteral("B"));
    l.RemoveItem(1);
    EXPECT_EQ(l.ListIndex(), -1);
    l.setListIndex(7);
    EXPECT_EQ(l.ListIndex(), -1);
    l.Clear();
    EXPECT_EQ(l.ListCount(), 0);
}
