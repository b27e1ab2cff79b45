#pragma once
// The placeholder expander: "{datum}", "{kw}", "{jjqr}", "{counter0}",
// "{iniread,file,section,key,default}", "{variable:name}", "{$pattern}" and
// the other placeholders in braces become the current date and time in many
// forms, calendar weeks, quarters, folders, random digits, counters and
// settings values. Placeholders match without regard to case; unknown ones
// stay as they are.
//
// Every replacement runs left to right and goes on behind the inserted text,
// so a value that holds its own placeholder is never expanded again.

#include <QDate>
#include <QString>

namespace zmasken {

// The text with its placeholders expanded. An empty text, or one without "{",
// comes back unchanged (and advances no counter). Date and time come from the
// program's clock (zcommon::Jetzt), random digits from zplatform::plattform().zufall().
//
// Counters: "{counter0}" to "{counter9}" (written exactly so, in lower case)
// advance "VarioCount0" .. "VarioCount9" of section "Variablen" in Zizorud.ini
// by one per call in which they occur; every occurrence, in any case, gets the
// new value. User variables: "{variable:name}" is the key name of the same
// section (up to a ";", trimmed), or the name itself when it is not set.
QString Vario_Ersetzen(const QString& text);

// The calendar week of a date: weeks run Monday to Sunday and week 1 holds
// 1 January when that is a Monday to Thursday; the days before week 1 belong
// to week 53 when 1 January is a Friday, else to week 52; a week 53 that the
// next 1 January does not end on a Friday is week 1. (This differs from
// ISO 8601 only from 27 December of a leap year beginning on a Thursday to
// 2 January of the next year.) An invalid date gives 0.
int KW_Berechnen(const QDate& datum);
// The same for a value given as text ("dd.mm.yyyy"); a text that is no date
// shows "<text> ist kein gültiges Datum." (title "Ungültiges Datum") and gives 0.
int KW_Berechnen(const QString& datum);

// German names used by the expander: "Sonntag".."Samstag" for Qt's day of
// week 1 (Monday) .. 7 (Sunday), and the month names full and abbreviated.
QString Wochentag_Name(const QDate& datum);
QString Monat_Name(int monat, bool abgekuerzt = false);
// The long date form, e.g. "Samstag, 5. Dezember 2026".
QString Datum_Lang(const QDate& datum);

} // namespace zmasken
