#pragma once
// What the three payment forms share when they are set up: the currency
// list, the choice of the printer font, the form picture and the form type,
// the signature bitmaps and the per-user settings keys of the transfer form.

#include <QString>
#include <QStringList>

namespace zzahlung {

// The currency list every transfer and direct debit offers (setting "Währungskürzel").
inline const QString WaehrungsVorgabe =
    QStringLiteral("DM;DEM;EUR;BEF;FIM;FRF;IEP;ITL;LXF;NLG;ATS;PTE;ESP;DKK;ATS;CHF;HUF;");

// Reads "Währungskürzel" (program section of Zizorud.ini), writes the value
// straight back (so a missing setting is created) and returns its non-empty
// parts in order, duplicates kept.
QStringList Waehrungen_Laden();

// The font to select in a list of printer fonts: the first entry containing
// the saved name, else "Courier NEW", else "ARIAL" (ignoring case), else the
// first entry; -1 for an empty list.
int Schrift_Waehlen(const QStringList& schriften, const QString& gespeichert);

// The form picture "FormPrn_<typwort>" with ".jpg", ".gif" or ".bmp" in the
// program folder; with several the last found (.bmp before .gif before .jpg);
// "" when there is none.
QString Formularbild_Suchen(const QString& typwort);

// The form type of the transfer form from its setting: the leading number
// rounded (halves to even); 1 only with a picture; anything but 0, 1 or 2 gives 0.
int Formulartyp_Ueberweisung(const QString& wert, bool bildDa);
// The form type of the forms with two types: 1 for any number but 0 when a
// picture exists, else 0.
int Formulartyp_Zwei(const QString& wert, bool bildDa);

// The signature bitmaps "Unterschrift_*.bmp" of the program folder, their
// names with capitalised words; *eigener gets the index (from 0) of the one
// named after the user (-1 when none).
QStringList Unterschriften_Listen(const QString& benutzer, int* eigener = nullptr);
// The path of a signature entry in the program folder (found without regard to case).
QString Unterschrift_Pfad(const QString& eintrag);

// Key of a per-user setting of the transfer form: "User_" + user + suffix.
QString Benutzerschluessel(const QString& suffix);

// Settings of the program's own section of Zizorud.ini.
QString Einstellung_Lesen(const QString& schluessel, const QString& vorgabe = QString());
void Einstellung_Schreiben(const QString& schluessel, const QString& wert);

} // namespace zzahlung
