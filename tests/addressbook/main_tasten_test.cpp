// Nothing typed is lost: a key whose release names another key than its
// press, a key still held when the next command comes, the zoom editor left
// with OK on a text it did not change.
#include "main_hilfen.h"

#include "commands/ui/zoomtext.h"
#include "platform/codec.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTextCursor>

#include <functional>

using namespace zadressbuch;
using main_test::zeile;

namespace {

class MainTasten : public main_test::MainFensterTest
{
protected:
    void adressdateiSchreiben()
    {
        adressdatei(
            {u"..Kunden"_s,
             zeile({{Nachname, u"Müller"_s},
                    {Vorname, u"Hans"_s},
                    {Ort, u"Berlin"_s},
                    {Zusatz, u"Haus A°°Hinterhof"_s},
                    {Bemerkung, u"siehe #19"_s},
                    {GeaendertAm, u"15.06.2000"_s},
                    {Index, u"17"_s}}),
             zeile({{Nachname, u"Schmidt"_s}, {GeaendertAm, u"01.01.1999"_s}, {Index, u"18"_s}}),
             zeile({{Nachname, u"Weber"_s}, {Ort, u"Berlinx"_s}, {GeaendertAm, u"02.02.1998"_s}, {Index, u"19"_s}})});
    }
    // A new run on the address file as written at first.
    Main& aktivStarten()
    {
        neuerLauf();
        adressdateiSchreiben();
        Main& m = starten();
        adressliste().setListIndex(0); // not the address a run before ended on
        m.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        return m;
    }
    // A click behind the end of a field's text (of the remark's first line).
    void klickAmEnde(int feld) const
    {
        QWidget* w = fenster->Feld(feld);
        int y = w->height() / 2;
        if (auto* b = qobject_cast<QPlainTextEdit*>(w)) {
            w = b->viewport();
            y = b->cursorRect(QTextCursor(b->document())).center().y();
        }
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 6, y));
    }
    // A key's press or release, or both, to the control that has the focus.
    static void taste(Qt::Key k, Qt::KeyboardModifiers mod = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, mod);
    }
    static void sende(QTest::KeyAction a, Qt::Key k, const QString& text, Qt::KeyboardModifiers mod = {})
    {
        QTest::sendKeyEvent(a, QApplication::focusWidget(), k, text, mod);
    }
    // ... of the key that types the sign (as the keyboard names it).
    static void sende(QTest::KeyAction a, const QString& zeichen, Qt::KeyboardModifiers mod = {})
    {
        sende(a, Qt::Key(QChar::toUpper(zeichen[0].unicode())), zeichen, mod);
    }
    // The saved address file's entries, by their index number.
    QMap<QString, Felder> gespeichert() const
    {
        QMap<QString, Felder> eintraege;
        for (const QString& z : zplatform::ausWindows1252(dateiBytes()).split(u"\r\n"_s, Qt::SkipEmptyParts))
            if (!z.startsWith(u".."_s))
                eintraege.insert(Zerlegen(z)[Index], Zerlegen(z));
        return eintraege;
    }
};

} // namespace

