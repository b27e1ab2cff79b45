#include "printing/listendruck.h"

#include "addressbook/datensatz.h"
#include "common/drucktext.h"
#include "common/ini.h"
#include "common/texte.h"
#include "masks/masken.h"
#include "platform/codec.h"
#include "platform/textdatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zdruck {

QString Anzahl_Text(int ausgewaehlt, int gesamt)
{
    return QStringLiteral("%1 von %2 Adressen sind zum Drucken ausgewählt").arg(ausgewaehlt).arg(gesamt);
}

bool Auswahl_Passt(const QString& datensatz, const QString& benutzerFilter, const QString& textFilter)
{
    const QString u = benutzerFilter.trimmed();
    const QString f9 = zadressbuch::FeldAus(datensatz, zadressbuch::FuerUser);
    const bool benutzer = (u.isEmpty() && f9.isEmpty()) || (!f9.isEmpty() && f9.contains(u, Qt::CaseSensitive));
    if (!benutzer)
        return false;
    const QString t = textFilter.trimmed();
    return t.isEmpty() || datensatz.contains(t, Qt::CaseInsensitive);
}

QString Kommas_Bereinigen(QString text)
{
    for (int i = 0; i < 9; ++i) {
        if (!text.contains(QLatin1String(",  ")) && !text.contains(QLatin1String(", , ")))
            break; // nothing left to shrink
        text = zcommon::Ersetzen(text, QStringLiteral(",  "), QStringLiteral(", "));
        text = zcommon::Ersetzen(text, QStringLiteral(", , "), QStringLiteral(", "));
    }
    return text;
}

double Rand_Oben()
{
    return zcommon::Val(zcommon::Ini_Lesen(QString(), QStringLiteral("Drucker"), QStringLiteral("RandOben"),
                                           QStringLiteral("0"))) /
           10.0;
}

void Listenlauf::seiteBeginnen()
{
    if (seiteBestaetigen && !seiteBestaetigen(seitenNummer + 1))
        druckStopp = true;
    ++seitenNummer;
    zplatform::Drucker& d = zplatform::drucker();
    d.schrift.groesse = 1;
    d.drucken(QStringLiteral(" "));
    d.schrift = schrift;
    d.currentY = Rand_Oben();
    if (!seiteProAdresse && !ueberschrift.isEmpty()) {
        d.schrift.groesse = schrift.groesse + 2;
        d.drucken(ueberschrift + QStringLiteral(", Seite ") + QString::number(seitenNummer));
        d.schrift.groesse = schrift.groesse;
        d.drucken(QString());
    }
}

bool Listenlauf::seiteBeenden()
{
    zcommon::Fusszeile_Drucken(0);
    zplatform::Drucker& d = zplatform::drucker();
    ++seitenGesendet;
    if (d.dokumentEnde())
        return true;
    if (fehler && fehler(d.letzterFehler()))
        return true;
    druckStopp = true;
    return false;
}

bool Listenlauf::kopieDrucken()
{
    zplatform::Drucker& d = zplatform::drucker();
    seitenNummer = 0;
    if (fortschritt)
        fortschritt(0);
    d.scaleLeft = -randX;
    d.scaleTop = -randY;
    zmasken::Masken_Durchgang durchgang;

    bool seiteOffen = false;
    const int anzahl = eintraege ? int(eintraege->size()) : 0;
    int zuletztGemeldet = -1;
    for (int i = 0; i < anzahl; ++i) {
        if (anzahl > 1 && fortschritt) {
            const int wert = i * 100 / (anzahl - 1);
            if (wert != zuletztGemeldet) {
                fortschritt(wert);
                zuletztGemeldet = wert;
            }
        }
        if (!ausgewaehlt(i))
            continue;
        if (!seiteOffen) {
            seiteBeginnen();
            seiteOffen = true;
        }
        QString text = Kommas_Bereinigen(zmasken::Maske_Ausfuellen(maske, eintraege->at(i)));

        // Bounds inside the printable area of the moved origin.
        auto drucken = [&](QString& t) {
            const double rechts = d.scaleWidth() - randX - 1.0;
            const double unten = d.scaleHeight() - randY - 2.0 * d.textHoehe(QStringLiteral("Ay"));
            return zcommon::Text_ImRechteckDrucken(t, -1, -1, rechts, unten);
        };
        QString rest = drucken(text);
        // What does not fit goes on on the next page; no progress on an
        // empty page ends the block.
        while (!rest.isEmpty() && !druckStopp) {
            if (!seiteBeenden())
                return false;
            seiteBeginnen();
            const QString vorher = rest;
            rest = drucken(rest);
            if (rest == vorher)
                break;
        }
        d.drucken(QString());
        seiteOffen = true;

        const int zeilen = int(rest.count(QLatin1Char('\r'))) + 2;
        const float grenze = float(d.currentY) + float(zeilen) * float(d.textHoehe(QStringLiteral("Ay"))) + 1.5f;
        if (seiteProAdresse || float(d.scaleHeight() - randY) <= grenze) {
            if (!seiteBeenden())
                return false;
            seiteOffen = false;
        }
        if (druckStopp)
            break;
    }
    if (seiteOffen && !seiteBeenden())
        return false;
    return !druckStopp;
}

namespace {
bool gleicheDatei(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo fa(a), fb(b);
    const QString ka = fa.canonicalFilePath(), kb = fb.canonicalFilePath();
    if (!ka.isEmpty() && ka == kb)
        return true;
    return QDir::cleanPath(fa.absoluteFilePath())
               .compare(QDir::cleanPath(fb.absoluteFilePath()), Qt::CaseInsensitive) == 0;
}
} // namespace

QString Auswahl_Exportieren(const QString& pfad, const QStringList& zeilen, bool neu, const QString& beschreibung,
                            const QString& offeneAdressdatei, QString* ersetzt)
{
    if (gleicheDatei(pfad, offeneAdressdatei))
        return QStringLiteral("Die geöffnete Adressdatei kann nicht das Ziel sein.");
    QStringList alles;
    if (neu && !beschreibung.isEmpty())
        alles << QStringLiteral("..") + beschreibung;
    alles << zeilen;
    for (QString& zeile : alles)
        zeile = zplatform::nurWindows1252(zeile, ersetzt);
    if (neu) {
        const zplatform::Ergebnis e = zplatform::zeilenSchreiben(pfad, alles);
        return e ? QString() : e.fehler;
    }
    if (!QFileInfo::exists(pfad))
        return QStringLiteral("Die Datei %1 kann nicht geöffnet werden.").arg(QDir::toNativeSeparators(pfad));
    const zplatform::Ergebnis e = zplatform::zeilenAnhaengen(pfad, alles);
    return e ? QString() : e.fehler;
}

} // namespace zdruck
