#include "adresstest.h"

#include "addressbook/adressliste.h"
#include "addressbook/karte.h"

#include <QElapsedTimer>
#include <QSignalSpy>

using namespace zadressbuch;

namespace {
const QDate Heute(2000, 7, 2); // the test clock
} // namespace

TEST(KarteRegeln, Alter)
{
    EXPECT_EQ(AlterText(QStringLiteral("15.03.1960"), Heute), QStringLiteral("40 Jahre und\r\n4 Monate alt"));
    EXPECT_EQ(AlterText(QStringLiteral("29.02.1996"), QDate(2000, 2, 28)), QStringLiteral("4 Jahre alt"));
    EXPECT_EQ(AlterText(QStringLiteral("10.06.1999"), Heute), QStringLiteral("1 Jahr und\r\n1 Monat alt"));
    EXPECT_EQ(AlterText(QStringLiteral("30.04.2000"), Heute), QStringLiteral("3 Monate alt"));
    EXPECT_EQ(AlterText(QStringLiteral("01.07.2000"), Heute), QString()); // same month
    EXPECT_EQ(AlterText(QStringLiteral("31.07.2000"), Heute), QString()); // after today
    EXPECT_EQ(AlterText(QStringLiteral("01.01.2001"), Heute), QString()); // future birthday
    EXPECT_EQ(AlterText(QStringLiteral("kein Datum"), Heute), QString());
    EXPECT_EQ(AlterText(QString(), Heute), QString());
}

TEST(KarteRegeln, TageszaehlerUndFelder)
{
    EXPECT_EQ(TageText(QStringLiteral("30.06.2000"), Heute), QStringLiteral("2 Tg."));
    EXPECT_EQ(TageText(QStringLiteral("04.07.2000"), Heute), QStringLiteral("-2 Tg."));
    EXPECT_EQ(TageText(QString(), QDate(2000, 8, 6)), QStringLiteral(">1801 Tg."));
    EXPECT_EQ(TageText(QStringLiteral("irgendwas"), QDate(2000, 8, 6)), QStringLiteral(">1801 Tg."));

    EXPECT_EQ(PositionText(4, 120), QStringLiteral(" Pos. 5 von 120 "));
    EXPECT_EQ(PositionText(-1, 0), QStringLiteral(" Pos. 0 von 0 "));
    EXPECT_EQ(UnsavedText(1), QStringLiteral(" * "));
    EXPECT_EQ(UnsavedText(0), QString());
    EXPECT_EQ(IndexText(QStringLiteral("17")), QStringLiteral(" #17 "));
    EXPECT_EQ(IndexText(QString()), QStringLiteral(" # "));
    EXPECT_EQ(IndexText(QStringLiteral("abc")), QStringLiteral(" # "));
}

TEST(KarteRegeln, EingabeOptionen)
{
    const QString name = QStringLiteral("  müller-lüdenscheidt von straße ");
    EXPECT_EQ(Eingabe_Formatieren(Nachname, name, 0, 1), QStringLiteral("müller-lüdenscheidt von straße"));
    EXPECT_EQ(Eingabe_Formatieren(Nachname, name, 1, 1), QStringLiteral("Müller-Lüdenscheidt Von Straße"));
    EXPECT_EQ(Eingabe_Formatieren(Nachname, name, 2, 0), QStringLiteral("  Müller-lüdenscheidt von straße "));
    EXPECT_EQ(Eingabe_Formatieren(Ort, QStringLiteral("groß-gerau"), 3, 0), QStringLiteral("GROß-GERAU"));
    EXPECT_EQ(Eingabe_Formatieren(Ort, QStringLiteral("ÄRZTEHAUS"), 4, 0), QStringLiteral("ärztehaus"));
    EXPECT_EQ(Eingabe_Formatieren(Plz, QStringLiteral("12345 "), 1, 0), QStringLiteral("12345 "));
    // E-mail and web keep their case, the remark and the locked fields everything.
    EXPECT_EQ(Eingabe_Formatieren(EMail, QStringLiteral(" Info@Firma.de "), 3, 1), QStringLiteral("Info@Firma.de"));
    EXPECT_EQ(Eingabe_Formatieren(Www, QStringLiteral("www.firma.de"), 1, 0), QStringLiteral("www.firma.de"));
    EXPECT_EQ(Eingabe_Formatieren(Bemerkung, QStringLiteral(" zeile "), 3, 1), QStringLiteral(" zeile "));
    EXPECT_EQ(Eingabe_Formatieren(GeaendertAm, QStringLiteral(" x "), 3, 1), QStringLiteral(" x "));
}

