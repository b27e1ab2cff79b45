// Word splitting agrees with a plain reference: words are the non-empty runs
// between separators (the standard set when none is given); from the 100th
// word on each further word takes place 99; the places after the last word
// are empty.
#include "fuzzhilfe.h"

#include "common/woerter.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zfuzz::pruefen;
    FuzzedDataProvider fdp(daten, groesse);
    const QString trenner = zfuzz::text1252(fdp.ConsumeRandomLengthString(4));
    const QString text = zfuzz::text1252(fdp.ConsumeRemainingBytesAsString());

    const QString wirksam = trenner.isEmpty() ? QStringLiteral("\r\n\t /,;|") : trenner;
    std::vector<QString> woerter;
    QString wort;
    for (const QChar c : text) {
        if (wirksam.contains(c)) {
            if (!wort.isEmpty())
                woerter.push_back(wort);
            wort.clear();
        } else {
            wort += c;
        }
    }
    if (!wort.isEmpty())
        woerter.push_back(wort);

    zcommon::Woerter_Zerlegen(text, trenner);
    const int anzahl = int(qMin<size_t>(woerter.size(), 99));
    pruefen(zcommon::WortAnzahl == anzahl, "Anzahl der Wörter", text, trenner);
    for (int k = 1; k < 100; ++k) {
        QString soll;
        if (k < anzahl || (k == anzahl && woerter.size() <= 99))
            soll = woerter[size_t(k - 1)];
        else if (k == anzahl)
            soll = woerter.back();
        pruefen(zcommon::Wort[size_t(k)] == soll, "Wort an seinem Platz", soll, zcommon::Wort[size_t(k)]);
    }
    return 0;
}
