#include "platform/ordner.h"

#include "platform/hilfedokumente.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace zplatform {

namespace {

struct Ordner
{
    bool bekannt = false;
    QString windows, system, programm, temp;
    QString dokumente; // not created outside ZETTLORA_ROOT
};

Ordner g_ordner;

QString ohneTrenner(QString pfad)
{
    pfad = QDir::cleanPath(pfad);
    while (pfad.size() > 1 && pfad.endsWith(QLatin1Char('/')))
        pfad.chop(1);
    return pfad;
}

const Ordner& ordner()
{
    if (!g_ordner.bekannt) {
        Ordner o;
        const QString wurzel = qEnvironmentVariable("ZETTLORA_ROOT").trimmed();
        if (!wurzel.isEmpty()) {
            const QString w = QDir(normalPfad(wurzel)).absolutePath();
            o.windows = w + QStringLiteral("/windows");
            o.system = w + QStringLiteral("/windows/system");
            o.programm = w + QStringLiteral("/programm");
            o.temp = w + QStringLiteral("/temp");
            o.dokumente = w + QStringLiteral("/dokumente");
        } else {
            const QString heim = QDir::homePath();
            const QString config = heim + QStringLiteral("/.config");
            const QString daten = heim + QStringLiteral("/.local/share");
            o.windows = config + QStringLiteral("/zettlora");
            o.system = o.windows + QStringLiteral("/system");
            o.programm = daten + QStringLiteral("/zettlora");
            o.temp = QDir::tempPath();
            const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            o.dokumente = !dokumente.isEmpty() && QFileInfo(dokumente).isDir() ? dokumente : heim;
        }
        for (QString* p : {&o.windows, &o.system, &o.programm, &o.temp}) {
            *p = ohneTrenner(*p);
            QDir().mkpath(*p);
        }
        o.dokumente = ohneTrenner(o.dokumente);
        if (!wurzel.isEmpty())
            QDir().mkpath(o.dokumente);
        o.bekannt = true;
        g_ordner = o;
    }
    return g_ordner;
}

// "*" and "?" without regard to case.
bool passt(const QChar* name, qsizetype nLen, const QChar* muster, qsizetype mLen)
{
    qsizetype n = 0, m = 0, sternM = -1, sternN = 0;
    while (n < nLen) {
        if (m < mLen && muster[m] == QLatin1Char('*')) {
            sternM = m++;
            sternN = n;
        } else if (m < mLen && (muster[m] == QLatin1Char('?') || muster[m].toCaseFolded() == name[n].toCaseFolded())) {
            ++m;
            ++n;
        } else if (sternM >= 0) {
            m = sternM + 1;
            n = ++sternN;
        } else {
            return false;
        }
    }
    while (m < mLen && muster[m] == QLatin1Char('*'))
        ++m;
    return m == mLen;
}

bool kopierenWennFehlend(const QString& quelle, const QString& ziel)
{
    bool ok = true;
    QDir q(quelle);
    const QFileInfoList eintraege =
        q.entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& e : eintraege) {
        const QString zielPfad = pfadAufloesen(ziel + QLatin1Char('/') + e.fileName());
        if (e.isDir()) {
            if (!QFileInfo(zielPfad).isDir() && !QDir().mkpath(zielPfad)) {
                ok = false;
                continue;
            }
            ok = kopierenWennFehlend(e.absoluteFilePath(), zielPfad) && ok;
        } else if (!QFileInfo::exists(zielPfad)) {
            if (QFile::copy(e.absoluteFilePath(), zielPfad)) {
                // Installed files may be read-only; the user's copies must not be.
                QFile::setPermissions(zielPfad, QFile::permissions(zielPfad) | QFile::ReadOwner | QFile::WriteOwner);
            } else {
                ok = false;
            }
        }
    }
    return ok;
}

} // namespace

QString windowsOrdner()
{
    return ordner().windows;
}

QString systemOrdner()
{
    return ordner().system;
}

