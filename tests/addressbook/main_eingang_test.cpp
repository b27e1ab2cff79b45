// How text reaches the card, as the user puts it there: text that comes
// without a key (pasted with the middle mouse button, dropped, committed by
// an input method) is stored into the address it was put into, whatever the
// user does next; keys that change nothing store nothing; a line break never
// reaches a one-line field.
#include "main_hilfen.h"

#include "addressbook/ui/auswahl.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"

#include <QClipboard>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QThread>
#include <QTimer>

#include <functional>

using namespace zadressbuch;
using main_test::zeile;

namespace {

class MainEingang : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        adressdateiSchreiben();
    }
    void adressdateiSchreiben()
    {
        adressdatei({u"..Kunden"_s,
                     zeile({{Nachname, u"Müller"_s},
                            {Vorname, u"Hans"_s},
                            {Ort, u"Berlin"_s},
                            {Bemerkung, u"siehe #19"_s},
                            {GeaendertAm, u"15.06.2000"_s},
                            {Index, u"17"_s}}),
                     zeile({{Nachname, u"Schmidt"_s}, {GeaendertAm, u"01.01.1999"_s}, {Index, u"18"_s}}),
                     zeile({{Nachname, u"Weber"_s}, {GeaendertAm, u"02.02.1998"_s}, {Index, u"19"_s}})});
    }
    Main& aktivStarten()
    {
        Main& m = starten();
        adressliste().setListIndex(0); // not the address a run before ended on
        m.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        return m;
    }
    QPlainTextEdit* bemerkung() const { return static_cast<QPlainTextEdit*>(fenster->Feld(Bemerkung)); }
    // The widget that takes the mouse in a field, and a point right of the
    // end of its (first) line.
    QWidget* mausZiel(int feld) const { return feld == Bemerkung ? bemerkung()->viewport() : fenster->Feld(feld); }
    QPoint amEnde(int feld) const
    {
        QWidget* w = mausZiel(feld);
        return feld == Bemerkung ? QPoint(w->width() - 6, bemerkung()->cursorRect(QTextCursor(bemerkung()->document())).center().y())
                                 : QPoint(w->width() - 4, w->height() / 2);
    }
    void klickAmEnde(int feld) const { QTest::mouseClick(mausZiel(feld), Qt::LeftButton, {}, amEnde(feld)); }
    // A key as the user presses it: to the control that has the focus.
    static void taste(Qt::Key k, Qt::KeyboardModifiers mod = {})
    {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, k, mod);
    }
    // The saved address file's entries, by their index number.
    QMap<QString, Felder> gespeichert() const
    {
        QMap<QString, Felder> eintraege;
        const QString text = QString::fromLatin1(dateiBytes());
        for (const QString& z : text.split(u"\r\n"_s, Qt::SkipEmptyParts))
            if (!z.startsWith(u".."_s))
                eintraege.insert(Zerlegen(z)[Index], Zerlegen(z));
        return eintraege;
    }
};

} // namespace

