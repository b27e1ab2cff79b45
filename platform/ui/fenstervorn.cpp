#include "platform/ui/fenstervorn.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QObject>
#include <QWindow>

#if defined(ZETTLORA_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#define ZETTLORA_FENSTERVORN_X11 1
#endif

#include <cstdlib>

namespace zplatform {

#ifdef ZETTLORA_FENSTERVORN_X11
namespace {

xcb_connection_t* x11Verbindung()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t wurzel(xcb_connection_t* verbindung)
{
    const xcb_screen_t* schirm = xcb_setup_roots_iterator(xcb_get_setup(verbindung)).data;
    return schirm ? schirm->root : xcb_window_t(XCB_WINDOW_NONE);
}

xcb_atom_t stapelAtom(xcb_connection_t* verbindung)
{
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (atom == XCB_ATOM_NONE) {
        const char name[] = "_NET_CLIENT_LIST_STACKING";
        xcb_intern_atom_reply_t* antwort =
            xcb_intern_atom_reply(verbindung, xcb_intern_atom(verbindung, 0, sizeof name - 1, name), nullptr);
        if (antwort)
            atom = antwort->atom;
        std::free(antwort);
    }
    return atom;
}

// Hears the root window's stacking property change.
class StapelFilter : public QAbstractNativeEventFilter
{
public:
    StapelFilter(xcb_atom_t atom, std::function<void()> geaendert) : m_atom(atom), m_geaendert(std::move(geaendert)) {}
    bool nativeEventFilter(const QByteArray& art, void* nachricht, qintptr*) override
    {
        if (art != "xcb_generic_event_t")
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(nachricht);
        if ((e->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
            reinterpret_cast<const xcb_property_notify_event_t*>(e)->atom == m_atom)
            m_geaendert();
        return false;
    }

private:
    xcb_atom_t m_atom;
    std::function<void()> m_geaendert;
};

} // namespace
#endif

bool fensterverwaltungDa()
{
    const QString p = QGuiApplication::platformName();
    return p != QLatin1String("offscreen") && p != QLatin1String("minimal");
}

bool vorFensterUmstellen(QWindow& fenster, QWindow* vorn)
{
#ifdef ZETTLORA_FENSTERVORN_X11
    xcb_connection_t* verbindung = x11Verbindung();
    if (!verbindung)
        return false;
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

bool stapelBeobachten(QObject& besitzer, const std::function<void()>& geaendert)
{
#ifdef ZETTLORA_FENSTERVORN_X11
    xcb_connection_t* verbindung = x11Verbindung();
    if (!verbindung || !qGuiApp)
        return false;
    const xcb_window_t w = wurzel(verbindung);
    const xcb_atom_t atom = stapelAtom(verbindung);
    if (w == XCB_WINDOW_NONE || atom == XCB_ATOM_NONE)
        return false;
    // The root window's property changes are heard besides what is heard of it already.
    xcb_get_window_attributes_reply_t* attribute =
        xcb_get_window_attributes_reply(verbindung, xcb_get_window_attributes(verbindung, w), nullptr);
    if (!attribute)
        return false;
    const uint32_t maske = attribute->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
    std::free(attribute);
    xcb_change_window_attributes(verbindung, w, XCB_CW_EVENT_MASK, &maske);
    xcb_flush(verbindung);
    auto* filter = new StapelFilter(atom, geaendert);
    qGuiApp->installNativeEventFilter(filter);
    QObject::connect(&besitzer, &QObject::destroyed, qGuiApp, [filter] {
        if (qGuiApp)
            qGuiApp->removeNativeEventFilter(filter);
        delete filter;
    });
    return true;
#else
    (void)besitzer;
    (void)geaendert;
    return false;
#endif
}

bool stehtUeber(const QWindow& oben, const QWindow& unten)
{
#ifdef ZETTLORA_FENSTERVORN_X11
    xcb_connection_t* verbindung = x11Verbindung();
    const xcb_atom_t atom = verbindung ? stapelAtom(verbindung) : xcb_atom_t(XCB_ATOM_NONE);
    if (atom == XCB_ATOM_NONE)
        return true;
    xcb_get_property_reply_t* antwort = xcb_get_property_reply(
        verbindung, xcb_get_property(verbindung, 0, wurzel(verbindung), atom, XCB_ATOM_WINDOW, 0, 4096), nullptr);
    if (!antwort)
        return true;
    // From the bottom to the top.
    const auto* fenster = static_cast<const xcb_window_t*>(xcb_get_property_value(antwort));
    const int anzahl = xcb_get_property_value_length(antwort) / int(sizeof(xcb_window_t));
    int o = -1;
    int u = -1;
    for (int i = 0; i < anzahl; ++i) {
        if (fenster[i] == xcb_window_t(oben.winId()))
            o = i;
        else if (fenster[i] == xcb_window_t(unten.winId()))
            u = i;
    }
    std::free(antwort);
    return o < 0 || u < 0 || o > u;
#else
    (void)oben;
    (void)unten;
    return true;
#endif
}

} // namespace zplatform
