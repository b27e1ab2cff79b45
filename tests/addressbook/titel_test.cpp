// The start-up splash: its timer brings up the main window and then goes.
#include "main_hilfen.h"

#include "addressbook/ui/titel.h"
#include "common/ini.h"

#include <QTimer>

using namespace zadressbuch;
using main_test::zeile;

namespace {

class TitelTest : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        adressdatei({QStringLiteral("..Start"), zeile({{1, QStringLiteral("Erste Adresse")}})});
    }
};

TEST_F(TitelTest, ErsterTickZeigtDasHauptfensterZweiterSchliesstDenTitel)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("TitelAus"), QStringLiteral("0"));
    if (Titel::systemLaufzeit() >= 0 && Titel::systemLaufzeit() < 40)
        GTEST_SKIP() << "the system has just started: the splash goes at once";
    Titel titel(QStringList{QStringLiteral("readonly")});
    EXPECT_EQ(titel.objectName(), QStringLiteral("Titel"));
    titel.show();
    EXPECT_EQ(titel.Zeit->interval(), 200);
    EXPECT_TRUE(titel.Zeit->isActive());

    titel.Zeit_Timer();
    Main* m = titel.mainFenster();
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->isVisible());
    EXPECT_TRUE(titel.isVisible());
    EXPECT_EQ(m->FeldText(1), QStringLiteral("Erste Adresse"));
    EXPECT_TRUE(sitzung().NurLesen) << "the command line reaches the main window";

    titel.Zeit_Timer();
    EXPECT_FALSE(titel.isVisible());
    EXPECT_FALSE(titel.Zeit->isActive());
    fenster.reset(m); // the fixture ends it
}

TEST_F(TitelTest, TitelAusZeigtBeidesBeimErstenTick)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("TitelAus"), QStringLiteral("1"));
    Titel titel;
    titel.show();
    titel.Zeit_Timer();
    ASSERT_NE(titel.mainFenster(), nullptr);
    EXPECT_TRUE(titel.mainFenster()->isVisible());
    EXPECT_FALSE(titel.isVisible());
    EXPECT_FALSE(titel.Zeit->isActive());
    fenster.reset(titel.mainFenster());
}

} // namespace
