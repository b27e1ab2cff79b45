// Start-up: the command line, the data folder, the address file of the run
// with its missing-file message, the hand-over file, the first paint and the
// fixed order of the load steps.
#include "addressbook/sitzung.h"
#include "addressbook/start.h"
#include "common/ini.h"
#include "common/woerter.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace zadressbuch;
using zcommon::Ini_Lesen;
using zcommon::Ini_Schreiben;

namespace {
class StartTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;
    void SetUp() override
    {
        sitzungZuruecksetzen();
        kommandozeile() = Kommandozeile();
    }
    void TearDown() override
    {
        sitzungZuruecksetzen();
        kommandozeile() = Kommandozeile();
    }
};
} // namespace

TEST_F(StartTest, Kommandozeile)
{
    Kommandozeile k = Kommandozeile_Lesen(QStringList{QStringLiteral("datei=Kunden"), QStringLiteral("SUCHE=Meier")});
    EXPECT_EQ(k.datei, QStringLiteral("Kunden"));
    EXPECT_EQ(k.suche, QStringLiteral("Meier"));
    EXPECT_FALSE(k.readonly);
    EXPECT_EQ(zcommon::Wort_Parameter(QStringLiteral("Suche=")), QStringLiteral("Meier")); // the word list holds it

    // The value ends at any separator.
    EXPECT_EQ(Kommandozeile_Lesen(QStringLiteral("Datei=C:\\Daten\\Kunden.alt.dat/readonly")).datei,
              QStringLiteral("C:\\Daten\\Kunden.alt.dat"));
    for (const char* zeile : {"Datei=Kunden,x", "Datei=Kunden;x", "Datei=Kunden|x", "Datei=Kunden x", "x Datei=Kunden\ty"})
        EXPECT_EQ(Kommandozeile_Lesen(QString::fromUtf8(zeile)).datei, QStringLiteral("Kunden")) << zeile;
    EXPECT_TRUE(Kommandozeile_Lesen(QStringLiteral("Datei=C:\\Daten\\Kunden.alt.dat/readonly")).readonly);
    EXPECT_TRUE(Kommandozeile_Lesen(QStringLiteral("x ReadOnly")).readonly);
    EXPECT_TRUE(Kommandozeile_Lesen(QStringLiteral("Datei=")).datei.isEmpty());
}

TEST_F(StartTest, DatenOrdner)
{
    // Default: the program folder.
    EXPECT_EQ(DatenOrdner_Ermitteln(), wurzel.programm());
    // Zizorud.ini's DirData, relative: inside the program folder.
    Ini_Schreiben({}, {}, QStringLiteral("DirData"), QStringLiteral("Daten\\"));
    EXPECT_EQ(DatenOrdner_Ermitteln(), wurzel.programm() + QStringLiteral("/Daten"));
    // DurIdovi.ini comes first; "{APPDIR}" in any case and a trailing "\".
    wurzel.schreiben(QStringLiteral("programm/Duridovi.ini"),
                     QStringLiteral("[Ordner]\r\nDirData={APPDIR}\\Adressen\\\r\n"));
    zcommon::Ini_CacheLeeren();
    EXPECT_EQ(DatenOrdner_Ermitteln(), wurzel.programm() + QStringLiteral("/Adressen"));
    // An absolute folder stays.
    wurzel.schreiben(QStringLiteral("programm/Duridovi.ini"),
                     QStringLiteral("[Ordner]\r\nDirData=") + wurzel.temp() + QStringLiteral("/\r\n"));
    zcommon::Ini_CacheLeeren();
    EXPECT_EQ(DatenOrdner_Ermitteln(), wurzel.temp());

    Startpfade_Setzen();
    EXPECT_EQ(sitzung().DatenOrdner, wurzel.temp());
    EXPECT_EQ(sitzung().MaskenOrdner, wurzel.temp());
    EXPECT_EQ(sitzung().ProgrammIniDatei, wurzel.programm() + QStringLiteral("/Zettlora.Ini"));
    EXPECT_EQ(startDateien().HilfeDatei, wurzel.programm() + QStringLiteral("/Zettlora.hlp"));
}

