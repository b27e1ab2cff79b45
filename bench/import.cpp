// What the user waits for in the exchange and bulk tools, on 32000 generated
// addresses: reading and importing a ";"-separated list, and the bulk delete's
// scan over the whole list (one pattern matching nothing, one matching every
// seventh address).
#include "exchange/import.h"
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "adressgenerator.h"
#include "commands/massenwerkzeuge.h"
#include "common/ini.h"
#include "platform/ordner.h"
#include "support/fensterattrappe.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Settings (index counter, the bulk delete's text) go into a folder of our own.
struct Wurzel
{
    QTemporaryDir dir;
    Wurzel()
    {
        qputenv("ZETTLORA_ROOT", dir.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
    }
};

const QStringList& adressen()
{
    static const QStringList a = zbench::Adressen();
    return a;
}

// The generated addresses as a ";"-separated file text with a caption line.
QString csvText()
{
    QList<QStringList> zeilen{{QStringLiteral("Nachname"), QStringLiteral("Vorname"), QStringLiteral("Straße"),
                               QStringLiteral("PLZ"), QStringLiteral("Ort"), QStringLiteral("Telefon"),
                               QStringLiteral("Zusatzbemerkung")}};
    for (const QString& a : adressen()) {
        const zadressbuch::Felder f = zadressbuch::Zerlegen(a);
        zeilen << QStringList{f[1], f[2], f[3], f[4], f[5], f[7], f[11]};
    }
    return zaustausch::Trenntext_Verbinden(zeilen, QLatin1Char(';'));
}

void BM_ImportLesenUndUebernehmen(benchmark::State& state)
{
    static Wurzel wurzel;
    const QString text = csvText();
    zadressbuch::AdressListe liste;
    for (auto _ : state) {
        state.PauseTiming();
        liste.Clear();
        state.ResumeTiming();
        const QList<QStringList> zeilen = zaustausch::Trenntext_Zerlegen(text, QLatin1Char(';'));
        const QList<int> zuordnung = zaustausch::Zuordnung_Vorschlagen(zeilen.constFirst());
        const zaustausch::ImportErgebnis e = zaustausch::Adressen_Importieren(liste, zeilen, zuordnung, true);
        benchmark::DoNotOptimize(e.importiert);
    }
    state.SetItemsProcessed(state.iterations() * adressen().size());
}
BENCHMARK(BM_ImportLesenUndUebernehmen)->Unit(benchmark::kMillisecond);

void loeschen(benchmark::State& state, const QString& text)
{
    static Wurzel wurzel;
    zadressbuch::AdressListe liste;
    FensterAttrappe fenster;
    for (auto _ : state) {
        state.PauseTiming();
        liste.setEintraege(adressen());
        // The input box of the headless platform answers with its proposal.
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("VQuickDel"), text);
        state.ResumeTiming();
        benchmark::DoNotOptimize(zbefehle::Adressen_Loeschen_Mit(liste, fenster));
    }
    state.SetItemsProcessed(state.iterations() * adressen().size());
}

void BM_MassenLoeschenOhneTreffer(benchmark::State& state)
{
    loeschen(state, QStringLiteral("nirgends-zu-finden"));
}
BENCHMARK(BM_MassenLoeschenOhneTreffer)->Unit(benchmark::kMillisecond);

void BM_MassenLoeschenJedeSiebte(benchmark::State& state)
{
    // One generated address in seven lives in Köln.
    loeschen(state, QStringLiteral("k?ln"));
}
BENCHMARK(BM_MassenLoeschenJedeSiebte)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
