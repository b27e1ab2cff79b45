// The help from every window: F1 in a modal dialog brings the help window up
// in front of that dialog, where it can be scrolled and its links followed
// while the dialog stays open; each topic number opens its own section; and
// every box with a Help button opens the help at its topic and stays open.
//
// The window tests run offscreen. Those whose names end in X11 run under a
// real window manager too (test.sh does so), which stacks and focuses windows
// on its own (clicks and keys then go through the X server, see
// support/nutzereingabe.h; xdotool and xprop are needed):
//   Xvfb :11 -screen 0 1280x1024x24 &
//   DISPLAY=:11 openbox &
//   DISPLAY=:11 QT_QPA_PLATFORM=xcb build/tests/test_app --gtest_filter='*X11*'
#include "addressbook/dateiini.h"
#include "addressbook/main_hilfen.h"
#include "addressbook/ui/auswahl.h"
#include "commands/ui/file.h"
#include "commands/ui/info.h"
#include "commands/ui/msgdoppelt.h"
#include "commands/ui/schriftdialog.h"
#include "commands/ui/setup.h"
#include "commands/ui/sonderzeichen.h"
#include "commands/ui/zoomtext.h"
#include "common/programme.h"
#include "exchange/ui/adrimport2.h"
#include "exchange/ui/telewahl.h"
#include "masks/ui/maskenedit.h"
#include "masks/ui/zaexport.h"
#include "payment/ui/formprnlastschrift.h"
#include "payment/ui/formprnnachnahme.h"
#include "payment/ui/formprnueberweisung.h"
#include "platform/ordner.h"
#include "platform/ui/desktopplattform.h"
#include "platform/ui/hilfefenster.h"
#include "printing/ui/druckereinrichtung.h"
#include "printing/ui/listendruck.h"
#include "printing/ui/printerset.h"
#include "printing/ui/umschlag.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QWindow>

#include <functional>
#include <memory>

using namespace main_test;
using zadressbuch::Main;
using zplatform::HilfeFenster;

namespace {

// The scripted platform on a desktop without a web browser: documents open
// in the program's own help window.
class OhneBrowser : public TestPlattform
{
public:
    bool dokumentOeffnen(const QString& pfad, const QString& anker) override
    {
        TestPlattform::dokumentOeffnen(pfad, anker);
        return m_desktop.dokumentOeffnen(pfad, anker);
    }
    // With echteEingaben the input boxes are the desktop's, for a person to answer.
    QString eingabeMitHilfe(const QString& prompt, const QString& titel, const QString& vorgabe,
                            const zplatform::HilfeAufruf& hilfe, bool* abgebrochen) override
    {
        if (echteEingaben)
            return m_desktop.eingabeMitHilfe(prompt, titel, vorgabe, hilfe, abgebrochen);
        return TestPlattform::eingabeMitHilfe(prompt, titel, vorgabe, hilfe, abgebrochen);
    }
    bool echteEingaben = false;
    // With echteMeldungen the message boxes are the desktop's, for a person to answer.
    int meldungMitHilfe(const QString& text, int stil, const QString& titel, const zplatform::HilfeAufruf& hilfe,
                        zplatform::Schliessantwort schliessen) override
    {
        if (echteMeldungen)
            return m_desktop.meldungMitHilfe(text, stil, titel, hilfe, schliessen);
        return TestPlattform::meldungMitHilfe(text, stil, titel, hilfe, schliessen);
    }
    bool echteMeldungen = false;

private:
    zplatform::DesktopPlattform m_desktop;
};

// The first start's program folder with the shipped help document.
class HilfeTest : public MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        erstausstattung();
        adressdatei({zeile({{1, u"Meier"_s},
                            {4, u"12345"_s},
                            {5, u"Musterstadt"_s},
                            {7, u"030 1234"_s},
                            {18, u"10070000"_s},
                            {19, u"Musterbank"_s},
                            {23, u"1"_s}})});
    }
    void TearDown() override
    {
        if (HilfeFenster* h = HilfeFenster::offen()) {
            // Under a window manager the help is closed once it has come up,
            // and the next test starts after it has lost the focus.
            if (nutzer::unterX11() && h->isVisible()) {
                EXPECT_TRUE(QTest::qWaitForWindowExposed(h));
            }
            h->hide();
            if (nutzer::unterX11()) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() != h->windowHandle(); }, 5000));
            }
        }
        MainFensterTest::TearDown();
    }
    QString hilfe(int thema) const { return wurzel.programm() + u"/Zettlora.html#thema"_s + QString::number(thema); }
};

// ... with the help window of the program (no desktop opener on PATH).
class HilfeFensterTest : public HilfeTest
{
protected:
    QTemporaryDir leer;
    QByteArray pfad = qgetenv("PATH");
    std::unique_ptr<OhneBrowser> desktop;

    void SetUp() override
    {
        HilfeTest::SetUp();
        delete HilfeFenster::offen(); // each test starts as a new run: no help, no place kept
        qputenv("PATH", QFile::encodeName(leer.path()));
        desktop = std::make_unique<OhneBrowser>();
    }
    void TearDown() override
    {
        HilfeTest::TearDown();
        desktop.reset();
        zplatform::plattformSetzen(&plattform);
        qputenv("PATH", pfad);
    }
};

HilfeFenster* hilfeSichtbar()
{
    HilfeFenster* h = nullptr;
    const bool da = QTest::qWaitFor(
        [&] {
            h = HilfeFenster::offen();
            return h && h->isVisible();
        },
        5000);
    return da ? h : nullptr;
}

// The line at the top of what the help shows.
QString obersteZeile(const HilfeFenster& h)
{
    return h.Anzeige->cursorForPosition(QPoint(h.Anzeige->viewport()->width() / 2, 2)).block().text();
}

// The heading of the section with the anchor (an invalid block when the document has none).
QTextBlock kopfBlock(const HilfeFenster& h, const QString& anker)
{
    for (QTextBlock b = h.Anzeige->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(anker))
                return b;
    return QTextBlock();
}

// The heading's text ("" when the document has no such section).
QString ueberschrift(const HilfeFenster& h, const QString& anker)
{
    const QTextBlock b = kopfBlock(h, anker);
    return b.isValid() ? b.text() : QString();
}

// True when the help shows the section with the anchor: its heading at the
// top, or, for a section at the end, in view with the document scrolled to its end.
bool zeigtAbschnitt(const HilfeFenster& h, const QString& anker)
{
    const QString kopf = ueberschrift(h, anker);
    if (kopf.isEmpty())
        return false;
    if (obersteZeile(h) == kopf)
        return true;
    // The heading itself, not a line of the contents with the same text.
    const QScrollBar* leiste = h.Anzeige->verticalScrollBar();
    const int y = h.Anzeige->cursorRect(QTextCursor(kopfBlock(h, anker))).top();
    return leiste->value() == leiste->maximum() && y >= 0 && y < h.Anzeige->viewport()->height();
}

