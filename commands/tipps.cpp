#include "commands/tipps.h"

#include "common/dateien.h"
#include "common/ini.h"
#include "common/programme.h"
#include "common/texte.h"
#include "platform/plattform.h"

#include <cmath>

namespace zbefehle {

namespace {

const QString Sektion = QStringLiteral("Tips");

QString nummer4(int nr)
{
    return QStringLiteral("%1").arg(nr, 4, 10, QLatin1Char('0'));
}

} // namespace

QString Tips_Datei()
{
    return zcommon::Programm_Ordner() + QStringLiteral("/Tips.Bot");
}

QString Tipp_Aufbereiten(const QString& roh)
{
    QString t = zcommon::Trim(roh);
    t.replace(QLatin1Char('~'), QStringLiteral("\r\n\r\n"));
    t = zcommon::Ersetzen(t, QStringLiteral("{URL}"), zcommon::Internetadresse(QStringLiteral("Homepage")));
    if (!t.endsWith(QLatin1Char('.')) && !t.endsWith(QLatin1Char('!')) && !t.endsWith(QLatin1Char('?')))
        t += QLatin1Char('.');
    return t;
}

Tipp Tipp_Naechster(const QString& datei, int major)
{
    Tipp tipp;
    const int anzahl =
        zcommon::Datei_Existiert(datei)
            ? int(zcommon::Val(zcommon::Ini_Lesen(datei, Sektion, QStringLiteral("Anzahl"), QStringLiteral("0"))))
            : 0;
    if (anzahl < 1) {
        tipp.keine = true;
        return tipp;
    }
    QString verlauf = zcommon::Ini_Lesen(datei, Sektion, QStringLiteral("Zuletzt"), QStringLiteral(".0000"));
    tipp.frage = zcommon::Ini_Lesen(datei, Sektion, QStringLiteral("Frage"), QStringLiteral("???"));
    tipp.kopf =
        zcommon::Ersetzen(zcommon::Ini_Lesen(datei, Sektion, QStringLiteral("Header"), QStringLiteral("Willkommen")),
                          QStringLiteral("{Major}"), QStringLiteral("%1").arg(major, 2, 10, QLatin1Char('0')));

    int nr = 0;
    int versuche = 0;
    for (;;) {
        const double r = zplatform::plattform().zufall();
        nr = int(std::floor(r * (anzahl - 1 + 0.5))) + 1;
        if (++versuche > 999) {
            nr = 1;
            break;
        }
        if (zcommon::Ini_Lesen(datei, Sektion, QStringLiteral("Tip") + nummer4(nr), QString()).isEmpty())
            nr = 0;
        if (nr > 0 && !verlauf.contains(QLatin1Char('.') + nummer4(nr)))
            break;
    }
    const int k = anzahl > 10 ? 10 : anzahl - 1;
    verlauf = (QLatin1Char('.') + nummer4(nr) + verlauf).left(5 * k);
    zcommon::Ini_Schreiben(datei, Sektion, QStringLiteral("Zuletzt"), verlauf);
    tipp.nummer = nr;
    tipp.text = Tipp_Aufbereiten(zcommon::Ini_Lesen(datei, Sektion, QStringLiteral("Tip") + nummer4(nr), QString()));
    return tipp;
}

bool AutoTip_An()
{
    return zcommon::Val(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AutoTip"), QStringLiteral("1"))) != 0;
}

void AutoTip_Setzen(bool an)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AutoTip"),
                           an ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace zbefehle
