#pragma once
// Windows-1252, the character set of every file the program reads and writes.

#include <QByteArray>
#include <QString>

namespace zplatform {

// All 256 bytes decode (the five bytes Windows leaves undefined map to U+0081,
// U+008D, U+008F, U+0090, U+009D, so they round-trip).
QString ausWindows1252(const QByteArray& bytes);
QString ausWindows1252(const char* bytes, qsizetype laenge);

// The text of a whole file as it was written: a byte-order mark names UTF-8,
// UTF-16 LE or UTF-16 BE (what desktop editors and spreadsheets write);
// without one the bytes are Windows-1252. The mark is not part of the text.
// *kodierung, when given, receives "UTF-8", "UTF-16LE", "UTF-16BE" or
// "Windows-1252".
QString ausDateiBytes(const QByteArray& bytes, const char** kodierung = nullptr);
// UTF-8 bytes of a file (after its mark) as text. A byte-order mark there is
// the character U+FEFF like any other: only the file's first one is a mark.
QString ausUtf8(const char* bytes, qsizetype laenge);
// The length of a byte-order mark at the start of bytes (0 when none).
qsizetype markenLaenge(const char* bytes, qsizetype laenge);
// The encoding the first bytes of a file name by their byte-order mark:
// "UTF-8", "UTF-16LE", "UTF-16BE", else "Windows-1252".
const char* kodierungVon(const char* bytes, qsizetype laenge);
// Text in one of those encodings, without a mark (Windows-1252 as
// nachWindows1252 gives it, with ersterFehler; the others hold every
// character, ersterFehler is -1 then).
QByteArray nachKodierung(const QString& text, const char* kodierung, qsizetype* ersterFehler = nullptr);

// Encodes text. A character Windows-1252 cannot hold becomes "?"; when
// ersterFehler is given it receives the index of the first such character, or -1.
QByteArray nachWindows1252(const QString& text, qsizetype* ersterFehler = nullptr);

// The byte of one character, or -1 when Windows-1252 cannot hold it.
int windows1252Byte(QChar c);

bool istWindows1252(QChar c);
bool istWindows1252(const QString& text);

// The text as Windows-1252 can hold it: every other character (a pair of
// surrogates is one character) becomes "?". Each character replaced is added
// once to *ersetzt, in the order met.
QString nurWindows1252(const QString& text, QString* ersetzt = nullptr);

// The text as Windows hands a pasted or typed text to a text box of a
// Windows-1252 program ("best fit"): a character the code page holds stays
// as it is (also a letter given as base letter and combining accent, "ó" of
// "o" and U+0301); a letter it does not hold becomes its Latin base letter
// ("Ł" "L", "ő" "o", "ș" "s", "ı" "i", "ﬁ" "fi"), a digit of another width
// its digit, a space a blank, a hyphen or minus sign "-"; any other character (an emoji, CJK, Greek ...) is
// left out. Each character replaced is added once to *ersetzt, each one left
// out once to *weggelassen (a pair of surrogates is one character), in the
// order met.
QString windows1252Angenaehert(const QString& text, QString* ersetzt = nullptr, QString* weggelassen = nullptr);

// The same nearest letters for a text that keeps a mark where a character
// went: what windows1252Angenaehert would leave out becomes platzhalter
// ("Łukasiewicz 😀" "Lukasiewicz ?"). *geaendert, when given, receives the
// number of characters changed (a pair of surrogates is one; an accent given
// apart from its letter that joins it to a letter of the code page is none).
QString windows1252AngenaehertMitPlatzhalter(const QString& text, QChar platzhalter, qsizetype* geaendert = nullptr);

} // namespace zplatform
