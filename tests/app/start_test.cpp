#include <gtest/gtest.h>
#include <QApplication>

TEST(Start, QtLaeuftOhneAnzeige)
{
    EXPECT_NE(QApplication::instance(), nullptr);
}
