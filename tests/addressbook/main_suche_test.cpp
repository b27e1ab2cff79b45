// The text search on the real main window: Enter, Shift, the found and
// not-found display, Esc, double-click, the check box and the delay. The
// search rules themselves (quoted words, "+", wrap-around ...) are tested in
// suche_test.cpp.
#include "main_hilfen.h"

#include "addressbook/suche.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>

#include <functional>

using namespace zadressbuch;
using main_test::zeile;

namespace {

// Notes each text the status panel is painted with.
struct StatusZeuge : QObject
{
    explicit StatusZeuge(QLabel* p) : panel(p) { p->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            texte << panel->text();
        return false;
    }
    QLabel* panel;
    QStringList texte;
};

class MainSuche : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        adressdatei({u"..Suche"_s, zeile({{0, u"Kunde"_s}, {1, u"Müller"_s}, {2, u"Hans"_s}, {7, u"030 / 12-34"_s}}),
                     zeile({{1, u"Meier"_s}, {2, u"Eva"_s}}), zeile({{1, u"Meierhof"_s}, {2, u"Karl"_s}}),
                     zeile({{1, u"Schulz"_s}, {2, u"Hans"_s}}), zeile({{1, u"Huber"_s}, {10, u"Müller"_s}}),
                     zeile({{1, u"Wójcik"_s}, {5, u"Lódz"_s}})});
        // The sounds exist, so they are played (and recorded).
        wurzel.schreiben(u"programm/Sgn_Jo.Wav"_s, u"RIFF"_s);
        wurzel.schreiben(u"programm/Sgn_No.Wav"_s, u"RIFF"_s);
        starten();
        ASSERT_EQ(adressliste().ListIndex(), 0);
        plattform.toene.clear();
    }

    // Types the text into the search box and presses Enter (with Shift when asked).
    void suchen(const QString& text, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        fenster->TxtSuche->setText(text);
        QTest::keyClick(fenster->TxtSuche, Qt::Key_Return, mod);
    }
    int gewaehlt() const { return adressliste().ListIndex(); }
    QColor textfarbe() const { return fenster->TxtSuche->palette().color(QPalette::Text); }
    QColor normal() const { return fenster->Feld(Nachname)->palette().color(QPalette::Text); }
    QString ton(const char* name) const { return wurzel.programm() + u'/' + QLatin1String(name); }
    bool verzoegerungAbwarten()
    {
        return QTest::qWaitFor([this] { return !fenster->zeitSuche()->aktiv(); }, 3000);
    }
    // The window in front, as the user works in it: keys go where the focus is.
    void aktivieren()
    {
        fenster->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    }
    // Types the text key by key into whatever has the focus at each key.
    static void tippenImFokus(const QString& text)
    {
        for (QChar c : text)
            main_test::tippen(QApplication::focusWidget(), QString(c));
    }
};

TEST_F(MainSuche, EnterSuchtUndZeigtDenTreffer_EscMarkiert)
{
    // Only address 0 holds both words; the search starts behind it and comes back to it last.
    suchen(u"HANS müller"_s);
    EXPECT_EQ(gewaehlt(), 0);
    EXPECT_EQ(panel("Status"), u"Bereit"_s);
    EXPECT_EQ(textfarbe(), normal());
    EXPECT_EQ(plattform.toene, QStringList{ton("Sgn_Jo.Wav")});
    EXPECT_EQ(fenster->TxtSuche->cursorPosition(), fenster->TxtSuche->text().size());

    // Repeating steps from match to match and round again.
    suchen(u"meier"_s);
    EXPECT_EQ(gewaehlt(), 1);
    EXPECT_EQ(fenster->FeldText(Vorname), u"Eva"_s);
    EXPECT_EQ(sitzung().UndoKopie, eintrag(1));
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Return);
    EXPECT_EQ(gewaehlt(), 2);
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Return);
    EXPECT_EQ(gewaehlt(), 1);

    // Esc marks the whole search text.
    fenster->TxtSuche->setCursorPosition(2);
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Escape);
    EXPECT_EQ(fenster->TxtSuche->selectedText(), u"meier"_s);
}

