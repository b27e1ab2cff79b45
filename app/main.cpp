// Zettlora: starts the program with German texts for Qt's own dialogs, the
// desktop platform layer and the splash, which brings up the main window.
#include "app/zusammenbau.h"
#include "platform/signale.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The termination signals first: one that comes while the application is
    // made (a slow display, a loaded machine) ends the program through its
    // own exit as soon as events run, not by the default action.
    zplatform::Beendensignale_Abfangen();

    // Without TZ the C library re-reads the zone file at every clock reading;
    // naming it once keeps reading the clock cheap (placeholders, the card's dates).
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");

    QApplication app(argc, argv);
    // The command line without the program's own name: "Datei=", "Suche=", "readonly".
    QStringList argumente = QCoreApplication::arguments();
    if (!argumente.isEmpty())
        argumente.removeFirst();
    return zapp::Programm_Ausfuehren(argumente);
}
