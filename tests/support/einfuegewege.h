#pragma once
// The ways text comes into a text box of the program as the user brings it
// (a line edit, a text box, an editable combo box), and what the box's
// window then says about it where no status bar does: the hint under the box.

#include <QString>
#include <QWidget>

namespace nutzer {

enum class Weg {
    StrgV,          // Ctrl+V
    ShiftEinfg,     // Shift+Insert
    Menue,          // the popup menu's "Einfügen"
    Fallenlassen,   // dropped from another program
    Eingabemethode, // an input method's commit
    Mittelklick,    // the middle button (the X selection; under X11 only)
    Tippen,         // typed, one key per character
};
const char* name(Weg weg);

// The box that holds the text: a combo box's line edit, else w.
QWidget* textkasten(QWidget* w);
// Its text (a text box's with LF).
QString kastentext(QWidget* w);

// Brings text into w (the box or its combo box) the given way, at the end of
// what it holds, or over all of it (selected first); the clipboard and the
// selection hold text then.
void hineinbringen(QWidget* w, Weg weg, const QString& text, bool ueberAlles = false);

// The hint shown under a box in its window ("" when none is shown).
QString hinweisAm(QWidget* w);

} // namespace nutzer