int rollstand(const HilfeFenster& h)
{
    return h.Anzeige->verticalScrollBar()->value();
}

// The help shows more of the text further down than it did at vorher.
bool weiterGerollt(const HilfeFenster& h, int vorher)
{
    return QTest::qWaitFor([&] { return rollstand(h) > vorher; }, 5000);
}

// PageDown pressed in the help (which has the focus): true when the text scrolled down.
bool seiteWeiter(HilfeFenster& h)
{
    const int vorher = rollstand(h);
    if (vorher == h.Anzeige->verticalScrollBar()->maximum())
        return false;
    nutzer::taste(h, Qt::Key_PageDown);
    return weiterGerollt(h, vorher);
}

// A click on the help's edge, where it has no control: it gives the help the focus.
void hilfeAnklicken(HilfeFenster& h)
{
    nutzer::klicken(h, QPoint(2, h.height() / 2));
}

// Where the first link to ziel below the top of the view stands, in the
// help window's own coordinates; PageDown (as the user presses it) brings it
// into view first. A null point when there is none.
QPoint verweisImBild(HilfeFenster& h, const QString& ziel)
{
    QTextBrowser& b = *h.Anzeige;
    for (int versuch = 0; versuch < 20; ++versuch) {
        const int oben = b.cursorForPosition(QPoint(0, 0)).position();
        for (QTextBlock block = b.document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.position() < oben || f.charFormat().anchorHref() != ziel)
                    continue;
                QTextCursor c(b.document());
                c.setPosition(f.position() + 1);
                const QRect zeile = b.cursorRect(c);
                if (zeile.bottom() >= b.viewport()->height())
                    goto weiter; // below the view, or cut at its bottom
                // A line cut at the top of the view: the part in view, when there is enough of it.
                const QRect r = zeile & b.viewport()->rect();
                if (r.height() < 4)
                    continue;
                return b.viewport()->mapTo(&h, r.center());
            }
    weiter:
        seiteWeiter(h);
    }
    return QPoint();
}

// A point of the scroll bar's groove below its handle, in the help window's coordinates.
QPoint unterDemGriff(HilfeFenster& h)
{
    QScrollBar* leiste = h.Anzeige->verticalScrollBar();
    QStyleOptionSlider opt;
    opt.initFrom(leiste);
    opt.orientation = leiste->orientation();
    opt.minimum = leiste->minimum();
    opt.maximum = leiste->maximum();
    opt.sliderPosition = leiste->sliderPosition();
    opt.sliderValue = leiste->value();
    opt.singleStep = leiste->singleStep();
    opt.pageStep = leiste->pageStep();
    opt.subControls = QStyle::SC_All;
    const QRect rille =
        leiste->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarAddPage, leiste);
    return leiste->mapTo(&h, rille.center());
}

// F1 pressed where the user types: in the window that has the focus.
void f1Druecken(QWidget& fenster)
{
    nutzer::taste(fenster, Qt::Key_F1);
}

// A click on a control of the help.
void klicken(HilfeFenster& h, QWidget* knopf)
{
    nutzer::klicken(h, knopf->mapTo(&h, knopf->rect().center()));
}

// The window the program names active is w (waiting for the window system).
bool aktiv(const QWidget& w)
{
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &w; }, 5000);
}

// The window brought to the front by the user and F1 pressed in it: the help
// it shows, or nullptr (with the step that failed).
HilfeFenster* hilfeMitF1(QWidget& fenster)
{
    nutzer::nachVorneHolen(fenster);
    if (!aktiv(fenster)) {
        ADD_FAILURE() << "the window did not come to the front";
        return nullptr;
    }
    f1Druecken(fenster);
    return hilfeSichtbar();
}

// The area of a that covers b.
qint64 bedeckt(const QRect& a, const QRect& b)
{
    const QRect s = a & b;
    return s.isEmpty() ? 0 : qint64(s.width()) * s.height();
}

