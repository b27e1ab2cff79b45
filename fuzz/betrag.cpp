// Amounts: whatever the amount field's leaving rule makes of a text is the
// text itself or a plain number no longer than the field; the plain-number
// test agrees with a regular expression; the value of a plain number agrees
// with strtod; the cents split always gives two digits below 100.
#include "payment/betrag.h"
#include "payment/nachnahme.h"

#include "platform/codec.h"

#include <QRegularExpression>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace zzahlung;

namespace {

void fehler(const char* was)
{
    std::fprintf(stderr, "Eigenschaft verletzt: %s\n", was);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    FuzzedDataProvider p(daten, groesse);
    const int max = p.ConsumeIntegralInRange(1, 40);
    const double wert = p.ConsumeFloatingPoint<double>();
    const std::string roh = p.ConsumeRemainingBytesAsString();
    const QString text = zplatform::ausWindows1252(QByteArray(roh.data(), qsizetype(roh.size())));

    static const QRegularExpression zahl(QStringLiteral("\\A *[+-]?([0-9]+[.,]?[0-9]*|[.,][0-9]+) *\\z"));
    const bool istZahl = Betrag_IstZahl(text);
    if (istZahl != zahl.match(text).hasMatch())
        fehler("schlichte Zahl wie der reguläre Ausdruck");
    if (istZahl) {
        QByteArray a = text.trimmed().toLatin1();
        a.replace(',', '.');
        const double r = std::strtod(a.constData(), nullptr);
        if (std::isfinite(r) && Betrag_Wert(text) != r)
            fehler("Wert wie strtod");
    } else if (Betrag_Wert(text) != 0.0) {
        fehler("kein Betrag ist 0");
    }

    const QString ergebnis = Betrag_Auswerten(text, max);
    if (ergebnis != text) {
        if (!Betrag_IstZahl(ergebnis) || ergebnis.contains(u'.') || ergebnis.size() > max)
            fehler("ausgewertet wird nur zu einer schlichten Zahl, die ins Feld passt");
    }
    const QString preis = Preis_Auswerten(text, 8);
    if (preis != text && preis.size() > 8)
        fehler("der Preis passt ins Feld");

    const BetragTeile t = Betrag_Zerlegen(wert);
    if (t.cent.size() != 2 || !t.cent.at(0).isDigit() || !t.cent.at(1).isDigit())
        fehler("Cent sind zwei Ziffern");
    if (std::isfinite(wert) && std::fabs(wert) < 1e12) {
        const double zusammen =
            t.einheiten.toDouble() + (t.einheiten.startsWith(u'-') ? -1 : 1) * t.cent.toDouble() / 100;
        if (std::fabs(zusammen - wert) > 0.005 + 1e-9 * std::fabs(wert))
            fehler("Einheiten und Cent ergeben den Betrag");
    }
    return 0;
}
