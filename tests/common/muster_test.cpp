// Wildcard patterns: "*", "?", "#" and character lists.
#include "common/muster.h"

#include "support/musterreferenz.h"

#include <gtest/gtest.h>

using zcommon::Like;
using zcommon::Muster;

TEST(Muster, SternFragezeichenRauteUndListen)
{
    // clang-format off
    const struct { QString text, muster; bool passt; } faelle[] = {
        {"meier", "meier", true}, {"meier", "Meier", false}, // exact: callers lower-case
        {"hans meier", "*meier", true}, {"meierhof", "meier*", true}, {"x\tmeier\ty", "*meier*", true},
        {"meyer", "*meier*", false}, {"", "*", true}, {"", "", true}, {"a", "", false}, {"abc", "a?c", true},
        {"ac", "a?c", false}, {"plz 12345", "*#####", true}, {"plz 1234x", "*#####", false}, {"ab", "**a**b**", true},
        // A star must take back: the first "ab" is not the one that makes "*ab?ab" match.
        {"abxabyab", "*ab?ab", true}, {"aaab", "*aab", true}, {"mississippi", "*ss*ss*i", true},
        {"mississippi", "*ss*ss*ss*", false}, {"abcabc", "a*c", true}, {"abcab", "a*c", false},
        // A floating section with a list: the first place of its plain part fails.
        {"xayz x1yz!", "*x[0-9]yz*", true}, {"xayz xbyz!", "*x[0-9]yz*", false}, {"..abcd", "*[a-c]bc*d", true},
        {"..abc", "*[a-c]bc*d", false}, {"zz12345678901234567890meierzz", "*meier*", true},
        {"aba", "ab*ba", false}, {"abba", "ab*ba", true}, // start and end sections must not overlap
        {"maier", "m[ae]ier", true}, {"meier", "m[ae]ier", true}, {"moier", "m[ae]ier", false},
        {"mcier", "m[a-e]ier", true}, {"mfier", "m[a-e]ier", false}, {"mfier", "m[!a-e]ier", true},
        {"mbier", "m[!a-e]ier", false}, {"a-b", "a[-]b", true}, {"a-b", "a[x-]b", true},
        {"a*b", "a[*]b", true}, {"a?b", "a[?]b", true}, {"axb", "a[?]b", false}, // special characters are plain in lists
        {"müller", "m[äöü]ller", true}, {"müller", "m[a-z]ller", false}, {"x€", "x[€]", true}, {"a]", "a]", true},
        // Like keeps the last pattern; a different one must take effect.
        {"abc", "a*", true}, {"abc", "b*", false}, {"abc", "a*", true},
        // A faulty list matches nothing.
        {"a", "*[abc*", false}, {"[abc", "*[abc*", false}, {"", "*[abc*", false}, {"x", "[", false},
        {"b", "[z-a]", false}};
    // clang-format on
    for (const auto& f : faelle)
        EXPECT_EQ(Like(f.text, f.muster), f.passt) << f.text.toStdString() << " / " << f.muster.toStdString();

    // Many stars over a long text stay quick and right.
    const QString lang = QString(5000, u'a') + u'b';
    EXPECT_TRUE(Like(lang, "*a*a*a*a*a*b"));
    EXPECT_FALSE(Like(lang, "*a*a*a*a*a*c"));
}

TEST(Muster, GueltigkeitUndMehrfachVerwendung)
{
    EXPECT_FALSE(Muster("*[abc*").gueltig());
    EXPECT_TRUE(Muster("[a]").gueltig());

    const Muster einmal("*m[a-e]ier*#*");
    const Muster kopie = einmal;
    EXPECT_TRUE(einmal.passt(u"hans\tmeier\t12345 berlin"));
    EXPECT_FALSE(einmal.passt(u"hans\tmeier\tberlin"));
    EXPECT_TRUE(kopie.passt(u"maier 1"));
}

TEST(Muster, StimmtMitEinfacherRegelUeberein)
{
    const QString zeichen = "ab1";
    const QString musterZeichen[] = {"a", "b", "*", "?", "#", "[ab]", "[!a]", "[0-9]", "[b-a]"};
    quint32 z = 7;
    auto zufall = [&z](int n) {
        z = z * 1664525u + 1013904223u;
        return int((z >> 8) % quint32(n));
    };
    for (int runde = 0; runde < 20000; ++runde) {
        QString text, muster;
        for (int k = zufall(runde % 2 ? 9 : 40); k > 0; --k)
            text += zeichen.at(zufall(3));
        for (int k = zufall(6); k > 0; --k)
            muster += musterZeichen[zufall(9)];
        ASSERT_EQ(Muster(muster).passt(text), zreferenz::MusterEinfach(text, muster))
            << text.toStdString() << " / " << muster.toStdString();
    }
}
