// The pick list on the real form (offscreen): sorting, single and multiple
// choice, cancel, right-click, the close box, and the form kept between uses.
#include "addressbook/ui/auswahl.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using zadressbuch::Auswahl;

namespace {

QPoint mitte(Auswahl& a, int zeile)
{
    return a.Liste->visualItemRect(a.Liste->item(zeile)).center();
}

void klicken(Auswahl& a, int zeile, Qt::MouseButton knopf = Qt::LeftButton)
{
    ASSERT_NE(a.Liste->item(zeile), nullptr);
    QTest::mouseClick(a.Liste->viewport(), knopf, Qt::NoModifier, mitte(a, zeile));
}

// Fills the list, runs the modal form; the actions run inside its event loop.
int zeigenMit(Auswahl& a, const QStringList& texte, std::function<void()> aktionen)
{
    a.Liste->Clear();
    for (const QString& t : texte)
        a.Liste->AddItem(t);
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

QStringList inhalt(const Auswahl& a)
{
    QStringList l;
    for (int i = 0; i < a.Liste->ListCount(); ++i)
        l << a.Liste->List(i);
    return l;
}

} // namespace

TEST(AuswahlTest, SortiertWieDieAdressen)
{
    // Case ignored, umlauts beside their base letters, equal texts in the order added; one by one or in bulk.
    Auswahl& a = Auswahl::instanz();
    a.Liste->Clear();
    for (const QString& t : {u"Zander"_s, u"Ober"_s, u"Öhler"_s, u"ober"_s, u"Apfel"_s, u"Ärmel"_s, u"Ast"_s})
        a.Liste->AddItem(t);
    EXPECT_EQ(inhalt(a),
              (QStringList{u"Apfel"_s, u"Ärmel"_s, u"Ast"_s, u"Ober"_s, u"ober"_s, u"Öhler"_s, u"Zander"_s}));
    a.Liste->Clear();
    a.Liste->addItems({u"c"_s, u"b"_s, u"A"_s});
    EXPECT_EQ(inhalt(a), (QStringList{u"A"_s, u"b"_s, u"c"_s}));
    a.Liste->Clear();
}

TEST(AuswahlTest, EinfachauswahlBleibtEinzelnBeiKlickZiehenTastenUndAndererMaustaste)
{
    Auswahl& a = Auswahl::instanz();
    QStringList nachZiehen, nachAllesMarkieren, nachPfeil;
    bool okVorKlick = true, okNachKlick = false;
    int indexNachMitteltaste = -2;
    const int index = zeigenMit(a, {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}, [&] {
        okVorKlick = a.BefOk->isEnabled();
        klicken(a, 4);
        okNachKlick = a.BefOk->isEnabled();
        // Pressed on one entry, moved over two more with the button held, released on the last.
        QWidget* vp = a.Liste->viewport();
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, mitte(a, 1));
        for (int z : {2, 3}) {
            QMouseEvent zug(QEvent::MouseMove, mitte(a, z), vp->mapToGlobal(mitte(a, z)), Qt::NoButton, Qt::LeftButton,
                            Qt::NoModifier);
            QApplication::sendEvent(vp, &zug);
        }
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, mitte(a, 3));
        nachZiehen = a.ausgewaehlt();
        QTest::keyClick(a.Liste, Qt::Key_A, Qt::ControlModifier);
        nachAllesMarkieren = a.ausgewaehlt();
        QTest::keyClick(a.Liste, Qt::Key_Up);
        nachPfeil = a.ausgewaehlt();
        klicken(a, 4, Qt::MiddleButton);
        indexNachMitteltaste = a.Liste->ListIndex();
        a.BefOk->click();
    });
    EXPECT_FALSE(okVorKlick);
    EXPECT_TRUE(okNachKlick);
    EXPECT_EQ(nachZiehen, QStringList{u"b"_s}); // only the last click counts
    EXPECT_EQ(nachAllesMarkieren, QStringList{u"b"_s});
    EXPECT_EQ(nachPfeil, QStringList{u"a"_s}) << "the arrow key moves the one chosen entry";
    EXPECT_EQ(indexNachMitteltaste, 0);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(a.ausgewaehlt(), QStringList{u"a"_s});
    EXPECT_FALSE(a.isVisible());
    EXPECT_FALSE(a.BefOk->isEnabled());
    EXPECT_EQ(a.checkSingle(), 1);
    a.Liste->Clear();
}

