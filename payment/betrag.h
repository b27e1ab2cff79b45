#pragma once
// Amounts of the payment forms.
//
// While typing, an amount may be an arithmetic expression with decimal commas
// ("3*4,5"); leaving the field works it out (Betrag_Auswerten). Whatever is
// printed or logged as an amount is a plain number only: a formula, or a
// number with two decimal separators, never reaches paper or a log, it counts
// as no amount (Betrag_Wert gives 0).

#include <QString>

namespace zzahlung {

// True for a plain number: blanks around it, an optional sign, digits and at
// most one decimal separator ("," or "."), at least one digit ("12,50",
// "-5", "0,5", ",5", "1000").
bool Betrag_IstZahl(const QString& text);

// The value that decides whether an amount is printed and logged: the plain
// number's value ("," read as "."), 0 for any other text.
double Betrag_Wert(const QString& text);

// True when one number of the text (a run of digits, "," and ".") holds more
// than one decimal separator ("1.234,50", "1,2,3"): such a text is not worked out.
bool Betrag_MehrereTrenner(const QString& text);

// The amount field's leaving rule. When the text's leading number (classic
// reading: blanks ignored, "." decimal point, reading stops at ",") is above
// 0 and no number holds two separators, the expression is worked out and the
// result written "0.00" with a decimal comma (failure: "0,00"). A result
// longer than maxLaenge loses decimals from the right (and the comma when no
// decimal is left); when even the whole units do not fit, the text stays as
// typed. Any other text stays exactly as typed.
QString Betrag_Auswerten(const QString& text, int maxLaenge);

// A value written "0.00" with a decimal comma, no grouping.
QString Betrag_Text(double wert);

// An amount split into whole units and two-digit cents, rounded to whole
// cents first: 15,5 gives "15" and "50", 0,999 gives "1" and "00", -0,5 gives
// "-0" and "50" (the sign stays on the units).
struct BetragTeile
{
    QString einheiten;
    QString cent;
};
BetragTeile Betrag_Zerlegen(double wert);

} // namespace zzahlung
