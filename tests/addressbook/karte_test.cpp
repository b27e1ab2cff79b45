// The card's show and store rules: age, day counters, panels, input options,
// storing with the date stamp, the remark field's limit, the full list, the
// fields' choice lists; and the card helpers: per-file settings, the address
// block and the digit filter.
#include "adresstest.h"

#include "addressbook/adressliste.h"
#include "addressbook/dateiini.h"
#include "addressbook/karte.h"
#include "common/ini.h"

#include <QLineEdit>
#include <QSignalSpy>

using namespace zadressbuch;

namespace {
const QDate Heute(2000, 7, 2); // the test clock
} // namespace

TEST(KarteRegeln, AlterTageUndPanels_DieUebrigenFaelleInKarteAnzeige)
{
    EXPECT_EQ(AlterText(u"15.03.1960"_s, Heute), u"40 Jahre und\r\n4 Monate alt"_s);
    EXPECT_EQ(AlterText(u"10.06.1999"_s, Heute), u"1 Jahr und\r\n1 Monat alt"_s);
    EXPECT_EQ(AlterText(u"30.04.2000"_s, Heute), u"3 Monate alt"_s);
    for (const char* leer : {"01.07.2000", "31.07.2000", "01.01.2001", "kein Datum", ""}) // same month, after today
        EXPECT_EQ(AlterText(QLatin1String(leer), Heute), QString()) << leer;
    EXPECT_EQ(AlterText(u"29.02.1996"_s, QDate(2000, 2, 28)), u"4 Jahre alt"_s);

    EXPECT_EQ(TageText(u"04.07.2000"_s, Heute), u"-2 Tg."_s);
    EXPECT_EQ(TageText(QString(), QDate(2000, 8, 6)), u">1801 Tg."_s);
    EXPECT_EQ(TageText(u"irgendwas"_s, QDate(2000, 8, 6)), u">1801 Tg."_s);

    EXPECT_EQ(PositionText(-1, 0), u" Pos. 0 von 0 "_s);
    EXPECT_EQ(IndexText(u"abc"_s), u" # "_s);
}

TEST(KarteRegeln, EingabeOptionen)
{
    const QString name = u"  müller-lüdenscheidt von straße "_s;
    EXPECT_EQ(Eingabe_Formatieren(Nachname, name, 0, 1), u"müller-lüdenscheidt von straße"_s);
    EXPECT_EQ(Eingabe_Formatieren(Nachname, name, 1, 1), u"Müller-Lüdenscheidt Von Straße"_s);
    EXPECT_EQ(Eingabe_Formatieren(Nachname, name, 2, 0), u"  Müller-lüdenscheidt von straße "_s);
    EXPECT_EQ(Eingabe_Formatieren(Ort, u"groß-gerau"_s, 3, 0), u"GROß-GERAU"_s);
    EXPECT_EQ(Eingabe_Formatieren(Ort, u"ÄRZTEHAUS"_s, 4, 0), u"ärztehaus"_s);
    EXPECT_EQ(Eingabe_Formatieren(Plz, u"12345 "_s, 1, 0), u"12345 "_s);
    // E-mail and web keep their case, the remark and the locked fields everything.
    EXPECT_EQ(Eingabe_Formatieren(EMail, u" Info@Firma.de "_s, 3, 1), u"Info@Firma.de"_s);
    EXPECT_EQ(Eingabe_Formatieren(Www, u"www.firma.de"_s, 1, 0), u"www.firma.de"_s);
    EXPECT_EQ(Eingabe_Formatieren(Bemerkung, u" zeile "_s, 3, 1), u" zeile "_s);
    EXPECT_EQ(Eingabe_Formatieren(GeaendertAm, u" x "_s, 3, 1), u" x "_s);
}

