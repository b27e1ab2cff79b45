// The similar-address and duplicate search over 32000 generated addresses in
// their worst case: no address stands twice, so every address is examined
// and the walk runs its full number of entries + 1 steps. The counter
// "EscLuecke_ms" is the longest time between two moments at which the walk
// let pending events run (where an Esc is seen).
#include "commands/pruefen.h"
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "adressgenerator.h"
#include "common/ini.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "tests/support/fensterattrappe.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zadressbuch;

namespace {

// Records the gaps between two rounds of pending events.
class UhrPlattform : public zplatform::Plattform
{
public:
    QElapsedTimer uhr;
    qint64 letzte = 0;
    qint64 groessteLuecke = 0;
    void beginnen()
    {
        uhr.start();
        letzte = 0;
    }
    void ereignisseVerarbeiten() override
    {
        const qint64 jetzt = uhr.nsecsElapsed();
        groessteLuecke = std::max(groessteLuecke, jetzt - letzte);
        letzte = jetzt;
    }
    void ton(const QString&) override {}
};

struct Umgebung
{
    QTemporaryDir dir;
    AdressListe liste;
    UhrPlattform plattform;

    Umgebung()
    {
        qputenv("ZETTLORA_ROOT", dir.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        zcommon::Ini_CacheLeeren();
        zplatform::plattformSetzen(&plattform);

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

void pruefen(benchmark::State& state, bool aehnlich)
{
    Umgebung& u = umgebung();
    FensterAttrappe fenster;
    qint64 luecke = 0;
    for (auto _ : state) {
        u.plattform.groessteLuecke = 0;
        u.plattform.beginnen();
        const zbefehle::PruefErgebnis e = zbefehle::Doppelte_Suchen(fenster, u.liste, aehnlich);
        // The end of the walk counts as the last moment events could run.
        u.plattform.ereignisseVerarbeiten();
        if (e.letzteAnzahl != 1 || e.schritte != MaxAdressen + 1)
            state.SkipWithError("unexpected hit");
        luecke = std::max(luecke, u.plattform.groessteLuecke);
        fenster.statusTexte.clear();
        fenster.fortschritte.clear();
    }
    state.counters["EscLuecke_ms"] = double(luecke) / 1e6;
}

void BM_AehnlicheAdressen(benchmark::State& state)
{
    pruefen(state, true);
}
BENCHMARK(BM_AehnlicheAdressen)->Unit(benchmark::kMillisecond);

void BM_DoppelteAdressen(benchmark::State& state)
{
    pruefen(state, false);
}
BENCHMARK(BM_DoppelteAdressen)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
