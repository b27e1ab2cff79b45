#include "exchange/import.h"

#include "addressbook/adressdatei.h"
#include "addressbook/datensatz.h"
#include "addressbook/indexnummern.h"
#include "addressbook/sitzung.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/codec.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QFile>
#include <QStringDecoder>

namespace zaustausch {

QList<QStringList> Trenntext_Zerlegen(QStringView text, QChar trenner)
{
    QList<QStringList> zeilen;
    QStringList zeile;
    QString feld;
    bool feldBegonnen = false; // the row has a field (even an empty one)
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto zeileAbschliessen = [&] {
        if (feldBegonnen || !feld.isEmpty() || !zeile.isEmpty()) {
            zeile << feld;
            zeilen << zeile;
        }
        zeile.clear();
        feld.clear();
        feldBegonnen = false;
    };
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('"') && feld.isEmpty()) {
            // A quoted field: up to the next quote not doubled.
            ++i;
            feldBegonnen = true;
            while (i < n) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        feld += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                feld += text[i++];
            }
            continue;
        }
        if (c == trenner) {
            zeile << feld;
            feld.clear();
            feldBegonnen = true;
            ++i;
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            zeileAbschliessen();
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            ++i;
            continue;
        }
        feld += c;
        feldBegonnen = true;
        ++i;
    }
    zeileAbschliessen();
    return zeilen;
}

