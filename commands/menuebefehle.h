#pragma once
// Menu commands that hand a value of the card to another window or routine:
// the dial text, the web page, the fax number, the search entry's text, the
// bank transfer's preset, the clipboard import's transfer into the card, and
// which CD-ROM directory entry the menu "&Adresse" shows.

#include "addressbook/befehle.h"
#include "addressbook/fenster.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace zbefehle {

// The number to dial: field 7 ("Telefon"); field 12 ("Mobiltelefon") when the
// focused field (sitzung().AktivesFeld) is 12 and not blank, or when field 7
// is blank.
QString Waehlnummer(const zadressbuch::Fenster& fenster);
// prefix + " " + number, trimmed (just the number without a prefix).
// callByCall gives the call-by-call prefix of a number ("" none); may be empty.
QString Waehltext(const zadressbuch::Fenster& fenster, const std::function<QString(const QString&)>& callByCall = {});

// The address a web field stands for: http and https addresses as they are,
// "www." with "http://" in front; anything else gives "".
QString Webadresse(const QString& feld);
// "&Web-Seite aufrufen...": opens field 22 ("WWW"); a message when it is
// empty ("Keine Web-Seite angegeben.") or not an http or https address.
bool WebSeite_Aufrufen(const zadressbuch::Fenster& fenster);

// "&Fax-Nr in Zwischenablage": field 8 unchanged onto the clipboard.
void FaxNr_InZwischenablage(const zadressbuch::Fenster& fenster);

// The search entry's text: the selection of the focused card field, else its
// whole text. Null when the search box had the focus last (it keeps its text).
QString Suchtext_Ermitteln(const zadressbuch::Fenster& fenster);

// The clipboard import: each of up to 8 lines whose trimmed text is not empty
// and whose target index is above 0 goes (untrimmed) into card field
// index - 1; then the card is stored. True when a field was set.
bool ZwischenablageImport_Uebernehmen(zadressbuch::Fenster& fenster, const std::array<QString, 8>& zeilen,
                                      const std::array<int, 8>& ziele);

// "DInfoVer" and which of the four directory entries it shows (none for any
// other value).
bool CdRomEintrag_Sichtbar(zadressbuch::Befehl befehl, const QString& dInfoVer);
bool CdRomEintrag_Sichtbar(zadressbuch::Befehl befehl);

} // namespace zbefehle
