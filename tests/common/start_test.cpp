// Start-up checks, configuration job, single instance, usage counters, user,
// companion programs and help.
#include "common/ini.h"
#include "common/programme.h"
#include "common/start.h"
#include "platform/ordner.h"
#include "testhilfe.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>

using namespace zcommon;
using namespace zplatform;

namespace {

class Start : public ::testing::Test
{
protected:
    TempWurzel w;
    TestPlattform p;
    void TearDown() override { Benutzer_Zuruecksetzen(); }
    // The default settings file, Zizorud.ini.
    static QString lies(const QString& sektion, const QString& schluessel, const QString& vorgabe = QString())
    {
        return Ini_Lesen(QString(), sektion, schluessel, vorgabe);
    }
};

} // namespace

TEST_F(Start, KonfigurationLaeuftGenauEinmal)
{
    Ini_Schreiben(QString(), "Allgemein", "PrgTxtEdit", "alt");
    const QString auftrag =
        "; Auftrag der Verwaltung\r\n[Zizorud.ini|Allgemein]\r\nPrgTxtEdit=kate\r\n"
        "LänderHinweis=0\r\n[ZIZORUD.INI]\r\nBenutzer = Anna Admin \r\n"
        "[%1/Zettlora.Ini|Internet]\r\nZe32UpInfo=https://example.org/neu\r\n[Adapter]\r\nBeenden=1\r\n";
    w.schreiben("programm/adapter.cfg", auftrag.arg(w.programm()));

    EXPECT_TRUE(Konfiguration_Anpassen());
    EXPECT_EQ(lies("Allgemein", "PrgTxtEdit"), "kate");
    EXPECT_EQ(lies("Allgemein", "LänderHinweis"), "0");
    EXPECT_EQ(lies(QString(), "Benutzer"), "Anna Admin");
    EXPECT_EQ(Ini_Lesen(w.programm() + "/Zettlora.Ini", "Internet", "Ze32UpInfo"), "https://example.org/neu");
    EXPECT_FALSE(QFileInfo::exists(w.programm() + "/adapter.cfg"));
    EXPECT_TRUE(QFileInfo::exists(w.programm() + "/adapter.cfg.erledigt"));
    // The "Adapter" section is no settings file.
    EXPECT_FALSE(QFileInfo::exists(w.windows() + "/Adapter.ini"));

    // The next start finds no job and changes nothing.
    Ini_Schreiben(QString(), "Allgemein", "PrgTxtEdit", "vom Benutzer");
    EXPECT_FALSE(Konfiguration_Anpassen());
    EXPECT_EQ(lies("Allgemein", "PrgTxtEdit"), "vom Benutzer");

    // A job without "Beenden=1" lets the program go on.
    w.schreiben("programm/Adapter.Cfg", "[Zizorud.ini]\r\nX=1\r\n");
    EXPECT_FALSE(Konfiguration_Anpassen());
    EXPECT_EQ(lies(QString(), "X"), "1");
    EXPECT_TRUE(p.meldungen.empty());
}

TEST_F(Start, BenutzerErmitteln)
{
    Benutzer_Zuruecksetzen();
    p.login = "hans-peter";
    EXPECT_EQ(Benutzer_Ermitteln(), "Hans-Peter");
    // Worked out once per run.
    Ini_Schreiben(QString(), QString(), "Benutzer", "Eva");
    EXPECT_EQ(Benutzer_Ermitteln(), "Hans-Peter");
    Benutzer_Zuruecksetzen();
    EXPECT_EQ(Benutzer_Ermitteln(), "Eva");

    // Neither setting nor login: asked (cancel counts as no answer), then stored.
    Ini_Schreiben(QString(), QString(), "Benutzer", QString());
    p.login.clear();
    Benutzer_Zuruecksetzen();
    p.eingaben << QStringList{"<abbruch>", "  ", QString(150, u'k')};
    EXPECT_EQ(Benutzer_Ermitteln(), 'K' + QString(98, u'k'));
    EXPECT_EQ(p.eingabePrompts.size(), 3);
    EXPECT_EQ(p.eingabePrompts[0], "Wählen Sie bitte einen Benutzernamen aus.");
    EXPECT_EQ(lies(QString(), "Benutzer").size(), 99);

    // Nobody answering: a name all the same, after a bounded number of questions.
    Ini_Schreiben(QString(), QString(), "Benutzer", QString());
    Benutzer_Zuruecksetzen();
    p.eingabePrompts.clear();
    p.eingaben << QStringList(4, "<abbruch>");
    EXPECT_EQ(Benutzer_Ermitteln(), "Benutzer");
    EXPECT_EQ(p.eingabePrompts.size(), 3);

    // Without a display nobody is ever asked.
    struct OhneAnzeige : TestPlattform
    {
        bool hatAnzeige() const override { return false; }
    } ohne;
    ohne.login.clear();
    Benutzer_Zuruecksetzen();
    EXPECT_EQ(Benutzer_Ermitteln(), "Benutzer");
    EXPECT_TRUE(ohne.eingabePrompts.isEmpty());
}

