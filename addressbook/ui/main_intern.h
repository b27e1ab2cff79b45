#pragma once
// Helpers shared by the source files of the main window (not for other forms).

#include "addressbook/datensatz.h"
#include "addressbook/layout.h"
#include "platform/ui/twips.h"

#include <QColor>
#include <QGroupBox>
#include <QWidget>

#include <cmath>

namespace zadressbuch::intern {

// Inside a frame the positions count from below the frame's caption, which
// this platform draws above the frame's line rather than on it.
inline constexpr int RahmenVersatz = 75;

inline int tw(double twips)
{
    return zplatform::twipsZuPixel(twips);
}

inline int twips(int px)
{
    return int(std::lround(zplatform::pixelZuTwips(px)));
}

inline bool imRahmen(const QWidget* w)
{
    return qobject_cast<const QGroupBox*>(w->parentWidget()) != nullptr;
}

// Places a control by its position and size in twips relative to its parent
// (plus a vertical offset in pixels for controls of the window itself that
// count from the top of the client area).
inline void platzieren(QWidget* w, int links, int oben, int breite, int hoehe, int yVersatzPx = 0)
{
    if (imRahmen(w))
        oben += RahmenVersatz;
    const int x = tw(links);
    const int y = tw(oben);
    w->setGeometry(x, y + yVersatzPx, tw(links + breite) - x, tw(oben + hoehe) - y);
}

inline void platzieren(QWidget* w, const Rechteck& r, int yVersatzPx = 0)
{
    platzieren(w, r.links, r.oben, r.breite, r.hoehe, yVersatzPx);
}

// The control's place as platzieren takes it.
inline Rechteck lesen(const QWidget* w, int yVersatzPx = 0)
{
    const QRect g = w->geometry();
    Rechteck r{twips(g.x()), twips(g.y() - yVersatzPx), twips(g.width()), twips(g.height())};
    if (imRahmen(w))
        r.oben -= RahmenVersatz;
    return r;
}

// Fields whose values repeat over the addresses: a double-click offers the
// values of all addresses. Every other field offers a choice list only when
// its list file is there.
inline bool feldMitWerteliste(int feld)
{
    return feld == Rubrik || feld == Land || feld == FuerUser || feld == Zusatz || feld == Anrede;
}

// Colours as the settings store them: red + 256 × green + 65536 × blue.
inline qint64 farbNummer(const QColor& c)
{
    return qint64(c.red()) + 256 * qint64(c.green()) + 65536 * qint64(c.blue());
}

inline QColor ausFarbNummer(qint64 n)
{
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

} // namespace zadressbuch::intern
