#pragma once
// The address commands: new, duplicate, delete and undo of the selected
// address. They change the address list and sitzung() (changed flag, undo
// copy); the card follows through the list's selection signal and the
// window interface.

#include "addressbook/adressliste.h"
#include "addressbook/fenster.h"

#include <QString>

namespace zbefehle {

// "Adresse &neu anlegen" (Ctrl+N): appends an empty address with the file's
// defaults ("Vorgabe_00".."Vorgabe_23", not for the fields 15, 16 and 23),
// today in fields 15 and 16 and a new index number in field 23, selects it
// and puts the focus into field 2. A full list (32000) gets the limit message.
// True when an address was added.
bool Adresse_Neu(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster);

// "Adresse &duplizieren": appends a copy of the selected entry with today in
// fields 15 and 16 and a new index number, and selects it. True when added.
bool Adresse_Duplizieren(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster);

// "Adresse &löschen" (Ctrl+Y): asks (unless the address is empty, the
// question is switched off by "BestätigeLöschen" = 0, or ohneFrage is given
// by the cut command), appends the entry to the archive file of "LöschenNach" when that is
// set, removes it and selects the entry that takes its place (or the new last
// one). An archive that cannot be written keeps the address (with a message).
// True when the entry was removed.
bool Adresse_Loeschen(zadressbuch::AdressListe& liste, bool ohneFrage = false);

// "Änderungen &rückgängig" (Ctrl+Z): swaps the selected entry with its undo
// copy, so a second undo brings the changes back; sets the changed flag when
// the entry changes. True when it changed.
bool Aenderungen_Rueckgaengig(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster);
// Whether undo would change anything (the menu enables "Änderungen &rückgängig" by it).
bool Rueckgaengig_Moeglich(const zadressbuch::AdressListe& liste);

// "Adresse &ausschneiden": keeps the selected entry in the address clipboard
// (sitzung().AdressZwischenablage) and deletes it without a question. True
// when the entry was removed.
bool Adresse_Ausschneiden(zadressbuch::AdressListe& liste);

// "Adresse &einfügen": appends the address of the address clipboard as a new
// address (with an index number of its own) and selects it. A full list gets
// the limit message. True when an address was added.
bool Adresse_Einfuegen(zadressbuch::AdressListe& liste);

// "&Indexnummern neu vergeben...": after the question, every address gets a
// new index number. True when renumbered.
bool Indexnummern_NeuVergeben(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster);

// True when an entry holds nothing but the dates and the index: every field
// other than 15, 16 and 23 is empty or blanks only.
bool Eintrag_OhneInhalt(QStringView eintrag);

} // namespace zbefehle