TEST_F(AdressTest, AnzeigenDesAusgewaehltenEintrags)
{
    AdressListe liste;
    QStringList e;
    for (int i = 0; i < 120; ++i)
        e << Satz({{1, QStringLiteral("N%1").arg(i)}});
    e[4] = Satz({{1, QStringLiteral("Müller")},
                 {11, QStringLiteral("a\r\nb")},
                 {15, QStringLiteral("30.06.2000")},
                 {20, QStringLiteral("15.03.1960")},
                 {23, QStringLiteral("17")}});
    liste.setEintraege(e);
    liste.setListIndex(4);
    sitzung().Geaendert = 1;
    sitzung().LeerlaufZaehler = 55;

    KartenAnzeige a = Karte_Anzeige(liste);
    EXPECT_EQ(a.felder[0], QStringLiteral(" "));
    EXPECT_EQ(a.felder[1], QStringLiteral("Müller"));
    EXPECT_EQ(a.felder[11], QStringLiteral("a\r\nb"));
    EXPECT_TRUE(a.beschriftungen);
    EXPECT_EQ(a.alter, QStringLiteral("40 Jahre und\r\n4 Monate alt"));
    EXPECT_EQ(a.zeit1, QStringLiteral("2 Tg."));
    EXPECT_EQ(a.zeit2, QStringLiteral(">1766 Tg."));
    EXPECT_EQ(a.position, QStringLiteral(" Pos. 5 von 120 "));
    EXPECT_EQ(a.unsaved, QStringLiteral(" * "));
    EXPECT_EQ(a.index, QStringLiteral(" #17 "));
    EXPECT_EQ(a.status, QStringLiteral("Bereit"));
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0);

    // Nothing selected: empty card, labels left alone.
    liste.setListIndex(-1);
    a = Karte_Anzeige(liste);
    EXPECT_FALSE(a.beschriftungen);
    for (const QString& f : a.felder)
        EXPECT_TRUE(f.isEmpty());
    EXPECT_EQ(a.position, QStringLiteral(" Pos. 0 von 120 "));
    EXPECT_EQ(a.index, QStringLiteral(" # "));
}

TEST_F(AdressTest, UebernehmenStempeltErsetztUndHaengtAn)
{
    AdressListe liste;
    const QString alt = Satz({{1, QStringLiteral("Meier")}, {16, QStringLiteral("01.01.2000")}});
    liste.setEintraege({alt});
    liste.setListIndex(0);

    // A key release that changed nothing still stamps today and replaces.
    Felder karte = Zerlegen(alt);
    KartenSpeicherung s = Karte_Uebernehmen(karte, 0, liste);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_TRUE(s.feld16Gesetzt);
    EXPECT_EQ(s.feld16, QStringLiteral("02.07.2000"));
    EXPECT_EQ(s.aktion, KartenSpeicherung::Ersetzt);
    EXPECT_TRUE(s.neuAnzeigen);
    EXPECT_EQ(FeldAus(liste.List(0), 16), QStringLiteral("02.07.2000"));
    EXPECT_EQ(liste.ListIndex(), 0);

    // Same card again with the date kept: nothing more, but the flag is set.
    sitzung().Geaendert = 0;
    karte = Zerlegen(liste.List(0));
    s = Karte_Uebernehmen(karte, 1, liste);
    EXPECT_EQ(s.aktion, KartenSpeicherung::Nichts);
    EXPECT_FALSE(s.neuAnzeigen);
    EXPECT_FALSE(s.feld16Gesetzt);
    EXPECT_EQ(sitzung().Geaendert, 1);

    // Field 0 cleared: stored as one blank; a TAB pasted into a field becomes a blank.
    karte[0].clear();
    karte[2] = QStringLiteral("Hans\tPeter");
    karte[11] = QStringLiteral("eins\nzwei");
    s = Karte_Uebernehmen(karte, 0, liste);
    EXPECT_TRUE(liste.List(0).startsWith(QStringLiteral(" \tMeier\tHans Peter\t")));
    EXPECT_EQ(FeldAus(liste.List(0), 11), QStringLiteral("eins\r\nzwei"));
    EXPECT_EQ(liste.List(0).count(QLatin1Char('\t')), 24);

    // Nothing selected: appended and selected (the click handler runs).
    liste.setListIndex(-1);
    QSignalSpy spy(&liste, &AdressListe::auswahlGeaendert);
    Felder neu;
    neu[1] = QStringLiteral("Neu");
    s = Karte_Uebernehmen(neu, 0, liste);
    EXPECT_EQ(s.aktion, KartenSpeicherung::Angehaengt);
    EXPECT_TRUE(s.neuAnzeigen);
    EXPECT_EQ(liste.ListCount(), 2);
    EXPECT_EQ(liste.ListIndex(), 1);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(FeldAus(liste.List(1), 1), QStringLiteral("Neu"));

    // Read-only: no store at all.
    sitzung().NurLesen = true;
    sitzung().Geaendert = 0;
    neu[1] = QStringLiteral("Verboten");
    s = Karte_Uebernehmen(neu, 0, liste);
    EXPECT_EQ(s.aktion, KartenSpeicherung::NurLesen);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(FeldAus(liste.List(1), 1), QStringLiteral("Neu"));
}

