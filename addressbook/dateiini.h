#pragma once
// Settings of the open address file and small card helpers.
//
// Settings of one address file stand in Zettlora.Ini (sitzung().ProgrammIni())
// in a section named after the file name with extension of
// sitzung().AdressDateiName (Kunden.dat in any folder -> section "Kunden.dat").

#include "addressbook/datensatz.h"

#include <QString>

namespace zadressbuch {

// The value of the key in the open address file's section; vorgabe ("" by
// default) when the key is missing or no file is open.
QString DateiIni_Lesen(const QString& schluessel, const QString& vorgabe = QString());
// Writes the key into that section; returns the value as written.
QString DateiIni_Schreiben(const QString& schluessel, const QString& wert);

// The postal address block of a card, each line trimmed of blanks, added only
// when not empty and ended by CR LF: "Vorname Nachname", the Zusatz (field 10)
// after the name (setting "ZusatzZurAnschrift" = 1) or before it (= 2), the
// street, an empty line when LeerzeileVorOrt != 0 and the place line is not
// empty, "PLZ Ort", the country.
QString Anschrift_Bilden(const Felder& karte, int LeerzeileVorOrt);
// The same for the selected entry of adressliste() (the card is stored into
// it at every key release); "" when nothing is selected.
QString Anschrift_Bilden(int LeerzeileVorOrt);

// The digits "0" to "9" of the text, in their order.
QString Ziffern_Filtern(const QString& text);

} // namespace zadressbuch
