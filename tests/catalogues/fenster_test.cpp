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
