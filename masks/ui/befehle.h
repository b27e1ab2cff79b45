#pragma once
// Registers the mask commands with the main window's command table: the mask
// editor, the clipboard copy of the address through a mask, the document
// hand-over ("&Dokument erstellen..."), and the renaming of a card caption
// (which offers to rename its placeholder in every mask).

#include <QString>

namespace zadressbuch {
class Befehlsregister;
class Fenster;
} // namespace zadressbuch

namespace zmasken {

void Befehle_Anmelden(zadressbuch::Befehlsregister& r);

// "Feld&beschriftung ändern...": asks for the new caption of the card field
// (PopupFeldIndex, else the focused field), stores it ("Bez_" + two digits in
// section "Beschriftung" of Zettlora.Ini), shows it on the card, and offers
// to replace "{old}" by "{new}" in every mask file. True when renamed.
bool Feldbeschriftung_Aendern(zadressbuch::Fenster& fenster, int feld);

} // namespace zmasken
