// A termination signal reaches the program as an event of its own event loop.
#include "platform/signale.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The signals are caught once for the whole run: once for this test program.
int gerufen = 0;

bool einrichten()
{
    static QObject besitzer;
    static const bool ok =
        zplatform::Beendensignale_Abfangen() && zplatform::Beendensignale_Verbinden(&besitzer, [] { ++gerufen; });
    return ok;
}

} // namespace

TEST(Signale, BeendensignalLaeuftImEreignisLauf)
{
    ASSERT_TRUE(einrichten());
    QObject anderer;
    EXPECT_FALSE(zplatform::Beendensignale_Verbinden(&anderer, [] {})) << "one step for the whole run";
    EXPECT_TRUE(zplatform::Beendensignale_Abfangen()) << "caught already: nothing changes";
    const int vorher = gerufen;
    std::raise(SIGTERM);
    EXPECT_EQ(gerufen, vorher) << "nothing runs inside the signal handler";
    EXPECT_TRUE(QTest::qWaitFor([&] { return gerufen == vorher + 1; }, 5000));
    std::raise(SIGHUP);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gerufen == vorher + 2; }, 5000));
}

// Signals that come faster than the event loop reads them (or while nothing
// reads them at all) never make the handler wait: a second process raises a
// hundred thousand and ends at once. Signals that came together run the step
// once.
TEST(Signale, VieleSignaleHaltenNichtsAuf)
{
    ASSERT_TRUE(einrichten());
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        for (int i = 0; i < 100000; ++i)
            std::raise(SIGTERM);
        ::_exit(0);
    }
    int status = -1;
    QElapsedTimer zeit;
    zeit.start();
    while (::waitpid(kind, &status, WNOHANG) == 0 && zeit.elapsed() < 20000)
        ::usleep(10000);
    if (zeit.elapsed() >= 20000) {
        ::kill(kind, SIGKILL);
        ::waitpid(kind, &status, 0);
        FAIL() << "the signal handler waited for the event loop";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // The other process wrote into the same socket: its signals are one step here.
    int vorher = gerufen;
    ASSERT_TRUE(QTest::qWaitFor([&] { return gerufen > vorher; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(gerufen, vorher + 1);

    vorher = gerufen;
    for (int i = 0; i < 10000; ++i)
        std::raise(SIGHUP);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gerufen > vorher; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(gerufen, vorher + 1);
}
