#pragma once
// A small stand-in for the main window behind zadressbuch::Fenster: the card
// is an array of texts, everything asked of it is recorded, and the pick list
// answers from a queue. Handlers of the command table can be run against it
// without building the real window.

#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"

#include <QQueue>
#include <QStringList>
#include <array>
#include <functional>

class FensterAttrappe : public zadressbuch::Fenster
{
public:
    std::array<QString, zadressbuch::FeldAnzahl> felder;
    std::array<QString, zadressbuch::FeldAnzahl> auswahlTexte; // FeldSelText
    QStringList statusTexte;
    QStringList statusTipps; // the tooltip of every status text
    QList<int> fortschritte;
    QList<int> uebernahmen; // DatumBehalten of every Adresse_Uebernehmen
    int angezeigt = 0;
    int fokusFeld = -1;
    int geladen = 0;
    bool ladenErgebnis = true;
    int geschlossen = 0;
    int nurLesenGesetzt = 0;
    int titelGesetzt = 0;
    int einstellungenGesichert = 0;
    int einstellungenAngewendet = 0;
    int bezeichnungenAngewendet = 0;
    int beendet = 0;
    bool trotzFehlerBeenden = true;
    QList<int> eMailAuswahlen;
    // Answers of Auswahl_Zeigen in order; none queued: nothing chosen.
    QQueue<QStringList> auswahlAntworten;
    QList<QStringList> auswahlAngebote;

    void Adresse_Anzeigen() override { ++angezeigt; }
    void Adresse_Uebernehmen(int DatumBehalten) override { uebernahmen << DatumBehalten; }
    QString FeldText(int feld) const override { return felder.at(size_t(feld)); }
    void setFeldText(int feld, const QString& text) override { felder.at(size_t(feld)) = text; }
    QString FeldSelText(int feld) const override { return auswahlTexte.at(size_t(feld)); }
    void Feld_Fokus(int feld) override { fokusFeld = feld; }
    void Bezeichnungen_Anwenden() override { ++bezeichnungenAngewendet; }
    void Status(const QString& text, const QString& tipp = QString()) override
    {
        statusTexte << text;
        statusTipps << tipp;
    }
    void Fortschritt(int wert) override { fortschritte << wert; }
    // What loading does (the window's load); without it loading only counts.
    std::function<bool()> beimLaden;
    bool Daten_Laden() override
    {
        ++geladen;
        return beimLaden ? beimLaden() : ladenErgebnis;
    }
    void Daten_Schliessen() override { ++geschlossen; }
    void ReadOnlySet() override { ++nurLesenGesetzt; }
    void Titel_Setzen() override { ++titelGesetzt; }
    void Einstellungen_Sichern() override { ++einstellungenGesichert; }
    void Einstellungen_Anwenden() override { ++einstellungenAngewendet; }
    QStringList Auswahl_Zeigen(const QStringList& eintraege, bool) override
    {
        auswahlAngebote << eintraege;
        return auswahlAntworten.isEmpty() ? QStringList() : auswahlAntworten.dequeue();
    }
    void Auswahl_eMail(int feld) override { eMailAuswahlen << feld; }
    bool Beenden_Trotz_Fehler() override { return trotzFehlerBeenden; }
    void Programm_Beenden() override { ++beendet; }
};
