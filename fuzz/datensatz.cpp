// Records: joining 24 fields and splitting the record again gives the fields
// back as a plain reference normalises them (line breaks as "°°", TABs as
// blanks, an empty first field as one blank); a record read from a file
// splits and joins back to itself; the single-field readers agree with the
// full split.
#include "fuzzhilfe.h"

#include "addressbook/datensatz.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace zadressbuch;

namespace {

const QChar Grad(0x00B0);

bool istZeilenende(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029);
}

// A field as it stands in a joined record.
QString gespeichert(const QString& feld, int nr)
{
    if (nr == 0 && feld.isEmpty())
        return QStringLiteral(" ");
    QString s;
    for (qsizetype k = 0; k < feld.size(); ++k) {
        const QChar c = feld.at(k);
        if (c == u'\t') {
            s += u' ';
        } else if (istZeilenende(c)) {
            if (c == u'\r' && k + 1 < feld.size() && feld.at(k + 1) == u'\n')
                ++k;
            s += Grad;
            s += Grad;
        } else {
            s += c;
        }
    }
    return s;
}

QString entschluesselt(QString roh)
{
    return roh.replace(QString(2, Grad), QStringLiteral("\r\n"));
}

void einzelnPruefen(const QString& satz, const Felder& felder)
{
    for (int k = 0; k < FeldAnzahl; ++k) {
        zfuzz::pruefen(FeldAus(satz, k) == felder[size_t(k)], "FeldAus wie Zerlegen", satz, felder[size_t(k)]);
        zfuzz::pruefen(entschluesselt(FeldRoh(satz, k).toString()) == felder[size_t(k)], "FeldRoh wie Zerlegen", satz,
                       felder[size_t(k)]);
    }
    zfuzz::pruefen(FeldAus(satz, -1).isEmpty() && FeldAus(satz, FeldAnzahl).isEmpty(), "Feld außerhalb leer", satz);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zfuzz::pruefen;
    FuzzedDataProvider fdp(daten, groesse);

    // Fields -> record -> fields.
    Felder felder;
    for (int k = 0; k < FeldAnzahl && fdp.remaining_bytes() > 0; ++k) {
        const std::string roh = fdp.ConsumeRandomLengthString(64);
        felder[size_t(k)] = fdp.ConsumeBool() ? zfuzz::textUtf16(roh) : zfuzz::text1252(roh);
    }
    const QString satz = Verbinden(felder);
    pruefen(satz.count(u'\t') == FeldAnzahl && satz.endsWith(u'\t'), "24 Trenner, der letzte am Ende", satz);
    pruefen(!satz.contains(u'\r') && !satz.contains(u'\n'), "kein Zeilenende im Datensatz", satz);
    const Felder zurueck = Zerlegen(satz);
    for (int k = 0; k < FeldAnzahl; ++k) {
        const QString roh = gespeichert(felder[size_t(k)], k);
        pruefen(FeldRoh(satz, k) == roh, "gespeicherte Form des Feldes", roh, FeldRoh(satz, k).toString());
        pruefen(zurueck[size_t(k)] == entschluesselt(roh), "Feld zurück", felder[size_t(k)], zurueck[size_t(k)]);
        if (k > 0)
            pruefen(LaengeImDatensatz(felder[size_t(k)]) == roh.size(), "Länge im Datensatz", felder[size_t(k)]);
    }
    pruefen(Verbinden(zurueck) == satz, "erneut verbunden gleich", satz, Verbinden(zurueck));
    einzelnPruefen(satz, zurueck);

    // A line of a file: split and joined again it is the same record, when it
    // is one (24 fields, each ended by the separator, the first not empty).
    const QString zeile = zfuzz::text1252(fdp.ConsumeRemainingBytesAsString());
    const Felder teile = Zerlegen(zeile);
    einzelnPruefen(zeile, teile);
    if (zeile.count(u'\t') == FeldAnzahl && zeile.endsWith(u'\t') && !zeile.startsWith(u'\t') &&
        !zeile.contains(u'\r') && !zeile.contains(u'\n'))
        pruefen(Verbinden(teile) == zeile, "Zeile verbunden gleich", zeile, Verbinden(teile));
    return 0;
}
