#pragma once
// "&eMail-Domains": counts the domains of the valid e-mail addresses of the
// open file and rewrites the e-mail field's pick list "Liste14.txt" with the
// nine most frequent domains that occur at least twice (" @domain" lines).

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace zadressbuch {
class AdressListe;
class Fenster;
} // namespace zadressbuch

namespace zkataloge {

// Program folder + "/Liste14.txt".
QString Domain_Datei();

struct DomainErgebnis
{
    // Every distinct domain ("@" included, lower case) with its count, most
    // frequent first; equal counts in the order the list first met them.
    std::vector<std::pair<QString, qint64>> domains;
    bool abgebrochen = false;
};
DomainErgebnis Domains_Zaehlen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste);

// The domains proposed: the first nine with a count above 1.
std::vector<std::pair<QString, qint64>> Domains_Vorschlaege(const DomainErgebnis& e);
// The message (with "~" for line breaks).
QString Domains_Meldung(const DomainErgebnis& e);

// The command: count, write the pick list, message, "Bereit". A pick list that
// cannot be written is reported (and not claimed as taken over).
void Domains_Uebernehmen(zadressbuch::Fenster& fenster, const zadressbuch::AdressListe& liste);

} // namespace zkataloge
