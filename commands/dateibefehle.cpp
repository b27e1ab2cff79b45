#include "commands/dateibefehle.h"

#include "addressbook/adressdatei.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/fenstereinstellungen.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "commands/adressbefehle.h"
#include "commands/dateiwahl.h"
#include "commands/sortieren.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/start.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/textdatei.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace zbefehle {

using zadressbuch::AdressListe;
using zadressbuch::sitzung;
using zplatform::plattform;

namespace {

int frage(const QString& ton, const QString& text, int stil, const QString& titel)
{
    zcommon::Ton_Ausgeben(ton);
    return plattform().meldung(text, stil, titel);
}

QString dateiname(const QString& pfad)
{
    return QFileInfo(zplatform::normalPfad(pfad)).fileName();
}

QString imDatenordner(const QString& name)
{
    QString ordner = zplatform::normalPfad(sitzung().DatenOrdner);
    while (ordner.endsWith(QLatin1Char('/')) && ordner.size() > 1)
        ordner.chop(1);
    return zplatform::pfadAufloesen(ordner + QLatin1Char('/') + name);
}

QString waehlen(const DateiWaehler& waehler, const QString& vorschlag, bool laden, const QString& ordner)
{
    if (!waehler)
        return QString();
    DateiWahl w;
    w.vorschlag = vorschlag;
    w.kuerzel = QStringLiteral("Dat");
    w.laden = laden;
    w.ordner = ordner;
    return waehler(w);
}

} // namespace

bool Datei_Speichern(AdressListe& liste, zadressbuch::Fenster& fenster)
{
    if (!zadressbuch::Daten_Speichern(liste))
        return false;
    fenster.Adresse_Anzeigen();
    zadressbuch::ListenPos_Sichern(liste.ListIndex());
    return true;
}

bool Datei_Oeffnen(AdressListe& liste, zadressbuch::Fenster& fenster, const DateiWaehler& waehler)
{
    auto& s = sitzung();
    bool verwerfen = false;
    if (s.Geaendert == 1) {
        const int antwort =
            frage(QStringLiteral("#SystemQuestion"),
                  QStringLiteral("Wollen Sie die Änderungen in »") + s.AdressDateiName + QStringLiteral("« speichern?"),
                  zplatform::vbYesNo | zplatform::vbQuestion, QStringLiteral("Zettlora"));
        if (antwort == zplatform::vbYes) {
            // A failed save must not be followed by loading another file:
            // the changes would be gone.
            if (!Datei_Speichern(liste, fenster))
                return false;
        } else {
            verwerfen = true;
        }
    }
    zadressbuch::ListenPos_Sichern(liste.ListIndex());

    const QString gewaehlt = waehlen(waehler, s.AdressDateiName, true, s.DatenOrdner);
    plattform().ereignisseVerarbeiten();
    if (gewaehlt.isEmpty())
        return false;

    if (!verwerfen && !Datei_Speichern(liste, fenster))
        return false;
    zadressbuch::Daten_Schliessen();
    s.AdressDateiName = imDatenordner(dateiname(gewaehlt));
    fenster.Daten_Laden();
    return true;
}

bool Leerzeile_Anhaengen(const QString& pfad)
{
    const QString echt = zplatform::pfadAufloesen(zplatform::normalPfad(pfad));
    return zplatform::zeilenAnhaengen(echt, {zadressbuch::LeererDatensatz()}).ok;
}

bool Datei_Anlegen(AdressListe& liste, zadressbuch::Fenster& fenster, const DateiWaehler& waehler)
{
    auto& s = sitzung();
    if (s.NurLesen)
        return false;
    const QString gewaehlt = waehlen(waehler, QString(), false, s.DatenOrdner);
    if (gewaehlt.isEmpty())
        return false;
    if (!Datei_Speichern(liste, fenster))
        return false;
    zadressbuch::Daten_Schliessen();
    s.AdressDateiName = imDatenordner(dateiname(gewaehlt));
    // A file that cannot be written shows its message when it is loaded.
    Leerzeile_Anhaengen(s.AdressDateiName);
    fenster.Daten_Laden();
    return true;
}