// A key typed into a field goes into the address it was typed into, and into
// no other: stored at its release whatever key that names (the X server names
// it by the modifiers held then: "8" for Shift+8's "(", "q" for AltGr+Q's
// "@"), or before the next command when that comes while the key is held.
TEST_F(MainTasten, GetippteTasteLandetInIhrerAdresse)
{
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier, altGr = Qt::GroupSwitchModifier, strg = Qt::ControlModifier;
    const auto mit = [](Qt::Key k, Qt::KeyboardModifiers mod) { return [k, mod](Main&) { taste(k, mod); }; };
    const auto leerlauf = [](Main& m) {
        sitzung().LeerlaufGrenze = 60;
        sitzung().LeerlaufZaehler = 58;
        m.ZeitTimeOut_Timer();
    };
    const auto klickInListe = [](Main& m) {
        QTest::mouseClick(m.Liste->viewport(), Qt::LeftButton, {},
                          m.Liste->visualRect(adressliste().index(1)).center());
    };
    const auto verweis = [](Main& m) {
        auto* b = static_cast<QPlainTextEdit*>(m.Feld(Bemerkung));
        QTextCursor c(b->document());
        c.setPosition(7); // in "#19"
        QTest::mouseDClick(b->viewport(), Qt::LeftButton, {}, b->cursorRect(c).center() + QPoint(2, 0));
    };
    const struct
    {
        const char* name; // of the command that comes while the key is held
        QString zeichen;
        Qt::KeyboardModifiers mod;
        QString los; // the key its release names
        std::function<void(Main&)> befehl{};
        int feld = Ort;
        int zeigt = -1;   // the address shown after the command
        int adressen = 3; // in the saved file
    } faelle[] = {
        {"", u"("_s, shift, u"8"_s},
        {"", u"?"_s, shift, u"ß"_s},
        {"", u"+"_s, shift, u"="_s},
        {"", u"@"_s, altGr, u"q"_s},
        {"", u"\\"_s, altGr, u"ß"_s},
        {"", u"€"_s, altGr, u"e"_s},
        {"Ctrl+S", u"x"_s, {}, u"x"_s, mit(Qt::Key_S, strg)},
        {"F12", u"x"_s, {}, u"x"_s, mit(Qt::Key_F12, {})},
        {"termination signal", u"x"_s, {}, u"x"_s, [](Main& m) { m.Programmende_Von_Aussen(); }},
        {"idle exit", u"x"_s, {}, u"x"_s, leerlauf},
        {"Ctrl+N", u"€"_s, altGr, u"e"_s, mit(Qt::Key_N, strg), Ort, -1, 4},
        {"sort by group", u"€"_s, altGr, u"e"_s, mit(Qt::Key_F4, strg)},
        {"sort by change date", u"x"_s, {}, u"x"_s, mit(Qt::Key_F4, strg | shift)},
        {"search for the field's text", u"x"_s, {}, u"x"_s, mit(Qt::Key_F, strg), Ort, 2},
        {"double-click on #19", u"x"_s, {}, u"x"_s, verweis, Bemerkung, 2},
        {"click on another address", u"x"_s, {}, u"x"_s, klickInListe, Ort, 1},
    };
    adressdateiSchreiben();
    const QMap<QString, Felder> anfang = gespeichert();
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name + (u" "_s + f.zeichen).toStdString());
        Main& m = aktivStarten();
        klickAmEnde(f.feld);
        const QString erwartet = m.FeldText(f.feld) + f.zeichen;
        sende(QTest::Press, f.zeichen, f.mod);
        ASSERT_EQ(m.FeldText(f.feld), erwartet);
        if (f.befehl)
            f.befehl(m);
        if (!m.beendet()) {
            EXPECT_EQ(adressliste().ListIndex(), f.zeigt < 0 ? adressliste().ListIndex() : f.zeigt);
            sende(QTest::Release, f.los);
            EXPECT_EQ(m.FeldText(f.feld), FeldAus(eintrag(adressliste().ListIndex()), f.feld))
                << "stored at the release, or nothing stored into the address shown now";
            taste(Qt::Key_S, Qt::ControlModifier);
        }
        const QMap<QString, Felder> datei = gespeichert();
        ASSERT_EQ(datei.size(), f.adressen);
        for (auto e = datei.begin(); e != datei.end(); ++e)
            EXPECT_EQ(e.value()[f.feld], e.key() == u"17"_s ? erwartet : anfang.value(e.key())[f.feld])
                << "#" << e.key().toStdString();
    }
}

// The releases of a hot key's letter (Ctrl let go first), of lone modifiers
// and of a key pressed elsewhere find the card unchanged: nothing is stored.
TEST_F(MainTasten, LoslassenOhneAenderungSpeichertNichts)
{
    Main& m = aktivStarten();
    const QByteArray datei = dateiBytes();
    const QString vorher = eintrag(0);
    klickAmEnde(Ort);
    sende(QTest::Press, Qt::Key_Control, {}, Qt::ControlModifier);
    sende(QTest::Press, Qt::Key_Z, {}, Qt::ControlModifier); // the undo, with nothing to undo
    sende(QTest::Release, Qt::Key_Control, {});
    sende(QTest::Release, Qt::Key_Z, u"z"_s);
    for (const auto& [k, mod] :
         {std::pair{Qt::Key_Shift, Qt::ShiftModifier}, std::pair{Qt::Key_AltGr, Qt::GroupSwitchModifier}}) {
        sende(QTest::Press, k, {}, mod);
        sende(QTest::Release, k, {});
    }
    sende(QTest::Release, u"9"_s);
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_TRUE(m.close());
    EXPECT_EQ(dateiBytes(), datei) << "nothing was changed: nothing is written";
}