TEST_F(AdressTest, AnzeigenDesAusgewaehltenEintrags)
{
    AdressListe liste;
    QStringList e;
    for (int i = 0; i < 120; ++i)
        e << Satz({{1, u"N%1"_s.arg(i)}});
    e[4] = Satz({{1, u"Müller"_s}, {11, u"a\r\nb"_s}, {15, u"30.06.2000"_s}, {20, u"15.03.1960"_s}, {23, u"17"_s}});
    liste.setEintraege(e);
    liste.setListIndex(4);
    sitzung().Geaendert = 1;
    sitzung().LeerlaufZaehler = 55;

    KartenAnzeige a = Karte_Anzeige(liste);
    EXPECT_EQ(a.felder[0], u" "_s);
    EXPECT_EQ(a.felder[1], u"Müller"_s);
    EXPECT_EQ(a.felder[11], u"a\r\nb"_s);
    EXPECT_EQ(a.alter, u"40 Jahre und\r\n4 Monate alt"_s);
    EXPECT_EQ(a.zeit1, u"2 Tg."_s);
    EXPECT_EQ(a.zeit2, u">1766 Tg."_s);
    EXPECT_EQ(a.position, u" Pos. 5 von 120 "_s);
    EXPECT_EQ(a.unsaved, u" * "_s);
    EXPECT_EQ(a.index, u" #17 "_s);
    EXPECT_EQ(a.status, u"Bereit"_s);
    EXPECT_EQ(sitzung().LeerlaufZaehler, 0) << "showing an address is activity";

    // Nothing selected: an empty card, and no age or day counts of another address.
    liste.setListIndex(-1);
    a = Karte_Anzeige(liste);
    EXPECT_EQ(a.felder, Felder{});
    EXPECT_EQ(a.alter, QString());
    EXPECT_EQ(a.zeit1, QString());
    EXPECT_EQ(a.zeit2, QString());
    EXPECT_EQ(a.position, u" Pos. 0 von 120 "_s);
    EXPECT_EQ(a.index, u" # "_s);
}

TEST_F(AdressTest, UebernehmenStempeltErsetztUndHaengtAn)
{
    AdressListe liste;
    const QString alt = Satz({{1, u"Meier"_s}, {16, u"01.01.2000"_s}});
    liste.setEintraege({alt});
    liste.setListIndex(0);

    // A key release that changed nothing still stamps today and replaces.
    Felder karte = Zerlegen(alt);
    KartenSpeicherung s = Karte_Uebernehmen(karte, 0, liste);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_TRUE(s.feld16Gesetzt);
    EXPECT_EQ(s.feld16, u"02.07.2000"_s);
    EXPECT_EQ(s.aktion, KartenSpeicherung::Ersetzt);
    EXPECT_TRUE(s.neuAnzeigen);
    EXPECT_EQ(FeldAus(liste.List(0), GeaendertAm), u"02.07.2000"_s);
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
    karte[2] = u"Hans\tPeter"_s;
    karte[11] = u"eins\nzwei"_s;
    Karte_Uebernehmen(karte, 0, liste);
    EXPECT_TRUE(liste.List(0).startsWith(u" \tMeier\tHans Peter\t"_s));
    EXPECT_EQ(FeldAus(liste.List(0), Bemerkung), u"eins\r\nzwei"_s);
    EXPECT_EQ(liste.List(0).count(u'\t'), 24);

    // Nothing selected: appended and selected (the click handler runs).
    liste.setListIndex(-1);
    QSignalSpy spy(&liste, &AdressListe::auswahlGeaendert);
    Felder neu;
    neu[1] = u"Neu"_s;
    s = Karte_Uebernehmen(neu, 0, liste);
    EXPECT_EQ(s.aktion, KartenSpeicherung::Angehaengt);
    EXPECT_TRUE(s.neuAnzeigen);
    EXPECT_EQ(liste.ListCount(), 2);
    EXPECT_EQ(liste.ListIndex(), 1);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(FeldAus(liste.List(1), Nachname), u"Neu"_s);

    // Read-only: no store at all.
    sitzung().NurLesen = true;
    sitzung().Geaendert = 0;
    neu[1] = u"Verboten"_s;
    EXPECT_EQ(Karte_Uebernehmen(neu, 0, liste).aktion, KartenSpeicherung::NurLesen);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(FeldAus(liste.List(1), Nachname), u"Neu"_s);
}

