#pragma once
// The rules of the file chooser's own file commands (rename and delete), apart
// from its form: which file is the open address file, what a typed new name
// gives, and the rename and delete themselves. The form asks and reports.

#include <QString>

namespace zbefehle {

// Whether the path names the open address file (sitzung().AdressDateiName),
// the same file under another spelling or case included.
bool IstOffeneAdressdatei(const QString& pfad);

struct Umbenennung
{
    enum class Pruefung { Ok, UngueltigesZeichen, KeinNeuerName };
    Pruefung pruefung = Pruefung::Ok;
    QString neuBasis;           // the typed name up to its first "."
    QString neu;                // folder + new base name + the old extension, as asked for
    QString ziel;               // the path replaced: an existing file of that name in any case, else neu
    bool zielVorhanden = false; // a file stands there and would be overwritten
};

// Plans the rename of the file voll (in the folder ordnerMitTrenner, ending
// in "/") to the typed name: the characters \ * ? : , / blank and control
// characters are refused; the typed name counts up to its first "." and
// keeps the old extension ext; the same name (in any case) or an empty base
// name is no new name.
Umbenennung Umbenennung_Planen(const QString& ordnerMitTrenner, const QString& voll, const QString& ext,
                               const QString& eingabe);

struct Dateiaktion
{
    bool ok = false;
    QString neuerName; // the file's name after a rename
    QString grund;     // German reason when !ok
};

// Renames in one step (the old name and a replaced file are never both
// gone). When the replaced file had the name in another case, the new file
// then takes the spelling asked for.
Dateiaktion Umbenennen_Ausfuehren(const QString& voll, const Umbenennung& u);
// Deletes the file.
Dateiaktion Datei_Entfernen(const QString& voll);

} // namespace zbefehle
