// The text-pattern rule over 32000 generated address lines, as the text search
// runs it per keystroke (lines lower-cased, 24 TAB-separated fields).
#include "common/muster.h"
#include "common/texte.h"

#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

const QStringList& adresszeilen()
{
    static const QStringList zeilen = [] {
        static const char* const nachnamen[] = {"Meier", "Maier", "Müller", "Schmidt", "Schneider", "Fischer",
                                                "Weber", "Mayer", "Wagner", "Becker",  "Schulz",    "Hoffmann"};
        static const char* const vornamen[] = {"Hans", "Anna", "Peter", "Maria", "Klaus", "Ute", "Jürgen", "Eva"};
        static const char* const orte[] = {"Berlin", "Hamburg", "München", "Köln", "Frankfurt am Main", "Stuttgart"};
        QStringList liste;
        liste.reserve(32000);
        quint32 z = 12345;
        auto zufall = [&z](quint32 n) {
            z = z * 1103515245u + 12345u;
            return (z >> 16) % n;
        };
        for (int i = 0; i < 32000; ++i) {
            QStringList felder;
            felder << QStringLiteral("Rubrik %1").arg(zufall(20));
            felder << QString::fromUtf8(nachnamen[zufall(12)]) +
                          (zufall(3) == 0 ? QStringLiteral("-Lüdenscheidt") : QString());
            felder << QString::fromUtf8(vornamen[zufall(8)]);
            felder << QStringLiteral("Hauptstraße %1").arg(zufall(200) + 1);
            felder << QStringLiteral("%1").arg(10000 + zufall(89999), 5, 10, QLatin1Char('0'));
            felder << QString::fromUtf8(orte[zufall(6)]);
            felder << QStringLiteral("Deutschland");
            felder << QStringLiteral("0%1/%2").arg(30 + zufall(900)).arg(100000 + zufall(899999));
            felder << QStringLiteral("0%1/%2").arg(30 + zufall(900)).arg(100000 + zufall(899999));
            felder << QString() << QStringLiteral("Zusatz") << QString();
            felder << QStringLiteral("0171/%1").arg(1000000 + zufall(8999999)) << QString();
            felder << QStringLiteral("adresse%1@beispiel.example").arg(i);
            felder << QStringLiteral("01.02.1999") << QStringLiteral("02.07.2000");
            felder << QString::number(1000000 + zufall(8999999)) << QString::number(10000000 + zufall(89999999));
            felder << QStringLiteral("Sparkasse") << QStringLiteral("12.03.1960") << QStringLiteral("Herr");
            felder << QStringLiteral("www.beispiel.example") << QString::number(i + 1);
            liste << zcommon::LCase(felder.join(QLatin1Char('\t')) + QLatin1Char('\t'));
        }
        return liste;
    }();
    return zeilen;
}

void suchen(benchmark::State& state, const QString& muster)
{
    const QStringList& zeilen = adresszeilen();
    for (auto _ : state) {
        const zcommon::Muster m(muster);
        int treffer = 0;
        for (const QString& z : zeilen)
            treffer += m.passt(z);
        benchmark::DoNotOptimize(treffer);
    }
    state.SetItemsProcessed(state.iterations() * zeilen.size());
}

void BM_Meier(benchmark::State& state)
{
    suchen(state, QStringLiteral("*meier*"));
}
void BM_Bereich(benchmark::State& state)
{
    suchen(state, QStringLiteral("*m[a-e]ier*#*"));
}
void BM_Fehlt(benchmark::State& state)
{
    suchen(state, QStringLiteral("*xyzzy*"));
}
void BM_VieleSterne(benchmark::State& state)
{
    suchen(state, QStringLiteral("*h?ns*berlin*0###/*"));
}

} // namespace

BENCHMARK(BM_Meier)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bereich)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fehlt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VieleSterne)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