TEST_F(AdressTest, VolleListeNimmtKeineNeueAdresseAuf)
{
    AdressListe liste;
    liste.setEintraege(QStringList(MaxAdressen, Satz({{1, u"Name"_s}})));
    Felder neu;
    neu[1] = u"Eine zu viel"_s;
    EXPECT_EQ(Karte_Uebernehmen(neu, 0, liste).aktion, KartenSpeicherung::KeinPlatz);
    EXPECT_EQ(liste.ListCount(), MaxAdressen);
    EXPECT_TRUE(plattform.letzteMeldung().startsWith(u"Kein Platz mehr in der aktuellen Adressenliste."_s));
}

TEST_F(AdressTest, GrenzeDesBemerkungsfelds)
{
    AdressListe liste;
    Felder karte;
    karte[1] = u"Meier"_s;          // 5
    karte[11] = QString(300, u'x'); // not counted
    karte[12] = u"a\r\nb"_s;        // 4 (a line break counts 2)
    karte[13] = u"a\nb"_s;          // 4
    EXPECT_EQ(Karte_Uebernehmen(karte, 1, liste).feld11Grenze, 1000 - 13);
    // With field 16 stamped, its ten characters count as well.
    EXPECT_EQ(Karte_Uebernehmen(karte, 0, liste).feld11Grenze, 1000 - 23);

    // Other fields longer than 1000 characters: no more typing, but stored.
    karte[10] = QString(1200, u'z');
    EXPECT_EQ(Karte_Uebernehmen(karte, 0, liste).feld11Grenze, 0);
    EXPECT_EQ(FeldAus(liste.List(liste.ListIndex()), Zusatz).size(), 1200);
    EXPECT_EQ(FeldAus(liste.List(liste.ListIndex()), Bemerkung).size(), 300);
}

TEST_F(AdressTest, AuswahlListenUndFeldwerte)
{
    wurzel.schreiben(u"programm/liste05.txt"_s, u"Berlin  \r\nKöln\r\n\r\n"_s);
    EXPECT_EQ(AuswahlListe_Laden(5), (QStringList{u"Berlin"_s, u"Köln"_s}));
    EXPECT_TRUE(AuswahlListe_Laden(6).isEmpty());

    AdressListe liste;
    liste.setEintraege({Satz({{5, u"Bonn"_s}}), Satz({{5, u"Ulm"_s}}), Satz({{5, u"Bonn"_s}}), Satz({})});
    EXPECT_EQ(Daten_Suchen(liste, 5), (QStringList{u"Bonn"_s, u"Ulm"_s}));
    EXPECT_TRUE(Daten_Suchen(liste, 0).isEmpty());
}

TEST_F(AdressTest, DateiIniSektionNachDateiname)
{
    sitzung().AdressDateiName = u"/irgendwo/anders/Kunden.dat"_s;
    EXPECT_EQ(sitzung().DateiSektion(), u"Kunden.dat"_s);
    zcommon::Ini_Schreiben(sitzung().ProgrammIni(), u"Kunden.dat"_s, u"TimeOut_tester"_s, u"600"_s);
    EXPECT_EQ(DateiIni_Lesen(u"TimeOut_tester"_s), u"600"_s);
    EXPECT_EQ(DateiIni_Lesen(u"Fehlt"_s), QString());
    DateiIni_Schreiben(u"Vorgabe_05"_s, u"Berlin"_s);
    sitzung().AdressDateiName = daten + u"/Kunden.dat"_s;
    EXPECT_EQ(DateiIni_Lesen(u"Vorgabe_05"_s), u"Berlin"_s);
    sitzung().AdressDateiName.clear();
    EXPECT_EQ(DateiIni_Lesen(u"Vorgabe_05"_s, u"x"_s), u"x"_s);
}