std::string rechteck(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

// The help h beside the window w (waiting for the window system): covering
// nothing of it where the screen leaves room (500 pixels to a side, or 400
// above or below), else at most hoechstens of it.
::testing::AssertionResult nebenDemFenster(const QWidget& h, const QWidget& w, qint64 hoechstens)
{
    const QRect s = w.screen()->availableGeometry(), f = w.windowHandle()->frameGeometry();
    const bool raum = qMax(f.left() - s.left(), s.right() - f.right()) >= 500 ||
                      qMax(f.top() - s.top(), s.bottom() - f.bottom()) >= 400;
    const auto jetzt = [&] { return bedeckt(h.windowHandle()->frameGeometry(), w.windowHandle()->frameGeometry()); };
    if (QTest::qWaitFor([&] { return jetzt() <= (raum ? 0 : hoechstens); }, 5000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the help " << rechteck(h.windowHandle()->frameGeometry())
                                         << " covers the window " << rechteck(f)
                                         << (raum ? " with room beside it" : "");
}

// Whether the help stands in front of a window, as the user sees it. Under a
// window manager: the stacking order it keeps. Offscreen, where windows are
// not stacked, what can be seen is the program's request to raise the help,
// which that platform reports each time it cannot follow it: there the help
// counts as brought to the front when a request came since the last question.
class Vorne
{
public:
    Vorne()
    {
        s_vorher = qInstallMessageHandler(&Vorne::melden);
        s_mal = 0;
    }
    ~Vorne() { qInstallMessageHandler(s_vorher); }
    bool hilfeUeber(const HilfeFenster& h, const QWidget& fenster)
    {
        if (nutzer::unterX11())
            return QTest::qWaitFor([&] { return nutzer::ueberX11(h, fenster); }, 5000);
        const bool angehoben = s_mal > m_gesehen;
        m_gesehen = s_mal;
        return angehoben;
    }

private:
    int m_gesehen = 0;
    static void melden(QtMsgType typ, const QMessageLogContext& ort, const QString& text)
    {
        if (text.contains(u"support raise()"_s))
            ++s_mal;
        else if (s_vorher)
            s_vorher(typ, ort, text);
    }
    static inline QtMessageHandler s_vorher = nullptr;
    static inline int s_mal = 0;
};

} // namespace

// F1 in the settings dialog, shown modally from the menu: the help comes up in
// front of the dialog at the settings' section; keys and clicks (delivered
// through the window system, where a blocked window gets none) scroll it and
// follow a link while the dialog stays open; Esc returns to the dialog; after
// the dialog has closed the help stays in front of the main window.
TEST_F(HilfeFensterTest, F1ImModalenDialog_X11)
{
    Main& m = starten();
    bool gezeigt = false;
    amDialog<zbefehle::Setup>([&](zbefehle::Setup& s) {
        gezeigt = true;
        [&] {
            ASSERT_TRUE(aktiv(s));
            Vorne vorne;
            f1Druecken(s);
            HilfeFenster* h = hilfeSichtbar();
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(h->besitzer(), &s);
            EXPECT_EQ(h->windowHandle()->transientParent(), s.windowHandle()) << "in front of the dialog";
            EXPECT_TRUE(vorne.hilfeUeber(*h, s)) << "in front of the dialog";
            EXPECT_TRUE(aktiv(*h));
            EXPECT_EQ(QGuiApplication::modalWindow(), s.windowHandle()) << "the dialog stays modal";
            EXPECT_EQ(h->Anzeige->source().fragment(), u"einstellungen"_s);
            EXPECT_EQ(obersteZeile(*h), u"Einstellungen"_s);

            // Scrolled by a key and by a click into the scroll bar below its handle.
            EXPECT_TRUE(seiteWeiter(*h));
            const int vorher = rollstand(*h);
            nutzer::klicken(*h, unterDemGriff(*h));
            EXPECT_TRUE(weiterGerollt(*h, vorher));

            // A link followed with the mouse.
            const QPoint verweis = verweisImBild(*h, u"#inhalt"_s);
            ASSERT_FALSE(verweis.isNull());
            nutzer::klicken(*h, verweis);
            EXPECT_TRUE(QTest::qWaitFor([&] { return h->Anzeige->source().fragment() == u"inhalt"_s; }, 5000));
            EXPECT_EQ(obersteZeile(*h), u"Inhalt"_s);
            EXPECT_TRUE(s.isVisible());

            // Esc closes the help and returns to the dialog; F1 brings it back at the section.
            nutzer::taste(*h, Qt::Key_Escape);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000));
            EXPECT_TRUE(aktiv(s));
            f1Druecken(s);
            ASSERT_EQ(hilfeSichtbar(), h);
            EXPECT_EQ(obersteZeile(*h), u"Einstellungen"_s);
        }();
        s.BefOk->click();
    });
    m.aktion(u"mnuSetup"_s)->trigger();
    ASSERT_TRUE(gezeigt);

    HilfeFenster* h = HilfeFenster::offen();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->isVisible()) << "the help stays open after the dialog";
    EXPECT_TRUE(QTest::qWaitForWindowExposed(h)) << "the help shows on the screen";
    EXPECT_EQ(h->besitzer(), &m);
    EXPECT_EQ(h->windowHandle()->transientParent(), m.windowHandle()) << "now in front of the main window";
    hilfeAnklicken(*h);
    nutzer::taste(*h, Qt::Key_Escape);
    EXPECT_TRUE(aktiv(m));
}

// F1 in the print options opens the help at their topic, in front of them.
TEST_F(HilfeFensterTest, F1InDenDruckoptionen)
{
    Main& m = starten();
    zdruck::PrinterSet& d = zdruck::PrinterSet::laden(&m);
    bool gezeigt = false;
    amDialog<zdruck::PrinterSet>([&](zdruck::PrinterSet& p) {
        gezeigt = true;
        [&] {
            ASSERT_TRUE(aktiv(p));
            f1Druecken(p);
            HilfeFenster* h = hilfeSichtbar();
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(h->besitzer(), &p);
            EXPECT_TRUE(aktiv(*h));
            EXPECT_EQ(h->Anzeige->source().fragment(), u"thema3005"_s);
            EXPECT_EQ(obersteZeile(*h), u"Das Fenster „Drucken“ (Druck-Optionen)"_s);
            EXPECT_TRUE(p.isVisible());
        }();
        p.befAbbrechen->click();
    });
    d.exec();
    EXPECT_TRUE(gezeigt);
    zdruck::PrinterSet::entladen();
}

