#pragma once
// Shared by the benchmarks that run windows offscreen: a program root with an
// address file and the main window started on it, and their main().

#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "app/zusammenbau.h"
#include "common/ini.h"
#include "platform/codec.h"
#include "platform/ordner.h"
#include "platform/ui/eingaberegel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace zbench {

// A root of its own (ZETTLORA_ROOT) whose address file holds the addresses,
// and the main window started on it: with the whole program's commands, or
// with none (mitBefehlen false) where only the window itself is measured.
struct FensterWurzel
{
    QTemporaryDir dir;
    zadressbuch::Befehlsregister befehle;
    std::unique_ptr<zadressbuch::Main> main;

    FensterWurzel(const QStringList& adressen, bool mitBefehlen)
    {
        qputenv("ZETTLORA_ROOT", dir.path().toLocal8Bit());
        zplatform::ordnerZuruecksetzen();
        zcommon::Ini_CacheLeeren();
        for (const char* ordner : {"windows/system", "programm", "temp"})
            QDir().mkpath(pfad(QLatin1String(ordner)));
        QString text = QStringLiteral("..Erzeugte Adressen\r\n");
        for (const QString& adresse : adressen)
            text += adresse + QStringLiteral("\r\n");
        schreiben(QStringLiteral("programm/zettlora.dat"), text);
        // No tip at the first paint: it would wait there, modally.
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AutoTip"), QStringLiteral("0"));
        if (mitBefehlen)
            zapp::Programm_Zusammenbauen(befehle);
        main = std::make_unique<zadressbuch::Main>(befehle);
        main->Form_Load();
        main->show();
        QCoreApplication::processEvents();
    }
    ~FensterWurzel()
    {
        main.reset();
        zadressbuch::sitzungZuruecksetzen();
        zadressbuch::adressliste().Clear();
    }
    QString pfad(const QString& relativ) const { return dir.path() + QLatin1Char('/') + relativ; }
    // A file below the root, in Windows-1252.
    void schreiben(const QString& relativ, const QString& text) const
    {
        QFile out(pfad(relativ));
        if (out.open(QIODevice::WriteOnly))
            out.write(zplatform::nachWindows1252(text));
    }
};

// Runs the registered benchmarks in one application (offscreen unless a
// platform is named); vorEnde runs before the application goes.
inline int FensterMain(int argc, char** argv, const std::function<void()>& vorEnde = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // As the program's start sets it up for every window.
    zplatform::eingaberegelEinrichten();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (vorEnde)
        vorEnde();
    benchmark::Shutdown();
    return 0;
}

} // namespace zbench
