#include "platform/codec.h"

#include <gtest/gtest.h>

using namespace zplatform;
using namespace Qt::StringLiterals;

TEST(Codec, AlleBytesHinUndZurueck)
{
    QByteArray alle;
    for (int b = 0; b < 256; ++b)
        alle.append(char(b));
    const QString text = ausWindows1252(alle);
    ASSERT_EQ(text.size(), 256);
    qsizetype fehler = 99;
    EXPECT_EQ(nachWindows1252(text, &fehler), alle);
    EXPECT_EQ(fehler, -1);
    EXPECT_TRUE(istWindows1252(text));
}

TEST(Codec, Tabelle80bis9F)
{
    struct Paar
    {
        unsigned char byte;
        char16_t zeichen;
    };
    const Paar paare[] = {{0x80, u'€'}, {0x82, u'‚'}, {0x84, u'„'}, {0x85, u'…'}, {0x8A, u'Š'},
                          {0x8C, u'Œ'}, {0x93, u'“'}, {0x96, u'–'}, {0x97, u'—'}, {0x99, u'™'},
                          {0x9C, u'œ'}, {0x9F, u'Ÿ'}, {0x81, 0x81}, {0x8D, 0x8D}, {0x8F, 0x8F},
                          {0x90, 0x90}, {0x9D, 0x9D}, {0xA0, 0xA0}, {0xE4, u'ä'}, {0xDF, u'ß'}};
    for (const Paar& p : paare) {
        const QString t = ausWindows1252(QByteArray(1, char(p.byte)));
        EXPECT_EQ(t.at(0).unicode(), p.zeichen) << int(p.byte);
        EXPECT_EQ(nachWindows1252(QString(QChar(p.zeichen))), QByteArray(1, char(p.byte))) << int(p.byte);
    }
}

TEST(Codec, NichtDarstellbaresWirdGemeldet)
{
    qsizetype fehler = -1;
    // Polish ą, then a character outside the basic plane (one "?", not two).
    const QString text = QStringLiteral("Ab ą c ") + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("!");
    EXPECT_EQ(nachWindows1252(text, &fehler), QByteArray("Ab ? c ?!"));
    EXPECT_EQ(fehler, 3);
    EXPECT_FALSE(istWindows1252(text));
    EXPECT_FALSE(istWindows1252(QChar(0x0105)));
    EXPECT_TRUE(istWindows1252(QChar(0x20AC)));
    EXPECT_TRUE(istWindows1252(QChar(0)));
    // A control character below the 0x80 row that is not in the table: U+0080 itself.
    EXPECT_FALSE(istWindows1252(QChar(0x0080)));

    // Kept as "?", each character named once.
    QString ersetzt;
    EXPECT_EQ(nurWindows1252(text + QStringLiteral(" Łódź ą"), &ersetzt), QStringLiteral("Ab ? c ?! ?ód? ?"));
    EXPECT_EQ(ersetzt, QStringLiteral("ą") + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("Łź"));
    EXPECT_EQ(nurWindows1252(QStringLiteral("Grüße €"), &ersetzt), QStringLiteral("Grüße €"));
}

// What a desktop editor or a spreadsheet gives back: the byte-order mark
// names the encoding and is not part of the text; without one the bytes are
// Windows-1252, even where they happen to look like another mark's start.
TEST(Codec, DateiBytesNachIhrerMarke)
{
    const QString text = QStringLiteral("Müller\tStraße 1\r\n€");
    const char* art = nullptr;
    EXPECT_EQ(ausDateiBytes(QByteArray("\xEF\xBB\xBF") + text.toUtf8(), &art), text);
    EXPECT_STREQ(art, "UTF-8");

    QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
    for (QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(ausDateiBytes(le, &art), text);
    EXPECT_STREQ(art, "UTF-16LE");
    EXPECT_EQ(ausDateiBytes(be + 'x', &art), text) << "an odd last byte is left out";
    EXPECT_STREQ(art, "UTF-16BE");

    EXPECT_EQ(ausDateiBytes(QByteArray("M\xFC"
                                       "ller \xEF\xBB"),
                            &art),
              QStringLiteral("Müller ï»"));
    EXPECT_STREQ(art, "Windows-1252");
    EXPECT_EQ(ausDateiBytes(QByteArray("\xFF"), &art), QStringLiteral("ÿ"));
    EXPECT_EQ(ausDateiBytes(QByteArray()), QString());
}

// A text pasted or typed into a field is made one of Windows-1252: letters
// become their base letters, other characters are left out, each named once.
TEST(Codec, Windows1252Angenaehert)
{
    const QString lachen = QString::fromUtf8("\xF0\x9F\x98\x80"); // an emoji, two UTF-16 units
    const struct
    {
        QString text, ergebnis, ersetzt, weggelassen;
    } faelle[] = {
        {u"Łódź"_s, u"Lódz"_s, u"Łź"_s, {}},
        {u"Dvořák"_s, u"Dvorák"_s, u"ř"_s, {}},
        {u"Timișoara, Đorđe, Kırşehir, Ħamrun"_s, u"Timisoara, Dorde, Kirsehir, Hamrun"_s, u"șĐđışĦ"_s, {}},
        {u"Gruß aus Kraków "_s + lachen, u"Gruß aus Kraków "_s, {}, lachen},
        {u"ﬁ 東京 Ａ１ α"_s, u"fi  A1 "_s, u"ﬁＡ１"_s, u"東京α"_s},
        {u"10\u202F000 \u2010 5\u22123 \u200B!"_s, u"10 000 - 5-3 !"_s, u"\u202F\u2010\u2212"_s, u"\u200B"_s},
        {u"Lo\u0301dz\u0301"_s, u"Lódz"_s, u"ź"_s, {}}, // base letter and accent apart
        {u"Øre Šiška € ß ó œ"_s, u"Øre Šiška € ß ó œ"_s, {}, {}},
        {u"STRAẞE"_s, u"STRAßE"_s, u"ẞ"_s, {}}, // Caps Lock with the key ß
        {lachen + lachen + u"ő"_s + lachen, u"o"_s, u"ő"_s, lachen},
        {{}, {}, {}, {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text.toStdString());
        QString ersetzt, weggelassen;
        EXPECT_EQ(windows1252Angenaehert(f.text, &ersetzt, &weggelassen), f.ergebnis);
        EXPECT_EQ(ersetzt, f.ersetzt);
        EXPECT_EQ(weggelassen, f.weggelassen);
        EXPECT_TRUE(istWindows1252(f.ergebnis));
    }
}