QString programmOrdner()
{
    return ordner().programm;
}

QString tempOrdner()
{
    return ordner().temp;
}

QString dokumenteOrdner()
{
    return ordner().dokumente;
}

void ordnerZuruecksetzen()
{
    g_ordner = Ordner();
}

QString vorgabenOrdner()
{
    QStringList kandidaten;
    if (QCoreApplication::instance())
        kandidaten << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zettlora/defaults");
#ifdef ZETTLORA_DEFAULTS_DIR
    kandidaten << QStringLiteral(ZETTLORA_DEFAULTS_DIR);
#endif
#ifdef ZETTLORA_SOURCE_DEFAULTS_DIR
    kandidaten << QStringLiteral(ZETTLORA_SOURCE_DEFAULTS_DIR);
#endif
    for (const QString& k : kandidaten) {
        QFileInfo fi(k);
        if (fi.isDir())
            return ohneTrenner(fi.absoluteFilePath());
    }
    return QString();
}

bool programmOrdnerBefuellen(const QString& quelle)
{
    if (quelle.isEmpty() || !QFileInfo(quelle).isDir())
        return false;
    const bool kopiert = kopierenWennFehlend(quelle, programmOrdner());
    return hilfeDokumenteAuffrischen(quelle, programmOrdner()) && kopiert;
}

void programmOrdnerBefuellen()
{
    programmOrdnerBefuellen(vorgabenOrdner());
}

QString normalPfad(const QString& pfad)
{
    QString p = pfad;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

QString pfadAufloesen(const QString& pfad)
{
    const QString p = normalPfad(pfad);
    if (p.isEmpty() || QFileInfo::exists(p))
        return p;

    const bool absolut = p.startsWith(QLatin1Char('/'));
    const QStringList teile = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString ergebnis = absolut ? QStringLiteral("/") : QString();
    bool vorhanden = true; // the path built so far exists
    for (const QString& teil : teile) {
        const QString basis = ergebnis.isEmpty() ? QStringLiteral(".") : ergebnis;
        QString name = teil;
        if (vorhanden && teil != QLatin1String(".") && teil != QLatin1String("..")) {
            const QString direkt = ergebnis.isEmpty() || ergebnis.endsWith(QLatin1Char('/'))
                                       ? ergebnis + teil
                                       : ergebnis + QLatin1Char('/') + teil;
            if (!QFileInfo::exists(direkt)) {
                name.clear();
                QDirIterator it(basis, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
                QString treffer;
                while (it.hasNext()) {
                    it.next();
                    const QString kandidat = it.fileName();
                    if (kandidat.compare(teil, Qt::CaseInsensitive) == 0 && (treffer.isEmpty() || kandidat < treffer))
                        treffer = kandidat; // several in other cases: the first by name, every time
                }
                if (treffer.isEmpty()) {
                    vorhanden = false;
                    name = teil;
                } else {
                    name = treffer;
                }
            }
        }
        if (!ergebnis.isEmpty() && !ergebnis.endsWith(QLatin1Char('/')))
            ergebnis += QLatin1Char('/');
        ergebnis += name;
    }
    return ergebnis.isEmpty() ? p : ergebnis;
}

QStringList dateienListen(const QString& ordner, const QString& muster)
{
    QStringList muster_;
    for (QString m : muster.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        m = m.trimmed();
        if (m == QLatin1String("*.*"))
            m = QStringLiteral("*"); // as on Windows: also names without a dot
        if (!m.isEmpty())
            muster_ << m;
    }
    if (muster_.isEmpty())
        muster_ << QStringLiteral("*");

    QStringList namen;
    const QString o = pfadAufloesen(ordner.isEmpty() ? QStringLiteral(".") : ordner);
    QDirIterator it(o, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        for (const QString& m : muster_) {
            if (passt(name.constData(), name.size(), m.constData(), m.size())) {
                namen << name;
                break;
            }
        }
    }
    std::sort(namen.begin(), namen.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return namen;
}

} // namespace zplatform
