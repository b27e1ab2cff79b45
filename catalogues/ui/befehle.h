#pragma once
// The catalogue and statistics commands of the main window and the
// catalogue look-ups of the card's field events.

namespace zadressbuch {
class Befehlsregister;
}

namespace zkataloge {

void Befehle_Anmelden(zadressbuch::Befehlsregister& r);

} // namespace zkataloge
