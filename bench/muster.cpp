// The text-pattern rule over 32000 generated address lines as the text search
// runs it: each line is turned into its compare form (lower case) and then
// matched, as the search does for every address it passes.
#include "common/muster.h"
#include "addressbook/suche.h"
#include "adressgenerator.h"

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
        return zbench::Adressen(vorgaben);
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
            treffer += m.passt(zadressbuch::SuchVergleichstext(z, false));
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