QString Trenntext_Verbinden(const QList<QStringList>& zeilen, QChar trenner)
{
    QString text;
    for (const QStringList& zeile : zeilen) {
        for (qsizetype f = 0; f < zeile.size(); ++f) {
            if (f > 0)
                text += trenner;
            const QString& feld = zeile[f];
            const bool quoten = feld.contains(trenner) || feld.contains(QLatin1Char('"')) ||
                                feld.contains(QLatin1Char('\r')) || feld.contains(QLatin1Char('\n')) ||
                                (zeile.size() == 1 && feld.isEmpty());
            if (quoten) {
                QString q = feld;
                q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
                text += QLatin1Char('"') + q + QLatin1Char('"');
            } else {
                text += feld;
            }
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

QChar Trenner_Erkennen(QStringView ersteZeile)
{
    int tab = 0, semikolon = 0, komma = 0;
    bool inQuote = false;
    for (QChar c : ersteZeile) {
        if (c == QLatin1Char('"'))
            inQuote = !inQuote;
        else if (inQuote)
            continue;
        else if (c == QLatin1Char('\t'))
            ++tab;
        else if (c == QLatin1Char(';'))
            ++semikolon;
        else if (c == QLatin1Char(','))
            ++komma;
    }
    if (semikolon > tab && semikolon >= komma)
        return QLatin1Char(';');
    if (komma > tab && komma > semikolon)
        return QLatin1Char(',');
    return QLatin1Char('\t');
}

QString ImportText_Lesen(const QString& pfad, bool* ok)
{
    QFile f(zplatform::pfadAufloesen(pfad));
    if (!f.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return QString();
    }
    const QByteArray bytes = f.readAll();
    if (ok)
        *ok = true;
    if (zplatform::markenLaenge(bytes.constData(), bytes.size()) > 0)
        return zplatform::ausDateiBytes(bytes);
    bool ascii = true;
    for (char c : bytes) {
        if (uchar(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    return zplatform::ausWindows1252(bytes);
}

namespace {

QString vergleichsform(QString s)
{
    s.remove(QLatin1Char('&'));
    s.remove(QLatin1Char(':'));
    return zcommon::LCase(s.trimmed());
}

} // namespace

QList<int> Zuordnung_Vorschlagen(const QStringList& kopf)
{
    QList<int> r;
    QList<bool> vergeben(zadressbuch::FeldAnzahl, false);
    const auto& karte = zadressbuch::sitzung().Bezeichnungen;
    const auto& standard = zadressbuch::StandardBezeichnungen();
    for (const QString& spalte : kopf) {
        const QString s = vergleichsform(spalte);
        int feld = -1;
        for (int f = 0; f < zadressbuch::FeldAnzahl && !s.isEmpty(); ++f) {
            if (!vergeben[f] && (vergleichsform(karte[size_t(f)]) == s || vergleichsform(standard[size_t(f)]) == s)) {
                feld = f;
                break;
            }
        }
        if (feld >= 0)
            vergeben[feld] = true;
        r << feld;
    }
    return r;
}

ImportErgebnis Adressen_Importieren(zadressbuch::AdressListe& liste, const QList<QStringList>& zeilen,
                                    const QList<int>& zuordnung, bool ersteZeileKopf)
{
    ImportErgebnis e;
    zadressbuch::Sitzung& s = zadressbuch::sitzung();
    const QString titel = QStringLiteral("Import einer Adressliste");
    if (s.NurLesen) {
        zcommon::Meldung(
            QStringLiteral("#SystemHand"),
            QStringLiteral("Die Adressen-Datei ist nur zum Lesen geöffnet: es kann nichts importiert werden."),
            zplatform::vbExclamation, titel);
        e.abgelehnt = true;
        return e;
    }
    bool zugeordnet = false;
    for (int f : zuordnung)
        zugeordnet = zugeordnet || (f >= 0 && f < zadressbuch::FeldAnzahl);
    if (!zugeordnet) {
        zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                         QStringLiteral("Keiner Spalte ist ein Feld zugeordnet: es wird nichts importiert."),
                         zplatform::vbExclamation, titel);
        e.abgelehnt = true;
        return e;
    }

    // Gather the records first, so index numbers are handed out in one step.
    QList<zadressbuch::Felder> saetze;
    for (qsizetype z = ersteZeileKopf ? 1 : 0; z < zeilen.size(); ++z) {
        const QStringList& zeile = zeilen[z];
        zadressbuch::Felder felder;
        bool inhalt = false;
        for (qsizetype sp = 0; sp < zeile.size() && sp < zuordnung.size(); ++sp) {
            const int f = zuordnung[sp];
            if (f < 0 || f >= zadressbuch::FeldAnzahl)
                continue;
            const QString wert = zeile[sp].trimmed();
            if (wert.isEmpty())
                continue;
            QString& ziel = felder[size_t(f)];
            ziel = ziel.isEmpty() ? wert : ziel + QLatin1Char(' ') + wert;
            inhalt = true;
        }
        if (!inhalt) {
            ++e.uebersprungen;
            continue;
        }
        saetze << felder;
    }
    const qsizetype platz = zadressbuch::MaxAdressen - liste.ListCount();
    if (saetze.size() > platz) {
        saetze.resize(qMax<qsizetype>(0, platz));
        e.voll = true;
    }
    if (!saetze.isEmpty()) {
        const long long letzte = zadressbuch::AdressIndex_Vergeben(int(saetze.size()));
        long long nummer = letzte - saetze.size();
        const QString heute = zcommon::DatumText(zcommon::Heute());
        e.ersterNeuer = liste.ListCount();
        for (zadressbuch::Felder& felder : saetze) {
            if (felder[zadressbuch::ErstelltAm].isEmpty())
                felder[zadressbuch::ErstelltAm] = heute;
            if (felder[zadressbuch::GeaendertAm].isEmpty())
                felder[zadressbuch::GeaendertAm] = heute;
            if (nummer < 1)
                nummer += zadressbuch::IndexHoechstwert;
            felder[zadressbuch::Index] = QString::number(nummer++);
            liste.AddItem(zadressbuch::Verbinden(felder));
            ++e.importiert;
        }
        s.Geaendert = 1;
    }
    if (e.voll)
        zadressbuch::Speicherproblem_Melden(QStringLiteral("Die letzten Adressen sind nicht importiert worden!"));
    return e;
}

QStringList Zwischenablage_Zeilen(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    if (t.isEmpty())
        return {};
    return t.split(QLatin1Char('\n')).mid(0, 8);
}

} // namespace zaustausch
