// The text-pattern rule over 32000 generated address lines, as the text search
// runs it per keystroke (lines lower-cased, 24 TAB-separated fields).
#include "common/muster.h"
#include "adressgenerator.h"
#include "common/texte.h"

#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

const QStringList& adresszeilen()
{
    static const QStringList zeilen = [] {
        zbench::Adressvorgaben vorgaben;
        vorgaben.zufaellig = true;
        vorgaben.nummerImNamen = false;
        vorgaben.alleFelder = true;
        QStringList liste = zbench::Adressen(vorgaben);
        for (QString& zeile : liste)
            zeile = zcommon::LCase(zeile);
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
