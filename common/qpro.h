#pragma once
// Small keyboard, text, number, date and drive functions of the former
// utility library, written anew with the results callers rely on.

#include <QDate>
#include <QString>

namespace zcommon {

// True while a Shift (Ctrl) key is held down.
bool ShiftKey();
bool CtrlKey();

// Size of the file in bytes (the case of the name is ignored); 0 when there is no such file.
qint64 FileSize(const QString& pfad);

// Replaces every occurrence of one character by another, in place.
void ReplaceChar(QString& text, QChar alt, QChar neu);

// Occurrences of the search text in the text, counted without overlap
// ("aaaa" holds "aa" twice); 0 for an empty search text.
int InCount(const QString& text, const QString& such);
int InCount(const QString& text, QChar zeichen);

// The text with all blanks removed.
QString Compact(const QString& text);

// The Windows-1252 code of the text's LAST character (0 for an empty text).
// The expression evaluator compares it with 37 to learn whether a text ends
// with its failure marker "%".
int ASCII(const QString& text);

// For a text that begins with "(": the 1-based position of the ")" that
// closes it (nested pairs counted); 0 when the text does not begin with "("
// or the pair is not closed.
int PMatch(const QString& text);

// The 1-based position of the last occurrence of the character at or before
// the 1-based start position, searching backwards; 0 when there is none.
// A start beyond the end searches the whole text.
int QInstrB(int start, const QString& text, QChar zeichen);
int QInstrB(int start, const QString& text, const QString& zeichen);

// n! as the ascending product 1 * 2 * ... * n in double (0! = 1); 170! is the
// largest finite one. n outside 0..170 gives 0.
double Factorial(int n);

// The larger and the smaller of two 16-bit whole numbers.
qint16 MaxInt(qint16 a, qint16 b);
qint16 MinInt(qint16 a, qint16 b);

// A day number: days since 30.12.1899 (so 01.01.1900 is 2 and 02.07.2000 is
// 36709). The date is read as "dd.mm.yyyy" (also d.m.yy); when it is no valid
// date, the current date given (else today) is taken instead.
int Date2Num(const QString& datum, const QDate& aktuell = QDate());
int Date2Num(const QDate& datum);

// Volume label of a drive ("C:"). This platform has no drive letters: the
// label is always "".
QString GetVol(const QString& laufwerk);

} // namespace zcommon
