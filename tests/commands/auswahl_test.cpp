// The pick list on the real form (offscreen): sorting, single and multiple
// choice, cancel, right-click, the close box, and the form kept between uses.
#include "commands/ui/auswahl.h"
#include "platform/ui/twips.h"
#include "support/testplattform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using zbefehle::Auswahl;

namespace {

void klicken(Auswahl& a, int zeile, Qt::MouseButton knopf = Qt::LeftButton)
{
    QListWidgetItem* item = a.Liste->item(zeile);
    ASSERT_NE(item, nullptr);
    const QPoint p = a.Liste->visualItemRect(item).center();
    QTest::mouseClick(a.Liste->viewport(), knopf, Qt::NoModifier, p);
}

// Runs the modal form; the actions run inside its event loop.
int zeigenMit(Auswahl& a, std::function<void()> aktionen)
{
    QTimer::singleShot(0, &a, [&a, aktionen] {
        if (!a.isVisible()) {
            ADD_FAILURE() << "not shown";
            return;
        }
        aktionen();
        if (a.isVisible()) {
            ADD_FAILURE() << "still shown after the actions";
            a.befAbbruch_Click();
        }
    });
    return a.zeigen();
}

void fuellen(Auswahl& a, const QStringList& texte)
{
    a.Liste->Clear();
    for (const QString& t : texte)
        a.Liste->AddItem(t);
}

QStringList inhalt(const Auswahl& a)
{
    QStringList l;
    for (int i = 0; i < a.Liste->ListCount(); ++i)
        l << a.Liste->List(i);
    return l;
}

} // namespace