// The undo with a key still held stores nothing first: Ctrl+Z brings back the
// address as selected, a second Ctrl+Z what was stored before (without "x").
TEST_F(MainTasten, RueckgaengigMitGehaltenerTasteSpeichertNichtZuerst)
{
    Main& m = aktivStarten();
    const QString vorher = eintrag(0);
    klickAmEnde(Ort);
    main_test::tippen(QApplication::focusWidget(), u"a"_s);
    sende(QTest::Press, u"x"_s);
    taste(Qt::Key_Z, Qt::ControlModifier);
    sende(QTest::Release, u"x"_s);
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(m.FeldText(Ort), u"Berlin"_s);
    taste(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(FeldAus(eintrag(0), Ort), u"Berlina"_s);
    EXPECT_EQ(m.FeldText(Ort), u"Berlina"_s);
}

// "Zusatz" holds a line break another program wrote. The zoom editor (by its
// button or the card's popup menu) left with OK untouched changes nothing and
// the file stays as it was; a text changed there is stored, breaks as blanks.
TEST_F(MainTasten, ZoomMitOkOhneAenderungSpeichertNichts)
{
    const struct
    {
        bool kontextmenue;
        QString anhaengen; // typed in the editor
        QString gespeichert;
    } faelle[] = {{false, {}, u"Haus A\r\nHinterhof"_s},
                  {true, {}, u"Haus A\r\nHinterhof"_s},
                  {false, u" 2"_s, u"Haus A Hinterhof 2"_s}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.kontextmenue ? "popup menu" : f.anhaengen.isEmpty() ? "button" : "button, changed");
        Main& m = aktivStarten();
        const QByteArray datei = dateiBytes();
        m.resize(1000, m.height()); // wide enough for the zoom button
        ASSERT_TRUE(QTest::qWaitFor([&m] { return m.befZoom->isVisible(); }));
        klickAmEnde(Zusatz);
        amDialog<zbefehle::ZoomText>([&f](zbefehle::ZoomText& z) {
            z.Text->moveCursor(QTextCursor::End);
            QTest::keyClicks(z.Text, f.anhaengen);
            z.BefOk->click();
        });
        if (f.kontextmenue) {
            QTimer::singleShot(0, [&m] {
                auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                ASSERT_NE(menue, nullptr);
                menue->setActiveAction(m.aktion(u"mnuPopZoom"_s));
                QTest::keyClick(menue, Qt::Key_Return);
            });
            QWidget* feld = m.Feld(Zusatz);
            QContextMenuEvent rechts(QContextMenuEvent::Mouse, QPoint(4, 4), feld->mapToGlobal(QPoint(4, 4)));
            QApplication::sendEvent(feld, &rechts);
        } else {
            QTest::mouseClick(m.befZoom, Qt::LeftButton);
        }
        m.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
        taste(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(gespeichert().value(u"17"_s)[Zusatz], f.gespeichert);
        EXPECT_TRUE(!f.anhaengen.isEmpty() || dateiBytes() == datei) << "nothing was changed: nothing is written";
    }
}

// Signs typed with Shift through the X server, Shift let go before the key:
// the releases name the bare digits, and each sign is stored at its release.
TEST_F(MainTasten, ZeichenMitShiftZuerstLosgelassen_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "needs keys through the X server";
    Main& m = aktivStarten();
    QWidget* ort = m.Feld(Ort);
    nutzer::klicken(m, ort->mapTo(&m, QPoint(ort->width() - 4, ort->height() / 2)));
    ASSERT_TRUE(QTest::qWaitFor([ort] { return ort->hasFocus(); }));
    static_cast<QLineEdit*>(ort)->end(false); // a click soon after one at the same place selects the word
    const QString vorher = m.FeldText(Ort);
    QStringList schritte;
    for (const QString& ziffer : {u"9"_s, u"1"_s, u"7"_s, u"0"_s})
        schritte << u"keydown"_s << u"Shift_L"_s << u"keydown"_s << ziffer << u"keyup"_s << u"Shift_L"_s << u"keyup"_s
                 << ziffer;
    ASSERT_EQ(QProcess::execute(QStandardPaths::findExecutable(u"xdotool"_s), schritte), 0) << "xdotool";
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.FeldText(Ort).size() == vorher.size() + 4; }, 5000));
    const QString text = m.FeldText(Ort);
    for (QChar c : text.mid(vorher.size()))
        EXPECT_FALSE(c.isDigit()) << "the shifted signs: " << text.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return FeldAus(eintrag(0), Ort) == text; }, 5000)) << "stored at the releases";
    taste(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(gespeichert().value(u"17"_s)[Ort], text);
}
