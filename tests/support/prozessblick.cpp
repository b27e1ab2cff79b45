#include "support/prozessblick.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// The open flags the system lists for a descriptor ("flags:" in octal).
int oeffnungsart(const QString& fdinfo)
{
    QFile f(fdinfo);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& zeile : f.readAll().split('\n')) {
        if (zeile.startsWith("flags:"))
            return zeile.mid(6).trimmed().toInt(nullptr, 8);
    }
    return 0;
}

} // namespace

bool haeltZumAnhaengen(qint64 pid, const QString& datei)
{
    struct stat ziel;
    if (::stat(QFile::encodeName(datei).constData(), &ziel) != 0)
        return false;
    const QString prozess = QStringLiteral("/proc/%1").arg(pid);
    const QStringList offene = QDir(prozess + QStringLiteral("/fd"))
                                   .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& fd : offene) {
        struct stat offen;
        // The entry leads to the open file itself, also to one whose name is gone.
        if (::stat(QFile::encodeName(prozess + QStringLiteral("/fd/") + fd).constData(), &offen) != 0)
            continue;
        if (offen.st_ino == ziel.st_ino && offen.st_dev == ziel.st_dev &&
            (oeffnungsart(prozess + QStringLiteral("/fdinfo/") + fd) & O_APPEND))
            return true;
    }
    return false;
}

Signalart signalArt(qint64 pid, int signal)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return Signalart::Standard;
    // "SigIgn:" and "SigCgt:" are masks in hex, bit n-1 for signal n.
    const quint64 bit = quint64(1) << (signal - 1);
    Signalart art = Signalart::Standard;
    for (const QByteArray& zeile : f.readAll().split('\n')) {
        if (zeile.startsWith("SigIgn:") && (zeile.mid(7).trimmed().toULongLong(nullptr, 16) & bit))
            art = Signalart::Ignoriert;
        if (zeile.startsWith("SigCgt:") && (zeile.mid(7).trimmed().toULongLong(nullptr, 16) & bit))
            art = Signalart::Abgefangen;
    }
    return art;
}
