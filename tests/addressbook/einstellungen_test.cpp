// The window settings: input options, fonts and the colour rule, saving, and
// the remembered list position with its key and clamp.
#include "addressbook/fenstereinstellungen.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/start.h"
#include "support/testplattform.h"

#include <gtest/gtest.h>

using namespace zadressbuch;
using zcommon::Ini_Lesen;
using zcommon::Ini_Schreiben;

namespace {
class EinstellungenTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;
    void SetUp() override
    {
        sitzungZuruecksetzen();
        zcommon::Benutzer_Zuruecksetzen();
    }
    void TearDown() override
    {
        sitzungZuruecksetzen();
        zcommon::Benutzer_Zuruecksetzen();
    }
    static void setzen(const char* k, const QString& w) { Ini_Schreiben({}, {}, QString::fromUtf8(k), w); }
};
} // namespace

TEST_F(EinstellungenTest, EingabeOptionen)
{
    EingabeOptionen o = EingabeOptionen_Laden();
    EXPECT_EQ(o.KatalogStdLand, QStringLiteral("D-"));
    EXPECT_EQ(o.OrtAusPlz, 1);
    EXPECT_EQ(o.AutoFormatUCase, 0);
    EXPECT_EQ(o.AutoFormatTrim, 0);

    setzen("KatalogStdLand", QStringLiteral("CH-"));
    setzen("OrtAusPlz", QStringLiteral("2"));
    setzen("AutoFormatUCase", QStringLiteral("2.5"));
    setzen("AutoFormatTrim", QStringLiteral("ja"));
    o = EingabeOptionen_Laden();
    EXPECT_EQ(o.OrtAusPlz, 1); // any number other than 0
    EXPECT_EQ(o.AutoFormatUCase, 2);
    EXPECT_EQ(o.AutoFormatTrim, 0); // not a number
    EXPECT_EQ(eingabeOptionen().AutoFormatUCase, 2);
    EXPECT_EQ(sitzung().KatalogStdLand, QStringLiteral("CH-"));
    EXPECT_TRUE(sitzung().OrtAusPlz);

    setzen("OrtAusPlz", QStringLiteral("aus"));
    EXPECT_EQ(EingabeOptionen_Laden().OrtAusPlz, 0);
    EXPECT_FALSE(sitzung().OrtAusPlz);
}

TEST_F(EinstellungenTest, SchriftenUndHintergrund)
{
    KartenSchriften aktuell{QStringLiteral("Arial;10;0;0;0;0"), QStringLiteral("Courier New;10;0;0;0;0"),
                            QStringLiteral("Arial;12;-1;0;0;0"), QStringLiteral("Arial;8.25;-1;0;0;0"), 16777215};
    KartenSchriften s = KartenSchriften_Laden(aktuell);
    EXPECT_EQ(s.ein, aktuell.ein);
    EXPECT_EQ(s.kom, aktuell.kom);
    EXPECT_EQ(s.hintergrund, 16777215);

    setzen("SchriftEin", QStringLiteral("Verdana;11;-1;0;0;255"));
    setzen("SchriftBackCol", QStringLiteral("12632256"));
    s = KartenSchriften_Laden(aktuell);
    EXPECT_EQ(s.ein, QStringLiteral("Verdana;11;-1;0;0;255"));
    EXPECT_EQ(s.bem, aktuell.bem);
    EXPECT_EQ(s.hintergrund, 12632256);
}

TEST_F(EinstellungenTest, FarbregelUndSchriftfelder)
{
    EXPECT_EQ(Hintergrund_Pruefen(255, 255), 16777215);         // equal: white
    EXPECT_EQ(Hintergrund_Pruefen(16777215, 16777215), 0);       // white on white: black
    EXPECT_EQ(Hintergrund_Pruefen(12632256, 0), 12632256);
    EXPECT_TRUE(Systemfarbe(-2147483643));
    int index = 0;
    EXPECT_TRUE(Systemfarbe(0x80000008LL, &index));
    EXPECT_EQ(index, 8);
    EXPECT_FALSE(Systemfarbe(16777215));
    for (int i : {11, 15, 16, 0, 24})
        EXPECT_FALSE(FeldBekommtSchrift(i)) << i;
    for (int i : {1, 10, 12, 14, 17, 23})
        EXPECT_TRUE(FeldBekommtSchrift(i)) << i;
}

