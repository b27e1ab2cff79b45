// Zettlora: starts the program with German texts for Qt's own dialogs.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zettlora"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtDeutsch);

    QMainWindow fenster;
    fenster.setWindowTitle(QStringLiteral("Zettlora"));
    fenster.show();
    return app.exec();
}