TEST(AuswahlTest, MehrfachauswahlAbbruchUndDoppelklick)
{
    Auswahl& a = Auswahl::instanz();
    const QStringList abcd{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    // Multiple choice: a second click takes an entry back; OK sets single choice again.
    a.setCheckSingle(0);
    zeigenMit(a, abcd, [&] {
        for (int z : {0, 2, 3, 3})
            klicken(a, z);
        a.BefOk->click();
    });
    EXPECT_EQ(a.ausgewaehlt(), (QStringList{u"a"_s, u"c"_s}));
    EXPECT_EQ(a.checkSingle(), 1);

    // Cancel, Esc, the close box (refused: the form is only hidden) and the
    // right button (empties the choice; OK stays enabled) choose nothing.
    const std::function<void()> abbrueche[] = {
        [&] { a.BefAbbruch->click(); },
        [&] { QTest::keyClick(&a, Qt::Key_Escape); },
        [&] { EXPECT_FALSE(a.close()); },
        [&] {
            klicken(a, 2, Qt::RightButton);
            EXPECT_TRUE(a.BefOk->isEnabled());
            a.BefOk->click();
        },
    };
    for (size_t i = 0; i < std::size(abbrueche); ++i) {
        SCOPED_TRACE(i);
        a.setCheckSingle(0);
        EXPECT_EQ(zeigenMit(a, abcd,
                            [&] {
                                klicken(a, 0);
                                klicken(a, 1);
                                abbrueche[i]();
                            }),
                  -1);
        EXPECT_TRUE(a.ausgewaehlt().isEmpty());
        EXPECT_EQ(a.checkSingle(), 1);
    }
    EXPECT_EQ(&a, &Auswahl::instanz());

    // The next caller, who does not set it, gets single choice; a double-click takes the entry at once.
    EXPECT_EQ(zeigenMit(a, abcd,
                        [&] {
                            klicken(a, 0);
                            klicken(a, 2);
                            QTest::mouseDClick(a.Liste->viewport(), Qt::LeftButton, Qt::NoModifier, mitte(a, 2));
                        }),
              2);
    EXPECT_EQ(a.ausgewaehlt(), QStringList{u"c"_s});
    a.Liste->Clear();
}

TEST(AuswahlTest, GroesseUndPlatzAmHauptfenster)
{
    QWidget main;
    main.setObjectName(u"Main"_s);
    main.setGeometry(100, 100, 800, 600);
    main.show();
    Auswahl a; // a fresh form: its load runs at the first showing
    a.show();
    // 90 % of the main window's height, centred on it.
    EXPECT_NEAR(a.frameGeometry().height(), int(main.frameGeometry().height() * 0.9), 2);
    EXPECT_NEAR(a.frameGeometry().center().x(), main.frameGeometry().center().x(), 2);
    EXPECT_NEAR(a.frameGeometry().center().y(), main.frameGeometry().center().y(), 2);
    // Resized: cancel at the right edge, OK at the bottom, the list between.
    a.resize(a.width() + 100, a.height() + 50);
    const int m = a.BefOk->x();
    EXPECT_EQ(a.BefOk->y() + a.BefOk->height() + m, a.height());
    EXPECT_EQ(a.BefAbbruch->y(), a.BefOk->y());
    EXPECT_NEAR(a.BefAbbruch->x() + a.BefAbbruch->width() + m, a.width(), 1);
    EXPECT_NEAR(a.Liste->width(), a.width() - 2 * a.Liste->x(), 1);
    a.hide();
}
