#include "masks/masken.h"

#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/texte.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"
#include "platform/textdatei.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <memory>
#include <vector>

namespace zmasken {

using zadressbuch::FeldAnzahl;
using Bezeichnungen = std::array<QString, FeldAnzahl>;

namespace {

const QString CrLf = QStringLiteral("\r\n");

// --- files and their state ----------------------------------------------------------------

// What identifies one version of a file or folder: a save (written through a
// temporary file and a rename) changes at least the inode and the times.
struct Stempel
{
    qint64 mtime = 0;
    qint64 ctime = 0;
    qint64 groesse = -1;
    quint64 inode = 0;
    quint64 geraet = 0;
    bool operator==(const Stempel&) const = default;
};

enum class Art { Fehlt, Datei, Ordner, Anderes };

Art stempelLesen(const QString& pfad, Stempel* s)
{
    const zplatform::Dateistand st = zplatform::dateistand(pfad);
    if (!st.vorhanden)
        return Art::Fehlt;
    s->mtime = st.geaendertNs;
    s->ctime = st.statusNs;
    s->groesse = st.groesse;
    s->inode = st.inode;
    s->geraet = st.geraet;
    if (st.datei)
        return Art::Datei;
    if (st.ordner)
        return Art::Ordner;
    return Art::Anderes;
}

// The names of a folder, found without regard to case; kept until the folder changes.
struct OrdnerInhalt
{
    Stempel stempel;
    QHash<QString, QString> namen; // case-folded name -> name on disk
};

// A prepared mask: the text cut at the field placeholders of the captions it was prepared for.
struct Abschnitt
{
    int feld = -1;      // -1: fixed text
    bool tilde = false; // "{~caption}"
    QString text;
};

struct Vorlage
{
    Bezeichnungen bezeichnungen;
    std::vector<Abschnitt> abschnitte;
    // The pieces give the same result as the step-by-step replacement for
    // every record without braces (see vorbereiten()).
    bool schnell = false;
    qsizetype laenge = 0; // length of the fixed text
};

struct MaskenEintrag
{
    Stempel stempel;
    QString text;
    std::shared_ptr<const Vorlage> vorlage;
};

// Where a mask name given without a folder was found, and the state of the
// current folder then (a file of that name appearing there would come first).
struct Aufloesung
{
    QString pfad;
    Stempel arbeitsordner;
};

struct Cache
{
    QHash<QString, OrdnerInhalt> ordner;
    QHash<QString, Aufloesung> aufloesungen;
    QHash<QString, MaskenEintrag> masken;
    // An open run (Masken_Durchgang): the files of the masks looked up in it
    // ("" for a missing one), keyed by name and mask folder, and its moment.
    int durchgaenge = 0;
    QHash<QString, QString> imDurchgang;
    QDateTime moment;
};

Cache& cache()
{
    static Cache c;
    return c;
}

// The file's name on disk in that folder without regard to case ("" when
// none); s is the folder's state, just read.
QString imOrdnerSuchen(const QString& ordner, const Stempel& s, const QString& name)
{
    auto& liste = cache().ordner;
    auto it = liste.find(ordner);
    if (it == liste.end() || !(it->stempel == s)) {
        OrdnerInhalt inhalt;
        inhalt.stempel = s;
        QDirIterator dir(ordner, QDir::Files | QDir::Hidden | QDir::System);
        while (dir.hasNext()) {
            dir.next();
            const QString n = dir.fileName();
            const QString schluessel = n.toCaseFolded();
            auto vorhanden = inhalt.namen.find(schluessel);
            if (vorhanden == inhalt.namen.end())
                inhalt.namen.insert(schluessel, n);
            else if (n < *vorhanden)
                *vorhanden = n; // several in other cases: always the first by name
        }
        if (liste.size() > 64)
            liste.clear();
        it = liste.insert(ordner, inhalt);
    }
    return it->namen.value(name.toCaseFolded());
}

// The path of an existing regular file for the name, its case ignored; "" when
// there is none. *s gets the file's state.
QString dateiFinden(const QString& pfad, Stempel* s)
{
    if (pfad.isEmpty() || pfad.contains(u'*') || pfad.contains(u'?'))
        return QString();
    const Art art = stempelLesen(pfad, s);
    if (art == Art::Datei)
        return pfad;
    if (art != Art::Fehlt)
        return QString();
    const QFileInfo info(pfad);
    const QString ordner = info.path();
    Stempel os;
    if (stempelLesen(ordner, &os) == Art::Ordner) {
        const QString name = imOrdnerSuchen(ordner, os, info.fileName());
        if (name.isEmpty())
            return QString();
        const QString voll = ordner + u'/' + name;
        return stempelLesen(voll, s) == Art::Datei ? voll : QString();
    }
    // The folder itself is written in another case.
    const QString aufgeloest = zplatform::pfadAufloesen(pfad);
    return stempelLesen(aufgeloest, s) == Art::Datei ? aufgeloest : QString();
}

QString mitEndung(const QString& maskenName)
{
    QString name = zplatform::normalPfad(maskenName);
    if (name.right(4).toLower() != QLatin1String(".msk"))
        name += QStringLiteral(".msk");
    return name;
}

// The name as given (a bare name in the current folder), else inside the mask
// folder. *s gets the file's state.
QString dateiDerMaske(const QString& maskenName, Stempel* s)
{
    const QString name = mitEndung(maskenName);
    const QString ordner = Maskenordner();
    // A bare name found before is taken again while the file is there and the
    // current folder has not changed.
    const bool merken = !name.contains(u'/');
    Stempel hier;
    QString schluessel;
    if (merken) {
        stempelLesen(QStringLiteral("."), &hier);
        schluessel = name + u'\n' + ordner;
        auto it = cache().aufloesungen.constFind(schluessel);
        if (it != cache().aufloesungen.constEnd() && it->arbeitsordner == hier &&
            stempelLesen(it->pfad, s) == Art::Datei)
            return it->pfad;
    }
    QString pfad = dateiFinden(name, s);
    if (pfad.isEmpty() && !ordner.isEmpty())
        pfad = dateiFinden(ordner + u'/' + name, s);
    if (merken && !pfad.isEmpty()) {
        if (cache().aufloesungen.size() > 64)
            cache().aufloesungen.clear();
        cache().aufloesungen.insert(schluessel, Aufloesung{pfad, hier});
    }
    return pfad;
}

// --- expansion ----------------------------------------------------------------------------

bool nurBlanks(const QString& text)
{
    for (QChar c : text)
        if (c != u' ')
            return false;
    return true;
}

QString platzhalter(const QString& bezeichnung, bool tilde)
{
    return (tilde ? QStringLiteral("{~") : QStringLiteral("{")) + bezeichnung + u'}';
}

// Cuts the mask text at the placeholders of the fields, in the order the
// step-by-step replacement works: field 0 plain, field 0 with "~", field 1 ...
// Each search runs only through the fixed text left over.
//
// This agrees with the step-by-step replacement unless a placeholder could be
// formed across an inserted field text. With captions and field texts free of
// braces, such a placeholder would have to begin with a "{" in a fixed piece
// that no "}" follows within that piece; masks with such a piece (and captions
// with braces) are expanded step by step instead.
std::shared_ptr<const Vorlage> vorbereiten(const QString& text, const Bezeichnungen& bezeichnungen)
{
    auto v = std::make_shared<Vorlage>();
    v->bezeichnungen = bezeichnungen;
    std::vector<Abschnitt> teile{Abschnitt{-1, false, text}};
    for (int i = 0; i < FeldAnzahl; ++i) {
        for (bool tilde : {false, true}) {
            const QString muster = platzhalter(bezeichnungen[i], tilde);
            std::vector<Abschnitt> neu;
            neu.reserve(teile.size() + 2);
            for (Abschnitt& a : teile) {
                if (a.feld >= 0) {
                    neu.push_back(std::move(a));
                    continue;
                }
                qsizetype pos = 0;
                qsizetype treffer = a.text.indexOf(muster, 0, Qt::CaseInsensitive);
                if (treffer < 0) {
                    neu.push_back(std::move(a));
                    continue;
                }
                while (treffer >= 0) {
                    neu.push_back(Abschnitt{-1, false, a.text.mid(pos, treffer - pos)});
                    neu.push_back(Abschnitt{i, tilde, QString()});
                    pos = treffer + muster.size();
                    treffer = a.text.indexOf(muster, pos, Qt::CaseInsensitive);
                }
                neu.push_back(Abschnitt{-1, false, a.text.mid(pos)});
            }
            teile = std::move(neu);
        }
    }

    bool schnell = true;
    for (const QString& b : bezeichnungen)
        if (b.contains(u'{') || b.contains(u'}'))
            schnell = false;
    for (Abschnitt& a : teile) {
        if (a.feld >= 0) {
            v->abschnitte.push_back(std::move(a));
            continue;
        }
        if (a.text.isEmpty())
            continue;
        const qsizetype auf = a.text.lastIndexOf(u'{');
        if (auf >= 0 && a.text.lastIndexOf(u'}') < auf)
            schnell = false;
        v->laenge += a.text.size();
        v->abschnitte.push_back(std::move(a));
    }
    v->schnell = schnell;
    return v;
}

// Replace-all as zcommon::Ersetzen does it (any case, left to right, going on
// behind each insertion), quicker for a pattern whose first character has no
// case ("{", "^").
// The value is asked for at the first occurrence only (reading the clock costs).
template <typename Wert> void ersetzenAb(QString& t, QStringView muster, Wert&& wertLesen)
{
    QString wert;
    const QChar erstes = muster.front();
    const QStringView rest = muster.mid(1);
    QString ergebnis;
    qsizetype pos = 0;
    qsizetype i = t.indexOf(erstes);
    while (i >= 0) {
        if (i + muster.size() <= t.size() &&
            QStringView(t).mid(i + 1, rest.size()).compare(rest, Qt::CaseInsensitive) == 0) {
            if (ergebnis.isNull()) {
                wert = wertLesen();
                ergebnis.reserve(t.size() + 16);
            }
            ergebnis += QStringView(t).mid(pos, i - pos);
            ergebnis += wert;
            pos = i + muster.size();
            i = t.indexOf(erstes, pos);
        } else {
            i = t.indexOf(erstes, i + 1);
        }
    }
    if (pos == 0)
        return;
    ergebnis += QStringView(t).mid(pos);
    t = std::move(ergebnis);
}

// The moment of "{@Datum}" and "{@Uhrzeit}": the program's clock, read for
// each use; during a run the moment of its first use, for the whole run.
QDateTime momentLesen()
{
    {
        Cache& c = cache();
        if (c.durchgaenge > 0) {
            if (!c.moment.isValid())
                c.moment = zcommon::Jetzt();
            return c.moment;
        }
    }
    return zcommon::Jetzt();
}

// "hh:nn"
QString zeitText(const QTime& t)
{
    const int h = t.hour();
    const int m = t.minute();
    const QChar z[5] = {QChar(u'0' + h / 10), QChar(u'0' + h % 10), QChar(u':'), QChar(u'0' + m / 10),
                        QChar(u'0' + m % 10)};
    return QString(z, 5);
}

// Date, time and tab, then the line ends at the end, the "~" at line starts
// and the blanks at both ends.
QString nachbearbeiten(QString t)
{
    // The clock is read only for a placeholder that is there.
    if (t.contains(u'@') && t.contains(u"{@")) {
        ersetzenAb(t, u"{@Datum}", [] { return zcommon::DatumText(momentLesen().date()); });
        ersetzenAb(t, u"{@Uhrzeit}", [] { return zeitText(momentLesen().time()); });
    }
    ersetzenAb(t, u"^t", [] { return QStringLiteral("\t"); });
    while (!t.isEmpty() && (t.back() == u'\r' || t.back() == u'\n'))
        t.chop(1);
    if (t.contains(u'~') && t.contains(u"\n~"))
        t.replace(QLatin1String("\n~"), QLatin1String("\n"));
    return zcommon::Trim(t);
}

QString schrittweise(const QString& maskenText, const zadressbuch::Felder& felder, const Bezeichnungen& bezeichnungen)
{
    QString t = maskenText;
    for (int i = 0; i < FeldAnzahl; ++i) {
        t = zcommon::Ersetzen(t, platzhalter(bezeichnungen[i], false), felder[i]);
        t = zcommon::Ersetzen(t, platzhalter(bezeichnungen[i], true),
                              nurBlanks(felder[i]) ? felder[i] : felder[i] + CrLf);
    }
    return t;
}

QString ausfuellen(const Vorlage& v, const QString& maskenText, const QString& datensatz)
{
    if (maskenText.isEmpty())
        return QString();
    const zadressbuch::Felder felder = zadressbuch::Zerlegen(datensatz);
    if (!v.schnell || datensatz.contains(u'{') || datensatz.contains(u'}'))
        return nachbearbeiten(schrittweise(maskenText, felder, v.bezeichnungen));
    QString t;
    t.reserve(v.laenge + datensatz.size() + 32);
    for (const Abschnitt& a : v.abschnitte) {
        if (a.feld < 0) {
            t += a.text;
        } else {
            const QString& f = felder[a.feld];
            t += f;
            if (a.tilde && !nurBlanks(f))
                t += CrLf;
        }
    }
    return nachbearbeiten(std::move(t));
}

} // namespace

QString Maskenordner()
{
    QString ordner = zplatform::normalPfad(zadressbuch::sitzung().MaskenOrdner);
    while (ordner.size() > 1 && ordner.endsWith(u'/'))
        ordner.chop(1);
    return ordner;
}

QStringList Masken_Liste()
{
    const QString ordner = Maskenordner();
    if (ordner.isEmpty())
        return {};
    QStringList namen = zplatform::dateienListen(ordner, QStringLiteral("*.msk"));
    for (QString& n : namen)
        n.chop(4);
    return namen;
}

QString Maske_Datei(const QString& maskenName)
{
    Stempel s;
    return dateiDerMaske(maskenName, &s);
}

QString Maske_TextLesen(const QString& pfad, bool* ok)
{
    zplatform::Ergebnis ergebnis;
    QString roh = zplatform::textLesen(pfad, &ergebnis);
    if (ok)
        *ok = bool(ergebnis);
    if (!ergebnis || roh.isEmpty())
        return QString();
    roh.replace(CrLf, QStringLiteral("\n"));
    roh.replace(u'\r', u'\n');
    QStringList zeilen = roh.split(u'\n');
    if (zeilen.size() > 1 && zeilen.back().isEmpty())
        zeilen.removeLast(); // the line end of the last line
    QString text;
    text.reserve(roh.size() + zeilen.size() + 2);
    for (const QString& z : zeilen) {
        text += z;
        text += CrLf;
    }
    return text;
}

bool Maske_Speichern(const QString& pfad, const QString& text, QString* fehler)
{
    const zplatform::Ergebnis e = zplatform::textSchreiben(zplatform::pfadAufloesen(pfad), text);
    // An open run uses the saved mask from now on.
    cache().imDurchgang.clear();
    if (fehler)
        *fehler = e.fehler;
    return e.ok;
}

QString MaskenIniDatei()
{
    return Maskenordner() + QStringLiteral("/Masken.Ini");
}

QString Maske_SchriftSchluessel(const QString& maskenName)
{
    return zcommon::UCase(zcommon::Datei_Teil(maskenName, 1));
}

QString Maske_SchriftLesen(const QString& maskenName, const QString& vorgabe)
{
    return zcommon::Ini_Lesen(MaskenIniDatei(), QStringLiteral("MaskenFonts"), Maske_SchriftSchluessel(maskenName),
                              vorgabe);
}

bool Maske_SchriftSchreiben(const QString& maskenName, const QString& schrift, QString* fehler)
{
    zcommon::Ini_Schreiben(MaskenIniDatei(), QStringLiteral("MaskenFonts"), Maske_SchriftSchluessel(maskenName),
                           schrift);
    if (fehler)
        *fehler = zcommon::Ini_Fehler();
    return zcommon::Ini_Fehler().isEmpty();
}

QString Maske_Ausfuellen(const QString& maskenName, const QString& datensatz)
{
    std::shared_ptr<const Vorlage> vorlage;
    QString text;
    {
        Cache& c = cache();
        auto& masken = c.masken;
        auto it = masken.end();
        // Within a run each mask is looked up and checked once.
        QString schluessel;
        if (c.durchgaenge > 0) {
            schluessel = maskenName + u'\n' + Maskenordner();
            const auto gefunden = c.imDurchgang.constFind(schluessel);
            if (gefunden != c.imDurchgang.constEnd()) {
                if (gefunden->isEmpty())
                    return QString();
                it = masken.find(*gefunden);
            }
        }
        if (it == masken.end()) {
            Stempel s;
            const QString pfad = dateiDerMaske(maskenName, &s);
            if (c.durchgaenge > 0)
                c.imDurchgang.insert(schluessel, pfad);
            if (pfad.isEmpty())
                return QString();
            it = masken.find(pfad);
            if (it == masken.end() || !(it->stempel == s)) {
                if (masken.size() > 64)
                    masken.clear();
                // A file that cannot be read counts as empty.
                it = masken.insert(pfad, MaskenEintrag{s, Maske_TextLesen(pfad), nullptr});
            }
        }
        const Bezeichnungen& bezeichnungen = zadressbuch::sitzung().Bezeichnungen;
        if (!it->vorlage || it->vorlage->bezeichnungen != bezeichnungen)
            it->vorlage = vorbereiten(it->text, bezeichnungen);
        vorlage = it->vorlage;
        text = it->text;
    }
    return ausfuellen(*vorlage, text, datensatz);
}

QString Maske_TextAusfuellen(const QString& maskenText, const QString& datensatz, const Bezeichnungen& bezeichnungen)
{
    return ausfuellen(*vorbereiten(maskenText, bezeichnungen), maskenText, datensatz);
}

QString Maske_TextAusfuellenSchrittweise(const QString& maskenText, const QString& datensatz,
                                         const Bezeichnungen& bezeichnungen)
{
    if (maskenText.isEmpty())
        return QString();
    return nachbearbeiten(schrittweise(maskenText, zadressbuch::Zerlegen(datensatz), bezeichnungen));
}

void Masken_CacheLeeren()
{
    cache().ordner.clear();
    cache().aufloesungen.clear();
    cache().masken.clear();
    cache().imDurchgang.clear();
}

Masken_Durchgang::Masken_Durchgang()
{
    ++cache().durchgaenge;
}

Masken_Durchgang::~Masken_Durchgang()
{
    Cache& c = cache();
    if (--c.durchgaenge == 0) {
        c.imDurchgang.clear();
        c.moment = QDateTime();
    }
}

} // namespace zmasken