TEST_F(StartTest, AdressdateiAusKommandozeile)
{
    sitzung().DatenOrdner = wurzel.programm();
    wurzel.schreiben(QStringLiteral("programm/kunden.dat"), QStringLiteral(""));

    // Any case on disk; drive, folder and extension dropped.
    EXPECT_EQ(AdressDatei_Ermitteln(Kommandozeile_Lesen(QStringLiteral("Datei=D:\\X\\Kunden.alt.txt"))),
              wurzel.programm() + QStringLiteral("/kunden.dat"));
    EXPECT_TRUE(plattform.meldungen.empty());

    // Missing: sound, message, the default file.
    EXPECT_EQ(AdressDatei_Ermitteln(Kommandozeile_Lesen(QStringLiteral("Datei=Lieferanten.v2"))),
              wurzel.programm() + QStringLiteral("/zettlora.dat"));
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text,
              QStringLiteral("Angegebene Datei LIEFERANTEN.DAT nicht gefunden.\r\nBenutze Standarddatei."));
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Datei öffnen"));
    EXPECT_EQ(plattform.meldungen[0].stil, zplatform::vbOKOnly | zplatform::vbExclamation);
    EXPECT_EQ(plattform.toene, QStringList{QStringLiteral("#SystemExclamation")});

    // No word: the default file, no message.
    EXPECT_EQ(AdressDatei_Ermitteln(Kommandozeile_Lesen(QStringLiteral("readonly"))),
              wurzel.programm() + QStringLiteral("/zettlora.dat"));
    EXPECT_EQ(plattform.meldungen.size(), 1u);
}

TEST_F(StartTest, UebergabedateiFrisch)
{
    const QString alt = wurzel.windows() + QStringLiteral("/TmpAdrDoc.Tmp");
    wurzel.schreiben(QStringLiteral("windows/TmpAdrDoc.Tmp"), QStringLiteral("[Alt]\r\nx=1\r\n"));
    EXPECT_EQ(Uebergabedatei_Vorbereiten(), alt);
    EXPECT_EQ(Ini_Lesen({}, {}, QStringLiteral("Adr_IniSpeichern_In")), alt);
    EXPECT_EQ(zcommon::Ini_Sektionen(alt), QStringList{QStringLiteral("ZuletztNr")});
    EXPECT_EQ(Ini_Lesen(alt, QStringLiteral("ZuletztNr"), QStringLiteral("99")), QStringLiteral("ja"));
}

TEST_F(StartTest, EinstellungenDesLadens)
{
    sitzung().ProgrammIniDatei = wurzel.programm() + QStringLiteral("/Zettlora.Ini");
    wurzel.schreiben(QStringLiteral("programm/Zettlora.Ini"),
                     QStringLiteral("[Beschriftung]\r\nBez_05=Wohnort\r\nRahmen_06=Bank\r\n"));
    wurzel.schreiben(QStringLiteral("programm/Export_Tk-Anlage.ini"), QStringLiteral("[Allgemein]\r\nTk-Anlage=Tk 2000\r\n"));
    zcommon::Ini_CacheLeeren();
    EXPECT_EQ(Bezeichnung_Lesen(5, QStringLiteral("Ort")), QStringLiteral("Wohnort"));
    EXPECT_EQ(sitzung().Bezeichnungen[5], QStringLiteral("Wohnort"));
    EXPECT_EQ(Bezeichnung_Lesen(4, QStringLiteral("PLZ")), QStringLiteral("PLZ"));
    EXPECT_EQ(Rahmen_Lesen(6, QStringLiteral("Bankverbindung")), QStringLiteral("Bank"));
    EXPECT_EQ(Rahmen_Lesen(0, QStringLiteral("Suche")), QStringLiteral("Suche"));
    EXPECT_EQ(TkAnlage_Name(), QStringLiteral("Tk 2000"));
    EXPECT_FALSE(DokumentSymbol_Zeigen());
    Ini_Schreiben({}, QStringLiteral("Verknüpfung"), QStringLiteral("Doc"), QStringLiteral("winword.exe"));
    EXPECT_TRUE(DokumentSymbol_Zeigen());
    EXPECT_TRUE(Vorlagen_Pruefen().isEmpty());
    EXPECT_TRUE(Logo_Datei().isEmpty());
    wurzel.schreiben(QStringLiteral("programm/vorlagen.INI"), QStringLiteral("[x]\r\n"));
    wurzel.schreiben(QStringLiteral("programm/logo.bmp"), QStringLiteral("BM"));
    EXPECT_FALSE(Vorlagen_Pruefen().isEmpty());
    EXPECT_EQ(Logo_Datei(), wurzel.programm() + QStringLiteral("/logo.bmp"));
}

