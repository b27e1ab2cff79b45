// The mark of a help document: the number read agrees with a regular
// expression over the first mark; a document with a mark put at its head
// reads as that mark's number, whatever follows.
#include "fuzzhilfe.h"

#include "platform/hilfedokumente.h"

#include <QRegularExpression>

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zfuzz::pruefen;
    FuzzedDataProvider fdp(daten, groesse);
    const int nummer = fdp.ConsumeIntegralInRange(1, 999999999);
    const std::string roh = fdp.ConsumeRemainingBytesAsString();
    const QByteArray dokument(roh.data(), qsizetype(roh.size()));
    const QString sicht = QString::fromLatin1(dokument);

    static const QByteArray anfang = "<meta name=\"generator\" content=\"Zettlora-Hilfe ";
    static const QRegularExpression zahl(QStringLiteral("\\A([0-9]{1,9})\""));
    const qsizetype stelle = dokument.indexOf(anfang);
    int erwartet = 0;
    if (stelle >= 0) {
        const QRegularExpressionMatch m = zahl.match(QString::fromLatin1(dokument.mid(stelle + anfang.size())));
        if (m.hasMatch())
            erwartet = m.captured(1).toInt();
    }
    const int gelesen = zplatform::hilfeStandLesen(dokument);
    pruefen(gelesen == erwartet, "die Marke wie der reguläre Ausdruck", sicht, QString::number(gelesen));
    pruefen(gelesen >= 0, "keine negative Nummer", sicht);

    const QByteArray markiert = anfang + QByteArray::number(nummer) + "\">\n" + dokument;
    pruefen(zplatform::hilfeStandLesen(markiert) == nummer, "die Marke am Kopf gilt", sicht, QString::number(nummer));
    return 0;
}
