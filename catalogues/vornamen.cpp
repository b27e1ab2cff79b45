#include "catalogues/vornamen.h"

#include "catalogues/abtastung.h"
#include "catalogues/katalog.h"

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "common/dateien.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/textdatei.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <optional>

namespace zkataloge {

namespace {

// The name a new file starts with.
const char* const BeispielZeile = "1 Peter";

// The file read once and kept while its size and time stamp stay: a learning
// run asks twice per address.
struct Vornamenstand
{
    QString pfad;
    qint64 groesse = -1;
    QDateTime geaendert;
    QHash<QString, int> code; // lower-case name -> code of its last line
};

Vornamenstand& stand()
{
    static Vornamenstand s;
    return s;
}

int ziffernwert(const QString& zeile)
{
    if (zeile.isEmpty())
        return 0;
    const QChar c = zeile.at(0);
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : 0;
}

const QHash<QString, int>& codes(const QString& pfad)
{
    Vornamenstand& s = stand();
    const QFileInfo fi(pfad);
    if (s.pfad == pfad && fi.size() == s.groesse && fi.lastModified() == s.geaendert)
        return s.code;
    s = Vornamenstand();
    s.pfad = pfad;
    s.groesse = fi.size();
    s.geaendert = fi.lastModified();
    for (const QString& zeile : zplatform::zeilenLesen(pfad))
        s.code.insert(zcommon::LCase(zeile.mid(2)), ziffernwert(zeile));
    return s.code;
}

} // namespace

QString Vornamen_Datei()
{
    return Katalog_Ordner() + QStringLiteral("/Vornamen.txt");
}

namespace {

struct Lernergebnis
{
    int code = 0;
    bool angehaengt = false;       // a line was appended in this call
    zplatform::Ergebnis geschrieben; // why a line could not be appended
};

Lernergebnis vornameLernen(const QString& name, int code)
{
    Lernergebnis l;
    const QString datei = zplatform::pfadAufloesen(Vornamen_Datei());
    const bool lernen = code == 1 || code == 2;
    // A name that would not stay one line of the file is refused like an initial.
    const bool abgelehnt = name.contains(QLatin1Char('.')) || name.size() <= 2 || name.contains(QLatin1Char('\r')) ||
                           name.contains(QLatin1Char('\n'));
    // Whoever learns reads, decides and appends under the file's lock, so two
    // instances learning at once both keep their lines and never write one
    // twice.
    if (!zcommon::Datei_Existiert(datei)) {
        zcommon::Verzeichnis_Anlegen(Katalog_Ordner());
        // Created with its sample line in one step: another instance that
        // learns at the same moment finds it whole or not at all.
        const int f = zplatform::bytesNeuAnlegen(datei, QByteArray(BeispielZeile) + "\r\n");
        if (f != 0 && f != EEXIST && lernen && !abgelehnt) {
            l.geschrieben.ok = false;
            l.geschrieben.fehler = QStringLiteral("Die Datei %1 kann nicht angelegt werden: %2")
                                       .arg(QDir::toNativeSeparators(datei), zplatform::fehlerGrund(f));
        }
    }
    if (abgelehnt) {
        l.code = -1;
        return l;
    }
    std::optional<zplatform::Anhangsperre> sperre;
    if (lernen)
        sperre.emplace(datei);
    const QString klein = zcommon::LCase(name);
    l.code = codes(datei).value(klein, 0);
    if (l.code != code && lernen) {
        const QString zeile = QString::number(code) + QLatin1Char(' ') + zcommon::Gross_Klein(name);
        const zplatform::Ergebnis e = zplatform::zeilenAnhaengen(datei, {zeile});
        if (e) {
            l.code = code;
            l.angehaengt = true;
            // The file now ends with the new line: keep the cache in step.
            Vornamenstand& s = stand();
            const QFileInfo fi(datei);
            if (s.pfad == datei) {
                s.code.insert(zcommon::LCase(zeile.mid(2)), code);
                s.groesse = fi.size();
                s.geaendert = fi.lastModified();
            }
        } else {
            l.geschrieben = e;
        }
    }
    return l;
}

} // namespace

int Vorname_Anrede(const QString& name, int code, zplatform::Ergebnis* fehler)
{
    const Lernergebnis l = vornameLernen(name, code);
    if (fehler)
        *fehler = l.geschrieben;
    return l.code;
}

QString Anrede_Vorschlag(const QString& vorname)
{
    switch (Vorname_Anrede(vorname, 0)) {
    case 1:
        return QStringLiteral("Herr");
    case 2:
        return QStringLiteral("Frau");
    default:
        return QString();
    }
}

int Anrede_Geschlecht(const QString& anrede)
{
    const QString a = zcommon::LCase(anrede);
    int geschlecht = 0;
    if (a.contains(QLatin1String("herr")))
        geschlecht = 1;
    if (a.contains(QLatin1String("frau")))
        geschlecht = 2;
    if (a.contains(QStringLiteral("fräulein")))
        geschlecht = 2;
    return geschlecht;
}

VornamenErgebnis Vornamen_Lernen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste)
{
    using namespace zadressbuch;
    VornamenErgebnis e;
    Abtastung lauf(fenster, liste, QStringLiteral("Vorname-Anrede übernehmen..."));
    for (int i = 0; i < lauf.anzahl(); ++i) {
        if (!lauf.weiter(i))
            break;
        const QString eintrag = liste.List(i);
        const int geschlecht = Anrede_Geschlecht(FeldAus(eintrag, Anrede));
        if (geschlecht == 0)
            continue;
        const QString vorname = zcommon::Trim(FeldAus(eintrag, Vorname));
        if (vorname.isEmpty())
            continue;
        if (Vorname_Anrede(vorname, 0) == geschlecht)
            continue;
        // Only what this run wrote counts: another instance may have
        // written the same name meanwhile.
        const Lernergebnis l = vornameLernen(vorname, geschlecht);
        e.gelernt += l.angehaengt;
        if (!l.geschrieben) {
            // Every further line would fail the same way.
            e.fehler = l.geschrieben.fehler;
            break;
        }
        lauf.zwischenstand(QString::number(e.gelernt) + QStringLiteral(" Vornamen übernommen..."));
    }
    lauf.ende();
    e.abgebrochen = lauf.abgebrochen();
    return e;
}

void Vornamen_Uebernehmen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste)
{
    const VornamenErgebnis e = Vornamen_Lernen(fenster, liste);
    if (!e.abgebrochen)
        zcommon::MsgBox((e.gelernt == 0 ? QStringLiteral("Keine") : QString::number(e.gelernt)) +
                            QStringLiteral(" Vornamen wurden übernommen."),
                        zplatform::vbOKOnly | zplatform::vbInformation, QStringLiteral("Vornamen-Übernahme"));
    if (!e.fehler.isEmpty())
        zcommon::Meldung(QStringLiteral("#SystemHand"),
                         QStringLiteral("Der Vornamen-Katalog konnte nicht erweitert werden:~%1~Die Übernahme "
                                        "wurde deshalb beendet.")
                             .arg(zcommon::Woertlich(e.fehler)),
                         zplatform::vbOKOnly | zplatform::vbCritical, QStringLiteral("Vornamen-Übernahme"));
    fenster.Status(QStringLiteral("Bereit"));
}

} // namespace zkataloge
