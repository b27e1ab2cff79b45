#pragma once
// Registers the exchange commands: the import of an address list and of the
// clipboard, dialing, and the search in a CD-ROM telephone directory.

namespace zadressbuch {
class Befehlsregister;
}

#include <QString>
#include <functional>

namespace zaustausch {

// The call-by-call prefix for a number ("" none) that dialing puts in front:
// the catalogues' CallByCall_Ermitteln (mode 0); replaceable for tests.
std::function<QString(const QString&)>& callByCallErmitteln();

void Befehle_Anmelden(zadressbuch::Befehlsregister& r);

} // namespace zaustausch
