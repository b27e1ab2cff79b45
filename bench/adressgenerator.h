#pragma once
// The generated addresses the benchmarks run on: by default 32000 (as many as
// an address file holds), German names and places with umlauts, "ß" in the
// street, a remark of two lines with "€". The same settings give the same
// addresses on every run and every machine.

#include "addressbook/datensatz.h"

#include <QString>
#include <QStringList>

#include <iterator>
#include <random>

namespace zbench {

struct Adressvorgaben
{
    int anzahl = zadressbuch::MaxAdressen;
    // false: names, places, numbers taken in turn by the address's number and
    // the dates the same for all; true: all of them drawn at random (fixed
    // seed), so the list is in no order and one birthday in ten is missing.
    bool zufaellig = false;
    // The surname ends in the address's number, so no two are equal.
    bool nummerImNamen = true;
    // Also land, fax, mobile and data phone, the user, bank and web address:
    // every field filled, as in a well-kept file.
    bool alleFelder = false;
};

// The addresses as list entries (joined records).
inline QStringList Adressen(const Adressvorgaben& v = {})
{
    using namespace zadressbuch;
    static const char* const nachnamen[] = {
        "Müller",   "Schmidt",  "Schneider", "Fischer", "Weber",      "Meyer",   "Wagner",  "Becker",
        "Schulz",   "Hoffmann", "Schäfer",   "Koch",    "Bauer",      "Richter", "Klein",   "Wolf",
        "Schröder", "Neumann",  "Schwarz",   "Weiß",    "Zimmermann", "Braun",   "Krüger",  "Jäger",
        "Hartmann", "Lange",    "Schmitt",   "Meier",   "Maier",      "Krause",  "Lehmann", "Özdemir"};
    static const char* const vornamen[] = {"Anna", "Björn", "Claudia", "Dieter", "Eva",  "Frank",     "Gülay",
                                           "Hans", "Inge",  "Jürgen",  "Karin",  "Lutz", "Hans-Peter"};
    static const char* const orte[] = {"Berlin",  "München", "Köln", "Düsseldorf", "Frankfurt am Main",
                                       "Görlitz", "Hamburg"};
    static const char* const vorwahlen[] = {"0221", "089", "030", "0211", "069", "0351", "040", "0711", "0341"};

    std::mt19937 zufall(4711);
    // An index below n: the next draw, or the address's number in turn.
    const auto wahl = [&](unsigned n, int i) { return v.zufaellig ? int(zufall() % n) : int(unsigned(i) % n); };
    const auto aus = [&](const auto& liste, int i) { return QString::fromUtf8(liste[wahl(std::size(liste), i)]); };
    const auto datum = [&](int ab, unsigned jahre) {
        return QStringLiteral("%1.%2.%3")
            .arg(zufall() % 28 + 1, 2, 10, QLatin1Char('0'))
            .arg(zufall() % 12 + 1, 2, 10, QLatin1Char('0'))
            .arg(ab + int(zufall() % jahre));
    };

    QStringList adressen;
    adressen.reserve(v.anzahl);
    for (int i = 0; i < v.anzahl; ++i) {
        Felder f;
        f[Rubrik] = wahl(3, i) ? QStringLiteral("Kunde") : QString();
        f[Nachname] = aus(nachnamen, i);
        if (wahl(3, i / 2) == 0)
            f[Nachname] += QStringLiteral("-Lüdenscheidt");
        if (v.nummerImNamen)
            f[Nachname] += QStringLiteral(" %1").arg(i);
        f[Vorname] = aus(vornamen, i);
        f[Strasse] = QStringLiteral("Hauptstraße %1").arg(wahl(200, i) + 1);
        f[Plz] = QString::number(10000 + wahl(89999, i));
        f[Ort] = aus(orte, i);
        const QString vorwahl = aus(vorwahlen, i);
        f[Telefon] = vorwahl + QStringLiteral(" / ") + QString::number(100000 + wahl(900000, i));
        f[Zusatz] = wahl(4, i) == 0 ? QStringLiteral("c/o Firma Beispiel") : QString();
        f[Bemerkung] = QStringLiteral("Bemerkung mit\r\nzwei Zeilen und 5 € Rabatt");
        f[EMail] = QStringLiteral("kontakt%1@example.de").arg(i);
        if (v.zufaellig) {
            f[ErstelltAm] = datum(1995, 10);
            f[GeaendertAm] = f[ErstelltAm];
            if (zufall() % 10 != 0)
                f[Geburtstag] = datum(1920, 80);
        } else {
            f[ErstelltAm] = QStringLiteral("01.02.1999");
            f[GeaendertAm] = QStringLiteral("02.03.2000");
            f[Geburtstag] = QStringLiteral("15.03.1960");
        }
        f[Anrede] = wahl(2, i) ? QStringLiteral("Herr") : QStringLiteral("Frau");
        f[Index] = QString::number(i + 1);
        if (v.alleFelder) {
            f[Land] = QStringLiteral("Deutschland");
            f[Telefax] = f[Telefon] + QStringLiteral("-99");
            f[FuerUser] = QStringLiteral("alle");
            f[Mobiltelefon] = QStringLiteral("0171/%1").arg(1000000 + wahl(8999999, i));
            f[Datentelefon] = vorwahl + QStringLiteral(" / ") + QString::number(200000 + wahl(800000, i));
            f[Kontonummer] = QString::number(1000000 + wahl(8999999, i));
            f[Bankleitzahl] = QString::number(10000000 + wahl(89999999, i));
            f[Kreditinstitut] = QStringLiteral("Sparkasse");
            f[Www] = QStringLiteral("www.example.de");
        }
        adressen << Verbinden(f);
    }
    return adressen;
}

} // namespace zbench
