// The placeholder expander ends for every text, leaves a text without "{"
// unchanged, and changes nothing but doubled braces in a text where no
// placeholder can begin (no "{" before a letter or "$").
#include "fuzzhilfe.h"

#include "masks/vario.h"

namespace {

bool keinPlatzhalter(const QString& t)
{
    for (qsizetype i = t.indexOf(u'{'); i >= 0; i = t.indexOf(u'{', i + 1)) {
        if (i + 1 < t.size() && (t.at(i + 1).isLetter() || t.at(i + 1) == u'$' || t.at(i + 1).isSurrogate()))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    zfuzz::wurzel();
    const QString eingabe = zfuzz::text1252(daten, groesse);
    const QString ergebnis = zmasken::Vario_Ersetzen(eingabe);
    if (!eingabe.contains(u'{')) {
        zfuzz::pruefen(ergebnis == eingabe, "Text ohne { unverändert", eingabe, ergebnis);
        return 0;
    }
    QString einfach = eingabe;
    while (einfach.contains(QLatin1String("{{")))
        einfach.replace(QLatin1String("{{"), QLatin1String("{"));
    while (einfach.contains(QLatin1String("}}")))
        einfach.replace(QLatin1String("}}"), QLatin1String("}"));
    if (keinPlatzhalter(einfach))
        zfuzz::pruefen(ergebnis == einfach, "ohne Platzhalter nur Klammern zusammengefasst", eingabe, ergebnis);
    return 0;
}
