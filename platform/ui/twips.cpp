#include "platform/ui/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace zplatform {

double bildschirmDpi()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* s = QGuiApplication::primaryScreen()) {
            const double dpi = s->logicalDotsPerInch();
            if (dpi > 0)
                return dpi;
        }
    }
    return 96.0;
}

int twipsZuPixel(double twips, double dpi)
{
    return int(std::lround(twips * dpi / 1440.0));
}

double pixelZuTwips(int px, double dpi)
{
    return double(px) * 1440.0 / dpi;
}

int twipsZuPixel(double twips)
{
    return twipsZuPixel(twips, bildschirmDpi());
}

double pixelZuTwips(int px)
{
    return pixelZuTwips(px, bildschirmDpi());
}

} // namespace zplatform
