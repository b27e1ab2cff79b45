#pragma once
// The pieces of the zoom editor and the special-character picker that need no
// window: the zoom editor's status panels and the picker's character sets.

#include <QString>
#include <QStringList>

namespace zbefehle {

// The zoom editor's panels "Position" and "Prozent" for a text (line breaks
// as CR LF, each counting two characters), the cursor position in those
// characters and the field's length limit (0 = none).
struct ZoomAnzeige
{
    QString position; // " 2. Zeile,  8 / 20 Zeichen " or "keine Eingaben"
    QString tipp;     // "2. Zeile   8 / 20 Zeichen" or "keine Eingaben"
    QString prozent;  // "25%"; "" without a limit (the panel keeps its text)
};
ZoomAnzeige Zoom_Anzeige(const QString& textCrLf, int selStart, int maxLength);

// The zoom editor's setting "ZoomFntSize": hundredths of a point (default 1300).
double Zoom_Schriftgroesse();
void Zoom_SchriftgroesseSichern(double punkte);

// The entries of the picker's drop-down, in order: the set's name padded with
// blanks to 12 characters, 29 blanks, ";" and the set's characters.
QStringList Sonderzeichen_Saetze();
// The characters of an entry: the part after its first " ;" (the whole text
// when it holds none).
QString Sonderzeichen_Zeichen(const QString& eintrag);
// The set's name (the entry up to its padding).
QString Sonderzeichen_Name(const QString& eintrag);

} // namespace zbefehle
