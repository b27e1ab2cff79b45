// What the user waits for in the main window (offscreen) when many addresses
// come or go at once, at 10000 and 30000 rows: the import of a ";"-separated
// list from the menu (the import window opens, Enter in "Datei" loads the
// preview, "Importieren" adds the rows) until the list is shown again, and the
// bulk delete from the menu removing every address or every seventh one.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "adressgenerator.h"
#include "common/ini.h"
#include "exchange/import.h"
#include "exchange/ui/adrimport2.h"
#include "fensterbench.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace zadressbuch;

namespace {

QString csvText(const QStringList& adressen)
{
    QList<QStringList> zeilen{{QStringLiteral("Nachname"), QStringLiteral("Vorname"), QStringLiteral("Straße"),
                               QStringLiteral("PLZ"), QStringLiteral("Ort"), QStringLiteral("Telefon"),
                               QStringLiteral("Zusatzbemerkung")}};
    for (const QString& a : adressen) {
        const Felder f = Zerlegen(a);
        zeilen << QStringList{f[Nachname], f[Vorname], f[Strasse], f[Plz], f[Ort], f[Telefon], f[Bemerkung]};
    }
    return zaustausch::Trenntext_Verbinden(zeilen, QLatin1Char(';'));
}

// The whole program's window on the given addresses.
struct Fenster : zbench::FensterWurzel
{
    QStringList start;

    explicit Fenster(const QStringList& adressen) : zbench::FensterWurzel(adressen, true), start(adressen) {}
    // The list as at the start, its first address shown.
    void zuruecksetzen()
    {
        adressliste().setEintraege(start);
        adressliste().setListIndex(0);
        sitzung().Geaendert = 0;
        QCoreApplication::processEvents();
    }
};

// Runs the steps on the import window once it shows (inside the menu command).
void importSkript(const QString& datei)
{
    auto* wache = new QTimer;
    wache->setInterval(0);
    QObject::connect(wache, &QTimer::timeout, [wache, datei] {
        auto* d = qobject_cast<zaustausch::AdrImport2*>(QApplication::activeModalWidget());
        if (!d)
            return;
        wache->stop();
        wache->deleteLater();
        d->txtDatei->setFocus();
        d->txtDatei->setText(datei);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(d->txtDatei, &enter);
        if (d->befImport->isEnabled())
            d->befImport->click();
        else
            d->reject();
    });
    wache->start();
}

void BM_Fenster_Import(benchmark::State& state)
{
    const int n = int(state.range(0));
    zbench::Adressvorgaben v;
    v.anzahl = 100;
    Fenster f(zbench::Adressen(v));
    v.anzahl = n;
    f.schreiben(QStringLiteral("temp/import.csv"), csvText(zbench::Adressen(v)));
    const QString datei = f.pfad(QStringLiteral("temp/import.csv"));
    QAction* menue = f.main->aktion(QStringLiteral("mnuAdrImpListe"));
    for (auto _ : state) {
        state.PauseTiming();
        f.zuruecksetzen();
        state.ResumeTiming();
        importSkript(datei);
        menue->trigger();
        QCoreApplication::processEvents(); // the list and the card painted
    }
    if (adressliste().ListCount() != f.start.size() + n)
        state.SkipWithError("nicht alle importiert");
    state.SetItemsProcessed(state.iterations() * n);
}

void loeschen(benchmark::State& state, const QString& text, int bleiben)
{
    const int n = int(state.range(0));
    zbench::Adressvorgaben v;
    v.anzahl = n;
    Fenster f(zbench::Adressen(v));
    QAction* menue = f.main->aktion(QStringLiteral("mnuVertriebDel"));
    for (auto _ : state) {
        state.PauseTiming();
        f.zuruecksetzen();
        // The input box of the headless platform answers with its proposal.
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("VQuickDel"), text);
        state.ResumeTiming();
        menue->trigger();
        QCoreApplication::processEvents();
    }
    if (adressliste().ListCount() != n * bleiben / 7)
        state.SkipWithError("falsche Anzahl gelöscht");
    state.SetItemsProcessed(state.iterations() * n);
}

// Every generated address has its e-mail at example.de.
void BM_Fenster_MassenLoeschenAlle(benchmark::State& state)
{
    loeschen(state, QStringLiteral("example.de"), 0);
}

// One generated address in seven lives in Köln.
void BM_Fenster_MassenLoeschenJedeSiebte(benchmark::State& state)
{
    loeschen(state, QStringLiteral("k?ln"), 6);
}

BENCHMARK(BM_Fenster_Import)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fenster_MassenLoeschenAlle)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fenster_MassenLoeschenJedeSiebte)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return zbench::FensterMain(argc, argv);
}
