#pragma once
// The remembered payers of the transfer form. The list is one settings
// value: every entry followed by ";" (the last one too). An entry is the
// payer's name, account number, bank code and bank name, trimmed, joined by
// " | ". The payer fields turn ";" into "," and "|" into "-", so no part of an
// entry can hold a separator of the list.

#include <QString>
#include <QStringList>
#include <array>

namespace zzahlung {

// The payer-character rule: ";" becomes "," and "|" becomes "-".
QString Zahlerzeichen(const QString& text);

// The entry for the four payer fields: each part trimmed and cleaned by the
// payer-character rule, joined by " | ".
QString Auftraggeber_Eintrag(const QString& name, const QString& konto, const QString& blz, const QString& bank);

// The four parts of an entry: split at every "|" by position (empty parts
// keep their place), each trimmed; missing parts are empty, further ones ignored.
std::array<QString, 4> Auftraggeber_Zerlegen(const QString& eintrag);

// The stored list: split at ";", empty parts skipped.
QStringList Auftraggeberliste_Lesen(const QString& gespeichert);
// The stored form: every entry followed by ";"; an empty list gives "".
QString Auftraggeberliste_Text(const QStringList& eintraege);

} // namespace zzahlung
