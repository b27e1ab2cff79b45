// Where a window first stands beside the window that asked for it: right,
// left, below, above in this order where the screen has room; narrower or
// lower beside it where that still leaves a window of use; always on the
// screen; and where there is no room beside it at the place that covers least
// of it (checked against trying every place on the screen).
#include "platform/fensterplatz.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using zplatform::platzDaneben;

namespace {

const QRect schirm(0, 0, 1280, 1024);
const QSize hilfe(400, 500);
const QSize nichtKleiner = hilfe; // never narrower than it would like

qint64 bedeckt(const QRect& a, const QRect& b)
{
    const QRect s = a & b;
    return s.isEmpty() ? 0 : qint64(s.width()) * s.height();
}

std::string text(const QRect& r)
{
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

} // namespace

TEST(FensterPlatz, DanebenInDieserReihenfolge)
{
    struct Fall
    {
        const char* was;
        QRect frager;
        QPoint erwartet;
    };
    const Fall faelle[] = {
        {"right, level with its top", QRect(100, 200, 500, 300), QPoint(600, 200)},
        {"right before left where both have room", QRect(500, 100, 200, 300), QPoint(700, 100)},
        {"right, at the screen's edge", QRect(0, 0, 880, 300), QPoint(880, 0)},
        {"right, pushed up so that it stays on the screen", QRect(100, 800, 300, 200), QPoint(400, 524)},
        {"left when the right has no room", QRect(500, 100, 500, 300), QPoint(100, 100)},
        {"left, at the screen's edge", QRect(400, 100, 881, 300), QPoint(0, 100)},
        {"pushed up so that it stays on the screen", QRect(700, 800, 300, 200), QPoint(300, 524)},
        {"below when neither side has room", QRect(200, 50, 900, 300), QPoint(200, 350)},
        {"below, moved onto the screen", QRect(-200, 50, 1300, 300), QPoint(0, 350)},
        {"above when there is no room below", QRect(200, 600, 900, 300), QPoint(200, 100)},
    };
    for (const Fall& f : faelle) {
        const QRect r = platzDaneben(f.frager, hilfe, nichtKleiner, schirm);
        EXPECT_EQ(r, QRect(f.erwartet, hilfe)) << f.was << ": " << text(r);
        EXPECT_TRUE(schirm.contains(r)) << f.was;
        EXPECT_EQ(bedeckt(r, f.frager), 0) << f.was;
    }
}

TEST(FensterPlatz, SchmalerDanebenWoEsNochTaugt)
{
    // A dialog in the middle of the screen: 400 wide fits on neither side,
    // 300 fits on both; the right one is as large as the left one and comes first.
    const QRect mitte(340, 300, 600, 400);
    EXPECT_EQ(platzDaneben(mitte, hilfe, QSize(300, 400), schirm), QRect(940, 300, 340, 500));
    // More room on the left: the larger window stands there.
    const QRect rechts(380, 300, 600, 400);
    EXPECT_EQ(platzDaneben(rechts, hilfe, QSize(300, 400), schirm), QRect(0, 300, 380, 500));
    // Lower below it when neither side has room for the smallest width.
    const QRect breit(100, 50, 1100, 600);
    EXPECT_EQ(platzDaneben(breit, hilfe, QSize(300, 300), schirm), QRect(100, 650, 400, 374));
    // Too little room everywhere for the smallest size: in its own size where it covers least.
    const QRect r = platzDaneben(mitte, hilfe, QSize(350, 400), schirm);
    EXPECT_EQ(r.size(), hilfe);
    EXPECT_EQ(r.topLeft(), QPoint(0, 524)) << "the lower corner on the left, where it covers 60 x 176: " << text(r);
}

TEST(FensterPlatz, OhnePlatzDanebenDortWoEsAmWenigstenBedeckt)
{
    // A window that fills most of the screen: the help goes into the corner
    // where it covers least of it, on the screen.
    const QRect gross(100, 150, 1000, 700);
    const QRect r = platzDaneben(gross, hilfe, nichtKleiner, schirm);
    EXPECT_TRUE(schirm.contains(r));
    EXPECT_EQ(r, QRect(QPoint(880, 524), hilfe)) << "the bottom right corner, where it covers 220 x 326";

    // Larger than the screen: at its top left corner (its title bar on the screen).
    EXPECT_EQ(platzDaneben(gross, QSize(1500, 1100), QSize(1500, 1100), schirm).topLeft(), QPoint(0, 0));

    // A second screen to the right of the first: it stays on that one.
    const QRect zweiter(1280, 0, 1600, 1200);
    EXPECT_EQ(platzDaneben(QRect(1400, 100, 1300, 400), hilfe, nichtKleiner, zweiter), QRect(1400, 500, 400, 500))
        << "below it: neither side of it has room on that screen";
    EXPECT_EQ(platzDaneben(QRect(1300, 100, 700, 400), hilfe, nichtKleiner, zweiter), QRect(2000, 100, 400, 500));
}

// Against trying every place: on random screens, windows and sizes the window
// lies on the screen, never smaller than of use nor larger than it would like;
// it covers nothing of the asking window when there is room of use beside it,
// and otherwise, in its own size, never more than the best place there is.
TEST(FensterPlatz, NieMehrBedecktAlsNoetig)
{
    std::mt19937 zufall(1109);
    const auto zahl = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall); };
    for (int fall = 0; fall < 3000; ++fall) {
        const QRect feld(zahl(-40, 40), zahl(-40, 40), zahl(20, 90), zahl(20, 70));
        const QSize groesse(zahl(5, feld.width()), zahl(5, feld.height()));
        const QSize kleinste(zahl(1, groesse.width()), zahl(1, groesse.height()));
        const QRect frager(zahl(feld.left() - 10, feld.right()), zahl(feld.top() - 10, feld.bottom()), zahl(1, 80),
                           zahl(1, 60));
        const QRect platz = platzDaneben(frager, groesse, kleinste, feld);
        ASSERT_TRUE(feld.contains(platz)) << fall;
        ASSERT_GE(platz.width(), kleinste.width()) << fall;
        ASSERT_GE(platz.height(), kleinste.height()) << fall;
        ASSERT_LE(platz.width(), groesse.width()) << fall;
        ASSERT_LE(platz.height(), groesse.height()) << fall;

        // Room of use beside it: between it and the screen's edge, the
        // smallest size fits, and so does the rest of the window along that edge.
        const int rechts = feld.left() + feld.width() - (frager.left() + frager.width());
        const int links = frager.left() - feld.left();
        const int unten = feld.top() + feld.height() - (frager.top() + frager.height());
        const int oben = frager.top() - feld.top();
        const bool raum = std::max(rechts, links) >= kleinste.width() || std::max(unten, oben) >= kleinste.height();
        if (raum) {
            ASSERT_EQ(bedeckt(platz, frager), 0) << fall;
            continue;
        }
        ASSERT_EQ(platz.size(), groesse) << fall;
        qint64 wenigste = bedeckt(platz, frager);
        for (int y = feld.top(); y + groesse.height() <= feld.top() + feld.height(); ++y)
            for (int x = feld.left(); x + groesse.width() <= feld.left() + feld.width(); ++x)
                wenigste = std::min(wenigste, bedeckt(QRect(QPoint(x, y), groesse), frager));
        ASSERT_EQ(bedeckt(platz, frager), wenigste) << fall;
    }
}
