#pragma once
// The pieces of the mask editor, the clipboard copy and the caption rename
// that need no window.

#include "addressbook/datensatz.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zmasken {

// The editor's typing limit: characters of the mask text, a line break
// counting two (CR LF). Text loaded from a file is never cut.
inline constexpr int MaskenEditGrenze = 999;
// The most the editor's text box holds, counted the same way: a mask file
// whose text is longer is refused on loading.
inline constexpr int MaskenEditFassung = 65535;

// A mask file as the editor loads it: the text with every line followed by
// CR LF (also the last), or the reason it was not loaded. A file too large
// to hold that many characters is refused by its size alone, unread.
struct MaskenEditLadung
{
    bool ok = false;     // read
    bool zuLang = false; // longer than MaskenEditFassung
    QString text;
};
MaskenEditLadung MaskenEdit_Laden(const QString& pfad);
// The clipboard copy's text box: an expansion is cut to this many characters
// (line ends counted), and typing stops there.
inline constexpr int ZAexportGrenze = 255;

// The insertable entries of the editor's list, sorted as the list shows them
// (without regard to case): "{caption}" for every card caption as it stands,
// "{@Datum}", "{@Uhrzeit}", "An", "Absender" and "~".
QStringList MaskenEdit_Eintraege(const std::array<QString, zadressbuch::FeldAnzahl>& bezeichnungen);

// The editor's panel "Position" for a text with CR LF line breaks and the
// caret (characters before it, a line break counting two).
struct MaskenPosition
{
    QString text; // " 2 Zeile  5 / 9 Zeichen " or "keine Eingaben"
    QString tipp; // "2. Absatz   5 / 9 Zeichen" or "keine Eingaben"
};
MaskenPosition MaskenEdit_Position(const QString& textCrLf, int caret);

// The name a chosen mask file is remembered by (base name as typed) and its
// key in Masken.Ini (that name in upper case).
QString Maske_Basisname(const QString& pfad);

// The clipboard copy: the mask last copied with ("AnschriftZaMaske", default
// "Anschrift") and storing it (".msk" at its end cut off; an empty name is
// not stored).
QString ZAexport_LetzteMaske();
void ZAexport_MaskeMerken(const QString& name);
// The entry of the list to select: the one equal to the remembered name
// without regard to case (the last such), else the first; -1 for an empty list.
int ZAexport_Auswahl(const QStringList& masken, const QString& gemerkt);
// An expansion as the text box takes it: at most ZAexportGrenze characters,
// without a CR left alone at the cut.
QString ZAexport_Text(const QString& ausgefuellt);

// After a card caption was renamed: "{alt}" becomes "{neu}" (found without
// regard to case) in every mask file of the mask folder that holds it; each
// rewritten file ends with CR LF. Returns the number of files rewritten;
// fehler receives the names of files that could not be written.
int Masken_BezeichnungErsetzen(const QString& alt, const QString& neu, QStringList* fehler = nullptr);

} // namespace zmasken
