// Entry point of every test program: a QApplication on the offscreen platform
// (forms and printer fonts need one), set up as the program's own start sets
// it up for every window, then GoogleTest.
#include "platform/ui/eingaberegel.h"
#include "platform/ui/titelbreite.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    zplatform::titelWaechterEinrichten();
    zplatform::eingaberegelEinrichten();
    return RUN_ALL_TESTS();
}