// The help opened in the main window before a modal dialog (Ctrl+I, the
// import): the help goes over to the dialog and stays usable while it is open
// (a click into the scroll bar, keys, a link and "Schließen", delivered through
// the window system, where a blocked window gets none). A click into the
// dialog leaves the help in front of it and the focus with the dialog.
// After the dialog the help stands in front of the main window again, at the
// place the user moved it to (or beside the dialog, where that place covered
// the dialog).
TEST_F(HilfeFensterTest, HilfeVorDemModalenDialogBleibtBenutzbar_X11)
{
    Main& m = starten();
    HilfeFenster* h = hilfeMitF1(m);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->besitzer(), &m);
    // Moved by the user, towards the middle of the screen (a window manager
    // would push it back onto the screen): the window manager reports the new place.
    const QPoint mitte = h->screen()->availableGeometry().center();
    const QPoint alt = h->windowHandle()->position();
    const QPoint platz = alt + QPoint(alt.x() < mitte.x() ? 41 : -41, alt.y() < mitte.y() ? 27 : -27);
    h->windowHandle()->setPosition(platz);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->geometry().topLeft() == platz; }, 5000));
    // Where the user's place covers the dialog (on a small screen), the help
    // goes beside the dialog and stays there.
    QPoint erwartet = platz;

    for (int runde = 0; runde < 2; ++runde) {
        bool gezeigt = false;
        bool verschoben = false;
        amDialog<zaustausch::AdrImport2>([&](zaustausch::AdrImport2& d) {
            gezeigt = true;
            [&] {
                ASSERT_TRUE(aktiv(d));
                ASSERT_TRUE(h->isVisible());
                EXPECT_EQ(h->besitzer(), &d);
                EXPECT_EQ(h->windowHandle()->transientParent(), d.windowHandle()) << "in front of the dialog";
                EXPECT_EQ(QGuiApplication::modalWindow(), d.windowHandle());
                const QRect amPlatz(erwartet - (h->geometry().topLeft() - h->frameGeometry().topLeft()),
                                    h->frameGeometry().size());
                if (const qint64 dort = bedeckt(amPlatz, d.frameGeometry()); dort > 0) {
                    EXPECT_TRUE(nebenDemFenster(*h, d, dort));
                    verschoben = true;
                } else {
                    EXPECT_EQ(h->windowHandle()->position(), erwartet) << "where the user put it";
                }
                if (runde == 0) {
                    h->Anzeige->verticalScrollBar()->setValue(0);
                    const int vorher = rollstand(*h);
                    nutzer::klicken(*h, unterDemGriff(*h));
                    EXPECT_TRUE(weiterGerollt(*h, vorher)) << "a click reaches the help";
                    EXPECT_TRUE(seiteWeiter(*h)) << "a key reaches the help";
                    const QPoint verweis = verweisImBild(*h, u"#inhalt"_s);
                    ASSERT_FALSE(verweis.isNull());
                    nutzer::klicken(*h, verweis);
                    EXPECT_TRUE(QTest::qWaitFor([&] { return h->Anzeige->source().fragment() == u"inhalt"_s; }, 5000));

                    // The user clicks into the dialog: the help stays on top of it.
                    h->activateWindow();
                    ASSERT_TRUE(aktiv(*h));
                    Vorne vorne;
                    const QPoint inDenDialog = d.lstVorschau->mapTo(&d, QPoint(5, 5));
                    if (nutzer::unterX11()) {
                        ASSERT_FALSE(h->frameGeometry().contains(d.mapToGlobal(inDenDialog)))
                            << "the help covers the place of the click";
                        nutzer::klicken(d, inDenDialog);
                    } else {
                        // What a window manager does at the click.
                        d.windowHandle()->requestActivate();
                    }
                    EXPECT_TRUE(aktiv(d));
                    EXPECT_TRUE(vorne.hilfeUeber(*h, d)) << "raised over the dialog";
                    EXPECT_EQ(QApplication::activeWindow(), &d) << "the focus stays in the dialog";
                    // ... and once more while the dialog has the focus already.
                    nutzer::klicken(d, inDenDialog);
                    EXPECT_TRUE(vorne.hilfeUeber(*h, d)) << "raised over the dialog after a click into it";
                    EXPECT_EQ(QApplication::activeWindow(), &d) << "the focus stays in the dialog";
                } else {
                    klicken(*h, h->befSchliessen);
                    EXPECT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000))
                        << "\"Schließen\" closes the help";
                    EXPECT_TRUE(aktiv(d));
                }
            }();
            // Where it went (the window system has long answered by now).
            if (verschoben)
                erwartet = h->windowHandle()->position();
            d.befAbbrechen->click();
        });
        m.aktion(u"mnuAdrImpListe"_s)->trigger();
        ASSERT_TRUE(gezeigt);
        if (runde == 0) {
            EXPECT_TRUE(h->isVisible()) << "the help stays open after the dialog";
            EXPECT_TRUE(QTest::qWaitForWindowExposed(h)) << "the help shows on the screen";
            EXPECT_EQ(h->besitzer(), &m);
            EXPECT_EQ(h->windowHandle()->transientParent(), m.windowHandle());
            EXPECT_EQ(h->windowHandle()->position(), erwartet);
        }
    }
    EXPECT_FALSE(h->isVisible());
}

// The help open in front of the main window, a click into the main window,
// then the settings from the menu (Alt+W, E): the help goes over to the
// settings and stands in front of them, every time. (A window manager may
// raise the modal window once more after the help has been raised over it.)
TEST_F(HilfeFensterTest, HilfeBleibtVorDemDialogAusDemMenue_X11)
{
    Main& m = starten();
    HilfeFenster* h = hilfeMitF1(m);
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h));
    // A point in the lower half of the main window that the help does not cover.
    const auto frei = [&] {
        for (int y = m.height() * 3 / 4; y > m.height() / 2; y -= 10)
            for (int x = 10; x < m.width() - 10; x += 20)
                if (!h->frameGeometry().contains(m.mapToGlobal(QPoint(x, y))))
                    return QPoint(x, y);
        return QPoint();
    };
    const int runden = nutzer::unterX11() ? 10 : 2;
    for (int runde = 0; runde < runden; ++runde) {
        const QPoint punkt = frei();
        ASSERT_FALSE(punkt.isNull()) << "the help covers the main window";
        nutzer::klicken(m, punkt);
        if (!nutzer::unterX11())
            m.activateWindow(); // what a window manager does at the click
        ASSERT_TRUE(aktiv(m));
        Vorne vorne;
        bool gezeigt = false;
        amDialog<zbefehle::Setup>([&](zbefehle::Setup& s) {
            gezeigt = true;
            [&] {
                ASSERT_TRUE(aktiv(s));
                EXPECT_EQ(h->besitzer(), &s);
                EXPECT_TRUE(vorne.hilfeUeber(*h, s)) << "round " << runde << ": the help behind the settings";
                if (nutzer::unterX11()) {
                    // The window manager raises the settings once more, as
                    // when the program asks again to activate them (it does
                    // when the main window, which they block, gets the focus
                    // back from the menu late).
                    // The window manager may restack the settings and the main
                    // window over the help in more than one step (the help
                    // over the settings for a moment, both over the help
                    // again); the program raises the help after each, so
                    // the help is looked for in front of both at once.
                    nutzer::vomFensterverwalterAngehoben(s);
                    EXPECT_TRUE(QTest::qWaitFor(
                        [&] { return nutzer::ueberX11(*h, s) && nutzer::ueberX11(*h, m); }, 5000))
                        << "round " << runde << ": the help behind the settings or the main window";
                }
            }();
            s.BefOk->click();
        });
        nutzer::mitAlt(m, Qt::Key_W);
        nutzer::taste(m, Qt::Key_E);
        ASSERT_TRUE(QTest::qWaitFor([&] { return gezeigt; }, 5000)) << "round " << runde;
        ASSERT_TRUE(QTest::qWaitFor([&] { return h->besitzer() == &m; }, 5000));
        EXPECT_TRUE(h->isVisible());
    }
}