TEST_F(Start, StatistikZaehltStartsUndLaufzeit)
{
    EXPECT_EQ(Nutzungsstatistik_Text(0), "Sorry, aber keine Datengrundlage vorhanden.");
    Statistik_Ende(); // without a start nothing is added
    EXPECT_EQ(lies("Statistik", "Laufzeit", "-"), "-");

    Statistik_Start();
    p.uhr = p.uhr.addSecs(90);
    Statistik_Ende();
    Statistik_Ende(); // counted once
    p.uhr = QDateTime(QDate(2000, 7, 11), QTime(8, 0));
    Statistik_Start();
    p.uhr = p.uhr.addSecs(3 * 3600 + 30);
    Statistik_Ende();

    EXPECT_EQ(
        QStringList({lies("Statistik", "ErsterStart"), lies("Statistik", "Starts"), lies("Statistik", "Laufzeit")}),
        QStringList({"02.07.2000 10:30:00", "2", "10920"}));

    const QString text = Nutzungsstatistik_Text(0);
    EXPECT_FALSE(text.contains(u'~'));
    for (const char* teil : {"02.07.2000 um 10:30 Uhr\r\n", "Programmstarts: 2\r\n", "Gesamte Laufzeit: 3,0 Stunden",
                             "je Start: 1,5 Stunden", "in 10 Tagen"})
        EXPECT_TRUE(text.contains(teil)) << teil << "\n" << text.toStdString();
}

TEST_F(Start, LaendereinstellungUndFarbanzahl)
{
    EXPECT_EQ(Laendereinstellung_Pruefen(true), QString());
    EXPECT_TRUE(p.meldungen.empty());

    p.uhr = QDateTime(QDate(1998, 12, 31), QTime(12, 0));
    EXPECT_FALSE(Laendereinstellung_Pruefen(false).isEmpty());
    EXPECT_TRUE(p.meldungen.empty());

    p.antworten.enqueue(vbNo);
    EXPECT_TRUE(Laendereinstellung_Pruefen(true).contains("31.12.1998"));
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(p.meldungen[0].titel, "Ländereinstellung");
    EXPECT_EQ(p.meldungen[0].stil & 7, int(vbYesNo));
    EXPECT_EQ(lies("allgemein", "LÄNDERHINWEIS"), "0");
    // Switched off: the warning is still returned, but no longer shown.
    EXPECT_FALSE(Laendereinstellung_Pruefen(true).isEmpty());
    EXPECT_EQ(p.meldungen.size(), 1u);

    EXPECT_EQ(Farbanzahl(), 16777216.0); // the test platform has 24 bits per pixel
}

