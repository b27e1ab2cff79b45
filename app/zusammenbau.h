#pragma once
// Assembles the program: every part registers its commands, card events and
// start-up and exit steps in the one register the main window runs them from.

namespace zadressbuch {
class Befehlsregister;
}

namespace zapp {

void Programm_Zusammenbauen(zadressbuch::Befehlsregister& r);

} // namespace zapp
