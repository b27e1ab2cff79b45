#pragma once
// Reading and writing text files: Windows-1252, lines ended by CR LF
// (reading also accepts LF alone). Writes are atomic: a temporary file in the
// same folder, then a rename over the target.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace zplatform {

struct Ergebnis
{
    bool ok = true;
    QString fehler; // German reason when !ok
    explicit operator bool() const { return ok; }
};

// Files are Windows-1252; a file that begins with a byte-order mark (edited
// in a desktop editor) reads as the UTF-8 or UTF-16 it names.

// Lines of a text file, without their line ends. A last line without line end
// counts; a file that ends with a line end gives no empty last line.
// *ergebnis says whether the file could be read (missing: ok = false).
QStringList zeilenLesen(const QString& pfad, Ergebnis* ergebnis = nullptr);
// The whole text of a file (line ends as stored).
QString textLesen(const QString& pfad, Ergebnis* ergebnis = nullptr);

// Reads a file line by line without holding all of it: zeile gets the bytes of
// each line without its end (CR LF, LF and a lone CR each end a line) and
// returns false to stop reading. A file that ends with a line end gives no
// empty last line.
Ergebnis zeilenweiseLesen(const QString& pfad, const std::function<bool(const char*, qsizetype)>& zeile);

// Writes each line followed by CR LF. Fails (writing nothing) when a character
// cannot be held by Windows-1252; the reason names the line.
Ergebnis zeilenSchreiben(const QString& pfad, const QStringList& zeilen);
// Writes the text as it stands (no line ends added), encoded in Windows-1252;
// fails on a character Windows-1252 cannot hold.
Ergebnis textSchreiben(const QString& pfad, const QString& text);
// Writes bytes atomically (temporary file + rename); an existing file of the
// same name in another case is the one replaced.
Ergebnis bytesSchreiben(const QString& pfad, const QByteArray& inhalt);
// Appends lines (each followed by CR LF) to a file, creating it when missing.
Ergebnis zeilenAnhaengen(const QString& pfad, const QStringList& zeilen);

} // namespace zplatform
