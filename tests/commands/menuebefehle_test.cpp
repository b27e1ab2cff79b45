// The menu commands that hand a value of the card on.
#include "befehle_hilfe.h"

#include "addressbook/befehle.h"
#include "commands/menuebefehle.h"
#include "commands/ui/einstellbefehle.h"
#include "support/fensterattrappe.h"

using namespace zbefehle;
using namespace Qt::StringLiterals;
using zadressbuch::Befehl;
using zadressbuch::sitzung;

TEST_F(BefehleTest, Waehltext)
{
    struct Fall
    {
        const char* name;
        QString telefon, mobil;
        int fokus;
        QString erwartet;
    };
    const Fall faelle[] = {
        {"Telefon", u"030 123"_s, u"0171 9"_s, 1, u"030 123"_s},
        {"Mobilfeld mit Fokus", u"030 123"_s, u"0171 9"_s, 12, u"0171 9"_s},
        {"Mobilfeld leer", u"030 123"_s, u"  "_s, 12, u"030 123"_s},
        {"Telefon leer", u" "_s, u"0171 9"_s, 3, u"0171 9"_s},
    };
    FensterAttrappe f;
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        f.felder[7] = fall.telefon;
        f.felder[12] = fall.mobil;
        sitzung().AktivesFeld = fall.fokus;
        EXPECT_EQ(Waehltext(f), fall.erwartet);
    }
    f.felder[7] = u" 030 123 "_s;
    sitzung().AktivesFeld = 1;
    EXPECT_EQ(Waehltext(f, [](const QString&) { return u"01019"_s; }), u"01019  030 123"_s);
}

TEST_F(BefehleTest, WebSeiteNurHttp)
{
    EXPECT_EQ(Webadresse(u"www.example.org"_s), u"http://www.example.org"_s);
    EXPECT_EQ(Webadresse(u" HTTPS://example.org/a "_s), u"HTTPS://example.org/a"_s);
    EXPECT_EQ(Webadresse(u"file:///etc/passwd"_s), QString());
    EXPECT_EQ(Webadresse(u"javascript:alert(1)"_s), QString());
    EXPECT_EQ(Webadresse(u"example.org"_s), QString());

    zadressbuch::Befehlsregister r;
    Einstellbefehle_Anmelden(r);
    FensterAttrappe f;
    r.ausfuehren(Befehl::mnuWebStart, f);
    EXPECT_EQ(plattform->letzteMeldung(), u"Keine Web-Seite angegeben."_s);
    EXPECT_EQ(plattform->meldungen.back().stil, zplatform::vbExclamation);
    f.felder[22] = u"ftp://example.org"_s;
    r.ausfuehren(Befehl::mnuWebStart, f);
    EXPECT_TRUE(plattform->letzteMeldung().contains(u"keine Web-Adresse"_s));
    EXPECT_TRUE(plattform->geoeffneteAdressen.isEmpty());
    f.felder[22] = u"www.zettlora.de"_s;
    r.ausfuehren(Befehl::mnuWebStart, f);
    EXPECT_EQ(plattform->geoeffneteAdressen, QStringList{u"http://www.zettlora.de"_s});

    f.felder[8] = u" 030/99 "_s;
    r.ausfuehren(Befehl::PulZFax, f);
    EXPECT_EQ(plattform->zwischenablage(), u" 030/99 "_s);
}

TEST_F(BefehleTest, SuchtextAusDemFokussiertenFeld)
{
    FensterAttrappe f;
    f.felder[5] = u"Berlin Mitte"_s;
    sitzung().AktivesFeld = 5;
    sitzung().FeldHatteFokus = 1;
    EXPECT_EQ(Suchtext_Ermitteln(f), u"Berlin Mitte"_s);
    f.auswahlTexte[5] = u"Mitte"_s;
    EXPECT_EQ(Suchtext_Ermitteln(f), u"Mitte"_s);
    sitzung().FeldHatteFokus = 0;
    EXPECT_TRUE(Suchtext_Ermitteln(f).isNull());
}

TEST_F(BefehleTest, ZwischenablageImportInDieKarte)
{
    FensterAttrappe f;
    f.felder[1] = u"bleibt"_s;
    std::array<QString, 8> zeilen{u" Anna "_s, u"Meier"_s, u"   "_s, u"Nicht"_s};
    std::array<int, 8> ziele{3, 0, 6, 1};
    EXPECT_TRUE(ZwischenablageImport_Uebernehmen(f, zeilen, ziele));
    EXPECT_EQ(f.felder[2], u" Anna "_s); // untrimmed
    EXPECT_EQ(f.felder[1], u"bleibt"_s); // "Meier" stands on the first entry: not used
    EXPECT_EQ(f.felder[0], u"Nicht"_s);
    EXPECT_EQ(f.felder[5], QString()); // blank line
    EXPECT_EQ(f.uebernahmen, QList<int>{0});
}

TEST(CdRomEintraege, SichtbarNachDInfoVer)
{
    const Befehl eintraege[] = {Befehl::mnuAdrImpDINFO2000, Befehl::mnuAdrImpKlickTel1999, Befehl::mnuAdrImpKlickTel98,
                                Befehl::mnuAdrImpDINFO99};
    const QString werte[] = {u"DI2000"_s, u"KT1999"_s, u"98"_s, u"99"_s};
    for (int w = 0; w < 4; ++w)
        for (int e = 0; e < 4; ++e)
            EXPECT_EQ(CdRomEintrag_Sichtbar(eintraege[e], werte[w]), e == w);
    for (const Befehl b : eintraege) {
        EXPECT_FALSE(CdRomEintrag_Sichtbar(b, QString()));
        EXPECT_FALSE(CdRomEintrag_Sichtbar(b, u"kt1999"_s));
    }
}
