#pragma once
// The international vehicle country code (the letters of the oval plate:
// D, A, CH ...) of an address, from its postcode and country fields; and the
// call-by-call dialing prefix of a telephone number.

#include <QString>

namespace zkataloge {

// The code from the postcode (the last entry of the code list the postcode
// begins with, exact case; "DK-3000" gives DK) and the country field
// ("deutsch", "germany", "österreich", "schweiz", "dänemark" anywhere in it,
// case ignored; any other non-empty country gives "?"); an empty postcode
// gives "?", a postcode without code the default prefix stdLand without its
// hyphen. Upper case.
QString Land_Ermitteln(const QString& plz, const QString& land, const QString& stdLand);
// The same with sitzung().KatalogStdLand.
QString Land_Ermitteln(const QString& plz, const QString& land);

// The call-by-call settings file: program folder + "/CallByCall.ini".
QString CallByCall_Datei();

// For a telephone number (only its digits count): the provider of the longest
// number prefix in section "TeleNr"; mode 1 the provider key, mode 2
// " [" + key + "]", any other mode its dial prefix from section "CallByCall".
// "" when switched off ("aktiviert" in "Allgemein" is 0) or nothing matches.
QString CallByCall_Ermitteln(const QString& nummer, int modus);

} // namespace zkataloge