TEST_F(EinstellungenTest, SichernNichtImLesemodusUndNichtMinimiert)
{
    FensterWerte w;
    w.schriften = {QStringLiteral("Arial;10;0;0;0;0"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                   255};
    w.hoehe = 7000;
    w.weite = 9600;
    w.links = 300;
    w.oben = 150;

    sitzung().NurLesen = true;
    Einstellungen_Sichern(w);
    EXPECT_TRUE(Ini_Lesen({}, {}, QStringLiteral("SchriftEin")).isEmpty());

    sitzung().NurLesen = false;
    Einstellungen_Sichern(w);
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("SchriftEin")), QStringLiteral("Arial;10;0;0;0;0"));
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("SchriftBackCol")), QStringLiteral("255"));
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("Form_Höhe")), QStringLiteral("7000"));
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("Form_Weite")), QStringLiteral("9600"));
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("Form_Links")), QStringLiteral("300"));
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("Form_Oben")), QStringLiteral("150"));

    // Minimised: fonts and colour are written, the geometry keeps its last values.
    w.minimiert = true;
    w.hoehe = 400;
    w.schriften.hintergrund = 0;
    Einstellungen_Sichern(w);
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("SchriftBackCol")), QStringLiteral("0"));
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("Form_Höhe")), QStringLiteral("7000"));
}

TEST_F(EinstellungenTest, ListenPositionSchluesselUndGrenzen)
{
    EXPECT_EQ(ListenPos_Schluessel(QStringLiteral("Anna"), QStringLiteral("D:\\Daten\\kunden.dat")),
              QStringLiteral("User_Anna_kunden_Pos"));
    EXPECT_EQ(ListenPos_Schluessel(QStringLiteral("Anna"), QStringLiteral("/x/y/kunden.2000.dat")),
              QStringLiteral("User_Anna_kunden_Pos"));

    const QString k = QStringLiteral("User_Anna_kunden_Pos");
    EXPECT_EQ(ListenPos_Laden(5, k), 0); // missing: 0
    Ini_Schreiben({}, {}, k, QStringLiteral("7"));
    EXPECT_EQ(ListenPos_Laden(5, k), 4); // past the end: the last
    EXPECT_EQ(ListenPos_Laden(0, k), -1); // empty list: nothing
    Ini_Schreiben({}, {}, k, QStringLiteral("-3"));
    EXPECT_EQ(ListenPos_Laden(5, k), 0);
    EXPECT_EQ(ListenPos_Laden(0, k), -1);
    Ini_Schreiben({}, {}, k, QStringLiteral("2"));
    EXPECT_EQ(ListenPos_Laden(5, k), 2);

    ListenPos_Sichern(-1, k);
    EXPECT_EQ(Ini_Lesen({}, {}, k), QStringLiteral("-1"));
    sitzung().NurLesen = true;
    ListenPos_Sichern(3, k);
    EXPECT_EQ(Ini_Lesen({}, {}, k), QStringLiteral("-1"));
}

TEST_F(EinstellungenTest, ZweiBenutzerGetrennt)
{
    sitzung().AdressDateiName = wurzel.programm() + QStringLiteral("/Kunden.dat");
    setzen("Benutzer", QStringLiteral("Anna"));
    zcommon::Benutzer_Zuruecksetzen();
    ListenPos_Sichern(3);
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("User_Anna_Kunden_Pos")), QStringLiteral("3"));
    setzen("Benutzer", QStringLiteral("Bert"));
    zcommon::Benutzer_Zuruecksetzen();
    ListenPos_Sichern(1);
    EXPECT_EQ(ListenPos_Laden(10), 1);
    EXPECT_EQ(ListenPos_Laden(10, QStringLiteral("User_Anna_Kunden_Pos")), 3);
}
