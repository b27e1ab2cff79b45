#pragma once
// Address lists: the selection rules of the list-print dialog, the print run
// that lays the selected addresses out through a mask on pages of the
// current printer, and the export of a selection to an address file.

#include "platform/drucker.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zdruck {

// The counter of the dialog: "3 von 120 Adressen sind zum Drucken ausgewählt".
QString Anzahl_Text(int ausgewaehlt, int gesamt);

// The selection by the filters: the user filter (trimmed, exact case) must
// occur in field 9 (both empty also passes; a non-empty filter never
// matches an empty field), and the text filter (trimmed, any case) in the
// whole stored line with its TABs and "°°" marks (empty: always).
bool Auswahl_Passt(const QString& datensatz, const QString& benutzerFilter, const QString& textFilter);

// The comma clean-up of a block: ",  " and ", , " shrink to ", " (nine rounds).
QString Kommas_Bereinigen(QString text);

// The extra top offset of list pages in cm: "RandOben" of section "Drucker"
// of Zizorud.ini in millimetres ("." as decimal point) / 10.
double Rand_Oben();

// One copy of a list print run on the current printer. Every page is a print
// job of its own: the page start prints a blank in size 1 (which opens the
// page), takes the list font, goes down to the top offset and prints the
// heading with the page number; each selected address is its mask's text
// (commas cleaned) word-wrapped inside the printable area of the moved
// origin, then an empty line; a page ends (footer, end of document) when
// the next block of that size would come within 1.5 cm of the printable
// area's lower edge, or after every address with seiteProAdresse. A block
// too long for the rest of a page goes on on the next one; a block that does
// not fit on an empty page is printed as far as it fits.
struct Listenlauf
{
    // Input.
    const QStringList* eintraege = nullptr; // the dialog's list, one record per entry
    std::function<bool(int)> ausgewaehlt;   // whether entry i is selected
    QString maske;                          // mask name
    QString ueberschrift;                   // heading ("" none)
    bool seiteProAdresse = false;
    zplatform::DruckSchrift schrift; // the list font
    double randX = 0;                // margins, cm (the origin moves by them)
    double randY = 0;
    // Asked before every page when set: false stops the run (the page is
    // still printed). seite is the number of the page about to start.
    std::function<bool(int seite)> seiteBestaetigen;
    // Progress 0..100 over the list.
    std::function<void(int)> fortschritt;
    // A printer failure at the end of a page: true goes on, false stops.
    std::function<bool(const QString& grund)> fehler;

    // State.
    int seitenNummer = 0;    // pages started in this copy
    bool druckStopp = false; // the user stopped the run (all copies)
    int seitenGesendet = 0;  // pages sent in all copies

    // Prints one copy; false when the run was stopped (by the user or after
    // a printer failure).
    bool kopieDrucken();

private:
    void seiteBeginnen();
    bool seiteBeenden();
};

// The export: the lines written to a new file (description line first when
// one is given) or appended to an existing one. The target must not be the
// open address file. An existing file that does not end with a line break
// gets one first. A character Windows-1252 cannot hold is written as "?" and
// added to *ersetzt. Returns "" on success, else the reason.
QString Auswahl_Exportieren(const QString& pfad, const QStringList& zeilen, bool neu, const QString& beschreibung,
                            const QString& offeneAdressdatei, QString* ersetzt = nullptr);

} // namespace zdruck
