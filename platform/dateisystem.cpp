#include "platform/dateisystem.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zplatform {

namespace {

bool g_ohneHardlinks = false;
qint64 g_platzGrenze = -1;
int g_zwischendateiWarten = -1;
QString g_umbenennenZiel;
int g_umbenennenFehler = 0;

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

// Whether the open file is the one standing under the name now.
bool gleicheDatei(int fd, const QByteArray& name)
{
    struct stat offen, benannt;
    return ::fstat(fd, &offen) == 0 && ::stat(name.constData(), &benannt) == 0 && offen.st_ino == benannt.st_ino &&
           offen.st_dev == benannt.st_dev;
}

// One try at a lock file: the descriptor that holds it, -1 when another holds
// it, -2 when no lock file can be made.
int sperrdateiVersuchen(const QByteArray& name)
{
    for (;;) {
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        // One another user left behind (its holder killed) locks as well.
        if (fd < 0 && (errno == EACCES || errno == EPERM))
            fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return -2;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return -1;
        }
        // The file may have been removed by its last holder between our
        // open and the lock: only the file standing under the name counts.
        if (gleicheDatei(fd, name))
            return fd;
        ::close(fd);
    }
}

// The holder's process id in its lock file, for whoever looks.
void pidEintragen(int fd)
{
    const QByteArray pid = QByteArray::number(eigenePid()) + '\n';
    if (::ftruncate(fd, 0) == 0)
        (void)!::write(fd, pid.constData(), size_t(pid.size()));
}

// Removes the lock file when it is still ours and closes it.
void sperrdateiFreigeben(int fd, const QByteArray& name)
{
    if (fd < 0)
        return;
    // After a takeover the name may stand for whoever took it over.
    if (gleicheDatei(fd, name))
        ::unlink(name.constData());
    ::close(fd);
}

