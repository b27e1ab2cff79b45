// Text and case: replacing, picking, case mapping, trimming, e-mail and file names.
#include "common/texte.h"
#include "common/texte_intern.h"

#include "common/ini.h"

namespace zcommon {

using namespace intern;

// --- replacing and picking ----------------------------------------------------------

QString Ersetzen(const QString& text, const QString& suche, const QString& ersatz, int start)
{
    if (text.isEmpty() || suche.isEmpty())
        return text;
    qsizetype von = start > 1 ? qsizetype(start) - 1 : 0;
    if (von >= text.size())
        return text;
    qsizetype treffer = text.indexOf(suche, von, Qt::CaseInsensitive);
    if (treffer < 0)
        return text;
    QString ergebnis;
    ergebnis.reserve(text.size() + qMax<qsizetype>(0, ersatz.size() - suche.size()) * 4);
    qsizetype pos = 0;
    while (treffer >= 0) {
        ergebnis.append(QStringView(text).mid(pos, treffer - pos));
        ergebnis.append(ersatz);
        pos = treffer + suche.size();
        treffer = text.indexOf(suche, pos, Qt::CaseInsensitive);
    }
    ergebnis.append(QStringView(text).mid(pos));
    return ergebnis;
}

QString Zeilenumbrueche(const QString& text)
{
    if (!text.contains(u'~'))
        return text;
    QString s = text;
    return s.replace(u'~', QStringLiteral("\r\n"));
}

QString Nur_Zeichen(const QString& text, const QString& erlaubt)
{
    QString ergebnis;
    ergebnis.reserve(text.size());
    for (QChar c : text)
        if (erlaubt.contains(c))
            ergebnis += c;
    return ergebnis;
}

QString Text_NachAscii(const QString& text)
{
    // 7-bit forms of the characters 0xA0..0xFF (the soft hyphen 0xAD disappears).
    static const char* const latin1[96] = {
        " ", "!",  "c", "L", "?",  "Y", "|",  "S", "\"", "(c)", "a", "<<", "-",   "",    "(R)", "-",
        "o", "+-", "2", "3", "'",  "u", "P",  ".", ",",  "1",   "o", ">>", "1/4", "1/2", "3/4", "?",
        "A", "A",  "A", "A", "Ae", "A", "AE", "C", "E",  "E",   "E", "E",  "I",   "I",   "I",   "I",
        "D", "N",  "O", "O", "O",  "O", "Oe", "x", "O",  "U",   "U", "U",  "Ue",  "Y",   "Th",  "ss",
        "a", "a",  "a", "a", "ae", "a", "ae", "c", "e",  "e",   "e", "e",  "i",   "i",   "i",   "i",
        "d", "n",  "o", "o", "o",  "o", "oe", ":", "o",  "u",   "u", "u",  "ue",  "y",   "th",  "y",
    };
    QString ergebnis;
    ergebnis.reserve(text.size() + 8);
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c < 0x80) {
            ergebnis += qc;
            continue;
        }
        if (c >= 0xA0 && c <= 0xFF) {
            ergebnis += QLatin1String(latin1[c - 0xA0]);
            continue;
        }
        const char* ersatz = nullptr;
        switch (c) {
        case 0x20AC:
            ersatz = "EUR";
            break;
        case 0x201A:
        case 0x2018:
        case 0x2019:
            ersatz = "'";
            break;
        case 0x201E:
        case 0x201C:
        case 0x201D:
            ersatz = "\"";
            break;
        case 0x0192:
            ersatz = "f";
            break;
        case 0x2026:
            ersatz = "...";
            break;
        case 0x2020:
        case 0x2021:
            ersatz = "+";
            break;
        case 0x02C6:
            ersatz = "^";
            break;
        case 0x2030:
            ersatz = "o/oo";
            break;
        case 0x0160:
            ersatz = "S";
            break;
        case 0x0161:
            ersatz = "s";
            break;
        case 0x2039:
            ersatz = "<";
            break;
        case 0x203A:
            ersatz = ">";
            break;
        case 0x0152:
            ersatz = "OE";
            break;
        case 0x0153:
            ersatz = "oe";
            break;
        case 0x017D:
            ersatz = "Z";
            break;
        case 0x017E:
            ersatz = "z";
            break;
        case 0x2022:
            ersatz = "*";
            break;
        case 0x2013:
        case 0x2014:
            ersatz = "-";
            break;
        case 0x02DC:
            ersatz = "~";
            break;
        case 0x2122:
            ersatz = "(TM)";
            break;
        case 0x0178:
            ersatz = "Y";
            break;
        default:
            break;
        }
        if (ersatz) {
            ergebnis += QLatin1String(ersatz);
            continue;
        }
        if (c < 0xA0)
            continue; // C1 control characters carry nothing printable
        // Any other letter: its base letter when it has one.
        const QString zerlegt = qc.decomposition();
        if (!zerlegt.isEmpty() && zerlegt.at(0).unicode() < 0x80)
            ergebnis += zerlegt.at(0);
        else
            ergebnis += u'?';
    }
    return ergebnis;
}

