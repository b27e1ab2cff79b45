#pragma once
// What a text box of a Windows-1252 program keeps of a text that comes in
// (typed, pasted, dropped, committed by an input method): letters that
// Windows-1252 cannot hold become their base letters, other such characters
// are left out, and the text is cut at the box's limit. The form library
// applies this one rule to every text box (platform/ui/eingaberegel.h); this
// part is the rule itself and the line that tells the user what it changed.

#include <QString>
#include <QStringView>

namespace zplatform {

// CR, LF, the line separator or the paragraph separator.
bool istZeilenende(QChar c);

// The length of a text, each line break (CR LF or a lone one) counting 2
// with umbruchZaehltZwei (as the two characters that stand for it in a file
// line), else the number of its characters.
int textLaenge(QStringView text, bool umbruchZaehltZwei);

// A one-line box's text with every line break (CR LF, a lone CR or LF, a
// line or paragraph separator) turned into one blank.
QString Zeilenumbrueche_Als_Leerzeichen(QStringView text);

// A text for a box of several lines: every line break as one LF.
QString Zeilenumbrueche_Als_LF(const QString& text);

// True when an edit that turned vorher into nachher may stand: it adds no
// character outside Windows-1252, and it does not make the text longer than
// the limit (a text that was longer already may shrink or keep its length).
// A limit below 0 means no limit.
bool EingabeErlaubt(const QString& vorher, const QString& nachher, int grenze, bool umbruchZaehltZwei = false);

// What of a text put into a box goes in, and what was changed on the way.
struct Einpassung
{
    QString text;          // what goes in
    QString ersetzt;       // characters outside Windows-1252 put in as their base letters
    QString weggelassen;   // characters outside Windows-1252 left out
    bool gekuerzt = false; // cut at the limit
    int grenze = -1;       // that limit
    bool geaendert() const { return gekuerzt || !ersetzt.isEmpty() || !weggelassen.isEmpty(); }
};

// What of einfuegen may take the place of vorher's characters from anfang
// (laenge of them): the text is brought to Windows-1252
// (windows1252Angenaehert) and cut at its end until the whole fits the limit
// (or the length vorher had, when that was longer); never half a CR LF. The
// rest of vorher stays whole. Positions are clamped to vorher. Line breaks
// are taken as they come: a one-line box turns them into blanks first.
Einpassung Eingabe_Anpassen(const QString& vorher, int anfang, int laenge, const QString& einfuegen, int grenze,
                            bool umbruchZaehltZwei = false);

// What a changed text's line begins with, for a box whose text ends in no
// particular file.
inline constexpr char16_t Standardhinweis[] = u"Nicht im Zeichensatz Windows-1252";

// One line for a status bar or a hint at the box that says what was changed:
// wo, then the characters replaced and left out; naming the box by its
// caption (or as "Das Feld" when it has none) when the text was cut. Empty
// when nothing was changed.
QString Eingabe_Hinweis(const Einpassung& e, const QString& feldname,
                        const QString& wo = QString::fromUtf16(Standardhinweis));

} // namespace zplatform
