// Telephone numbers: area codes and the split form.
#include "common/texte.h"
#include "common/texte_intern.h"

namespace zcommon {

using namespace intern;

namespace {

// The part of a phone number before its first separator, and the position of that separator.
qsizetype vorwahlTrenner(const QString& telefon)
{
    static const QString trenner = QStringLiteral("/-+._([");
    for (qsizetype i = 0; i < telefon.size(); ++i)
        if (trenner.contains(telefon.at(i)))
            return i;
    return -1;
}

QString vorwahlAus(const QString& telefon, bool ohneMobil, qsizetype* trennerPos)
{
    qsizetype pos = vorwahlTrenner(telefon);
    if (trennerPos)
        *trennerPos = pos;
    const QString teil = pos < 0 ? telefon : telefon.left(pos);
    const QString ziffern = Nur_Zeichen(teil, QStringLiteral("0123456789"));
    if (!ziffern.contains(u'0'))
        return QString();
    if (ohneMobil && ziffern.startsWith(QLatin1String("01")))
        return QString();
    if (ziffern.size() < 3 || ziffern.size() > 5)
        return QString();
    return ziffern;
}

} // namespace

QString Vorwahl_Ermitteln(const QString& telefon)
{
    return vorwahlAus(telefon, true, nullptr);
}

QString Telefon_Zerlegen(const QString& telefon)
{
    qsizetype pos = -1;
    const QString vorwahl = vorwahlAus(telefon, false, &pos);
    if (vorwahl.isEmpty() || pos < 0)
        return Trim(telefon);
    const QString rest = Trim(Nur_Zeichen(telefon.mid(pos + 1), QStringLiteral("0123456789 ")));
    return vorwahl + QStringLiteral(" / ") + rest;
}

} // namespace zcommon