TEST_F(MainSuche, NichtGefunden_ShiftSuchtReduziert)
{
    suchen(u"0301234"_s);
    EXPECT_EQ(gewaehlt(), 0) << "not found: the selection stays";
    EXPECT_EQ(panel("Status"), u"Gesuchten Text »0301234« nicht gefunden."_s);
    EXPECT_EQ(textfarbe(), QColor(255, 0, 0));
    EXPECT_EQ(plattform.toene, QStringList{ton("Sgn_No.Wav")});
    EXPECT_FALSE(fenster->checkSuche->isChecked());

    // Shift with Enter ticks the reduced comparison for this very search.
    adressliste().setListIndex(2);
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(fenster->checkSuche->isChecked());
    EXPECT_EQ(fenster->Rahmen(0)->title(), u"Suche ohne Sonderz."_s);
    EXPECT_EQ(gewaehlt(), 0);
    EXPECT_EQ(textfarbe(), normal());
    EXPECT_FALSE(fenster->zeitSuche()->aktiv()) << "no second search through the delay";
}

// Shift held down when the search after the typing starts ticks the reduced
// comparison, as with Enter: the digits find the number with its separators.
TEST_F(MainSuche, ShiftBeiDerVerzoegertenSucheSuchtReduziert)
{
    StatusZeuge zeuge(fenster->panelLabel(u"Status"_s));
    fenster->TxtSuche->setFocus();
    main_test::tippen(fenster->TxtSuche, u"0301234"_s);
    adressliste().setListIndex(2);
    plattform.shift = true;
    ASSERT_TRUE(verzoegerungAbwarten());
    EXPECT_TRUE(fenster->checkSuche->isChecked());
    EXPECT_EQ(fenster->Rahmen(0)->title(), u"Suche ohne Sonderz."_s);
    EXPECT_TRUE(zeuge.texte.contains(u"Text-Suche Adresse..."_s)) << zeuge.texte.join(u" | "_s).toStdString();
    EXPECT_EQ(gewaehlt(), 0);
    EXPECT_EQ(panel("Status"), u"Bereit"_s);
    EXPECT_EQ(plattform.toene, QStringList{ton("Sgn_Jo.Wav")});
    EXPECT_FALSE(fenster->zeitSuche()->aktiv()) << "no second search through the delay";
}

TEST_F(MainSuche, KlickAufDasKaestchenSuchtImNeuenModus)
{
    fenster->TxtSuche->setText(u"0301234"_s);
    fenster->zeitSuche()->timer().stop();
    fenster->checkSuche->click();
    EXPECT_EQ(fenster->Rahmen(0)->title(), u"Suche ohne Sonderz."_s);
    EXPECT_TRUE(fenster->zeitSuche()->aktiv());
    adressliste().setListIndex(1);
    fenster->zeitSuche()->tick();
    EXPECT_EQ(gewaehlt(), 0);

    fenster->checkSuche->click();
    EXPECT_EQ(fenster->Rahmen(0)->title(), u"Suche"_s);
    EXPECT_TRUE(fenster->zeitSuche()->aktiv());
    fenster->zeitSuche()->tick();
    EXPECT_EQ(panel("Status"), u"Gesuchten Text »0301234« nicht gefunden."_s);
}

// A pasted "Łódź" searches as "Lódz", as the card stores it, and finds
// that address; the status bar keeps the line on what was changed.
TEST_F(MainSuche, EingefuegtesSuchtMitDenBuchstabenDerAdressdatei)
{
    fenster->TxtSuche->setFocus();
    QGuiApplication::clipboard()->setText(u"Łódź"_s);
    QTest::keyClick(fenster->TxtSuche, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(fenster->TxtSuche->text(), u"Lódz"_s);
    ASSERT_TRUE(verzoegerungAbwarten());
    EXPECT_EQ(gewaehlt(), 5);
    EXPECT_EQ(panel("Status"), u"Nicht im Zeichensatz Windows-1252: Ł → L, ź → z ersetzt."_s);
    EXPECT_EQ(plattform.toene, (QStringList{u"#SystemHand"_s, ton("Sgn_Jo.Wav")}));
}

TEST_F(MainSuche, VerzoegerungNachDemTippen_DoppelklickLeert)
{
    fenster->TxtSuche->setFocus();
    main_test::tippen(fenster->TxtSuche, u"schulz"_s);
    EXPECT_EQ(gewaehlt(), 0) << "nothing at once";
    EXPECT_TRUE(fenster->zeitSuche()->aktiv());
    EXPECT_EQ(fenster->zeitSuche()->timer().interval(), 333);
    ASSERT_TRUE(verzoegerungAbwarten());
    EXPECT_EQ(gewaehlt(), 3);

    // A double-click empties the box; the delay then only stops itself.
    QTest::mouseDClick(fenster->TxtSuche, Qt::LeftButton);
    EXPECT_EQ(fenster->TxtSuche->text(), QString());
    ASSERT_TRUE(verzoegerungAbwarten());
    EXPECT_EQ(gewaehlt(), 3);
}

TEST_F(MainSuche, EnterNimmtDerVerzoegerungDieSucheAb)
{
    fenster->TxtSuche->setFocus();
    main_test::tippen(fenster->TxtSuche, u"meier"_s);
    ASSERT_TRUE(fenster->zeitSuche()->aktiv());
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Return);
    EXPECT_EQ(gewaehlt(), 1);
    EXPECT_FALSE(fenster->zeitSuche()->aktiv());
    // Whatever Enter left queued runs now; a delay still pending would be active.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(fenster->zeitSuche()->aktiv()) << "no second search is pending";
    EXPECT_EQ(gewaehlt(), 1) << "no second search steps on to Meierhof";
}

