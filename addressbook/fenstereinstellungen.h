#pragma once
// The main window's settings: size and place, the fonts and background colour
// of the card, four input options, and the remembered list position per user
// and address file. All keys stand in Zizorud.ini in the program's own
// section (empty file and section for Ini_Lesen / Ini_Schreiben).
//
// How the main window wires it:
//
//   void Main::Einstellungen_Anwenden()
//   {
//       Form_Position_Laden_Main("");                       // "Form_Höhe", "Form_Weite", "Form_Links", "Form_Oben"
//       Form_Resize();                                      // the layout rules once (layout.h)
//       EingabeOptionen_Laden();                            // KatalogStdLand, OrtAusPlz, AutoFormatUCase, AutoFormatTrim
//       KartenSchriften s = KartenSchriften_Laden(current values: Schrift_AlsText of Feld(0), Feld(11),
//                                                 BezListeStd, BezListeKom; Feld(0)'s background colour);
//       Schrift_Setzen(Feld(0), s.ein, "Alles"); Schrift_Setzen(Feld(11), s.bem, "Alles");
//       Schrift_Setzen(BezListeStd, s.std, "Schrift"); Schrift_Setzen(BezListeKom, s.kom, "Schrift");
//       if (!Feld(0) locked) Feld(0) background := s.hintergrund;
//       Feld(0) background := Hintergrund_Pruefen(Feld(0) background, Feld(0) text colour);
//       for i in 1..23: if (!Feld(i) locked) background := Feld(0)'s;
//                       if (FeldBekommtSchrift(i)) Schrift_Setzen(Feld(i), Schrift_AlsText(Feld(0)), "Alles");
//   }
//   Einstellungen_Sichern():  Einstellungen_Sichern(FensterWerte{fonts, Feld(0) background,
//                              isMinimized(), geometry in twips (frame height, width, left, top)});
//   ListenPos_Laden():        adressliste().setListIndex(ListenPos_Laden(adressliste().ListCount()));
//   ListenPos_Sichern():      ListenPos_Sichern(adressliste().ListIndex());
//
// Colours are numbers as the settings store them: red + 256 × green + 65536 ×
// blue. A negative number (0x80000000 + index, as stored by older versions for
// the system colours) names a system colour: Systemfarbe() gives its index
// (5 window background, 8 window text).

#include <QString>

namespace zadressbuch {

// The four input options, program-wide until the next Einstellungen_Anwenden.
struct EingabeOptionen
{
    QString KatalogStdLand = QStringLiteral("D-"); // default country prefix of the catalogues
    int OrtAusPlz = 1;       // 1: fill the place from the postcode catalogue
    int AutoFormatUCase = 0; // 0 unchanged, 1 word starts, 2 field start, 3 upper, 4 lower case
    int AutoFormatTrim = 0;  // 1: cut blanks from field input
};

// The values in force (read by the card's field events).
EingabeOptionen& eingabeOptionen();

// Reads "KatalogStdLand" (default "D-"), "OrtAusPlz" ("1"; 0 when its numeric
// value is 0, else 1), "AutoFormatUCase" ("0"; rounded number) and
// "AutoFormatTrim" ("0"; flag); keeps them in eingabeOptionen() and copies
// KatalogStdLand and OrtAusPlz into sitzung().
EingabeOptionen EingabeOptionen_Laden();

// Font texts (Schrift_AlsText form) and the background colour of the card.
struct KartenSchriften
{
    QString ein;     // "SchriftEin": fields (Feld(0))
    QString bem;     // "SchriftBem": the remark field 11
    QString std;     // "SchriftStd": label BezListeStd
    QString kom;     // "SchriftKom": label BezListeKom
    qint64 hintergrund = 0xFFFFFF; // "SchriftBackCol": background of the fields
};

// The stored values; each missing key gives the current value passed in.
// The background is the numeric value of the text rounded to a whole number.
KartenSchriften KartenSchriften_Laden(const KartenSchriften& aktuell);

// The colour rule of the background: equal to the text colour -> white
// (16777215); still equal (white text) -> black (0). Each test on the
// current colours, one after the other.
qint64 Hintergrund_Pruefen(qint64 hintergrund, qint64 textfarbe);

// Fields that take Feld(0)'s font: every field 1..23 except 11 (several
// lines) and 15, 16 (the dates keep their own).
bool FeldBekommtSchrift(int feld);

// A system colour number (negative, or 0x80000000 and above): true and its index.
bool Systemfarbe(qint64 farbe, int* index = nullptr);

struct FensterWerte
{
    KartenSchriften schriften;
    bool minimiert = false;
    // The window's outer height, width, left and top in twips.
    int hoehe = 0, weite = 0, links = 0, oben = 0;
};

// Einstellungen_Sichern: nothing in read-only mode; otherwise "SchriftEin",
// "SchriftBem", "SchriftStd", "SchriftKom", "SchriftBackCol", and (only when
// not minimised) "Form_Höhe", "Form_Weite", "Form_Links", "Form_Oben".
void Einstellungen_Sichern(const FensterWerte& werte);

// The position key: "User_" + user + "_" + base name of the address file + "_Pos".
QString ListenPos_Schluessel(const QString& benutzer, const QString& adressDatei);
// The same for the current user and sitzung().AdressDateiName.
QString ListenPos_Schluessel();

// The entry to select after a load: the stored position (default 0), a
// negative one -> 0 and one past the end -> the last entry; an empty list -1.
int ListenPos_Laden(int anzahl);
int ListenPos_Laden(int anzahl, const QString& schluessel);
// Writes the position (-1 when nothing is selected); nothing in read-only mode.
void ListenPos_Sichern(int listIndex);
void ListenPos_Sichern(int listIndex, const QString& schluessel);

} // namespace zadressbuch