TEST_F(StartTest, ErsterAnstrich)
{
    ErsterAnstrich e = ErsterAnstrich_Aktionen(Kommandozeile_Lesen(QString()));
    EXPECT_FALSE(e.dateiAuswahl);
    EXPECT_TRUE(e.tipp);
    Ini_Schreiben({}, {}, QStringLiteral("AuswahlÖffnen"), QStringLiteral("1"));
    Ini_Schreiben({}, {}, QStringLiteral("AutoTip"), QStringLiteral("0"));
    e = ErsterAnstrich_Aktionen(Kommandozeile_Lesen(QString()));
    EXPECT_TRUE(e.dateiAuswahl);
    EXPECT_FALSE(e.tipp);
    // A "Datei=" word (even for a missing file) never offers the file chooser.
    EXPECT_FALSE(ErsterAnstrich_Aktionen(Kommandozeile_Lesen(QStringLiteral("Datei=Fehlt"))).dateiAuswahl);
    EXPECT_TRUE(ErsterAnstrich_Aktionen(Kommandozeile_Lesen(QStringLiteral("Datei="))).dateiAuswahl);
}

TEST_F(StartTest, FesteReihenfolgeDerSchritte)
{
    wurzel.schreiben(QStringLiteral("programm/Kunden.Dat"), QString());
    StartAblauf a = StartAblauf_Standard({QStringLiteral("Datei=kunden"), QStringLiteral("readonly")});
    QStringList aufrufe;
    // Replace the common checks (no lock files in a test) and record the window's steps.
    for (int i = 0; i < StartSchrittAnzahl; ++i) {
        const StartSchritt s = StartSchritt(i);
        if (s == StartSchritt::Pfade || s == StartSchritt::Kommandozeile || s == StartSchritt::Uebergabe)
            continue; // the logic steps run as preset
        a.setzen(s, std::function<void()>([&aufrufe, s] { aufrufe << StartSchritt_Name(s); }));
    }
    a.setzen(StartSchritt::Bezeichnungen, std::function<void()>([&] {
                 aufrufe << QStringLiteral("Bezeichnungen");
                 throw 1; // a failing step is skipped
             }));
    a.setzen(StartSchritt::DatenLaden, std::function<void()>([&] {
                 aufrufe << QStringLiteral("DatenLaden:") + sitzung().AdressDateiName;
             }));
    EXPECT_TRUE(a.ausfuehren());
    EXPECT_EQ(a.protokoll(),
              (QStringList{"Laendereinstellung", "Konfiguration", "Instanz", "Statistik", "Uhr", "Pfade",
                           "MenuePopUp", "TkAnlage", "DokumentSymbol", "Bezeichnungen", "Rahmen", "Uebergabe",
                           "Vorlagen", "KarteLeeren", "Feldtrenner", "Status", "Logo", "TabStops", "Kommandozeile",
                           "DatenLaden", "Einstellungen", "Suche"}));
    EXPECT_EQ(aufrufe.size(), 19);
    EXPECT_EQ(aufrufe.at(16), QStringLiteral("DatenLaden:") + wurzel.programm() + QStringLiteral("/Kunden.Dat"));
    EXPECT_TRUE(sitzung().KommandozeileReadonly);
    EXPECT_EQ(kommandozeile().datei, QStringLiteral("kunden"));

    // A step that ends the program stops the start-up there.
    StartAblauf b;
    QStringList lauf;
    b.setzen(StartSchritt::Konfiguration, std::function<void()>([&] { lauf << QStringLiteral("K"); }));
    b.setzen(StartSchritt::Instanz, std::function<bool()>([&] {
                 lauf << QStringLiteral("I");
                 return false;
             }));
    b.setzen(StartSchritt::Statistik, std::function<void()>([&] { lauf << QStringLiteral("S"); }));
    EXPECT_FALSE(b.ausfuehren());
    EXPECT_EQ(lauf, (QStringList{QStringLiteral("K"), QStringLiteral("I")}));
}