QStringList Zusammenfuehren_Zeilen(const QStringList& zeilen)
{
    QStringList eintraege;
    for (qsizetype i = 1; i < zeilen.size(); ++i) {
        QString zeile = zeilen.at(i);
        if (zeile.isEmpty())
            continue;
        // Only lines that are not records already are read as ";"-separated,
        // so a record whose fields hold ";" keeps its fields.
        if (!zeile.contains(zadressbuch::Feldtrenner))
            zeile.replace(QLatin1Char(';'), zadressbuch::Feldtrenner);
        zeile.replace(QLatin1Char('\r'), QStringLiteral("°°"));
        if (Eintrag_OhneInhalt(zeile))
            continue;
        if (zeile.startsWith(zadressbuch::Feldtrenner))
            zeile.prepend(QLatin1Char(' '));
        eintraege << zeile;
    }
    return eintraege;
}

ZusammenfuehrErgebnis Datei_Zusammenfuehren(AdressListe& liste, const QString& pfad)
{
    ZusammenfuehrErgebnis e;
    // Until the list holds the lines and is marked changed (the message of a full list comes between).
    const zadressbuch::ListeWirdVeraendert veraendert;
    zplatform::Ergebnis gelesen;
    const QStringList zeilen = zplatform::zeilenLesen(zplatform::pfadAufloesen(zplatform::normalPfad(pfad)), &gelesen);
    e.gelesen = gelesen.ok;
    const int vorher = liste.ListCount();
    if (e.gelesen) {
        const QStringList neu = Zusammenfuehren_Zeilen(zeilen);
        e.hinzugefuegt = liste.AddItems(neu);
        e.abgeschnitten = e.hinzugefuegt < neu.size();
        if (e.abgeschnitten)
            zadressbuch::Speicherproblem_Melden(QStringLiteral("Die letzten Adressen sind nicht hinzugefügt worden!"));
    }
    sitzung().Geaendert = 1;
    if (e.hinzugefuegt > 0)
        liste.setListIndex(vorher);
    return e;
}

ZusammenfuehrErgebnis Datei_Hinzufuegen(AdressListe& liste, const DateiWaehler& waehler)
{
    if (sitzung().NurLesen)
        return {};
    const QString gewaehlt = waehlen(waehler, sitzung().AdressDateiName, true, zplatform::programmOrdner());
    if (gewaehlt.isEmpty())
        return {};
    return Datei_Zusammenfuehren(liste, gewaehlt);
}

bool Datei_Beschreiben(zadressbuch::Fenster& fenster)
{
    auto& s = sitzung();
    if (s.NurLesen)
        return false;
    const QString text = plattform().eingabe(QStringLiteral("Geben Sie bitte eine Beschreibung für »") +
                                                 s.AdressDateiName + QStringLiteral("« ein."),
                                             QStringLiteral("Beschreibung"), s.Beschreibung);
    if (text.isEmpty())
        return false;
    s.Beschreibung = text;
    s.Geaendert = 1;
    fenster.Titel_Setzen();
    return true;
}

int SortAtClose_Lesen()
{
    return SortAtClose_Feld(
        zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("SortAtClose"), QStringLiteral("-1")));
}

bool Programm_Beenden(AdressListe& liste, zadressbuch::Fenster& fenster, bool speichern, bool fragen,
                      const std::function<void()>& uebergeben)
{
    std::optional<zcommon::Ini_Stapel> sammeln;
    if (speichern) {
        if (!sitzung().NurLesen) {
            const int feld = SortAtClose_Lesen();
            if (feld >= 0) {
                Sortieren(liste, feld, fenster);
                plattform().ereignisseVerarbeiten();
            }
        }
        fenster.Status(QStringLiteral("Beende Programm...DataSave"));
        if (!Datei_Speichern(liste, fenster) && !(fragen && fenster.Beenden_Trotz_Fehler())) {
            fenster.Status(QStringLiteral("Bereit"));
            return false;
        }
        // From here on the exit writes many settings: into the settings file
        // at once (each single write would replace the file and wait for the disk).
        sammeln.emplace(QString());
        fenster.Status(QStringLiteral("Beende Programm...IniSave"));
        fenster.Einstellungen_Sichern();
        fenster.Status(QStringLiteral("Beende Programm...ExternSave"));
        if (uebergeben)
            uebergeben();
        fenster.Status(QStringLiteral("Beende Programm...Das wars"));
    }
    zadressbuch::Daten_Schliessen();
    zcommon::Statistik_Ende();
    return true;
}

} // namespace zbefehle
