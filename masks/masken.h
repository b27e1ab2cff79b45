#pragma once
// Masks: small text files ("<name>.msk" in the mask folder, Windows-1252,
// CR LF) that lay out one address as text. Placeholders in braces name the
// card's current field captions (sitzung().Bezeichnungen, which the user may
// rename), matched without regard to case:
//
//   "{" caption "}"    the field's text (line breaks inside it as CR LF)
//   "{~" caption "}"   the field's text and a line break when it holds more
//                      than blanks, otherwise the text as it is (an optional line)
//   "{@Datum}"         today, "dd.mm.yyyy"     "{@Uhrzeit}"  now, "hh:nn"
//   "^t"               a TAB
//   "~" at the start of a later line is dropped (the line stays)
//
// Everything else, other text in braces included, is copied unchanged. The
// result loses every CR and LF at its end and blanks at both ends. Masks the
// program asks for by name: "Anschrift", "eMail_Body", "Umschlag".
//
// Masken.Ini in the mask folder keeps the font the editor showed for each
// mask: section "MaskenFonts", key the mask's base name in upper case, value
// the font text (name;size;bold;italic;underline;colour).

#include "addressbook/datensatz.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zmasken {

// The mask folder (sitzung().MaskenOrdner, without trailing separator).
QString Maskenordner();

// The names of the mask folder's "*.msk" files without ".msk", sorted without regard to case.
QStringList Masken_Liste();

// The file of a mask: the name gets ".msk" unless it ends so (any case); it is
// tried as given first (a bare name in the current folder), then inside the
// mask folder; names compare without regard to case. "" when neither exists.
QString Maske_Datei(const QString& maskenName);

// The text of a mask file as the editor loads it and the expansion reads it:
// every line (ended by CR LF, CR or LF) followed by CR LF, the last one too;
// "" for an empty file. *ok is false when the file could not be read.
// Nothing is ever cut, however long the mask is.
QString Maske_TextLesen(const QString& pfad, bool* ok = nullptr);
// Writes a mask exactly as the text stands (no line end added), Windows-1252.
// False (nothing written) when the file cannot be written or a character has
// no Windows-1252 form (*fehler, when given, says why). Whatever writes mask
// files goes through here, so an open run (Masken_Durchgang) uses the new
// text too.
bool Maske_Speichern(const QString& pfad, const QString& text, QString* fehler = nullptr);

// Masken.Ini of the mask folder, and the font settings kept in it.
QString MaskenIniDatei();
// The key of a mask in Masken.Ini: its base name (up to the first ".") in upper case.
QString Maske_SchriftSchluessel(const QString& maskenName);
QString Maske_SchriftLesen(const QString& maskenName, const QString& vorgabe = QString());
// False when Masken.Ini could not take it (*fehler, when given, says why).
bool Maske_SchriftSchreiben(const QString& maskenName, const QString& schrift, QString* fehler = nullptr);

// The mask expanded for one address (a record line as in the address list),
// with the card's current captions. "" when the mask does not exist. A mask is
// read and prepared once and used again until its file changes; each call
// checks the file (and reads the clock for "{@Datum}" and "{@Uhrzeit}"), so
// a mask edited between two calls is used by the second one.
QString Maske_Ausfuellen(const QString& maskenName, const QString& datensatz);

// A run over many addresses (a list print, an export) within one command:
// while one is open, each mask is looked up and its file checked only at its
// first expansion, and "{@Datum}" and "{@Uhrzeit}" give the moment of the
// first one that needed them, for the whole run. A mask saved through
// Maske_Speichern is used at once all the same. Runs may nest; the outermost
// one ends the run. Open it around the loop, never across user actions:
//
//     zmasken::Masken_Durchgang durchgang;
//     for (...) text = zmasken::Maske_Ausfuellen(maske, liste.List(i));
class Masken_Durchgang
{
public:
    Masken_Durchgang();
    ~Masken_Durchgang();
    Masken_Durchgang(const Masken_Durchgang&) = delete;
    Masken_Durchgang& operator=(const Masken_Durchgang&) = delete;
};

// The same for a mask text at hand, with the given captions.
QString Maske_TextAusfuellen(const QString& maskenText, const QString& datensatz,
                             const std::array<QString, zadressbuch::FeldAnzahl>& bezeichnungen);
// The expansion done literally step by step (each caption replaced through the
// whole text in field order): the reference the prepared form must agree with
// (tests, benchmarks).
QString Maske_TextAusfuellenSchrittweise(const QString& maskenText, const QString& datensatz,
                                         const std::array<QString, zadressbuch::FeldAnzahl>& bezeichnungen);

// Forgets every prepared mask (tests).
void Masken_CacheLeeren();

} // namespace zmasken
