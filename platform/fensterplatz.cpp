#include "platform/fensterplatz.h"

#include <QList>
#include <QPoint>
#include <QtGlobal>

namespace zplatform {

namespace {

// The start of a stretch of the length laenge at p, moved into [anfang, ende)
// as far as it must (to anfang when it is longer than that).
int einpassen(int p, int laenge, int anfang, int ende)
{
    return qMax(anfang, qMin(p, ende - laenge));
}

qint64 flaeche(const QRect& r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

// The four sides of the asking window, in the order they are tried.
enum class Seite { Rechts, Links, Unten, Oben };
constexpr Seite seiten[] = {Seite::Rechts, Seite::Links, Seite::Unten, Seite::Oben};

struct Lage
{
    const QRect& frager;
    const QRect& schirm;

    int x(int p, int breite) const { return einpassen(p, breite, schirm.left(), schirm.left() + schirm.width()); }
    int y(int p, int hoehe) const { return einpassen(p, hoehe, schirm.top(), schirm.top() + schirm.height()); }

    // The room on that side of the asking window, up to the screen's edge.
    int platz(Seite s) const
    {
        switch (s) {
        case Seite::Rechts:
            return schirm.left() + schirm.width() - (frager.left() + frager.width());
        case Seite::Links:
            return frager.left() - schirm.left();
        case Seite::Unten:
            return schirm.top() + schirm.height() - (frager.top() + frager.height());
        case Seite::Oben:
            return frager.top() - schirm.top();
        }
        return 0;
    }

    // A window of the size g on that side, level with the asking window's top
    // (or left) edge and moved onto the screen along that edge.
    QRect daneben(Seite s, const QSize& g) const
    {
        switch (s) {
        case Seite::Rechts:
            return QRect(QPoint(frager.left() + frager.width(), y(frager.top(), g.height())), g);
        case Seite::Links:
            return QRect(QPoint(frager.left() - g.width(), y(frager.top(), g.height())), g);
        case Seite::Unten:
            return QRect(QPoint(x(frager.left(), g.width()), frager.top() + frager.height()), g);
        case Seite::Oben:
            return QRect(QPoint(x(frager.left(), g.width()), frager.top() - g.height()), g);
        }
        return QRect();
    }
};

} // namespace

QRect platzDaneben(const QRect& frager, const QSize& groesse, const QSize& kleinste, const QRect& schirm)
{
    const Lage lage{frager, schirm};

    // Beside it in the size it would like.
    for (Seite s : seiten) {
        const QRect r = lage.daneben(s, groesse);
        if (schirm.contains(r))
            return r;
    }

    // Beside it, narrower (or lower) to fit the room there: the largest that
    // is still of use.
    QRect bester;
    for (Seite s : seiten) {
        const bool quer = s == Seite::Rechts || s == Seite::Links;
        QSize g = groesse.boundedTo(schirm.size());
        if (quer)
            g.setWidth(qMin(g.width(), lage.platz(s)));
        else
            g.setHeight(qMin(g.height(), lage.platz(s)));
        if (g.width() < kleinste.width() || g.height() < kleinste.height())
            continue;
        const QRect r = lage.daneben(s, g);
        if (schirm.contains(r) && flaeche(r) > flaeche(bester))
            bester = r;
    }
    if (!bester.isNull())
        return bester;

    // Nowhere beside it: in the size it would like, where it covers least.
    // The places beside it pushed onto the screen come first; the least cover
    // of all lies in a corner of the screen (along each axis it is least at
    // one end of the room).
    const int w = groesse.width();
    const int h = groesse.height();
    QList<QPoint> plaetze;
    for (Seite s : seiten) {
        const QRect r = lage.daneben(s, groesse);
        plaetze << QPoint(lage.x(r.left(), w), lage.y(r.top(), h));
    }
    for (int ecke = 0; ecke < 4; ++ecke)
        plaetze << QPoint(lage.x(ecke % 2 ? schirm.right() : schirm.left(), w),
                          lage.y(ecke < 2 ? schirm.top() : schirm.bottom(), h));
    QRect wenigste(plaetze.first(), groesse);
    for (const QPoint& p : plaetze) {
        const QRect r(p, groesse);
        if (flaeche(r & frager) < flaeche(wenigste & frager))
            wenigste = r;
    }
    return wenigste;
}

} // namespace zplatform
