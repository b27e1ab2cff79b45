// Start-up checks, configuration job, single instance, usage counters, user,
// companion programs and help.
#include "common/ini.h"
#include "common/programme.h"
#include "common/start.h"
#include "platform/ordner.h"
#include "support/testplattform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>

#include <gtest/gtest.h>

using namespace zcommon;
using namespace zplatform;

TEST(Start, KonfigurationLaeuftGenauEinmal)
{
    TempWurzel w;
    TestPlattform p;
    Ini_Schreiben(QString(), QStringLiteral("Allgemein"), QStringLiteral("PrgTxtEdit"), QStringLiteral("alt"));
    w.schreiben(QStringLiteral("programm/adapter.cfg"),
                QStringLiteral("; Auftrag der Verwaltung\r\n"
                               "[Zizorud.ini|Allgemein]\r\nPrgTxtEdit=kate\r\nLänderHinweis=0\r\n"
                               "[ZIZORUD.INI]\r\nBenutzer = Anna Admin \r\n"
                               "[%1/Zettlora.Ini|Internet]\r\nZe32UpInfo=https://example.org/neu\r\n"
                               "[Adapter]\r\nBeenden=1\r\n")
                    .arg(w.programm()));

    EXPECT_TRUE(Konfiguration_Anpassen());
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Allgemein"), QStringLiteral("PrgTxtEdit")), QStringLiteral("kate"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Allgemein"), QStringLiteral("LänderHinweis")), QStringLiteral("0"));
    EXPECT_EQ(Ini_Lesen(QString(), QString(), QStringLiteral("Benutzer")), QStringLiteral("Anna Admin"));
    EXPECT_EQ(Ini_Lesen(w.programm() + QStringLiteral("/Zettlora.Ini"), QStringLiteral("Internet"),
                        QStringLiteral("Ze32UpInfo")),
              QStringLiteral("https://example.org/neu"));
    EXPECT_FALSE(QFileInfo::exists(w.programm() + QStringLiteral("/adapter.cfg")));
    EXPECT_TRUE(QFileInfo::exists(w.programm() + QStringLiteral("/adapter.cfg.erledigt")));
    // The "Adapter" section is no settings file.
    EXPECT_FALSE(QFileInfo::exists(w.windows() + QStringLiteral("/Adapter.ini")));

    // The next start finds no job and changes nothing.
    Ini_Schreiben(QString(), QStringLiteral("Allgemein"), QStringLiteral("PrgTxtEdit"), QStringLiteral("vom Benutzer"));
    EXPECT_FALSE(Konfiguration_Anpassen());
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Allgemein"), QStringLiteral("PrgTxtEdit")),
              QStringLiteral("vom Benutzer"));

    // A job without "Beenden=1" lets the program go on.
    w.schreiben(QStringLiteral("programm/Adapter.Cfg"), QStringLiteral("[Zizorud.ini]\r\nX=1\r\n"));
    EXPECT_FALSE(Konfiguration_Anpassen());
    EXPECT_EQ(Ini_Lesen(QString(), QString(), QStringLiteral("X")), QStringLiteral("1"));
    EXPECT_TRUE(p.meldungen.empty());
}

TEST(Start, BenutzerErmitteln)
{
    TempWurzel w;
    TestPlattform p;
    Benutzer_Zuruecksetzen();

    p.login = QStringLiteral("hans-peter");
    EXPECT_EQ(Benutzer_Ermitteln(), QStringLiteral("Hans-Peter"));
    // Worked out once per run.
    Ini_Schreiben(QString(), QString(), QStringLiteral("Benutzer"), QStringLiteral("Eva"));
    EXPECT_EQ(Benutzer_Ermitteln(), QStringLiteral("Hans-Peter"));
    Benutzer_Zuruecksetzen();
    EXPECT_EQ(Benutzer_Ermitteln(), QStringLiteral("Eva"));

    // Neither setting nor login: asked (cancel counts as no answer), then stored.
    Ini_Schreiben(QString(), QString(), QStringLiteral("Benutzer"), QString());
    p.login.clear();
    Benutzer_Zuruecksetzen();
    p.eingaben << QStringLiteral("<abbruch>") << QStringLiteral("  ") << QString(150, QLatin1Char('k'));
    EXPECT_EQ(Benutzer_Ermitteln(), QStringLiteral("K") + QString(98, QLatin1Char('k')));
    EXPECT_EQ(p.eingabePrompts.size(), 3);
    EXPECT_EQ(p.eingabePrompts[0], QStringLiteral("Wählen Sie bitte einen Benutzernamen aus."));
    EXPECT_EQ(Ini_Lesen(QString(), QString(), QStringLiteral("Benutzer")).size(), 99);

    // Nobody answering: a name all the same, after a bounded number of questions.
    Ini_Schreiben(QString(), QString(), QStringLiteral("Benutzer"), QString());
    Benutzer_Zuruecksetzen();
    p.eingabePrompts.clear();
    p.eingaben << QStringLiteral("<abbruch>") << QStringLiteral("<abbruch>") << QStringLiteral("<abbruch>")
               << QStringLiteral("<abbruch>");
    EXPECT_EQ(Benutzer_Ermitteln(), QStringLiteral("Benutzer"));
    EXPECT_EQ(p.eingabePrompts.size(), 3);
    Benutzer_Zuruecksetzen();
}

