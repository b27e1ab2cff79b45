// The card's catalogue events and the registered commands, run through the
// command register against the window stand-in.
#include "katalogtest.h"

#include "addressbook/befehle.h"
#include "catalogues/karte.h"
#include "catalogues/ui/befehle.h"

using namespace zkataloge;
using namespace zadressbuch;

class KarteTest : public KatalogTest
{
protected:
    Befehlsregister register_;

    KarteTest()
    {
        Befehle_Anmelden(register_);
        katalog(QStringLiteral("D-PLZ_Ort_5.txt"),
                {QStringLiteral("[PLZ]"), QStringLiteral("50667=Köln, Köln-Altstadt"), QStringLiteral("53111=Bonn")});
        katalog(QStringLiteral("D-PLZ_Vorwahl_5.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("50667=0221, 02203")});
        katalog(QStringLiteral("D-BLZ_3.Txt"), {QStringLiteral("[BLZ]"), QStringLiteral("37040044=Commerzbank")});
    }
    bool verlassen(int feld) { return register_.melden(Kartenereignis::Feld_LostFocus, fenster, feld); }
    bool doppelklick(int feld) { return register_.melden(Kartenereignis::Feld_DblClick, fenster, feld); }
};

TEST_F(KarteTest, PlzVerlassenFuelltDenOrt)
{
    fenster.felder[Plz] = QStringLiteral("53111");
    EXPECT_TRUE(verlassen(Plz));
    EXPECT_EQ(fenster.felder[Ort], QStringLiteral("Bonn"));
    EXPECT_TRUE(fenster.auswahlAngebote.isEmpty());

    // several places: the pick list; a cancel keeps the place field as it was
    fenster.felder[Plz] = QStringLiteral("D-50667");
    fenster.felder[Ort].clear();
    EXPECT_FALSE(verlassen(Plz));
    EXPECT_EQ(fenster.auswahlAngebote.size(), 1);
    EXPECT_EQ(fenster.felder[Ort], QString());
    fenster.auswahlAntworten.enqueue({QStringLiteral("Köln-Altstadt")});
    EXPECT_TRUE(verlassen(Plz));
    EXPECT_EQ(fenster.felder[Ort], QStringLiteral("Köln-Altstadt"));

    // a place already there, the option off, read-only mode: nothing
    fenster.felder[Plz] = QStringLiteral("53111");
    EXPECT_FALSE(verlassen(Plz));
    EXPECT_EQ(fenster.felder[Ort], QStringLiteral("Köln-Altstadt"));
    fenster.felder[Ort].clear();
    sitzung().OrtAusPlz = false;
    EXPECT_FALSE(verlassen(Plz));
    sitzung().OrtAusPlz = true;
    sitzung().NurLesen = true;
    EXPECT_FALSE(verlassen(Plz));
    EXPECT_EQ(fenster.felder[Ort], QString());
    EXPECT_EQ(fenster.auswahlAngebote.size(), 2);
}

TEST_F(KarteTest, BlzVerlassenFuelltDieBank)
{
    fenster.felder[Bankleitzahl] = QStringLiteral(" 37040044");
    EXPECT_TRUE(verlassen(Bankleitzahl));
    EXPECT_EQ(fenster.felder[Kreditinstitut], QStringLiteral("Commerzbank"));
    fenster.felder[Bankleitzahl] = QStringLiteral("37040045");
    fenster.felder[Kreditinstitut].clear();
    EXPECT_FALSE(verlassen(Bankleitzahl));
    EXPECT_FALSE(verlassen(Nachname));
}

TEST_F(KarteTest, DoppelklickOrtBankUndTelefon)
{
    fenster.felder[Plz] = QStringLiteral("50667");
    fenster.felder[Ort] = QStringLiteral("Köln");
    fenster.auswahlAntworten.enqueue({QStringLiteral("Köln-Altstadt")});
    EXPECT_TRUE(doppelklick(Ort));
    EXPECT_EQ(fenster.felder[Ort], QStringLiteral("Köln-Altstadt"));
    EXPECT_EQ(fenster.uebernahmen, QList<int>{0});

    // nothing in the catalogue: the field's own list gets its turn
    fenster.felder[Plz] = QStringLiteral("60000");
    EXPECT_FALSE(doppelklick(Ort));

    fenster.felder[Plz] = QStringLiteral("50667");
    fenster.felder[Telefon] = QStringLiteral("123456");
    fenster.auswahlAntworten.enqueue({QStringLiteral("02203")});
    EXPECT_TRUE(doppelklick(Telefon));
    EXPECT_EQ(fenster.auswahlAngebote.last(), (QStringList{QStringLiteral("0221"), QStringLiteral("02203")}));
    EXPECT_EQ(fenster.felder[Telefon], QStringLiteral("02203 / 123456"));
    EXPECT_TRUE(doppelklick(Telefax)); // cancelled: unchanged, but handled
    EXPECT_EQ(fenster.felder[Telefax], QString());

    fenster.felder[Bankleitzahl] = QStringLiteral("37040044");
    fenster.felder[Kreditinstitut] = QStringLiteral("Alt");
    EXPECT_TRUE(doppelklick(Kreditinstitut));
    EXPECT_EQ(fenster.felder[Kreditinstitut], QStringLiteral("Commerzbank"));
    EXPECT_FALSE(doppelklick(Strasse));
}

TEST(VorwahlEinsetzen, Tabelle)
{
    const std::pair<const char*, const char*> faelle[] = {
        {"", "0221 / "},
        {"123456", "0221 / 123456"},
        {"089 / 123", "0221 / 123"},
        {"0171/1234567", "0171/1234567"},
        {"+49 89 123", "+49 89 123"},
    };
    for (const auto& [vorher, nachher] : faelle)
        EXPECT_EQ(Vorwahl_Einsetzen(QString::fromUtf8(vorher), QStringLiteral("0221")), QString::fromUtf8(nachher))
            << vorher;
}

TEST_F(KarteTest, AnredeBeimBetretenVorgeschlagen)
{
    wurzel.schreiben(QStringLiteral("programm/Kataloge/Vornamen.txt"),
                     crlf({QStringLiteral("2 Anna"), QStringLiteral("1 Karl")}));
    fenster.felder[Vorname] = QStringLiteral("Anna");
    EXPECT_TRUE(register_.melden(Kartenereignis::Feld_GotFocus, fenster, Anrede));
    EXPECT_EQ(fenster.felder[Anrede], QStringLiteral("Frau"));
    fenster.felder[Vorname] = QStringLiteral("Karl Heinz");
    EXPECT_FALSE(register_.melden(Kartenereignis::Feld_GotFocus, fenster, Anrede)); // filled: kept
    fenster.felder[Anrede].clear();
    EXPECT_TRUE(register_.melden(Kartenereignis::Feld_GotFocus, fenster, Anrede));
    EXPECT_EQ(fenster.felder[Anrede], QStringLiteral("Herr"));
    fenster.felder[Anrede].clear();
    fenster.felder[Vorname] = QStringLiteral("Kim");
    EXPECT_FALSE(register_.melden(Kartenereignis::Feld_GotFocus, fenster, Anrede));
    EXPECT_FALSE(register_.melden(Kartenereignis::Feld_GotFocus, fenster, Vorname));
    EXPECT_EQ(fenster.felder[Anrede], QString());
}

TEST_F(KarteTest, BefehleSindAngemeldet)
{
    for (Befehl b : {Befehl::mnuSucheBlzBank, Befehl::mnuSuchePlzOrt, Befehl::mnuUebernahmeBlzBank,
                     Befehl::mnuUebernahmePlzOrt, Befehl::mnuUebernahmePlzVorwahl, Befehl::mnuUebernahmeVornAnrede,
                     Befehl::mnuUebernahmeEmail, Befehl::mnuStatistikFeldSuche, Befehl::mnuStatistikPLZ}) {
        EXPECT_TRUE(register_.angemeldet(b)) << Befehl_Name(b).toStdString();
        for (const BefehlZeile* z : befehlZeilen(b))
            EXPECT_EQ(z->nurLesenGesperrt, Befehl_Name(b).startsWith(QStringLiteral("mnuUebernahme"))) << z->name;
    }
    // Read-only: the take-over asks nothing and learns nothing.
    sitzung().NurLesen = true;
    adressen({satzMit({{Plz, QStringLiteral("10115")}, {Ort, QStringLiteral("Berlin")}})});
    register_.ausfuehren(Befehl::mnuUebernahmePlzOrt, fenster);
    EXPECT_TRUE(plattform.meldungen.empty());
    sitzung().NurLesen = false;
    plattform.antworten.enqueue(zplatform::vbOK);
    register_.ausfuehren(Befehl::mnuUebernahmePlzOrt, fenster);
    EXPECT_EQ(plattform.letzteMeldung(), QStringLiteral("1 PLZ-Ortsnamen wurde übernommen."));
    EXPECT_EQ(katalogText(QStringLiteral("D-PLZ_Ort_1.txt")), QStringLiteral("[PLZ]\r\n10115=Berlin\r\n"));
}
