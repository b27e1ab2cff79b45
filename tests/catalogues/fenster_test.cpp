// The catalogues in the real main window, assembled as the program does it.
#include "addressbook/main_hilfen.h"

using namespace zadressbuch;
using namespace Qt::StringLiterals;

namespace {

class KatalogFenster : public main_test::MainFensterTest
{
};

} // namespace

TEST_F(KatalogFenster, PlzVerlassenErgaenztOrtUndAnredeImFenster)
{
    wurzel.schreiben(u"programm/Kataloge/D-PLZ_Ort_1.txt"_s, u"[PLZ]\r\n10115=Berlin\r\n"_s);
    wurzel.schreiben(u"programm/Kataloge/Vornamen.txt"_s, u"2 Anna\r\n"_s);
    adressdatei({u"..Test"_s, main_test::zeile({{Nachname, u"Muster"_s}, {Vorname, u"Anna"_s}})});
    Main& m = starten();
    adressliste().setListIndex(0);

    main_test::fokus(m.Feld(Plz), true);
    main_test::tippen(m.Feld(Plz), u"10115"_s);
    main_test::fokus(m.Feld(Plz), false);
    EXPECT_EQ(m.FeldText(Ort), u"Berlin"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Ort), u"Berlin"_s);

    main_test::fokus(m.Feld(Anrede), true);
    EXPECT_EQ(m.FeldText(Anrede), u"Frau"_s);
    main_test::fokus(m.Feld(Anrede), false);
    EXPECT_EQ(FeldAus(eintrag(0), Anrede), u"Frau"_s);

    // A menu command of the catalogues through the window.
    plattform.antworten.enqueue(zplatform::vbOK);
    m.befehlAusfuehren(Befehl::mnuStatistikPLZ);
    ASSERT_FALSE(plattform.meldungen.empty());
    EXPECT_TRUE(plattform.letzteMeldung().contains(u"Erfasst sind 1 Adressen mit Postleitzahl."_s))
        << plattform.letzteMeldung().toStdString();
    EXPECT_EQ(panel("Status"), u"Bereit"_s);
}

// "BLZ - Kreditinstitut" from the menu: a bank code whose long entry already
// holds the name keeps every name stored under it and counts nothing; only a
// name it does not hold replaces a long entry.
TEST_F(KatalogFenster, BankUebernahmeBehaeltLangenEintragMitDemNamen)
{
    QStringList namen;
    for (int i = 0; namen.join(u", "_s).size() <= 201; ++i)
        namen << u"Volksbank Filiale %1"_s.arg(i, 2, 10, QLatin1Char('0'));
    const QString lang = u"Sparkasse Mitte, "_s + namen.join(u", "_s);
    ASSERT_GT(lang.size(), 201);
    const QString vorher = u"[BLZ]\r\n12345678="_s + lang + u"\r\n12000000="_s + lang + u"\r\n"_s;
    wurzel.schreiben(u"programm/Kataloge/D-BLZ_1.Txt"_s, vorher);
    adressdatei({u"..Test"_s, main_test::zeile({{Nachname, u"Muster"_s}, {Bankleitzahl, u"12345678"_s},
                                                {Kreditinstitut, u"sparkasse mitte"_s}})});
    Main& m = starten();

    plattform.meldungen.clear();
    plattform.antworten.enqueue(zplatform::vbOK);
    m.aktion(u"mnuUebernahmeBlzBank"_s)->trigger();
    ASSERT_EQ(plattform.meldungen.size(), 2u);
    EXPECT_EQ(plattform.meldungen[1].text, u"Keine BLZ-Kreditinstitute wurden übernommen."_s);
    EXPECT_EQ(wurzel.lesen(u"programm/Kataloge/D-BLZ_1.Txt"_s).toStdString(), vorher.toStdString());

    // A name the long entry does not hold replaces it.
    adressliste().AddItem(main_test::zeile({{Nachname, u"Beispiel"_s}, {Bankleitzahl, u"12000000"_s},
                                            {Kreditinstitut, u"Postbank"_s}}));
    plattform.meldungen.clear();
    plattform.antworten.enqueue(zplatform::vbOK);
    m.aktion(u"mnuUebernahmeBlzBank"_s)->trigger();
    ASSERT_EQ(plattform.meldungen.size(), 2u);
    EXPECT_EQ(plattform.meldungen[1].text, u"1 BLZ-Kreditinstitute wurde übernommen."_s);
    EXPECT_EQ(wurzel.lesen(u"programm/Kataloge/D-BLZ_1.Txt"_s).toStdString(),
              (u"[BLZ]\r\n12345678="_s + lang + u"\r\n12000000=Postbank\r\n"_s).toStdString());
}
