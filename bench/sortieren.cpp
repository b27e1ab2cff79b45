// Sorting 32000 generated addresses by a text field (surname) and by a date
// field (birthday), as the sort command does it: keys, order, the swap into
// the list and the selection.
#include "commands/sortieren.h"
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "adressgenerator.h"
#include "support/fensterattrappe.h"

#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

void sortieren(benchmark::State& state, int feld)
{
    // In no order, surnames often equal, one birthday in ten missing.
    static const QStringList daten = [] {
        zbench::Adressvorgaben vorgaben;
        vorgaben.zufaellig = true;
        vorgaben.nummerImNamen = false;
        return zbench::Adressen(vorgaben);
    }();
    zadressbuch::AdressListe liste;
    FensterAttrappe fenster;
    for (auto _ : state) {
        state.PauseTiming();
        liste.setEintraege(daten);
        liste.setListIndex(16000);
        state.ResumeTiming();
        zbefehle::Sortieren(liste, feld, fenster);
        benchmark::DoNotOptimize(liste.ListIndex());
    }
    state.SetItemsProcessed(state.iterations() * daten.size());
}

void BM_SortierenNachNachname(benchmark::State& state)
{
    sortieren(state, zadressbuch::Nachname);
}

void BM_SortierenNachGeburtstag(benchmark::State& state)
{
    sortieren(state, zadressbuch::Geburtstag);
}

} // namespace

BENCHMARK(BM_SortierenNachNachname)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortierenNachGeburtstag)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
