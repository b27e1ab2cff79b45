// The whole program in a process of its own, ended from outside while one of
// its modal windows is open: by a termination signal sent to the process, or
// by the idle limit. Whatever window is open, the program closes it, saves
// the address file and ends with exit code 0 (no crash of a command that
// goes on after its window returned). And a termination signal that comes
// before the main window exists ends the program as well.
#include "addressbook/main_hilfen.h"

#include <QProcess>

#include <csignal>
#include <vector>

using namespace main_test;

namespace {

// What a run of the program in the helper process gave.
struct Lauf
{
    bool offen = false; // the window named was open
    QString fenster;    // the line the program printed for it
    bool beendet = false;
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString fehler; // standard error
};

// Every modal window of the program, and the user's way to it: a menu entry
// (aktion), a card field focused first (feld), typed (text) and left
// (verlassen), a double-click or the right mouse button on a field, a button
// of the window in front (knopf), an answer to an input box (eingabe).
struct Fenster
{
    const char* was;
    const char* ziel; // object or class name of the window
    std::vector<const char*> schritte;
};

const std::vector<Fenster>& alleFenster()
{
    static const std::vector<Fenster> f = {
        {"Einstellungen", "Setup", {"aktion:mnuSetup"}},
        {"Einstellungen spezial", "SetupSpeziell", {"aktion:mnuSetup", "knopf:befSetupSpeziell"}},
        {"Schriften der Einstellungen", "zbefehle::SchriftDialog", {"aktion:mnuSetup", "knopf:BefSetFont_0"}},
        {"Liste drucken", "Listendruck", {"aktion:PulListe"}},
        {"Druckoptionen der Liste", "PrinterSet", {"aktion:PulListe", "knopf:BefOk"}},
        {"Briefumschlag", "Umschlag", {"aktion:PulBriefumschlag"}},
        {"Druckereinrichtung", "Druckereinrichtung", {"aktion:PulDruckEinrichten"}},
        {"Überweisung", "FormPrnUeberweisung", {"aktion:mnuPrnUeberweisung"}},
        {"Lastschrift", "FormPrnLastschrift", {"aktion:mnuPrnLastschrift"}},
        {"Nachnahme", "FormPrnNachnahme", {"aktion:mnuPrnNachnahme"}},
        {"Sonderzeichen", "Sonderzeichen", {"feld:3", "aktion:mnuSonderzeichenEinfg"}},
        {"Zoom", "ZoomText", {"feld:3", "aktion:befZoom"}},
        {"Masken-Editor", "MaskenEdit", {"aktion:mnuMaskenEdit"}},
        {"Adresse in die Zwischenablage", "ZAexport", {"aktion:PulZAdresse"}},
        {"Import aus der Zwischenablage", "ImpZA", {"aktion:mnuImpZA"}},
        {"Frage vor dem Öffnen", "QMessageBox", {"aktion:PulOeffnen"}},
        {"Dateiauswahl", "File", {"aktion:mnuDateiHinzufuegen"}},
        {"Tipps", "Tips", {"aktion:mnuTips"}},
        {"Info", "Info", {"aktion:PulInfo"}},
        {"Statistik, Eingabe", "QInputDialog", {"aktion:mnuStatistikFeldSuche"}},
        {"Statistik, Ergebnis", "QMessageBox", {"aktion:mnuStatistikFeldSuche", "eingabe:*"}},
        {"Auswahlliste", "Auswahl", {"doppelklick:0"}},
        {"Name schon vorhanden", "MsgDoppelt", {"text:1:Adler", "verlassen:1"}},
        {"Frage der Plattform", "QMessageBox", {"aktion:mnuAdrLoeschen"}},
        {"Eingabebox der Plattform", "QInputDialog", {"aktion:mnuDateiBeschreiben"}},
        {"Kontextmenü der Karte", "QMenu", {"kontext:3"}},
    };
    return f;
}

class FensterVonAussen : public ::testing::Test
{
protected:
    // A root of its own for every run: two addresses, no tip at the start,
    // the duplicate-name check on, a pick list for field 0.
    void neueWurzel()
    {
        wurzel.reset(); // the old root's end restores the environment it found
        wurzel = std::make_unique<TempWurzel>();
        wurzel->schreiben(u"programm/zettlora.dat"_s, u"..Ende\r\n"_s +
                                                          zeile({{1, u"Berg"_s}, {4, u"10115"_s}, {5, u"Berlin"_s}}) +
                                                          u"\r\n"_s + zeile({{1, u"Adler"_s}}) + u"\r\n"_s);
        wurzel->schreiben(u"programm/Liste00.txt"_s, u"Freund\r\nKunde\r\n"_s);
        einstellung(u"AutoTip"_s, u"0"_s);
        einstellung(u"TitelAus"_s, u"1"_s);
        einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
    }