namespace {
class OhneAnzeige : public TestPlattform
{
public:
    bool hatAnzeige() const override { return false; }
};
} // namespace

TEST(Start, BenutzerOhneAnzeigeFragtNie)
{
    TempWurzel w;
    OhneAnzeige p;
    p.login.clear();
    Benutzer_Zuruecksetzen();
    EXPECT_EQ(Benutzer_Ermitteln(), QStringLiteral("Benutzer"));
    EXPECT_TRUE(p.eingabePrompts.isEmpty());
    Benutzer_Zuruecksetzen();
}

TEST(Start, StatistikZaehltStartsUndLaufzeit)
{
    TempWurzel w;
    TestPlattform p;
    EXPECT_EQ(Nutzungsstatistik_Text(0), QStringLiteral("Sorry, aber keine Datengrundlage vorhanden."));
    Statistik_Ende(); // without a start nothing is added
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Statistik"), QStringLiteral("Laufzeit"), QStringLiteral("-")),
              QStringLiteral("-"));

    Statistik_Start();
    p.uhr = p.uhr.addSecs(90);
    Statistik_Ende();
    Statistik_Ende(); // counted once
    p.uhr = QDateTime(QDate(2000, 7, 11), QTime(8, 0));
    Statistik_Start();
    p.uhr = p.uhr.addSecs(3 * 3600 + 30);
    Statistik_Ende();

    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Statistik"), QStringLiteral("ErsterStart")),
              QStringLiteral("02.07.2000 10:30:00"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Statistik"), QStringLiteral("Starts")), QStringLiteral("2"));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("Statistik"), QStringLiteral("Laufzeit")), QStringLiteral("10920"));

    const QString text = Nutzungsstatistik_Text(0);
    EXPECT_FALSE(text.contains(QLatin1Char('~')));
    EXPECT_TRUE(text.contains(QStringLiteral("02.07.2000 um 10:30 Uhr\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Programmstarts: 2\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Gesamte Laufzeit: 3,0 Stunden"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("je Start: 1,5 Stunden"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("in 10 Tagen"))) << text.toStdString();
}

TEST(Start, Laendereinstellung)
{
    TempWurzel w;
    TestPlattform p;
    EXPECT_EQ(Laendereinstellung_Pruefen(true), QString());
    EXPECT_TRUE(p.meldungen.empty());

    p.uhr = QDateTime(QDate(1998, 12, 31), QTime(12, 0));
    EXPECT_FALSE(Laendereinstellung_Pruefen(false).isEmpty());
    EXPECT_TRUE(p.meldungen.empty());

    p.antworten.enqueue(vbNo);
    const QString warnung = Laendereinstellung_Pruefen(true);
    EXPECT_TRUE(warnung.contains(QStringLiteral("31.12.1998")));
    ASSERT_EQ(p.meldungen.size(), 1u);
    EXPECT_EQ(p.meldungen[0].titel, QStringLiteral("Ländereinstellung"));
    EXPECT_EQ(p.meldungen[0].stil & 7, int(vbYesNo));
    EXPECT_EQ(Ini_Lesen(QString(), QStringLiteral("allgemein"), QStringLiteral("LÄNDERHINWEIS")), QStringLiteral("0"));
    // Switched off: the warning is still returned, but no longer shown.
    EXPECT_FALSE(Laendereinstellung_Pruefen(true).isEmpty());
    EXPECT_EQ(p.meldungen.size(), 1u);
}

namespace {

bool warteAuf(const std::function<bool()>& bedingung)
{
    QElapsedTimer t;
    t.start();
    while (!bedingung() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return bedingung();
}

} // namespace

TEST(Start, EineInstanzUndAktivierung)
{
    TempWurzel w;
    TestPlattform p;
    int aktiviert = 0;
    Instanz_Aktivierung([&] { ++aktiviert; });

    EXPECT_FALSE(Instanz_Pruefen());
    EXPECT_FALSE(Instanz_Pruefen()); // the holder itself is not a second instance

    // A second run (its own lock on the same file) is told to end and wakes the first.
    {
        QLockFile zweite(w.windows() + QStringLiteral("/Zettlora.lock"));
        EXPECT_FALSE(zweite.tryLock(0));
    }
    Instanz_Freigeben();
    // Take the guard again and play the second start by hand: it leaves the signal file.
    EXPECT_FALSE(Instanz_Pruefen());
    QFile signal(w.windows() + QStringLiteral("/Zettlora.aktivieren"));
    ASSERT_TRUE(signal.open(QIODevice::WriteOnly));
    signal.write("jetzt");
    signal.close();
    EXPECT_TRUE(warteAuf([&] { return aktiviert == 1; }));
    EXPECT_FALSE(QFileInfo::exists(w.windows() + QStringLiteral("/Zettlora.aktivieren")));
    Instanz_Freigeben();
    Instanz_Aktivierung({});
}

TEST(Start, ZweiterStartEndetUndAktiviertDenErsten)
{
    TempWurzel w;
    TestPlattform p;
    // The first instance is another process holding the lock.
    QProcess erster;
    const QString sperre = w.windows() + QStringLiteral("/Zettlora.lock");
    const QString programm = QFileInfo(QStandardPaths::findExecutable(QStringLiteral("sleep"))).canonicalFilePath();
    ASSERT_FALSE(programm.isEmpty());
    erster.start(programm, {QStringLiteral("30")});
    ASSERT_TRUE(erster.waitForStarted());
    {
        // What QLockFile writes: process id, program, host.
        QFile f(sperre);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::number(erster.processId()) + "\n" + programm.toUtf8() + "\n" +
                QSysInfo::machineHostName().toUtf8() + "\n");
    }
    EXPECT_TRUE(Instanz_Pruefen());
    EXPECT_TRUE(QFileInfo::exists(w.windows() + QStringLiteral("/Zettlora.aktivieren")));

    // After a crash of the first instance its lock no longer blocks.
    erster.kill();
    erster.waitForFinished();
    EXPECT_FALSE(Instanz_Pruefen());
    Instanz_Freigeben();

    // Switched off in DurIdovi.ini: no guard at all.
    Ini_Schreiben(w.programm() + QStringLiteral("/DurIdovi.ini"), QStringLiteral("Allgemein"),
                  QStringLiteral("NoInstanceWatch"), QStringLiteral("1"));
    QFile::remove(w.windows() + QStringLiteral("/Zettlora.aktivieren"));
    EXPECT_FALSE(Instanz_Pruefen());
    EXPECT_FALSE(QFileInfo::exists(sperre));
}

TEST(Programme, BegleitprogrammeInternetHilfe)
{
    TempWurzel w;
    TestPlattform p;

    EXPECT_FALSE(Begleitprogramm_Starten(2));
    EXPECT_TRUE(p.letzteMeldung().contains(QStringLiteral("nicht installiert")));
    EXPECT_EQ(p.toene.back(), QStringLiteral("#SystemExclamation"));

    w.schreiben(QStringLiteral("programm/planer/Planer.bin"), QStringLiteral("x"));
    Ini_Schreiben(QString(), QStringLiteral("Begleitprogramme"), QStringLiteral("Programm2"),
                  w.programm() + QStringLiteral("\\Planer\\planer.BIN"));
    EXPECT_TRUE(Begleitprogramm_Starten(2));
    EXPECT_EQ(p.gestarteteProgramme.back(), w.programm() + QStringLiteral("/planer/Planer.bin"));
    EXPECT_EQ(Begleitprogramm_Laufend(), 0);

    EXPECT_TRUE(Internetseite_Aufrufen(QStringLiteral("Ze32UpInfo")));
    EXPECT_TRUE(p.geoeffneteAdressen.back().startsWith(QStringLiteral("https://")));
    Ini_Schreiben(w.programm() + QStringLiteral("/Zettlora.Ini"), QStringLiteral("Internet"), QStringLiteral("Forum"),
                  QStringLiteral("https://example.org/forum"));
    EXPECT_TRUE(Internetseite_Aufrufen(QStringLiteral("forum")));
    EXPECT_EQ(p.geoeffneteAdressen.back(), QStringLiteral("https://example.org/forum"));
    const auto vorher = p.meldungen.size();
    EXPECT_FALSE(Internetseite_Aufrufen(QStringLiteral("Unbekannt")));
    EXPECT_EQ(p.meldungen.size(), vorher + 1);

    EXPECT_FALSE(Werbung_Zeigen());
    EXPECT_EQ(p.letzteMeldung(), QStringLiteral("Kann leider keine Werbung finden!"));
    EXPECT_FALSE(Hilfe_Zeigen(12));
    EXPECT_EQ(p.letzteMeldung(), QStringLiteral("Keine Hilfedatei gefunden."));
    w.schreiben(QStringLiteral("programm/ZETTLORA.HTML"), QStringLiteral("<html></html>"));
    EXPECT_TRUE(Hilfe_Zeigen(12));
    EXPECT_EQ(p.geoeffneteAdressen.back(), w.programm() + QStringLiteral("/ZETTLORA.HTML"));
}

TEST(Start, Farbanzahl)
{
    TestPlattform p; // 24 bits per pixel by default
    EXPECT_EQ(Farbanzahl(), 16777216.0);
}
