// Start-up: the command line, the data folder, the address file of the run
// with its missing-file message, the hand-over file, the first paint, and the
// running of the steps. What the load steps read is shown in main_start_test.
#include "adresstest.h"

#include "addressbook/start.h"
#include "common/ini.h"
#include "common/woerter.h"

using namespace zadressbuch;
using zcommon::Ini_Lesen;
using zcommon::Ini_Schreiben;

namespace {
class StartTest : public AdressTest
{
protected:
    void SetUp() override
    {
        AdressTest::SetUp();
        kommandozeile() = Kommandozeile();
    }
    void TearDown() override
    {
        AdressTest::TearDown();
        kommandozeile() = Kommandozeile();
    }
};
} // namespace

TEST_F(StartTest, Kommandozeile)
{
    const Kommandozeile k = Kommandozeile_Lesen(QStringList{u"datei=Kunden"_s, u"SUCHE=Meier"_s});
    EXPECT_EQ(k.datei, u"Kunden"_s);
    EXPECT_EQ(k.suche, u"Meier"_s);
    EXPECT_FALSE(k.readonly);
    EXPECT_EQ(zcommon::Wort_Parameter(u"Suche="_s), u"Meier"_s); // the word list holds it

    // The value ends at any separator.
    EXPECT_EQ(Kommandozeile_Lesen(u"Datei=C:\\Daten\\Kunden.alt.dat/readonly"_s).datei, u"C:\\Daten\\Kunden.alt.dat"_s);
    for (const char* zeile :
         {"Datei=Kunden,x", "Datei=Kunden;x", "Datei=Kunden|x", "Datei=Kunden x", "x Datei=Kunden\ty"})
        EXPECT_EQ(Kommandozeile_Lesen(QString::fromUtf8(zeile)).datei, u"Kunden"_s) << zeile;
    EXPECT_TRUE(Kommandozeile_Lesen(u"Datei=C:\\Daten\\Kunden.alt.dat/readonly"_s).readonly);
    EXPECT_TRUE(Kommandozeile_Lesen(u"x ReadOnly"_s).readonly);
    EXPECT_TRUE(Kommandozeile_Lesen(u"Datei="_s).datei.isEmpty());
}

TEST_F(StartTest, DatenOrdner)
{
    // Default: the program folder.
    EXPECT_EQ(DatenOrdner_Ermitteln(), wurzel.programm());
    // Zizorud.ini's DirData, relative: inside the program folder.
    Ini_Schreiben({}, {}, u"DirData"_s, u"Daten\\"_s);
    EXPECT_EQ(DatenOrdner_Ermitteln(), wurzel.programm() + u"/Daten"_s);
    // DurIdovi.ini comes first; "{APPDIR}" in any case and a trailing "\".
    wurzel.schreiben(u"programm/Duridovi.ini"_s, u"[Ordner]\r\nDirData={APPDIR}\\Adressen\\\r\n"_s);
    zcommon::Ini_CacheLeeren();
    EXPECT_EQ(DatenOrdner_Ermitteln(), wurzel.programm() + u"/Adressen"_s);
    // An absolute folder stays.
    wurzel.schreiben(u"programm/Duridovi.ini"_s, u"[Ordner]\r\nDirData="_s + wurzel.temp() + u"/\r\n"_s);
    zcommon::Ini_CacheLeeren();
    EXPECT_EQ(DatenOrdner_Ermitteln(), wurzel.temp());

    Startpfade_Setzen();
    EXPECT_EQ(sitzung().DatenOrdner, wurzel.temp());
    EXPECT_EQ(sitzung().MaskenOrdner, wurzel.temp());
    EXPECT_EQ(sitzung().ProgrammIniDatei, wurzel.programm() + u"/Zettlora.Ini"_s);
    EXPECT_EQ(startDateien().HilfeDatei, wurzel.programm() + u"/Zettlora.hlp"_s);
}

TEST_F(StartTest, AdressdateiAusKommandozeile)
{
    sitzung().DatenOrdner = wurzel.programm();
    wurzel.schreiben(u"programm/kunden.dat"_s, QString());

    // Any case on disk; drive, folder and extension dropped.
    EXPECT_EQ(AdressDatei_Ermitteln(Kommandozeile_Lesen(u"Datei=D:\\X\\Kunden.alt.txt"_s)),
              wurzel.programm() + u"/kunden.dat"_s);
    EXPECT_TRUE(plattform.meldungen.empty());

    // Missing: sound, message, the default file.
    EXPECT_EQ(AdressDatei_Ermitteln(Kommandozeile_Lesen(u"Datei=Lieferanten.v2"_s)),
              wurzel.programm() + u"/zettlora.dat"_s);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text,
              u"Angegebene Datei LIEFERANTEN.DAT nicht gefunden.\r\nBenutze Standarddatei."_s);
    EXPECT_EQ(plattform.meldungen[0].titel, u"Datei öffnen"_s);
    EXPECT_EQ(plattform.meldungen[0].stil, zplatform::vbOKOnly | zplatform::vbExclamation);
    EXPECT_EQ(plattform.toene, QStringList{u"#SystemExclamation"_s});

    // No word: the default file, no message.
    EXPECT_EQ(AdressDatei_Ermitteln(Kommandozeile_Lesen(u"readonly"_s)), wurzel.programm() + u"/zettlora.dat"_s);
    EXPECT_EQ(plattform.meldungen.size(), 1u);
}

