// Dates and times: durations, day and month names, date stamps, reading dates.
#include "common/texte.h"
#include "common/texte_intern.h"

#include "platform/plattform.h"

#include <QTime>

#include <cmath>

namespace zcommon {

using namespace intern;

QString Dauer_Text(double sekunden)
{
    const double s = RundenGerade(std::fabs(sekunden));
    if (s <= 60)
        return Format(s, QStringLiteral("0")) + (s == 1 ? QStringLiteral(" Sekunde") : QStringLiteral(" Sekunden"));
    if (s < 3600)
        return Format(s / 60.0, QStringLiteral("#.0")) + QStringLiteral(" Minuten");
    if (s < 129600)
        return Format(s / 3600.0, QStringLiteral("#.0")) + QStringLiteral(" Stunden");
    if (s < 31557600)
        return Format(s / 86400.0, QStringLiteral("#.0")) + QStringLiteral(" Tage");
    return Format(s / 31557600.0, QStringLiteral("#.0")) + QStringLiteral(" Jahre");
}

QString Datum_Name(int nummer, const QString& art)
{
    static const char* const wochentage[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                             "Donnerstag", "Freitag", "Samstag"};
    if (UCase(Trim(art)) == QLatin1String("WT") && nummer >= 1 && nummer <= 7)
        return QString::fromLatin1(wochentage[nummer - 1]);
    return QString();
}

QString Datumsstempel(int modus)
{
    const QDate heute = Heute();
    switch (modus) {
    case 0: // month and year: "07.2000"
        return heute.toString(QStringLiteral("MM.yyyy"));
    case 2: // sortable: "20000702"
        return heute.toString(QStringLiteral("yyyyMMdd"));
    default:
        return DatumText(heute);
    }
}

QDate DatumAusText(const QString& text)
{
    const QString t = Trim(text);
    const qsizetype n = t.size();
    qsizetype i = 0;
    auto zahl = [&](int minStellen, int maxStellen, int* stellen) -> int {
        int wert = 0;
        int k = 0;
        while (i < n && istZiffer(t.at(i).unicode()) && k < maxStellen + 1) {
            wert = wert * 10 + (t.at(i).unicode() - u'0');
            ++i;
            ++k;
        }
        if (stellen)
            *stellen = k;
        return (k < minStellen || k > maxStellen) ? -1 : wert;
    };
    const int tag = zahl(1, 2, nullptr);
    if (tag < 0 || i >= n || t.at(i) != u'.')
        return QDate();
    ++i;
    const int monat = zahl(1, 2, nullptr);
    if (monat < 0 || i >= n || t.at(i) != u'.')
        return QDate();
    ++i;
    int stellen = 0;
    int jahr = zahl(1, 4, &stellen);
    if (jahr < 0 || stellen == 3)
        return QDate();
    if (stellen <= 2)
        jahr += jahr < 30 ? 2000 : 1900;
    // A time behind the date ("02.07.2000 10:30") is allowed and ignored.
    if (i < n) {
        if (t.at(i) != Blank)
            return QDate();
        const QTime zeit = QTime::fromString(Trim(t.mid(i)), QStringLiteral("H:mm:ss"));
        const QTime zeitKurz = QTime::fromString(Trim(t.mid(i)), QStringLiteral("H:mm"));
        if (!zeit.isValid() && !zeitKurz.isValid())
            return QDate();
    }
    const QDate d(jahr, monat, tag);
    return d.isValid() ? d : QDate();
}

bool IstDatum(const QString& text)
{
    return DatumAusText(text).isValid();
}

QString DatumText(const QDate& d)
{
    if (!d.isValid())
        return QString();
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

QString ZeitText(const QTime& t)
{
    if (!t.isValid())
        return QString();
    return t.toString(QStringLiteral("HH:mm"));
}

QDate Heute()
{
    return zplatform::plattform().jetzt().date();
}

QDateTime Jetzt()
{
    return zplatform::plattform().jetzt();
}

} // namespace zcommon
