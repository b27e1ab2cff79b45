// Paths, file checks, deleting and the text editor.
#include "common/dateien.h"
#include "common/ini.h"
#include "testhilfe.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

using namespace zcommon;

TEST(Dateien, DateiTeilTabelle)
{
    struct Fall
    {
        const char* pfad;
        const char* teile[6]; // -2, -1, 0, 1, 2, 3
    };
    // clang-format off
    const Fall faelle[] = {
        {"C:\\Programme\\Zettlora\\Adressen.Dat",
         {"C:", "C:\\Programme\\Zettlora", "C:\\Programme\\Zettlora\\", "Adressen", "Dat", "Adressen.Dat"}},
        {"\\\\server\\freigabe\\archiv.tar.gz",
         {"\\\\server", "\\\\server\\freigabe", "\\\\server\\freigabe\\", "archiv", "tar.gz", "archiv.tar.gz"}},
        {"  /home/anna/liste  ", {"", "/home/anna", "/home/anna/", "liste", "", "liste"}},
        {"C:/daten\\alt/x.", {"C:", "C:/daten\\alt", "C:/daten\\alt/", "x", "", "x."}},
        {"datei.txt", {"", "", "", "datei", "txt", "datei.txt"}},
        {"C:autoexec.bat", {"C:", "C:", "C:", "autoexec", "bat", "autoexec.bat"}},
        {"/tmp/ordner/", {"", "/tmp/ordner", "/tmp/ordner/", "", "", ""}},
        {".profil", {"", "", "", "", "profil", ".profil"}},
        {"", {"", "", "", "", "", ""}}};
    // clang-format on
    for (const Fall& f : faelle) {
        for (int teil = -2; teil <= 3; ++teil)
            EXPECT_EQ(Datei_Teil(f.pfad, teil), f.teile[teil + 2]) << f.pfad << " Teil " << teil;
    }
    EXPECT_EQ(Datei_Teil("/a/b.c", 4) + Datei_Teil("/a/b.c", -3), QString()); // no such parts
}

TEST(Dateien, ExistiertSuchenUndOrdner)
{
    TempWurzel w;
    const QString pr = w.programm();
    w.schreiben("programm/Adressen.DAT", "x");
    EXPECT_TRUE(Datei_Existiert(pr + "/adressen.dat"));
    EXPECT_TRUE(Datei_Existiert(pr + "\\ADRESSEN.Dat"));
    // Nothing, blanks, wildcards, a folder, a missing file.
    for (const QString& name : {QString(), QString("   "), pr + "/*.dat", pr + "/Adressen.DA?", pr, pr + "/fehlt.dat"})
        EXPECT_FALSE(Datei_Existiert(name)) << name.toStdString();
    if (geteuid() != 0) { // unreadable
        QFile::setPermissions(pr + "/Adressen.DAT", QFileDevice::WriteOwner);
        EXPECT_FALSE(Datei_Existiert(pr + "/Adressen.DAT"));
    }

    EXPECT_EQ(QStringList({Programm_Ordner(), Windows_Ordner(), System_Ordner(), Temp_Ordner()}),
              QStringList({pr, w.windows(), w.system(), w.temp()}));
    w.schreiben("windows/system/Treiber.Dll", "s");
    w.schreiben("windows/Tips.Bot", "w");
    w.schreiben("programm/TIPS.BOT", "p");
    EXPECT_EQ(Datei_Suchen("treiber.dll"), w.system() + "/Treiber.Dll");
    // The program folder comes before the Windows folder.
    EXPECT_EQ(Datei_Suchen("Tips.Bot"), pr + "/TIPS.BOT");
    EXPECT_EQ(Datei_Suchen("gibtsnicht.txt"), QString());
    EXPECT_EQ(Datei_Suchen(w.windows() + "\\tips.bot"), w.windows() + "/Tips.Bot");

    EXPECT_TRUE(Verzeichnis_Anlegen(w.wurzel() + "\\daten\\2024/Januar"));
    EXPECT_TRUE(QFileInfo(w.wurzel() + "/daten/2024/Januar").isDir());
    // Existing levels are used whatever their case.
    EXPECT_TRUE(Verzeichnis_Anlegen(w.wurzel() + "/DATEN/2024/Februar"));
    EXPECT_TRUE(QFileInfo(w.wurzel() + "/daten/2024/Februar").isDir());
    EXPECT_FALSE(QFileInfo::exists(w.wurzel() + "/DATEN"));
}

