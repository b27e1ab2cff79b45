// Zettlora: starts the program with German texts for Qt's own dialogs, the
// desktop platform layer and the splash, which brings up the main window.
#include "addressbook/ui/titel.h"
#include "commands/ui/befehle_anmelden.h"
#include "common/ini.h"
#include "platform/ordner.h"
#include "platform/ui/desktopplattform.h"
#include "platform/ui/qtdrucker.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    // Without TZ the C library re-reads the zone file at every clock reading;
    // naming it once keeps reading the clock cheap (placeholders, the card's dates).
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zettlora"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtDeutsch);

    zplatform::programmOrdnerBefuellen();
    // The virtual printer "PDF" writes its jobs into the folder of this setting (default: the temp folder).
    zplatform::pdfStandardOrdnerSetzen(zcommon::Ini_Lesen(QString(), QStringLiteral("Drucker"),
                                                          QStringLiteral("PdfOrdner"), QString()));
    zplatform::desktopEinrichten();

    // The menu commands of the main window.
    zbefehle::Befehle_Anmelden();

    // The command line without the program's own name: "Datei=", "Suche=", "readonly".
    QStringList argumente = QCoreApplication::arguments();
    if (!argumente.isEmpty())
        argumente.removeFirst();

    zadressbuch::Titel titel(argumente);
    titel.show();
    return app.exec();
}
