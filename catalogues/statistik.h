#pragma once
// Statistics over the address list: the share of addresses that hold a search
// text ("&Adressen mit...") and the distribution of the postcodes by their
// first digit ("&PLZ-Verteilung..."). Both change nothing.

#include <QString>
#include <QStringList>

#include <array>

namespace zadressbuch {
class AdressListe;
class Fenster;
} // namespace zadressbuch

namespace zkataloge {

// The word patterns of a search text: double quotes stand for the field
// separator (a word with a quote in front must begin a field, one behind
// must end it), the text split at blanks, each word as "*word*" in lower case.
QStringList Statistik_Muster(const QString& suchtext);
// An address (a joined record) holds every pattern; in compact mode blanks,
// "/" and "-" of the address are ignored (not those of the search words).
bool Statistik_Passt(const QString& eintrag, const QStringList& muster, bool kompakt);

struct AnteilErgebnis
{
    qint64 geprueft = 0;
    qint64 treffer = 0;
    bool abgebrochen = false;
};
AnteilErgebnis Anteil_Zaehlen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste,
                              const QString& suchtext, bool kompakt);
QString Anteil_Meldung(const QString& suchtext, const AnteilErgebnis& e);
// The command "&Adressen mit...": passes until Cancel or an empty input.
void Statistik_Adressen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste);

struct PlzVerteilung
{
    std::array<qint64, 11> zaehler{}; // 0..9 by first digit, 10: not fitting the scheme
    qint64 gueltig = 0;
    bool abgebrochen = false;
};
// Classifies one postcode (field 4) against the default prefix: the prefix
// (case ignored) is removed; shorter than 4 characters or not a number: 10;
// a number above 0 and below 99999: its first digit; any other number: -1
// (counted nowhere).
int Plz_Klasse(const QString& plz, const QString& stdLand);
PlzVerteilung Plz_Zaehlen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste, const QString& stdLand);
QString Plz_Meldung(const PlzVerteilung& v, const QString& beschreibung, const QString& stdLand);
// The command "&PLZ-Verteilung...".
void Statistik_Plz(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste);

} // namespace zkataloge
