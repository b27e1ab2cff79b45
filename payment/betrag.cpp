#include "payment/betrag.h"

#include "common/texte.h"
#include "masks/evaluate.h"

#include <cmath>

namespace zzahlung {

namespace {

bool istZiffer(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool istTrenner(QChar c)
{
    return c == u',' || c == u'.';
}

} // namespace

bool Betrag_IstZahl(const QString& text)
{
    const QString t = zcommon::Trim(text);
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-'))
        ++i;
    int ziffern = 0;
    int trenner = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (istZiffer(c))
            ++ziffern;
        else if (istTrenner(c))
            ++trenner;
        else
            return false;
    }
    return ziffern > 0 && trenner <= 1;
}

double Betrag_Wert(const QString& text)
{
    if (!Betrag_IstZahl(text))
        return 0.0;
    QString t = zcommon::Trim(text);
    t.replace(u',', u'.');
    bool ok = false;
    const double wert = t.toDouble(&ok);
    return ok && std::isfinite(wert) ? wert : 0.0;
}

bool Betrag_MehrereTrenner(const QString& text)
{
    int trenner = 0;
    for (const QChar c : text) {
        if (istTrenner(c)) {
            if (++trenner > 1)
                return true;
        } else if (!istZiffer(c)) {
            trenner = 0;
        }
    }
    return false;
}

QString Betrag_Text(double wert)
{
    return zcommon::Format(wert, QStringLiteral("0.00"));
}

QString Betrag_Auswerten(const QString& text, int maxLaenge)
{
    if (!(zcommon::Val(text) > 0.0) || Betrag_MehrereTrenner(text))
        return text;
    QString kopie = text;
    const double wert = zmasken::Evaluate(kopie);
    QString ergebnis = Betrag_Text(wert);
    if (maxLaenge <= 0 || ergebnis.size() <= maxLaenge)
        return ergebnis;
    const qsizetype komma = ergebnis.indexOf(u',');
    if (komma < 0 || komma > maxLaenge)
        return text;
    // Only decimals are given up; a comma without decimals goes too.
    ergebnis.truncate(maxLaenge);
    if (ergebnis.endsWith(u','))
        ergebnis.chop(1);
    return ergebnis;
}

BetragTeile Betrag_Zerlegen(double wert)
{
    BetragTeile t;
    if (!std::isfinite(wert)) {
        t.einheiten = QStringLiteral("0");
        t.cent = QStringLiteral("00");
        return t;
    }
    if (std::fabs(wert) >= 1e13) {
        // Beyond whole cents in a 64-bit count: the units alone carry the value.
        t.einheiten = zcommon::Format(std::trunc(wert), QStringLiteral("0"));
        t.cent = QStringLiteral("00");
        return t;
    }
    // Binary fractions first settled at a millionth of a cent, so 0,995 is
    // half a cent above 0,99 as typed, then rounded to whole cents.
    const long long cent = std::llround(std::round(wert * 100.0 * 1e6) / 1e6);
    const long long betrag = cent < 0 ? -cent : cent;
    t.einheiten = (cent < 0 ? QStringLiteral("-") : QString()) + QString::number(betrag / 100);
    t.cent = QStringLiteral("%1").arg(betrag % 100, 2, 10, QLatin1Char('0'));
    return t;
}

} // namespace zzahlung
