#pragma once
// Four commands on the whole address list (menu "&Vertrieb"): delete every
// address holding a text, write every telephone number with its name into a
// settings file, copy the postal addresses from the selected one to the end
// to the clipboard as a TAB table, and store every address back once from the
// card. The walking tools step through the list by selecting each entry (the
// window shows it on the card) and read the card through the Fenster; Esc
// (sitzung().LetzteTaste == 27) stops them after the current entry.

#include "addressbook/adressliste.h"
#include "addressbook/fenster.h"

#include <QString>

namespace zbefehle {

// "Lösche alle Adressen mit...": asks for the text (proposal "VQuickDel"),
// removes every entry whose lower-cased text matches "*" + text + "*" (the
// pattern rule: "?", "#", "[...]" are wildcards) and reports the count. An
// empty answer changes nothing; a malformed pattern matches nothing. Returns
// the number removed.
int Adressen_Loeschen_Mit(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster);

// "Alle Rufnummern/Namen in Ini-Datei": asks for the file (proposal
// "VExpRufNameFile", default temp folder + "/x-RufName.Ini"), tests that it
// can be written ([Allgemein] Stand), then writes [Nummern] digits = name and
// suffix for the fields 13, 12, 8, 7 of every address. False when nothing was
// written (cancel or the write test failed).
bool Rufnummern_Exportieren(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster);

// The address table's caption line and one address line (fields 23, 2, 1,
// 10, 3, 4, 5, 6, each followed by TAB, then CR LF).
QString AdressTabelle_Kopf();
QString AdressTabelle_Zeile(const zadressbuch::Fenster& fenster);
// "Alle Adressen ab Cursor in &ZA": the table from the selected entry (the
// first when none is selected) to the last onto the clipboard, also after Esc.
// Returns the text put there.
QString AdressTabelle_InZwischenablage(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster);

// "Spezial-Job": from the entry after the selected one, count + 1 steps round
// the list, each entry shown and stored back with Adresse_Uebernehmen(1). An
// empty list does nothing. Returns the steps taken.
int Spezialjob(zadressbuch::AdressListe& liste, zadressbuch::Fenster& fenster);

} // namespace zbefehle
