// Every window of the application is at least as wide as its whole title
// needs: when it is shown, and when its title grows while it is shown. A
// window without a title bar keeps its size.

#include "platform/ui/titelbreite.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace zplatform;

namespace {

const QString langerTitel = QStringLiteral("Anschrift in die Zwischenablage kopieren und ablegen");

} // namespace

TEST(Titelwaechter, FensterSoBreitWieIhrTitel)
{
    const struct
    {
        const char* name;
        std::function<std::unique_ptr<QWidget>()> machen;
        bool breiter; // widened to the title
    } faelle[] = {
        {"Fenster",
         [] {
             auto w = std::make_unique<QWidget>();
             w->resize(120, 80);
             return w;
         },
         true},
        {"Dialog fester Breite",
         [] {
             auto d = std::make_unique<QDialog>();
             d->setFixedSize(150, 90);
             return d;
         },
         true},
        {"ohne Rahmen",
         [] {
             auto w = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
             w->resize(120, 80);
             return w;
         },
         false},
        {"Aufklappfenster",
         [] {
             auto w = std::make_unique<QWidget>(nullptr, Qt::Popup);
             w->resize(120, 80);
             return w;
         },
         false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        std::unique_ptr<QWidget> w = f.machen();
        w->setWindowTitle(langerTitel);
        const int vorher = w->width();
        w->show();
        QApplication::processEvents();
        const int bedarf = titelBreite(*w, langerTitel);
        ASSERT_GT(bedarf, vorher);
        if (f.breiter)
            EXPECT_GE(w->width(), bedarf);
        else
            EXPECT_EQ(w->width(), vorher);
    }
}

// A shown window whose title grows widens with it; a shorter title narrows
// nothing.
TEST(Titelwaechter, TitelWaechstImGezeigtenFenster)
{
    QDialog d;
    d.setWindowTitle(QStringLiteral("Ort"));
    d.resize(150, 90);
    d.show();
    QApplication::processEvents();
    EXPECT_EQ(d.width(), 150);
    d.setWindowTitle(langerTitel);
    QApplication::processEvents();
    const int breit = d.width();
    EXPECT_GE(breit, titelBreite(d, langerTitel));
    d.setWindowTitle(QStringLiteral("Ort"));
    QApplication::processEvents();
    EXPECT_EQ(d.width(), breit);
}
