// Windows-1252: every byte decodes as the code page says and encodes back to
// itself; text with characters outside the code page encodes to "?" for each
// of them and names the first one. A whole file's bytes read as the code page
// unless a byte-order mark names UTF-8 or UTF-16, whose units then come back
// one for one. The nearest letters of a text, with or without a mark for what
// has none, are all of the code page.
#include "fuzzhilfe.h"

#include "platform/codec.h"

#include <QStringDecoder>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The code page written out plainly: 0x80..0x9F from the table, every other
// byte is its own code point (the five unassigned ones too).
char16_t zeichenVon(std::uint8_t b)
{
    static const char16_t tabelle[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                         0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return b >= 0x80 && b < 0xA0 ? tabelle[b - 0x80] : char16_t(b);
}

int byteVon(char16_t c)
{
    for (int b = 0; b < 256; ++b)
        if (zeichenVon(std::uint8_t(b)) == c)
            return b;
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zfuzz::pruefen;
    const QByteArray bytes(reinterpret_cast<const char*>(daten), qsizetype(groesse));

    // Bytes -> text -> bytes.
    const QString text = zplatform::ausWindows1252(bytes);
    pruefen(text.size() == bytes.size(), "ein Zeichen je Byte", text);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        pruefen(text.at(i).unicode() == zeichenVon(std::uint8_t(bytes[i])), "Zeichen wie die Codeseite", text);
    pruefen(zplatform::istWindows1252(text), "gelesener Text darstellbar", text);
    qsizetype fehler = 0;
    pruefen(zplatform::nachWindows1252(text, &fehler) == bytes && fehler == -1, "Bytes zurück", text);

    // A whole file: without a mark the code page, with a UTF-16 mark every
    // pair of bytes one unit, with the UTF-8 mark what Qt's decoder gives
    // when it keeps a further mark as a character.
    const char* art = nullptr;
    const QString datei = zplatform::ausDateiBytes(bytes, &art);
    const qsizetype marke = zplatform::markenLaenge(bytes.constData(), bytes.size());
    if (marke == 0) {
        pruefen(datei == text && qstrcmp(art, "Windows-1252") == 0, "ohne Marke die Codeseite", datei);
    } else if (marke == 3) {
        // Only the first mark is one: a second is the character U+FEFF.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        pruefen(datei == QString(utf8(bytes.mid(3))) && qstrcmp(art, "UTF-8") == 0, "UTF-8 nach der Marke", datei);
    } else {
        const bool le = std::uint8_t(bytes[0]) == 0xFF;
        pruefen(datei.size() == (bytes.size() - 2) / 2, "eine Einheit je zwei Bytes", datei);
        for (qsizetype i = 0; i < datei.size(); ++i) {
            const std::uint8_t a = std::uint8_t(bytes[2 + 2 * i]), b = std::uint8_t(bytes[3 + 2 * i]);
            pruefen(datei.at(i).unicode() == (le ? (b << 8 | a) : (a << 8 | b)), "UTF-16-Einheit", datei);
        }
    }

    // Any UTF-16 text -> bytes: one byte per character ("?" where the code
    // page has none, a surrogate pair counting as one character).
    FuzzedDataProvider fdp(daten, groesse);
    const QString beliebig = zfuzz::textUtf16(fdp.ConsumeRemainingBytesAsString());
    QByteArray erwartet;
    qsizetype ersterFehler = -1;
    for (qsizetype i = 0; i < beliebig.size(); ++i) {
        const char16_t c = beliebig.at(i).unicode();
        const int b = byteVon(c);
        if (b >= 0) {
            erwartet.append(char(b));
            pruefen(zplatform::istWindows1252(beliebig.at(i)), "Zeichen der Codeseite erkannt", beliebig);
            continue;
        }
        pruefen(!zplatform::istWindows1252(beliebig.at(i)), "fremdes Zeichen erkannt", beliebig);
        if (ersterFehler < 0)
            ersterFehler = i;
        erwartet.append('?');
        if (QChar::isHighSurrogate(c) && i + 1 < beliebig.size() && beliebig.at(i + 1).isLowSurrogate())
            ++i;
    }
    const QByteArray kodiert = zplatform::nachWindows1252(beliebig, &fehler);
    pruefen(kodiert == erwartet, "Kodierung wie die Codeseite", beliebig, zplatform::ausWindows1252(kodiert));
    pruefen(fehler == ersterFehler, "erstes fremdes Zeichen", beliebig);
    pruefen(zplatform::istWindows1252(beliebig) == (ersterFehler < 0), "Text darstellbar", beliebig);

    // The text as the code page holds it: the same bytes, nothing left to
    // replace, and each replaced character named once.
    QString ersetzt;
    const QString haltbar = zplatform::nurWindows1252(beliebig, &ersetzt);
    pruefen(zplatform::istWindows1252(haltbar), "ersetzter Text darstellbar", beliebig, haltbar);
    pruefen(zplatform::nachWindows1252(haltbar) == erwartet, "ersetzt wie kodiert", beliebig, haltbar);
    pruefen(ersetzt.isEmpty() == (ersterFehler < 0), "Ersetztes genannt", beliebig, ersetzt);
    for (qsizetype i = 0; i < ersetzt.size(); ++i) {
        pruefen(!zplatform::istWindows1252(ersetzt.at(i)), "nur Fremdes genannt", beliebig, ersetzt);
        pruefen(ersetzt.indexOf(ersetzt.at(i)) == i || ersetzt.at(i).isSurrogate(), "jedes einmal", beliebig,
                ersetzt);
    }

    // The text as a text box of a Windows-1252 program takes it: all of it
    // in the code page, a text of the code page as it is, and something named
    // exactly when a character (accents joined to their letters) was not.
    QString angeglichen, weggelassen;
    const QString genaehert = zplatform::windows1252Angenaehert(beliebig, &angeglichen, &weggelassen);
    pruefen(zplatform::istWindows1252(genaehert), "genäherter Text darstellbar", beliebig, genaehert);
    pruefen(ersterFehler >= 0 || genaehert == beliebig, "Text der Codeseite bleibt", beliebig, genaehert);
    const bool fremd = !zplatform::istWindows1252(beliebig.normalized(QString::NormalizationForm_C));
    pruefen(fremd == !(angeglichen + weggelassen).isEmpty(), "Genähertes genannt", beliebig, angeglichen + weggelassen);
    for (QChar c : angeglichen + weggelassen)
        pruefen(!zplatform::istWindows1252(c), "nur Fremdes genähert", beliebig, angeglichen + weggelassen);

    // The same with a mark where nothing stands for a character (as the
    // import keeps it): the same text apart from the marks, in the code page,
    // and one change counted for each character of the joined text that the
    // code page lacks (a pair of surrogates once). The mark, a control
    // character, is no letter that stands for another.
    const QChar stelle(1);
    qsizetype geaendert = -1;
    QString markiert = zplatform::windows1252AngenaehertMitPlatzhalter(beliebig, stelle, &geaendert);
    pruefen(zplatform::istWindows1252(markiert), "markierter Text darstellbar", beliebig, markiert);
    const QString verbunden =
        zplatform::istWindows1252(beliebig) ? beliebig : beliebig.normalized(QString::NormalizationForm_C);
    qsizetype fremde = 0;
    for (qsizetype i = 0; i < verbunden.size(); ++i) {
        if (zplatform::istWindows1252(verbunden.at(i)))
            continue;
        ++fremde;
        if (verbunden.at(i).isHighSurrogate() && i + 1 < verbunden.size() && verbunden.at(i + 1).isLowSurrogate())
            ++i;
    }
    pruefen(geaendert == fremde, "jedes Geänderte gezählt", beliebig, markiert);
    QString ohneMarken = genaehert;
    pruefen(markiert.remove(stelle) == ohneMarken.remove(stelle), "genähert wie ohne Marke", beliebig, markiert);
    return 0;
}