TEST_F(AdressTest, AnschriftBilden)
{
    Felder k = Zerlegen(Satz({{Vorname, u"Hans"_s},
                              {Nachname, u"Müller"_s},
                              {Zusatz, u"c/o Meier"_s},
                              {Strasse, u" Hauptstr. 5 "_s},
                              {Plz, u"12345"_s},
                              {Ort, u"Berlin"_s}}));
    k[Rubrik].clear();
    // Zusatz not wanted (default).
    EXPECT_EQ(Anschrift_Bilden(k, 0), u"Hans Müller\r\nHauptstr. 5\r\n12345 Berlin\r\n"_s);

    zcommon::Ini_Schreiben({}, {}, u"ZusatzZurAnschrift"_s, u"2"_s);
    EXPECT_EQ(Anschrift_Bilden(k, 1), u"c/o Meier\r\nHans Müller\r\nHauptstr. 5\r\n\r\n12345 Berlin\r\n"_s);
    zcommon::Ini_Schreiben({}, {}, u"ZusatzZurAnschrift"_s, u"1"_s);
    k[Land] = u"Deutschland"_s;
    EXPECT_EQ(Anschrift_Bilden(k, 0), u"Hans Müller\r\nc/o Meier\r\nHauptstr. 5\r\n12345 Berlin\r\nDeutschland\r\n"_s);

    Felder nur;
    nur[Nachname] = u"Müller"_s;
    EXPECT_EQ(Anschrift_Bilden(nur, 1), u"Müller\r\n"_s); // no empty line without a place
    nur[Ort] = u"Berlin"_s;
    EXPECT_EQ(Anschrift_Bilden(nur, 0), u"Müller\r\nBerlin\r\n"_s);
    EXPECT_EQ(Anschrift_Bilden(Felder{}, 1), QString());

    // From the selected entry of the program's list.
    AdressListe& liste = adressliste();
    liste.setEintraege({Verbinden(nur)});
    liste.setListIndex(0);
    EXPECT_EQ(Anschrift_Bilden(0), u"Müller\r\nBerlin\r\n"_s);
    liste.Clear();
    EXPECT_EQ(Anschrift_Bilden(0), QString());
}

TEST(Karte, ZiffernFiltern)
{
    EXPECT_EQ(Ziffern_Filtern(u"+49 (0)30 / 123-45"_s), u"4903012345"_s);
    EXPECT_EQ(Ziffern_Filtern(u"keine"_s), QString());
}

TEST_F(AdressTest, UebernehmenKuerztKeinLangesFeldDasNiemandBearbeitete)
{
    AdressListe liste;
    const QString lang = QString(40000, u'x') + u"Ende"_s;
    const QString alt = Satz({{1, u"Meier"_s}, {14, lang}});
    liste.setEintraege({alt});
    liste.setListIndex(0);

    // The card's line field holds only the first 32767 characters.
    QLineEdit feld;
    feld.setText(lang);
    ASSERT_EQ(feld.text().size(), ZeilenfeldGrenze);
    Felder karte = Zerlegen(alt);
    karte[14] = feld.text();
    Karte_Uebernehmen(karte, 0, liste);
    EXPECT_EQ(FeldAus(liste.List(0), 14), lang);
    EXPECT_EQ(FeldAus(liste.List(0), GeaendertAm), u"02.07.2000"_s);

    // An edit of that field is the user's: it stands.
    karte = Zerlegen(liste.List(0));
    karte[14] = feld.text().left(ZeilenfeldGrenze - 1) + u'y';
    Karte_Uebernehmen(karte, 0, liste);
    EXPECT_EQ(FeldAus(liste.List(0), 14), karte[14]);
}
