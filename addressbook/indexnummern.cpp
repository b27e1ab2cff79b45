#include "addressbook/indexnummern.h"

#include "addressbook/fenster.h"

#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/plattform.h"

#include <cmath>

namespace zadressbuch {

namespace {

const QString Schluessel = QStringLiteral("AdressIndex");
const QString Allgemein = QStringLiteral("Allgemein");

// A stored counter: a whole number of at least 1; anything else counts as 1,
// so the other place wins and no number is handed out twice.
long long ZaehlerWert(const QString& text)
{
    bool ok = false;
    const long long wert = zcommon::Trim(text).toLongLong(&ok);
    return ok && wert >= 1 ? wert : 1;
}

// Writes the counter to both places; tells the user once per run when
// neither place took it.
void ZaehlerSchreiben(long long n)
{
    const QString text = QString::number(n);
    const QString programmIni = sitzung().ProgrammIni();
    zcommon::Ini_Schreiben(programmIni, Allgemein, Schluessel, text);
    zcommon::Ini_Schreiben(QString(), QString(), Schluessel, text);
    const bool a = zcommon::Ini_Lesen(programmIni, Allgemein, Schluessel) == text;
    const bool b = zcommon::Ini_Lesen(QString(), QString(), Schluessel) == text;
    if (!a && !b && !sitzung().IndexFehlerGemeldet) {
        sitzung().IndexFehlerGemeldet = true;
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Der Zähler der Index-Nummern konnte weder in »%1« noch in »%2« "
                                        "gespeichert werden.~~Index-Nummern, die jetzt vergeben werden, können "
                                        "später ein zweites Mal vergeben werden. Bitte prüfen Sie, ob diese "
                                        "Dateien beschrieben werden dürfen.")
                             .arg(zcommon::Woertlich(programmIni), zcommon::Woertlich(zcommon::Ini_Pfad(QString()))),
                         zplatform::vbExclamation);
    }
}

long long Naechster(long long n)
{
    return n >= IndexHoechstwert ? 1 : n + 1;
}

// The record with field 23 replaced by the text; every other character kept.
QString MitIndex(const QString& eintrag, const QString& nummer)
{
    QString satz = eintrag;
    qsizetype start = 0;
    for (int i = 0; i < Index; ++i) {
        qsizetype p = satz.indexOf(Feldtrenner, start);
        if (p < 0) {
            satz.append(Feldtrenner);
            p = satz.size() - 1;
        }
        start = p + 1;
    }
    qsizetype ende = satz.indexOf(Feldtrenner, start);
    if (ende < 0) {
        satz.append(Feldtrenner);
        ende = satz.size() - 1;
    }
    satz.replace(start, ende - start, nummer);
    return satz;
}

} // namespace

long long AdressIndex_Vergeben(int count)
{
    const long long a =
        ZaehlerWert(zcommon::Ini_Lesen(sitzung().ProgrammIni(), Allgemein, Schluessel, QStringLiteral("1")));
    const long long b = ZaehlerWert(zcommon::Ini_Lesen(QString(), QString(), Schluessel, QStringLiteral("1")));
    const long long x = a + count;
    const long long y = b + count;
    long long n = x > y ? x : y;
    if (n > IndexHoechstwert)
        n = 1;
    ZaehlerSchreiben(n);
    return n;
}

IndexSuche Index_Suchen(AdressListe& liste, double nummer, Fenster& fenster)
{
    IndexSuche ergebnis;
    zplatform::plattform().sanduhr(true);

    const double gerundet = zcommon::RundenKaufmaennisch(nummer);
    const QString k =
        std::isfinite(gerundet) && std::fabs(gerundet) < 9e18 ? QString::number(qint64(gerundet)) : QStringLiteral("0");
    fenster.Status(QStringLiteral("Suche Index #") + k);
    const QString muster = Feldtrenner + k + Feldtrenner;

    const int anzahl = liste.ListCount();
    const int ausgewaehlt = liste.ListIndex();
    const int zuPruefen = ausgewaehlt >= 0 ? anzahl - 1 : anzahl;
    int i = ausgewaehlt;
    for (int c = 0; c < zuPruefen; ++c) {
        ++i;
        if (i >= anzahl)
            i = 0;
        if (liste.List(i).contains(muster)) {
            ergebnis.gefunden = true;
            ergebnis.position = i;
            break;
        }
    }

    if (ergebnis.gefunden) {
        liste.setListIndex(ergebnis.position);
        ergebnis.status = QStringLiteral("Bereit");
        fenster.Status(ergebnis.status);
        zcommon::Ton_Ausgeben(zcommon::Programm_Ordner() + QStringLiteral("/Sgn_Jo.Wav"));
    } else {
        ergebnis.status = QStringLiteral("Index #") + k + QStringLiteral(" nicht gefunden");
        fenster.Status(ergebnis.status);
        zcommon::Ton_Ausgeben(zcommon::Programm_Ordner() + QStringLiteral("/Sgn_No.Wav"));
    }
    zplatform::plattform().sanduhr(false);
    return ergebnis;
}

int Index_NeuVergeben(AdressListe& liste)
{
    if (sitzung().NurLesen)
        return -1;
    long long naechste = AdressIndex_Vergeben(0);
    const int anzahl = liste.ListCount();
    bool geaendert = false;
    for (int i = 0; i < anzahl; ++i) {
        const QString satz = MitIndex(liste.List(i), QString::number(naechste));
        naechste = Naechster(naechste);
        if (satz != liste.List(i)) {
            liste.setList(i, satz);
            geaendert = true;
        }
    }
    ZaehlerSchreiben(naechste);
    if (geaendert)
        sitzung().Geaendert = 1;
    return anzahl;
}

} // namespace zadressbuch
