#include "platform/hilfedokumente.h"

#include "platform/dateisystem.h"
#include "platform/ordner.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace zplatform {

namespace {

// The documents the rule applies to.
const char* const g_dokumente[] = {"Zettlora.html", "werbung.html"};

constexpr char g_markeAnfang[] = "<meta name=\"generator\" content=\"Zettlora-Hilfe ";

bool lesen(const QString& pfad, QByteArray& inhalt)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    inhalt = f.readAll();
    return f.error() == QFileDevice::NoError;
}

// The version of the document's bytes among the shipped ones, -1 when the
// program never shipped them.
int bekannterStand(const QString& datei, const QByteArray& inhalt, const QList<HilfeStand>& bekannt)
{
    const QByteArray summe = QCryptographicHash::hash(inhalt, QCryptographicHash::Sha256).toHex();
    for (const HilfeStand& s : bekannt) {
        if (s.datei.compare(datei, Qt::CaseInsensitive) == 0 && s.sha256.compare(summe, Qt::CaseInsensitive) == 0)
            return s.stand;
    }
    return -1;
}

// Brings one document up to date; false when it was due and could not be written.
bool auffrischen(const QString& datei, const QString& quelle, const QString& ziel, const QList<HilfeStand>& bekannt)
{
    const QString neuPfad = pfadAufloesen(quelle + QLatin1Char('/') + datei);
    const QString altPfad = pfadAufloesen(ziel + QLatin1Char('/') + datei);
    const QFileInfo alt(altPfad);
    // Missing: the first start copies it. A link or a file made read-only was
    // put there on purpose.
    if (!alt.exists() || alt.isSymLink() || !alt.isFile() || !beschreibbar(altPfad))
        return true;

    QByteArray neu, vorhanden;
    if (!QFileInfo(neuPfad).isFile() || !lesen(neuPfad, neu) || !lesen(altPfad, vorhanden))
        return true; // nothing known to compare: the document stays
    if (vorhanden == neu)
        return true;
    const int stand = bekannterStand(datei, vorhanden, bekannt);
    if (stand < 0 || stand >= hilfeStandLesen(neu))
        return true; // the user's own, changed by the user, or of a newer version
    return atomarErsetzen(altPfad, neu) == 0;
}

} // namespace

const QList<HilfeStand>& ausgelieferteHilfeStaende()
{
    static const QList<HilfeStand> staende = {
        // The first help document, without sections per topic and without a mark.
        {QStringLiteral("Zettlora.html"), 1, "7dc991feea37b354598551f436bf4c9f33f96ffc4b30db0899c3a1d90fa9115d"},
        // With a section for every topic and every dialog.
        {QStringLiteral("Zettlora.html"), 2, "494acdc23a15acb35995f3b2fdafeef1a4c0113c639ca52432b3e3e3baa0ef6a"},
        // The first product information, without a mark.
        {QStringLiteral("werbung.html"), 1, "6be267c10dd6a964ba175d39dd40debc09817567fa2e4c7c5fbd65b7e3323de4"},
        {QStringLiteral("werbung.html"), 2, "760e7d5a9b4a90f67730459433ebd5b995656fb12906646988e56dbfb4a66ebf"},
    };
    return staende;
}

int hilfeStandLesen(const QByteArray& dokument)
{
    const qsizetype anfang = dokument.indexOf(g_markeAnfang);
    if (anfang < 0)
        return 0;
    qsizetype i = anfang + qsizetype(sizeof(g_markeAnfang) - 1);
    int stand = 0;
    int ziffern = 0;
    for (; i < dokument.size() && dokument.at(i) >= '0' && dokument.at(i) <= '9'; ++i) {
        if (++ziffern > 9)
            return 0;
        stand = stand * 10 + (dokument.at(i) - '0');
    }
    if (ziffern == 0 || i >= dokument.size() || dokument.at(i) != '"')
        return 0;
    return stand;
}

bool hilfeDokumenteAuffrischen(const QString& quelle, const QString& ziel, const QList<HilfeStand>& bekannt)
{
    bool ok = true;
    for (const char* datei : g_dokumente)
        ok = auffrischen(QString::fromLatin1(datei), quelle, ziel, bekannt) && ok;
    return ok;
}

bool hilfeDokumenteAuffrischen(const QString& quelle, const QString& ziel)
{
    return hilfeDokumenteAuffrischen(quelle, ziel, ausgelieferteHilfeStaende());
}

} // namespace zplatform
