#pragma once
// The commands of the menu "&Prüfen": the duplicate and similar-address
// search, the e-mail check of the whole list, and the check for a name typed
// on the card that already stands in another address.
//
// Both walks start at the selected entry, run to the end of the list, wrap
// round to the top and examine the starting entry once more: number of
// entries + 1 steps. They show the hourglass, the progress bar and a status
// text, let pending events run several times a second (so the window repaints
// and an Esc lands in sitzung().LetzteTaste, which stops them after the
// current entry), and end with "Bereit" and the exclamation sound. When the
// rows of the list change meanwhile (another file loaded, an address deleted
// or added, the list sorted), a walk ends at once without touching the list.

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"

#include <QHash>
#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zadressbuch {
class Fenster;
}

namespace zbefehle {

// ---- duplicate and similar addresses --------------------------------------------

// The fields that do not count when two addresses are compared: the remark,
// the two dates and the index.
bool Feld_Ohne_Vergleich(int feld);

// How many entries of a list match an address. Two addresses match when every
// field except 11, 15, 16 and 23 is equal, without regard to case (duplicate
// mode), or when those fields have equal phonetic keys (similar mode). The
// address's texts count literally: "*", "?", "#" or "[" in a field are
// ordinary characters.
//
// The index keeps the compare form of every entry and follows changes of an
// entry's text (the card stored while the walk lets events run), so one
// count costs a look-up instead of a pass over the list. Entries that are no
// regular record (not exactly 24 fields, each ended by the separator, as a
// foreign file may hold) are compared by the text-pattern rule with the
// other fields as wildcards.
class Vergleichsindex
{
public:
    // zwischendurch (may be empty) runs every few hundred entries while the
    // index is built; when it returns false the build stops (vollstaendig()
    // is then false and the index must not be used).
    Vergleichsindex(const zadressbuch::AdressListe& liste, bool aehnlich,
                    const std::function<bool()>& zwischendurch = {});
    ~Vergleichsindex();
    Vergleichsindex(const Vergleichsindex&) = delete;
    Vergleichsindex& operator=(const Vergleichsindex&) = delete;

    bool vollstaendig() const { return m_gebaut == int(m_schluessel.size()); }

    // The number of entries matching the card's 24 texts (the address itself
    // included when it stands in the list); line breaks count as stored ("°°").
    int anzahl(const zadressbuch::Felder& karte) const;
    // The same for the card showing entry i as stored.
    int anzahlFuerEintrag(int i) const;

    // The compare key of 24 texts as stored; "" with a TAB in a text (no
    // regular record).
    QString schluessel(const zadressbuch::Felder& karte) const;
    // The search pattern of a card by the text-pattern rule (the four fields
    // as "*", every other text escaped), and the text an entry is compared as.
    QString muster(const zadressbuch::Felder& karte) const;
    QString vergleichstext(const QString& eintrag) const;

private:
    // The key of a regular record; "" for an irregular one (no shared state:
    // safe on any thread).
    static QString regelSchluessel(QStringView eintrag, bool aehnlich);
    void eintragAufnehmen(int i);
    void aufnehmen(int i, QString schluessel);
    void eintragEntfernen(int i);
    int unregelmaessigeTreffer(const QString& musterText) const;
    int anzahlRoh(const zadressbuch::Felder& karte) const;

    const zadressbuch::AdressListe& m_liste;
    bool m_aehnlich;
    std::vector<QString> m_schluessel; // per entry; "" for an irregular entry
    QHash<QString, int> m_anzahl;
    std::vector<int> m_unregelmaessig; // positions of irregular entries
    std::vector<QString> m_unregelmaessigText;
    QMetaObject::Connection m_verbindung;
    int m_gebaut = 0; // entries 0 .. m_gebaut - 1 are in the index
};

// What a walk left behind (for the caller and for tests).
struct PruefErgebnis
{
    int schritte = 0;            // entries examined
    int letzteAnzahl = 0;        // the count of the last entry examined
    int position = -1;           // the entry left selected (-1 none)
    bool esc = false;            // stopped by Esc
    bool listeGeaendert = false; // stopped because the list's rows changed
    bool ungueltig = false;      // the e-mail check stopped at an invalid address
    QString status;              // the last status text
};

// The texts of the two modes.
QString Doppelt_LaufText(bool aehnlich); // "Suche doppelte Adressen" / "Suche ähnliche Adressen"
QString Doppelt_Titel(bool aehnlich);    // "Doppelte Adresse gefunden" / "Ähnliche Adresse gefunden"
QString Doppelt_EndText(bool aehnlich, int letzteAnzahl);
QString Doppelt_Frage(int anzahl);

// "&Doppelte Adressen suchen..." (aehnlich false) and "Ä&hnliche Adressen
// suchen..." (true). Stops at the first entry that stands in the list more
// than once, selects it and asks whether to go on (No, the default, ends the
// walk there). The end status names the outcome for the last entry examined.
PruefErgebnis Doppelte_Suchen(zadressbuch::Fenster& fenster, zadressbuch::AdressListe& liste, bool aehnlich);

// ---- e-mail check -------------------------------------------------------------------

// "&eMail-Adressen auf Gültigkeit prüfen": shows each entry, trims its e-mail
// field (field 14), clears a lone "-", and stores the card keeping the change
// date; stops at the first address that fails the e-mail test, with that
// entry selected, the trimmed text on the card (not stored) and the message
// "eMail »...« ist ungültig". With nothing selected (an empty list too) the
// card belongs to no entry: that step stores nothing.
PruefErgebnis EMails_Pruefen(zadressbuch::Fenster& fenster, zadressbuch::AdressListe& liste);
QString EMail_UngueltigText(const QString& adresse);

// ---- a name typed twice ----------------------------------------------------------------

// The setting "AutoSucheDoppeltenNamen" ("1" on; default off).
bool AutoSucheDoppeltenNamen();
// Another entry (not aktuell) with the same surname and first name, compared
// trimmed and without regard to case; -1 when none or the surname is empty.
int Doppelten_Namen_Finden(const zadressbuch::AdressListe& liste, int aktuell, const QString& nachname,
                           const QString& vorname);
// The address as the duplicate message shows it: "caption: text" for every
// field that holds more than blanks, one per line (CR LF).
QString Doppelt_Anzeigetext(const QString& eintrag);
// Removes the entry aktuell and selects the entry that was at anderer (its
// position after the removal); sets the changed flag. False when either
// position is outside the list or both are equal.
bool Zu_Doppelter_Adresse_Wechseln(zadressbuch::AdressListe& liste, int aktuell, int anderer);

} // namespace zbefehle
