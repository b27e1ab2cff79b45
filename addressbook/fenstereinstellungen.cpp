#include "addressbook/fenstereinstellungen.h"

#include "addressbook/sitzung.h"
#include "common/start.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/texte.h"

#include <cmath>

namespace zadressbuch {

namespace {

QString lesen(const char* schluessel, const QString& vorgabe)
{
    return zcommon::Ini_Lesen(QString(), QString(), QString::fromUtf8(schluessel), vorgabe);
}

void schreiben(const char* schluessel, const QString& wert)
{
    zcommon::Ini_Schreiben(QString(), QString(), QString::fromUtf8(schluessel), wert);
}

qint64 ganzzahl(double wert)
{
    if (!std::isfinite(wert))
        return 0;
    const double r = zcommon::RundenGerade(wert);
    if (r > 9.0e15 || r < -9.0e15)
        return 0;
    return qint64(r);
}

} // namespace

EingabeOptionen& eingabeOptionen()
{
    static EingabeOptionen werte;
    return werte;
}

EingabeOptionen EingabeOptionen_Laden()
{
    EingabeOptionen o;
    o.KatalogStdLand = lesen("KatalogStdLand", QStringLiteral("D-"));
    o.OrtAusPlz = zcommon::Val(lesen("OrtAusPlz", QStringLiteral("1"))) == 0 ? 0 : 1;
    o.AutoFormatUCase = int(ganzzahl(zcommon::Val(lesen("AutoFormatUCase", QStringLiteral("0")))));
    o.AutoFormatTrim = zcommon::Val(lesen("AutoFormatTrim", QStringLiteral("0"))) == 0 ? 0 : 1;
    eingabeOptionen() = o;
    sitzung().KatalogStdLand = o.KatalogStdLand;
    sitzung().OrtAusPlz = o.OrtAusPlz != 0;
    return o;
}

KartenSchriften KartenSchriften_Laden(const KartenSchriften& aktuell)
{
    KartenSchriften s;
    s.ein = lesen("SchriftEin", aktuell.ein);
    s.bem = lesen("SchriftBem", aktuell.bem);
    s.std = lesen("SchriftStd", aktuell.std);
    s.kom = lesen("SchriftKom", aktuell.kom);
    s.hintergrund = ganzzahl(zcommon::Val(lesen("SchriftBackCol", QString::number(aktuell.hintergrund))));
    return s;
}

qint64 Hintergrund_Pruefen(qint64 hintergrund, qint64 textfarbe)
{
    if (hintergrund == textfarbe)
        hintergrund = 16777215;
    if (hintergrund == textfarbe)
        hintergrund = 0;
    return hintergrund;
}

bool FeldBekommtSchrift(int feld)
{
    return feld >= 1 && feld <= 23 && feld != Bemerkung && feld != ErstelltAm && feld != GeaendertAm;
}

bool Systemfarbe(qint64 farbe, int* index)
{
    // Stored as a signed 32-bit number (-2147483643) or as its unsigned form.
    qint64 f = farbe;
    if (f < 0)
        f += qint64(1) << 32;
    const bool system = f >= 0x80000000LL && f <= 0xFFFFFFFFLL;
    if (index)
        *index = system ? int(f & 0xFFFF) : -1;
    return system;
}

void Einstellungen_Sichern(const FensterWerte& w)
{
    if (sitzung().NurLesen)
        return;
    schreiben("SchriftEin", w.schriften.ein);
    schreiben("SchriftBem", w.schriften.bem);
    schreiben("SchriftStd", w.schriften.std);
    schreiben("SchriftKom", w.schriften.kom);
    schreiben("SchriftBackCol", QString::number(w.schriften.hintergrund));
    if (w.minimiert)
        return; // a minimised window keeps the last stored size and place
    schreiben("Form_Höhe", QString::number(w.hoehe));
    schreiben("Form_Weite", QString::number(w.weite));
    schreiben("Form_Links", QString::number(w.links));
    schreiben("Form_Oben", QString::number(w.oben));
}

QString ListenPos_Schluessel(const QString& benutzer, const QString& adressDatei)
{
    return QStringLiteral("User_") + benutzer + QLatin1Char('_') + zcommon::Datei_Teil(adressDatei, 1) +
           QStringLiteral("_Pos");
}

QString ListenPos_Schluessel()
{
    return ListenPos_Schluessel(zcommon::Benutzer_Ermitteln(), sitzung().AdressDateiName);
}

int ListenPos_Laden(int anzahl, const QString& schluessel)
{
    double p = zcommon::Val(zcommon::Ini_Lesen(QString(), QString(), schluessel, QStringLiteral("0")));
    if (!std::isfinite(p))
        p = 0;
    if (p < 0 && anzahl > 0)
        p = 0;
    if (p > anzahl - 1)
        p = anzahl - 1;
    qint64 i = ganzzahl(p);
    if (i > anzahl - 1)
        i = anzahl - 1;
    if (i < -1)
        i = -1; // an empty list with a negative stored value: nothing selected
    return int(i);
}

int ListenPos_Laden(int anzahl)
{
    return ListenPos_Laden(anzahl, ListenPos_Schluessel());
}

void ListenPos_Sichern(int listIndex, const QString& schluessel)
{
    if (sitzung().NurLesen)
        return;
    zcommon::Ini_Schreiben(QString(), QString(), schluessel, QString::number(listIndex));
}

void ListenPos_Sichern(int listIndex)
{
    ListenPos_Sichern(listIndex, ListenPos_Schluessel());
}

} // namespace zadressbuch
