// Delimited-text import: the rows read from any text, written back with the
// same separator, read again give the same rows (quoting is lossless), and no
// row is empty.
#include "exchange/import.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    if (groesse < 1)
        return 0;
    static const char trenner[] = {'\t', ';', ','};
    const QChar t = QLatin1Char(trenner[daten[0] % 3]);
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(daten + 1), qsizetype(groesse - 1));
    const QList<QStringList> zeilen = zaustausch::Trenntext_Zerlegen(text, t);
    for (const QStringList& z : zeilen) {
        if (z.isEmpty())
            std::abort();
    }
    if (zaustausch::Trenntext_Zerlegen(zaustausch::Trenntext_Verbinden(zeilen, t), t) != zeilen)
        std::abort();
    return 0;
}
