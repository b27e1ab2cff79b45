// The window settings: input options, the colour rule, saving, and the
// remembered list position with its key and clamp. Loading the fonts is shown
// in main_layout_test.
#include "adresstest.h"

#include "addressbook/fenstereinstellungen.h"
#include "common/ini.h"
#include "common/start.h"

using namespace zadressbuch;

namespace {
class EinstellungenTest : public AdressTest
{
protected:
    void SetUp() override
    {
        AdressTest::SetUp();
        zcommon::Benutzer_Zuruecksetzen();
    }
    void TearDown() override
    {
        AdressTest::TearDown();
        zcommon::Benutzer_Zuruecksetzen();
    }
    static void setzen(const QString& k, const QString& w) { zcommon::Ini_Schreiben({}, {}, k, w); }
    static QString lesen(const QString& k) { return zcommon::Ini_Lesen({}, {}, k); }
};
} // namespace

TEST_F(EinstellungenTest, EingabeOptionen)
{
    EingabeOptionen o = EingabeOptionen_Laden();
    EXPECT_EQ(o.KatalogStdLand, u"D-"_s);
    EXPECT_EQ(o.OrtAusPlz, 1);
    EXPECT_EQ(o.AutoFormatUCase, 0);
    EXPECT_EQ(o.AutoFormatTrim, 0);

    setzen(u"KatalogStdLand"_s, u"CH-"_s);
    setzen(u"OrtAusPlz"_s, u"2"_s);
    setzen(u"AutoFormatUCase"_s, u"2.5"_s);
    setzen(u"AutoFormatTrim"_s, u"ja"_s);
    o = EingabeOptionen_Laden();
    EXPECT_EQ(o.OrtAusPlz, 1); // any number other than 0
    EXPECT_EQ(o.AutoFormatUCase, 2);
    EXPECT_EQ(o.AutoFormatTrim, 0); // not a number
    EXPECT_EQ(eingabeOptionen().AutoFormatUCase, 2);
    EXPECT_EQ(sitzung().KatalogStdLand, u"CH-"_s);
    EXPECT_TRUE(sitzung().OrtAusPlz);

    setzen(u"OrtAusPlz"_s, u"aus"_s);
    EXPECT_EQ(EingabeOptionen_Laden().OrtAusPlz, 0);
    EXPECT_FALSE(sitzung().OrtAusPlz);
}

TEST(Einstellungen, FarbregelUndSchriftfelder)
{
    EXPECT_EQ(Hintergrund_Pruefen(255, 255), 16777215);    // equal: white
    EXPECT_EQ(Hintergrund_Pruefen(16777215, 16777215), 0); // white on white: black
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
    w.schriften = {u"Arial;10;0;0;0;0"_s, u"b"_s, u"c"_s, u"d"_s, 255};
    w.hoehe = 7000;
    w.weite = 9600;
    w.links = 300;
    w.oben = 150;

    sitzung().NurLesen = true;
    Einstellungen_Sichern(w);
    EXPECT_TRUE(lesen(u"SchriftEin"_s).isEmpty());

    sitzung().NurLesen = false;
    Einstellungen_Sichern(w);
    const std::pair<const char16_t*, const char16_t*> werte[] = {{u"SchriftEin", u"Arial;10;0;0;0;0"},
                                                                 {u"SchriftBackCol", u"255"},
                                                                 {u"Form_Höhe", u"7000"},
                                                                 {u"Form_Weite", u"9600"},
                                                                 {u"Form_Links", u"300"},
                                                                 {u"Form_Oben", u"150"}};
    for (const auto& [schluessel, wert] : werte)
        EXPECT_EQ(lesen(QString::fromUtf16(schluessel)), QString::fromUtf16(wert));

    // Minimised: fonts and colour are written, the geometry keeps its last values.
    w.minimiert = true;
    w.hoehe = 400;
    w.schriften.hintergrund = 0;
    Einstellungen_Sichern(w);
    EXPECT_EQ(lesen(u"SchriftBackCol"_s), u"0"_s);
    EXPECT_EQ(lesen(u"Form_Höhe"_s), u"7000"_s);
}

TEST_F(EinstellungenTest, ListenPositionSchluesselUndGrenzen)
{
    EXPECT_EQ(ListenPos_Schluessel(u"Anna"_s, u"D:\\Daten\\kunden.dat"_s), u"User_Anna_kunden_Pos"_s);
    EXPECT_EQ(ListenPos_Schluessel(u"Anna"_s, u"/x/y/kunden.2000.dat"_s), u"User_Anna_kunden_Pos"_s);

    const QString k = u"User_Anna_kunden_Pos"_s;
    EXPECT_EQ(ListenPos_Laden(5, k), 0); // missing: 0
    // Stored value, list size, position: past the end the last, below 0 the first, empty list nothing.
    const struct
    {
        const char* wert;
        int anzahl, position;
    } faelle[] = {{"7", 5, 4}, {"7", 0, -1}, {"-3", 5, 0}, {"-3", 0, -1}, {"2", 5, 2}};
    for (const auto& f : faelle) {
        setzen(k, QLatin1String(f.wert));
        EXPECT_EQ(ListenPos_Laden(f.anzahl, k), f.position) << f.wert << " " << f.anzahl;
    }

    ListenPos_Sichern(-1, k);
    EXPECT_EQ(lesen(k), u"-1"_s);
    sitzung().NurLesen = true;
    ListenPos_Sichern(3, k);
    EXPECT_EQ(lesen(k), u"-1"_s);
}

TEST_F(EinstellungenTest, ZweiBenutzerGetrennt)
{
    sitzung().AdressDateiName = wurzel.programm() + u"/Kunden.dat"_s;
    setzen(u"Benutzer"_s, u"Anna"_s);
    zcommon::Benutzer_Zuruecksetzen();
    ListenPos_Sichern(3);
    EXPECT_EQ(lesen(u"User_Anna_Kunden_Pos"_s), u"3"_s);
    setzen(u"Benutzer"_s, u"Bert"_s);
    zcommon::Benutzer_Zuruecksetzen();
    ListenPos_Sichern(1);
    EXPECT_EQ(ListenPos_Laden(10), 1);
    EXPECT_EQ(ListenPos_Laden(10, u"User_Anna_Kunden_Pos"_s), 3);
}
