#include "platform/einpassung.h"

#include "platform/codec.h"

#include <QStringList>

#include <limits>

namespace zplatform {

namespace {

int fremdeZeichen(const QString& text)
{
    int n = 0;
    for (QChar c : text)
        if (!istWindows1252(c))
            ++n;
    return n;
}

// The characters of a text one by one (a pair of surrogates is one).
QStringList einzelneZeichen(const QString& text)
{
    QStringList z;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const bool paar = text.at(k).isHighSurrogate() && k + 1 < text.size() && text.at(k + 1).isLowSurrogate();
        z << text.mid(k, paar ? 2 : 1);
        k += paar ? 1 : 0;
    }
    return z;
}

// A character as the line names it: itself, or its code when it shows
// nothing by itself (a space, an accent alone, a format character).
QString zeichenName(const QString& zeichen)
{
    const char32_t c =
        zeichen.size() == 2 ? QChar::surrogateToUcs4(zeichen.at(0), zeichen.at(1)) : zeichen.at(0).unicode();
    switch (QChar::category(c)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
    case QChar::Other_Control:
    case QChar::Other_NotAssigned:
    case QChar::Other_PrivateUse:
    case QChar::Other_Surrogate:
        return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    default:
        return zeichen;
    }
}

// A list of names, the first few of them.
QString aufzaehlen(const QStringList& namen)
{
    constexpr int hoechstens = 6;
    if (namen.size() <= hoechstens)
        return namen.join(QStringLiteral(", "));
    return namen.mid(0, hoechstens).join(QStringLiteral(", ")) + QStringLiteral(", …");
}

} // namespace

bool istZeilenende(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar(QChar::LineSeparator) || c == QChar(QChar::ParagraphSeparator);
}

int textLaenge(QStringView text, bool umbruchZaehltZwei)
{
    if (!umbruchZaehltZwei)
        return int(text.size());
    int laenge = 0;
    const qsizetype n = text.size();
    for (qsizetype k = 0; k < n; ++k) {
        const QChar c = text[k];
        if (istZeilenende(c)) {
            if (c == u'\r' && k + 1 < n && text[k + 1] == u'\n')
                ++k;
            laenge += 2;
        } else {
            ++laenge;
        }
    }
    return laenge;
}

QString Zeilenumbrueche_Als_Leerzeichen(QStringView text)
{
    QString t;
    t.reserve(text.size());
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text.at(k);
        if (!istZeilenende(c)) {
            t += c;
            continue;
        }
        if (c == u'\r' && k + 1 < text.size() && text.at(k + 1) == u'\n')
            ++k;
        t += u' ';
    }
    return t;
}

QString Zeilenumbrueche_Als_LF(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar umbruch : {QChar(u'\r'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
        t.replace(umbruch, QLatin1Char('\n'));
    return t;
}

bool EingabeErlaubt(const QString& vorher, const QString& nachher, int grenze, bool umbruchZaehltZwei)
{
    if (fremdeZeichen(nachher) > fremdeZeichen(vorher))
        return false;
    if (grenze >= 0) {
        const int n = textLaenge(nachher, umbruchZaehltZwei);
        if (n > grenze && n > textLaenge(vorher, umbruchZaehltZwei))
            return false;
    }
    return true;
}

Einpassung Eingabe_Anpassen(const QString& vorher, int anfang, int laenge, const QString& einfuegen, int grenze,
                            bool umbruchZaehltZwei)
{
    anfang = qBound(0, anfang, int(vorher.size()));
    laenge = qBound(0, laenge, int(vorher.size()) - anfang);
    auto laengeVon = [umbruchZaehltZwei](QStringView t) { return textLaenge(t, umbruchZaehltZwei); };
    Einpassung e;
    e.grenze = grenze;
    const int erlaubt = grenze < 0 ? std::numeric_limits<int>::max() : qMax(grenze, laengeVon(vorher));
    int rest =
        erlaubt - laengeVon(QStringView(vorher).left(anfang)) - laengeVon(QStringView(vorher).mid(anfang + laenge));
    const bool haltbar = istWindows1252(einfuegen);
    if (haltbar && laengeVon(einfuegen) <= rest) {
        e.text = einfuegen;
        return e;
    }
    // An accent given apart from its letter joins it before the letters are looked at.
    const QString quelle = haltbar ? einfuegen : einfuegen.normalized(QString::NormalizationForm_C);
    for (qsizetype k = 0, n = quelle.size(); k < n;) {
        const QChar c = quelle.at(k);
        qsizetype breite = 1;
        if ((c == u'\r' && k + 1 < n && quelle.at(k + 1) == u'\n') ||
            (c.isHighSurrogate() && k + 1 < n && quelle.at(k + 1).isLowSurrogate()))
            breite = 2;
        const QString zeichen = quelle.mid(k, breite);
        k += breite;
        QString ersetzt, weggelassen;
        const QString stueck = windows1252Angenaehert(zeichen, &ersetzt, &weggelassen);
        const int schritt = laengeVon(stueck);
        if (schritt > rest) {
            e.gekuerzt = true;
            break;
        }
        if (!ersetzt.isEmpty() && !e.ersetzt.contains(ersetzt))
            e.ersetzt += ersetzt;
        if (!weggelassen.isEmpty() && !e.weggelassen.contains(weggelassen))
            e.weggelassen += weggelassen;
        e.text += stueck;
        rest -= schritt;
    }
    return e;
}

QString Eingabe_Hinweis(const Einpassung& e, const QString& feldname, const QString& wo)
{
    QStringList saetze;
    QStringList ersetzt;
    for (const QString& z : einzelneZeichen(e.ersetzt)) {
        const QString ersatz = windows1252Angenaehert(z);
        ersetzt << zeichenName(z) + QStringLiteral(" → ") +
                       (ersatz == QStringLiteral(" ") ? QStringLiteral("Leerzeichen") : ersatz);
    }
    QStringList weggelassen;
    for (const QString& z : einzelneZeichen(e.weggelassen))
        weggelassen << zeichenName(z);
    QStringList was;
    if (!ersetzt.isEmpty())
        was << aufzaehlen(ersetzt) + QStringLiteral(" ersetzt");
    if (!weggelassen.isEmpty())
        was << aufzaehlen(weggelassen) + QStringLiteral(" weggelassen");
    if (!was.isEmpty())
        saetze << wo + QStringLiteral(": ") + was.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (e.gekuerzt) {
        // All at once: a caption holding "%1" stays as it is.
        const QString zahl = QString::number(e.grenze);
        const QString rest = e.text.isEmpty() ? QStringLiteral("die Eingabe wurde weggelassen.")
                                              : QStringLiteral("der Rest der Einfügung wurde weggelassen.");
        saetze << (feldname.isEmpty()
                       ? QStringLiteral("Das Feld nimmt nur %1 Zeichen auf; %2").arg(zahl, rest)
                       : QStringLiteral("Das Feld »%1« nimmt nur %2 Zeichen auf; %3").arg(feldname, zahl, rest));
    }
    return saetze.join(QLatin1Char(' '));
}

} // namespace zplatform
