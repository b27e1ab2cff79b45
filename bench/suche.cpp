// The text search over 32000 generated addresses in its worst case: nothing
// is found, so every address is examined once. A plain word, and three
// words in the reduced comparison.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/suche.h"
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

        const QStringList namen{QStringLiteral("Müller"),  QStringLiteral("Schmidt"), QStringLiteral("Schneider"),
                                QStringLiteral("Fischer"), QStringLiteral("Weiß"),    QStringLiteral("Jäger"),
                                QStringLiteral("Becker"),  QStringLiteral("Hoffmann")};
        const QStringList vornamen{QStringLiteral("Jörg"), QStringLiteral("Anna"), QStringLiteral("Hans-Peter"),
                                   QStringLiteral("Özlem"), QStringLiteral("Karl")};
        const QStringList orte{QStringLiteral("Köln"), QStringLiteral("München"), QStringLiteral("Berlin"),
                               QStringLiteral("Düsseldorf"), QStringLiteral("Frankfurt am Main")};
        QStringList eintraege;
        eintraege.reserve(MaxAdressen);
        for (int i = 0; i < MaxAdressen; ++i) {
            Felder f;
            f[Rubrik] = i % 3 ? QStringLiteral("Kunde") : QString();
            f[Nachname] = namen.at(i % namen.size()) + QStringLiteral("-Lüdenscheidt %1").arg(i);
            f[Vorname] = vornamen.at(i % vornamen.size());
            f[Strasse] = QStringLiteral("Hauptstraße %1").arg(i % 200);
            f[Plz] = QString::number(10000 + i % 89999);
            f[Ort] = orte.at(i % orte.size());
            f[Land] = QStringLiteral("D");
            f[Telefon] = QStringLiteral("0221 / %1-%2").arg(100 + i % 900).arg(1000 + i);
            f[Telefax] = QStringLiteral("0221 / %1-99").arg(100 + i % 900);
            f[Bemerkung] = QStringLiteral("Bemerkung mit\r\nzwei Zeilen und 5 € Rabatt");
            f[EMail] = QStringLiteral("kontakt%1@example.de").arg(i);
            f[ErstelltAm] = QStringLiteral("01.02.1999");
            f[GeaendertAm] = QStringLiteral("02.03.2000");
            f[Geburtstag] = QStringLiteral("15.03.1960");
            f[Anrede] = QStringLiteral("Sehr geehrte Damen und Herren,");
            f[Www] = QStringLiteral("www.example.de");
            f[Index] = QString::number(i + 1);
            eintraege << Verbinden(f);
        }
        liste.setEintraege(eintraege);
        liste.setListIndex(MaxAdressen / 2);
    }
};

Umgebung& umgebung()
{
    static Umgebung u;
    return u;
}

void BM_TextSuche_EinWort(benchmark::State& state)
{
    Umgebung& u = umgebung();
    for (auto _ : state) {
        SuchErgebnis e = TextSuche(u.liste, QStringLiteral("Zwetschge"), false);
        if (e.ausgang != SuchErgebnis::NichtGefunden)
            state.SkipWithError("unexpected hit");
        benchmark::DoNotOptimize(e);
    }
}
BENCHMARK(BM_TextSuche_EinWort)->Unit(benchmark::kMillisecond);

void BM_TextSuche_DreiWoerterReduziert(benchmark::State& state)
{
    Umgebung& u = umgebung();
    for (auto _ : state) {
        // Each word occurs in many addresses, but never all three in one.
        SuchErgebnis e = TextSuche(u.liste, QStringLiteral("müller 0221 berlinx"), true);
        if (e.ausgang != SuchErgebnis::NichtGefunden)
            state.SkipWithError("unexpected hit");
        benchmark::DoNotOptimize(e);
    }
}
BENCHMARK(BM_TextSuche_DreiWoerterReduziert)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
