#pragma once
// The file system and the processes, as far as the program needs more than
// Qt gives: durable writes, backup copies, file status, the write check that
// also holds for the administrator, the probe of a running instance and a
// lock between processes.

#include <QByteArray>
#include <QString>

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

// Whether the file (or folder) may be written. A file without any write
// permission bit counts as not writable also for the administrator, so a file
// somebody made read-only is never replaced behind their back.
bool beschreibbar(const QString& pfad);

// ---------------------------------------------------------------------------
// Durable writes. Each returns 0 or the number of the system error.

// Writes all bytes into the file (created or emptied, with the given
// permissions) and flushes it to the disk.
int bytesAblegen(const QString& pfad, const QByteArray& inhalt, unsigned modus);
// Creates a new file with the bytes; fails (EEXIST) where anything stands
// under the name already.
int bytesNeuAnlegen(const QString& pfad, const QByteArray& inhalt);
// Makes sicherung a complete copy of quelle: a hard link where the file system
// has them, a copy otherwise. The new copy is made under a temporary name and
// renamed into place, so an older backup stays until a complete new one
// replaces it, and a failed copy leaves nothing behind.
int sicherungAnlegen(const QString& quelle, const QString& sicherung, unsigned modus);
int umbenennen(const QString& von, const QString& nach);
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
// program's executable name counts.
bool prozessLebt(qint64 pid, quint64 start);

// Seconds since the system started, -1 when unknown.
double systemLaufzeit();

// ---------------------------------------------------------------------------
// A lock between processes on a file, held through a lock file beside it
// (name + ".lck"). Waits at most wartenMs for another holder; a lock whose
// holder ended is free at once (the system releases it), and one held longer
// than the wait is taken over, so a hung process blocks nobody for good. The
// lock file is removed on release. Where no lock file can be made (a folder
// that cannot be written) the work goes on without a lock.
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
// Faults for tests: a file system without hard links, and a disk that is full
// after the given number of bytes written by bytesAblegen and the backup copy
// (-1 = no limit).
void testOhneHardlinks(bool ohne);
void testPlatzGrenze(qint64 bytes);

} // namespace zplatform
