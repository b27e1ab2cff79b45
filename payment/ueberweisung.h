#pragma once
// A bank transfer order as the transfer form holds it, its account log and
// its two print layouts (the classic carbon form, and the sheet of two
// orders on the preprinted laser form or over the form's picture).

#include "platform/drucker.h"
#include "platform/textdatei.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zzahlung {

struct Ueberweisung
{
    QString empfaengerName, empfaengerKontoNr, empfaengerBLZ, empfaengerBank;
    QString waehrung, betrag, verwendung1, verwendung2;
    QString auftraggeberName, auftraggeberKontoNr, auftraggeberBLZ, auftraggeberBank;
    bool datumDrucken = true;
};

// ---- recipient from the card ------------------------------------------------

// "Vorname Nachname", then "Vorname Nachname PLZ", then "Vorname Nachname PLZ
// Ort" (each trimmed): the longest of them within maxLaenge. A postcode that
// did not fit keeps the place out too. A name longer than maxLaenge by itself
// is given whole (the box cuts it and says so).
QString Empfaenger_Name(const QString& vorname, const QString& nachname, const QString& plz, const QString& ort,
                        int maxLaenge = 27);
// A selected card text as a purpose line: trimmed, CR LF turned into a blank.
QString Verwendung_AusAuswahl(const QString& auswahl);

// ---- account log --------------------------------------------------------------

// The log of a payer account: <data folder>/Konto_<cleaned number>.Log. The
// account number is made safe for a file name; a "/" becomes "_" as well,
// so no part of the number can name another folder.
QString KontenLog_Pfad(const QString& datenOrdner, const QString& kontoNr);
// The nine lines of one entry, as written (fields untrimmed).
QStringList KontenLog_Eintrag(const Ueberweisung& u, const QDateTime& wann);
// Appends the entry, creating the file when missing.
zplatform::Ergebnis KontenLog_Schreiben(const QString& pfad, const Ueberweisung& u, const QDateTime& wann);

// ---- print layouts --------------------------------------------------------------

// The printer font steps every payment print begins with: size 1, one blank
// line at the origin, "Courier New", then the chosen font (when given).
void Schrift_Vorbereiten(zplatform::Drucker& d, const QString& schrift);

// The classic carbon form: moves the origin by the margins (cm), then the
// texts at their fixed places, 13 pt bold. datum: the day of printing.
void Ueberweisung_Klassisch(zplatform::Drucker& d, const Ueberweisung& u, const QString& schrift, double randX,
                            double randY, const QDate& datum);

// The sheet of two orders (laser form, or over the form picture when bild is
// not empty) with the signature (a file, "" none) on the upper one and the
// record stub beside it. kunde: the card's index number.
void Ueberweisung_Formular(zplatform::Drucker& d, const Ueberweisung& u, const QString& schrift, double randX,
                           double randY, const QDate& datum, const QString& bild, const QString& unterschrift,
                           const QString& kunde);

} // namespace zzahlung
