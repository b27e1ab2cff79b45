#include "common/muster.h"

#include <gtest/gtest.h>

using zcommon::Like;
using zcommon::Muster;

TEST(Muster, SternFragezeichenRaute)
{
    EXPECT_TRUE(Like(u"meier", QStringLiteral("meier")));
    EXPECT_FALSE(Like(u"meier", QStringLiteral("Meier"))); // exact: callers lower-case
    EXPECT_TRUE(Like(u"hans meier", QStringLiteral("*meier")));
    EXPECT_TRUE(Like(u"meierhof", QStringLiteral("meier*")));
    EXPECT_TRUE(Like(u"x\tmeier\ty", QStringLiteral("*meier*")));
    EXPECT_FALSE(Like(u"meyer", QStringLiteral("*meier*")));
    EXPECT_TRUE(Like(u"", QStringLiteral("*")));
    EXPECT_TRUE(Like(u"", QStringLiteral("")));
    EXPECT_FALSE(Like(u"a", QStringLiteral("")));
    EXPECT_TRUE(Like(u"abc", QStringLiteral("a?c")));
    EXPECT_FALSE(Like(u"ac", QStringLiteral("a?c")));
    EXPECT_TRUE(Like(u"plz 12345", QStringLiteral("*#####")));
    EXPECT_FALSE(Like(u"plz 1234x", QStringLiteral("*#####")));
    EXPECT_TRUE(Like(u"ab", QStringLiteral("**a**b**")));
}

TEST(Muster, SternMitRueckschritt)
{
    // The first "ab" is not the one that makes the pattern match.
    EXPECT_TRUE(Like(u"abxabyab", QStringLiteral("*ab?ab")));
    EXPECT_TRUE(Like(u"aaab", QStringLiteral("*aab")));
    EXPECT_TRUE(Like(u"mississippi", QStringLiteral("*ss*ss*i")));
    EXPECT_FALSE(Like(u"mississippi", QStringLiteral("*ss*ss*ss*")));
    EXPECT_TRUE(Like(u"abcabc", QStringLiteral("a*c")));
    EXPECT_FALSE(Like(u"abcab", QStringLiteral("a*c")));
    // A floating section with a list: the first place of its plain part fails.
    EXPECT_TRUE(Like(u"xayz x1yz!", QStringLiteral("*x[0-9]yz*")));
    EXPECT_FALSE(Like(u"xayz xbyz!", QStringLiteral("*x[0-9]yz*")));
    EXPECT_TRUE(Like(u"..abcd", QStringLiteral("*[a-c]bc*d")));
    EXPECT_FALSE(Like(u"..abc", QStringLiteral("*[a-c]bc*d")));
    EXPECT_TRUE(Like(u"zz12345678901234567890meierzz", QStringLiteral("*meier*")));
    // Start and end sections must not overlap.
    EXPECT_FALSE(Like(u"aba", QStringLiteral("ab*ba")));
    EXPECT_TRUE(Like(u"abba", QStringLiteral("ab*ba")));
    // Many stars over a long text stay quick and right.
    const QString lang = QString(5000, u'a') + QStringLiteral("b");
    EXPECT_TRUE(Like(lang, QStringLiteral("*a*a*a*a*a*b")));
    EXPECT_FALSE(Like(lang, QStringLiteral("*a*a*a*a*a*c")));
}

