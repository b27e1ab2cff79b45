#include "commands/sortieren.h"

#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "common/kollation.h"
#include "common/texte.h"
#include "platform/plattform.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include <cmath>

namespace zbefehle {

namespace {

using zadressbuch::FeldAnzahl;
using zadressbuch::Feldtrenner;
using zcommon::FeldEnde;
using zcommon::ziffer;
using Puffer = zcommon::Kollationspuffer;

// Blanks around a field do not count; a field of blanks (the one blank of an
// empty field 0) counts as empty.
QStringView ohneRandBlanks(QStringView t)
{
    qsizetype a = 0, e = t.size();
    while (a < e && t.at(a) == QLatin1Char(' '))
        ++a;
    while (e > a && t.at(e - 1) == QLatin1Char(' '))
        --e;
    return t.mid(a, e - a);
}

bool istDatumsfeld(int feld)
{
    return feld == zadressbuch::ErstelltAm || feld == zadressbuch::GeaendertAm || feld == zadressbuch::Geburtstag;
}

// A date "d.m.yyyy" (day and month with one or two digits; a two-digit year
// counts 30..99 as 19xx and 00..29 as 20xx) as yyyymmdd; -1 for anything else.
int datumWert(QStringView t)
{
    int teile[3] = {0, 0, 0};
    int stellen[3] = {0, 0, 0};
    int k = 0;
    for (QChar q : t) {
        if (q == QLatin1Char('.')) {
            if (++k > 2)
                return -1;
        } else if (q.unicode() >= '0' && q.unicode() <= '9') {
            if (++stellen[k] > 4)
                return -1;
            teile[k] = teile[k] * 10 + (q.unicode() - '0');
        } else {
            return -1;
        }
    }
    if (k != 2 || stellen[0] < 1 || stellen[0] > 2 || stellen[1] < 1 || stellen[1] > 2)
        return -1;
    int jahr = teile[2];
    if (stellen[2] == 2)
        jahr += jahr >= 30 ? 1900 : 2000;
    else if (stellen[2] != 4)
        return -1;
    if (!QDate::isValid(jahr, teile[1], teile[0]))
        return -1;
    return jahr * 10000 + teile[1] * 100 + teile[0];
}

// The raw fields of an entry (views into it), as the sort splits it: the text
// up to each separator; missing fields empty, fields beyond the 24th dropped.
void felderRoh(QStringView eintrag, std::array<QStringView, FeldAnzahl>& felder)
{
    int k = 0;
    qsizetype start = 0;
    while (k < FeldAnzahl) {
        const qsizetype tab = eintrag.indexOf(Feldtrenner, start);
        if (tab < 0) {
            felder[k++] = eintrag.mid(start);
            break;
        }
        felder[k++] = eintrag.mid(start, tab - start);
        start = tab + 1;
    }
    for (; k < FeldAnzahl; ++k)
        felder[k] = QStringView();
}

// The key of one entry: all 24 fields from the sort field on, wrapping round,
// each ended by FeldEnde.
void schluesselBilden(QStringView eintrag, int feld, Puffer& b)
{
    std::array<QStringView, FeldAnzahl> felder;
    felderRoh(eintrag, felder);
    b.leeren();
    for (int i = 0; i < FeldAnzahl; ++i) {
        const int f = (feld + i) % FeldAnzahl;
        const QStringView wert = ohneRandBlanks(felder[f]);
        const bool datumsfeld = i == 0 && istDatumsfeld(f);
        if (datumsfeld && wert.size() == 10) {
            // A value of ten characters is read as dd.mm.yyyy, whatever stands
            // between its parts ("24/12/1960", "31.02.1999"): yyyy.mm.dd.
            b.text(wert.mid(6, 4));
            b.zeichen(QLatin1Char('.'));
            b.text(wert.mid(3, 2));
            b.zeichen(QLatin1Char('.'));
            b.text(wert.mid(0, 2));
            b.anhaengen(FeldEnde, 0);
            continue;
        }
        const int datum = datumsfeld ? datumWert(wert) : -1;
        if (datum >= 0) {
            // yyyy.mm.dd, compared as text with the values that are no date.
            for (int teiler = 10000000; teiler > 0; teiler /= 10) {
                b.anhaengen(ziffer(datum / teiler % 10), 0);
                if (teiler == 10000 || teiler == 100)
                    b.zeichen(QLatin1Char('.'));
            }
        } else {
            b.text(wert);
        }
        b.anhaengen(FeldEnde, 0);
    }
}

} // namespace

std::vector<int> SortierReihenfolge(const QStringList& eintraege, int feld, const Fortschrittsanzeige& fortschritt)
{
    if (feld < 0 || feld >= FeldAnzahl)
        return {};
    const int n = int(eintraege.size());

    // Keys of all entries, built once, in two flat buffers.
    struct Schluessel
    {
        uint32_t pAnfang = 0, laenge = 0, sAnfang = 0;
        bool hatS = false;
    };
    std::vector<Schluessel> schluessel(static_cast<size_t>(n));
    std::u16string primaer;
    std::basic_string<uint8_t> sekundaer;
    primaer.reserve(size_t(n) * 64);
    Puffer b;
    for (int i = 0; i < n; ++i) {
        schluesselBilden(eintraege.at(i), feld, b);
        Schluessel& k = schluessel[size_t(i)];
        k.pAnfang = uint32_t(primaer.size());
        k.laenge = uint32_t(b.p.size());
        primaer.append(b.p);
        k.hatS = b.hatS;
        if (b.hatS) {
            k.sAnfang = uint32_t(sekundaer.size());
            sekundaer.append(b.s);
        }
        if ((i & 4095) == 4095)
            if (fortschritt)
                fortschritt(int(45LL * i / n));
    }

    std::vector<int> reihenfolge(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        reihenfolge[size_t(i)] = i;
    const char16_t* p = primaer.data();
    const uint8_t* s = sekundaer.data();
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(), [&](int a, int c) {
        const Schluessel& ka = schluessel[size_t(a)];
        const Schluessel& kc = schluessel[size_t(c)];
        const int v =
            std::u16string_view(p + ka.pAnfang, ka.laenge).compare(std::u16string_view(p + kc.pAnfang, kc.laenge));
        if (v != 0)
            return v < 0;
        // Equal primary keys have equal lengths; accents decide, a key
        // without any coming first.
        if (!ka.hatS || !kc.hatS)
            return !ka.hatS && kc.hatS;
        return std::memcmp(s + ka.sAnfang, s + kc.sAnfang, ka.laenge) < 0;
    });
    return reihenfolge;
}

QString AufFeldanzahl(const QString& eintrag)
{
    if (eintrag.count(Feldtrenner) == FeldAnzahl && eintrag.endsWith(Feldtrenner))
        return eintrag;
    std::array<QStringView, FeldAnzahl> felder;
    felderRoh(eintrag, felder);
    QString neu;
    neu.reserve(eintrag.size() + FeldAnzahl);
    for (const QStringView& f : felder) {
        neu.append(f);
        neu.append(Feldtrenner);
    }
    return neu;
}

bool Sortieren(zadressbuch::AdressListe& liste, int feld, zadressbuch::Fenster& fenster)
{
    auto fortschritt = [&fenster](int wert) { fenster.Fortschritt(wert); };
    if (feld < 0 || feld >= FeldAnzahl)
        return false;
    const zadressbuch::ListeWirdVeraendert veraendert;
    zplatform::Plattform& p = zplatform::plattform();
    p.sanduhr(true);
    zadressbuch::sitzung().Geaendert = 1;
    fenster.Status(QStringLiteral("Sortiere Adressen..."));
    fortschritt(0);

    const int gewaehlt = liste.ListIndex();
    const QStringList& alt = liste.eintraege();
    const std::vector<int> reihenfolge = SortierReihenfolge(alt, feld, fortschritt);

    // The sorted list is complete before it replaces the old one.
    QStringList neu;
    neu.reserve(alt.size());
    int neuGewaehlt = -1;
    const int n = int(reihenfolge.size());
    for (int k = 0; k < n; ++k) {
        const int i = reihenfolge[size_t(k)];
        neu.append(AufFeldanzahl(alt.at(i)));
        if (i == gewaehlt)
            neuGewaehlt = k;
        if ((k & 4095) == 4095)
            fortschritt(50 + int(50LL * k / n));
    }
    fortschritt(100);
    liste.setEintraege(std::move(neu));
    if (neuGewaehlt >= 0)
        liste.setListIndex(neuGewaehlt);

    fenster.Status(QStringLiteral("Bereit"));
    fortschritt(-1);
    p.sanduhr(false);
    return true;
}

int SortAtClose_Feld(const QString& wert)
{
    // The number in the last two characters, three blanks put in front; a
    // text that is no number counts 0. Whole numbers as the setting's
    // integer takes them: halves to the even neighbour.
    const QString zwei = (QStringLiteral("   ") + wert).right(2);
    const double zahl = std::nearbyint(zcommon::Val(zwei));
    if (zahl < 0 || zahl >= FeldAnzahl)
        return -1; // below 0 no sort; 24 to 99 name no field
    return int(zahl);
}

} // namespace zbefehle