QString Gross_Klein(const QString& text)
{
    static const QStringList kurzWoerter = {
        QStringLiteral("und"), QStringLiteral("oder"), QStringLiteral("von"), QStringLiteral("vom"),
        QStringLiteral("der"), QStringLiteral("die"),  QStringLiteral("das"), QStringLiteral("dem"),
        QStringLiteral("den"), QStringLiteral("des"),  QStringLiteral("zu"),  QStringLiteral("zum"),
        QStringLiteral("zur"), QStringLiteral("am"),   QStringLiteral("im"),  QStringLiteral("in"),
        QStringLiteral("an"),  QStringLiteral("auf"),  QStringLiteral("bei"), QStringLiteral("mit"),
        QStringLiteral("für"), QStringLiteral("a"),    QStringLiteral("d"),   QStringLiteral("van"),
        QStringLiteral("de"),  QStringLiteral("la"),   QStringLiteral("le"),  QStringLiteral("du"),
        QStringLiteral("di"),  QStringLiteral("y"),
    };
    // The user's own list of words that always stay lower case.
    QStringList immerKlein;
    const QString einstellung = Ini_Lesen(QString(), QString(), QStringLiteral("ImmerKlein"), QString());
    if (!einstellung.isEmpty()) {
        QString w;
        for (QChar c : einstellung) {
            if (c == u' ' || c == u';' || c == u',') {
                if (!w.isEmpty())
                    immerKlein << LCase(w);
                w.clear();
            } else {
                w += c;
            }
        }
        if (!w.isEmpty())
            immerKlein << LCase(w);
    }

    auto istTrenner = [](QChar c) {
        switch (c.unicode()) {
        case u' ':
        case u'.':
        case u'\\':
        case u'/':
        case u'=':
        case u'_':
        case u'-':
            return true;
        default:
            return false;
        }
    };

    QString ergebnis = LCase(text);
    qsizetype i = 0;
    const qsizetype n = ergebnis.size();
    while (i < n) {
        if (istTrenner(ergebnis.at(i))) {
            ++i;
            continue;
        }
        qsizetype ende = i;
        while (ende < n && !istTrenner(ergebnis.at(ende)))
            ++ende;
        const QStringView wort = QStringView(ergebnis).mid(i, ende - i);
        bool klein = false;
        for (const QString& k : kurzWoerter)
            if (wort == k) {
                klein = true;
                break;
            }
        if (!klein)
            for (const QString& k : immerKlein)
                if (wort == k) {
                    klein = true;
                    break;
                }
        if (!klein)
            ergebnis[i] = QChar(gross(ergebnis.at(i).unicode()));
        i = ende;
    }
    return ergebnis;
}

bool EMail_Pruefen(const QString& adresse)
{
    if (adresse.size() < 3)
        return false;
    const qsizetype at = adresse.indexOf(u'@');
    if (at < 0)
        return false;
    if (adresse.indexOf(u'.', at + 1) < 0)
        return false;
    if (adresse.indexOf(u'@', at + 1) >= 0)
        return false;
    if (adresse.endsWith(u'.'))
        return false;
    if (adresse.contains(QLatin1String("http://"), Qt::CaseInsensitive) ||
        adresse.contains(QLatin1String("ftp://"), Qt::CaseInsensitive))
        return false;
    static const QString verboten = QStringLiteral(" /:,;*äöüÄÖÜß");
    for (QChar c : adresse)
        if (verboten.contains(c))
            return false;
    return true;
}

QString Dateiname_Bereinigen(const QString& text)
{
    QString s = text;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s.at(i).unicode();
        switch (c) {
        case u'?':
        case u'*':
        case u'.':
        case u',':
        case u';':
        case u':':
        case u'\\':
        case u' ':
        case u'/':
            s[i] = u'_';
            break;
        case u'<':
        case u'>':
            s[i] = u'-';
            break;
        default:
            if (c < 0x20 || c == 0x7F)
                s[i] = u'_';
            break;
        }
    }
    return s;
}

QString Trim(const QString& text)
{
    const qsizetype n = text.size();
    qsizetype a = 0;
    while (a < n && text.at(a) == Blank)
        ++a;
    qsizetype e = n;
    while (e > a && text.at(e - 1) == Blank)
        --e;
    if (a == 0 && e == n)
        return text;
    return text.mid(a, e - a);
}

QString LTrim(const QString& text)
{
    qsizetype a = 0;
    while (a < text.size() && text.at(a) == Blank)
        ++a;
    return a == 0 ? text : text.mid(a);
}

QString RTrim(const QString& text)
{
    qsizetype e = text.size();
    while (e > 0 && text.at(e - 1) == Blank)
        --e;
    return e == text.size() ? text : text.left(e);
}

QString UCase(const QString& text)
{
    return abbilden<gross>(text);
}

QString LCase(const QString& text)
{
    return abbilden<klein>(text);
}

} // namespace zcommon
