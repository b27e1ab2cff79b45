#include "commands/adressbefehle.h"

#include "addressbook/adressdatei.h"
#include "addressbook/dateiini.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/indexnummern.h"
#include "addressbook/karte.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/textdatei.h"

namespace zbefehle {

using zadressbuch::AdressListe;
using zadressbuch::sitzung;
using zplatform::plattform;

namespace {

// Appends the entry, selects it (the list's click handler shows it) and makes
// it its own undo copy.
void anhaengenUndWaehlen(AdressListe& liste, const QString& eintrag)
{
    liste.AddItem(eintrag);
    liste.setListIndex(liste.ListCount() - 1);
    sitzung().UndoKopie = eintrag;
    sitzung().Geaendert = 1;
}

// Stores the card's fields into the selected entry as a key release does.
void speichern(zadressbuch::Felder& felder, AdressListe& liste, zadressbuch::Fenster& fenster)
{
    const zadressbuch::KartenSpeicherung s = zadressbuch::Karte_Uebernehmen(felder, 0, liste);
    if (s.neuAnzeigen || s.aktion == zadressbuch::KartenSpeicherung::Ersetzt)
        fenster.Adresse_Anzeigen();
}

QString neueIndexnummer()
{
    return QString::number(zadressbuch::AdressIndex_Vergeben(1) - 1);
}

} // namespace

bool Eintrag_OhneInhalt(QStringView eintrag)
{
    int feld = 0;
    for (QChar c : eintrag) {
        if (c == zadressbuch::Feldtrenner) {
            if (++feld >= zadressbuch::FeldAnzahl)
                break;
            continue;
        }
        if (c != QLatin1Char(' ') && feld != zadressbuch::ErstelltAm && feld != zadressbuch::GeaendertAm &&
            feld != zadressbuch::Index)
            return false;
    }
    return true;
}

bool Adresse_Neu(AdressListe& liste, zadressbuch::Fenster& fenster)
{
    if (sitzung().NurLesen)
        return false;
    if (liste.ListCount() >= zadressbuch::MaxAdressen) {
        zadressbuch::Speicherproblem_Melden(QStringLiteral("Es kann keine Adresse mehr angelegt werden!"));
        return false;
    }
    anhaengenUndWaehlen(liste, zadressbuch::LeererDatensatz());

    zadressbuch::Felder felder;
    for (int i = 0; i < zadressbuch::FeldAnzahl; ++i) {
        if (i == zadressbuch::ErstelltAm || i == zadressbuch::GeaendertAm || i == zadressbuch::Index)
            continue;
        felder[size_t(i)] = zadressbuch::DateiIni_Lesen(QStringLiteral("Vorgabe_%1").arg(i, 2, 10, QLatin1Char('0')));
    }
    const QString heute = zcommon::DatumText(zcommon::Heute());
    felder[zadressbuch::ErstelltAm] = heute;
    felder[zadressbuch::GeaendertAm] = heute;
    felder[zadressbuch::Index] = neueIndexnummer();
    fenster.Feld_Fokus(zadressbuch::Vorname);
    speichern(felder, liste, fenster);
    return true;
}

bool Adresse_Duplizieren(AdressListe& liste, zadressbuch::Fenster& fenster)
{
    if (sitzung().NurLesen)
        return false;
    const int gewaehlt = liste.ListIndex();
    if (gewaehlt < 0 || gewaehlt >= liste.ListCount()) {
        plattform().meldung(QStringLiteral("Bitte eine Adresse auswählen, die dupliziert werden soll."),
                            zplatform::vbExclamation, QStringLiteral("Adresse duplizieren"));
        return false;
    }
    if (liste.ListCount() >= zadressbuch::MaxAdressen) {
        zadressbuch::Speicherproblem_Melden(QStringLiteral("Die Adressen kann nicht mehr dupliziert werden!"));
        return false;
    }
    const QString kopie = liste.List(gewaehlt);
    anhaengenUndWaehlen(liste, kopie);
    fenster.Feld_Fokus(zadressbuch::Vorname);

    zadressbuch::Felder felder = zadressbuch::Zerlegen(kopie);
    const QString heute = zcommon::DatumText(zcommon::Heute());
    felder[zadressbuch::ErstelltAm] = heute;
    felder[zadressbuch::GeaendertAm] = heute;
    felder[zadressbuch::Index] = neueIndexnummer();
    speichern(felder, liste, fenster);
    return true;
}

bool Adresse_Loeschen(AdressListe& liste, bool ohneFrage)
{
    auto& s = sitzung();
    if (s.NurLesen)
        return false;
    const int gewaehlt = liste.ListIndex();
    if (gewaehlt < 0 || gewaehlt >= liste.ListCount()) {
        plattform().meldung(QStringLiteral("Bitte eine Adresse auswählen, welche gelöscht werden soll."),
                            zplatform::vbExclamation, QStringLiteral("Adresse löschen?"));
        return false;
    }
    const QString eintrag = liste.List(gewaehlt);

    if (!ohneFrage && !Eintrag_OhneInhalt(eintrag) &&
        zcommon::Val(
            zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("BestätigeLöschen"), QStringLiteral("1"))) != 0) {
        const QString name = zcommon::Trim(zadressbuch::FeldAus(eintrag, zadressbuch::Vorname) + QLatin1Char(' ') +
                                           zadressbuch::FeldAus(eintrag, zadressbuch::Nachname));
        zcommon::Ton_Ausgeben(QStringLiteral("#SystemQuestion"));
        const int antwort = plattform().meldung(
            QStringLiteral("Sind Sie sicher, dass die Adresse #") + zadressbuch::FeldAus(eintrag, zadressbuch::Index) +
                QStringLiteral("\r\n»") + name + QStringLiteral("«\r\ngelöscht werden soll?"),
            zplatform::vbYesNo | zplatform::vbQuestion, QStringLiteral("Adresse löschen?"));
        if (antwort != zplatform::vbYes)
            return false;
    }

