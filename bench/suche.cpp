// The text search over 32000 generated addresses in its worst case: nothing
// is found, so every address is examined once. A plain word, and three
// words in the reduced comparison.
#include "addressbook/suche.h"
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "adressgenerator.h"
#include "common/ini.h"
#include "platform/ordner.h"

#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zadressbuch;

namespace {

struct Umgebung
{
    QTemporaryDir dir;
    AdressListe liste;

    Umgebung()
    {
        qputenv("ZETTLORA_ROOT", dir.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        zcommon::Ini_CacheLeeren();

        zbench::Adressvorgaben vorgaben;
        vorgaben.alleFelder = true;
        liste.setEintraege(zbench::Adressen(vorgaben));
        liste.setListIndex(MaxAdressen / 2);
    }
};

Umgebung& umgebung()
{
    static Umgebung u;
    return u;
}

// Every address is examined: the text is in none of them.
void suchen(benchmark::State& state, const QString& text, bool reduziert)
{
    Umgebung& u = umgebung();
    for (auto _ : state) {
        SuchErgebnis e = TextSuche(u.liste, text, reduziert);
        if (e.ausgang != SuchErgebnis::NichtGefunden)
            state.SkipWithError("unexpected hit");
        benchmark::DoNotOptimize(e);
    }
}

void BM_TextSuche_EinWort(benchmark::State& state)
{
    suchen(state, QStringLiteral("Zwetschge"), false);
}
BENCHMARK(BM_TextSuche_EinWort)->Unit(benchmark::kMillisecond);

// Each word occurs in many addresses, but never all three in one.
void BM_TextSuche_DreiWoerterReduziert(benchmark::State& state)
{
    suchen(state, QStringLiteral("müller 0221 berlinx"), true);
}
BENCHMARK(BM_TextSuche_DreiWoerterReduziert)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
