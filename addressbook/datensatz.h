#pragma once
// One address as one line of text: 24 fields, each followed by the field
// separator (TAB), the last one too; a line break inside a field stored as
// "°°"; an empty field 0 stored as one blank. It is both the list entry in
// memory and the line of the address file.

#include <QString>
#include <QStringList>
#include <array>

namespace zadressbuch {

inline constexpr int FeldAnzahl = 24;
inline constexpr int MaxAdressen = 32000;
inline const QChar Feldtrenner = QLatin1Char('\t');

// Field numbers.
enum FeldNr : int {
    Rubrik = 0, Nachname = 1, Vorname = 2, Strasse = 3, Plz = 4, Ort = 5, Land = 6, Telefon = 7,
    Telefax = 8, FuerUser = 9, Zusatz = 10, Bemerkung = 11, Mobiltelefon = 12, Datentelefon = 13,
    EMail = 14, ErstelltAm = 15, GeaendertAm = 16, Kontonummer = 17, Bankleitzahl = 18,
    Kreditinstitut = 19, Geburtstag = 20, Anrede = 21, Www = 22, Index = 23
};

using Felder = std::array<QString, FeldAnzahl>;

// Default captions of the 24 fields.
const std::array<QString, FeldAnzahl>& StandardBezeichnungen();
// Input limits of the card's fields (typing only; field 11 computed at each
// store, 1024 before the first). 0 for a number outside 0..23.
int Eingabegrenze(int feld);

// Splits a record: "°°" back into CR LF, missing trailing fields empty,
// fields beyond the 24th ignored, nothing trimmed.
Felder Zerlegen(QStringView datensatz);
// One field of a record without splitting the rest ("°°" turned into CR LF);
// "" for a field the record does not reach or a number outside 0..23.
QString FeldAus(QStringView datensatz, int feld);
// The same without turning "°°" into CR LF (a view into the record; fast).
QStringView FeldRoh(QStringView datensatz, int feld);
// Joins 24 field texts: every line break (CR LF, or a lone CR or LF as text
// widgets give them) to "°°", a TAB to a blank, so a record never holds a line
// end or a stray separator; an empty field 0 as one blank; every field
// followed by the separator.
QString Verbinden(const Felder& felder);

// The shared field array of the record split last, as the program's
// exports, statistics, printing and masks read it.
extern Felder DatensatzFelder;
void Datensatz_Zerlegen(QStringView datensatz);

// Length a field text takes in a joined record: a line break (CR LF, lone CR,
// lone LF) counts 2, as its "°°" does.
int LaengeImDatensatz(QStringView feldtext);
// A record of 23 separators: the entry the new-address command appends.
QString LeererDatensatz();

} // namespace zadressbuch
