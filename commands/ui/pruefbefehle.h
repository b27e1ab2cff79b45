#pragma once
// Registers the check commands and the small card dialogs with the main
// window's command table: the duplicate and similar-address search, the
// e-mail check, the zoom editor, the special-character picker, and the
// duplicate-name check when a name field is left.

namespace zadressbuch {
class Befehlsregister;
class Fenster;
} // namespace zadressbuch

namespace zbefehle {

void Pruefbefehle_Anmelden(zadressbuch::Befehlsregister& r);

// Feld_LostFocus: with "AutoSucheDoppeltenNamen" on, leaving the surname or
// first-name field whose name stands in another address shows MsgDoppelt;
// "&Ja" deletes the current address and selects the other. True when it
// switched.
bool Doppelten_Namen_Pruefen(zadressbuch::Fenster& fenster, int feld);

} // namespace zbefehle