    // Runs the program until the window is open, then ends it the way given.
    Lauf laufen(const QString& weg, const QString& ziel, const QStringList& schritte)
    {
        Lauf l;
        QProcess p;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(u"ZETTLORA_ROOT"_s, wurzel->wurzel());
        p.setProcessEnvironment(umgebung);
        p.start(QStringLiteral(ZETTLORA_PROZESSHELFER), QStringList{u"programm"_s, weg, ziel} + schritte);
        if (!p.waitForStarted())
            return l;
        QElapsedTimer uhr;
        uhr.start();
        while (!p.canReadLine() && p.state() == QProcess::Running && uhr.elapsed() < 20000)
            p.waitForReadyRead(100);
        l.fenster = QString::fromLocal8Bit(p.readLine()).trimmed();
        l.offen = l.fenster.startsWith(u"offen "_s);
        if (l.offen && weg == u"signal"_s)
            ::kill(pid_t(p.processId()), SIGTERM);
        l.beendet = p.waitForFinished(l.offen ? 30000 : 1000);
        if (!l.beendet) {
            p.kill();
            p.waitForFinished();
        }
        l.status = p.exitStatus();
        l.code = p.exitCode();
        l.fehler = QString::fromLocal8Bit(p.readAllStandardError());
        return l;
    }

    // Each window in a run of its own, ended the way given.
    void alleSchliessen(const QString& weg)
    {
        for (const Fenster& f : alleFenster()) {
            SCOPED_TRACE(f.was);
            neueWurzel();
            QStringList schritte;
            for (const char* s : f.schritte)
                schritte << QString::fromUtf8(s);
            const Lauf l = laufen(weg, QString::fromLatin1(f.ziel), schritte);
            EXPECT_TRUE(l.offen) << "the window did not open: " << l.fenster.toStdString();
            EXPECT_TRUE(l.beendet) << "the program runs on";
            EXPECT_EQ(l.status, QProcess::NormalExit) << l.fehler.toStdString();
            EXPECT_EQ(l.code, 0) << l.fehler.toStdString();
            EXPECT_TRUE(wurzel->lesen(u"programm/zettlora.dat"_s).contains(u"\tVor dem Ende geaendert\t"_s))
                << "not saved";
            EXPECT_FALSE(l.fehler.contains(u"Sanitizer"_s) || l.fehler.contains(u"runtime error"_s))
                << l.fehler.toStdString();
        }
    }

    TestPlattform plattform;
    std::unique_ptr<TempWurzel> wurzel;
};

TEST_F(FensterVonAussen, JedesFensterDurchEinBeendensignalGeschlossen)
{
    alleSchliessen(u"signal"_s);
}

TEST_F(FensterVonAussen, JedesFensterDurchDenLeerlaufGeschlossen)
{
    alleSchliessen(u"leerlauf"_s);
}

// A termination signal at the first turn of the event loop, before the main
// window is made: the program ends at once, and no main window comes.
TEST_F(FensterVonAussen, SignalVorDemHauptfensterBeendet)
{
    neueWurzel();
    QProcess p;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(u"ZETTLORA_ROOT"_s, wurzel->wurzel());
    p.setProcessEnvironment(umgebung);
    p.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {u"programm"_s, u"frueh"_s});
    ASSERT_TRUE(p.waitForStarted());
    const bool beendet = p.waitForFinished(15000);
    if (!beendet) {
        p.kill();
        p.waitForFinished();
    }
    EXPECT_TRUE(beendet) << "the program runs on";
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_FALSE(p.readAllStandardOutput().contains("fenster")) << "a main window was made";
}

} // namespace
