#pragma once
// Auswahl_eMail: proposals for an e-mail (or web) field, offered in the pick
// list Auswahl, the chosen piece appended to the field. Calling it again
// appends the next piece, so an address is built in two picks, a name part
// and then the domain part.
//
// How the main window wires it (Feld_DblClick of field 14 when no other rule
// of the double-click acted):
//
//   void Main::Auswahl_eMail(int feld)
//   {
//       if (sitzung().NurLesen) return;                  // read-only: no proposal stores the card
//       Felder karte = texts of Feld(0..23);
//       zadressbuch::Auswahl& a = zadressbuch::Auswahl::instanz();
//       a.Liste->Clear(); a.setCheckSingle(1);
//       for (const QString& v : EMail_Vorschlaege(feld, karte)) a.Liste->AddItem(v);
//       a.zeigen();                                      // modal; a cancel selects nothing
//       const QString neu = EMail_Anhaengen(karte[feld], a.ausgewaehlt());
//       if (neu != karte[feld]) {
//           Feld(feld)->setText(neu); cursor after the last character;
//           Adresse_Uebernehmen(0);
//       }
//       a.Liste->Clear();
//   }

#include "addressbook/datensatz.h"

#include <QString>
#include <QStringList>

namespace zadressbuch {

// The proposals built from the card alone, in the order they are added:
// the eleven name forms of surname N and first name V (7-bit forms, case
// kept, each trimmed): N, NV, N_V, N.V, N + first letter of V, V, VN, V.N,
// V_N, first letter of V + N, first letter of V + "." + N; when field 7 is
// not empty its digits, and its digits + "001"; from field 22 a domain entry
// " @" + the rest after a leading "www." (any case) and one after a leading
// "http://www." (at most 99 characters each, the leading blank kept).
QStringList EMail_KartenVorschlaege(const Felder& karte);

// The whole list for the pick list: the lines of the field's pick-list file
// ("Liste" + two-digit field number + ".txt" in the program folder), then the
// card's proposals, each text once (the first occurrence kept; exact compare).
QStringList EMail_Vorschlaege(int feld, const Felder& karte);
QStringList EMail_Vorschlaege(const QStringList& dateiZeilen, const Felder& karte);

// The field's new text: the chosen entries (in list order as the pick list
// shows them) taken from the last to the first, each trimmed, joined without
// separator, appended to the field's text. Nothing chosen (or only empty
// texts): the field's text unchanged.
QString EMail_Anhaengen(const QString& feldText, const QStringList& ausgewaehlt);

} // namespace zadressbuch
