// Zettlora: starts the program with German texts for Qt's own dialogs, the
// desktop platform layer and the splash, which brings up the main window.
#include "addressbook/ui/main.h"
#include "addressbook/befehle.h"
#include "addressbook/ui/titel.h"
#include "app/zusammenbau.h"
#include "common/ini.h"
#include "platform/ordner.h"
#include "platform/ui/desktopplattform.h"
#include "platform/ui/qtdrucker.h"
#include "platform/ui/titelbreite.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTranslator>

int main(int argc, char** argv)
{
    // Without TZ the C library re-reads the zone file at every clock reading;
    // naming it once keeps reading the clock cheap (placeholders, the card's dates).
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zettlora"));
    zapp::Schrift_Einrichten();
    // Every window, however it is opened, shows its whole title.
    zplatform::titelWaechterEinrichten();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtDeutsch);

    zplatform::programmOrdnerBefuellen();
    // The virtual printer "PDF" writes its jobs into the folder of this setting (default: the documents folder).
    zplatform::pdfStandardOrdnerSetzen(
        zcommon::Ini_Lesen(QString(), QStringLiteral("Drucker"), QStringLiteral("PdfOrdner"), QString()));
    zplatform::desktopEinrichten();

    // The commands of the main window, from every part of the program.
    zadressbuch::Befehlsregister befehle;
    zapp::Programm_Zusammenbauen(befehle);

    // The command line without the program's own name: "Datei=", "Suche=", "readonly".
    QStringList argumente = QCoreApplication::arguments();
    if (!argumente.isEmpty())
        argumente.removeFirst();

    // A termination signal (logout, shutdown, kill) ends the program as the
    // idle exit does.
    zapp::Beendensignale_Einrichten();
    // The desktop's session manager asks before logging out: keep the data safe.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [](QSessionManager&) {
        if (zadressbuch::Main* m = zadressbuch::Main::instanz())
            m->befehlAusfuehren(zadressbuch::Befehl::PulSichern);
    });

    zadressbuch::Titel titel(befehle, argumente);
    titel.show();
    return app.exec();
}
