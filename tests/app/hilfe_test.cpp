// The help from every window: F1 in a modal dialog brings the help window up
// in front of that dialog, where it can be scrolled and its links followed
// while the dialog stays open; each topic number opens its own section; and
// every box with a Help button opens the help at its topic and stays open.
#include "addressbook/dateiini.h"
#include "addressbook/main_hilfen.h"
#include "addressbook/ui/auswahl.h"
#include "commands/ui/file.h"
#include "commands/ui/msgdoppelt.h"
#include "commands/ui/schriftdialog.h"
#include "commands/ui/setup.h"
#include "commands/ui/sonderzeichen.h"
#include "commands/ui/zoomtext.h"
#include "exchange/ui/adrimport2.h"
#include "masks/ui/maskenedit.h"
#include "masks/ui/zaexport.h"
#include "payment/ui/formprnlastschrift.h"
#include "payment/ui/formprnnachnahme.h"
#include "payment/ui/formprnueberweisung.h"
#include "common/programme.h"
#include "platform/ordner.h"
#include "platform/ui/desktopplattform.h"
#include "platform/ui/hilfefenster.h"
#include "printing/ui/druckereinrichtung.h"
#include "printing/ui/listendruck.h"
#include "printing/ui/printerset.h"
#include "printing/ui/umschlag.h"
#include "support/dialoghilfe.h"

#include <QDir>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTableWidget>
#include <QStyle>
#include <QStyleOptionSlider>
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
        if (HilfeFenster* h = HilfeFenster::offen())
            h->hide();
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
                const QRect r = b.cursorRect(c);
                if (r.bottom() < b.viewport()->height())
                    return b.viewport()->mapTo(&h, r.center());
                goto weiter;
            }
    weiter:
        QTest::keyClick(h.windowHandle(), Qt::Key_PageDown);
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

int rollstand(const HilfeFenster& h)
{
    return h.Anzeige->verticalScrollBar()->value();
}

// F1 pressed where the user types: in the focused control of the active window.
void f1Druecken(QWidget& fenster)
{
    QWidget* fokus = QApplication::focusWidget();
    QTest::keyClick(fokus && fokus->window() == &fenster ? fokus : &fenster, Qt::Key_F1);
}

// A click on a button of the help, through the window system.
void klicken(HilfeFenster& h, QWidget* knopf)
{
    QTest::mouseClick(h.windowHandle(), Qt::LeftButton, {}, knopf->mapTo(&h, knopf->rect().center()));
}

// Counts the requests to raise a window that reach the window system while it
// lives (the test platform cannot stack windows and says so for each).
class Anheben
{
public:
    Anheben() { s_vorher = qInstallMessageHandler(&Anheben::melden); s_mal = 0; }
    ~Anheben() { qInstallMessageHandler(s_vorher); }
    int mal() const { return s_mal; }

private:
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
TEST_F(HilfeFensterTest, F1ImModalenDialog)
{
    Main& m = starten();
    bool gezeigt = false;
    amDialog<zbefehle::Setup>([&](zbefehle::Setup& s) {
        gezeigt = true;
        [&] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&s));
            QWidget* fokus = QApplication::focusWidget();
            QTest::keyClick(fokus ? fokus : &s, Qt::Key_F1);
            HilfeFenster* h = hilfeSichtbar();
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(h->besitzer(), &s);
            EXPECT_EQ(h->windowHandle()->transientParent(), s.windowHandle()) << "in front of the dialog";
            EXPECT_TRUE(QTest::qWaitForWindowActive(h));
            EXPECT_EQ(QGuiApplication::modalWindow(), s.windowHandle()) << "the dialog stays modal";
            EXPECT_EQ(h->Anzeige->source().fragment(), u"einstellungen"_s);
            EXPECT_EQ(obersteZeile(*h), u"Einstellungen"_s);

            // Scrolled by a key and by a click into the scroll bar below its handle.
            int vorher = rollstand(*h);
            QTest::keyClick(h->windowHandle(), Qt::Key_PageDown);
            EXPECT_GT(rollstand(*h), vorher);
            vorher = rollstand(*h);
            QTest::mouseClick(h->windowHandle(), Qt::LeftButton, {}, unterDemGriff(*h));
            EXPECT_GT(rollstand(*h), vorher);

            // A link followed with the mouse.
            const QPoint verweis = verweisImBild(*h, u"#inhalt"_s);
            ASSERT_FALSE(verweis.isNull());
            QTest::mouseClick(h->windowHandle(), Qt::LeftButton, {}, verweis);
            EXPECT_EQ(h->Anzeige->source().fragment(), u"inhalt"_s);
            EXPECT_EQ(obersteZeile(*h), u"Inhalt"_s);
            EXPECT_TRUE(s.isVisible());

            // Esc closes the help and returns to the dialog; F1 brings it back at the section.
            QTest::keyClick(h->windowHandle(), Qt::Key_Escape);
            EXPECT_FALSE(h->isVisible());
            EXPECT_TRUE(QTest::qWaitForWindowActive(&s));
            EXPECT_EQ(QApplication::activeWindow(), &s);
            fokus = QApplication::focusWidget();
            QTest::keyClick(fokus ? fokus : &s, Qt::Key_F1);
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
    EXPECT_EQ(h->besitzer(), &m);
    EXPECT_EQ(h->windowHandle()->transientParent(), m.windowHandle()) << "now in front of the main window";
    QTest::keyClick(h->windowHandle(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
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
            ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
            QWidget* fokus = QApplication::focusWidget();
            QTest::keyClick(fokus ? fokus : &p, Qt::Key_F1);
            HilfeFenster* h = hilfeSichtbar();
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(h->besitzer(), &p);
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
// (keys, a click into the scroll bar, a link and "Schließen", delivered through
// the window system, where a blocked window gets none). A click into the
// dialog raises the help over it again and leaves the focus with the dialog.
// After the dialog the help stands in front of the main window again, at the
// place the user moved it to.
TEST_F(HilfeFensterTest, HilfeVorDemModalenDialogBleibtBenutzbar)
{
    Main& m = starten();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    f1Druecken(m);
    HilfeFenster* h = hilfeSichtbar();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->besitzer(), &m);
    // Moved by the user: the window manager reports the new place.
    const QPoint platz = h->windowHandle()->position() + QPoint(41, 27);
    h->windowHandle()->setPosition(platz);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->geometry().topLeft() == platz; }, 5000));