// Text put into a field of the address #17 without a key, then what the user
// does next: the saved file holds it in #17 and nowhere else.
TEST_F(MainEingang, TextOhneTasteWirdInDieAdresseGespeichertInDieErKam)
{
    enum Weg { Mittelklick, Fallenlassen, Eingabemethode };
    const struct
    {
        const char* name;
        Weg weg;
        int feld;
    } wege[] = {
        {"middle button into the surname", Mittelklick, Nachname},
        {"middle button into the remark", Mittelklick, Bemerkung},
        {"dropped into the place, the focus in the search box", Fallenlassen, Ort},
        {"dropped into the remark, the focus in the search box", Fallenlassen, Bemerkung},
        {"input method into the first name", Eingabemethode, Vorname},
        {"input method into the remark", Eingabemethode, Bemerkung},
    };
    const struct
    {
        const char* name;
        std::function<void(Main&)> tun;
    } danach[] = {
        {"Ctrl+S", [](Main&) { taste(Qt::Key_S, Qt::ControlModifier); }},
        {"F12", [](Main&) { taste(Qt::Key_F12); }},
        {"termination signal", [](Main& m) { m.Programmende_Von_Aussen(); }},
        {"idle exit",
         [](Main& m) {
             sitzung().LeerlaufGrenze = 60;
             sitzung().LeerlaufZaehler = 58;
             m.ZeitTimeOut_Timer();
         }},
        {"Ctrl+N", [](Main&) { taste(Qt::Key_N, Qt::ControlModifier); }},
        {"sort by change date", [](Main&) { taste(Qt::Key_F4, Qt::ControlModifier | Qt::ShiftModifier); }},
        {"double-click on #19",
         [](Main& m) {
             auto* b = static_cast<QPlainTextEdit*>(m.Feld(Bemerkung));
             QTextCursor c(b->document());
             c.setPosition(7);
             QTest::mouseDClick(b->viewport(), Qt::LeftButton, {}, b->cursorRect(c).center() + QPoint(2, 0));
             EXPECT_EQ(adressliste().ListIndex(), 2) << "the jump to #19";
         }},
        {"click on another address in the list",
         [](Main& m) {
             QTest::mouseClick(m.Liste->viewport(), Qt::LeftButton, {},
                               m.Liste->visualRect(adressliste().index(1)).center());
             EXPECT_EQ(adressliste().ListIndex(), 1);
         }},
    };
    for (const auto& w : wege) {
        for (const auto& d : danach) {
            SCOPED_TRACE(std::string(w.name) + ", then " + d.name);
            neuerLauf();
            adressdateiSchreiben();
            Main& m = aktivStarten();
            switch (w.weg) {
            case Mittelklick:
                nutzer::mittelklickEinfuegen(mausZiel(w.feld), amEnde(w.feld), u" Zugabe"_s);
                break;
            case Fallenlassen:
                QTest::mouseClick(m.TxtSuche, Qt::LeftButton);
                nutzer::textFallenLassen(mausZiel(w.feld), amEnde(w.feld), u" Zugabe"_s);
                EXPECT_TRUE(m.TxtSuche->hasFocus()) << "a drop leaves the focus where it was";
                break;
            case Eingabemethode:
                klickAmEnde(w.feld);
                nutzer::eingabemethodeUebergeben(m.Feld(w.feld), u" Zugabe"_s);
                break;
            }
            ASSERT_TRUE(m.FeldText(w.feld).contains(u" Zugabe"_s)) << m.FeldText(w.feld).toStdString();
            d.tun(m);
            if (!m.beendet())
                taste(Qt::Key_S, Qt::ControlModifier);
            const QMap<QString, Felder> datei = gespeichert();
            ASSERT_EQ(datei.size(), d.name == std::string("Ctrl+N") ? 4 : 3);
            for (auto e = datei.begin(); e != datei.end(); ++e)
                EXPECT_EQ(e.value()[w.feld].contains(u"Zugabe"_s), e.key() == u"17"_s)
                    << "#" << e.key().toStdString() << ": " << e.value()[w.feld].toStdString();
        }
    }
}

// Keys that move, select or cancel in the fields of a shown address store
// nothing: the change date stays, nothing is marked, closing writes nothing.
TEST_F(MainEingang, TastenOhneAenderungSpeichernNichts)
{
    const struct
    {
        const char* name;
        int feld;
        Qt::Key taste;
        Qt::KeyboardModifiers mod;
    } faelle[] = {
        {"Tab", Nachname, Qt::Key_Tab, {}},
        {"Shift+Tab", Ort, Qt::Key_Backtab, Qt::ShiftModifier},
        {"End", Vorname, Qt::Key_End, {}},
        {"Home", Vorname, Qt::Key_Home, {}},
        {"Left", Nachname, Qt::Key_Left, {}},
        {"Right", Ort, Qt::Key_Right, {}},
        {"Shift+End", Nachname, Qt::Key_End, Qt::ShiftModifier},
        {"Esc", Nachname, Qt::Key_Escape, {}},
        {"Down in the remark", Bemerkung, Qt::Key_Down, {}},
        {"Up in the remark", Bemerkung, Qt::Key_Up, {}},
        {"Tab in the remark", Bemerkung, Qt::Key_Tab, {}},
    };
    const QByteArray datei = dateiBytes();
    Main& m = aktivStarten();
    const QString vorher = eintrag(0);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        klickAmEnde(f.feld);
        taste(f.taste, f.mod);
        EXPECT_EQ(eintrag(0), vorher);
        EXPECT_EQ(m.FeldText(GeaendertAm), u"15.06.2000"_s);
        EXPECT_EQ(sitzung().Geaendert, 0);
        EXPECT_EQ(panel("Unsaved"), QString());
    }
    // Tabbing through the whole card.
    klickAmEnde(Anrede);
    for (int i = 0; i < 30; ++i)
        taste(Qt::Key_Tab);
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_TRUE(m.close());
    EXPECT_EQ(dateiBytes(), datei) << "nothing was changed: nothing is written";
}