// F1 in every dialog of the program opens the help at a section of its own,
// which the shipped document has, in front of that dialog.
TEST_F(HilfeFensterTest, F1InJedemDialog_X11)
{
    Main& m = starten();
    using Fabrik = std::function<std::unique_ptr<QWidget>()>;
    const auto karte = [&m] {
        std::array<QString, 24> k;
        for (int i = 0; i < 24; ++i)
            k[size_t(i)] = m.FeldText(i);
        return k;
    };
    const std::vector<std::pair<QString, Fabrik>> dialoge = {
        {u"auswahl"_s, [&] { return std::make_unique<zadressbuch::Auswahl>(&m); }},
        {u"name-vorhanden"_s, [&] { return std::make_unique<zbefehle::MsgDoppelt>(&m); }},
        {u"schriftart"_s, [&] { return std::make_unique<zbefehle::SchriftDialog>(u"Arial;8;0;0;0;0"_s, 4, 16, &m); }},
        {u"sonderzeichen"_s, [&] { return std::make_unique<zbefehle::Sonderzeichen>(&m); }},
        {u"zoom"_s, [&] { return std::make_unique<zbefehle::ZoomText>(&m, 1); }},
        {u"maskeneditor"_s, [&] { return std::make_unique<zmasken::MaskenEdit>(&m); }},
        {u"anschrift-zwischenablage"_s, [&] { return std::make_unique<zmasken::ZAexport>(&m); }},
        {u"lastschrift"_s, [&] { return std::make_unique<zzahlung::FormPrnLastschrift>(karte(), QString(), &m); }},
        {u"nachnahme"_s, [&] { return std::make_unique<zzahlung::FormPrnNachnahme>(karte(), QString(), &m); }},
        {u"ueberweisung"_s, [&] { return std::make_unique<zzahlung::FormPrnUeberweisung>(&m); }},
        {u"adressenliste"_s, [&] { return std::make_unique<zdruck::Listendruck>(&m); }},
        {u"umschlag"_s, [&] { return std::make_unique<zdruck::Umschlag>(&m); }},
        {u"druckereinrichtung"_s, [&] { return std::make_unique<zdruck::Druckereinrichtung>(&m); }},
    };
    QStringList ueberschriften;
    const auto pruefen = [&](QWidget& d, const QString& anker) {
        d.show();
        ASSERT_TRUE(aktiv(d)) << anker.toStdString();
        Vorne vorne;
        f1Druecken(d);
        HilfeFenster* h = hilfeSichtbar();
        ASSERT_NE(h, nullptr) << anker.toStdString();
        EXPECT_EQ(h->besitzer(), &d) << anker.toStdString();
        EXPECT_TRUE(vorne.hilfeUeber(*h, d)) << anker.toStdString();
        EXPECT_EQ(h->Anzeige->source().fragment(), anker);
        const QString kopf = ueberschrift(*h, anker);
        EXPECT_FALSE(kopf.isEmpty()) << "no section " << anker.toStdString();
        EXPECT_TRUE(zeigtAbschnitt(*h, anker)) << anker.toStdString();
        EXPECT_FALSE(ueberschriften.contains(kopf)) << anker.toStdString();
        ueberschriften << kopf;

        // Esc closes the help and returns to the dialog; then the dialog
        // closes and the main window has the focus again.
        ASSERT_TRUE(aktiv(*h)) << anker.toStdString();
        nutzer::taste(*h, Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000)) << anker.toStdString();
        ASSERT_TRUE(aktiv(d)) << anker.toStdString();
        d.hide();
        if (!nutzer::unterX11())
            m.activateWindow(); // what a window manager does when the dialog has gone
        ASSERT_TRUE(aktiv(m)) << anker.toStdString();
    };
    for (const auto& [anker, fabrik] : dialoge) {
        std::unique_ptr<QWidget> d = fabrik();
        pruefen(*d, anker);
    }
    // The file chooser stays loaded between uses.
    pruefen(zbefehle::File::instanz(), u"dateiauswahl"_s);
}

// Every topic number that a window or a box asks for opens a section of its
// own, whose heading the help shows at its top.
TEST_F(HilfeFensterTest, JedesThemaHatSeinenAbschnitt)
{
    starten();
    QStringList ueberschriften;
    for (int thema : {3005, 4002, 4004, 4007, 9911}) {
        ASSERT_TRUE(zcommon::Hilfe_Zeigen(thema)) << thema;
        HilfeFenster* h = hilfeSichtbar();
        ASSERT_NE(h, nullptr);
        const QString anker = u"thema"_s + QString::number(thema);
        EXPECT_EQ(h->Anzeige->source().fragment(), anker);
        const QString kopf = ueberschrift(*h, anker);
        EXPECT_FALSE(kopf.isEmpty()) << thema;
        EXPECT_TRUE(zeigtAbschnitt(*h, anker)) << thema << " " << obersteZeile(*h).toStdString();
        EXPECT_FALSE(ueberschriften.contains(kopf)) << thema;
        ueberschriften << kopf;
        EXPECT_EQ(desktop->geoeffneteAdressen.back(), hilfe(thema));
    }
    // Without a topic: the start of the help.
    ASSERT_TRUE(zcommon::Hilfe_Zeigen());
    EXPECT_EQ(rollstand(*HilfeFenster::offen()), 0);
}

// The help opens beside the window that asked for it where the screen has
// room, so that it covers nothing of the question it explains: F1 in the
// dialing dialog, which the user has moved to the top of the screen. Opened
// again, it stands where it stood.
TEST_F(HilfeFensterTest, HilfeOeffnetNebenDemFragendenFenster)
{
    delete HilfeFenster::offen(); // as in a new run: the help has never been placed
    Main& m = starten();
    bool gezeigt = false;
    amDialog<zaustausch::Telewahl>([&](zaustausch::Telewahl& d) {
        gezeigt = true;
        [&] {
            ASSERT_TRUE(aktiv(d));
            // The frames as the window system reports them.
            const QRect schirm = d.screen()->availableGeometry();
            QWindow& dialogFenster = *d.windowHandle();
            dialogFenster.setFramePosition(QPoint(dialogFenster.frameGeometry().x(), schirm.top()));
            ASSERT_TRUE(QTest::qWaitFor([&] { return dialogFenster.frameGeometry().top() == schirm.top(); }, 5000));
            f1Druecken(d);
            HilfeFenster* h = hilfeSichtbar();
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(h->besitzer(), &d);
            ASSERT_TRUE(aktiv(*h));
            QWindow& hilfeFenster = *h->windowHandle();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !hilfeFenster.frameMargins().isNull(); }, 5000))
                << "the window system has not framed the help";
            const QRect hilfe = hilfeFenster.frameGeometry();
            const QRect innen = hilfeFenster.geometry();
            const QRect dialog = dialogFenster.frameGeometry();
            const auto text = [](const QRect& r) {
                return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
            };
            EXPECT_FALSE(hilfe.intersects(dialog))
                << "the help " << text(hilfe) << " covers the dialog " << text(dialog);
            EXPECT_TRUE(schirm.contains(hilfe)) << "the help " << text(hilfe) << " leaves the screen " << text(schirm);

            nutzer::taste(*h, Qt::Key_Escape);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000));
            ASSERT_TRUE(aktiv(d));
            f1Druecken(d);
            ASSERT_EQ(hilfeSichtbar(), h);
            EXPECT_EQ(hilfeFenster.geometry(), innen) << "opened again where it stood";
        }();
        d.befAbbrechen->click();
    });
    m.aktion(u"PulTeleWaehlen"_s)->trigger();
    ASSERT_TRUE(gezeigt);
}

