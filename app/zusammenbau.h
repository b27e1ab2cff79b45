#pragma once
// Assembles the program: every part registers its commands, card events and
// start-up and exit steps in the one register the main window runs them from.

namespace zadressbuch {
class Befehlsregister;
}

namespace zapp {

void Programm_Zusammenbauen(zadressbuch::Befehlsregister& r);

// One font for every window, menu, dialog and message box: the one the forms
// are laid out for (Arial, 8 points), in place of the desktop's per-kind fonts.
void Schrift_Einrichten();

} // namespace zapp
