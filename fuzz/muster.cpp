// The text-pattern rule agrees with the plain matcher the tests use, both
// compiled (Muster) and one-off (Like); a malformed pattern matches nothing.
#include "fuzzhilfe.h"

#include "common/muster.h"
#include "support/musterreferenz.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    FuzzedDataProvider fdp(daten, groesse);
    const QString muster = zfuzz::text1252(fdp.ConsumeRandomLengthString(256));
    // A text of pattern characters and digits, or any text; sometimes long,
    // so the vectorised search runs over more than a few blocks.
    QString text = zfuzz::text1252(fdp.ConsumeRemainingBytesAsString());
    if (!text.isEmpty() && text.at(0) == u'~')
        text = text.repeated(8);

    const zcommon::Muster m(muster);
    const bool erwartet = zreferenz::MusterEinfach(text, muster);
    zfuzz::pruefen(m.passt(text) == erwartet, erwartet ? "Muster passt nicht, soll aber" : "Muster passt, soll nicht",
                   muster, text);
    zfuzz::pruefen(zcommon::Like(text, muster) == erwartet, "Like wie Muster", muster, text);
    if (!m.gueltig())
        zfuzz::pruefen(!erwartet, "ungültiges Muster passt", muster, text);
    return 0;
}