TEST_F(AdressTest, GrenzeDesBemerkungsfelds)
{
    AdressListe liste;
    Felder karte;
    karte[1] = QStringLiteral("Meier");         // 5
    karte[11] = QString(300, QLatin1Char('x')); // not counted
    karte[12] = QStringLiteral("a\r\nb");       // 4 (a line break counts 2)
    karte[13] = QStringLiteral("a\nb");         // 4
    KartenSpeicherung s = Karte_Uebernehmen(karte, 1, liste);
    EXPECT_EQ(s.feld11Grenze, 1000 - 13);
    // With field 16 stamped, its ten characters count as well.
    s = Karte_Uebernehmen(karte, 0, liste);
    EXPECT_EQ(s.feld11Grenze, 1000 - 23);

    // Other fields longer than 1000 characters: no more typing, but stored.
    karte[10] = QString(1200, QLatin1Char('z'));
    s = Karte_Uebernehmen(karte, 0, liste);
    EXPECT_EQ(s.feld11Grenze, 0);
    EXPECT_EQ(FeldAus(liste.List(liste.ListIndex()), 10).size(), 1200);
    EXPECT_EQ(FeldAus(liste.List(liste.ListIndex()), 11).size(), 300);
}

TEST_F(AdressTest, AnzeigenUndUebernehmenSindSchnellBeiVollerListe)
{
    AdressListe liste;
    QStringList e;
    for (int i = 0; i < MaxAdressen; ++i)
        e << Satz({{1, QStringLiteral("Name %1").arg(i)}, {5, QStringLiteral("Ort")}});
    liste.setEintraege(e);
    liste.setListIndex(MaxAdressen - 1);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 100; ++i) {
        KartenAnzeige a = Karte_Anzeige(liste);
        Felder karte = a.felder;
        karte[2] = QString::number(i);
        Karte_Uebernehmen(karte, 0, liste);
    }
    EXPECT_LT(t.elapsed(), 100); // well under 1 ms each
}

TEST_F(AdressTest, AuswahlListenUndFeldwerte)
{
    wurzel.schreiben(QStringLiteral("programm/liste05.txt"), QStringLiteral("Berlin  \r\nKöln\r\n\r\n"));
    EXPECT_EQ(AuswahlListe_Laden(5), (QStringList{QStringLiteral("Berlin"), QStringLiteral("Köln")}));
    EXPECT_TRUE(AuswahlListe_Laden(6).isEmpty());

    AdressListe liste;
    liste.setEintraege({Satz({{5, QStringLiteral("Bonn")}}), Satz({{5, QStringLiteral("Ulm")}}),
                        Satz({{5, QStringLiteral("Bonn")}}), Satz({})});
    EXPECT_EQ(Daten_Suchen(liste, 5), (QStringList{QStringLiteral("Bonn"), QStringLiteral("Ulm")}));
    EXPECT_TRUE(Daten_Suchen(liste, 0).isEmpty());
}
