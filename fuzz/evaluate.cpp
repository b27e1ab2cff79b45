// The formula evaluator never crashes and either gives a finite value with
// the text untouched or the failure value 0 with "%" appended; it is
// deterministic; a plain number, and every result written back as the
// evaluator writes numbers, evaluates to its own value.
#include "fuzzhilfe.h"

#include "masks/evaluate.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

double auswerten(const QString& eingabe, QString* danach)
{
    QString t = eingabe;
    const double wert = zmasken::Evaluate(t);
    zfuzz::pruefen(t == eingabe || t == eingabe + u'%', "Text unverändert oder mit %", eingabe, t);
    if (t != eingabe)
        zfuzz::pruefen(wert == 0.0 && !std::signbit(wert), "Fehlschlag gibt 0", eingabe, zmasken::ZahlText15(wert));
    else
        zfuzz::pruefen(std::isfinite(wert), "Ergebnis endlich", eingabe);
    if (danach)
        *danach = t;
    return wert;
}

bool nurZiffern(const QString& t)
{
    if (t.isEmpty() || t.size() > 15)
        return false;
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zfuzz::pruefen;
    const QString eingabe = zfuzz::text1252(daten, groesse);
    QString t1, t2;
    const double w1 = auswerten(eingabe, &t1);
    const double w2 = auswerten(eingabe, &t2);
    pruefen(t1 == t2 && std::memcmp(&w1, &w2, sizeof w1) == 0, "zweimal gleich", eingabe, t2);

    if (nurZiffern(eingabe))
        pruefen(w1 == std::strtod(eingabe.toLatin1().constData(), nullptr), "Zahl ist ihr Wert", eingabe);

    // The result as text reads back as that text's value.
    const QString zahl = zmasken::ZahlText15(w1);
    QString danach;
    const double w3 = auswerten(zahl, &danach);
    pruefen(danach == zahl && w3 == std::strtod(zahl.toLatin1().constData(), nullptr), "Zahltext liest sich zurück",
            eingabe, zahl);
    return 0;
}
