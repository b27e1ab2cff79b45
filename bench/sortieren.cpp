// Sorting 32000 generated addresses by a text field (surname) and by a date
// field (birthday), as the sort command does it: keys, order, the swap into
// the list and the selection.
#include "commands/sortieren.h"
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"

#include <QStringList>
#include <benchmark/benchmark.h>

#include <random>

namespace {

QStringList adressen()
{
    static const QStringList nachnamen{
        QStringLiteral("Müller"),   QStringLiteral("Schmidt"),    QStringLiteral("Schneider"),
        QStringLiteral("Fischer"),  QStringLiteral("Weber"),      QStringLiteral("Meyer"),
        QStringLiteral("Wagner"),   QStringLiteral("Becker"),     QStringLiteral("Schulz"),
        QStringLiteral("Hoffmann"), QStringLiteral("Schäfer"),    QStringLiteral("Koch"),
        QStringLiteral("Bauer"),    QStringLiteral("Richter"),    QStringLiteral("Klein"),
        QStringLiteral("Wolf"),     QStringLiteral("Schröder"),   QStringLiteral("Neumann"),
        QStringLiteral("Schwarz"),  QStringLiteral("Zimmermann"), QStringLiteral("Braun"),
        QStringLiteral("Krüger"),   QStringLiteral("Hofmann"),    QStringLiteral("Hartmann"),
        QStringLiteral("Lange"),    QStringLiteral("Schmitt"),    QStringLiteral("Werner"),
        QStringLiteral("Schmitz"),  QStringLiteral("Krause"),     QStringLiteral("Meier"),
        QStringLiteral("Lehmann"),  QStringLiteral("Özdemir")};
    static const QStringList vornamen{QStringLiteral("Anna"),   QStringLiteral("Björn"), QStringLiteral("Claudia"),
                                      QStringLiteral("Dieter"), QStringLiteral("Eva"),   QStringLiteral("Frank"),
                                      QStringLiteral("Gülay"),  QStringLiteral("Hans"),  QStringLiteral("Inge"),
                                      QStringLiteral("Jürgen"), QStringLiteral("Karin"), QStringLiteral("Lutz")};
    static const QStringList orte{QStringLiteral("Berlin"),     QStringLiteral("München"), QStringLiteral("Köln"),
                                  QStringLiteral("Düsseldorf"), QStringLiteral("Görlitz"), QStringLiteral("Essen")};
    std::mt19937 zufall(4711);
    QStringList liste;
    liste.reserve(zadressbuch::MaxAdressen);
    for (int i = 0; i < zadressbuch::MaxAdressen; ++i) {
        zadressbuch::Felder f;
        f[0] = (zufall() % 4 == 0) ? QStringLiteral("Kunde") : QStringLiteral(" ");
        f[1] = nachnamen.at(int(zufall() % nachnamen.size())) +
               (zufall() % 3 == 0 ? QStringLiteral("-Lüdenscheidt") : QString());
        f[2] = vornamen.at(int(zufall() % vornamen.size()));
        f[3] = QStringLiteral("Hauptstraße %1").arg(zufall() % 200 + 1);
        f[4] = QStringLiteral("%1").arg(zufall() % 90000 + 10000);
        f[5] = orte.at(int(zufall() % orte.size()));
        f[7] = QStringLiteral("0%1 / %2").arg(zufall() % 9000 + 30).arg(zufall() % 900000 + 100000);
        f[11] = QStringLiteral("Bemerkung zur Adresse %1\r\nzweite Zeile").arg(i);
        f[14] = QStringLiteral("adresse%1@example.de").arg(i);
        f[15] = QStringLiteral("%1.%2.%3")
                    .arg(zufall() % 28 + 1, 2, 10, QLatin1Char('0'))
                    .arg(zufall() % 12 + 1, 2, 10, QLatin1Char('0'))
                    .arg(zufall() % 10 + 1995);
        f[16] = f[15];
        if (zufall() % 10 != 0)
            f[20] = QStringLiteral("%1.%2.%3")
                        .arg(zufall() % 28 + 1, 2, 10, QLatin1Char('0'))
                        .arg(zufall() % 12 + 1, 2, 10, QLatin1Char('0'))
                        .arg(zufall() % 80 + 1920);
        f[23] = QString::number(i + 1);
        liste << zadressbuch::Verbinden(f);
    }
    return liste;
}

void sortieren(benchmark::State& state, int feld)
{
    static const QStringList daten = adressen();
    zadressbuch::AdressListe liste;
    for (auto _ : state) {
        state.PauseTiming();
        liste.setEintraege(daten);
        liste.setListIndex(16000);
        state.ResumeTiming();
        zbefehle::Sortieren(liste, feld);
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
