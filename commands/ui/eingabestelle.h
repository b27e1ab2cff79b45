#pragma once
// Where the user left the card, for the commands that work on the last input
// (special characters, the zoom editor): the card field that had the focus
// last, or the search box when that had it after the field, with the
// selection there. Positions count a field's characters as its record does
// (a line break 2, as its CR LF).

#include <QString>

class QWidget;

namespace zadressbuch {
class Fenster;
}

namespace zbefehle {

struct Eingabestelle
{
    int feld = -1;             // the card field; -1 the search box
    QWidget* steuerelement = nullptr; // the field's control (none behind a window without controls)
    int anfang = -1;           // selection start (cursor without a selection); -1 unknown
    int laenge = 0;            // selection length
    bool gesperrt = false;     // the control takes no input (a locked field, read-only mode)

    bool suchfeld() const { return feld < 0; }
};

// The place the user left: the field the popup menu was opened on when
// mitPopup and there is one, else the card field last focused, or the search
// box when it had the focus after it (a window without one gives nothing:
// feld -1 and no control).
Eingabestelle Eingabestelle_Ermitteln(zadressbuch::Fenster& fenster, bool mitPopup);
// The cursor of the place's control to a position in field characters
// (clamped to its text), after the input focus went there.
void Eingabestelle_CursorSetzen(const Eingabestelle& stelle, int position);

// Between the text of a multi-line control ("\n") and the field's text (CR LF).
int Position_QtNachFeld(const QString& qtText, int position);
int Position_FeldNachQt(const QString& qtText, int position);

} // namespace zbefehle
