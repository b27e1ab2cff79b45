// A termination signal reaches the program as an event of its own event loop.
#include "platform/signale.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

TEST(Signale, BeendensignalLaeuftImEreignisLauf)
{
    int gerufen = 0;
    QObject besitzer;
    ASSERT_TRUE(zplatform::Beendensignale_Abfangen(&besitzer, [&gerufen] { ++gerufen; }));
    EXPECT_FALSE(zplatform::Beendensignale_Abfangen(&besitzer, [] {})) << "caught once for the whole run";
    std::raise(SIGTERM);
    EXPECT_EQ(gerufen, 0) << "nothing runs inside the signal handler";
    EXPECT_TRUE(QTest::qWaitFor([&gerufen] { return gerufen == 1; }, 5000));
    std::raise(SIGHUP);
    EXPECT_TRUE(QTest::qWaitFor([&gerufen] { return gerufen == 2; }, 5000));
}
