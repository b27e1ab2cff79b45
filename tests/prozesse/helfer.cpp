// A second process for the tests of what happens between processes. Started
// by the tests with one of these argument lists (the root is ZETTLORA_ROOT):
//   ini <settings file> <prefix> <count> <start file>
//       waits for the start file, then writes <count> keys "<prefix><n>" into
//       section "S" and raises the counter "Zaehler" of section "S" as often.
//   anhaengen <file> <prefix> <count> <start file>
//       waits for the start file, then appends <count> lines "1 <prefix><n>",
//       one at a time.
//   oeffnen <address file> <start file> <end file>
//       waits for the start file, decides read-only mode with the
//       reservation (answering the question with Yes: read-only), prints "rw"
//       or "ro", then stays until the end file exists.
#include "addressbook/reservierung.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "platform/textdatei.h"
#include "support/testplattform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

namespace {

void warten(const QString& datei)
{
    while (!QFileInfo::exists(datei))
        QThread::usleep(200);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 6 && a[1] == QLatin1String("ini")) {
        const int anzahl = a[4].toInt();
        warten(a[5]);
        for (int i = 0; i < anzahl; ++i) {
            zcommon::Ini_Schreiben(a[2], QStringLiteral("S"), a[3] + QString::number(i), QString::number(i));
            zcommon::Ini_Zaehler_Erhoehen(a[2], QStringLiteral("S"), QStringLiteral("Zaehler"));
        }
        return 0;
    }
    if (a.size() == 6 && a[1] == QLatin1String("anhaengen")) {
        const int anzahl = a[4].toInt();
        warten(a[5]);
        for (int i = 0; i < anzahl; ++i) {
            const zplatform::Ergebnis e = zplatform::zeilenAnhaengen(a[2], {QStringLiteral("1 ") + a[3] + QString::number(i)});
            if (!e) {
                std::fprintf(stderr, "%s\n", qPrintable(e.fehler));
                return 1;
            }
        }
        return 0;
    }
    if (a.size() == 5 && a[1] == QLatin1String("oeffnen")) {
        TestPlattform plattform;
        plattform.antworten.enqueue(zplatform::vbYes);
        auto& s = zadressbuch::sitzung();
        s.AdressDateiName = a[2];
        s.DatenOrdner = QFileInfo(a[2]).absolutePath();
        s.ProgrammIniDatei = QStringLiteral("Zettlora.Ini");
        warten(a[3]);
        const bool nurLesen = zadressbuch::NurLesen_Entscheiden(true);
        std::printf("%s\n", nurLesen ? "ro" : "rw");
        std::fflush(stdout);
        warten(a[4]);
        return 0;
    }
    std::fprintf(stderr, "unbekannter Aufruf\n");
    return 2;
}
