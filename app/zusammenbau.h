#pragma once
// Assembles the program: every part registers its commands, card events and
// start-up and exit steps in the one register the main window runs them from.

#include <QStringList>

namespace zadressbuch {
class Befehlsregister;
}

namespace zapp {

void Programm_Zusammenbauen(zadressbuch::Befehlsregister& r);

// The end asked for from outside: the main window ends as at the idle exit
// (what is open is closed with its safe answer, the address file is saved
// instead of lost, and no dialog left open keeps the program alive); before
// the main window exists (the title window) the program simply quits.
void Programmende_Von_Aussen();

// A termination signal (logout, shutdown, kill) runs Programmende_Von_Aussen
// from the event loop, for the whole run, also one caught since main began
// (zplatform::Beendensignale_Abfangen). Needs the application object. False
// when it could not be set up.
bool Beendensignale_Einrichten();

// One font for every window, menu, dialog and message box: the one the forms
// are laid out for (Arial, 8 points), in place of the desktop's per-kind fonts.
void Schrift_Einrichten();

// The run of the program once its QApplication exists: German texts for Qt's
// own dialogs, the desktop platform, the commands, the termination signals
// and the session manager, then the splash, which brings up the main window;
// returns the exit code of the event loop. argumente: the command line
// without the program's own name ("Datei=", "Suche=", "readonly").
int Programm_Ausfuehren(const QStringList& argumente);

} // namespace zapp