    for (int runde = 0; runde < 2; ++runde) {
        bool gezeigt = false;
        amDialog<zaustausch::AdrImport2>([&](zaustausch::AdrImport2& d) {
            gezeigt = true;
            [&] {
                ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
                ASSERT_TRUE(h->isVisible());
                EXPECT_EQ(h->besitzer(), &d);
                EXPECT_EQ(h->windowHandle()->transientParent(), d.windowHandle()) << "in front of the dialog";
                EXPECT_EQ(QGuiApplication::modalWindow(), d.windowHandle());
                EXPECT_EQ(h->windowHandle()->position(), platz) << "where the user put it";
                if (runde == 0) {
                    h->Anzeige->verticalScrollBar()->setValue(0);
                    int vorher = rollstand(*h);
                    QTest::keyClick(h->windowHandle(), Qt::Key_PageDown);
                    EXPECT_GT(rollstand(*h), vorher) << "a key reaches the help";
                    vorher = rollstand(*h);
                    QTest::mouseClick(h->windowHandle(), Qt::LeftButton, {}, unterDemGriff(*h));
                    EXPECT_GT(rollstand(*h), vorher) << "a click reaches the help";
                    const QPoint verweis = verweisImBild(*h, u"#inhalt"_s);
                    ASSERT_FALSE(verweis.isNull());
                    QTest::mouseClick(h->windowHandle(), Qt::LeftButton, {}, verweis);
                    EXPECT_EQ(h->Anzeige->source().fragment(), u"inhalt"_s);

                    // The user clicks into the dialog: the help comes on top of it again.
                    h->activateWindow();
                    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == h; }, 5000));
                    Anheben anheben;
                    d.windowHandle()->requestActivate();
                    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }, 5000));
                    EXPECT_GT(anheben.mal(), 0) << "raised over the dialog";
                    EXPECT_EQ(QApplication::activeWindow(), &d) << "the focus stays in the dialog";
                    // ... and once more while the dialog has the focus already.
                    const int angehoben = anheben.mal();
                    QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, d.lstVorschau->mapTo(&d, QPoint(5, 5)));
                    EXPECT_GT(anheben.mal(), angehoben) << "raised over the dialog after a click into it";
                } else {
                    klicken(*h, h->befSchliessen);
                    EXPECT_FALSE(h->isVisible()) << "\"Schließen\" closes the help";
                    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
                }
            }();
            d.befAbbrechen->click();
        });
        m.aktion(u"mnuAdrImpListe"_s)->trigger();
        ASSERT_TRUE(gezeigt);
        if (runde == 0) {
            EXPECT_TRUE(h->isVisible()) << "the help stays open after the dialog";
            EXPECT_EQ(h->besitzer(), &m);
            EXPECT_EQ(h->windowHandle()->transientParent(), m.windowHandle());
            EXPECT_EQ(h->windowHandle()->position(), platz);
        }
    }
    EXPECT_FALSE(h->isVisible());
}

// F1 in every dialog of the program opens the help at a section of its own,
// which the shipped document has, in front of that dialog.
TEST_F(HilfeFensterTest, F1InJedemDialog)
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
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d)) << anker.toStdString();
        f1Druecken(d);
        HilfeFenster* h = hilfeSichtbar();
        ASSERT_NE(h, nullptr) << anker.toStdString();
        EXPECT_EQ(h->besitzer(), &d) << anker.toStdString();
        EXPECT_EQ(h->Anzeige->source().fragment(), anker);
        const QString kopf = ueberschrift(*h, anker);
        EXPECT_FALSE(kopf.isEmpty()) << "no section " << anker.toStdString();
        EXPECT_TRUE(zeigtAbschnitt(*h, anker)) << anker.toStdString();
        EXPECT_FALSE(ueberschriften.contains(kopf)) << anker.toStdString();
        ueberschriften << kopf;
        h->hide();
        d.hide();
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
