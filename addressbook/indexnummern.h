#pragma once
// Index numbers (field 23): the counter "AdressIndex", kept in Zettlora.Ini
// [Allgemein] and in the program's own section of Zizorud.ini; the larger of
// the two wins and both are written back. The stored value is the next number
// to hand out.

#include "addressbook/adressliste.h"

#include <QString>

namespace zadressbuch {

class Fenster;

inline constexpr long long IndexHoechstwert = 999999999;

// Adds count to the counter and returns the new value (count 1: the caller
// gives its address the result minus 1; count 0 only brings both places to
// the larger value). A stored value that is no whole number, or below 1,
// counts as 1; values are read as 64-bit; past 999999999 the counter starts
// again at 1. When neither place can be written the user is told once per
// run ("#SystemHand").
long long AdressIndex_Vergeben(int count);

struct IndexSuche
{
    bool gefunden = false;
    int position = -1; // the entry selected when found
    QString status;    // final text of the "Status" panel ("Bereit" or "Index #k nicht gefunden")
};

// Selects the next entry after the selected one (wrapping once) that holds
// the number as a whole field (TAB + k + TAB, k the value rounded to a whole
// number); examines every entry except the selected one (all of them when
// none is selected). Shows the hourglass, writes "Suche Index #k" through
// fenster.Status, selects the found entry (setListIndex: the list's click
// handler shows it) and plays "Sgn_Jo.Wav" / "Sgn_No.Wav" of the program folder.
IndexSuche Index_Suchen(AdressListe& liste, double nummer, Fenster& fenster);

// The renumbering command (mnuIndexSetNew_Click) after the form's question:
// gives every entry, in list order, the next index number in field 23
// (field 16 kept, as a store with DatumBehalten 1), brings both counter places
// to the next free number and sets Geaendert = 1 when an entry changed.
// Nothing in read-only mode (returns -1). Returns the number of entries numbered.
// The form shows the selected entry again afterwards.
int Index_NeuVergeben(AdressListe& liste);

} // namespace zadressbuch