TEST(Muster, ListenBereicheUndVerneinung)
{
    EXPECT_TRUE(Like(u"maier", QStringLiteral("m[ae]ier")));
    EXPECT_TRUE(Like(u"meier", QStringLiteral("m[ae]ier")));
    EXPECT_FALSE(Like(u"moier", QStringLiteral("m[ae]ier")));
    EXPECT_TRUE(Like(u"mcier", QStringLiteral("m[a-e]ier")));
    EXPECT_FALSE(Like(u"mfier", QStringLiteral("m[a-e]ier")));
    EXPECT_TRUE(Like(u"mfier", QStringLiteral("m[!a-e]ier")));
    EXPECT_FALSE(Like(u"mbier", QStringLiteral("m[!a-e]ier")));
    EXPECT_TRUE(Like(u"a-b", QStringLiteral("a[-]b")));
    EXPECT_TRUE(Like(u"a-b", QStringLiteral("a[x-]b")));
    EXPECT_TRUE(Like(u"a*b", QStringLiteral("a[*]b"))); // special characters stand for themselves
    EXPECT_TRUE(Like(u"a?b", QStringLiteral("a[?]b")));
    EXPECT_FALSE(Like(u"axb", QStringLiteral("a[?]b")));
    EXPECT_TRUE(Like(u"müller", QStringLiteral("m[äöü]ller")));
    EXPECT_FALSE(Like(u"müller", QStringLiteral("m[a-z]ller")));
    EXPECT_TRUE(Like(u"x€", QStringLiteral("x[€]")));
    EXPECT_TRUE(Like(u"a]", QStringLiteral("a]")));
}

TEST(Muster, FehlerhafteListePasstAufNichts)
{
    Muster m(QStringLiteral("*[abc*"));
    EXPECT_FALSE(m.gueltig());
    EXPECT_FALSE(m.passt(u"a"));
    EXPECT_FALSE(m.passt(u"[abc"));
    EXPECT_FALSE(m.passt(u""));
    EXPECT_FALSE(Like(u"x", QStringLiteral("[")));
    EXPECT_FALSE(Like(u"b", QStringLiteral("[z-a]")));
    EXPECT_TRUE(Muster(QStringLiteral("[a]")).gueltig());
}

TEST(Muster, EinmalUebersetztMehrfachVerwendet)
{
    const Muster m(QStringLiteral("*m[a-e]ier*#*"));
    const Muster kopie = m;
    EXPECT_TRUE(m.passt(u"hans\tmeier\t12345 berlin"));
    EXPECT_FALSE(m.passt(u"hans\tmeier\tberlin"));
    EXPECT_TRUE(kopie.passt(u"maier 1"));
    // Like keeps the last pattern; a different one must take effect.
    EXPECT_TRUE(Like(u"abc", QStringLiteral("a*")));
    EXPECT_FALSE(Like(u"abc", QStringLiteral("b*")));
    EXPECT_TRUE(Like(u"abc", QStringLiteral("a*")));
}

namespace {
// A plain recursive matcher for the same rule, to compare against.
bool referenz(const QString& t, int i, const QString& m, int j)
{
    if (j == m.size())
        return i == t.size();
    const QChar c = m.at(j);
    if (c == u'*')
        return referenz(t, i, m, j + 1) || (i < t.size() && referenz(t, i + 1, m, j));
    if (i == t.size())
        return false;
    if (c == u'?')
        return referenz(t, i + 1, m, j + 1);
    if (c == u'#')
        return t.at(i).isDigit() && referenz(t, i + 1, m, j + 1);
    if (c == u'[') {
        const int ende = int(m.indexOf(u']', j + 1));
        bool nicht = m.at(j + 1) == u'!';
        bool drin = false;
        for (int k = j + 1 + nicht; k < ende; ++k) {
            if (k + 2 < ende && m.at(k + 1) == u'-') {
                drin = drin || (t.at(i) >= m.at(k) && t.at(i) <= m.at(k + 2));
                k += 2;
            } else {
                drin = drin || t.at(i) == m.at(k);
            }
        }
        return drin != nicht && referenz(t, i + 1, m, ende + 1);
    }
    return t.at(i) == c && referenz(t, i + 1, m, j + 1);
}
} // namespace

TEST(Muster, StimmtMitEinfacherRegelUeberein)
{
    const QString zeichen = QStringLiteral("ab1");
    const QString musterZeichen[] = {QStringLiteral("a"),    QStringLiteral("b"),    QStringLiteral("*"),
                                     QStringLiteral("?"),    QStringLiteral("#"),    QStringLiteral("[ab]"),
                                     QStringLiteral("[!a]"), QStringLiteral("[0-9]")};
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
            muster += musterZeichen[zufall(8)];
        ASSERT_EQ(Muster(muster).passt(text), referenz(text, 0, muster, 0))
            << text.toStdString() << " / " << muster.toStdString();
    }
}
