#pragma once
// What the catalogues add to the address card's field events. Each handler
// returns true when it acted (a double-click handler that acted ends the
// event; the field's own choice list is offered otherwise).

#include <QString>

namespace zadressbuch {
class Fenster;
}

namespace zkataloge {

// Leaving the postcode field: with the setting OrtAusPlz on, a postcode and an
// empty place, the place from the catalogue (the pick list offers several;
// a cancel keeps the place). Leaving the bank-code field with the bank name
// empty: the bank name. The window stores the card afterwards.
bool Karte_FeldVerlassen(zadressbuch::Fenster& fenster, int feld);

// Entering the salutation field while it is empty: "Herr" or "Frau" when the
// first-name catalogue knows the card's first name (else its first word).
bool Karte_FeldBetreten(zadressbuch::Fenster& fenster, int feld);

// Double-click on the place field (with OrtAusPlz on) or the bank-name field:
// the catalogue's entry for the card's postcode or bank code. On a telephone
// field (7, 8, 12, 13): the area codes of the card's postcode in the pick
// list; the chosen one goes in front of the number. The card is stored
// when it changed.
bool Karte_Doppelklick(zadressbuch::Fenster& fenster, int feld);

// The telephone text with the chosen area code: "<code> / " for an empty
// field, "<code> / <number>" for a local number (beginning with 1 to 9), the
// area code in place of the number's own one; other texts (international,
// mobile) stay as they are.
QString Vorwahl_Einsetzen(const QString& telefon, const QString& vorwahl);

} // namespace zkataloge
