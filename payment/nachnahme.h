#pragma once
// The cash-on-delivery form: the price box's evaluation, the delivery fee
// and the print layout (upper part, payment card and stub on one page).

#include <QDate>
#include <QString>

namespace zzahlung {

// The standard delivery fee: 1.5 euros in marks, in single precision.
inline constexpr float ZustellGebuehrStandard = float(1.5 * 1.95583);

// The price box when left: the trimmed text worked out and written in the
// general notation with a decimal point (12,50 -> 12.5, 0,5 -> .5, 7 -> 7);
// an empty text or a failing expression give "0". A text with a number of
// two decimal separators stays as typed. A result longer than maxLaenge
// loses decimals only; when the whole units do not fit, the text stays.
QString Preis_Auswerten(const QString& text, int maxLaenge = 8);

// The value of the price box as printed: a plain number ("," or "." as
// decimal separator), anything else 0.
double Nachnahme_Wert(const QString& text);

// The delivery fee added to the price: the fee box's text with "," read as
// ".", as far as it forms a number from its start ("3 DM" is 3, "2,50 " is
// 2.5, "2+1" is 2); a text that does not begin with a number, and an empty
// box, give 0.
double Zustellgebuehr_Wert(const QString& text);

// The warning that the address belongs to another country: its vehicle
// country code (from the card's postcode and country field) followed by "-"
// differs from the default country stdLand ("D-"), case ignored. Names the
// code ("?" when the country cannot be told); "" for an address at home.
QString Land_Warnung(const QString& plz, const QString& land, const QString& stdLand);

struct Nachnahme
{
    QString name, strasse, ort; // recipient; "~" in the name is a line break
    QString preis, waehrung, gebuehr, auftragsnummer, artikel1, artikel2;
    QString absName, absStrasse, absOrt, absBLZ, absBank, absKontoNr;
};

// Prints the page on the current printer (zplatform::drucker()). bild: the
// form picture ("" laser form); kunde: the card's index number; emblem: print
// the program's emblem below the account rows.
void Nachnahme_Layout(const Nachnahme& n, const QString& schrift, double randX, double randY, const QDate& heute,
                      const QString& bild, const QString& kunde, bool emblem);

} // namespace zzahlung