TEST(AuswahlTest, SteuerelementeUndSortierung)
{
    Auswahl& a = Auswahl::instanz();
    EXPECT_EQ(a.objectName(), QStringLiteral("Auswahl"));
    EXPECT_EQ(a.windowTitle(), QStringLiteral("Auswahl"));
    EXPECT_EQ(a.Liste->objectName(), QStringLiteral("Liste"));
    EXPECT_EQ(a.BefOk->objectName(), QStringLiteral("BefOk"));
    EXPECT_EQ(a.BefOk->text(), QStringLiteral("Über&nehmen"));
    EXPECT_EQ(a.BefAbbruch->text(), QStringLiteral("&Abbruch"));
    EXPECT_EQ(a.CheckSingle->objectName(), QStringLiteral("CheckSingle"));
    EXPECT_FALSE(a.CheckSingle->isVisibleTo(&a));
    EXPECT_EQ(&a, &Auswahl::instanz());

    fuellen(a, {QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("c")});
    EXPECT_EQ(inhalt(a), (QStringList{QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c")}));
    fuellen(a, {QStringLiteral("Zander"), QStringLiteral("Ober"), QStringLiteral("Öhler"), QStringLiteral("Apfel"),
                QStringLiteral("Ärmel"), QStringLiteral("Ast"), QStringLiteral("ober"), QStringLiteral("Muller"),
                QStringLiteral("Müller"), QStringLiteral("Mylius")});
    EXPECT_EQ(inhalt(a), (QStringList{QStringLiteral("Apfel"), QStringLiteral("Ärmel"), QStringLiteral("Ast"),
                                      QStringLiteral("Muller"), QStringLiteral("Müller"), QStringLiteral("Mylius"),
                                      QStringLiteral("Ober"), QStringLiteral("ober"), QStringLiteral("Öhler"),
                                      QStringLiteral("Zander")}));
    // Bulk adding gives the same order.
    a.Liste->Clear();
    a.Liste->addItems({QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("A")});
    EXPECT_EQ(inhalt(a), (QStringList{QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c")}));
    a.Liste->Clear();
}

TEST(AuswahlTest, EinfachauswahlBehaeltNurDenLetztenKlick)
{
    Auswahl& a = Auswahl::instanz();
    fuellen(a, {"e0", "e1", "e2", "e3", "e4", "e5", "e6"});
    bool okVorKlick = true, okNachKlick = false;
    const int index = zeigenMit(a, [&] {
        okVorKlick = a.BefOk->isEnabled();
        klicken(a, 3);
        okNachKlick = a.BefOk->isEnabled();
        klicken(a, 5);
        a.BefOk->click();
    });
    EXPECT_FALSE(okVorKlick);
    EXPECT_TRUE(okNachKlick);
    EXPECT_EQ(index, 5);
    EXPECT_EQ(a.Liste->ListIndex(), 5);
    EXPECT_EQ(a.ausgewaehlt(), QStringList{QStringLiteral("e5")});
    EXPECT_FALSE(a.isVisible());
    EXPECT_FALSE(a.BefOk->isEnabled());
    EXPECT_EQ(a.checkSingle(), 1);
}

TEST(AuswahlTest, MehrfachauswahlUndZurueckAufEinfach)
{
    Auswahl& a = Auswahl::instanz();
    fuellen(a, {"a", "b", "c", "d"});
    a.setCheckSingle(0);
    zeigenMit(a, [&] {
        klicken(a, 0);
        klicken(a, 2);
        klicken(a, 3);
        klicken(a, 3); // a second click takes it back
        a.BefOk->click();
    });
    EXPECT_EQ(a.ausgewaehlt(), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_EQ(a.checkSingle(), 1); // OK sets single choice again

    // The next caller, who does not set it, gets single choice.
    fuellen(a, {"a", "b", "c", "d"});
    zeigenMit(a, [&] {
        klicken(a, 0);
        klicken(a, 2);
        a.BefOk->click();
    });
    EXPECT_EQ(a.ausgewaehlt(), QStringList{QStringLiteral("c")});
}

TEST(AuswahlTest, AbbruchEscUndSchliessfeld)
{
    Auswahl& a = Auswahl::instanz();
    fuellen(a, {"a", "b", "c"});
    a.setCheckSingle(0);
    int index = zeigenMit(a, [&] {
        klicken(a, 0);
        klicken(a, 1);
        a.BefAbbruch->click();
    });
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(a.ausgewaehlt().isEmpty());
    EXPECT_EQ(a.checkSingle(), 1);

    index = zeigenMit(a, [&] {
        klicken(a, 1);
        QTest::keyClick(&a, Qt::Key_Escape);
    });
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(a.ausgewaehlt().isEmpty());

    // The title bar's close box: cancel, and the form is not gone.
    index = zeigenMit(a, [&] {
        klicken(a, 2);
        EXPECT_FALSE(a.close()); // refused: the form is only hidden
    });
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(a.ausgewaehlt().isEmpty());
    EXPECT_EQ(&a, &Auswahl::instanz());
    a.Liste->Clear();
}

TEST(AuswahlTest, RechtsklickLeertDieAuswahl)
{
    Auswahl& a = Auswahl::instanz();
    fuellen(a, {"a", "b", "c"});
    bool okNachRechts = false;
    const int index = zeigenMit(a, [&] {
        klicken(a, 1);
        klicken(a, 2, Qt::RightButton);
        okNachRechts = a.BefOk->isEnabled();
        a.BefOk->click();
    });
    EXPECT_TRUE(okNachRechts);
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(a.ausgewaehlt().isEmpty());
}

TEST(AuswahlTest, DoppelklickUebernimmt)
{
    Auswahl& a = Auswahl::instanz();
    fuellen(a, {"x", "y"});
    const int index = zeigenMit(a, [&] {
        const QPoint p = a.Liste->visualItemRect(a.Liste->item(1)).center();
        QTest::mouseClick(a.Liste->viewport(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseDClick(a.Liste->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    });
    EXPECT_EQ(index, 1);
    EXPECT_EQ(a.ausgewaehlt(), QStringList{QStringLiteral("y")});
}

TEST(AuswahlTest, GroesseUndPlatzAmHauptfenster)
{
    QWidget main;
    main.setObjectName(QStringLiteral("Main"));
    main.setGeometry(100, 100, 800, 600);
    main.show();
    Auswahl a; // a fresh form: its load runs at the first showing
    a.show();
    EXPECT_NEAR(a.frameGeometry().height(), int(main.frameGeometry().height() * 0.9), 2);
    const QPoint mitte = a.frameGeometry().center();
    EXPECT_NEAR(mitte.x(), main.frameGeometry().center().x(), 2);
    EXPECT_NEAR(mitte.y(), main.frameGeometry().center().y(), 2);

    // The layout: cancel at the right edge, OK at the bottom, the list between.
    const int m = a.BefOk->x();
    EXPECT_EQ(a.BefOk->y() + a.BefOk->height() + m, a.height());
    EXPECT_EQ(a.BefAbbruch->y(), a.BefOk->y());
    EXPECT_NEAR(a.BefAbbruch->x() + a.BefAbbruch->width() + m, a.width(), 1);
    EXPECT_NEAR(a.Liste->width(), a.width() - 2 * a.Liste->x(), 1);

    // Below the width threshold (2800 twips) the width rule stops.
    const int listeBreite = a.Liste->width();
    a.resize(zplatform::twipsZuPixel(2700), a.height());
    EXPECT_EQ(a.Liste->width(), listeBreite);
    a.hide();
}

TEST(AuswahlTest, EinfachauswahlBleibtEinzelnBeiZiehenTastenUndAndererMaustaste)
{
    Auswahl& a = Auswahl::instanz();
    fuellen(a, {"a", "b", "c", "d", "e"});
    QStringList nachZiehen, nachAllesMarkieren, nachPfeil;
    int indexNachPfeil = -2, indexNachMitteltaste = -2;
    const int index = zeigenMit(a, [&] {
        klicken(a, 4);
        // Pressed on one entry, moved over two more with the button held, released on the last.
        QWidget* vp = a.Liste->viewport();
        const QPoint von = a.Liste->visualItemRect(a.Liste->item(1)).center();
        const QPoint bis = a.Liste->visualItemRect(a.Liste->item(3)).center();
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, von);
        for (const QPoint& p : {a.Liste->visualItemRect(a.Liste->item(2)).center(), bis}) {
            QMouseEvent zug(QEvent::MouseMove, p, vp->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(vp, &zug);
        }
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, bis);
        nachZiehen = a.ausgewaehlt();
        QTest::keyClick(a.Liste, Qt::Key_A, Qt::ControlModifier);
        nachAllesMarkieren = a.ausgewaehlt();
        QTest::keyClick(a.Liste, Qt::Key_Up);
        nachPfeil = a.ausgewaehlt();
        indexNachPfeil = a.Liste->ListIndex();
        klicken(a, 4, Qt::MiddleButton);
        indexNachMitteltaste = a.Liste->ListIndex();
        a.BefOk->click();
    });
    EXPECT_EQ(nachZiehen, QStringList{QStringLiteral("b")});
    EXPECT_EQ(nachAllesMarkieren, QStringList{QStringLiteral("b")});
    EXPECT_EQ(nachPfeil, QStringList{QStringLiteral("a")}) << "the arrow key moves the one chosen entry";
    EXPECT_EQ(indexNachPfeil, 0);
    EXPECT_EQ(indexNachMitteltaste, 0);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(a.ausgewaehlt(), QStringList{QStringLiteral("a")});
    a.Liste->Clear();
}
