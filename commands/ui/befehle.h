#pragma once
// The file and address commands of the main window: open, create, merge,
// save, describe, sort, quit, save and exit; undo, new, duplicate, delete,
// cut, paste, renumbering; the companion programs. Registered once at start
// (app/ assembles the program).

namespace zadressbuch {
class Befehlsregister;
}

namespace zbefehle {

void Befehle_Anmelden(zadressbuch::Befehlsregister& r);

} // namespace zbefehle
