#include "commands/massenwerkzeuge.h"

#include "addressbook/datensatz.h"
#include "addressbook/listenlauf.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/muster.h"
#include "common/texte.h"
#include "platform/plattform.h"

namespace zbefehle {

namespace {

using zadressbuch::AdressListe;
using zadressbuch::Fenster;
using zadressbuch::sitzung;

// Shows the tool as running: hourglass, status text, progress bar at 0.
void anfangen(Fenster& fenster, const QString& status)
{
    zplatform::plattform().sanduhr(true);
    fenster.Status(status);
    fenster.Fortschritt(0);
}

void beenden(Fenster& fenster)
{
    zplatform::plattform().sanduhr(false);
    fenster.Fortschritt(-1);
    fenster.Status(QStringLiteral("Bereit"));
}

// Steps to an entry: selecting it lets the window take the undo copy and show
// it on the card. Pending events (repaint, Esc) run through the walk's
// ListenLauf, which also ends the walk when the list's rows change meanwhile
// and lets an exit wait until the walk has returned.
void schrittZu(AdressListe& liste, int i)
{
    liste.setListIndex(i);
}

void ereignisse(zadressbuch::ListenLauf& lauf, Fenster& fenster, int fortschritt)
{
    if (!lauf.fortschrittFaellig())
        return;
    fenster.Fortschritt(fortschritt);
    zadressbuch::ListenLauf::ereignisseVerarbeiten();
}

int prozent(qint64 teil, qint64 ganzes)
{
    if (ganzes <= 0)
        return 100;
    return int(qBound(qint64(0), teil * 100 / ganzes, qint64(100)));
}

bool esc()
{
    return sitzung().LetzteTaste == 27;
}

} // namespace

int Adressen_Loeschen_Mit(AdressListe& liste, Fenster& fenster)
{
    const QString leer;
    const QString titel = QStringLiteral("Adressen löschen");
    const QString antwort =
        zcommon::Trim(zcommon::InputBox(QStringLiteral("Lösche alle Adressen mit welchem Suchtext?"), titel,
                                        zcommon::Ini_Lesen(leer, leer, QStringLiteral("VQuickDel"), leer)));
    if (antwort.isEmpty())
        return 0;
    const QString text = zcommon::Ini_Schreiben(leer, leer, QStringLiteral("VQuickDel"), antwort);

    anfangen(fenster, QStringLiteral("Adressen löschen..."));
    // A malformed pattern (an unclosed "[") matches nothing.
    const zcommon::Muster muster(QLatin1Char('*') + zcommon::LCase(antwort) + QLatin1Char('*'));
    // Every entry is tested once; the hits leave the list in one step (one
    // by one would cost a list shift and a view update each).
    int anzahl = 0;
    const int gesamt = liste.ListCount();
    QList<int> weg;
    bool geaendert = false;
    // The count so far goes to the status bar with the progress (painting it
    // at every hit would cost more than the whole scan), and once at the end.
    const auto zaehlen = [&] {
        if (anzahl > 0)
            fenster.Status(QString::number(anzahl) + QStringLiteral(" Adressen geöscht..."));
    };
    {
        zadressbuch::ListenLauf lauf(liste);
        for (int i = 0; i < gesamt; ++i) {
            if (lauf.fortschrittFaellig()) {
                zaehlen();
                fenster.Fortschritt(prozent(i, gesamt));
                zadressbuch::ListenLauf::ereignisseVerarbeiten();
            }
            if (!lauf.gueltig(i)) {
                geaendert = true; // the list changed meanwhile: remove nothing
                break;
            }
            if (muster.gueltig() && muster.passt(zcommon::LCase(liste.List(i)))) {
                weg << i;
                ++anzahl;
            }
        }
    }
    zaehlen();
    if (geaendert) {
        beenden(fenster);
        return 0;
    }
    if (anzahl > 0) {
        liste.RemoveItems(weg);
        sitzung().Geaendert = 1;
    }
    liste.setListIndex(liste.ListCount() > 0 ? 0 : -1);
    if (liste.ListCount() == 0)
        fenster.Adresse_Anzeigen(); // the emptied card
    beenden(fenster);

    const QString gelesen = zcommon::Ini_Lesen(leer, leer, QStringLiteral("VQuickDel"), text);
    const QString meldungsTitel = QStringLiteral("Adressen löschen.");
    if (anzahl == 0) {
        zcommon::MsgBox(QStringLiteral("Keine Adressen mit »") + gelesen + QStringLiteral("« gefunden."),
                        zplatform::vbInformation, meldungsTitel);
    } else {
        zcommon::MsgBox(QString::number(anzahl) + QStringLiteral(" Adressen mit »") + gelesen +
                            QStringLiteral("« wurden gelöscht.\r\n\r\nWenn das Programm über ->Datei->Beenden "
                                           "verlassen wird, so werden die Änderungen nicht gespeichert."),
                        zplatform::vbExclamation, meldungsTitel);
    }
    return anzahl;
}

bool Rufnummern_Exportieren(AdressListe& liste, Fenster& fenster)
{
    const QString leer;
    const QString vorgabe = zcommon::Ini_Lesen(leer, leer, QStringLiteral("VExpRufNameFile"),
                                               zcommon::Temp_Ordner() + QStringLiteral("/x-RufName.Ini"));
    const QString datei = zcommon::PfadInputBox(QStringLiteral("Alle Rufnummern/Namen in welche Ini-Datei schreiben."),
                                                QStringLiteral("Alle Rufnummern/Namen in Ini-Datei"), vorgabe);
    if (datei.isEmpty())
        return false;

    const QString stand = zplatform::plattform().jetzt().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    zcommon::Ini_Schreiben(datei, QStringLiteral("Allgemein"), QStringLiteral("Stand"), stand);
    if (zcommon::Ini_Lesen(datei, QStringLiteral("Allgemein"), QStringLiteral("Stand"), leer) != stand) {
        zcommon::MsgBox(QStringLiteral("Kann in »") + datei + QStringLiteral("« keine Daten schreiben."),
                        zplatform::vbCritical);
        return false;
    }
    zcommon::Ini_Schreiben(leer, leer, QStringLiteral("VExpRufNameFile"), datei);

    const QString status = QStringLiteral("Alle Rufnummern/Namen in Ini-Datei...");
    anfangen(fenster, status);
    sitzung().LetzteTaste = 0;
    struct Quelle
    {
        int feld;
        const char* zusatz;
    };
    static constexpr Quelle quellen[] = {{zadressbuch::Datentelefon, " -2"},
                                         {zadressbuch::Mobiltelefon, " -Mob"},
                                         {zadressbuch::Telefax, " -Fax"},
                                         {zadressbuch::Telefon, ""}};
    const QString ziffern = QStringLiteral("0123456789");
    {
        zcommon::Ini_Stapel stapel(datei);
        zadressbuch::ListenLauf lauf(liste);
        const int anzahl = liste.ListCount();
        for (int i = 0; i < anzahl; ++i) {
            ereignisse(lauf, fenster, prozent(i, anzahl - 1));
            if (!lauf.gueltig(i))
                break;
            fenster.Status(status);
            schrittZu(liste, i);
            const QString name = zcommon::Trim(fenster.FeldText(zadressbuch::Vorname) + QLatin1Char(' ') +
                                               fenster.FeldText(zadressbuch::Nachname) + QLatin1Char(' ') +
                                               fenster.FeldText(zadressbuch::Zusatz));
            // Within one address the lowest field number wins: it is written last.
            for (const Quelle& q : quellen) {
                const QString nummer = zcommon::Nur_Zeichen(fenster.FeldText(q.feld), ziffern);
                if (!nummer.isEmpty())
                    zcommon::Ini_Schreiben(datei, QStringLiteral("Nummern"), nummer,
                                           name + QString::fromLatin1(q.zusatz));
            }
            if (esc())
                break;
        }
    }
    beenden(fenster);
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
    return true;
}

QString AdressTabelle_Kopf()
{
    static constexpr int spalten[] = {23, 2, 1, 10, 3, 4, 5, 6};
    QString z;
    for (int f : spalten)
        z += sitzung().Bezeichnungen[size_t(f)] + QLatin1Char('\t');
    return z + QStringLiteral("\r\n");
}

QString AdressTabelle_Zeile(const Fenster& fenster)
{
    static constexpr int spalten[] = {23, 2, 1, 10, 3, 4, 5, 6};
    QString z;
    for (int f : spalten)
        z += fenster.FeldText(f) + QLatin1Char('\t');
    return z + QStringLiteral("\r\n");
}

QString AdressTabelle_InZwischenablage(AdressListe& liste, Fenster& fenster)
{
    const QString status = QStringLiteral("Alle Anschriften in die Zwischenablage...");
    anfangen(fenster, status);
    sitzung().LetzteTaste = 0;
    QString text = AdressTabelle_Kopf();
    const int anzahl = liste.ListCount();
    {
        zadressbuch::ListenLauf lauf(liste);
        for (int i = qMax(0, liste.ListIndex()); i < anzahl; ++i) {
            ereignisse(lauf, fenster, prozent(i, anzahl - 1));
            if (!lauf.gueltig(i))
                break;
            fenster.Status(status);
            schrittZu(liste, i);
            text += AdressTabelle_Zeile(fenster);
            if (esc())
                break;
        }
    }
    zplatform::plattform().zwischenablageSetzen(text);
    beenden(fenster);
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
    return text;
}

int Spezialjob(AdressListe& liste, Fenster& fenster)
{
    const int anzahl = liste.ListCount();
    if (anzahl == 0)
        return 0;
    anfangen(fenster, QStringLiteral("Spezial-Job"));
    sitzung().LetzteTaste = 0;
    int position = liste.ListIndex();
    int schritte = 0;
    zadressbuch::ListenLauf lauf(liste);
    do {
        ereignisse(lauf, fenster, prozent(schritte, anzahl));
        position = position + 1 >= anzahl ? 0 : position + 1;
        if (!lauf.gueltig(position))
            break;
        schrittZu(liste, position);
        fenster.Status(QStringLiteral("V-Job"));
        fenster.Adresse_Uebernehmen(1);
        ++schritte;
    } while (schritte <= anzahl && !esc());
    beenden(fenster);
    zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
    return schritte;
}

} // namespace zbefehle