// The help that the program placed opens beside each window that asks for
// it anew, also where that window stands on the help's last place: F1 in the
// settings, F1 in the address list's print dialog, the Help button of the
// "Statistik, Adressen mit..." box. Each asks after the help has stood beside
// the main window (F1 there). Where the screen leaves room beside the window
// (500 pixels to a side, or 400 above or below), the help covers nothing of
// it; else it covers no more of it than it did where it stood.
TEST_F(HilfeFensterTest, HilfeNebenJedemFragendenFenster_X11)
{
    delete HilfeFenster::offen(); // as in a new run: never moved by the user
    Main& m = starten();
    desktop->echteEingaben = true;
    struct Fall
    {
        const char* was;
        QString befehl;
        QString knopf; // the control the help must not cover
        bool mitF1;    // else the box's "&Hilfe" (Alt+H)
    };
    const Fall faelle[] = {
        {"settings", u"mnuSetup"_s, u"BefOk"_s, true},
        {"address list", u"PulListe"_s, u"BefAuswahl_2"_s, true},
        {"Statistik box", u"mnuStatistikFeldSuche"_s, u"befHilfe"_s, false},
    };
    for (const Fall& f : faelle) {
        // The help beside the main window, closed again.
        HilfeFenster* h = hilfeMitF1(m);
        ASSERT_NE(h, nullptr) << f.was;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(h));
        ASSERT_TRUE(aktiv(*h)) << f.was;
        const QRect alt = h->frameGeometry();
        nutzer::taste(*h, Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000)) << f.was;
        ASSERT_TRUE(aktiv(m)) << f.was;

        bool gezeigt = false;
        wennOffen([&](QWidget* fenster) {
            gezeigt = true;
            QWidget& d = *fenster;
            [&] {
                ASSERT_TRUE(aktiv(d)) << f.was;
                // The window stands where the help stood (as far as the screen allows).
                const QRect schirm = d.screen()->availableGeometry();
                QWindow& dw = *d.windowHandle();
                const QRect rahmen = dw.frameGeometry();
                const QPoint ziel(alt.center().x() < schirm.center().x() ? schirm.left()
                                                                         : schirm.right() + 1 - rahmen.width(),
                                  qBound(schirm.top(), alt.top(), schirm.bottom() + 1 - rahmen.height()));
                dw.setFramePosition(ziel);
                ASSERT_TRUE(QTest::qWaitFor([&] { return dw.frameGeometry().topLeft() == ziel; }, 5000)) << f.was;
                const QRect dialog = dw.frameGeometry();
                const qint64 vorher = bedeckt(alt, dialog);
                ASSERT_GT(vorher, 0) << f.was << ": the help " << rechteck(alt) << " never stood on "
                                     << rechteck(dialog);
                const bool raum = qMax(dialog.left() - schirm.left(), schirm.right() - dialog.right()) >= 500 ||
                                  qMax(dialog.top() - schirm.top(), schirm.bottom() - dialog.bottom()) >= 400;

                auto* knopf = d.findChild<QWidget*>(f.knopf);
                ASSERT_NE(knopf, nullptr) << f.was;
                if (f.mitF1)
                    f1Druecken(d);
                else
                    nutzer::mitAlt(d, Qt::Key_H);
                ASSERT_EQ(hilfeSichtbar(), h) << f.was;
                EXPECT_EQ(h->besitzer(), &d) << f.was;
                EXPECT_TRUE(QTest::qWaitFor(
                    [&] {
                        const qint64 jetzt = bedeckt(h->frameGeometry(), dialog);
                        return raum ? jetzt == 0 : jetzt <= vorher;
                    },
                    5000))
                    << f.was << ": the help " << rechteck(h->frameGeometry()) << " covers the window "
                    << rechteck(dialog) << (raum ? " with room beside it" : "");
                if (raum) {
                    EXPECT_FALSE(h->frameGeometry().intersects(QRect(knopf->mapToGlobal(QPoint()), knopf->size())))
                        << f.was << ": the help covers " << f.knopf.toStdString();
                }
                EXPECT_TRUE(schirm.contains(h->frameGeometry())) << f.was << ": " << rechteck(h->frameGeometry());
                // ... and shows the window's section, however wide it stands there.
                EXPECT_TRUE(zeigtAbschnitt(*h, h->Anzeige->source().fragment()))
                    << f.was << ": " << obersteZeile(*h).toStdString();

                ASSERT_TRUE(aktiv(*h)) << f.was;
                nutzer::taste(*h, Qt::Key_Escape);
                ASSERT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000)) << f.was;
                ASSERT_TRUE(aktiv(d)) << f.was;
            }();
            if (auto* dialog = qobject_cast<QDialog*>(&d))
                dialog->reject();
        });
        m.aktion(f.befehl)->trigger();
        ASSERT_TRUE(gezeigt) << f.was;
        if (!nutzer::unterX11())
            m.activateWindow(); // what a window manager does when the dialog has gone
    }
}

// The help, still open beside the main window, placed beside a window that
// leaves it less room (the settings, the address list's print dialog, in the
// middle of the screen or at its left edge): narrower there, it shows the
// window's section at its top.
TEST_F(HilfeFensterTest, SchmalerPlatzierteHilfeZeigtDenAbschnitt_X11)
{
    delete HilfeFenster::offen(); // as in a new run: never moved by the user
    Main& m = starten();
    struct Fall
    {
        const char* was;
        QString befehl;
        bool mitte; // else at the left edge
    };
    const Fall faelle[] = {{"settings in the middle", u"mnuSetup"_s, true},
                           {"address list in the middle", u"PulListe"_s, true},
                           {"settings at the left edge", u"mnuSetup"_s, false},
                           {"address list at the left edge", u"PulListe"_s, false}};
    int schmaler = 0;
    for (const Fall& f : faelle) {
        const char* was = f.was;
        HilfeFenster* h = hilfeMitF1(m);
        ASSERT_NE(h, nullptr) << was;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(h));
        const int breite = h->width();
        const QUrl vorher = h->Anzeige->source();
        bool gezeigt = false;
        wennOffen([&](QWidget* fenster) {
            gezeigt = true;
            QWidget& d = *fenster;
            [&] {
                ASSERT_TRUE(aktiv(d)) << was;
                ASSERT_TRUE(h->isVisible()) << was;
                QWindow& dw = *d.windowHandle();
                const QRect schirm = d.screen()->availableGeometry();
                QPoint ziel = schirm.center() - dw.frameGeometry().center() + dw.frameGeometry().topLeft();
                if (!f.mitte)
                    ziel.setX(schirm.left());
                dw.setFramePosition(ziel);
                ASSERT_TRUE(QTest::qWaitFor([&] { return dw.frameGeometry().topLeft() == ziel; }, 5000)) << was;
                f1Druecken(d);
                ASSERT_TRUE(QTest::qWaitFor([&] { return h->Anzeige->source() != vorher && h->isVisible(); }, 5000))
                    << was;
                EXPECT_EQ(h->besitzer(), &d) << was;
                ASSERT_TRUE(QTest::qWaitForWindowExposed(h));
                if (h->width() < breite)
                    ++schmaler;
                const QString anker = h->Anzeige->source().fragment();
                EXPECT_TRUE(QTest::qWaitFor([&] { return zeigtAbschnitt(*h, anker); }, 2000))
                    << was << ": " << h->width() << " wide (was " << breite << "), the top line \""
                    << obersteZeile(*h).toStdString() << "\"";
                ASSERT_TRUE(aktiv(*h)) << was;
                nutzer::taste(*h, Qt::Key_Escape);
                ASSERT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000)) << was;
            }();
            if (auto* dialog = qobject_cast<QDialog*>(&d))
                dialog->reject();
        });
        m.aktion(f.befehl)->trigger();
        ASSERT_TRUE(gezeigt) << was;
        if (!nutzer::unterX11())
            m.activateWindow(); // what a window manager does when the dialog has gone
    }
    EXPECT_GT(schmaler, 0) << "the help was never placed narrower";
}

