#pragma once
// Settings files with the rules of Windows' private profiles: sections and
// keys compared without regard to case and surrounding blanks, values
// trimmed, a value wholly enclosed in matching double or single quotes read
// without them, "**" in a stored value standing for a line break, CR LF, LF
// and a lone CR all ending a line, a missing file,
// section or key giving the default ("key=" gives ""), every other line of the
// file kept byte for byte on a write, writes atomic. Files are Windows-1252;
// one an editor saved with a byte-order mark (UTF-8 or UTF-16) reads as the
// encoding it names, and the next write stores it in Windows-1252.
//
// File names: "" is Zizorud.ini in the Windows folder; ".ini" is appended when
// the fourth-last character is not "."; "WIN.INI", "SYSTEM.INI" and
// "ZIZORUD.INI" (any case) and any bare file name live in the Windows folder;
// anything else (a path) is used as given. Section "" is the program's own
// section "Zettlora"; key "" is read as "NoKey".

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace zcommon {

// The program's own section of the settings files.
inline constexpr const char* ProgrammSektion = "Zettlora";

// The full path of the settings file a name stands for (rules above).
QString Ini_Pfad(const QString& datei);

QString Ini_Lesen(const QString& datei, const QString& sektion, const QString& schluessel,
                  const QString& vorgabe = QString());
// Writes the value trimmed, line breaks (CR LF, lone CR, lone LF) stored as "**";
// returns the value as written. A name or value Windows-1252 cannot hold is
// stored as UTF-8 behind a byte-order mark, so it reads back unchanged. The
// read-change-write runs under the lock between processes (Ini_Sperre). A
// failing write changes nothing and reports nothing.
QString Ini_Schreiben(const QString& datei, const QString& sektion, const QString& schluessel, const QString& wert);
// Writes several keys of one section at once: the file is read and written
// once, with exactly the bytes the single Ini_Schreiben calls in this order
// would have left (so a learning run over thousands of keys costs one write).
// False when the file could not be written (nothing changed on disk then).
bool Ini_SchreibenAlle(const QString& datei, const QString& sektion,
                       const std::vector<std::pair<QString, QString>>& werte);
// Reads the key as a number (missing: 0), adds the amount, writes the sum as a
// whole number and returns it.
double Ini_Zaehler_Erhoehen(const QString& datei, const QString& sektion, const QString& schluessel, double betrag = 1);

// Removes a key (or, with an empty key, a whole section).
void Ini_Loeschen(const QString& datei, const QString& sektion, const QString& schluessel = QString());
// Section names of a file, and key names of a section, in file order.
QStringList Ini_Sektionen(const QString& datei);
QStringList Ini_Schluessel(const QString& datei, const QString& sektion);

// The sections of a file given by its exact path (no file-name rules), each
// with its keys and values ("**" turned into line breaks) in file order; the
// first of several equal names counts. A missing file gives none.
struct IniSektion
{
    QString name;
    std::vector<std::pair<QString, QString>> eintraege;
};
std::vector<IniSektion> Ini_Auslesen(const QString& pfad);

// The lock between processes on a settings file (a lock file beside it, see
// zplatform::Dateisperre). Every write takes it for its read-change-write;
// a caller that reads, decides and writes as one step holds it around all of
// that. Nested locks of one file in this process share the one lock.
class Ini_Sperre
{
public:
    explicit Ini_Sperre(const QString& datei);
    ~Ini_Sperre();
    Ini_Sperre(const Ini_Sperre&) = delete;
    Ini_Sperre& operator=(const Ini_Sperre&) = delete;

private:
    QString m_pfad;
};

// Why the last write through this layer failed (German, naming the file and
// the reason); "" when it succeeded or had nothing to change. Set by
// Ini_Schreiben, Ini_SchreibenAlle, Ini_Zaehler_Erhoehen, Ini_Loeschen and a
// batch's write (inside a batch the writes change nothing on disk: ask after
// its schreiben()). A file that exists but cannot be read is never written.
QString Ini_Fehler();

// Drops every cached file (tests that change files behind the layer's back).
void Ini_CacheLeeren();

// A settings file that every user who may write its folder shares (the
// reservations beside an address file), from now on for the whole run: its
// writes replace it whoever made it and whatever its own permission bits,
// and give it the folder's write permissions (zplatform::gemeinsamErsetzen).
void Ini_Gemeinsam(const QString& datei);

// A batch of writes into one settings file. While a batch for a file exists,
// Ini_Schreiben, Ini_Zaehler_Erhoehen and Ini_Loeschen on that file (under any
// name that stands for it) change only the content held in memory, and every
// read of it sees the pending values; schreiben() or the end of the batch
// writes the file once, atomically, with exactly the bytes the single writes
// would have left. A failing write changes nothing on disk and drops the
// pending values (reads give the file as it is again); as with a single write,
// nothing is reported. The write makes the batch's changes again on the file
// as it stands then (under the lock), so keys another process wrote in the
// meantime stay. Batches of the same file nest: only the outermost one
// writes at its end. Meant for many writes in a row, not to be held open.
class Ini_Stapel
{
public:
    explicit Ini_Stapel(const QString& datei);
    ~Ini_Stapel();
    Ini_Stapel(const Ini_Stapel&) = delete;
    Ini_Stapel& operator=(const Ini_Stapel&) = delete;

    // Writes what is pending now; the batch goes on collecting later writes.
    // False when the write failed; true when it succeeded or nothing was pending.
    bool schreiben();

private:
    QString m_pfad;
};

} // namespace zcommon
