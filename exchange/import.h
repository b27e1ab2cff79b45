#pragma once
// Import of addresses from other programs: a delimited text file (TAB, ";"
// or ",") whose columns the user assigns to the 24 fields, and up to eight
// lines of clipboard text for the fields of the shown address.

#include "addressbook/adressliste.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

namespace zaustausch {

// Rows of fields. A field that begins with a double quote runs to the next
// lone quote: separators and line breaks inside belong to it and "" stands for
// one quote. Rows end with CR LF, LF or CR; empty rows are skipped.
QList<QStringList> Trenntext_Zerlegen(QStringView text, QChar trenner);
// The other way round: fields holding the separator, a quote or a line break
// are quoted, and so is a row of one empty field; rows end with CR LF.
QString Trenntext_Verbinden(const QList<QStringList>& zeilen, QChar trenner);
// The separator of a first line: the most frequent of TAB, ";" and ","
// (outside quotes), TAB when none occurs.
QChar Trenner_Erkennen(QStringView ersteZeile);

// The text of an import file: UTF-8 when it has a UTF-8 byte order mark or
// decodes as UTF-8 with non-ASCII characters, Windows-1252 otherwise.
// *ok false when it cannot be read.
QString ImportText_Lesen(const QString& pfad, bool* ok = nullptr);

// A proposal which field each column of a caption line fills (-1: none): a
// caption equal to a card caption or a default caption (without regard to
// case, "&" and ":"), each field taken once.
QList<int> Zuordnung_Vorschlagen(const QStringList& kopf);

struct ImportErgebnis
{
    int importiert = 0;
    int uebersprungen = 0;  // rows without any text for the assigned fields
    bool abgelehnt = false; // read-only mode or no column assigned
    bool voll = false;      // the 32000 limit stopped the import
    int ersterNeuer = -1;   // list position of the first imported address
};

// Appends one address per row (the caption row skipped when ersteZeileKopf):
// columns assigned to the same field are joined by a blank; fields 15 and 16
// get today unless a column fills them; field 23 a new index number
// (AdressIndex_Vergeben). Refused in read-only mode (message); stops at the
// 32000 limit with the limit message; sets the changed flag.
ImportErgebnis Adressen_Importieren(zadressbuch::AdressListe& liste, const QList<QStringList>& zeilen,
                                    const QList<int>& zuordnung, bool ersteZeileKopf);

// The clipboard import's lines: the first eight lines of the text (CR LF, LF
// or CR), each without its line end; fewer when the text has fewer.
QStringList Zwischenablage_Zeilen(const QString& text);

} // namespace zaustausch
