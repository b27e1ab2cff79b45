#pragma once
// The print commands of the main window: envelope, window-envelope sender
// sheet, address list, personal sheet and printer set-up.

namespace zadressbuch {
class Befehlsregister;
class Fenster;
} // namespace zadressbuch

namespace zdruck {

void Befehle_Anmelden(zadressbuch::Befehlsregister& r);

// The window-envelope sender sheet for the selected address: asks for the
// sender line (remembered per address file), prints at once on the current
// printer. Nothing happens after a cancel or an empty answer.
void mnuPrnUmschlagsfenster_Click(zadressbuch::Fenster& fenster);

} // namespace zdruck
