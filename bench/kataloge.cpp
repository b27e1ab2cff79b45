// The place take-over over 32000 generated addresses (every postcode new, so
// every address writes a key), and one look-up as the card does it on leaving
// the postcode field, with the catalogue cached.
#include "adressgenerator.h"

#include "addressbook/adressliste.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "catalogues/katalog.h"
#include "catalogues/uebernahme.h"
#include "common/ini.h"
#include "platform/ordner.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The window as far as a walk over the list needs it.
class StilleFenster : public zadressbuch::Fenster
{
public:
    void Adresse_Anzeigen() override {}
    void Adresse_Uebernehmen(int) override {}
    QString FeldText(int) const override { return QString(); }
    void setFeldText(int, const QString&) override {}
    QString FeldSelText(int) const override { return QString(); }
    void Feld_Fokus(int) override {}
    void Bezeichnungen_Anwenden() override {}
    void Status(const QString&, const QString& = QString()) override {}
    void Fortschritt(int) override {}
    bool Daten_Laden() override { return true; }
    void Daten_Schliessen() override {}
    void ReadOnlySet() override {}
    void Titel_Setzen() override {}
    void Einstellungen_Sichern() override {}
    void Einstellungen_Anwenden() override {}
    QStringList Auswahl_Zeigen(const QStringList&, bool) override { return {}; }
    void Auswahl_eMail(int) override {}
    bool Beenden_Trotz_Fehler() override { return true; }
    void Programm_Beenden() override {}
};

struct Umgebung
{
    QTemporaryDir wurzel;
    Umgebung()
    {
        for (const char* o : {"windows/system", "programm/Kataloge", "temp"})
            QDir(wurzel.path()).mkpath(QString::fromLatin1(o));
        qputenv("ZETTLORA_ROOT", wurzel.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        zcommon::Ini_CacheLeeren();
        zadressbuch::adressliste().setEintraege(zbench::Adressen());
    }
    void katalogeLeeren() const
    {
        QDir k(wurzel.path() + QStringLiteral("/programm/Kataloge"));
        k.removeRecursively();
        QDir(wurzel.path()).mkpath(QStringLiteral("programm/Kataloge"));
        zcommon::Ini_CacheLeeren();
    }
};

Umgebung& umgebung()
{
    static Umgebung u;
    return u;
}

void BM_OrtsnamenUebernahme32000(benchmark::State& state)
{
    Umgebung& u = umgebung();
    StilleFenster f;
    qint64 anzahl = 0;
    for (auto _ : state) {
        state.PauseTiming();
        u.katalogeLeeren();
        state.ResumeTiming();
        anzahl = zkataloge::Katalog_Lernen(zkataloge::Katalogart::Ort, f, zadressbuch::adressliste()).anzahl;
    }
    state.counters["gelernt"] = double(anzahl);
}
BENCHMARK(BM_OrtsnamenUebernahme32000)->Unit(benchmark::kMillisecond);

void BM_OrtsnamenUebernahmeNichtsNeues(benchmark::State& state)
{
    Umgebung& u = umgebung();
    StilleFenster f;
    u.katalogeLeeren();
    zkataloge::Katalog_Lernen(zkataloge::Katalogart::Ort, f, zadressbuch::adressliste());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            zkataloge::Katalog_Lernen(zkataloge::Katalogart::Ort, f, zadressbuch::adressliste()).anzahl);
}
BENCHMARK(BM_OrtsnamenUebernahmeNichtsNeues)->Unit(benchmark::kMillisecond);

void BM_OrtBeimVerlassenDerPlz(benchmark::State& state)
{
    Umgebung& u = umgebung();
    StilleFenster f;
    u.katalogeLeeren();
    zkataloge::Katalog_Lernen(zkataloge::Katalogart::Ort, f, zadressbuch::adressliste());
    int i = 0;
    for (auto _ : state) {
        int modus = 1;
        const QString ort =
            zkataloge::KatalogOrt_Suchen(QString::number(10000 + (i++ * 7919) % 32000), modus, {}, QString());
        benchmark::DoNotOptimize(ort);
    }
}
BENCHMARK(BM_OrtBeimVerlassenDerPlz)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
