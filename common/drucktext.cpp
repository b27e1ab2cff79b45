#include "common/drucktext.h"

#include "common/ini.h"
#include "common/texte.h"
#include "platform/drucker.h"

#include <algorithm>
#include <vector>

namespace zcommon {

namespace {

constexpr double Toleranz = 1e-9;

inline bool istUmbruch(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Length of the line break at pos (CR LF 2, CR or LF 1), 0 when none.
qsizetype umbruchLaenge(const QString& t, qsizetype pos)
{
    if (pos >= t.size())
        return 0;
    if (t.at(pos) == u'\r')
        return (pos + 1 < t.size() && t.at(pos + 1) == u'\n') ? 2 : 1;
    return t.at(pos) == u'\n' ? 1 : 0;
}

} // namespace

QString Text_ImRechteckDrucken(QString& text, double links, double oben, double rechts, double unten)
{
    zplatform::Drucker& d = zplatform::drucker();
    if (links >= 0)
        d.currentX = links;
    if (oben >= 0)
        d.currentY = oben;
    const double L = d.currentX;
    const double T = d.currentY;
    const double R = (rechts < 0 || rechts <= L) ? d.scaleWidth() - 1.0 : rechts;
    const double B = (unten < 0 || unten <= T) ? d.scaleHeight() - 2.0 * d.textHoehe(QStringLiteral("Ay")) : unten;
    const double breite = R - L;
    const double zeilenHoehe = d.textHoehe(QStringLiteral("ABCxyz"));

    const QString t = text;
    const qsizetype n = t.size();
    qsizetype pos = 0;
    double y = T;
    bool fortsetzung = false; // the line continues a wrapped paragraph
    std::vector<qsizetype> wortEnden;

    while (pos < n) {
        if (fortsetzung) {
            while (pos < n && t.at(pos) == u' ')
                ++pos;
            if (pos >= n)
                break;
            if (istUmbruch(t.at(pos))) {
                // Only blanks were left of the wrapped paragraph.
                pos += umbruchLaenge(t, pos);
                fortsetzung = false;
                continue;
            }
        }
        if (y + zeilenHoehe > B + Toleranz)
            break;
        qsizetype absatzEnde = pos;
        while (absatzEnde < n && !istUmbruch(t.at(absatzEnde)))
            ++absatzEnde;

        // As many words as fit; a word ends behind a blank or a "-". A line
        // grows with every word, so the last word end that fits is found by
        // halving (a long list measures a few lines, not every word).
        wortEnden.clear();
        for (qsizetype wortEnde = pos; wortEnde < absatzEnde;) {
            while (wortEnde < absatzEnde && t.at(wortEnde) != u' ' && t.at(wortEnde) != u'-')
                ++wortEnde;
            if (wortEnde < absatzEnde)
                ++wortEnde; // the blank or "-" belongs to the word before it
            wortEnden.push_back(wortEnde);
        }
        auto passt = [&](qsizetype bis) { return d.textBreite(RTrim(t.mid(pos, bis - pos))) <= breite + Toleranz; };
        qsizetype ende = pos;
        if (!wortEnden.empty()) {
            if (passt(wortEnden.back())) {
                ende = wortEnden.back();
            } else {
                qsizetype unten = -1;                             // the last index known to fit
                qsizetype oben = qsizetype(wortEnden.size()) - 1; // known not to fit
                while (oben - unten > 1) {
                    const qsizetype mitte = (unten + oben) / 2;
                    if (passt(wortEnden[size_t(mitte)]))
                        unten = mitte;
                    else
                        oben = mitte;
                }
                if (unten >= 0)
                    ende = wortEnden[size_t(unten)];
            }
        }
        if (ende == pos && pos < absatzEnde) {
            // Not even the first word fits: break it between characters.
            qsizetype k = 0;
            while (pos + k < absatzEnde && d.textBreite(t.mid(pos, k + 1)) <= breite + Toleranz)
                ++k;
            if (k == 0)
                break; // not one character fits: nothing can be printed here
            ende = pos + k;
        }

        d.currentX = L;
        d.currentY = y;
        d.drucken(RTrim(t.mid(pos, ende - pos)));
        y += zeilenHoehe;
        d.currentY = y;
        pos = ende;
        fortsetzung = true;
        if (pos >= absatzEnde) {
            pos = absatzEnde + umbruchLaenge(t, absatzEnde);
            fortsetzung = false;
        }
    }
    text = pos < n ? t.mid(pos) : QString();
    return text;
}

void Fusszeile_Drucken(double links)
{
    if (Trim(Ini_Lesen(QString(), QString(), QStringLiteral("Fusszeile"), QStringLiteral("1"))) == u'0')
        return;
    zplatform::Drucker& d = zplatform::drucker();
    const zplatform::DruckSchrift alt = d.schrift;
    zplatform::DruckSchrift s;
    s.name = QStringLiteral("Arial");
    s.groesse = 8;
    d.schrift = s;
    const QString zeile = QStringLiteral("Zettlora ") + QStringLiteral(ZETTLORA_VERSION) +
                          QStringLiteral(" \u00b7 Ausdruck vom ") + DatumText(Heute());
    d.currentX = links;
    d.currentY = d.scaleTop + d.scaleHeight() - 2.0 * d.textHoehe(QStringLiteral("Ay"));
    d.drucken(zeile);
    d.schrift = alt;
}

void Emblem_Drucken(double faktor)
{
    if (!(faktor > 0))
        faktor = 1.0;
    zplatform::Drucker& d = zplatform::drucker();
    const double x = d.currentX;
    const double y = d.currentY;
    d.schrift.name = QStringLiteral("Arial");
    d.schrift.groesse = 14.0 * faktor;
    d.schrift.fett = true;
    d.schrift.kursiv = false;
    d.schrift.unterstrichen = false;
    d.schrift.farbe = 0;
    const QString name = QStringLiteral("Zettlora");
    const double breite = d.textBreite(name);
    const double hoehe = d.textHoehe(name);
    d.currentX = x;
    d.currentY = y;
    d.drucken(name);
    const double linieY = y + hoehe + 0.05 * faktor;
    d.linie(x, linieY, x + breite, linieY);
    d.currentX = x;
    d.currentY = linieY + 0.1 * faktor;
}

} // namespace zcommon
