// The line-by-line reader agrees with a plain reference split at CR LF, LF
// and lone CR, also where a line end falls on the reader's block boundary
// (the first input byte chooses a padding just around 256 KiB, or none). A
// file with a byte-order mark is split as its text in UTF-8, without the mark.
#include "platform/codec.h"
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
    const qsizetype marke = zplatform::markenLaenge(bytes.constData(), bytes.size());
    const QByteArray text =
        marke == 3 ? bytes.mid(3) : marke == 2 ? zplatform::ausDateiBytes(bytes).toUtf8() : bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            referenz << aktuell;
            aktuell.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            aktuell += text[i];
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
    bool utf8 = false;
    if (!zplatform::zeilenweiseLesen(
            pfad,
            [&](const char* z, qsizetype n) {
                gelesen << QByteArray(z, n);
                return true;
            },
            &utf8))
        std::abort();
    if (gelesen != referenz || utf8 != (marke > 0))
        std::abort();
    return 0;
}
