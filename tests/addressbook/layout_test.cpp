// The main window's resize rules and close request.
#include "addressbook/layout.h"

#include <gtest/gtest.h>

using namespace zadressbuch;

TEST(LayoutTest, VerbreiternAuf9600)
{
    const MainLayout d;
    const MainLayout l = Form_Resize(d, 9600, 6000, 9480, 5400);
    EXPECT_EQ(l.Liste.breite, 9240);
    EXPECT_EQ(l.Rahmen4.breite, 3720);
    EXPECT_EQ(l.Rahmen1.breite, 3720);
    EXPECT_EQ(l.Feld11.breite, 3480);
    EXPECT_EQ(l.Feld7.breite, 1680);
    for (const Rechteck& r : {l.Feld8, l.Feld14, l.Feld12, l.Feld13, l.Feld22})
        EXPECT_EQ(r.breite, 1680);
    EXPECT_EQ(l.Feld12.links, 1920);
    EXPECT_EQ(l.Bez22.links, 1920);
    EXPECT_EQ(l.befZoom.links, 3720 - 615 - 120);
    EXPECT_FALSE(l.befZoomSichtbar);
    EXPECT_EQ(l.ProgressBar.breite, 4740);
    EXPECT_EQ(l.ProgressBar.links, 4740);
    // Height 6000 is below the rule: the list keeps its place and height.
    EXPECT_EQ(l.Liste.oben, d.Liste.oben);
    EXPECT_EQ(l.Liste.hoehe, d.Liste.hoehe);
}

TEST(LayoutTest, Schwellen)
{
    const MainLayout d;
    EXPECT_EQ(Form_Resize(d, 9000, 6700, 8880, 6000), d);
    // Shrinking after widening keeps the last widths.
    const MainLayout breit = Form_Resize(d, 12000, 6000, 11880, 5400);
    EXPECT_EQ(Form_Resize(breit, 8000, 6000, 7880, 5400), breit);
}

TEST(LayoutTest, ZoomKnopfErstAbBreite10018)
{
    const MainLayout d;
    EXPECT_FALSE(Form_Resize(d, 10017, 6000, 9900, 5000).befZoomSichtbar);
    EXPECT_TRUE(Form_Resize(d, 10018, 6000, 9900, 5000).befZoomSichtbar);
}

TEST(LayoutTest, HoeheNieNegativ)
{
    const MainLayout d;
    MainLayout l = Form_Resize(d, 8000, 6701, 7880, 3000);
    EXPECT_EQ(l.Liste.oben, 5160 + 615 + 150);
    EXPECT_EQ(l.Liste.hoehe, 0);
    EXPECT_EQ(l.ProgressBar.oben, 3000 - 225);

    l = Form_Resize(d, 9600, 8000, 9480, 7500);
    EXPECT_EQ(l.Liste.hoehe, 7500 - 5925 - 250);

    // An assignment that would give a negative width is skipped.
    MainLayout schmal = d;
    schmal.Liste.links = 4000;
    l = Form_Resize(schmal, 9100, 6000, 100, 5000);
    EXPECT_EQ(l.Liste.breite, d.Liste.breite);
}

TEST(LayoutTest, SchliessenFragtNie)
{
    EXPECT_EQ(Form_QueryUnload(true), SchliessAktion::OhneSichern);
    EXPECT_EQ(Form_QueryUnload(false), SchliessAktion::SichernUndEnde);
    {
        BeendenLaeuft laeuft;
        EXPECT_EQ(Form_QueryUnload(false), SchliessAktion::Keine);
    }
    EXPECT_EQ(Form_QueryUnload(false), SchliessAktion::SichernUndEnde);
}
