#pragma once
// The expression evaluator of the amount fields: "12,50*3", "2^10", "SQR(16)",
// "(1=1)AND(2=2)" ... become a number.
//
// The formula is worked out by rewriting its text: constants become digits,
// parenthesised groups are evaluated by a nested call, then the leftmost
// operation of the highest remaining priority is replaced by the text of its
// result until a number is left. Partial results are written back with 15
// significant digits (ZahlText15), so they carry that precision.
//
// Priority, highest first: parentheses; functions; "!"; "^"; "*" "/" "\" "MOD";
// "+" "-"; "=" ">" "<"; "AND"; "OR". "," and "." are both decimal separators,
// blanks are ignored; number text never depends on the system's locale.

#include <QString>

namespace zmasken {

// The value of the expression. On failure (unbalanced brackets, division by 0,
// a function outside its domain, a value that is not finite or too large,
// a text longer than 32767 characters ...) the result is 0 and "%" is appended
// to the text passed in; on success the text is left as it was.
double Evaluate(QString& ausdruck);

// A number as the evaluator writes it: "." as decimal point, at most 15
// significant digits, no trailing zeros, "E+nn"/"E-nn" where the magnitude
// needs it (from 1E+15 up and below 1E-04): 1.0471975511966, 7.25741561530799E+306.
QString ZahlText15(double wert);

// The longest leading number of a text as the evaluator reads it (sign,
// digits, "." and digits, exponent "E" or "D" with sign and digits); 0 when the
// text does not begin with a number. *ueberlauf (when given) is set when the
// number is too large for a double.
double Evaluate_ZahlLesen(QStringView text, bool* ueberlauf = nullptr);

} // namespace zmasken
