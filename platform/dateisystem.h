#pragma once
// The file system and the processes, as far as the program needs more than
// Qt gives: durable writes, backup copies, file status, the write check that
// also holds for the administrator, the probe of a running instance and a
// lock between processes.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace zplatform {

// ---------------------------------------------------------------------------
// File status.

struct Dateistand
{
    bool vorhanden = false;
    bool datei = false;  // a regular file
    bool ordner = false; // a folder
    qint64 groesse = -1;
    qint64 geaendertNs = 0; // time of the last change of the content
    qint64 statusNs = 0;    // time of the last change of the status
    quint64 inode = 0;
    quint64 geraet = 0;
    unsigned modus = 0; // the permission bits
    bool operator==(const Dateistand&) const = default;
};

// The status of a file or folder (links followed).
Dateistand dateistand(const QString& pfad);
// Whether two states are one version of a file: the same file (identity)
// with the same content's time and size. A file replaced (a save renames its
// new version into place) or written to since is another version.
bool selbeFassung(const Dateistand& a, const Dateistand& b);

// Whether the file (or folder) may be written. A file without any write
// permission bit counts as not writable also for the administrator, so a file
// somebody made read-only is never replaced behind their back.
bool beschreibbar(const QString& pfad);

// Why a name cannot be read as a file, as a system error number: 0 for a
// regular file that may be read; ENOENT missing; ENOLINK a link to nothing;
// ELOOP links that lead round in a circle; EISDIR a folder; ENODEV something
// else that is no regular file (a pipe, a device: reading it could wait for
// ever); EACCES no permission. A file without any read permission bit counts
// as unreadable also for the administrator, as beschreibbar does for writing.
int lesePruefung(const QString& pfad);

// ---------------------------------------------------------------------------
// Durable writes. Each returns 0 or the number of the system error.

// Writes all bytes into the file (created or emptied, with the given
// permissions) and flushes it to the disk.
int bytesAblegen(const QString& pfad, const QByteArray& inhalt, unsigned modus);
// Creates a new file with the bytes, all at once: no other process sees it
// empty or half written. Fails (EEXIST) where anything stands under the name
// already. With gemeinsam the file gets the write permissions of its folder
// (see gemeinsamErsetzen), else those the umask leaves.
int bytesNeuAnlegen(const QString& pfad, const QByteArray& inhalt, bool gemeinsam = false);
// Makes sicherung a complete copy of quelle: a hard link where the file system
// has them, a copy otherwise. The new copy is made under a temporary name and
// renamed into place, so an older backup stays until a complete new one
// replaces it, and a failed copy leaves nothing behind.
int sicherungAnlegen(const QString& quelle, const QString& sicherung, unsigned modus);
int umbenennen(const QString& von, const QString& nach);
// Replaces the file atomically: the bytes go into a temporary copy beside it
// (its name + "." + six letters), are flushed to the disk and renamed over
// it; a file that is a link is replaced where the link points. An existing
// file keeps its permission bits, a new one gets modusNeu. The copy is
// locked while it is written, and copies an earlier write left behind (a
// writer killed halfway) that nobody holds any more are removed first.
int atomarErsetzen(const QString& pfad, const QByteArray& inhalt, unsigned modusNeu = 0666);
// Replaces a file that every user who may write its folder shares (the
// reservations beside an address file), whoever made it and whatever its
// permission bits: the bytes go into a temporary copy in the folder, which
// gets the folder's write permissions (gemeinsameRechte), and the copy is
// renamed over the file. Where the folder refuses that rename (a folder with
// the sticky bit, the file another user's) the file is written in place,
// when its bits let this user write it (they do once this program has made
// it). A file that is a link is replaced where the link points. The
// folder's write permissions: what the umask leaves of 0666, and read and
// write for the owner, and for the group and the others where the folder
// lets them write in it.
int gemeinsamErsetzen(const QString& pfad, const QByteArray& inhalt);
// Whether a name is one of those temporary copies of the file (the file
// name, "." and six letters of both cases, as this write and earlier ones
// made them; a word such as "Backup" or "KOPIEN" never counts).
bool istZwischenkopie(const QString& dateiname, const QString& kopie);
int entfernen(const QString& pfad); // a missing file is no error
int rechteSetzen(const QString& pfad, unsigned modus);
void ordnerSynchronisieren(const QString& ordner);

// The reason of a system error number, as a German sentence.
QString fehlerGrund(int fehler);
// The system error number of "permission denied" (for callers that decide themselves).
int fehlerKeinZugriff();

// ---------------------------------------------------------------------------
// Processes.

qint64 eigenePid();
// The start time of a running process (clock ticks since boot), 0 when no
// process of that number runs (an ended one not yet collected counts as ended).
quint64 prozessStart(qint64 pid);
// Whether the process that had this number and start time still runs. Without
// a start time (0) any running process of that number that runs this
// program's executable name counts. A process the system hides from this
// user (/proc mounted with hidepid) counts as running: it cannot be told apart.
bool prozessLebt(qint64 pid, quint64 start);
// The system identity of this computer (/etc/machine-id), "" when unknown.
QString rechnerKennung();

// Seconds since the system started, -1 when unknown.
double systemLaufzeit();