// Several lines pasted or dropped into a one-line field: each line break
// becomes a blank, in the field and in the record; the remark keeps its lines.
TEST_F(MainEingang, EinzeiligesFeldNimmtKeinenZeilenumbruch)
{
    enum Weg { StrgV, Mittelklick, Fallenlassen, Eingabemethode, Auswahlliste };
    const struct
    {
        const char* name;
        Weg weg;
        int feld;
        QString text;
        QString feldtext; // the field afterwards
        QString gespeichert; // the field in the record
    } faelle[] = {
        {"Ctrl+V, CR LF", StrgV, Nachname, u"\r\nKG\r\nBerlin"_s, u"Müller KG Berlin"_s, u"Müller KG Berlin"_s},
        {"Ctrl+V, LF and a trailing break", StrgV, Vorname, u" und\nEva\n"_s, u"Hans und Eva "_s, u"Hans und Eva "_s},
        {"middle button", Mittelklick, Strasse, u"Am Weg 1\r\n2. Stock"_s, u"Am Weg 1 2. Stock"_s, u"Am Weg 1 2. Stock"_s},
        {"dropped, lone CR", Fallenlassen, Ort, u" Mitte\rSüd"_s, u"Berlin Mitte Süd"_s, u"Berlin Mitte Süd"_s},
        {"input method, paragraph separator", Eingabemethode, Ort, u" A\u2029B"_s, u"Berlin A B"_s, u"Berlin A B"_s},
        // A value another address holds in two lines (written by another program).
        {"picked from the field's values", Auswahlliste, Zusatz, u"Haus A°°Hinterhof"_s, u"Haus A Hinterhof"_s,
         u"Haus A Hinterhof"_s},
        {"Ctrl+V into the remark", StrgV, Bemerkung, u"\r\nZeile 2"_s, u"siehe #19\r\nZeile 2"_s,
         u"siehe #19\r\nZeile 2"_s},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        // The line edit's own paste of the X selection, where there is one.
        if (f.weg == Mittelklick && !QGuiApplication::clipboard()->supportsSelection())
            continue;
        neuerLauf();
        adressdateiSchreiben();
        Main& m = aktivStarten();
        klickAmEnde(f.feld);
        switch (f.weg) {
        case StrgV:
            QGuiApplication::clipboard()->setText(f.text);
            taste(Qt::Key_V, Qt::ControlModifier);
            break;
        case Mittelklick:
            nutzer::mittelklickEinfuegen(mausZiel(f.feld), amEnde(f.feld), f.text);
            break;
        case Fallenlassen:
            nutzer::textFallenLassen(mausZiel(f.feld), amEnde(f.feld), f.text);
            break;
        case Eingabemethode:
            nutzer::eingabemethodeUebergeben(m.Feld(f.feld), f.text);
            break;
        case Auswahlliste:
            adressliste().setList(2, zeile({{Nachname, u"Weber"_s}, {f.feld, f.text}, {Index, u"19"_s}}));
            amDialog<Auswahl>([](Auswahl& a) {
                QTest::mouseClick(a.Liste->viewport(), Qt::LeftButton, {},
                                  a.Liste->visualItemRect(a.Liste->item(0)).center());
                a.BefOk->click();
            });
            QTest::mouseDClick(m.Feld(f.feld), Qt::LeftButton);
            break;
        }
        EXPECT_EQ(m.FeldText(f.feld), f.feldtext);
        EXPECT_EQ(FeldAus(eintrag(0), f.feld), f.gespeichert);
        if (f.feld != Bemerkung) {
            EXPECT_EQ(static_cast<QLineEdit*>(m.Feld(f.feld))->cursorPosition(), f.feldtext.size())
                << "the cursor after what came in";
        }
    }
}

