#include "platform/ui/fenstervorn.h"

#include <QGuiApplication>
#include <QWindow>

#if defined(ZETTLORA_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#define ZETTLORA_FENSTERVORN_X11 1
#endif

namespace zplatform {

bool fensterverwaltungDa()
{
    const QString p = QGuiApplication::platformName();
    return p != QLatin1String("offscreen") && p != QLatin1String("minimal");
}

bool vorFensterUmstellen(QWindow& fenster, QWindow* vorn)
{
#ifdef ZETTLORA_FENSTERVORN_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t* verbindung = x11->connection();
    // The program's own relation: it decides which windows a modal window blocks.
    fenster.setTransientParent(vorn);
    // The window manager's (ICCCM WM_TRANSIENT_FOR), which it follows on change.
    const auto eigenes = xcb_window_t(fenster.winId());
    if (vorn) {
        const auto vorne = xcb_window_t(vorn->winId());
        xcb_change_property(verbindung, XCB_PROP_MODE_REPLACE, eigenes, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW,
                            32, 1, &vorne);
    } else {
        xcb_delete_property(verbindung, eigenes, XCB_ATOM_WM_TRANSIENT_FOR);
    }
    xcb_flush(verbindung);
    return true;
#else
    (void)fenster;
    (void)vorn;
    return false;
#endif
}

} // namespace zplatform
