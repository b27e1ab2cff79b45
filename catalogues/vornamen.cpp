#include "catalogues/vornamen.h"

#include "catalogues/abtastung.h"
#include "catalogues/katalog.h"

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "common/dateien.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/textdatei.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>

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

int Vorname_Anrede(const QString& name, int code)
{
    const QString datei = zplatform::pfadAufloesen(Vornamen_Datei());
    if (!zcommon::Datei_Existiert(datei)) {
        zcommon::Verzeichnis_Anlegen(Katalog_Ordner());
        zplatform::zeilenAnhaengen(datei, {QString::fromLatin1(BeispielZeile)});
    }
    // A name that would not stay one line of the file is refused like an initial.
    if (name.contains(QLatin1Char('.')) || name.size() <= 2 || name.contains(QLatin1Char('\r')) ||
        name.contains(QLatin1Char('\n')))
        return -1;
    const QString klein = zcommon::LCase(name);
    int ergebnis = codes(datei).value(klein, 0);
    if (ergebnis != code && (code == 1 || code == 2)) {
        const QString zeile = QString::number(code) + QLatin1Char(' ') + zcommon::Gross_Klein(name);
        if (zplatform::zeilenAnhaengen(datei, {zeile})) {
            ergebnis = code;
            // The file now ends with the new line: keep the cache in step.
            Vornamenstand& s = stand();
            const QFileInfo fi(datei);
            if (s.pfad == datei) {
                s.code.insert(zcommon::LCase(zeile.mid(2)), code);
                s.groesse = fi.size();
                s.geaendert = fi.lastModified();
            }
        }
    }
    return ergebnis;
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
        if (Vorname_Anrede(vorname, geschlecht) == geschlecht)
            ++e.gelernt;
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
    fenster.Status(QStringLiteral("Bereit"));
}

} // namespace zkataloge
