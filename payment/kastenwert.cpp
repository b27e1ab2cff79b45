#include "payment/kastenwert.h"

#include "common/meldungen.h"
#include "common/texte.h"

namespace zzahlung {

QString Kastenwert(const QString& wert, int laenge, bool* gekuerzt)
{
    const QString getrimmt = zcommon::Trim(wert);
    const bool zuLang = laenge >= 0 && getrimmt.size() > laenge;
    if (gekuerzt)
        *gekuerzt = zuLang;
    return zuLang ? zcommon::Trim(getrimmt.left(laenge)) : getrimmt;
}

QString Kastenwert_Zeile(const QString& bezeichnung, int laenge, const QString& wert)
{
    return bezeichnung + QStringLiteral(" (höchstens %1 Zeichen): »").arg(laenge) +
           zcommon::Woertlich(zcommon::Trim(wert)) + u'«';
}

QString Kuerzungen_Meldung(const QStringList& zeilen)
{
    if (zeilen.isEmpty())
        return QString();
    if (zeilen.size() == 1)
        return QStringLiteral("Ein Wert passt nicht in sein Feld und wurde gekürzt:~~") + zeilen.first() +
               QStringLiteral("~~Bitte prüfen Sie das Feld, bevor Sie drucken.");
    return QStringLiteral("Diese Werte passen nicht in ihre Felder und wurden gekürzt:~~") +
           zeilen.join(QLatin1Char('~')) + QStringLiteral("~~Bitte prüfen Sie die Felder, bevor Sie drucken.");
}

} // namespace zzahlung
