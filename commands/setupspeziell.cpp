#include "commands/setupspeziell.h"

#include "common/dateien.h"
#include "common/texte.h"
#include "platform/codec.h"
#include "platform/ordner.h"
#include "platform/textdatei.h"

#include <algorithm>

namespace zbefehle {

QString SetupSpeziell_Kopf(const QString& zeile)
{
    if (!zeile.startsWith(QLatin1Char('[')))
        return QString();
    const qsizetype zu = zeile.indexOf(QLatin1Char(']'));
    if (zu != zeile.size() - 1)
        return QString();
    return zeile.mid(1, zu - 1) + QStringLiteral(""); // never null for a header
}

namespace {

// What the lists take of one line after another.
struct Abschnitte
{
    QStringList namen;
    void operator()(const QString& zeile)
    {
        const QString kopf = SetupSpeziell_Kopf(zeile);
        if (!kopf.isNull())
            namen << zcommon::Gross_Klein(kopf);
    }
};

struct Schluessel
{
    QString abschnitt;
    bool drin = false;
    QStringList namen;
    void operator()(const QString& zeile)
    {
        const QString kopf = SetupSpeziell_Kopf(zeile);
        if (!kopf.isNull()) {
            drin = kopf.compare(abschnitt, Qt::CaseInsensitive) == 0;
            return;
        }
        const qsizetype gleich = zeile.indexOf(QLatin1Char('='));
        if (drin && gleich >= 0)
            namen << zcommon::Gross_Klein(zeile.left(gleich));
    }
};

// Every line of the file, decoded, to zeile; false when the file is missing.
bool zeilenweise(const QString& datei, const std::function<void(const QString&)>& zeile)
{
    if (!zcommon::Datei_Existiert(datei))
        return false;
    bool utf8 = false;
    zplatform::zeilenweiseLesen(
        zplatform::pfadAufloesen(zplatform::normalPfad(datei)),
        [&](const char* d, qsizetype n) {
            zeile(utf8 ? zplatform::ausUtf8(d, n) : zplatform::ausWindows1252(d, n));
            return true;
        },
        &utf8);
    return true;
}

} // namespace

QStringList SetupSpeziell_Abschnitte(const QStringList& zeilen)
{
    Abschnitte a;
    for (const QString& z : zeilen)
        a(z);
    return a.namen;
}

QStringList SetupSpeziell_Schluessel(const QStringList& zeilen, const QString& abschnitt)
{
    Schluessel s;
    s.abschnitt = abschnitt;
    for (const QString& z : zeilen)
        s(z);
    return s.namen;
}

QStringList SetupSpeziell_Abschnitte(const QString& datei, bool* vorhanden)
{
    Abschnitte a;
    *vorhanden = zeilenweise(datei, std::ref(a));
    return a.namen;
}

QStringList SetupSpeziell_Schluessel(const QString& datei, const QString& abschnitt, bool* vorhanden)
{
    Schluessel s;
    s.abschnitt = abschnitt;
    *vorhanden = zeilenweise(datei, std::ref(s));
    return s.namen;
}

QStringList SetupSpeziell_Sortiert(QStringList namen)
{
    std::stable_sort(namen.begin(), namen.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return namen;
}

QStringList SetupSpeziell_Dateien()
{
    const QString w = zcommon::Windows_Ordner();
    return {w + QStringLiteral("/Zizorud.ini"), w + QStringLiteral("/KontPrn.ini")};
}

} // namespace zbefehle
