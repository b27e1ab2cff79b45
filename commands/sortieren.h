#pragma once
// Sorting the address list by one field. Ties on that field are broken by the
// fields that follow it (wrapping round from field 23 to field 0); the date
// fields 15, 16 and 20 sort chronologically: a value of exactly ten
// characters is read as "dd.mm.yyyy", whatever the characters between the
// parts ("24/12/1960", even "31.02.1999"), and compares as "yyyy.mm.dd"; a
// shorter or longer date ("d.m.yyyy", day and month with one or two digits)
// compares by its date too; any other value as its text among them ("1960"
// between the dates of 1959 and 1962, "unbekannt" after every date), empty
// values first. Texts compare case-insensitively with German
// collation: umlauts and accented letters beside their base letters, "ß" as
// "ss", the end of a field before any character, so a field sorts before a
// longer field that begins with it; blanks and punctuation before digits,
// digits before letters. Entries that compare equal keep their order.
//
// The sorted list is built apart and swapped in only when complete, so no
// entry can be lost. The entry that was selected stays selected at its new
// position.

#include "addressbook/adressliste.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zadressbuch {
class Fenster;
}

namespace zbefehle {

// The sort command: sorts the list by the field (0..23), sets the changed
// flag (also when the order stays as it was), shows "Sortiere Adressen..."
// and the progress while it runs and "Bereit" at the end, and selects the
// entry that was selected before. A field outside 0..23 does nothing and
// returns false.
bool Sortieren(zadressbuch::AdressListe& liste, int feld, zadressbuch::Fenster& fenster);

// Progress of a long sort, 0..100 (-1 hides it).
using Fortschrittsanzeige = std::function<void(int)>;

// The new order: position k of the sorted list holds entry result[k] of the
// given list. Empty for a field outside 0..23.
std::vector<int> SortierReihenfolge(const QStringList& eintraege, int feld, const Fortschrittsanzeige& fortschritt = {});

// An entry as the sort gives it back: exactly 24 fields, each followed by the
// field separator (missing fields empty, fields beyond the 24th dropped).
QString AufFeldanzahl(const QString& eintrag);

// The field named by a "SortAtClose" value: the number in its last two
// characters (three blanks put in front; no number counts 0). 0..23 name the
// field; a negative number ("-1") and 24..99 give -1 (no sort).
int SortAtClose_Feld(const QString& wert);


} // namespace zbefehle
