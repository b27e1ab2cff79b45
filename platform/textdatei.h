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
    QString fehler;     // German reason when !ok
    bool fehlt = false; // the file does not exist (rather than failing otherwise)
    explicit operator bool() const { return ok; }
};

// Files are Windows-1252; a file that begins with a byte-order mark (edited
// in a desktop editor) reads as the UTF-8 or UTF-16 it names.

// Lines of a text file, without their line ends. A last line without line end
// counts; a file that ends with a line end gives no empty last line.
// *ergebnis says whether the file could be read and why not (missing: ok =
// false and fehlt; a folder, a link to nothing or round in a circle, no
// regular file or no permission to read, the administrator's too where the
// file has no read permission bit: said as such).
QStringList zeilenLesen(const QString& pfad, Ergebnis* ergebnis = nullptr);
// The whole text of a file (line ends as stored).
QString textLesen(const QString& pfad, Ergebnis* ergebnis = nullptr);

// Reads a file line by line without holding all of it: zeile gets the bytes of
// each line without its end (CR LF, LF and a lone CR each end a line) and
// returns false to stop reading. A file that ends with a line end gives no
// empty last line. The bytes are Windows-1252, or UTF-8 when the file begins
// with a byte-order mark (a UTF-16 file is handed on as UTF-8 too): *utf8 says
// which before the first line; the mark itself is not handed on.
Ergebnis zeilenweiseLesen(const QString& pfad, const std::function<bool(const char*, qsizetype)>& zeile,
                          bool* utf8 = nullptr);

// Writes each line followed by CR LF. Fails (writing nothing) when a character
// cannot be held by Windows-1252; the reason names the line.
Ergebnis zeilenSchreiben(const QString& pfad, const QStringList& zeilen);
// Writes the text as it stands (no line ends added), encoded in Windows-1252;
// fails on a character Windows-1252 cannot hold.
Ergebnis textSchreiben(const QString& pfad, const QString& text);
// Writes bytes atomically (temporary file + rename); an existing file of the
// same name in another case is the one replaced. Temporary copies an earlier
// write of the file left behind (a writer killed halfway) are removed. A
// file without write permission is not replaced, unless gemeinsam: a file
// that every user who may write its folder shares, replaced as
// gemeinsamErsetzen (dateisystem.h) does, whoever made it.
Ergebnis bytesSchreiben(const QString& pfad, const QByteArray& inhalt, bool gemeinsam = false);

// Appends lines (each followed by CR LF) to a file, creating it when missing.
// Every append of the program goes through here: it runs under the file's
// append lock (between processes too), ends a last line that has no line end
// first, so a new line never glues onto it, and writes in the encoding the
// file's byte-order mark names (Windows-1252 without one). A write that fails
// leaves the file as it was.
Ergebnis zeilenAnhaengen(const QString& pfad, const QStringList& zeilen);

// Takes lines out of a file that others may append to: under its append lock
// the file is read and, for each of the given lines, the first line equal to
// it is taken out; what remains (lines appended meanwhile among them) is
// written back atomically in the file's own encoding, after sichern(pfad)
// was called. When nothing remains, entfernen(pfad) does away with the file
// instead (its false counts as failure). A missing file is no failure.
Ergebnis zeilenHerausnehmen(const QString& pfad, const QStringList& zeilen,
                            const std::function<void(const QString&)>& sichern,
                            const std::function<bool(const QString&)>& entfernen);

} // namespace zplatform