// ---------------------------------------------------------------------------
// A lock between processes on a file, held through a lock file beside it
// (name + ".lck"). Waits at most wartenMs for another holder; a lock whose
// holder ended is free at once (the system releases it), and one held longer
// than the wait is taken over, so a hung process blocks nobody for good. The
// lock file is removed on release. A lock file another user left behind is
// locked all the same (opened for reading). Where no lock file can be made (a
// folder that cannot be written) or a hung holder's cannot be taken over (a
// folder with the sticky bit) the work goes on without a lock.
class Dateisperre
{
public:
    explicit Dateisperre(const QString& datei, int wartenMs = 5000);
    ~Dateisperre();
    Dateisperre(const Dateisperre&) = delete;
    Dateisperre& operator=(const Dateisperre&) = delete;

    bool gehalten() const { return m_fd >= 0; }
    static QString sperrdatei(const QString& datei);

private:
    QString m_pfad;
    int m_fd = -1;
};

// ---------------------------------------------------------------------------
// Appending. A file that several processes append to carries a lock of its
// own (an exclusive lock on the file itself), so an append never lands in the
// middle of another, a reader that holds it sees whole lines only, and a
// writer that holds it may replace or remove the file without losing a line
// another process appends meanwhile (that append waits and then goes to the
// file standing under the name afterwards). Nested holders in this process
// share the one lock.

// Appends to a file under its lock, creating it when missing (mode 0666 less
// the umask; never when its folder may not be written, nor into a file without
// write permission, for the administrator neither). baue gets the first three
// and the last two bytes the file holds (fewer for a short file, none for an
// empty one) and its size, and returns the bytes to append, or false to write
// nothing. A
// write that fails leaves the file at its old length. Returns 0 or the system
// error number (ECANCELED when baue refused).
int bytesAnhaengen(
    const QString& pfad,
    const std::function<bool(const QByteArray& anfang, const QByteArray& ende, qint64 groesse, QByteArray& neu)>& baue);

class Anhangsperre
{
public:
    // Waits at most wartenMs for another holder, then goes on without (a hung
    // holder blocks nobody for good). A missing file gives no lock: there is
    // nothing to lose.
    explicit Anhangsperre(const QString& pfad, int wartenMs = 5000);
    ~Anhangsperre();
    Anhangsperre(const Anhangsperre&) = delete;
    Anhangsperre& operator=(const Anhangsperre&) = delete;

    bool gehalten() const { return m_gehalten; }
    int fehler() const { return m_fehler; } // why the file could not be opened

private:
    QString m_pfad;
    bool m_gehalten = false;
    int m_fehler = 0;
};

// ---------------------------------------------------------------------------
// A lock held for as long as a long piece of work runs (a collection run with
// its dialogs), through a lock file beside the file (name + ".lauf"). It is
// only tried, never waited for and never taken over: a second taker learns
// that the work runs elsewhere. The system releases it when its holder ends,
// however that ends; the lock file goes when the holder lets go.
class Laufsperre
{
public:
    enum class Stand {
        Gehalten, // this process holds it now
        Besetzt,  // another process (or another holder here) holds it
        Ohne      // no lock file can be made (a folder that may not be written): go on without
    };
    explicit Laufsperre(const QString& datei);
    ~Laufsperre();
    Laufsperre(const Laufsperre&) = delete;
    Laufsperre& operator=(const Laufsperre&) = delete;

    Stand stand() const { return m_stand; }
    static QString sperrdatei(const QString& datei);

private:
    QString m_pfad;
    int m_fd = -1;
    Stand m_stand = Stand::Ohne;
};

// ---------------------------------------------------------------------------
// The new version of a file written under a fixed name beside it (the
// address file's "<name>.neu~"), locked by its writer from the moment it is
// opened until it has been renamed into place or removed. Another instance
// saving the same file waits until it is free (at most wartenMs; EBUSY
// then); a writer killed halfway leaves it unlocked, which is how
// zwischendateiAufraeumen tells such a leftover from a save under way.
class GesperrteZwischendatei
{
public:
    GesperrteZwischendatei() = default;
    // Removes the file unless it was renamed meanwhile, and lets go of it.
    ~GesperrteZwischendatei();
    GesperrteZwischendatei(const GesperrteZwischendatei&) = delete;
    GesperrteZwischendatei& operator=(const GesperrteZwischendatei&) = delete;

    // Opens or creates the file and locks it (a leftover is taken over),
    // then writes all bytes in its place and flushes them to the disk; new
    // files get the permissions modus. 0 or the system error number.
    int ablegen(const QString& pfad, const QByteArray& inhalt, unsigned modus, int wartenMs = 10000);
    // The status of the file written, also once it has been renamed into place.
    Dateistand stand() const;

private:
    int m_fd = -1;
    QByteArray m_name;
};

// Removes the file under the name when it is a leftover of an interrupted
// save (nobody holds it locked: GesperrteZwischendatei), and with it the
// files named in mitIhr (what that save had made beside it). A save of
// another instance under way keeps it. True when a leftover was removed.
bool zwischendateiAufraeumen(const QString& pfad, const QStringList& mitIhr = {});
// Whether a save holds the file under the name now (GesperrteZwischendatei).
bool zwischendateiInArbeit(const QString& pfad);

// ---------------------------------------------------------------------------
// Faults for tests: a file system without hard links, and a disk that is full
// after the given number of bytes written by bytesAblegen and the backup copy
// (-1 = no limit).
void testOhneHardlinks(bool ohne);
void testPlatzGrenze(qint64 bytes);
// GesperrteZwischendatei waits at most this long for another holder (-1 =
// as the caller asks).
void testZwischendateiWarten(int ms);
// The next renames onto this path (umbenennen, atomarErsetzen) fail with the
// given system error number; "" ends it.
void testUmbenennenScheitert(const QString& nach, int fehler);

} // namespace zplatform
