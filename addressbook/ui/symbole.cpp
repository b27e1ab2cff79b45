#include "addressbook/ui/symbole.h"

#include <QFile>
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
