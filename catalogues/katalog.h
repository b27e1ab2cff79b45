#pragma once
// The three look-up catalogues beside the program: bank code to bank name,
// postcode to place, postcode to area code. Each is a family of settings
// files in the folder "Kataloge" of the program folder, one file per country
// prefix and first character ("shard") of the key:
//
//   bank       <prefix>BLZ_<shard>.Txt          section "BLZ"  key: bank code
//   place      <prefix>PLZ_Ort_<shard>.txt      section "PLZ"  key: postcode without prefix
//   area code  <prefix>PLZ_Vorwahl_<shard>.txt  section "PLZ"  key: postcode without prefix
//
// A value holds one entry or several joined by ","; the learning runs join
// with ", ". Files are read and written only through the settings layer
// (common/ini.h), whose cache makes repeated look-ups cheap.
//
// Look-up modes: 1 lets the user choose when a value holds several entries;
// any other value returns the stored value whole; 0 is stored back as 1 and
// behaves as 1.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace zadressbuch {
class Fenster;
}

namespace zkataloge {

enum class Katalogart { Bank, Ort, Vorwahl };

// Program folder + "/Kataloge".
QString Katalog_Ordner();

// A postcode split into its country prefix (with hyphen, upper case), the key
// (the postcode without prefix) and the shard (the key's first character when
// it is a digit, "9" for any other, "" for an empty key).
//
// "D-12345" gives "D-" / "12345", "ch-8000" gives "CH-" / "8000"; "12345",
// "-12345" and "X1234" keep the default prefix and stay whole. Only letters
// and digits may stand before the hyphen: a postcode such as "../x-1" is no
// country prefix and never names a file outside the catalogue folder.
struct PlzTeile
{
    QString land;
    QString schluessel;
    QString shard;
};
PlzTeile Plz_Zerlegen(const QString& plz, const QString& stdLand);

// The default country prefix as the catalogue files use it: the setting
// "KatalogStdLand" when it is letters and digits followed by one hyphen (or
// empty), else "D-" -- the rule of the postcode prefixes, so a setting such
// as "../" or "../../x-" never names a file outside the catalogue folder.
QString Katalog_Land(const QString& stdLand);

// Where one key of a catalogue is stored.
struct KatalogZiel
{
    QString datei;      // full path ("" when the key cannot be stored)
    QString sektion;    // "BLZ" or "PLZ"
    QString schluessel; // the key as written
};
// The file and key a writer uses for a bank code (trimmed) or a postcode
// (trimmed, prefix removed). A key that a settings file cannot hold as a key
// line (empty, beginning with "[" or ";", holding "=" or a line break) gives
// an empty file name: such keys are never written, so they cannot break the
// file's sections.
KatalogZiel Katalog_Ziel(Katalogart art, const QString& code, const QString& stdLand);

// The entries of a stored value: split at ",", empty pieces skipped, trimmed,
// at most 99 (from the 99th on each further piece replaces the last).
QStringList Katalog_Eintraege(const QString& wert);

// Lets the user choose one of several entries; nullopt after a cancel.
using Waehler = std::function<std::optional<QString>(const QStringList& eintraege)>;
// The main window's pick list in single choice.
Waehler Fenster_Waehler(zadressbuch::Fenster& fenster);

// Look-ups and writers take the default country prefix from
// sitzung().KatalogStdLand (the bank files always use it).
//
// Look-ups; "" means nothing found. A missing file gives "" and creates nothing.
//
// Bank: the code is trimmed (so look-up and writer use one key). The key is
// looked up as written and, when the code is a whole number, also in the
// two-digit form "00" of that number (5 as "05", "0123" as "123"): a code
// stored either way is found. Mode 0 becomes 1 only when the file exists.
// A cancelled choice gives "".
QString KatalogBank_Suchen(const QString& blz, int& modus, const Waehler& waehler = {});
// Place: a cancelled choice gives ortBeiAbbruch (the card's place, so the card
// keeps it). A value beginning with "," comes back without it, trimmed.
QString KatalogOrt_Suchen(const QString& plz, int& modus, const Waehler& waehler = {},
                          const QString& ortBeiAbbruch = QString());
// Area code: a key whose numeric value is 0 or less ("00000", "D-ABC") gives
// "" without reading; a cancelled choice gives "".
QString KatalogVorwahl_Suchen(const QString& plz, int& modus, const Waehler& waehler = {});

// The value stored under a writer's key, read whole and without the checks of
// the look-ups (the caller knows the file exists): a bank code is also looked
// up in its "00" form, a place value loses a leading ",". "" when missing.
QString Katalog_Lesen(Katalogart art, const KatalogZiel& ziel);

// Writers: store the trimmed value under the key, replacing what it held, and
// return the value as written ("" and nothing written for a key that cannot be
// stored). The folder "Kataloge" must exist; the writers do not create it.
QString KatalogBlz_Schreiben(const QString& blz, const QString& name);
QString KatalogOrt_Schreiben(const QString& plz, const QString& ort);
QString KatalogVorwahl_Schreiben(const QString& plz, const QString& vorwahl);

} // namespace zkataloge
