#pragma once
// Registers the commands of the settings dialog, the bulk tools, the about
// box, the tips, the help entries and the menu commands that hand a value of
// the card on (web page, fax number, search entry).

namespace zadressbuch {
class Befehlsregister;
}

namespace zbefehle {

void Einstellbefehle_Anmelden(zadressbuch::Befehlsregister& r);

} // namespace zbefehle
