#pragma once
// The card's show and store rules as plain functions; the main window's
// Adresse_Anzeigen and Adresse_Uebernehmen put their results into the widgets.
//
// Adresse_Anzeigen():
//   KartenAnzeige a = Karte_Anzeige(adressliste());
//   for i: Feld(i).text = a.felder[i]   (field 11: CR LF as the widget wants it)
//   bezInfo2(20) = a.alter; bezZeit1 = a.zeit1; bezZeit2 = a.zeit2;
//   panels "Position", "Unsaved", "Index", "Status" from a.position, a.unsaved, a.index, a.status.
// Adresse_Uebernehmen(DatumBehalten):
//   Felder karte = texts of Feld(0..23);
//   KartenSpeicherung s = Karte_Uebernehmen(karte, DatumBehalten, adressliste());
//   if (s.feld16Gesetzt) Feld(16).text = s.feld16;
//   Feld(11) typing limit = s.feld11Grenze;
//   if (s.neuAnzeigen) Adresse_Anzeigen();
//   (When the record was appended, the list's selection signal has already run
//   Liste_Click: undo copy and show.)

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace zadressbuch {

struct KartenAnzeige
{
    // With nothing selected the card and everything derived from it are empty.
    Felder felder;               // texts of Feld(0..23)
    QString alter;               // caption of bezInfo2(20) (may hold CR LF)
    QString zeit1;               // caption of bezZeit1 (days since field 15)
    QString zeit2;               // caption of bezZeit2 (days since field 16)
    QString position;            // panel "Position", e.g. " Pos. 5 von 120 "
    QString unsaved;             // panel "Unsaved": " * " or ""
    QString index;               // panel "Index": " #17 " or " # "
    QString status;              // panel "Status": "Bereit"
};

// What the card shows for the selected entry. Resets sitzung().LeerlaufZaehler.
// O(length of the entry), whatever the list size.
KartenAnzeige Karte_Anzeige(const AdressListe& liste);

// The single rules, for the form and for tests (pass zcommon::Heute() as heute).
// Age beside field 20: "" when the text is no date, the date lies after today,
// or less than one month boundary lies between; else e.g. "40 Jahre und\r\n4 Monate alt".
QString AlterText(const QString& geburtstag, const QDate& heute);
// Day counter: "<days> Tg." from the date to today (negative for a later
// date); not a date: ">" + days since 01.09.1995 + " Tg.".
QString TageText(const QString& datum, const QDate& heute);
// " Pos. <index+1> von <count> " (nothing selected: 0).
QString PositionText(int listIndex, int anzahl);
// " * " when geaendert != 0, else "".
QString UnsavedText(int geaendert);
// " #<n> " from the numeric value of field 23's text; value 0: " # ".
QString IndexText(const QString& feld23);

// The most characters a one-line card field holds (the line edit's own limit).
inline constexpr int ZeilenfeldGrenze = 32767;

struct KartenSpeicherung
{
    enum Aktion { Nichts, Angehaengt, Ersetzt, NurLesen, KeinPlatz };
    Aktion aktion = Nichts; // Nichts: entry equals the card; NurLesen: refused in read-only mode;
                            // KeinPlatz: nothing selected and the list is full (message shown)
    bool feld16Gesetzt = false;
    QString feld16;           // new text of Feld(16) (today) when feld16Gesetzt
    int feld11Grenze = 1024;  // new typing limit of Feld(11), in record characters (a line
                              // break counts 2); 0 = no more typing (the text stays)
    QString datensatz;        // the joined record
    bool neuAnzeigen = false; // the form must run Adresse_Anzeigen now
};

// Stores the card (24 field texts as the widgets hold them; any line break
// form) into the list: Geaendert = 1 (always); DatumBehalten 0 stamps
// karte[16] with today; computes field 11's limit (1000 minus the other 23
// fields' record length, at least 0); a one-line field that holds exactly the
// first ZeilenfeldGrenze characters of the entry's longer field keeps the
// entry's full text (storing never shortens a field the user did not edit); joins (TAB -> blank, line breaks ->
// "°°", empty field 0 -> one blank); nothing selected: appends and selects the
// new entry (the 32000 limit is kept: message and KeinPlatz); otherwise
// replaces the selected entry when it differs. In read-only mode nothing
// happens (aktion NurLesen). O(24 fields).
KartenSpeicherung Karte_Uebernehmen(Felder& karte, int DatumBehalten, AdressListe& liste);

// The typing limit of the remark field 11 for a card: 1023 minus the other
// 23 fields' length in the record, each with its separator (a line break
// counts 2), at least 0.
int Bemerkungsgrenze(const Felder& karte);

// True when storing the card would change the list: the selected entry reads
// otherwise, field by field, than the card (an entry written in a shorter
// form is no change, nor a one-line field cut as Karte_Uebernehmen restores
// it); with nothing selected, when any field holds more than blanks. The
// date stamp of a store plays no part. O(24 fields).
bool Karte_Weicht_Ab(Felder karte, const AdressListe& liste);

// The input options applied when the user leaves a field he has changed:
// grossKlein ("AutoFormatUCase") 1 capitalises the start of every word (after
// a blank or a hyphen), 2 the start of the field, 3 gives upper case, 4 lower
// case, anything else leaves the case; trimmen ("AutoFormatTrim") not 0 cuts
// leading and trailing blanks. The remark field 11 and the locked fields 15,
// 16 and 23 stay as they are; the e-mail and web fields 14 and 22 keep their
// case. "ß" stays "ß".
QString Eingabe_Formatieren(int feld, const QString& text, int grossKlein, int trimmen);

// The values of the pick-list file "Liste" + field number in two digits +
// ".txt" in the program folder, each without trailing blanks (empty lines
// dropped); nothing when the file is missing.
QStringList AuswahlListe_Laden(int feld);
// The distinct non-empty values of one field over the list's addresses, in
// list order ("°°" turned into CR LF as on the card).
QStringList Daten_Suchen(const AdressListe& liste, int feld);

} // namespace zadressbuch
