// Delimited-text import. The first byte chooses the separator and a column
// limit; the rest is the file.
// - Rows: none is empty; written back with the same separator and read again
//   they give the same rows (quoting is lossless); with a column limit no row
//   is longer, each is the unlimited row cut at the limit, and the cut is
//   reported exactly when some row was longer.
// - The file's bytes: a text the import accepts holds no NUL and ends in no
//   end-of-file mark; bytes with a NUL and no byte-order mark are refused.
// - UTF-16 LE and BE with their byte-order mark and UTF-8 with its mark give
//   the same text back (without end-of-file marks and byte-order marks at the
//   start), or are all refused when it holds a NUL.
// - The fields a row fills hold no NUL, only characters an address file can
//   hold, and no blank or end-of-file mark at either end.
#include "exchange/import.h"
#include "fuzzhilfe.h"

#include "addressbook/datensatz.h"
#include "platform/codec.h"

#include <QStringEncoder>

#include <cstdint>

namespace {

using zfuzz::pruefen;

const QChar StrgZ(0x1A);

// The text without the end-of-file marks behind its last text (line ends
// among them stay).
QString ohneEndemarken(const QString& t)
{
    qsizetype ende = t.size();
    while (ende > 0 && (t[ende - 1] == StrgZ || t[ende - 1] == u'\r' || t[ende - 1] == u'\n'))
        --ende;
    QString schluss = t.mid(ende);
    if (!schluss.contains(StrgZ))
        return t;
    return t.left(ende) + schluss.remove(StrgZ);
}

void zeilenPruefen(const QString& text, QChar t, int grenze)
{
    const QList<QStringList> zeilen = zaustausch::Trenntext_Zerlegen(text, t);
    bool laenger = false;
    for (const QStringList& z : zeilen) {
        pruefen(!z.isEmpty(), "keine leere Zeile", text);
        laenger = laenger || z.size() > grenze;
    }
    pruefen(zaustausch::Trenntext_Zerlegen(zaustausch::Trenntext_Verbinden(zeilen, t), t) == zeilen,
            "Zerlegen(Verbinden(Zeilen)) == Zeilen", text);

    bool gekuerzt = false;
    const QList<QStringList> begrenzt = zaustausch::Trenntext_Zerlegen(text, t, grenze, &gekuerzt);
    pruefen(begrenzt.size() == zeilen.size(), "dieselben Zeilen mit Spaltengrenze", text);
    for (qsizetype i = 0; i < zeilen.size(); ++i)
        pruefen(begrenzt[i] == zeilen[i].mid(0, grenze), "jede Zeile an der Grenze abgeschnitten", text);
    pruefen(gekuerzt == laenger, "gekürzt genau bei längeren Zeilen", text);
}

void felderPruefen(const QString& text, QChar t)
{
    const QList<QStringList> zeilen = zaustausch::Trenntext_Zerlegen(text, t, zaustausch::MaxSpalten);
    QList<int> zuordnung;
    for (int s = 0; s < zaustausch::MaxSpalten; ++s)
        zuordnung << (s % (zadressbuch::FeldAnzahl + 1)) - 1;
    for (const QStringList& z : zeilen) {
        pruefen(z.size() <= zaustausch::MaxSpalten, "nie mehr Spalten als die Grenze", text);
        for (const QString& feld : zaustausch::Zeile_Felder(z, zuordnung)) {
            pruefen(!feld.contains(QChar(0)), "kein NUL in einem Feld", feld);
            pruefen(zplatform::istWindows1252(feld), "nur Zeichen der Adressen-Datei", feld);
            const auto blank = [](QChar c) { return c.isSpace() || c == StrgZ; };
            pruefen(feld.isEmpty() || (!blank(feld.front()) && !blank(feld.back())), "Feld ohne Rand", feld);
        }
    }
}

QByteArray kodiert(const QString& text, QStringConverter::Encoding kodierung)
{
    QStringEncoder kodierer(kodierung, QStringConverter::Flag::WriteBom);
    return kodierer(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    if (groesse < 1)
        return 0;
    static const char trenner[] = {'\t', ';', ','};
    const QChar t = QLatin1Char(trenner[daten[0] % 3]);
    // Small limits, so short inputs reach them, and the import's own.
    const int grenze = daten[0] / 3 % 6 == 5 ? zaustausch::MaxSpalten : 1 + daten[0] / 3 % 6;
    const QByteArray bytes(reinterpret_cast<const char*>(daten + 1), qsizetype(groesse - 1));

    zeilenPruefen(QString::fromLatin1(bytes), t, grenze);

    const zaustausch::ImportText datei = zaustausch::ImportText_Aus(bytes, QStringLiteral("x"));
    if (datei.fehler.isEmpty()) {
        pruefen(!datei.text.contains(QChar(0)), "angenommener Text ohne NUL", datei.text);
        pruefen(!datei.text.endsWith(StrgZ), "keine Endemarke am Schluss", datei.text);
        felderPruefen(datei.text, t);
    } else {
        pruefen(datei.text.isEmpty(), "abgelehnt ohne Text");
    }
    if (bytes.contains('\0') && zplatform::markenLaenge(bytes.constData(), bytes.size()) == 0)
        pruefen(!datei.fehler.isEmpty(), "Bytes mit NUL ohne Marke abgelehnt", datei.text);

    // Any text (surrogates aside, which need their pairs) through the marked encodings.
    QString text = zfuzz::textUtf16(bytes.toStdString());
    for (QChar& c : text) {
        if (c.isSurrogate())
            c = QChar(0xFFFD);
    }
    qsizetype marken = 0;
    while (marken < text.size() && text[marken] == QChar(0xFEFF))
        ++marken;
    const QString erwartet = ohneEndemarken(text.mid(marken));
    const bool mitNull = text.contains(QChar(0));
    for (QStringConverter::Encoding k : {QStringConverter::Utf16LE, QStringConverter::Utf16BE, QStringConverter::Utf8}) {
        const zaustausch::ImportText u = zaustausch::ImportText_Aus(kodiert(text, k), QStringLiteral("x"));
        pruefen(u.fehler.isEmpty() == !mitNull, "mit Marke abgelehnt genau bei NUL", text);
        if (!mitNull)
            pruefen(u.text == erwartet, "Text mit Marke kommt wieder", text, u.text);
    }
    return 0;
}
