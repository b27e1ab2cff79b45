#pragma once
// The direct debit: its record (one line of the collection file and of the
// debit log), the collection file, the debit log's name and the print layout.

#include "platform/drucker.h"
#include "platform/textdatei.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace zzahlung {

// The ten values of a direct debit, as the dialog's boxes hold them.
struct Lastschrift
{
    QString absName, absKontoNr, absBLZ, absBank; // the payer, whose account is debited
    QString waehrung, betrag, verwendung1, verwendung2;
    QString empName, empKontoNr; // the payee

    bool operator==(const Lastschrift&) const = default;
};

// The record's first field.
inline const QString LastschriftMarke = QStringLiteral("Zettlora Lastschrift");

// One record line without its line end: the marker, then "-" and each value
// (untrimmed), every field followed by TAB. A TAB, CR or LF inside a value
// becomes a blank, so a value can never split the record.
QString Lastschrift_Satz(const Lastschrift& l);
// A line read back: split at TAB (empty parts skipped); a record when the
// first part is exactly the marker and there are more than ten parts. The
// values are parts 2 to 11 without their first character, trimmed of blanks;
// further parts are ignored.
std::optional<Lastschrift> Lastschrift_Lesen(const QString& zeile);

// The collection file "LastschriftSammlung.txt" in the data folder.
QString Sammeldatei_Pfad(const QString& datenOrdner);
// Appends one record (creating the file).
zplatform::Ergebnis Lastschrift_Anhaengen(const QString& pfad, const Lastschrift& l);

// The debit log's file from the address file's setting "LogLastschriften":
// "{JJJJ}" (any case) becomes the year; "" when the setting is empty.
QString Lastschriftlog_Pfad(const QString& einstellung, const QDate& heute);

// What the stub shows of the card: street, postcode, place and index number.
struct Kartenanschrift
{
    QString strasse, plz, ort, kunde;
};

// The page of one direct debit: the picture (bild, "" for the laser sheet),
// the first form, with belege > 0 the second form and the record stub. The
// stub shows the card's street, place and index number only when karte is
// given (a single print; a collection run prints other people's debits).
void Lastschrift_Layout(zplatform::Drucker& d, const Lastschrift& l, const QString& schrift, double randX, double randY,
                        const QDate& heute, const QString& bild, int belege, const Kartenanschrift* karte);

} // namespace zzahlung
