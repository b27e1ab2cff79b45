#pragma once
// What a payment form itself puts into a box (card, settings, payer list,
// stored records, bank catalogue): the value as the box takes it, and the
// message that names every value the box still had to cut.

#include <QString>
#include <QStringList>

namespace zzahlung {

// A value for a box of that length: blanks trimmed first, then cut to the
// length (a negative length cuts nothing). *gekuerzt tells whether something
// was cut.
QString Kastenwert(const QString& wert, int laenge, bool* gekuerzt = nullptr);
// One line of the message: the box's caption, its length and the whole value
// (trimmed; a "~" in it stays a "~").
QString Kastenwert_Zeile(const QString& bezeichnung, int laenge, const QString& wert);
// The message naming the values that were cut, one line each (as
// Kastenwert_Zeile makes them); "" for none.
QString Kuerzungen_Meldung(const QStringList& zeilen);

} // namespace zzahlung
