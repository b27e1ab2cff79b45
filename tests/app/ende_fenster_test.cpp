// The whole program in a process of its own, ended from outside while one of
// its modal windows is open (a termination signal, the idle limit): it closes
// the window, saves and ends with exit code 0; a signal before the main
// window exists ends it as well.
#include "addressbook/main_hilfen.h"

#include <QProcess>

#include <functional>

#include <csignal>

using namespace main_test;

namespace {

// Every modal window of the program (object or class name) and the user's way
// to it, steps as the helper process's mode "programm" reads them.
const struct
{
    const char* was;
    const char* ziel;
    const char* schritte;
} alleFenster[] = {
    {"Einstellungen", "Setup", "aktion:mnuSetup"},
    {"Einstellungen spezial", "SetupSpeziell", "aktion:mnuSetup knopf:befSetupSpeziell"},
    {"Schriften der Einstellungen", "zbefehle::SchriftDialog", "aktion:mnuSetup knopf:BefSetFont_0"},
    {"Liste drucken", "Listendruck", "aktion:PulListe"},
    {"Druckoptionen der Liste", "PrinterSet", "aktion:PulListe knopf:BefOk"},
    {"Briefumschlag", "Umschlag", "aktion:PulBriefumschlag"},
    {"Druckereinrichtung", "Druckereinrichtung", "aktion:PulDruckEinrichten"},
    {"Überweisung", "FormPrnUeberweisung", "aktion:mnuPrnUeberweisung"},
    {"Lastschrift", "FormPrnLastschrift", "aktion:mnuPrnLastschrift"},
    {"Nachnahme", "FormPrnNachnahme", "aktion:mnuPrnNachnahme"},
    {"Sonderzeichen", "Sonderzeichen", "feld:3 aktion:mnuSonderzeichenEinfg"},
    {"Zoom", "ZoomText", "feld:3 aktion:befZoom"},
    {"Masken-Editor", "MaskenEdit", "aktion:mnuMaskenEdit"},
    {"Adresse in die Zwischenablage", "ZAexport", "aktion:PulZAdresse"},
    {"Import aus der Zwischenablage", "ImpZA", "aktion:mnuImpZA"},
    {"Frage vor dem Öffnen", "QMessageBox", "aktion:PulOeffnen"},
    {"Dateiauswahl", "File", "aktion:mnuDateiHinzufuegen"},
    {"Tipps", "Tips", "aktion:mnuTips"},
    {"Info", "Info", "aktion:PulInfo"},
    {"Statistik, Eingabe", "QInputDialog", "aktion:mnuStatistikFeldSuche"},
    {"Statistik, Ergebnis", "QMessageBox", "aktion:mnuStatistikFeldSuche eingabe:*"},
    {"Auswahlliste", "Auswahl", "doppelklick:0"},
    {"Name schon vorhanden", "MsgDoppelt", "text:1:Adler verlassen:1"},
    {"Frage der Plattform", "QMessageBox", "aktion:mnuAdrLoeschen"},
    {"Eingabebox der Plattform", "QInputDialog", "aktion:mnuDateiBeschreiben"},
    {"Kontextmenü der Karte", "QMenu", "kontext:3"},
};

class FensterVonAussen : public ::testing::Test
{
protected:
    // Runs the program in a fresh root (two addresses, no tip, the duplicate-name
    // check on, a pick list for field 0) until the helper prints a line, sends
    // SIGTERM after "offen ..." for the way "signal", and checks a clean end.
    // nachDemSignal runs once the signal has been sent (ways "signal", "halten").
    void laufen(const QString& weg, const QString& ziel = {}, const QString& schritte = {},
                const std::function<void(QProcess&)>& nachDemSignal = {})
    {
        fehler.clear();
        wurzel.reset(); // the old root's end restores the environment it found
        wurzel = std::make_unique<TempWurzel>();
        wurzel->schreiben(u"programm/zettlora.dat"_s, u"..Ende\r\n"_s +
                                                          zeile({{1, u"Berg"_s}, {4, u"10115"_s}, {5, u"Berlin"_s}}) +
                                                          u"\r\n"_s + zeile({{1, u"Adler"_s}}) + u"\r\n"_s);
        wurzel->schreiben(u"programm/Liste00.txt"_s, u"Freund\r\nKunde\r\n"_s);
        einstellung(u"AutoTip"_s, u"0"_s);
        einstellung(u"TitelAus"_s, u"1"_s);
        einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
        QProcess p;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(u"ZETTLORA_ROOT"_s, wurzel->wurzel());
        if (titelStocktMs > 0)
            umgebung.insert(u"HELFER_TITEL_STOCKT_MS"_s, QString::number(titelStocktMs));
        p.setProcessEnvironment(umgebung);
        p.start(QStringLiteral(ZETTLORA_PROZESSHELFER),
                QStringList{u"programm"_s, weg, ziel} + schritte.split(u' ', Qt::SkipEmptyParts));
        ASSERT_TRUE(p.waitForStarted());
        const bool frueh = weg.startsWith(u"frueh:"_s);
        bool offen = frueh;
        if (!frueh) {
            QElapsedTimer uhr;
            uhr.start();
            while (!p.canReadLine() && p.state() == QProcess::Running && uhr.elapsed() < 20000)
                p.waitForReadyRead(100);
            ersteZeile = p.readLine().trimmed();
            offen = ersteZeile.startsWith("offen ");
            EXPECT_TRUE(offen) << "the window did not open: " << ersteZeile.toStdString();
            if (offen && (weg == u"signal"_s || weg == u"halten"_s)) {
                ::kill(pid_t(p.processId()), SIGTERM);
                if (nachDemSignal)
                    nachDemSignal(p);
            }
        }
        const bool beendet = p.waitForFinished(offen ? 30000 : 1000);
        if (!beendet) {
            p.kill();
            p.waitForFinished();
        }
        fehler += p.readAllStandardError();
        EXPECT_TRUE(beendet) << "the program runs on";
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << fehler.toStdString();
        EXPECT_EQ(p.exitCode(), 0) << fehler.toStdString();
        EXPECT_FALSE(fehler.contains("Sanitizer") || fehler.contains("runtime error")) << fehler.toStdString();
        ausgabe = p.readAllStandardOutput();
        EXPECT_TRUE(frueh || wurzel->lesen(u"programm/zettlora.dat"_s).contains(u"\tVor dem Ende geaendert\t"_s))
            << "not saved";
    }

