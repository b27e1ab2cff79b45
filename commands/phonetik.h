#pragma once
// The phonetic key: a German text turned into a readable key so that
// spellings which sound alike compare equal (Meyer, Maier, Mayer and Meier all
// give "meir"). The key is the text lower-cased, filtered to the allowed
// characters (digits, a-z, "äöüß", ";", ",", TAB, LF, CR and the caller's
// extra characters), passed through 31 substitutions in a fixed order and
// collapsed: a run of one repeated character becomes one character, except
// for digits and TABs, which always stay.

#include <QString>
#include <QStringView>

namespace zbefehle {

// The key of the text. The text is lower-cased and trimmed; when nothing is
// left the key is "" and the caller's variable stays as it was. Otherwise the
// caller's variable afterwards holds the substituted text (before the
// collapse), and the key is returned.
QString Phonetik_Code(QString& text, const QString& extra = QString());
// The same without touching the caller's text.
QString Phonetik_Schluessel(const QString& text, const QString& extra = QString());

// Replaces every occurrence of suche in text by ersatz, writes the result back
// into text and returns it. Two texts of one character each are swapped in one
// pass; otherwise the first occurrence is replaced again and again, each
// search starting at the beginning, so replacements cascade ("ahh" under
// "ah" -> "a" ends as "a"). An empty search text changes nothing.
QString Phonetik_Ersetze(QString& text, const QString& suche, const QString& ersatz);

// The substitutions in their order (find, replace).
struct PhonetikRegel
{
    const char16_t* suche;
    const char16_t* ersatz;
};
inline constexpr int PhonetikRegelAnzahl = 31;
const PhonetikRegel* Phonetik_Regeln();

// The key of one field of a record, appended to ziel. The key of a whole
// record (each field followed by TAB) equals the keys of its fields, each
// followed by TAB, because no substitution reaches across a TAB and TABs are
// never collapsed. No extra characters; works without building a string per
// step, for walks over the whole list.
void Phonetik_FeldAnhaengen(QStringView feld, QString& ziel);

} // namespace zbefehle
