// The address list's view: columns at the tab stops, and a selection by the
// user that runs the list's click handler.
#include "main_hilfen.h"

#include "addressbook/ui/listenansicht.h"

#include <QScrollBar>

using namespace zadressbuch;
using main_test::zeile;

namespace {

TEST(ListenDelegate, SpaltenBeginnenAmNaechstenTabStopp)
{
    const QFontMetrics fm(QFont(u"Arial"_s, 8));
    const QVector<int> stops = {100, 200, 300};
    // Short pieces start at the stops.
    EXPECT_EQ(ListenDelegate::spaltenAnfaenge({u"a"_s, u"b"_s, u"c"_s}, stops, fm), (QVector<int>{0, 100, 200}));
    // A piece that runs past a stop pushes the next one to the stop after it.
    const QString lang(60, QLatin1Char('W'));
    ASSERT_GT(fm.horizontalAdvance(lang), 100);
    const QVector<int> a = ListenDelegate::spaltenAnfaenge({lang, u"b"_s}, stops, fm);
    EXPECT_GT(a[1], fm.horizontalAdvance(lang));
    // Beyond the last stop the distance of the last two goes on.
    const QVector<int> b = ListenDelegate::spaltenAnfaenge({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}, stops, fm);
    EXPECT_EQ(b, (QVector<int>{0, 100, 200, 300, 400}));
    // Dialog units: a quarter of the average character width.
    EXPECT_EQ(ListenDelegate::tabStopsInPixel({83, 233}, 8), (QVector<int>{166, 466}));
}

using MainListe = main_test::MainFensterTest;

TEST_F(MainListe, KlickInDieListeZeigtDieAdresse_DoppelklickGehtZumNachnamen)
{
    adressdatei({u"..L"_s, zeile({{1, u"Erste"_s}}), zeile({{1, u"Zweite"_s}}), zeile({{1, u"Dritte"_s}})});
    Main& m = starten();
    EXPECT_EQ(m.Liste->objectName(), u"Liste"_s);
    EXPECT_TRUE(m.Liste->uniformItemSizes()) << "32000 rows scroll smoothly";
    m.resize(900, 700);
    m.Liste->setGeometry(10, 400, 800, 200);
    QApplication::processEvents();
    const QRect zweite = m.Liste->visualRect(adressliste().index(1));
    ASSERT_TRUE(zweite.isValid());
    QTest::mouseClick(m.Liste->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, zweite.center().y()));
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(1), u"Zweite"_s);
    EXPECT_EQ(sitzung().UndoKopie, adressliste().List(1));

    EXPECT_EQ(m.Liste->horizontalScrollBar()->value(), 0) << "selecting never scrolls sideways";

    // Arrow keys move the selection like clicks.
    QTest::keyClick(m.Liste, Qt::Key_Down);
    EXPECT_EQ(adressliste().ListIndex(), 2);
    EXPECT_EQ(m.FeldText(1), u"Dritte"_s);

    // Removing rows moves the model's selection; the view follows without a click.
    adressliste().RemoveItem(0);
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.Liste->currentIndex().row(), 1);
    EXPECT_EQ(m.FeldText(1), u"Dritte"_s);

    // A double-click (its first click selects) gives the surname field the focus.
    m.activateWindow();
    const QRect erste = m.Liste->visualRect(adressliste().index(0));
    QTest::mouseClick(m.Liste->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, erste.center().y()));
    QTest::mouseDClick(m.Liste->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, erste.center().y()));
    EXPECT_EQ(QApplication::focusWidget(), m.Feld(1));
    EXPECT_EQ(m.FeldText(1), u"Zweite"_s);
}

// Many rows removed or added at once: the view shows the model's selection
// again, the card and the undo copy keep the selected address.
TEST_F(MainListe, VieleZeilenAufEinmal_DieAuswahlBleibtBeiIhrerAdresse)
{
    QStringList zeilen{u"..L"_s};
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        zeilen << zeile({{1, QString::fromLatin1(name)}});
    adressdatei(zeilen);
    Main& m = starten();
    adressliste().setListIndex(3);
    ASSERT_EQ(m.FeldText(1), u"D"_s);
    const QString undo = sitzung().UndoKopie;

    EXPECT_EQ(adressliste().RemoveItems({5, 0, 2}), 3);
    QApplication::processEvents();
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.Liste->currentIndex().row(), 1);
    EXPECT_EQ(m.Liste->model()->rowCount(), 3);
    EXPECT_EQ(m.FeldText(1), u"D"_s);
    EXPECT_EQ(sitzung().UndoKopie, undo);

    EXPECT_EQ(adressliste().AddItems({zeile({{1, u"X"_s}}), zeile({{1, u"Y"_s}})}), 2);
    QApplication::processEvents();
    EXPECT_EQ(m.Liste->model()->rowCount(), 5);
    EXPECT_EQ(m.Liste->currentIndex().row(), 1);
    EXPECT_EQ(m.FeldText(1), u"D"_s);

    // Removing the selected one among others leaves nothing selected.
    EXPECT_EQ(adressliste().RemoveItems({0, 1}), 2);
    EXPECT_EQ(adressliste().ListIndex(), -1);
    EXPECT_FALSE(m.Liste->currentIndex().isValid());
}

} // namespace
