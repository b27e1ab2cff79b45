#pragma once
// The document hand-over from the main window: the card shown is written to
// the two hand-over files (masks/uebergabe.h), by "&Dokument erstellen..."
// (menu, the card's popup menu, symbol button 46) and by the exit.

#include "masks/uebergabe.h"

namespace zadressbuch {
class Fenster;
}

namespace zmasken {

// Writes the hand-over files for the address the card shows: the card's
// texts, the text selected in the remark field, and the selected list entry
// for the address block.
Uebergabedateien Karte_Uebergeben(zadressbuch::Fenster& fenster);

// "&Dokument erstellen...": writes the hand-over files, then names them in
// the status bar, their whole paths in its tooltip (there is no document
// dialog to show).
void mnuDocErstellen_Click(zadressbuch::Fenster& fenster);

// The exit's step: writes the hand-over files; a file that could not be
// written is named in a message, unless nobody is there to answer it (the
// idle exit, index 1).
void Ende_Uebergeben(zadressbuch::Fenster& fenster, int index);

// The status text after a hand-over: the names of the files that could not
// be written, then of those written.
QString Uebergabe_Meldung(const Uebergabedateien& dateien);

} // namespace zmasken