// The remark's limit is the shown address's from the start: after a store
// in an address with long fields (written by another program), a click into
// the remark of a short address takes the next character.
TEST_F(MainEingang, DieGrenzeDerBemerkungGiltFuerDieGezeigteAdresse)
{
    adressdatei({u"..Kunden"_s, zeile({{Nachname, u"Lang"_s}, {Strasse, QString(600, u'x')}, {Index, u"1"_s}}),
                 zeile({{Nachname, u"Kurz"_s}, {Bemerkung, QString(500, u'y')}, {Index, u"2"_s}})});
    Main& m = aktivStarten();
    klickAmEnde(Nachname);
    taste(Qt::Key_A);
    // Stored: 1023 minus " ", "Langa", the street, today's date, "1" and 23 separators.
    EXPECT_EQ(m.FeldEingabegrenze(Bemerkung), 1023 - (1 + 5 + 600 + 10 + 1 + 23));
    QTest::mouseClick(m.Liste->viewport(), Qt::LeftButton, {},
                      QPoint(40, m.Liste->visualRect(adressliste().index(1)).center().y()));
    ASSERT_EQ(m.FeldText(Nachname), u"Kurz"_s);
    bemerkung()->setFocus(Qt::MouseFocusReason);
    bemerkung()->moveCursor(QTextCursor::End);
    taste(Qt::Key_Z);
    EXPECT_EQ(m.FeldText(Bemerkung), QString(500, u'y') + u'z');
    EXPECT_TRUE(plattform.toene.isEmpty()) << "no refused key";
}

// The remark's selection dragged out of the box onto the place: the text
// moves (both fields stored), and the program takes the next click. (The
// box started its scrolling timer with the move that began the drag; that
// timer then began one drag after the other and took every click.)
TEST_F(MainEingang, ZiehenAusDenBemerkungenVerschiebtUndLaesstDasProgrammFrei_X11)
{
    // The offscreen platform runs no drag.
    if (!nutzer::unterX11())
        GTEST_SKIP() << "needs a drag through the X server";
    Main& m = aktivStarten();
    QPlainTextEdit* b = bemerkung();
    auto imFenster = [&m](QWidget* w, QPoint p) { return w->mapTo(&m, p); };
    nutzer::klicken(m, imFenster(b->viewport(), QPoint(4, 4)));
    b->selectAll();
    const QPoint start = imFenster(b->viewport(), b->cursorRect(QTextCursor(b->document())).center() + QPoint(8, 0));
    const QPoint ziel = imFenster(m.Feld(Ort), QPoint(m.Feld(Ort)->width() - 4, m.Feld(Ort)->height() / 2));
    // Out of the box upwards first, as a quick hand does, then onto the place.
    const QPoint draussen = imFenster(b->viewport(), QPoint(8, -30));
    nutzer::ziehenX11(m, start, {draussen, (draussen + ziel) / 2, ziel});
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.FeldText(Bemerkung).isEmpty(); }));
    EXPECT_EQ(m.FeldText(Ort), u"Berlinsiehe #19"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Ort), u"Berlinsiehe #19"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Bemerkung), QString());
    // From here on a drag can only begin by itself, and it runs an event
    // loop of its own until a button is let go: each is ended so, and counted.
    int vonSelbst = 0;
    bool offen = false;
    const int ebene = QThread::currentThread()->loopLevel();
    QTimer wache;
    wache.setInterval(20);
    QObject::connect(&wache, &QTimer::timeout, [&] {
        const bool imZiehen = QThread::currentThread()->loopLevel() > ebene;
        if (imZiehen && !offen) {
            ++vonSelbst;
            nutzer::loslassenX11();
        }
        offen = imZiehen;
    });
    wache.start();
    // A few ticks of the box's scrolling timer (100 ms), then the next click
    // selects another address.
    QTest::qWait(400);
    nutzer::klicken(m, imFenster(m.Liste->viewport(), QPoint(40, m.Liste->visualRect(adressliste().index(1)).center().y())));
    EXPECT_TRUE(QTest::qWaitFor([] { return adressliste().ListIndex() == 1; }, 2000));
    EXPECT_EQ(vonSelbst, 0) << "drags began by themselves";
}