TEST(Dateien, LoeschenInDenPapierkorbMitSicherung)
{
    TempWurzel w;
    TestPlattform p;
    const QString pr = w.programm();
    w.schreiben("programm/a.txt", "A");
    w.schreiben("programm/b.txt", "B");
    Datei_Loeschen({pr + "/A.TXT", QString(), pr + "/fehlt.txt", pr + "/b.txt"}, true);
    EXPECT_EQ(p.papierkorb, QStringList({pr + "/a.txt", pr + "/b.txt"}));
    EXPECT_EQ(w.lesen("temp/a.txt"), "A");
    EXPECT_EQ(w.lesen("temp/b.txt"), "B");
    EXPECT_TRUE(p.meldungen.empty());

    Datei_Loeschen({}, true); // nothing to do
    EXPECT_EQ(p.papierkorb.size(), 2);
}

TEST(Dateien, OhnePapierkorbNurMitKopieEndgueltigLoeschen)
{
    TempWurzel w;
    // A desktop whose trash takes nothing.
    struct OhnePapierkorb : TestPlattform
    {
        bool inPapierkorb(const QString& pfad) override
        {
            papierkorb << pfad;
            return false;
        }
    } p;
    w.schreiben("programm/gut.txt", "G");
    w.schreiben("programm/bleibt.txt", "B");
    // A folder of that name in the temp folder makes the copy fail.
    QDir(w.temp()).mkdir("bleibt.txt");

    Datei_Loeschen({w.programm() + "/gut.txt", w.programm() + "/bleibt.txt"}, false);
    EXPECT_FALSE(QFileInfo::exists(w.programm() + "/gut.txt"));
    EXPECT_EQ(w.lesen("temp/gut.txt"), "G");
    EXPECT_TRUE(QFileInfo::exists(w.programm() + "/bleibt.txt"));
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_TRUE(p.letzteMeldung().contains("bleibt.txt"));
    EXPECT_FALSE(p.letzteMeldung().contains("gut.txt"));
    EXPECT_EQ(p.toene, QStringList{"#SystemExclamation"});

    // A file of the temp folder itself has no backup apart from itself: kept.
    w.schreiben("temp/selbst.txt", "S");
    Datei_Loeschen({w.temp() + "/selbst.txt"}, true);
    EXPECT_EQ(w.lesen("temp/selbst.txt"), "S");
    ASSERT_EQ(p.meldungen.size(), 2u);
    EXPECT_TRUE(p.letzteMeldung().contains("selbst.txt"));
}

TEST(Dateien, TextBearbeitenMitEingestelltemEditor)
{
    TempWurzel w;
    TestPlattform p;
    const QString datei = w.programm() + "/Konto_123.Log";
    w.schreiben("programm/Konto_123.Log", "x");

    // "NotePad" stands for the desktop's editor, never for a program of that name.
    EXPECT_TRUE(Text_Bearbeiten(w.programm() + "/konto_123.log"));
    ASSERT_EQ(p.gestarteteProgramme.size(), 1);
    EXPECT_FALSE(p.gestarteteProgramme[0].startsWith("NotePad"));
    EXPECT_TRUE(p.gestarteteProgramme[0].endsWith(datei));

    Ini_Schreiben(QString(), "Allgemein", "PrgTxtEdit", "/opt/editor/bin/schreib --neues-fenster");
    EXPECT_TRUE(Text_Bearbeiten(datei, true));
    EXPECT_EQ(p.gestarteteProgramme[1], "/opt/editor/bin/schreib --neues-fenster " + datei);

    // The Windows editor with its folder, as older settings name it, is the desktop's editor too.
    Ini_Schreiben(QString(), "Allgemein", "PrgTxtEdit", "C:\\WINDOWS\\NotePad.Exe");
    EXPECT_TRUE(Text_Bearbeiten(datei));
    EXPECT_EQ(p.gestarteteProgramme[2], p.gestarteteProgramme[0]);
}
