#pragma once
// The clock timer ZeitTimeOut of the main window (every 2000 ms, enabled for
// the whole run): date and time in the status bar, the idle counter, the
// warning during the last 120 seconds and the idle exit.
//
// The counter sitzung().LeerlaufZaehler grows by 2 seconds a tick; showing an
// address (Karte_Anzeige), a change of a card field's text, opening the menu
// "&Weiteres" and any key or mouse input in any window of the program set it
// to 0. The limit sitzung().LeerlaufGrenze (seconds,
// 0 = never) is read at every load: LeerlaufGrenze_Lesen().
//
// How the main window wires it:
//
//   QTimer ZeitTimeOut (interval UhrIntervallMs), timeout -> ZeitTimeOut_Timer();
//   Form_Load calls ZeitTimeOut_Timer() once and starts the timer in the same step.
//
//   void Main::ZeitTimeOut_Timer()
//   {
//       UhrAnzeige a = ZeitTimeOut_Tick();
//       panel "Datum" := a.datum; panel "Zeit" := a.zeit;
//       if (!a.warnung.isEmpty()) panel "Status" := a.warnung;
//       Leerlauf_Beenden(a, {close the innermost window, a window still open,
//                            save and exit (false when the save failed),
//                            quit without saving});
//   }
//
//   after Daten_Laden:  sitzung().LeerlaufGrenze = LeerlaufGrenze_Lesen();
//
// The idle exit frees the address file for others, so nothing that was left
// open holds it back. At the limit, in rounds driven by a timer of their own:
// while a walk over the list runs (ListenLauf::aktiv()) it gets an Esc
// (sitzung().LetzteTaste = 27); the innermost open window is closed as Esc or
// its close box would (a message box of the platform with the answer that
// changes nothing; an input box cancelled; a popup menu; a modal form through its
// own close handler, which may ask a question that the next round closes in
// turn). Once nothing is open any more and every dialog's exec() has
// returned, the exit runs from the event loop: save and exit, or in read-only
// mode quit without saving. Boxes the exit itself shows (a failed save's
// message) are closed the same way; the window shows that message again once
// the exit has given up, and leaves it for the user. A failed save lets the
// program go on with the counter at 0, so the next attempt comes after the
// full idle time; so does a window that will not close (at most LeerlaufHoechstensSchliessen
// closings and LeerlaufHoechstensRunden rounds).
//
// An exit from outside (a termination signal) is never given up that way:
// past those limits the window stores the card and saves the file at once,
// once, where no change of the list is half done (ListeWirdVeraendert; a
// command that only shows a window and waits for it does not hold the save
// back), says so on standard error, and the exit
// goes on waiting until what holds it (a drag, any nested event loop) has
// ended; then it stores, saves and ends. A signal that comes while an idle
// exit is under way makes that exit one from outside.

#include <QDateTime>
#include <QString>
#include <functional>

namespace zadressbuch {

inline constexpr int UhrIntervallMs = 2000;
// Seconds before the limit from which the status bar warns.
inline constexpr int LeerlaufWarnzeit = 120;

struct UhrAnzeige
{
    enum Ende {
        Weiter,              // nothing to end
        SpeichernUndBeenden, // the save-and-exit command
        OhneSichernBeenden   // read-only mode: the quit command, nothing is saved
    };
    QString datum;   // panel "Datum": " dd.mm.yyyy "
    QString zeit;    // panel "Zeit": " hh:mm "
    QString warnung; // panel "Status" when not empty: "Automatisches Programmende in ..."
    Ende ende = Weiter;
};

// One tick at the platform clock's time (zplatform::plattform().jetzt()):
// counts 2 seconds, and decides warning and exit from sitzung()'s counter,
// limit and read-only flag. No exit is decided while one is under way.
UhrAnzeige ZeitTimeOut_Tick();
// The same with an explicit time (tests).
UhrAnzeige ZeitTimeOut_Tick(const QDateTime& jetzt);

// What the window does for the idle exit.
struct LeerlaufAusgang
{
    // Closes the innermost open window as Esc or its close box would; false
    // when none is open.
    std::function<bool()> fensterSchliessen;
    // A window is still open, or the event loop of one that was closed has
    // not returned yet.
    std::function<bool()> fensterOffen;
    // The exit commands; each returns true when the program is ending.
    std::function<bool()> speichernUndBeenden;
    std::function<bool()> ohneSichernBeenden;
    // An exit from outside held up past its limits: store the card and save
    // now, and say so; false when that cannot be done now (a change of the
    // list is half done), so the next round tries again.
    std::function<bool()> sofortSpeichern;
};

inline constexpr int LeerlaufHoechstensSchliessen = 20;
inline constexpr int LeerlaufHoechstensRunden = 200;
// Pause between two rounds that wait for a walk or an event loop to return.
inline constexpr int LeerlaufWarteMs = 50;

// Carries out the exit a tick decided (nothing for UhrAnzeige::Weiter): the
// first round runs at once, so with nothing open the exit happens within
// the tick; otherwise the rounds go on from the event loop. The read-only
// flag at the moment of the exit chooses the command.
// vonAussen: a termination signal asked for it (never given up, see above).
void Leerlauf_Beenden(const UhrAnzeige& anzeige, LeerlaufAusgang ausgang, bool vonAussen = false);

// Tests: the pause between two waiting rounds in ms (LeerlaufWarteMs when
// below 0), so that the limit of rounds passes without waiting seconds.
void Leerlauf_WartezeitSetzen(int ms);

// True from the tick that decided the exit until the exit has run or was given up.
bool Leerlauf_AusstiegLaeuft();

// One line on standard error (line breaks in text become blanks), for
// whoever ended the program from outside and sees no window.
void Fehlerzeile_Schreiben(const QString& text);

// Gives up an exit still under way without running it (the window goes).
void Leerlauf_Abbrechen();

// The limit for the open address file and the current user: the numeric value
// of the file setting "TimeOut_" + user name; missing, empty, not a number or
// below 0 give 0 (never).
int LeerlaufGrenze_Lesen();
int LeerlaufGrenze_Lesen(const QString& benutzer);

// The warning text for the seconds left: "Automatisches Programmende in " +
// Dauer_Text(rest) + "..." (an overdue exit counts as 0 seconds left).
QString LeerlaufWarnung(double rest);

// The status text after an exit from outside (the idle exit, a termination
// signal) gave up because the address file could not be saved.
QString ProgrammendeNichtGespeichert(const QString& fehler);

} // namespace zadressbuch
