// Paths, file checks, deleting and the text editor.
#include "common/dateien.h"
#include "common/ini.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace zcommon;

TEST(Dateien, DateiTeilTabelle)
{
    struct Fall
    {
        const char* pfad;
        const char* teile[6]; // -2, -1, 0, 1, 2, 3
    };
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
        {"", {"", "", "", "", "", ""}},
    };
    for (const Fall& f : faelle) {
        for (int teil = -2; teil <= 3; ++teil)
            EXPECT_EQ(Datei_Teil(QString::fromLatin1(f.pfad), teil), QString::fromLatin1(f.teile[teil + 2]))
                << f.pfad << " Teil " << teil;
    }
    EXPECT_EQ(Datei_Teil(QStringLiteral("/a/b.c"), 4), QString());
    EXPECT_EQ(Datei_Teil(QStringLiteral("/a/b.c"), -3), QString());
}

TEST(Dateien, DateiExistiert)
{
    TempWurzel w;
    w.schreiben(QStringLiteral("programm/Adressen.DAT"), QStringLiteral("x"));
    EXPECT_TRUE(Datei_Existiert(w.programm() + QStringLiteral("/adressen.dat")));
    EXPECT_TRUE(Datei_Existiert(w.programm() + QStringLiteral("\\ADRESSEN.Dat")));
    EXPECT_FALSE(Datei_Existiert(QString()));
    EXPECT_FALSE(Datei_Existiert(QStringLiteral("   ")));
    EXPECT_FALSE(Datei_Existiert(w.programm() + QStringLiteral("/*.dat")));
    EXPECT_FALSE(Datei_Existiert(w.programm() + QStringLiteral("/Adressen.DA?")));
    EXPECT_FALSE(Datei_Existiert(w.programm())); // a folder is no file
    EXPECT_FALSE(Datei_Existiert(w.programm() + QStringLiteral("/fehlt.dat")));
    if (geteuid() != 0) {
        QFile::setPermissions(w.programm() + QStringLiteral("/Adressen.DAT"), QFileDevice::WriteOwner);
        EXPECT_FALSE(Datei_Existiert(w.programm() + QStringLiteral("/Adressen.DAT")));
    }
}

TEST(Dateien, OrdnerUndSuche)
{
    TempWurzel w;
    EXPECT_EQ(Programm_Ordner(), w.programm());
    EXPECT_EQ(Windows_Ordner(), w.windows());
    EXPECT_EQ(System_Ordner(), w.system());
    EXPECT_EQ(Temp_Ordner(), w.temp());

    w.schreiben(QStringLiteral("windows/system/Treiber.Dll"), QStringLiteral("s"));
    w.schreiben(QStringLiteral("windows/Tips.Bot"), QStringLiteral("w"));
    w.schreiben(QStringLiteral("programm/TIPS.BOT"), QStringLiteral("p"));
    EXPECT_EQ(Datei_Suchen(QStringLiteral("treiber.dll")), w.system() + QStringLiteral("/Treiber.Dll"));
    // The program folder comes before the Windows folder.
    EXPECT_EQ(Datei_Suchen(QStringLiteral("Tips.Bot")), w.programm() + QStringLiteral("/TIPS.BOT"));
    EXPECT_EQ(Datei_Suchen(QStringLiteral("gibtsnicht.txt")), QString());
    EXPECT_EQ(Datei_Suchen(w.windows() + QStringLiteral("\\tips.bot")), w.windows() + QStringLiteral("/Tips.Bot"));

    EXPECT_TRUE(Verzeichnis_Anlegen(w.wurzel() + QStringLiteral("\\daten\\2024/Januar")));
    EXPECT_TRUE(QFileInfo(w.wurzel() + QStringLiteral("/daten/2024/Januar")).isDir());
    // Existing levels are used whatever their case.
    EXPECT_TRUE(Verzeichnis_Anlegen(w.wurzel() + QStringLiteral("/DATEN/2024/Februar")));
    EXPECT_TRUE(QFileInfo(w.wurzel() + QStringLiteral("/daten/2024/Februar")).isDir());
    EXPECT_FALSE(QFileInfo::exists(w.wurzel() + QStringLiteral("/DATEN")));
}

namespace {

// A desktop whose trash takes nothing.
class OhnePapierkorb : public TestPlattform
{
public:
    bool inPapierkorb(const QString& pfad) override
    {
        papierkorb << pfad;
        return false;
    }
};

} // namespace

