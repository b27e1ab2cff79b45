#pragma once
// The clock timer ZeitTimeOut of the main window (every 2000 ms, enabled for
// the whole run): date and time in the status bar, the idle counter, the
// warning during the last 120 seconds and the idle exit.
//
// The counter sitzung().LeerlaufZaehler grows by 2 seconds a tick; showing an
// address (Karte_Anzeige), a change of a card field's text and opening the
// menu "&Weiteres" set it to 0. The limit sitzung().LeerlaufGrenze (seconds,
// 0 = never) is read at every load: LeerlaufGrenze_Lesen().
//
// How the main window wires it:
//
//   QTimer ZeitTimeOut (interval UhrIntervallMs), timeout -> ZeitTimeOut_Timer();
//   Form_Load calls ZeitTimeOut_Timer() once and starts the timer in the same step.
//
//   void Main::ZeitTimeOut_Timer()
//   {
//       UhrAnzeige a = ZeitTimeOut_Tick(QApplication::activeModalWidget() != nullptr);
//       panel "Datum" := a.datum; panel "Zeit" := a.zeit;
//       if (!a.warnung.isEmpty()) panel "Status" := a.warnung;
//       Leerlauf_Beenden(a, [this] { return pulEnde_Click(); },     // save and exit; false when the save failed
//                           [this] { return PulAbbruch_Click(); }); // quit without saving
//   }
//
//   after Daten_Laden:  sitzung().LeerlaufGrenze = LeerlaufGrenze_Lesen();
//
// The exit is carried out only when no modal dialog (message box, input box,
// any modal form) is open and no long walk over the list runs
// (ListenLauf::aktiv()); otherwise it happens at the first tick after that.
// When the save before the exit fails, the program goes on and the counter
// starts again from 0, so the next attempt comes after the full idle time.

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
// limit and read-only flag. modalerDialogOffen: a modal dialog is open now.
UhrAnzeige ZeitTimeOut_Tick(bool modalerDialogOffen);
// The same with an explicit time (tests).
UhrAnzeige ZeitTimeOut_Tick(bool modalerDialogOffen, const QDateTime& jetzt);

// Carries out the exit a tick decided: runs the matching command (each
// returns true when the program is ending). While one runs, further ticks
// decide no exit. A failed save-and-exit (false) lets the program go on with
// the counter at 0. Does nothing for UhrAnzeige::Weiter.
void Leerlauf_Beenden(const UhrAnzeige& anzeige, const std::function<bool()>& speichernUndBeenden,
                      const std::function<bool()>& ohneSichernBeenden);

// True while Leerlauf_Beenden runs an exit command.
bool Leerlauf_AusstiegLaeuft();

// The limit for the open address file and the current user: the numeric value
// of the file setting "TimeOut_" + user name; missing, empty, not a number or
// below 0 give 0 (never).
int LeerlaufGrenze_Lesen();
int LeerlaufGrenze_Lesen(const QString& benutzer);

// The warning text for the seconds left: "Automatisches Programmende in " +
// Dauer_Text(rest) + "..." (an overdue exit counts as 0 seconds left).
QString LeerlaufWarnung(double rest);

} // namespace zadressbuch
