#pragma once
// Printing text on the current printer (zplatform::drucker()): word-wrapped
// into a rectangle, the footer line and the program's emblem. Positions are
// in the printer's units (centimetres of the moved origin).

#include <QString>

namespace zcommon {

// Prints the text word-wrapped into the rectangle and returns what did not
// fit ("" when all was printed); the text itself is set to that rest.
// - links/oben of 0 or more set the print position; otherwise it stays.
// - rechts below 0 or not right of the left edge: the scale width less 1.
// - unten below 0 or not below the top: the scale height less twice the
//   height of "Ay".
// Lines break at line breaks (CR LF, LF, CR), after blanks and after "-"; a
// word wider than the rectangle is broken between characters. A line is
// printed only when it lies wholly inside the rectangle (height of "ABCxyz").
QString Text_ImRechteckDrucken(QString& text, double links = -1, double oben = -1, double rechts = -1,
                               double unten = -1);

// Prints the footer line at the bottom of the current page, starting at x =
// links, in Arial: "Zettlora <version> · Ausdruck vom dd.mm.yyyy". Nothing
// when the setting "Fusszeile" of the program's own section of Zizorud.ini is
// "0". The caller's font is kept.
void Fusszeile_Drucken(double links);

// Prints the program's emblem at the current print position, its font sizes
// multiplied by faktor. Leaves the printer's font (Arial, bold, black) and
// the position (below the emblem, at its left edge) changed.
void Emblem_Drucken(double faktor = 1.0);

} // namespace zcommon
