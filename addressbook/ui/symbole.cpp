#include "addressbook/ui/symbole.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QString>

// The resources of a static library are registered by hand before first use.
static void symboleEinbinden()
{
    static const bool eingebunden = [] {
        Q_INIT_RESOURCE(symbole);
        return true;
    }();
    Q_UNUSED(eingebunden);
}

namespace zadressbuch {

QIcon Symbol_Eigenes(const char* bild)
{
    symboleEinbinden();
    const QString pfad = QStringLiteral(":/symbole/%1.svg").arg(QString::fromLatin1(bild));
    return QFile::exists(pfad) ? QIcon(pfad) : QIcon();
}

QIcon Symbol_Laden(const char* bild)
{
    const QString name = QString::fromLatin1(bild);
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return Symbol_Eigenes(bild);
}

} // namespace zadressbuch

namespace {

// The program's emblem is the icon of every window, however it is opened: it
// is set once for the whole program as soon as the application object exists,
// before the first window (the splash) opens. Every start runs this, the
// program's own and each test program's.
void programmsymbolSetzen()
{
    QGuiApplication::setWindowIcon(zadressbuch::Symbol_Eigenes("zettlora"));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(programmsymbolSetzen)
