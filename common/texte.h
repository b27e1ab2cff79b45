#pragma once
// Text, number, date and phone helpers, and the runtime rules the rest of the
// program relies on: leading-number values, the two roundings, German number
// and date formats, blank-only trim, Windows-1252 case mapping.
//
// One header for all of them; the code stands by topic in texte_zahlen.cpp
// (numbers and formats), texte_text.cpp (text and case), texte_datum.cpp
// (dates and times) and texte_telefon.cpp (telephone numbers).

#include <QDate>
#include <QDateTime>
#include <QString>

namespace zcommon {

// Case-insensitive replace-all from left to right; the search goes on behind
// each inserted replacement. An empty find text returns the text unchanged.
QString Ersetzen(const QString& text, const QString& suche, const QString& ersatz, int start = 0);
// "~" turned into CR LF (message texts).
QString Zeilenumbrueche(const QString& text);

QString Nur_Zeichen(const QString& text, const QString& erlaubt);
QString Text_NachAscii(const QString& text);
QString Gross_Klein(const QString& text);
QString Dauer_Text(double sekunden);
QString Datum_Name(int nummer, const QString& art);
QString Datumsstempel(int modus);
QString Telefon_Zerlegen(const QString& telefon);
QString Vorwahl_Ermitteln(const QString& telefon);
bool EMail_Pruefen(const QString& adresse);
QString Dateiname_Bereinigen(const QString& text);

// --- runtime rules ---
// The leading number of a text: blanks ignored, "." as decimal point (and an
// exponent "E"/"D"), "&H"/"&O" prefixes; reading stops at the first other
// character; none gives 0.
double Val(const QString& text);
// Rounding halves to even (CInt/CLng/Round) and halves away from zero (formats).
double RundenGerade(double wert, int stellen = 0);
double RundenKaufmaennisch(double wert, int stellen = 0);
// Number formatted with a German picture: "0", "00", "0.00", "#.0", "#,##0",
// "###0" ... ("." stands for the decimal comma, "," for the grouping point).
QString Format(double wert, const QString& bild);
// German number text: comma as decimal separator, point for grouping; the
// value of such a text (0 when it holds no number).
double ZahlAusText(const QString& text, bool* ok = nullptr);
// Dates "dd.mm.yyyy" (also d.m.yy, with 2-digit years 30..99 -> 19xx, 00..29 -> 20xx).
QDate DatumAusText(const QString& text);
bool IstDatum(const QString& text);
QString DatumText(const QDate& d); // "dd.mm.yyyy"
QString ZeitText(const QTime& t);  // "hh:nn"
// Trims blanks (not tabs or line breaks) at both ends, as the program's Trim does.
QString Trim(const QString& text);
QString LTrim(const QString& text);
QString RTrim(const QString& text);
// Upper and lower case within Windows-1252 (umlauts included).
QString UCase(const QString& text);
QString LCase(const QString& text);
// Today as the program's clock sees it.
QDate Heute();
QDateTime Jetzt();

} // namespace zcommon
