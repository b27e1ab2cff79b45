#pragma once
// Helpers for list boxes, combo boxes, fonts, the enabled state of a form's
// controls and the main window's position.

#include <QString>

class QComboBox;
class QListWidget;
class QWidget;

namespace zcommon {

// Removes entries whose text equals (exactly) that of an earlier entry, so
// that each text stands once; the first of equal entries stays. Hourglass meanwhile.
void Liste_DoppelteEntfernen(QListWidget* liste);
void Liste_DoppelteEntfernen(QComboBox* liste);

// The texts of all entries in list order, each followed by the separator (the
// last one too); an empty separator means ";"; an empty list gives "".
QString Liste_AlsText(const QListWidget* liste, const QString& trenner = QString());
QString Liste_AlsText(const QComboBox* liste, const QString& trenner = QString());

// Clears the list and adds every non-empty part of the text between
// separators, in order (duplicates kept); an empty separator means ";".
// Returns the number of entries.
int Liste_AusText(QListWidget* liste, const QString& text, const QString& trenner = QString());
int Liste_AusText(QComboBox* liste, const QString& text, const QString& trenner = QString());

// Index of the first entry from start on whose text contains the text
// (ignoring case); -1 when there is none.
int Liste_Suchen(const QListWidget* liste, const QString& text, int start = 0);
int Liste_Suchen(const QComboBox* liste, const QString& text, int start = 0);

// Appends the text unless an entry with exactly that text is there; the
// selection (and a combo box's shown text) stays as it was. Returns the index
// of the last entry.
int Liste_EintragSichern(QListWidget* liste, const QString& text);
int Liste_EintragSichern(QComboBox* liste, const QString& text);

// Removes the selected entry and selects the one that moved into its place,
// or the last entry when the removed one was the last; nothing happens when
// no entry is selected.
void Liste_MarkiertenEntfernen(QListWidget* liste);
void Liste_MarkiertenEntfernen(QComboBox* liste);

// Clears the list and adds the current printer's fonts in the printer's
// order; hourglass meanwhile; "#SystemExclamation" when it took over 5 seconds.
void Liste_DruckerSchriften(QListWidget* liste);
void Liste_DruckerSchriften(QComboBox* liste);

// Rebuilds the combo box's list as a history: its current text first (an
// empty one too), then the former entries without those equal to it
// (ignoring case), at most maximal entries (at least 1). The current text
// stays shown; no selection signal results. Returns the new count.
int Kombi_Verlauf(QComboBox* kombi, int maximal);

// Enables (an) or disables every control of the form except those whose
// property "tag" is "NoDisable". Shows the hourglass meanwhile and leaves the
// pointer as it found it.
void Steuerelemente_Sperren(QWidget* form, bool an);

// The control's font as one text: name;size;bold;italic;underline;colour —
// size with "." as decimal point, flags "-1" or "0", colour the number
// 0x00BBGGRR of the control's text colour.
QString Schrift_AlsText(const QWidget* steuerelement);

// Applies such a text. was is compared in lower case by containment: "alle"
// font and colour, "schr" the font, "farb" the colour, "print" sets the
// current printer's font (and colour) instead of the control's (steuerelement
// may then be null). An empty text or an empty part leaves that property as it is.
void Schrift_Setzen(QWidget* steuerelement, const QString& schrift, const QString& was);

// Places the window from the keys praefix + "Form_Höhe", "Form_Weite",
// "Form_Links", "Form_Oben" (twips) of the program's own section of
// Zizorud.ini, keeping it on the screen: a size larger than the screen is cut
// to the screen, a position below 0 or one that would push the window past
// the screen's edge centres it in that direction.
void Form_Position_Laden_Main(QWidget* fenster, const QString& praefix = QString());

} // namespace zcommon