// A help that the user has moved stays where the user put it when it is
// asked for again, by any window (here the settings and then the main
// window again); one the program placed goes beside the next window.
TEST_F(HilfeFensterTest, VerschobeneHilfeBleibtWoDerNutzerSieHinstellte_X11)
{
    delete HilfeFenster::offen(); // as in a new run: never moved by the user
    Main& m = starten();
    HilfeFenster* h = hilfeMitF1(m);
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h));
    ASSERT_TRUE(aktiv(*h));
    // The user moves it, towards the middle of the screen; the window system reports the new place.
    const QPoint mitte = h->screen()->availableGeometry().center();
    const QPoint alt = h->windowHandle()->position();
    const QPoint platz = alt + QPoint(alt.x() < mitte.x() ? 37 : -37, alt.y() < mitte.y() ? 23 : -23);
    h->windowHandle()->setPosition(platz);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->geometry().topLeft() == platz; }, 5000));
    nutzer::taste(*h, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000));
    ASSERT_TRUE(aktiv(m));

    bool gezeigt = false;
    amDialog<zbefehle::Setup>([&](zbefehle::Setup& s) {
        gezeigt = true;
        [&] {
            ASSERT_TRUE(aktiv(s));
            f1Druecken(s);
            ASSERT_EQ(hilfeSichtbar(), h);
            EXPECT_EQ(h->besitzer(), &s);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(h));
            EXPECT_EQ(h->geometry().topLeft(), platz) << "the settings asked";
            ASSERT_TRUE(aktiv(*h));
            nutzer::taste(*h, Qt::Key_Escape);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000));
        }();
        s.BefOk->click();
    });
    m.aktion(u"mnuSetup"_s)->trigger();
    ASSERT_TRUE(gezeigt);
    nutzer::nachVorneHolen(m);
    ASSERT_TRUE(aktiv(m));
    f1Druecken(m);
    ASSERT_EQ(hilfeSichtbar(), h);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h));
    EXPECT_EQ(h->geometry().topLeft(), platz) << "the main window asked again";
}

// A window that opens over a help the user dragged there (the question of
// Ctrl+Y, the settings by Alt+W E) is not covered: the help goes beside it and
// in front of it, the keys go to the window. A help put where no window opens
// (small, in the screen's corner) stays there.
TEST_F(HilfeFensterTest, VerschobeneHilfeVerdecktKeinNeuesFenster_X11)
{
    Main& m = starten();
    desktop->echteMeldungen = true;
    const auto strgY = [&m] { nutzer::mitStrg(m, Qt::Key_Y); };
    const auto altWE = [&m] {
        nutzer::mitAlt(m, Qt::Key_W);
        nutzer::taste(m, Qt::Key_E);
    };
    const struct
    {
        const char* was;
        std::function<void()> oeffnen;
        QString titel;
        bool ueberDieMitte; // else in the corner
        bool frage;         // a Yes/No question, answered with Alt+N; else Esc closes the window
    } faelle[] = {{"Ctrl+Y", strgY, u"Adresse löschen?"_s, true, true},
                  {"Alt+W E", altWE, u"Einstellungen"_s, true, false},
                  {"Ctrl+Y, the help in the corner", strgY, u"Adresse löschen?"_s, false, true}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.was);
        delete HilfeFenster::offen(); // as in a new run: placed beside the main window
        HilfeFenster* h = hilfeMitF1(m);
        ASSERT_TRUE(h && QTest::qWaitForWindowExposed(h));
        const QRect platz = f.ueberDieMitte
                                ? QRect(m.frameGeometry().center() - h->rect().center(), h->size())
                                : QRect(h->screen()->availableGeometry().topLeft() + QPoint(10, 40), QSize(300, 140));
        h->windowHandle()->setGeometry(platz); // dragged there by the user
        ASSERT_TRUE(QTest::qWaitFor([&] { return h->geometry() == platz; }, 5000));
        const QRect vorher = h->windowHandle()->frameGeometry();
        nutzer::nachVorneHolen(m);
        ASSERT_TRUE(aktiv(m));
        const int adressen = zadressbuch::adressliste().ListCount();
        bool gezeigt = false;
        wennOffen([&](QWidget* w) {
            gezeigt = true;
            [&] {
                EXPECT_EQ(w->windowTitle(), f.titel);
                ASSERT_TRUE(aktiv(*w)) << "the keys go to the new window";
                const qint64 zuerst = bedeckt(vorher, w->windowHandle()->frameGeometry());
                ASSERT_EQ(zuerst > 0, f.ueberDieMitte) << rechteck(vorher) << " " << rechteck(w->frameGeometry());
                if (f.ueberDieMitte)
                    EXPECT_TRUE(nebenDemFenster(*h, *w, zuerst - 1));
                else
                    EXPECT_EQ(rechteck(h->windowHandle()->frameGeometry()), rechteck(vorher)) << "where it stood";
                EXPECT_TRUE(!nutzer::unterX11() || QTest::qWaitFor([&] { return nutzer::ueberX11(*h, *w); }, 5000))
                    << "the help in front of the window";
                EXPECT_EQ(QApplication::activeWindow(), w) << "the keys go to the new window";
            }();
            if (f.frage)
                nutzer::mitAlt(*w, Qt::Key_N);
            else
                nutzer::taste(*w, Qt::Key_Escape);
        });
        f.oeffnen();
        ASSERT_TRUE(QTest::qWaitFor([&] { return gezeigt && !QApplication::activeModalWidget(); }, 5000));
        EXPECT_EQ(zadressbuch::adressliste().ListCount(), adressen) << "the question answered with \"Nein\"";
        EXPECT_TRUE(h->isVisible());
        h->hide();
        ASSERT_TRUE(!nutzer::unterX11() ||
                    QTest::qWaitFor([&] { return QGuiApplication::focusWindow() != h->windowHandle(); }, 5000));
    }
}