TEST(Dateien, LoeschenInDenPapierkorbMitSicherung)
{
    TempWurzel w;
    TestPlattform p;
    w.schreiben(QStringLiteral("programm/a.txt"), QStringLiteral("A"));
    w.schreiben(QStringLiteral("programm/b.txt"), QStringLiteral("B"));
    Datei_Loeschen({w.programm() + QStringLiteral("/A.TXT"), QString(), w.programm() + QStringLiteral("/fehlt.txt"),
                    w.programm() + QStringLiteral("/b.txt")},
                   true);
    EXPECT_EQ(p.papierkorb,
              (QStringList{w.programm() + QStringLiteral("/a.txt"), w.programm() + QStringLiteral("/b.txt")}));
    EXPECT_EQ(w.lesen(QStringLiteral("temp/a.txt")), QStringLiteral("A"));
    EXPECT_EQ(w.lesen(QStringLiteral("temp/b.txt")), QStringLiteral("B"));
    EXPECT_TRUE(p.meldungen.empty());

    Datei_Loeschen({}, true); // nothing to do
    EXPECT_EQ(p.papierkorb.size(), 2);
}

TEST(Dateien, OhnePapierkorbNurMitKopieEndgueltigLoeschen)
{
    TempWurzel w;
    OhnePapierkorb p;
    w.schreiben(QStringLiteral("programm/gut.txt"), QStringLiteral("G"));
    w.schreiben(QStringLiteral("programm/bleibt.txt"), QStringLiteral("B"));
    // A folder of that name in the temp folder makes the copy fail.
    QDir(w.temp()).mkdir(QStringLiteral("bleibt.txt"));

    Datei_Loeschen({w.programm() + QStringLiteral("/gut.txt"), w.programm() + QStringLiteral("/bleibt.txt")}, false);
    EXPECT_FALSE(QFileInfo::exists(w.programm() + QStringLiteral("/gut.txt")));
    EXPECT_EQ(w.lesen(QStringLiteral("temp/gut.txt")), QStringLiteral("G"));
    EXPECT_TRUE(QFileInfo::exists(w.programm() + QStringLiteral("/bleibt.txt")));
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_TRUE(p.letzteMeldung().contains(QStringLiteral("bleibt.txt")));
    EXPECT_FALSE(p.letzteMeldung().contains(QStringLiteral("gut.txt")));
    EXPECT_EQ(p.toene, QStringList{QStringLiteral("#SystemExclamation")});

    // A file of the temp folder itself has no backup apart from itself: kept.
    w.schreiben(QStringLiteral("temp/selbst.txt"), QStringLiteral("S"));
    Datei_Loeschen({w.temp() + QStringLiteral("/selbst.txt")}, true);
    EXPECT_EQ(w.lesen(QStringLiteral("temp/selbst.txt")), QStringLiteral("S"));
    ASSERT_EQ(p.meldungen.size(), 2u);
    EXPECT_TRUE(p.letzteMeldung().contains(QStringLiteral("selbst.txt")));
}

TEST(Dateien, TextBearbeitenMitEingestelltemEditor)
{
    TempWurzel w;
    TestPlattform p;
    w.schreiben(QStringLiteral("programm/Konto_123.Log"), QStringLiteral("x"));

    // "NotePad" stands for the desktop's editor, never for a program of that name.
    EXPECT_TRUE(Text_Bearbeiten(w.programm() + QStringLiteral("/konto_123.log")));
    ASSERT_EQ(p.gestarteteProgramme.size(), 1);
    EXPECT_FALSE(p.gestarteteProgramme[0].startsWith(QStringLiteral("NotePad")));
    EXPECT_TRUE(p.gestarteteProgramme[0].endsWith(w.programm() + QStringLiteral("/Konto_123.Log")));

    Ini_Schreiben(QString(), QStringLiteral("Allgemein"), QStringLiteral("PrgTxtEdit"),
                  QStringLiteral("/opt/editor/bin/schreib --neues-fenster"));
    EXPECT_TRUE(Text_Bearbeiten(w.programm() + QStringLiteral("/Konto_123.Log"), true));
    EXPECT_EQ(p.gestarteteProgramme[1], QStringLiteral("/opt/editor/bin/schreib --neues-fenster ") + w.programm() +
                                            QStringLiteral("/Konto_123.Log"));

    // The Windows editor with its folder, as older settings name it, is the desktop's editor too.
    Ini_Schreiben(QString(), QStringLiteral("Allgemein"), QStringLiteral("PrgTxtEdit"),
                  QStringLiteral("C:\\WINDOWS\\NotePad.Exe"));
    EXPECT_TRUE(Text_Bearbeiten(w.programm() + QStringLiteral("/Konto_123.Log")));
    EXPECT_EQ(p.gestarteteProgramme[2], p.gestarteteProgramme[0]);
}