    int neu = gewaehlt;
    if (neu >= liste.ListCount() - 1)
        neu = liste.ListCount() - 2;

    const QString archiv = zcommon::Trim(zadressbuch::DateiIni_Lesen(QStringLiteral("LöschenNach")));
    if (!archiv.isEmpty()) {
        QString ordner = zplatform::normalPfad(s.DatenOrdner);
        if (!ordner.endsWith(QLatin1Char('/')))
            ordner += QLatin1Char('/');
        const QString pfad = zplatform::pfadAufloesen(ordner + zplatform::normalPfad(archiv));
        const zplatform::Ergebnis e = zplatform::zeilenAnhaengen(pfad, {eintrag});
        if (!e.ok) {
            // The address is kept: deleting it would lose it for good.
            zcommon::Ton_Ausgeben(QStringLiteral("#SystemHand"));
            plattform().meldung(QStringLiteral("Die Adresse konnte nicht in die Datei »") + pfad +
                                    QStringLiteral("« der gelöschten Adressen geschrieben werden.") +
                                    (e.fehler.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + e.fehler) +
                                    QStringLiteral("\r\n\r\nDie Adresse wurde nicht gelöscht."),
                                zplatform::vbExclamation, QStringLiteral("Adresse löschen"));
            return false;
        }
    }

    liste.RemoveItem(gewaehlt);
    liste.setListIndex(neu);
    s.Geaendert = 1;
    return true;
}

bool Rueckgaengig_Moeglich(const AdressListe& liste)
{
    const int gewaehlt = liste.ListIndex();
    return gewaehlt >= 0 && gewaehlt < liste.ListCount() && !sitzung().UndoKopie.isEmpty() &&
           liste.List(gewaehlt) != sitzung().UndoKopie;
}

bool Aenderungen_Rueckgaengig(AdressListe& liste, zadressbuch::Fenster& fenster)
{
    if (sitzung().NurLesen || !Rueckgaengig_Moeglich(liste))
        return false;
    const int gewaehlt = liste.ListIndex();
    const QString jetzt = liste.List(gewaehlt);
    liste.setList(gewaehlt, sitzung().UndoKopie);
    sitzung().UndoKopie = jetzt;
    sitzung().Geaendert = 1;
    fenster.Adresse_Anzeigen();
    return true;
}

bool Adresse_Ausschneiden(AdressListe& liste)
{
    auto& s = sitzung();
    if (s.NurLesen)
        return false;
    // With nothing selected the delete command says what to do.
    if (liste.ListIndex() >= 0)
        s.AdressZwischenablage = liste.List(liste.ListIndex());
    return Adresse_Loeschen(liste, true);
}

bool Adresse_Einfuegen(AdressListe& liste)
{
    auto& s = sitzung();
    if (s.NurLesen || s.AdressZwischenablage.isEmpty())
        return false;
    if (liste.ListCount() >= zadressbuch::MaxAdressen) {
        zadressbuch::Speicherproblem_Melden(QStringLiteral("Es kann keine Adresse mehr eingefügt werden!"));
        return false;
    }
    // The pasted address is a new one: it gets a number of its own.
    zadressbuch::Felder felder = zadressbuch::Zerlegen(s.AdressZwischenablage);
    felder[zadressbuch::Index] = neueIndexnummer();
    liste.AddItem(zadressbuch::Verbinden(felder));
    s.Geaendert = 1;
    liste.setListIndex(liste.ListCount() - 1);
    return true;
}

bool Indexnummern_NeuVergeben(AdressListe& liste, zadressbuch::Fenster& fenster)
{
    if (sitzung().NurLesen)
        return false;
    if (zcommon::Meldung(QStringLiteral("#SystemQuestion"),
                         QStringLiteral("Sollen alle Adressen neue Indexnummern erhalten?~Verweise auf die bisherigen "
                                        "Nummern (#...) stimmen danach nicht mehr."),
                         zplatform::vbYesNo | zplatform::vbQuestion | zplatform::vbDefaultButton2,
                         QStringLiteral("Indexnummern neu vergeben")) != zplatform::vbYes)
        return false;
    plattform().sanduhr(true);
    fenster.Status(QStringLiteral("Vergebe Indexnummern..."));
    zadressbuch::Index_NeuVergeben(liste);
    fenster.Adresse_Anzeigen();
    plattform().sanduhr(false);
    return true;
}

} // namespace zbefehle