// Every window carries the program's icon, however it is opened, as the main
// window does, and hands it to the window system: the help (F1 without a
// browser), the product information in it ("&Werbung...") and the about box
// ("&Info / AGB...").
TEST_F(HilfeFensterTest, JedesFensterTraegtDasProgrammsymbol)
{
    Main& m = starten();
    const QIcon symbol = m.windowIcon();
    ASSERT_FALSE(symbol.isNull());
    const auto traegtEs = [&](const QWidget& w) {
        return w.windowIcon().cacheKey() == symbol.cacheKey() && w.windowHandle() &&
               w.windowHandle()->icon().cacheKey() == symbol.cacheKey();
    };
    EXPECT_TRUE(traegtEs(m));

    HilfeFenster* h = hilfeMitF1(m);
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(traegtEs(*h)) << "the help";
    EXPECT_TRUE(aktiv(*h));
    nutzer::taste(*h, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h->isVisible(); }, 5000));

    m.aktion(u"PulWerbung"_s)->trigger();
    h = hilfeSichtbar();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(QFileInfo(h->Anzeige->source().toLocalFile()).fileName(), u"werbung.html"_s);
    EXPECT_TRUE(traegtEs(*h)) << "the product information";

    bool gezeigt = false;
    amDialog<zbefehle::Info>([&](zbefehle::Info& i) {
        gezeigt = true;
        EXPECT_TRUE(traegtEs(i)) << "the about box";
        i.befAbbrechen->click();
    });
    m.aktion(u"PulInfo"_s)->trigger();
    EXPECT_TRUE(gezeigt);
}

// The boxes with a Help button: pressing it opens the help at the box's topic
// while the box stays open, and the box then takes its answer.
TEST_F(HilfeTest, HilfeKnoepfeDerMeldungenUndEingaben)
{
    Main& m = starten();
    const int hilfeKnopf = TestPlattform::HilfeKnopf;

    // "Vorgaben setzen" in the settings dialog.
    plattform.antworten << hilfeKnopf << zplatform::vbYes;
    amDialog<zbefehle::Setup>([](zbefehle::Setup& s) {
        s.befVorgabenSave->click();
        s.BefOk->click();
    });
    m.aktion(u"mnuSetup"_s)->trigger();
    ASSERT_FALSE(plattform.meldungen.empty());
    GezeigteMeldung box = plattform.meldungen.back();
    EXPECT_EQ(box.titel, u"Vorgaben setzen"_s);
    EXPECT_TRUE(box.mitHilfe);
    EXPECT_EQ(box.hilfeGeoeffnet, QStringList{hilfe(4007)});
    EXPECT_EQ(box.antwort, zplatform::vbYes);
    EXPECT_EQ(zadressbuch::DateiIni_Lesen(u"Vorgabe_01"_s), u"Meier"_s);

    // The take-over into each catalogue.
    for (const char* befehl : {"mnuUebernahmeBlzBank", "mnuUebernahmePlzOrt", "mnuUebernahmePlzVorwahl"}) {
        plattform.meldungen.clear();
        plattform.antworten << hilfeKnopf << hilfeKnopf << zplatform::vbOK;
        m.aktion(QLatin1String(befehl))->trigger();
        ASSERT_EQ(plattform.meldungen.size(), 2u) << befehl; // the question, then the count
        box = plattform.meldungen.front();
        EXPECT_TRUE(box.mitHilfe) << befehl;
        EXPECT_EQ(box.hilfeGeoeffnet, (QStringList{hilfe(9911), hilfe(9911)})) << befehl;
        EXPECT_EQ(box.antwort, zplatform::vbOK) << befehl;
    }
    EXPECT_EQ(plattform.meldungen.front().titel, u"Vorwahlen übernehmen"_s);

    // "Statistik, Adressen mit..." asks with an input box.
    plattform.meldungen.clear();
    plattform.eingaben << u"<hilfe>"_s << u"meier"_s;
    plattform.antworten << zplatform::vbCancel;
    m.aktion(u"mnuStatistikFeldSuche"_s)->trigger();
    ASSERT_FALSE(plattform.eingabeBoxen.empty());
    GezeigteEingabe eingabe = plattform.eingabeBoxen.back();
    EXPECT_EQ(eingabe.titel, u"Statistik, Adressen mit..."_s);
    EXPECT_TRUE(eingabe.mitHilfe);
    EXPECT_EQ(eingabe.hilfeGeoeffnet, QStringList{hilfe(4002)});
    EXPECT_EQ(eingabe.antwort, u"meier"_s);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.meldungen[0].text.contains(u"1 / 1 Adressen"_s));

    // The sender line of the window-envelope sheet.
    plattform.eingaben << u"<hilfe>"_s << u"Erika Muster"_s;
    m.aktion(u"mnuPrnUmschlagsfenster"_s)->trigger();
    eingabe = plattform.eingabeBoxen.back();
    EXPECT_EQ(eingabe.titel, u"Absenderzeile für Umschlagsfenster"_s);
    EXPECT_EQ(eingabe.hilfeGeoeffnet, QStringList{hilfe(4004)});
    EXPECT_EQ(ini(u"AbsenderZeile_zettlora"_s), u"Erika Muster"_s);

    // The printer-choice switch of the print options (a double-click on the printer's details).
    zdruck::PrinterSet& d = zdruck::PrinterSet::laden(&m);
    plattform.antworten << hilfeKnopf << zplatform::vbOK;
    amDialog<zdruck::PrinterSet>([](zdruck::PrinterSet& p) {
        QTest::mouseDClick(p.bezDrucker, Qt::LeftButton);
        p.befAbbrechen->click();
    });
    d.exec();
    zdruck::PrinterSet::entladen();
    box = plattform.meldungen.back();
    EXPECT_EQ(box.titel, u"Drucker-Auswahl aktiviert"_s);
    EXPECT_EQ(box.hilfeGeoeffnet, QStringList{hilfe(3005)});
    EXPECT_EQ(box.antwort, zplatform::vbOK);
}
