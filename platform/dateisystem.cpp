#include "platform/dateisystem.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zplatform {

namespace {

bool g_ohneHardlinks = false;
qint64 g_platzGrenze = -1;

QByteArray pfad8(const QString& pfad)
{
    return QFile::encodeName(pfad);
}

// Closes a file after a failed step; returns the errno of that step.
int fehlerSchliessen(int fd)
{
    const int e = errno;
    ::close(fd);
    return e;
}

// write() with the test limit of the disk space.
ssize_t schreiben(int fd, const char* p, size_t n)
{
    if (g_platzGrenze >= 0) {
        if (g_platzGrenze == 0) {
            errno = ENOSPC;
            return -1;
        }
        n = size_t(qMin<qint64>(qint64(n), g_platzGrenze));
    }
    const ssize_t k = ::write(fd, p, n);
    if (k > 0 && g_platzGrenze >= 0)
        g_platzGrenze -= k;
    return k;
}

int allesSchreiben(int fd, const char* p, qsizetype rest)
{
    while (rest > 0) {
        const ssize_t n = schreiben(fd, p, size_t(rest));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += n;
        rest -= n;
    }
    return 0;
}

int kopieren(const QString& von, const QString& nach, unsigned modus)
{
    const int ein = ::open(pfad8(von).constData(), O_RDONLY | O_CLOEXEC);
    if (ein < 0)
        return errno;
    const int aus = ::open(pfad8(nach).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode_t(modus));
    if (aus < 0)
        return fehlerSchliessen(ein);
    char puffer[65536];
    int fehler = 0;
    for (;;) {
        const ssize_t n = ::read(ein, puffer, sizeof puffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fehler = errno;
            break;
        }
        if (n == 0)
            break;
        if ((fehler = allesSchreiben(aus, puffer, n)) != 0)
            break;
    }
    ::close(ein);
    if (fehler == 0 && ::fdatasync(aus) != 0 && errno != EINVAL && errno != EROFS)
        fehler = errno;
    if (::close(aus) != 0 && fehler == 0)
        fehler = errno;
    return fehler;
}

QByteArray prozessDatei(qint64 pid, const char* name)
{
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

Dateistand dateistand(const QString& pfad)
{
    Dateistand d;
    struct stat st;
    if (pfad.isEmpty() || ::stat(pfad8(pfad).constData(), &st) != 0)
        return d;
    d.vorhanden = true;
    d.datei = S_ISREG(st.st_mode);
    d.ordner = S_ISDIR(st.st_mode);
    d.groesse = qint64(st.st_size);
    d.geaendertNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    d.statusNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    d.inode = quint64(st.st_ino);
    d.geraet = quint64(st.st_dev);
    d.modus = unsigned(st.st_mode & 07777);
    return d;
}

bool beschreibbar(const QString& pfad)
{
    const Dateistand d = dateistand(pfad);
    if (!d.vorhanden || (d.modus & 0222) == 0)
        return false;
    return ::access(pfad8(pfad).constData(), d.ordner ? (W_OK | X_OK) : W_OK) == 0;
}

int bytesAblegen(const QString& pfad, const QByteArray& inhalt, unsigned modus)
{
    const int fd = ::open(pfad8(pfad).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode_t(modus));
    if (fd < 0)
        return errno;
    if (allesSchreiben(fd, inhalt.constData(), inhalt.size()) != 0)
        return fehlerSchliessen(fd);
    if (::fdatasync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return fehlerSchliessen(fd);
    if (::close(fd) != 0)
        return errno;
    return 0;
}

int bytesNeuAnlegen(const QString& pfad, const QByteArray& inhalt)
{
    const int fd = ::open(pfad8(pfad).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    if (allesSchreiben(fd, inhalt.constData(), inhalt.size()) != 0)
        return fehlerSchliessen(fd);
    return ::close(fd) == 0 ? 0 : errno;
}

int sicherungAnlegen(const QString& quelle, const QString& sicherung, unsigned modus)
{
    const QString neu = sicherung + QStringLiteral(".neu~");
    ::unlink(pfad8(neu).constData());
    int fehler = 0;
    if (g_ohneHardlinks || ::link(pfad8(quelle).constData(), pfad8(neu).constData()) != 0)
        fehler = kopieren(quelle, neu, modus);
    if (fehler == 0 && ::rename(pfad8(neu).constData(), pfad8(sicherung).constData()) != 0)
        fehler = errno;
    if (fehler != 0)
        ::unlink(pfad8(neu).constData());
    return fehler;
}

int umbenennen(const QString& von, const QString& nach)
{
    return ::rename(pfad8(von).constData(), pfad8(nach).constData()) == 0 ? 0 : errno;
}

int entfernen(const QString& pfad)
{
    if (::unlink(pfad8(pfad).constData()) == 0 || errno == ENOENT)
        return 0;
    return errno;
}

int rechteSetzen(const QString& pfad, unsigned modus)
{
    return ::chmod(pfad8(pfad).constData(), mode_t(modus)) == 0 ? 0 : errno;
}

void ordnerSynchronisieren(const QString& ordner)
{
    const int fd = ::open(pfad8(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString fehlerGrund(int fehler)
{
    switch (fehler) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Es fehlt die Berechtigung.");
    case ENOSPC:
        return QStringLiteral("Der Datenträger ist voll.");
    case EDQUOT:
        return QStringLiteral("Der zugeteilte Speicherplatz ist erschöpft.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case EISDIR:
        return QStringLiteral("Dort steht ein Ordner gleichen Namens.");
    case ENOTDIR:
    case ENOENT:
        return QStringLiteral("Der Ordner ist nicht vorhanden.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang.");
    case EIO:
        return QStringLiteral("Beim Zugriff auf den Datenträger ist ein Fehler aufgetreten.");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Die Datei ist gerade in Benutzung.");
    default:
        return QStringLiteral("Systemfehler %1.").arg(fehler);
    }
}

int fehlerKeinZugriff()
{
    return EACCES;
}

qint64 eigenePid()
{
    return qint64(::getpid());
}

quint64 prozessStart(qint64 pid)
{
    if (pid <= 0)
        return 0;
    const QByteArray zeile = prozessDatei(pid, "stat");
    // "pid (name) state ppid ...": the name may hold blanks and brackets.
    const qsizetype klammer = zeile.lastIndexOf(')');
    if (klammer < 0)
        return 0;
    const QList<QByteArray> felder = zeile.mid(klammer + 2).split(' ');
    // felder[0] is field 3 (the state), the start time is field 22.
    if (felder.size() < 20 || felder[0] == "Z" || felder[0] == "X")
        return 0;
    bool ok = false;
    const quint64 start = felder[19].toULongLong(&ok);
    return ok ? qMax<quint64>(start, 1) : 0;
}

bool prozessLebt(qint64 pid, quint64 start)
{
    const quint64 jetzt = prozessStart(pid);
    if (jetzt == 0)
        return false;
    if (start != 0)
        return jetzt == start;
    // An entry without start time: a process of the same program name counts.
    const QByteArray seiner = prozessDatei(pid, "comm").trimmed();
    const QByteArray meiner = prozessDatei(eigenePid(), "comm").trimmed();
    return seiner.isEmpty() || meiner.isEmpty() || seiner == meiner;
}

double systemLaufzeit()
{
    QFile f(QStringLiteral("/proc/uptime"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const double s = QString::fromLatin1(f.readLine()).section(QLatin1Char(' '), 0, 0).toDouble(&ok);
    return ok ? s : -1;
}

// ---------------------------------------------------------------------------

QString Dateisperre::sperrdatei(const QString& datei)
{
    return datei + QStringLiteral(".lck");
}

Dateisperre::Dateisperre(const QString& datei, int wartenMs) : m_pfad(sperrdatei(datei))
{
    const QByteArray name = pfad8(m_pfad);
    QElapsedTimer uhr;
    uhr.start();
    for (;;) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            return; // no lock file possible: go on without
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The file may have been removed by its last holder between our
            // open and the lock: only the file standing under the name counts.
            struct stat offen, benannt;
            if (::fstat(fd, &offen) == 0 && ::stat(name.constData(), &benannt) == 0 && offen.st_ino == benannt.st_ino &&
                offen.st_dev == benannt.st_dev) {
                m_fd = fd;
                const QByteArray pid = QByteArray::number(eigenePid()) + '\n';
                if (::ftruncate(fd, 0) == 0)
                    (void)!::write(fd, pid.constData(), size_t(pid.size()));
                return;
            }
            ::close(fd);
            continue;
        }
        ::close(fd);
        if (uhr.elapsed() >= wartenMs) {
            // Held too long: the holder hangs. Take the lock over under a new
            // lock file, so later writers queue behind us.
            ::unlink(name.constData());
            wartenMs = INT_MAX;
            continue;
        }
        QThread::usleep(500);
    }
}

Dateisperre::~Dateisperre()
{
    if (m_fd < 0)
        return;
    // Only our own lock file goes: after a takeover the name may stand for
    // the lock of whoever took it over.
    struct stat offen, benannt;
    const QByteArray name = pfad8(m_pfad);
    if (::fstat(m_fd, &offen) == 0 && ::stat(name.constData(), &benannt) == 0 && offen.st_ino == benannt.st_ino &&
        offen.st_dev == benannt.st_dev)
        ::unlink(name.constData());
    ::close(m_fd);
}

void testOhneHardlinks(bool ohne)
{
    g_ohneHardlinks = ohne;
}

void testPlatzGrenze(qint64 bytes)
{
    g_platzGrenze = bytes;
}

} // namespace zplatform
