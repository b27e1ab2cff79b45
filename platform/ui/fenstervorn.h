#pragma once
// What the window system does for the program's windows: whether a window
// manager looks after them, and in front of which window a window stands (its
// transient window), changed while it is shown. The window manager keeps a transient window over the
// window it belongs to; the relation is read when a window is shown, so
// elsewhere a shown window must be hidden and shown again to change it. Under
// X11 the window manager is told directly instead: hiding and at once showing
// a window races with the window manager, which may then lose the window (it
// stays unmapped while the program takes it for shown).

#include <functional>

class QObject;
class QWindow;

namespace zplatform {

// True where windows are shown to a person and a window manager looks after
// them (it stacks them and gives the focus back when a window closes); false
// on the platforms without a screen (offscreen, minimal).
bool fensterverwaltungDa();

// Makes fenster (shown) stand in front of vorn (nullptr: of no window) and
// tells the window manager so, where that can be done while it is shown
// (X11). Returns false, and changes nothing, where it cannot.
bool vorFensterUmstellen(QWindow& fenster, QWindow* vorn);

// Calls geaendert whenever the window manager has stacked its windows anew
// (X11: the root window's _NET_CLIENT_LIST_STACKING changed), as long as
// besitzer lives. A window manager keeps a transient window over the window
// it belongs to, but not always over a modal window that this window belongs
// to in turn: raising the modal window, it may put it over all the other
// windows of the same main window. Returns false where it cannot be watched.
bool stapelBeobachten(QObject& besitzer, const std::function<void()>& geaendert);

// True when oben stands over unten in the window manager's stacking order
// (X11); also true where that order cannot be read.
bool stehtUeber(const QWindow& oben, const QWindow& unten);

} // namespace zplatform