    void alleSchliessen(const QString& weg)
    {
        for (const auto& f : alleFenster) {
            SCOPED_TRACE(f.was);
            laufen(weg, QString::fromLatin1(f.ziel), QString::fromLatin1(f.schritte));
        }
    }

    TestPlattform plattform;
    std::unique_ptr<TempWurzel> wurzel;
    int titelStocktMs = 0; // the display stalls this long as the splash shows itself
    QByteArray ersteZeile; // the helper's "offen ..." line
    QByteArray ausgabe;    // the rest of the helper's standard output
    QByteArray fehler;     // its standard error
};

TEST_F(FensterVonAussen, JedesFensterDurchEinBeendensignalGeschlossen)
{
    alleSchliessen(u"signal"_s);
}

TEST_F(FensterVonAussen, JedesFensterDurchDenLeerlaufGeschlossen)
{
    alleSchliessen(u"leerlauf"_s);
}

// A drag held in a window that a command shows (the mask editor) holds up the
// exit of a termination signal: the command only waits for its window, so the
// held-up save runs all the same, once, with its one line on standard error,
// and the card edit is in the file while the button is still down; released,
// the program ends.
TEST_F(FensterVonAussen, GehaltenerZugInEinemFensterSichert)
{
    bool imZugGesichert = false;
    laufen(u"halten"_s, u"MaskenEdit"_s, u"aktion:mnuMaskenEdit"_s, [&](QProcess& p) {
        // Read until the held-up exit's line, then on for more of its rounds: the line stays one.
        QElapsedTimer uhr;
        uhr.start();
        for (qint64 bis = 25000; p.state() == QProcess::Running && uhr.elapsed() < bis;) {
            p.waitForReadyRead(100);
            fehler += p.readAllStandardError();
            if (bis == 25000 && fehler.contains("Programmende aufgehalten")) {
                bis = uhr.elapsed() + 1500;
                imZugGesichert = wurzel->lesen(u"programm/zettlora.dat"_s).contains(u"\tVor dem Ende geaendert\t"_s);
            }
        }
        EXPECT_EQ(p.state(), QProcess::Running) << "ended beneath the command";
        wurzel->schreiben(u"loslassen"_s, u"x"_s);
    });
    EXPECT_TRUE(imZugGesichert) << "not saved while the drag held: " << fehler.toStdString();
    EXPECT_EQ(fehler.count("Zettlora: Programmende aufgehalten"), 1) << fehler.toStdString();
    EXPECT_TRUE(fehler.contains("ist gespeichert.")) << fehler.toStdString();
}

// A termination signal at any point of the start before the main window shows
// ends the program with exit code 0 and leaves no window: while the
// application is made, before the splash (the splash shows itself with a turn
// of pending events, before the event loop runs), as it shows, at the loop's
// first turn, while the main window is made.
TEST_F(FensterVonAussen, SignalAmStartBeendet)
{
    const struct
    {
        const char* punkt;
        bool hauptfenster; // the main window may be made (and ends at once)
    } faelle[] = {
        {"anwendung", false}, {"vorher", false}, {"titel", false}, {"schleife", false}, {"hauptfenster", true}};
    for (int runde = 0; runde < 3; ++runde)
        for (const auto& f : faelle) {
            SCOPED_TRACE(f.punkt);
            laufen(u"frueh:"_s + QString::fromLatin1(f.punkt));
            EXPECT_TRUE(f.hauptfenster || !ausgabe.contains("fenster")) << "a main window was made";
        }
}

// On a slow display (or a loaded machine) the splash's first tick comes in the
// turn of events with which the splash shows itself, before the main loop
// runs: the main window is made there, at loop level 0, and the main loop then
// runs it. A termination signal and the idle exit end it all the same, with
// the edit saved.
TEST_F(FensterVonAussen, HauptfensterVorDerHauptschleifeEndetVonAussen)
{
    titelStocktMs = 400;
    for (const char* weg : {"signal", "leerlauf"}) {
        SCOPED_TRACE(weg);
        laufen(QString::fromLatin1(weg), u"Main"_s);
        EXPECT_TRUE(ersteZeile.endsWith(" Ebene 0")) << "made in the main loop: " << ersteZeile.toStdString();
        EXPECT_FALSE(fehler.contains("Programmende aufgehalten")) << fehler.toStdString();
    }
}

} // namespace
