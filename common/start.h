#pragma once
// Start-up checks, the single-instance guard, the usage counters and the user.

#include <QString>
#include <functional>

namespace zcommon {

// Checks the program's own number and date formatting (pinned to German) and
// the system date (before 1999 is wrong). Returns the warning ("" when all is
// well). With zeigen and the setting "LänderHinweis" (section "Allgemein") not
// "0" the warning is shown in a Yes/No box titled "Ländereinstellung"; No
// writes "0" there so that it is not shown again (the box closed by the
// program answers Yes and writes nothing).
QString Laendereinstellung_Pruefen(bool zeigen);

// Runs the one-shot configuration job "Adapter.Cfg" of the program folder.
// The job is in INI form: each section names a settings file (a name as
// Ini_Schreiben takes it, "Zizorud.ini" for the default place), optionally
// followed by "|" and a section of that file ("[Zizorud.ini|Allgemein]");
// without it the keys go into the program's own section. Every key of the
// section is written there with its value. The section "Adapter" with
// "Beenden=1" asks the program to end afterwards. The file is renamed to
// "Adapter.Cfg.erledigt" before it is applied, so that it runs once.
// Returns true when the program is to end.
bool Konfiguration_Anpassen();

// The single-instance guard: true when another instance runs (it is asked to
// come to the front) and this one must end. A lock left behind by a crashed
// run never blocks. "NoInstanceWatch"=1 in section "Allgemein" of
// DurIdovi.ini in the program folder switches the guard off.
bool Instanz_Pruefen();
// What the running instance does when a second start asks it to come to the
// front (the main window brings itself up). Needs the event loop.
void Instanz_Aktivierung(std::function<void()> aktivieren);
// Releases the guard (end of the program; tests).
void Instanz_Freigeben();

// Usage counters in section "Statistik" of Zizorud.ini: "ErsterStart"
// (dd.mm.yyyy hh:nn:ss), "Starts", "Laufzeit" (seconds in all).
void Statistik_Start();
void Statistik_Ende();
// Mode 0: the full report, line breaks in place; "Sorry, aber keine
// Datengrundlage vorhanden." when there are no counters yet.
QString Nutzungsstatistik_Text(int modus = 0);

// The user's name for this run: key "Benutzer" of the program's own section
// of Zizorud.ini, else the login name capitalised, else asked for (and
// stored) when a person can be asked; "Benutzer" as the last resort. At most
// 99 characters; worked out once per run.
QString Benutzer_Ermitteln();
// Forgets the name worked out (tests; after the setting changed).
void Benutzer_Zuruecksetzen();

// The number of colours of the display: 2 to the power of its bits per pixel.
double Farbanzahl();

} // namespace zcommon
