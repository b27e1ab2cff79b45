#include "commands/setupspeziell.h"

#include "common/dateien.h"
#include "common/texte.h"

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

QStringList SetupSpeziell_Abschnitte(const QStringList& zeilen)
{
    QStringList r;
    for (const QString& z : zeilen) {
        const QString kopf = SetupSpeziell_Kopf(z);
        if (!kopf.isNull())
            r << zcommon::Gross_Klein(kopf);
    }
    return r;
}

QStringList SetupSpeziell_Schluessel(const QStringList& zeilen, const QString& abschnitt)
{
    QStringList r;
    bool drin = false;
    for (const QString& z : zeilen) {
        const QString kopf = SetupSpeziell_Kopf(z);
        if (!kopf.isNull()) {
            drin = kopf.compare(abschnitt, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype gleich = z.indexOf(QLatin1Char('='));
        if (drin && gleich >= 0)
            r << zcommon::Gross_Klein(z.left(gleich));
    }
    return r;
}

QStringList SetupSpeziell_Dateien()
{
    const QString w = zcommon::Windows_Ordner();
    return {w + QStringLiteral("/Zizorud.ini"), w + QStringLiteral("/KontPrn.ini")};
}

} // namespace zbefehle
