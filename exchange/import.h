#pragma once
// Import of addresses from other programs: a delimited text file (TAB, ";"
// or ",") whose columns the user assigns to the 24 fields, and up to eight
// lines of clipboard text for the fields of the shown address.

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

namespace zaustausch {

// The most columns the import offers; the rest of a longer row is ignored.
inline constexpr int MaxSpalten = 255;

// Rows of fields. A field that begins with a double quote runs to the next
// lone quote: separators and line breaks inside belong to it and "" stands for
// one quote. Rows end with CR LF, LF or CR; empty rows are skipped. With
// maxSpalten > 0 a row keeps only its first maxSpalten fields (*gekuerzt, when
// given, becomes true if a row had more).
QList<QStringList> Trenntext_Zerlegen(QStringView text, QChar trenner, int maxSpalten = 0, bool* gekuerzt = nullptr);
// The other way round: fields holding the separator, a quote or a line break
// are quoted, and so is a row of one empty field; rows end with CR LF.
QString Trenntext_Verbinden(const QList<QStringList>& zeilen, QChar trenner);
// The separator of a first line: the most frequent of TAB, ";" and ","
// (outside quotes), TAB when none occurs.
QChar Trenner_Erkennen(QStringView ersteZeile);

struct ImportText
{
    QString text;
    QString fehler; // German reason why the file cannot be imported; empty when it can
};

// The text of an import file's bytes: a byte-order mark names UTF-8, UTF-16
// LE or UTF-16 BE; without one it is UTF-8 when it decodes as UTF-8 with
// non-ASCII characters, Windows-1252 otherwise; further marks at the start
// are dropped. End-of-file marks (Ctrl+Z) at
// the end are dropped, as the address-file loader drops them. A text holding
// NUL characters is no text file and is refused. name: the file as the
// message names it.
ImportText ImportText_Aus(const QByteArray& bytes, const QString& name);
// The same for a file; an unreadable file is refused too.
ImportText ImportText_Lesen(const QString& pfad);

// A cell's value as it goes into a field: without leading and trailing blanks
// and end-of-file marks (a cell of marks is empty, as a line of marks holds no
// address in an address file); a character an address file cannot hold
// (outside Windows-1252) becomes its nearest letters, as text pasted into the
// card does ("Łódź" "Lódz", "ı" "i"), or "?" when it has none (an emoji).
// *ersetzt, when given, is raised by the number of characters replaced.
QString Importwert(QStringView zelle, int* ersetzt = nullptr);

// The fields one row fills: columns assigned to the same field joined by a
// blank (in column order), empty values left out. *inhalt, when given, tells
// whether any field got a value.
zadressbuch::Felder Zeile_Felder(const QStringList& zeile, const QList<int>& zuordnung, bool* inhalt = nullptr,
                                 int* ersetzt = nullptr);

// A proposal which field each column of a caption line fills (-1: none): a
// caption equal to a card caption or a default caption (without regard to
// case, "&" and ":"), or a name other programs give the e-mail field
// ("E-Mail", "E-Mail-Adresse", "Email", "Mail"); each field taken once.
QList<int> Zuordnung_Vorschlagen(const QStringList& kopf);

struct ImportErgebnis
{
    int importiert = 0;
    int uebersprungen = 0;  // rows without any text for the assigned fields
    bool abgelehnt = false; // read-only mode or no column assigned
    bool voll = false;      // the 32000 limit stopped the import
    int ersetzt = 0;        // characters an address file cannot hold, replaced
};

// Whether an imported field 23 brings an index number of its own: its leading
// number (zcommon::Val) is above 0. The text is then kept as it stands.
bool Indexnummer_Mitgebracht(const QString& feld23);

// Appends one address per row (the caption row skipped when ersteZeileKopf)
// in one step, with the fields of Zeile_Felder; fields 15 and 16
// get today unless a column fills them. An address keeps the index number it
// brings (Indexnummer_Mitgebracht); the others get new ones, reserved in one
// step (AdressIndex_Vergeben with their count; none called when all bring
// one). The counter is not raised past a number brought. Refused in read-only
// mode (message); stops at the 32000 limit with the limit message; sets the
// changed flag.
ImportErgebnis Adressen_Importieren(zadressbuch::AdressListe& liste, const QList<QStringList>& zeilen,
                                    const QList<int>& zuordnung, bool ersteZeileKopf);

// The clipboard import's lines: the first eight lines of the text (CR LF, LF
// or CR), each without its line end; fewer when the text has fewer.
QStringList Zwischenablage_Zeilen(const QString& text);

} // namespace zaustausch