// Leaving the search box drops the search still pending from the typing: it
// would take the card and the focus from under the user, who types on in
// the card. Another window coming to the front is no leaving: the search
// still runs (as for a "Suche=" search under a dialog at start-up).
TEST_F(MainSuche, VerlassenDesSuchfeldsVerwirftDieVerzoegerteSuche)
{
    aktivieren();
    QWidget anderes;
    struct Weg
    {
        const char* name;
        std::function<void()> verlassen;
        int gewaehltDanach;
        QString feldDanach; // the clicked field's text after typing "ne" (empty: no typing)
    };
    const Weg wege[] = {
        {"Tab", [this] { QTest::keyClick(fenster->TxtSuche, Qt::Key_Tab); }, 0, {}},
        {"click into a card field", [this] { QTest::mouseClick(fenster->Feld(Vorname), Qt::LeftButton); }, 0,
         u"Hansne"_s},
        {"another window in front",
         [&anderes] {
             anderes.show();
             anderes.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&anderes));
         },
         3, {}},
    };
    for (const Weg& w : wege) {
        SCOPED_TRACE(w.name);
        adressliste().setListIndex(0);
        fenster->TxtSuche->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return fenster->TxtSuche->hasFocus(); }));
        fenster->TxtSuche->clear();
        main_test::tippen(fenster->TxtSuche, u"schulz"_s);
        ASSERT_TRUE(fenster->zeitSuche()->aktiv());
        w.verlassen();
        QWidget* ziel = QApplication::focusWidget();
        ASSERT_NE(ziel, fenster->TxtSuche);
        ASSERT_TRUE(verzoegerungAbwarten());
        EXPECT_EQ(gewaehlt(), w.gewaehltDanach);
        if (w.feldDanach.isEmpty())
            continue;
        EXPECT_EQ(QApplication::focusWidget(), ziel) << "the focus stays where the user put it";
        tippenImFokus(u"ne"_s);
        EXPECT_EQ(fenster->FeldText(Vorname), w.feldDanach) << "the keys go into the field";
        EXPECT_EQ(fenster->TxtSuche->text(), u"schulz"_s) << "and none into the search box";
        EXPECT_EQ(gewaehlt(), 0);
    }
}

// Ctrl+F takes the card field's text into the search box, searches once and
// leaves the whole search text selected: what the user types next replaces it.
TEST_F(MainSuche, StrgFLaesstDenSuchtextMarkiert)
{
    aktivieren();
    fenster->Feld(Nachname)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fenster->Feld(Nachname)->hasFocus(); }));
    QTest::keyClick(fenster->Feld(Nachname), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(fenster->TxtSuche->text(), u"Müller"_s);
    EXPECT_EQ(gewaehlt(), 4) << "the next address holding Müller";
    // Nothing else is pending that would step on or drop the selection.
    ASSERT_TRUE(verzoegerungAbwarten());
    EXPECT_EQ(gewaehlt(), 4);
    EXPECT_TRUE(fenster->TxtSuche->hasFocus());
    EXPECT_EQ(fenster->TxtSuche->selectedText(), u"Müller"_s);
    tippenImFokus(u"Meierhof"_s);
    EXPECT_EQ(fenster->TxtSuche->text(), u"Meierhof"_s);
    ASSERT_TRUE(verzoegerungAbwarten());
    EXPECT_EQ(gewaehlt(), 2);
}

} // namespace