TEST_F(Start, EineInstanzUndAktivierung)
{
    int aktiviert = 0;
    Instanz_Aktivierung([&] { ++aktiviert; });

    EXPECT_FALSE(Instanz_Pruefen());
    EXPECT_FALSE(Instanz_Pruefen()); // the holder itself is not a second instance

    // A second run (its own lock on the same file) is told to end and wakes the first.
    {
        QLockFile zweite(w.windows() + "/Zettlora.lock");
        EXPECT_FALSE(zweite.tryLock(0));
    }
    Instanz_Freigeben();
    // Take the guard again and play the second start by hand: it leaves the signal file.
    EXPECT_FALSE(Instanz_Pruefen());
    w.schreiben("windows/Zettlora.aktivieren", "jetzt");
    for (QDeadlineTimer frist(5000); aktiviert == 0 && !frist.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(aktiviert, 1);
    EXPECT_FALSE(QFileInfo::exists(w.windows() + "/Zettlora.aktivieren"));
    Instanz_Freigeben();
    Instanz_Aktivierung({});
}

TEST_F(Start, ZweiterStartEndetUndAktiviertDenErsten)
{
    // The first instance is another process holding the lock.
    QProcess erster;
    const QString sperre = w.windows() + "/Zettlora.lock";
    const QString programm = QFileInfo(QStandardPaths::findExecutable("sleep")).canonicalFilePath();
    ASSERT_FALSE(programm.isEmpty());
    erster.start(programm, {"30"});
    ASSERT_TRUE(erster.waitForStarted());
    // What QLockFile writes: process id, program, host.
    ablegen(sperre, QByteArray::number(erster.processId()) + "\n" + programm.toUtf8() + "\n" +
                        QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_TRUE(Instanz_Pruefen());
    EXPECT_TRUE(QFileInfo::exists(w.windows() + "/Zettlora.aktivieren"));

    // After a crash of the first instance its lock no longer blocks.
    erster.kill();
    erster.waitForFinished();
    EXPECT_FALSE(Instanz_Pruefen());
    Instanz_Freigeben();

    // Switched off in DurIdovi.ini: no guard at all.
    Ini_Schreiben(w.programm() + "/DurIdovi.ini", "Allgemein", "NoInstanceWatch", "1");
    QFile::remove(w.windows() + "/Zettlora.aktivieren");
    EXPECT_FALSE(Instanz_Pruefen());
    EXPECT_FALSE(QFileInfo::exists(sperre));
}

TEST_F(Start, BegleitprogrammeInternetHilfe)
{
    EXPECT_FALSE(Begleitprogramm_Starten(2));
    EXPECT_EQ(p.letzteMeldung(), "Vesmor ist auf diesem Computer nicht installiert.");
    EXPECT_EQ(p.toene.back(), "#SystemExclamation");

    w.schreiben("programm/planer/Planer.bin", "x");
    Ini_Schreiben(QString(), "Begleitprogramme", "Programm2", w.programm() + "\\Planer\\planer.BIN");
    EXPECT_TRUE(Begleitprogramm_Starten(2));
    EXPECT_EQ(p.gestarteteProgramme.back(), w.programm() + "/planer/Planer.bin");
    EXPECT_EQ(Begleitprogramm_Laufend(), 0);

    EXPECT_TRUE(Internetseite_Aufrufen("Ze32UpInfo"));
    EXPECT_TRUE(p.geoeffneteAdressen.back().startsWith("https://"));
    Ini_Schreiben(w.programm() + "/Zettlora.Ini", "Internet", "Forum", "https://example.org/forum");
    EXPECT_TRUE(Internetseite_Aufrufen("forum"));
    EXPECT_EQ(p.geoeffneteAdressen.back(), "https://example.org/forum");
    const auto vorher = p.meldungen.size();
    EXPECT_FALSE(Internetseite_Aufrufen("Unbekannt"));
    EXPECT_EQ(p.meldungen.size(), vorher + 1);

    EXPECT_FALSE(Werbung_Zeigen());
    EXPECT_EQ(p.letzteMeldung(), "Kann leider keine Werbung finden!");
    EXPECT_FALSE(Hilfe_Zeigen(12));
    EXPECT_EQ(p.letzteMeldung(), "Keine Hilfedatei gefunden.");
    w.schreiben("programm/ZETTLORA.HTML", "<html></html>");
    EXPECT_TRUE(Hilfe_Zeigen(12));
    EXPECT_EQ(p.geoeffneteAdressen.back(), w.programm() + "/ZETTLORA.HTML#thema12");
    EXPECT_TRUE(Hilfe_Zeigen());
    EXPECT_EQ(p.geoeffneteAdressen.back(), w.programm() + "/ZETTLORA.HTML");
}
