#pragma once
// The payment forms in the main window's print menu: transfer, direct debit
// and cash on delivery.

namespace zadressbuch {
class Befehlsregister;
}

namespace zzahlung {

void Befehle_Anmelden(zadressbuch::Befehlsregister& r);

} // namespace zzahlung
