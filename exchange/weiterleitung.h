#pragma once
// Handing the current address to the telephone: the dialing dialog's "tel:"
// address, and the search in a CD-ROM telephone directory program. This
// system cannot type into another program, so the search starts the
// registered program and puts the digits on the clipboard for the user to
// paste.

#include "addressbook/fenster.h"

#include <QString>

namespace zaustausch {

// "tel:" + the number with every character but digits and a leading "+"
// removed; "" when no digit is left.
QString Telefon_Adresse(const QString& waehltext);

// The digits of the number the directory search looks for: field 7, else
// field 12 (Ziffern_Filtern).
QString CdRom_Suchziffern(const zadressbuch::Fenster& fenster);

// The search: starts "DInfoPrg" (default place) with no arguments in its own
// folder, puts the digits on the clipboard and says so in the status bar. A
// missing or unregistered program gets a message. True when started.
bool CdRom_Suchen(zadressbuch::Fenster& fenster);

} // namespace zaustausch
