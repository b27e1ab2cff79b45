#include "addressbook/karte.h"

#include "addressbook/adressdatei.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/textdatei.h"

#include <QSet>

#include <algorithm>
#include <cmath>

#include <optional>

namespace zadressbuch {

QString AlterText(const QString& geburtstag, const QDate& heute)
{
    const QDate datum = zcommon::DatumAusText(geburtstag);
    if (!datum.isValid() || datum > heute)
        return QString();
    int m = (heute.year() - datum.year()) * 12 + (heute.month() - datum.month());
    const int y = int(std::floor(m / 12.0));
    m -= 12 * y;

    QString jahre;
    if (y == 1)
        jahre = QStringLiteral("1 Jahr");
    else if (y > 1)
        jahre = QString::number(y) + QStringLiteral(" Jahre");
    QString monate;
    if (m == 1)
        monate = QStringLiteral("1 Monat");
    else if (m > 1)
        monate = QString::number(m) + QStringLiteral(" Monate");

    QString text = jahre;
    if (!jahre.isEmpty() && !monate.isEmpty())
        text += QStringLiteral(" und\r\n");
    text += monate;
    if (y + m > 0)
        text += QStringLiteral(" alt");
    return text;
}

QString TageText(const QString& datum, const QDate& heute)
{
    const QDate d = zcommon::DatumAusText(datum);
    if (d.isValid())
        return QString::number(d.daysTo(heute)) + QStringLiteral(" Tg.");
    return QLatin1Char('>') + QString::number(QDate(1995, 9, 1).daysTo(heute)) + QStringLiteral(" Tg.");
}

QString PositionText(int listIndex, int anzahl)
{
    return QStringLiteral(" Pos. ") + QString::number(listIndex < 0 ? 0 : listIndex + 1) + QStringLiteral(" von ") +
           QString::number(anzahl) + QLatin1Char(' ');
}

QString UnsavedText(int geaendert)
{
    return geaendert != 0 ? QStringLiteral(" * ") : QString();
}

QString IndexText(const QString& feld23)
{
    const double wert = zcommon::RundenKaufmaennisch(zcommon::Val(feld23));
    QString zahl;
    if (wert != 0 && std::isfinite(wert))
        zahl = QString::number(qint64(wert));
    return QStringLiteral(" #") + zahl + QLatin1Char(' ');
}

KartenAnzeige Karte_Anzeige(const AdressListe& liste)
{
    KartenAnzeige a;
    const int i = liste.ListIndex();
    const int anzahl = liste.ListCount();
    if (i >= 0 && i < anzahl) {
        a.felder = Zerlegen(liste.List(i));
        const QDate heute = zcommon::Heute();
        a.alter = AlterText(a.felder[Geburtstag], heute);
        a.zeit1 = TageText(a.felder[ErstelltAm], heute);
        a.zeit2 = TageText(a.felder[GeaendertAm], heute);
    }
    a.position = PositionText(i, anzahl);
    a.unsaved = UnsavedText(sitzung().Geaendert);
    a.index = IndexText(a.felder[Index]);
    a.status = QStringLiteral("Bereit");
    sitzung().LeerlaufZaehler = 0;
    return a;
}

namespace {

// A one-line card field holds at most ZeilenfeldGrenze characters, so a
// longer field of the entry (put in by an import) reaches the card cut. A
// field that still reads as that cut text was not edited: it keeps the
// entry's full text.
void langeFelderErgaenzen(Felder& karte, const QString& eintrag)
{
    std::optional<Felder> voll;
    for (int f = 0; f < FeldAnzahl; ++f) {
        if (f == Bemerkung || karte[f].size() != ZeilenfeldGrenze)
            continue;
        if (!voll)
            voll = Zerlegen(eintrag);
        const QString& text = (*voll)[f];
        if (text.size() > ZeilenfeldGrenze && text.startsWith(karte[f]))
            karte[f] = text;
    }
}

} // namespace

int Bemerkungsgrenze(const Felder& karte)
{
    int andere = 0;
    for (int f = 0; f < FeldAnzahl; ++f)
        if (f != Bemerkung)
            andere += LaengeImDatensatz(karte[f]) + 1;
    return qMax(0, 1023 - andere);
}

bool Karte_Weicht_Ab(Felder karte, const AdressListe& liste)
{
    const int i = liste.ListIndex();
    if (i < 0 || i >= liste.ListCount())
        return std::any_of(karte.begin(), karte.end(), [](const QString& f) { return !f.trimmed().isEmpty(); });
    const QString& eintrag = liste.List(i);
    langeFelderErgaenzen(karte, eintrag);
    return Verbinden(karte) != Verbinden(Zerlegen(eintrag));
}

KartenSpeicherung Karte_Uebernehmen(Felder& karte, int DatumBehalten, AdressListe& liste)
{
    KartenSpeicherung s;
    if (sitzung().NurLesen) {
        s.aktion = KartenSpeicherung::NurLesen;
        return s;
    }
    sitzung().Geaendert = 1;
    if (DatumBehalten == 0) {
        karte[GeaendertAm] = zcommon::DatumText(zcommon::Heute());
        s.feld16 = karte[GeaendertAm];
        s.feld16Gesetzt = true;
    }

    const int i = liste.ListIndex();
    const bool gewaehlt = i >= 0 && i < liste.ListCount();
    if (gewaehlt)
        langeFelderErgaenzen(karte, liste.List(i));

    s.feld11Grenze = Bemerkungsgrenze(karte);

    s.datensatz = Verbinden(karte);

    if (!gewaehlt) {
        if (liste.ListCount() >= MaxAdressen) {
            Speicherproblem_Melden();
            s.aktion = KartenSpeicherung::KeinPlatz;
            return s;
        }
        liste.AddItem(s.datensatz);
        liste.setListIndex(liste.ListCount() - 1);
        s.aktion = KartenSpeicherung::Angehaengt;
        s.neuAnzeigen = true;
    } else if (liste.List(i) != s.datensatz) {
        liste.setList(i, s.datensatz);
        s.aktion = KartenSpeicherung::Ersetzt;
        s.neuAnzeigen = true;
    }
    return s;
}

QString Eingabe_Formatieren(int feld, const QString& text, int grossKlein, int trimmen)
{
    if (feld < 0 || feld >= FeldAnzahl || feld == Bemerkung || feld == ErstelltAm || feld == GeaendertAm ||
        feld == Index)
        return text;
    QString t = trimmen != 0 ? zcommon::Trim(text) : text;
    if (feld == EMail || feld == Www)
        return t;
    switch (grossKlein) {
    case 1:
    case 2: {
        bool anfang = true;
        for (qsizetype k = 0; k < t.size(); ++k) {
            const QChar c = t.at(k);
            if (c == QLatin1Char(' ') || (grossKlein == 1 && c == QLatin1Char('-'))) {
                anfang = true;
                continue;
            }
            if (anfang && c.isLetter())
                t.replace(k, 1, zcommon::UCase(QString(c)));
            if (grossKlein == 2)
                return t;
            anfang = false;
        }
        return t;
    }
    case 3:
        return zcommon::UCase(t);
    case 4:
        return zcommon::LCase(t);
    default:
        return t;
    }
}

QStringList AuswahlListe_Laden(int feld)
{
    QStringList werte;
    const QString name = QStringLiteral("Liste%1.txt").arg(feld, 2, 10, QLatin1Char('0'));
    const QString pfad = zplatform::pfadAufloesen(zcommon::Programm_Ordner() + QLatin1Char('/') + name);
    zplatform::Ergebnis e;
    const QStringList zeilen = zplatform::zeilenLesen(pfad, &e);
    if (!e.ok)
        return werte;
    for (const QString& z : zeilen) {
        const QString wert = zcommon::RTrim(z);
        if (!wert.isEmpty())
            werte << wert;
    }
    return werte;
}

QStringList Daten_Suchen(const AdressListe& liste, int feld)
{
    QStringList werte;
    QSet<QString> gesehen;
    for (const QString& eintrag : liste.eintraege()) {
        const QStringView roh = FeldRoh(eintrag, feld);
        if (zcommon::Trim(roh.toString()).isEmpty())
            continue;
        QString wert = FeldAus(eintrag, feld);
        if (!gesehen.contains(wert)) {
            gesehen.insert(wert);
            werte << wert;
        }
    }
    return werte;
}

} // namespace zadressbuch
