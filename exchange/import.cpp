#include "exchange/import.h"

#include "addressbook/adressdatei.h"
#include "addressbook/datensatz.h"
#include "addressbook/indexnummern.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/codec.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QFile>
#include <QStringDecoder>

namespace zaustausch {

namespace {

const QChar StrgZ(0x1A); // the end-of-file mark of old text files

} // namespace

QList<QStringList> Trenntext_Zerlegen(QStringView text, QChar trenner, int maxSpalten, bool* gekuerzt)
{
    QList<QStringList> zeilen;
    QStringList zeile;
    QString feld;
    bool feldBegonnen = false; // the row has a field (even an empty one)
    const qsizetype n = text.size();
    qsizetype i = 0;
    // A field past the limit is read (a quoted one may hold line breaks) but not kept.
    auto feldNehmen = [&] {
        if (maxSpalten <= 0 || zeile.size() < maxSpalten)
            zeile << feld;
        else if (gekuerzt)
            *gekuerzt = true;
        feld.clear();
    };
    auto zeileAbschliessen = [&] {
        if (feldBegonnen || !feld.isEmpty() || !zeile.isEmpty()) {
            feldNehmen();
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
            feldNehmen();
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

ImportText ImportText_Aus(const QByteArray& bytes, const QString& name)
{
    ImportText t;
    if (zplatform::markenLaenge(bytes.constData(), bytes.size()) > 0) {
        t.text = zplatform::ausDateiBytes(bytes);
    } else {
        bool ascii = true;
        for (char c : bytes) {
            if (uchar(c) >= 0x80) {
                ascii = false;
                break;
            }
        }
        bool utf8 = false;
        if (!ascii) {
            QStringDecoder dekoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            t.text = dekoder(bytes);
            utf8 = !dekoder.hasError();
        }
        if (!utf8)
            t.text = zplatform::ausWindows1252(bytes);
    }
    // A second byte-order mark (files joined) is no text either.
    qsizetype marken = 0;
    while (marken < t.text.size() && t.text[marken] == QChar(0xFEFF))
        ++marken;
    t.text.remove(0, marken);
    if (t.text.contains(QChar(0))) {
        t.text.clear();
        t.fehler = QStringLiteral("Die Datei »") + name +
                   QStringLiteral("« ist keine Textdatei: sie enthält Null-Zeichen. Es wird nichts importiert.");
        return t;
    }
    // End-of-file marks behind the last text, with the line ends among them.
    qsizetype ende = t.text.size();
    bool marke = false;
    while (ende > 0) {
        const QChar c = t.text[ende - 1];
        if (c == StrgZ)
            marke = true;
        else if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            break;
        --ende;
    }
    if (marke) {
        QString schluss = t.text.mid(ende);
        schluss.remove(StrgZ);
        t.text.replace(ende, t.text.size() - ende, schluss);
    }
    return t;
}

ImportText ImportText_Lesen(const QString& pfad)
{
    QFile f(zplatform::pfadAufloesen(pfad));
    if (!f.open(QIODevice::ReadOnly)) {
        ImportText t;
        t.fehler = QStringLiteral("Die Datei »") + pfad + QStringLiteral("« kann nicht gelesen werden.");
        return t;
    }
    return ImportText_Aus(f.readAll(), pfad);
}

QString Importwert(QStringView zelle, int* ersetzt)
{
    const auto blank = [](QChar c) { return c.isSpace() || c == StrgZ; };
    qsizetype a = 0, b = zelle.size();
    while (a < b && blank(zelle[a]))
        ++a;
    while (b > a && blank(zelle[b - 1]))
        --b;
    const QStringView wert = zelle.mid(a, b - a);
    // A character outside the file's character set: its nearest letters, as
    // a paste into the card gets them ("Ł" gives "L", "ﬁ" gives "fi"), else
    // "?" (a surrogate pair once).
    qsizetype geaendert = 0;
    const QString r = zplatform::windows1252AngenaehertMitPlatzhalter(wert.toString(), u'?', &geaendert);
    if (geaendert == 0)
        return r;
    if (ersetzt)
        *ersetzt += int(geaendert);
    return Importwert(r); // the nearest form of a space is a blank
}

zadressbuch::Felder Zeile_Felder(const QStringList& zeile, const QList<int>& zuordnung, bool* inhalt, int* ersetzt)
{
    zadressbuch::Felder felder;
    bool etwas = false;
    for (qsizetype sp = 0; sp < zeile.size() && sp < zuordnung.size(); ++sp) {
        const int f = zuordnung[sp];
        if (f < 0 || f >= zadressbuch::FeldAnzahl)
            continue;
        const QString wert = Importwert(zeile[sp], ersetzt);
        if (wert.isEmpty())
            continue;
        QString& ziel = felder[size_t(f)];
        ziel = ziel.isEmpty() ? wert : ziel + QLatin1Char(' ') + wert;
        etwas = true;
    }
    if (inhalt)
        *inhalt = etwas;
    return felder;
}

namespace {

QString vergleichsform(QString s)
{
    s.remove(QLatin1Char('&'));
    s.remove(QLatin1Char(':'));
    return zcommon::LCase(s.trimmed());
}

// Column names other programs give a field, in comparison form.
struct AndererName
{
    const char* name;
    int feld;
};
constexpr AndererName AndereNamen[] = {
    {"e-mail", zadressbuch::EMail},
    {"e-mail-adresse", zadressbuch::EMail},
    {"email", zadressbuch::EMail},
    {"mail", zadressbuch::EMail},
};

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
        for (const AndererName& a : AndereNamen) {
            if (feld < 0 && !vergeben[a.feld] && s == QLatin1String(a.name))
                feld = a.feld;
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
    // Until the list holds the addresses and is marked changed (the message of a full list comes between).
    const zadressbuch::ListeWirdVeraendert veraendert;
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

    // Gather the records first, so index numbers are handed out in one step
    // and the list takes them in one step.
    QList<zadressbuch::Felder> saetze;
    for (qsizetype z = ersteZeileKopf ? 1 : 0; z < zeilen.size(); ++z) {
        bool inhalt = false;
        zadressbuch::Felder felder = Zeile_Felder(zeilen[z], zuordnung, &inhalt, &e.ersetzt);
        if (!inhalt) {
            ++e.uebersprungen;
            continue;
        }
        saetze << std::move(felder);
    }
    const qsizetype platz = zadressbuch::MaxAdressen - liste.ListCount();
    if (saetze.size() > platz) {
        saetze.resize(qMax<qsizetype>(0, platz));
        e.voll = true;
    }
    if (!saetze.isEmpty()) {
        // Only the addresses that bring no index number of their own take one
        // from the counter, all of them in one step.
        qsizetype ohneNummer = 0;
        for (const zadressbuch::Felder& felder : saetze) {
            if (!Indexnummer_Mitgebracht(felder[zadressbuch::Index]))
                ++ohneNummer;
        }
        long long nummer = 0;
        if (ohneNummer > 0)
            nummer = zadressbuch::AdressIndex_Vergeben(int(ohneNummer)) - ohneNummer;
        const QString heute = zcommon::DatumText(zcommon::Heute());
        QStringList eintraege;
        eintraege.reserve(saetze.size());
        for (zadressbuch::Felder& felder : saetze) {
            if (felder[zadressbuch::ErstelltAm].isEmpty())
                felder[zadressbuch::ErstelltAm] = heute;
            if (felder[zadressbuch::GeaendertAm].isEmpty())
                felder[zadressbuch::GeaendertAm] = heute;
            if (!Indexnummer_Mitgebracht(felder[zadressbuch::Index])) {
                if (nummer < 1)
                    nummer += zadressbuch::IndexHoechstwert;
                felder[zadressbuch::Index] = QString::number(nummer++);
            }
            eintraege << zadressbuch::Verbinden(felder);
        }
        e.importiert = liste.AddItems(eintraege);
        s.Geaendert = 1;
    }
    if (e.voll)
        zadressbuch::Speicherproblem_Melden(QStringLiteral("Die letzten Adressen sind nicht importiert worden!"));
    return e;
}

bool Indexnummer_Mitgebracht(const QString& feld23)
{
    return zcommon::Val(feld23) > 0;
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
