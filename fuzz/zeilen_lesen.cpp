// The line-by-line reader agrees with a plain reference split at CR LF, LF
// and lone CR, also where a line end falls on the reader's block boundary
// (the first input byte chooses a padding just around 256 KiB, or none).
#include "platform/textdatei.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    static QTemporaryDir dir;
    if (groesse == 0)
        return 0;
    QByteArray bytes(reinterpret_cast<const char*>(daten) + 1, qsizetype(groesse) - 1);
    if (daten[0] & 0x80)
        bytes.prepend(QByteArray((1 << 18) - 4 + (daten[0] & 0x07), 'a'));

    QList<QByteArray> referenz;
    QByteArray aktuell;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            referenz << aktuell;
            aktuell.clear();
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            aktuell += bytes[i];
        }
    }
    if (!aktuell.isEmpty())
        referenz << aktuell;

    const QString pfad = dir.path() + QStringLiteral("/z.txt");
    {
        QFile f(pfad);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }
    QList<QByteArray> gelesen;
    if (!zplatform::zeilenweiseLesen(pfad, [&](const char* z, qsizetype n) {
            gelesen << QByteArray(z, n);
            return true;
        }))
        std::abort();
    if (gelesen != referenz)
        std::abort();
    return 0;
}
