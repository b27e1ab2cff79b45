#pragma once
// A plain reading and writing of settings files, line by line on decoded
// text, as the rules of the settings layer say (see common/ini.h): the fuzz
// targets compare the layer's fast way (bytes, indexes, places carried over
// after a change) with it.

#include "platform/codec.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringDecoder>

#include <utility>
#include <vector>

namespace zfuzz::referenz {

struct Zeile
{
    QByteArray text;
    QByteArray ende; // "\r\n", "\n", "\r" or "" (last line)
};

inline std::vector<Zeile> zeilen(const QByteArray& bytes)
{
    std::vector<Zeile> z;
    qsizetype i = 0;
    while (i < bytes.size()) {
        qsizetype e = i;
        while (e < bytes.size() && bytes[e] != '\r' && bytes[e] != '\n')
            ++e;
        Zeile zeile{bytes.mid(i, e - i), {}};
        if (e < bytes.size())
            zeile.ende = bytes.mid(e, bytes[e] == '\r' && e + 1 < bytes.size() && bytes[e + 1] == '\n' ? 2 : 1);
        i = e + zeile.ende.size();
        z.push_back(std::move(zeile));
    }
    return z;
}

inline QString beschnitten(const QString& s)
{
    qsizetype a = 0, e = s.size();
    while (a < e && (s[a] == u' ' || s[a] == u'\t'))
        ++a;
    while (e > a && (s[e - 1] == u' ' || s[e - 1] == u'\t'))
        --e;
    return s.mid(a, e - a);
}

inline QString vergleichsform(const QString& name)
{
    QString n = beschnitten(name);
    for (QChar& c : n)
        c = c.toUpper();
    return n;
}

const QString Marke = QStringLiteral("\u00EF\u00BB\u00BF");

// Text behind the UTF-8 mark is UTF-8 (when it is valid).
inline QString teil(const QString& gelesen)
{
    if (!gelesen.startsWith(Marke))
        return gelesen;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString t = utf8(zplatform::nachWindows1252(gelesen.mid(Marke.size())));
    return utf8.hasError() ? gelesen : t;
}

inline QByteArray teilBytes(const QString& text)
{
    if (!text.startsWith(Marke) && zplatform::istWindows1252(text))
        return zplatform::nachWindows1252(text);
    return "\xEF\xBB\xBF" + text.toUtf8();
}

// What a line is: a header (with its name), a key (name, stored value) or neither.
struct Art
{
    bool kopf = false;
    bool schluessel = false;
    QString name;
    QString wert; // stored form, trimmed
};

inline Art art(const QByteArray& bytes)
{
    Art a;
    const QString z = zplatform::ausWindows1252(bytes);
    qsizetype p = 0;
    while (p < z.size() && (z[p] == u' ' || z[p] == u'\t'))
        ++p;
    if (p == z.size())
        return a;
    const qsizetype zu = z.lastIndexOf(u']');
    if (z[p] == u'[' && zu > p) {
        a.kopf = true;
        a.name = teil(beschnitten(z.mid(p + 1, zu - p - 1)));
        return a;
    }
    const qsizetype gleich = z.indexOf(u'=', p);
    if (z[p] == u';' || gleich < 0)
        return a;
    a.name = teil(beschnitten(z.mid(p, gleich - p)));
    a.schluessel = !a.name.isEmpty();
    a.wert = beschnitten(z.mid(gleich + 1));
    return a;
}

// A stored value as a read gives it.
inline QString gelesen(const QString& gespeichert)
{
    QString w = teil(gespeichert);
    if (w.size() >= 2 && (w.front() == u'"' || w.front() == u'\'') && w.back() == w.front())
        w = w.mid(1, w.size() - 2);
    return w.replace(QStringLiteral("**"), QStringLiteral("\r\n"));
}

struct Sektion
{
    QString name;
    std::vector<std::pair<QString, QString>> eintraege; // first of each name, as read
};

// The sections that count (the first of each name) with their keys.
inline std::vector<Sektion> lesen(const QByteArray& bytes)
{
    std::vector<Sektion> sektionen;
    QSet<QString> namen, schluessel;
    bool zaehlt = false;
    for (const Zeile& z : zeilen(bytes)) {
        const Art a = art(z.text);
        if (a.kopf) {
            zaehlt = !namen.contains(vergleichsform(a.name));
            namen.insert(vergleichsform(a.name));
            if (zaehlt)
                sektionen.push_back({a.name, {}});
            schluessel.clear();
        } else if (a.schluessel && zaehlt && !schluessel.contains(vergleichsform(a.name))) {
            schluessel.insert(vergleichsform(a.name));
            sektionen.back().eintraege.emplace_back(a.name, gelesen(a.wert));
        }
    }
    return sektionen;
}

inline QString bereinigt(QString name, const QString& vorgabe)
{
    name.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    name.replace(u'\r', u' ');
    name.replace(u'\n', u' ');
    name = beschnitten(name);
    return name.isEmpty() ? vorgabe : name;
}

// The bytes of the file after one write of the key: the first line of the
// key in the first section of the name changed (the name as it stands, the
// line end kept) unless it holds the value already; else a new line after
// the section's last line that is not blank; else a new section at the end,
// after a blank line when the last line has text. A line that gets a line
// after it gets CR LF when it had no line end.
inline QByteArray schreiben(const QByteArray& bytes, const QString& sektion, const QString& schluessel,
                            const QString& wert)
{
    const QString sek = bereinigt(sektion, QStringLiteral("Zettlora"));
    const QString schl = bereinigt(schluessel, QStringLiteral("NoKey"));
    QString w = wert;
    while (w.startsWith(u' '))
        w.remove(0, 1);
    while (w.endsWith(u' '))
        w.chop(1);
    w.replace(QStringLiteral("\r\n"), QStringLiteral("**")).replace(u'\r', QStringLiteral("**"));
    w.replace(u'\n', QStringLiteral("**"));
    const QByteArray neuerWert = teilBytes(w);
    const QByteArray neueZeile = teilBytes(schl) + '=' + neuerWert;

    std::vector<Zeile> z = zeilen(bytes);
    const auto zusammen = [&z] {
        QByteArray aus;
        for (const Zeile& zeile : z)
            aus += zeile.text + zeile.ende;
        return aus;
    };
    qsizetype kopf = -1;
    for (qsizetype i = 0; i < qsizetype(z.size()) && kopf < 0; ++i) {
        const Art a = art(z[size_t(i)].text);
        if (a.kopf && vergleichsform(a.name) == vergleichsform(sek))
            kopf = i;
    }
    if (kopf < 0) {
        if (!z.empty()) {
            if (z.back().ende.isEmpty())
                z.back().ende = "\r\n";
            if (!beschnitten(zplatform::ausWindows1252(z.back().text)).isEmpty())
                z.push_back({QByteArray(), "\r\n"});
        }
        z.push_back({'[' + teilBytes(sek) + ']', "\r\n"});
        z.push_back({neueZeile, "\r\n"});
        return zusammen();
    }
    qsizetype nach = kopf;
    for (qsizetype i = kopf + 1; i < qsizetype(z.size()); ++i) {
        Zeile& zeile = z[size_t(i)];
        const Art a = art(zeile.text);
        if (a.kopf)
            break;
        if (!beschnitten(zplatform::ausWindows1252(zeile.text)).isEmpty())
            nach = i;
        if (a.schluessel && vergleichsform(a.name) == vergleichsform(schl)) {
            if (zplatform::nachWindows1252(a.wert) != neuerWert) {
                const qsizetype gleich = zeile.text.indexOf('=');
                zeile.text = zplatform::nachWindows1252(beschnitten(zplatform::ausWindows1252(zeile.text.left(gleich)))) +
                             '=' + neuerWert;
            }
            return zusammen();
        }
    }
    if (z[size_t(nach)].ende.isEmpty())
        z[size_t(nach)].ende = "\r\n";
    z.insert(z.begin() + nach + 1, Zeile{neueZeile, "\r\n"});
    return zusammen();
}

} // namespace zfuzz::referenz
