#include "addressbook/layout.h"

#include <cmath>
#include <initializer_list>

namespace zadressbuch {

namespace {

int beendenLaeuft = 0;

int runden(double wert)
{
    return int(std::lround(wert));
}

// Width and height only when they stay >= 0 (a failing assignment is skipped).
void breite(Rechteck& r, double wert)
{
    if (wert >= 0)
        r.breite = runden(wert);
}

void hoehe(Rechteck& r, double wert)
{
    if (wert >= 0)
        r.hoehe = runden(wert);
}

} // namespace

MainLayout Form_Resize(const MainLayout& aktuell, int W, int H, int IW, int IH)
{
    MainLayout l = aktuell;
    if (W > 9000) {
        breite(l.Liste, double(W) - 3.0 * l.Liste.links);
        breite(l.Rahmen4, double(W) - l.Rahmen4.links - 2.0 * l.Liste.links);
        breite(l.Feld11, double(l.Rahmen4.breite) - 240);
        l.befZoom.links = l.Rahmen4.breite - l.befZoom.breite - 120;
        l.befZoomSichtbar = float(l.Feld20.breite * 2.8) < float(l.befZoom.links);
        breite(l.Rahmen1, double(W) - l.Rahmen4.links - 2.0 * l.Liste.links);
        breite(l.Feld7, (double(l.Rahmen1.breite) - 360) / 2.0);
        for (Rechteck* r : {&l.Feld8, &l.Feld14, &l.Feld12, &l.Feld13, &l.Feld22})
            r->breite = l.Feld7.breite;
        l.Feld12.links = l.Feld7.breite + 240;
        for (Rechteck* r : {&l.Feld13, &l.Feld22, &l.Bez12, &l.Bez13, &l.Bez22})
            r->links = l.Feld12.links;
        breite(l.ProgressBar, IW / 2.0);
        l.ProgressBar.links = IW - l.ProgressBar.breite;
    }
    if (H > 6700) {
        l.Liste.oben = l.Rahmen0.oben + l.Rahmen0.hoehe + 150;
        int h = IH - l.Liste.oben - 250;
        if (h < 0)
            h = 0;
        hoehe(l.Liste, h);
        l.ProgressBar.oben = IH - l.ProgressBar.hoehe;
    }
    return l;
}

SchliessAktion Form_QueryUnload(bool nurLesen)
{
    if (BeendenLaeuft::aktiv())
        return SchliessAktion::Keine;
    return nurLesen ? SchliessAktion::OhneSichern : SchliessAktion::SichernUndEnde;
}

BeendenLaeuft::BeendenLaeuft()
{
    ++beendenLaeuft;
}

BeendenLaeuft::~BeendenLaeuft()
{
    --beendenLaeuft;
}

bool BeendenLaeuft::aktiv()
{
    return beendenLaeuft > 0;
}

} // namespace zadressbuch