TEST_F(StartTest, UebergabedateiFrisch)
{
    const QString alt = wurzel.windows() + u"/TmpAdrDoc.Tmp"_s;
    wurzel.schreiben(u"windows/TmpAdrDoc.Tmp"_s, u"[Alt]\r\nx=1\r\n"_s);
    EXPECT_EQ(Uebergabedatei_Vorbereiten(), alt);
    EXPECT_EQ(Ini_Lesen({}, {}, u"Adr_IniSpeichern_In"_s), alt);
    EXPECT_EQ(zcommon::Ini_Sektionen(alt), QStringList{u"ZuletztNr"_s});
    EXPECT_EQ(Ini_Lesen(alt, u"ZuletztNr"_s, u"99"_s), u"ja"_s);
}

TEST_F(StartTest, ErsterAnstrich)
{
    const ErsterAnstrich e = ErsterAnstrich_Aktionen(Kommandozeile_Lesen(QString()));
    EXPECT_FALSE(e.dateiAuswahl);
    EXPECT_TRUE(e.tipp);
    // When the setting wants the chooser, a "Datei=" word (even for a missing file) keeps it away; an empty one not.
    Ini_Schreiben({}, {}, u"AuswahlÖffnen"_s, u"1"_s);
    EXPECT_FALSE(ErsterAnstrich_Aktionen(Kommandozeile_Lesen(u"Datei=Fehlt"_s)).dateiAuswahl);
    EXPECT_TRUE(ErsterAnstrich_Aktionen(Kommandozeile_Lesen(u"Datei="_s)).dateiAuswahl);
}

TEST_F(StartTest, SchritteLaufenDurchFehlerHindurchUndEndenMitDemProgramm)
{
    wurzel.schreiben(u"programm/Kunden.Dat"_s, QString());
    StartAblauf a = StartAblauf_Standard({u"Datei=kunden"_s, u"readonly"_s});
    QStringList aufrufe;
    // Replace the common checks (no lock files in a test) and record the window's steps.
    for (int i = 0; i < StartSchrittAnzahl; ++i) {
        const StartSchritt s = StartSchritt(i);
        if (s == StartSchritt::Pfade || s == StartSchritt::Kommandozeile || s == StartSchritt::Uebergabe)
            continue; // the logic steps run as preset
        a.setzen(s, std::function<void()>([&aufrufe, s] { aufrufe << StartSchritt_Name(s); }));
    }
    a.setzen(StartSchritt::Bezeichnungen, std::function<void()>([&] {
                 aufrufe << u"Bezeichnungen"_s;
                 throw 1; // a failing step is skipped
             }));
    a.setzen(StartSchritt::DatenLaden,
             std::function<void()>([&] { aufrufe << u"DatenLaden:"_s + sitzung().AdressDateiName; }));
    EXPECT_TRUE(a.ausfuehren());
    EXPECT_EQ(a.protokoll().size(), StartSchrittAnzahl);
    EXPECT_EQ(a.protokoll().last(), u"Suche"_s);
    EXPECT_EQ(aufrufe.size(), StartSchrittAnzahl - 3);
    EXPECT_EQ(aufrufe.at(16), u"DatenLaden:"_s + wurzel.programm() + u"/Kunden.Dat"_s);
    EXPECT_TRUE(sitzung().KommandozeileReadonly);
    EXPECT_EQ(kommandozeile().datei, u"kunden"_s);

    // A step that ends the program stops the start-up there.
    StartAblauf b;
    QStringList lauf;
    b.setzen(StartSchritt::Konfiguration, std::function<void()>([&] { lauf << u"K"_s; }));
    b.setzen(StartSchritt::Instanz, std::function<bool()>([&] {
                 lauf << u"I"_s;
                 return false;
             }));
    b.setzen(StartSchritt::Statistik, std::function<void()>([&] { lauf << u"S"_s; }));
    EXPECT_FALSE(b.ausfuehren());
    EXPECT_EQ(lauf, (QStringList{u"K"_s, u"I"_s}));
}
