#include "adresstest.h"

#include "addressbook/adressliste.h"
#include "addressbook/dateiini.h"
#include "common/ini.h"

using namespace zadressbuch;

TEST_F(AdressTest, DateiIniSektionNachDateiname)
{
    sitzung().AdressDateiName = QStringLiteral("/irgendwo/anders/Kunden.dat");
    EXPECT_EQ(sitzung().DateiSektion(), QStringLiteral("Kunden.dat"));
    zcommon::Ini_Schreiben(sitzung().ProgrammIni(), QStringLiteral("Kunden.dat"), QStringLiteral("TimeOut_tester"),
                           QStringLiteral("600"));
    EXPECT_EQ(DateiIni_Lesen(QStringLiteral("TimeOut_tester")), QStringLiteral("600"));
    EXPECT_EQ(DateiIni_Lesen(QStringLiteral("Fehlt")), QString());
    DateiIni_Schreiben(QStringLiteral("Vorgabe_05"), QStringLiteral("Berlin"));
    sitzung().AdressDateiName = daten + QStringLiteral("/Kunden.dat");
    EXPECT_EQ(DateiIni_Lesen(QStringLiteral("Vorgabe_05")), QStringLiteral("Berlin"));
    sitzung().AdressDateiName.clear();
    EXPECT_EQ(DateiIni_Lesen(QStringLiteral("Vorgabe_05"), QStringLiteral("x")), QStringLiteral("x"));
}

TEST_F(AdressTest, AnschriftBilden)
{
    Felder k;
    k[Vorname] = QStringLiteral("Hans");
    k[Nachname] = QStringLiteral("Müller");
    k[Zusatz] = QStringLiteral("c/o Meier");
    k[Strasse] = QStringLiteral(" Hauptstr. 5 ");
    k[Plz] = QStringLiteral("12345");
    k[Ort] = QStringLiteral("Berlin");

    // Zusatz not wanted (default).
    EXPECT_EQ(Anschrift_Bilden(k, 0), QStringLiteral("Hans Müller\r\nHauptstr. 5\r\n12345 Berlin\r\n"));

    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("ZusatzZurAnschrift"), QStringLiteral("2"));
    EXPECT_EQ(Anschrift_Bilden(k, 1),
              QStringLiteral("c/o Meier\r\nHans Müller\r\nHauptstr. 5\r\n\r\n12345 Berlin\r\n"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("ZusatzZurAnschrift"), QStringLiteral("1"));
    k[Land] = QStringLiteral("Deutschland");
    EXPECT_EQ(Anschrift_Bilden(k, 0),
              QStringLiteral("Hans Müller\r\nc/o Meier\r\nHauptstr. 5\r\n12345 Berlin\r\nDeutschland\r\n"));

    Felder nur;
    nur[Nachname] = QStringLiteral("Müller");
    nur[Ort] = QStringLiteral("Berlin");
    EXPECT_EQ(Anschrift_Bilden(nur, 0), QStringLiteral("Müller\r\nBerlin\r\n"));
    Felder ohneOrt;
    ohneOrt[Nachname] = QStringLiteral("Müller");
    EXPECT_EQ(Anschrift_Bilden(ohneOrt, 1), QStringLiteral("Müller\r\n")); // no empty line without a place
    EXPECT_EQ(Anschrift_Bilden(Felder{}, 1), QString());

    // From the selected entry of the program's list.
    AdressListe& liste = adressliste();
    liste.setEintraege({Verbinden(nur)});
    liste.setListIndex(0);
    EXPECT_EQ(Anschrift_Bilden(0), QStringLiteral("Müller\r\nBerlin\r\n"));
    liste.Clear();
    EXPECT_EQ(Anschrift_Bilden(0), QString());
}

TEST(Karte, ZiffernFiltern)
{
    EXPECT_EQ(Ziffern_Filtern(QStringLiteral("+49 (0)30 / 123-45")), QStringLiteral("4903012345"));
    EXPECT_EQ(Ziffern_Filtern(QStringLiteral("keine")), QString());
}