bool istBuchstabe(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool istGross(char c)
{
    return c >= 'A' && c <= 'Z';
}

// Six letters of both cases that are no capitalised word.
bool zufallsendung(const QByteArray& e)
{
    if (e.size() != 6)
        return false;
    int gross = 0;
    for (char c : e) {
        if (!istBuchstabe(c))
            return false;
        gross += istGross(c);
    }
    if (gross == 0 || gross == 6)
        return false;
    return !(gross == 1 && istGross(e[0]));
}

QByteArray neueZufallsendung()
{
    QByteArray e(6, 'a');
    do {
        for (char& c : e) {
            const quint32 z = QRandomGenerator::global()->bounded(52u);
            c = char(z < 26 ? 'A' + z : 'a' + (z - 26));
        }
    } while (!zufallsendung(e));
    return e;
}

// Whether a name in the folder is a temporary copy of the file: its name,
// "." and a six-letter ending of both cases.
bool zwischenkopieVon(const QByteArray& name, const char* kopie, qsizetype n)
{
    return n == name.size() + 7 && std::memcmp(kopie, name.constData(), size_t(name.size())) == 0 &&
           kopie[name.size()] == '.' && zufallsendung(QByteArray(kopie + name.size() + 1, 6));
}

// Removes the temporary copies of the file that earlier writes left behind
// and nobody holds any more.
void zwischenkopienEntfernen(const QByteArray& ordner, const QByteArray& name)
{
    DIR* dir = ::opendir(ordner.constData());
    if (!dir)
        return;
    QList<QByteArray> reste;
    while (const dirent* e = ::readdir(dir)) {
        const qsizetype n = qsizetype(std::strlen(e->d_name));
        if (zwischenkopieVon(name, e->d_name, n))
            reste << ordner + '/' + QByteArray(e->d_name, n);
    }
    ::closedir(dir);
    for (const QByteArray& rest : reste) {
        struct stat st;
        if (::lstat(rest.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        const int fd = ::open(rest.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A writer at work holds its copy locked.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && gleicheDatei(fd, rest))
            ::unlink(rest.constData());
        ::close(fd);
    }
}

// A copy beside the target for a new content, locked before anything is
// written: unnamed while it is written where the file system allows
// (a writer that dies leaves nothing), else under a temporary name.
struct Zwischenkopie
{
    int fd = -1;
    QByteArray name; // "" while unnamed
};

int zwischenkopieAnlegen(const QByteArray& ziel, const QByteArray& ordner, unsigned modus, Zwischenkopie& k)
{
#ifdef O_TMPFILE
    k.fd = ::open(ordner.constData(), O_RDWR | O_TMPFILE | O_CLOEXEC, mode_t(modus));
    if (k.fd >= 0) {
        ::flock(k.fd, LOCK_EX);
        return 0;
    }
#else
    Q_UNUSED(ordner);
#endif
    for (int versuch = 0; versuch < 100; ++versuch) {
        k.name = ziel + '.' + neueZufallsendung();
        k.fd = ::open(k.name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode_t(modus));
        if (k.fd < 0) {
            if (errno == EEXIST)
                continue;
            return errno;
        }
        // Only a clean-up that took it for a leftover between our open and
        // the lock can hold it; it is gone then, and we take another name.
        ::flock(k.fd, LOCK_EX);
        if (gleicheDatei(k.fd, k.name))
            return 0;
        ::close(k.fd);
        k.fd = -1;
    }
    return EEXIST;
}

// Gives the unnamed copy a temporary name beside the target.
int zwischenkopieBenennen(const QByteArray& ziel, Zwischenkopie& k)
{
    if (!k.name.isEmpty())
        return 0;
    const QByteArray fdPfad = "/proc/self/fd/" + QByteArray::number(k.fd);
    for (int versuch = 0; versuch < 100; ++versuch) {
        const QByteArray name = ziel + '.' + neueZufallsendung();
        if (::linkat(AT_FDCWD, fdPfad.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
            k.name = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

Dateistand standAus(const struct stat& st)
{
    Dateistand d;
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

// The folder's write permissions added to the bits a new file was made with
// (what the umask left of 0666): read and write for the owner, and for the
// group and the others where the folder lets them write in it.
unsigned ordnerRechte(unsigned gemacht, const QByteArray& ordner)
{
    unsigned modus = (gemacht & 0666) | 0600;
    struct stat st;
    if (::stat(ordner.constData(), &st) == 0) {
        if (st.st_mode & S_IWGRP)
            modus |= 0060;
        if (st.st_mode & S_IWOTH)
            modus |= 0006;
    }
    return modus;
}

// Gives a file made by this program in a shared folder that folder's write permissions.
int gemeinsamMachen(int fd, const QByteArray& ordner)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return errno;
    return ::fchmod(fd, mode_t(ordnerRechte(unsigned(st.st_mode), ordner))) == 0 ? 0 : errno;
}

// Writes the bytes over the content of an existing regular file (one its
// folder does not let this user replace) and cuts it to their length.
int vorOrtSchreiben(const QByteArray& ziel, const QByteArray& inhalt)
{
    const int fd = ::open(ziel.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return fehlerSchliessen(fd);
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return ENODEV;
    }
    if (const int f = allesSchreiben(fd, inhalt.constData(), inhalt.size())) {
        ::close(fd);
        return f;
    }
    if (::ftruncate(fd, off_t(inhalt.size())) != 0)
        return fehlerSchliessen(fd);
    if (::fdatasync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return fehlerSchliessen(fd);
    return ::close(fd) == 0 ? 0 : errno;
}

// The test fault of a rename onto this path, 0 when none.
int umbenennenTestfehler(const QString& nach)
{
    return !g_umbenennenZiel.isEmpty() && nach == g_umbenennenZiel ? g_umbenennenFehler : 0;
}

} // namespace

Dateistand dateistand(const QString& pfad)
{
    struct stat st;
    if (pfad.isEmpty() || ::stat(pfad8(pfad).constData(), &st) != 0)
        return Dateistand();
    return standAus(st);
}

bool selbeFassung(const Dateistand& a, const Dateistand& b)
{
    return a.vorhanden == b.vorhanden && a.geraet == b.geraet && a.inode == b.inode && a.groesse == b.groesse &&
           a.geaendertNs == b.geaendertNs;
}

bool beschreibbar(const QString& pfad)
{
    const Dateistand d = dateistand(pfad);
    if (!d.vorhanden || (d.modus & 0222) == 0)
        return false;
    return ::access(pfad8(pfad).constData(), d.ordner ? (W_OK | X_OK) : W_OK) == 0;
}

int bytesNeuAnlegen(const QString& pfad, const QByteArray& inhalt, bool gemeinsam)
{
    // Made whole beside it and linked into place: nobody ever sees the new
    // file empty or half written, and a file standing there already stays.
    const QByteArray ziel = pfad8(pfad);
    const QByteArray ordner = pfad8(QFileInfo(pfad).absolutePath());
    Zwischenkopie k;
    if (const int f = zwischenkopieAnlegen(ziel, ordner, 0666, k))
        return f;
    int fehler = allesSchreiben(k.fd, inhalt.constData(), inhalt.size());
    if (fehler == 0 && gemeinsam)
        fehler = gemeinsamMachen(k.fd, ordner);
    if (fehler == 0) {
        const QByteArray quelle = k.name.isEmpty() ? "/proc/self/fd/" + QByteArray::number(k.fd) : k.name;
        if (::linkat(AT_FDCWD, quelle.constData(), AT_FDCWD, ziel.constData(), AT_SYMLINK_FOLLOW) != 0)
            fehler = errno;
    }
    if (!k.name.isEmpty())
        ::unlink(k.name.constData());
    ::close(k.fd);
    return fehler;
}

int lesePruefung(const QString& pfad)
{
    const QByteArray name = pfad8(pfad);
    struct stat st;
    if (pfad.isEmpty())
        return ENOENT;
    if (::stat(name.constData(), &st) != 0) {
        const int fehler = errno;
        struct stat verweis;
        if (fehler == ENOENT && ::lstat(name.constData(), &verweis) == 0 && S_ISLNK(verweis.st_mode))
            return ENOLINK;
        return fehler;
    }
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return ENODEV;
    if ((st.st_mode & 0444) == 0 || ::access(name.constData(), R_OK) != 0)
        return EACCES;
    return 0;
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

GesperrteZwischendatei::~GesperrteZwischendatei()
{
    if (m_fd < 0)
        return;
    // Once renamed into place the name is gone, or stands for the next writer's file.
    if (gleicheDatei(m_fd, m_name))
        ::unlink(m_name.constData());
    ::close(m_fd);
}

int GesperrteZwischendatei::ablegen(const QString& pfad, const QByteArray& inhalt, unsigned modus, int wartenMs)
{
    if (m_fd >= 0)
        return EBUSY;
    const QByteArray name = pfad8(pfad);
    QElapsedTimer uhr;
    uhr.start();
    int fd = -1;
    for (;;) {
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, mode_t(modus));
        if (fd < 0)
            return errno;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int e = errno;
            if (e != EWOULDBLOCK && e != EINTR)
                break; // a file system without locks: write all the same
            ::close(fd);
            if (uhr.elapsed() >= (g_zwischendateiWarten >= 0 ? g_zwischendateiWarten : wartenMs))
                return EBUSY; // another instance saves the same file
            QThread::msleep(10);
            continue;
        }
        // Its last holder may have renamed or removed it between our open
        // and the lock: only the file standing under the name counts.
        if (gleicheDatei(fd, name))
            break;
        ::close(fd);
    }
    m_fd = fd;
    m_name = name;
    if (::ftruncate(fd, 0) != 0)
        return errno;
    if (const int f = allesSchreiben(fd, inhalt.constData(), inhalt.size()))
        return f;
    if (::fdatasync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return errno;
    return 0;
}

Dateistand GesperrteZwischendatei::stand() const
{
    struct stat st;
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return Dateistand();
    return standAus(st);
}

bool zwischendateiInArbeit(const QString& pfad)
{
    const int fd = ::open(pfad8(pfad).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool gehalten = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return gehalten;
}

bool zwischendateiAufraeumen(const QString& pfad, const QStringList& mitIhr)
{
    const QByteArray name = pfad8(pfad);
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool weg = false;
    struct stat st;
    // A writer at work holds it locked.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && gleicheDatei(fd, name)) {
        for (const QString& beiIhr : mitIhr)
            ::unlink(pfad8(beiIhr).constData());
        weg = ::unlink(name.constData()) == 0;
    }
    ::close(fd);
    return weg;
}

int umbenennen(const QString& von, const QString& nach)
{
    if (const int f = umbenennenTestfehler(nach))
        return f;
    return ::rename(pfad8(von).constData(), pfad8(nach).constData()) == 0 ? 0 : errno;
}

bool istZwischenkopie(const QString& dateiname, const QString& kopie)
{
    const QByteArray k = pfad8(kopie);
    return zwischenkopieVon(pfad8(dateiname), k.constData(), k.size());
}

namespace {

// The replace of atomarErsetzen and gemeinsamErsetzen.
int ersetzen(const QString& pfad, const QByteArray& inhalt, unsigned modusNeu, bool gemeinsam)
{
    QString zielPfad = pfad;
    const QFileInfo info(pfad);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        zielPfad = info.canonicalFilePath();
    const QByteArray ziel = pfad8(zielPfad);
    const QFileInfo zielInfo(zielPfad);
    const QByteArray ordner = pfad8(zielInfo.absolutePath());
    zwischenkopienEntfernen(ordner, pfad8(zielInfo.fileName()));

    const Dateistand alt = dateistand(zielPfad);
    Zwischenkopie k;
    int fehler = zwischenkopieAnlegen(ziel, ordner, gemeinsam ? 0666 : alt.datei ? 0600 : modusNeu, k);
    if (fehler == 0) {
        fehler = allesSchreiben(k.fd, inhalt.constData(), inhalt.size());
        if (fehler == 0 && gemeinsam)
            fehler = gemeinsamMachen(k.fd, ordner);
        // An existing file keeps its permission bits (the umask does not narrow them).
        else if (fehler == 0 && alt.datei && ::fchmod(k.fd, mode_t(alt.modus)) != 0)
            fehler = errno;
        if (fehler == 0 && ::fdatasync(k.fd) != 0 && errno != EINVAL && errno != EROFS)
            fehler = errno;
        if (fehler == 0)
            fehler = zwischenkopieBenennen(ziel, k);
        if (fehler == 0)
            fehler = umbenennenTestfehler(zielPfad);
        if (fehler == 0 && ::rename(k.name.constData(), ziel.constData()) != 0)
            fehler = errno;
        if (fehler != 0 && !k.name.isEmpty())
            ::unlink(k.name.constData());
        ::close(k.fd);
    }
    // A shared file the folder does not let this user replace (the sticky
    // bit, another user's file) is written where it stands.
    if (gemeinsam && alt.datei && (fehler == EPERM || fehler == EACCES))
        fehler = vorOrtSchreiben(ziel, inhalt);
    return fehler;
}

} // namespace

int atomarErsetzen(const QString& pfad, const QByteArray& inhalt, unsigned modusNeu)
{
    return ersetzen(pfad, inhalt, modusNeu, false);
}

int gemeinsamErsetzen(const QString& pfad, const QByteArray& inhalt)
{
    return ersetzen(pfad, inhalt, 0666, true);
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
    case ELOOP:
        return QStringLiteral("Die Verknüpfung führt im Kreis auf sich selbst zurück.");
    case ENOLINK:
        return QStringLiteral("Die Verknüpfung zeigt auf eine Datei, die es nicht gibt.");
    case ENODEV:
        return QStringLiteral("Unter diesem Namen steht keine gewöhnliche Datei.");
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
    if (jetzt == 0) // ended, unless the system hides another user's process
        return pid > 0 && prozessDatei(pid, "stat").isEmpty() && ::kill(pid_t(pid), 0) != 0 && errno == EPERM;
    if (start != 0)
        return jetzt == start;
    // An entry without start time: a process of the same program name counts.
    const QByteArray seiner = prozessDatei(pid, "comm").trimmed();
    const QByteArray meiner = prozessDatei(eigenePid(), "comm").trimmed();
    return seiner.isEmpty() || meiner.isEmpty() || seiner == meiner;
}

QString rechnerKennung()
{
    static const QString kennung = [] {
        for (const char* datei : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
            QFile f(QString::fromLatin1(datei));
            if (f.open(QIODevice::ReadOnly)) {
                const QString k = QString::fromLatin1(f.readLine(64)).trimmed();
                if (!k.isEmpty())
                    return k;
            }
        }
        return QString();
    }();
    return kennung;
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
        const int fd = sperrdateiVersuchen(name);
        if (fd == -2)
            return; // no lock file possible: go on without
        if (fd >= 0) {
            m_fd = fd;
            pidEintragen(fd);
            return;
        }
        if (uhr.elapsed() >= wartenMs) {
            // Held too long: the holder hangs. Take the lock over under a new
            // lock file, so later writers queue behind us; where its file
            // cannot be removed (another user's in a folder with the sticky
            // bit), go on without.
            if (::unlink(name.constData()) != 0 && errno != ENOENT)
                return;
            wartenMs = INT_MAX;
            continue;
        }
        QThread::usleep(500);
    }
}

Dateisperre::~Dateisperre()
{
    sperrdateiFreigeben(m_fd, pfad8(m_pfad));
}

// ---------------------------------------------------------------------------

namespace {

// The append locks this process holds: the open file that carries each.
struct Anhang
{
    int fd = -1;
    bool schreibbar = false;
    int tiefe = 0;
};

QHash<QString, Anhang>& anhaenge()
{
    static QHash<QString, Anhang> a;
    return a;
}

// Opens the file standing under the name and takes its append lock, waiting
// at most wartenMs (then it goes on without). A name replaced or removed
// while we waited is opened again: the file standing there now counts.
// Returns the descriptor, or -errno.
int oeffnenUndSperren(const QByteArray& name, int art, int wartenMs)
{
    QElapsedTimer uhr;
    uhr.start();
    for (;;) {
        const int fd = ::open(name.constData(), art | O_CLOEXEC, 0666);
        if (fd < 0)
            return -errno;
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || uhr.elapsed() >= wartenMs)
                return fd; // no lock to be had: the work goes on without
            QThread::usleep(200);
        }
        if (gleicheDatei(fd, name))
            return fd;
        ::close(fd);
        if (!(art & O_CREAT) && ::access(name.constData(), F_OK) != 0)
            return -ENOENT;
    }
}

// Opens for appending: reading too where allowed (to see how the file ends).
int zumAnhaengenOeffnen(const QByteArray& name, bool anlegen, int wartenMs, bool* lesbar)
{
    const int erzeugen = anlegen ? O_CREAT : 0;
    int fd = oeffnenUndSperren(name, O_RDWR | O_APPEND | erzeugen, wartenMs);
    *lesbar = fd >= 0;
    if (fd == -EACCES)
        fd = oeffnenUndSperren(name, O_WRONLY | O_APPEND | erzeugen, wartenMs);
    return fd;
}

// The bytes of the file at an offset (fewer at its end).
QByteArray stueck(int fd, qint64 ab, qsizetype laenge)
{
    QByteArray b(laenge, Qt::Uninitialized);
    const ssize_t n = ::pread(fd, b.data(), size_t(laenge), off_t(ab));
    b.truncate(n > 0 ? qsizetype(n) : 0);
    return b;
}

} // namespace

Anhangsperre::Anhangsperre(const QString& pfad, int wartenMs) : m_pfad(pfad)
{
    auto& a = anhaenge();
    auto it = a.find(m_pfad);
    if (it != a.end()) {
        ++it.value().tiefe;
        m_gehalten = true;
        return;
    }
    Anhang neu;
    const int fd = zumAnhaengenOeffnen(pfad8(pfad), false, wartenMs, &neu.schreibbar);
    if (fd < 0) {
        // A file only we may not write is still read under the lock.
        const int nurLesen = fd == -EACCES ? oeffnenUndSperren(pfad8(pfad), O_RDONLY, wartenMs) : fd;
        if (nurLesen < 0) {
            m_fehler = -nurLesen;
            return;
        }
        neu.fd = nurLesen;
        neu.schreibbar = false;
    } else {
        neu.fd = fd;
    }
    neu.tiefe = 1;
    a.insert(m_pfad, neu);
    m_gehalten = true;
}

Anhangsperre::~Anhangsperre()
{
    if (!m_gehalten)
        return;
    auto& a = anhaenge();
    auto it = a.find(m_pfad);
    if (it == a.end() || --it.value().tiefe > 0)
        return;
    ::close(it.value().fd);
    a.erase(it);
}

int bytesAnhaengen(
    const QString& pfad,
    const std::function<bool(const QByteArray& anfang, const QByteArray& ende, qint64 groesse, QByteArray& neu)>& baue)
{
    const QByteArray name = pfad8(pfad);
    struct stat st;
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        if (!beschreibbar(pfad))
            return EACCES;
    } else if (errno == ENOENT) {
        const QString ordner = QFileInfo(pfad).absolutePath();
        if (!dateistand(ordner).ordner)
            return ENOENT;
        if (!beschreibbar(ordner))
            return EACCES;
    } else {
        return errno;
    }

    // Under a lock this process holds already, through its file.
    int fd = -1;
    bool lesbar = false;
    bool eigenes = true;
    auto& a = anhaenge();
    if (auto it = a.constFind(pfad); it != a.constEnd() && it.value().schreibbar) {
        fd = it.value().fd;
        lesbar = true;
        eigenes = false;
    } else {
        fd = zumAnhaengenOeffnen(name, true, 5000, &lesbar);
        if (fd < 0)
            return -fd;
    }
    const auto schliessen = [&](int fehler) {
        if (eigenes)
            ::close(fd);
        return fehler;
    };
    struct stat offen;
    if (::fstat(fd, &offen) != 0)
        return schliessen(errno);
    const qint64 groesse = qint64(offen.st_size);
    QByteArray anfang, ende;
    if (lesbar && groesse > 0) {
        anfang = stueck(fd, 0, qsizetype(qMin<qint64>(groesse, 3)));
        ende = stueck(fd, qMax<qint64>(groesse - 2, 0), qsizetype(qMin<qint64>(groesse, 2)));
    }
    QByteArray neu;
    if (!baue(anfang, ende, groesse, neu))
        return schliessen(ECANCELED);
    if (const int fehler = allesSchreiben(fd, neu.constData(), neu.size())) {
        // No half line stays behind.
        (void)!::ftruncate(fd, off_t(groesse));
        return schliessen(fehler);
    }
    if (eigenes && ::close(fd) != 0)
        return errno;
    return 0;
}

// ---------------------------------------------------------------------------

QString Laufsperre::sperrdatei(const QString& datei)
{
    return datei + QStringLiteral(".lauf");
}

Laufsperre::Laufsperre(const QString& datei) : m_pfad(sperrdatei(datei))
{
    const int fd = sperrdateiVersuchen(pfad8(m_pfad));
    if (fd >= 0) {
        m_fd = fd;
        m_stand = Stand::Gehalten;
        pidEintragen(fd);
    } else {
        m_stand = fd == -1 ? Stand::Besetzt : Stand::Ohne;
    }
}

Laufsperre::~Laufsperre()
{
    sperrdateiFreigeben(m_fd, pfad8(m_pfad));
}

void testOhneHardlinks(bool ohne)
{
    g_ohneHardlinks = ohne;
}

void testPlatzGrenze(qint64 bytes)
{
    g_platzGrenze = bytes;
}

void testZwischendateiWarten(int ms)
{
    g_zwischendateiWarten = ms;
}

void testUmbenennenScheitert(const QString& nach, int fehler)
{
    g_umbenennenZiel = nach;
    g_umbenennenFehler = fehler;
}

} // namespace zplatform
