#pragma once
// Envelopes: the nine sizes, the per-user settings, the envelope log and the
// layout of sender, emblem and recipient on the current printer.

#include "platform/drucker.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zdruck {

// The sizes as the size list shows them. A caption is the only place a size
// is kept: the width is the number in its characters 1 to 4, the height the
// number in its characters 8 to 11 ("." as decimal point).
QStringList Umschlag_Formate();
inline constexpr int UmschlagFormatAnzahl = 9;
struct UmschlagMass
{
    double breite = 0; // cm
    double hoehe = 0;
};
UmschlagMass Umschlag_Mass(const QString& caption);
// A stored size index: its leading number; below 0, past the last size or
// not a number: 0.
int Umschlag_FormatIndex(const QString& gespeichert);

// The settings of the envelope form, in the program's own section of
// Zizorud.ini. benutzer: the user name; datei: the open address file's base
// name (its sender text wins over the user's).
struct UmschlagEinstellungen
{
    QString absender;        // the sender text
    QString schriftAbsender; // font texts (name;size;bold;italic;underline;colour), "" = design font
    QString schriftAnschrift;
    int format = 1; // index into Umschlag_Formate()
    QString maske;  // mask name without ".msk"
};
inline constexpr const char* StandardAbsender = "Ihr Absender";
UmschlagEinstellungen Umschlag_EinstellungenLaden(const QString& benutzer, const QString& datei);
// Writes the sender to the user's and to the file's key, the two fonts, the
// size index and the mask (a final ".msk" cut off).
void Umschlag_EinstellungenSichern(const QString& benutzer, const QString& datei, const UmschlagEinstellungen& e);

// The envelope log named by "UmschlagLogbuch" ("" when none is set).
QString Umschlag_Logbuch();
// True when "Logo4Umschlag" is exactly "Trevix".
bool Umschlag_MitEmblem();
// One entry of the log: an empty line, then "Am", "Anschrift", "Absender"
// and "User" (each padded to 10 characters) with the print time, the two
// texts (each on one line: line feeds dropped, carriage returns as " ~ ") and
// the user; every middle dot, those in the texts too, starts a new line. The
// lines as they are appended (each gets CR LF).
QStringList Umschlag_LogEintrag(const QDateTime& zeit, const QString& anschrift, const QString& absender,
                                const QString& benutzer);
// Appends the entry when the log file exists (it is never created). A
// character the log's code page cannot hold is written as "?" and added to
// *ersetzt. False only when an existing log could not be written.
bool Umschlag_LogSchreiben(const QString& pfad, const QStringList& eintrag, QString* ersetzt = nullptr);

// One envelope as it is drawn.
struct UmschlagDruck
{
    QString absender;
    QString anschrift;
    zplatform::DruckSchrift schriftAbsender; // underline and strikethrough are not printed
    zplatform::DruckSchrift schriftAnschrift;
    UmschlagMass mass;
    double randX = 0; // margins in cm
    double randY = 0;
    bool emblem = false;
};

// Puts the envelope into the current printer as the sheet, lying as it is
// printed (W across, H down) in the chosen orientation: it reaches the print
// service as its named envelope size (see zplatform::blattlage).
void Umschlag_BlattEinlegen(const UmschlagMass& m, bool hochformat);

// Draws the envelope on the current printer, whose orientation is already
// set: moves the origin by the margins (in landscape the envelope's lower
// edge goes to the printable area's lower edge, but never so far that the
// sender would lie above the printable area), prints the sender into
// (0, 0)-(W/2, 0.8 H), three empty lines, the emblem when asked, and the
// recipient into (W/2.5, min(H/2.5, 4.5))-(W - 2 mX, H - 2 mY), kept inside
// the printable area. What does not fit is dropped. Does not end the document.
void Umschlag_Zeichnen(const UmschlagDruck& u);

// The window-envelope sender sheet: the settings key of the sender line of an
// address file ("AbsenderZeile_" + its base name).
QString Absenderzeile_Schluessel(const QString& adressdatei);
// Draws the sheet on the current printer from the corner of its printable
// area: the sender line (Arial 8, underlined) from (2, 4.9) up to 10 cm
// across, the address block (Arial 14) from (2, 5.5) up to 8.5 cm across,
// and the fold mark from (0, 9.9) to (0.2, 9.9). Does not end the document.
void Umschlagsfenster_Zeichnen(const QString& absenderzeile, const QString& anschrift);

} // namespace zdruck
