// Nothing typed is lost: a key whose release names another key than its
// press (the X server reports a release with the modifiers held at that
// moment), a key still held down when the next command comes, and the zoom
// editor left with OK on a text it did not change.
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
    void SetUp() override
    {
        MainFensterTest::SetUp();
        adressdateiSchreiben();
    }
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
    Main& aktivStarten()
    {
        Main& m = starten();
        adressliste().setListIndex(0); // not the address a run before ended on
        m.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        return m;
    }
    QPlainTextEdit* bemerkung() const { return static_cast<QPlainTextEdit*>(fenster->Feld(Bemerkung)); }
    // A click behind the end of a field's text (of the remark's first line).
    void klickAmEnde(int feld) const
    {
        if (feld == Bemerkung) {
            QPlainTextEdit* b = bemerkung();
            QTest::mouseClick(
                b->viewport(), Qt::LeftButton, {},
                QPoint(b->viewport()->width() - 6, b->cursorRect(QTextCursor(b->document())).center().y()));
            return;
        }
        QWidget* w = fenster->Feld(feld);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 4, w->height() / 2));
    }
    static QWidget* fokus()
    {
        QWidget* w = QApplication::focusWidget();
        EXPECT_NE(w, nullptr);
        return w;
    }
    // A key as the user presses it: to the control that has the focus.
    static void taste(Qt::Key k, Qt::KeyboardModifiers mod = {})
    {
        if (QWidget* w = fokus())
            QTest::keyClick(w, k, mod);
    }
    // Only the press, or only the release, of a key (with its text), to the
    // control that has the focus at that moment.
    static void druecken(Qt::Key k, const QString& text, Qt::KeyboardModifiers mod = {})
    {
        if (QWidget* w = fokus())
            QTest::sendKeyEvent(QTest::Press, w, k, text, mod);
    }
    static void loslassen(Qt::Key k, const QString& text, Qt::KeyboardModifiers mod = {})
    {
        if (QWidget* w = fokus())
            QTest::sendKeyEvent(QTest::Release, w, k, text, mod);
    }
    // The saved address file's entries, by their index number.
    QMap<QString, Felder> gespeichert() const
    {
        QMap<QString, Felder> eintraege;
        const QString text = zplatform::ausWindows1252(dateiBytes());
        for (const QString& z : text.split(u"\r\n"_s, Qt::SkipEmptyParts))
            if (!z.startsWith(u".."_s))
                eintraege.insert(Zerlegen(z)[Index], Zerlegen(z));
        return eintraege;
    }
};

} // namespace

// A sign typed with Shift or AltGr and that modifier let go first: the X
// server names the release by the bare key ("9" for the "(" of Shift+9, "q"
// for the "@" of AltGr+Q). The field shows the sign, and Ctrl+S saves it.
TEST_F(MainTasten, ZeichenMitUmschaltungWirdGespeichertWennDieLoslasstasteAndersHeisst)
{
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers altGr = Qt::GroupSwitchModifier;
    const struct
    {
        QString zeichen;
        Qt::Key taste; // the press
        Qt::KeyboardModifiers mod;
        Qt::Key los; // the release, as the X server names it
        QString losText;
    } faelle[] = {
        {u"("_s, Qt::Key_ParenLeft, shift, Qt::Key_8, u"8"_s},
        {u")"_s, Qt::Key_ParenRight, shift, Qt::Key_9, u"9"_s},
        {u"!"_s, Qt::Key_Exclam, shift, Qt::Key_1, u"1"_s},
        {u"?"_s, Qt::Key_Question, shift, Qt::Key_ssharp, u"ß"_s},
        {u"\""_s, Qt::Key_QuoteDbl, shift, Qt::Key_2, u"2"_s},
        {u"&"_s, Qt::Key_Ampersand, shift, Qt::Key_6, u"6"_s},
        {u"/"_s, Qt::Key_Slash, shift, Qt::Key_7, u"7"_s},
        {u"="_s, Qt::Key_Equal, shift, Qt::Key_0, u"0"_s},
        {u"+"_s, Qt::Key_Plus, shift, Qt::Key_Equal, u"="_s},
        {u"@"_s, Qt::Key_At, altGr, Qt::Key_Q, u"q"_s},
        {u"€"_s, Qt::Key(0x20ac), altGr, Qt::Key_E, u"e"_s},
        {u"~"_s, Qt::Key_AsciiTilde, altGr, Qt::Key_Plus, u"+"_s},
        {u"\\"_s, Qt::Key_Backslash, altGr, Qt::Key_ssharp, u"ß"_s},
        {u"{"_s, Qt::Key_BraceLeft, altGr, Qt::Key_7, u"7"_s},
        {u"}"_s, Qt::Key_BraceRight, altGr, Qt::Key_0, u"0"_s},
        {u"["_s, Qt::Key_BracketLeft, altGr, Qt::Key_8, u"8"_s},
        {u"]"_s, Qt::Key_BracketRight, altGr, Qt::Key_9, u"9"_s},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.zeichen.toStdString());
        neuerLauf();
        adressdateiSchreiben();
        Main& m = aktivStarten();
        klickAmEnde(Ort);
        druecken(f.taste, f.zeichen, f.mod);
        loslassen(f.los, f.losText);
        ASSERT_EQ(m.FeldText(Ort), u"Berlin"_s + f.zeichen);
        EXPECT_EQ(FeldAus(eintrag(0), Ort), u"Berlin"_s + f.zeichen) << "stored at the release";
        taste(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(gespeichert().value(u"17"_s)[Ort], u"Berlin"_s + f.zeichen);
    }
    // Then a sort and a new address: the sign stays in its own address.
    for (const bool sortieren : {true, false}) {
        SCOPED_TRACE(sortieren ? "Ctrl+F4" : "Ctrl+N");
        neuerLauf();
        adressdateiSchreiben();
        Main& m = aktivStarten();
        klickAmEnde(Ort);
        druecken(Qt::Key(0x20ac), u"€"_s, altGr);
        loslassen(Qt::Key_E, u"e"_s);
        taste(sortieren ? Qt::Key_F4 : Qt::Key_N, Qt::ControlModifier);
        ASSERT_FALSE(m.beendet());
        taste(Qt::Key_S, Qt::ControlModifier);
        const QMap<QString, Felder> datei = gespeichert();
        ASSERT_EQ(datei.size(), sortieren ? 3 : 4);
        for (auto e = datei.begin(); e != datei.end(); ++e)
            EXPECT_EQ(e.value()[Ort].contains(u"€"_s), e.key() == u"17"_s) << "#" << e.key().toStdString();
    }
}

// A key whose press ran a menu command, and a lone modifier, store nothing
// at their release: the card is as its entry is.
TEST_F(MainTasten, LoslassenOhneAenderungSpeichertNichts)
{
    const QByteArray datei = dateiBytes();
    Main& m = aktivStarten();
    const QString vorher = eintrag(0);
    klickAmEnde(Ort);
    // The release of a hot key's letter, Ctrl let go first (the undo, with
    // nothing to undo).
    druecken(Qt::Key_Control, QString(), Qt::ControlModifier);
    druecken(Qt::Key_Z, QString(), Qt::ControlModifier);
    loslassen(Qt::Key_Control, QString());
    loslassen(Qt::Key_Z, u"z"_s);
    druecken(Qt::Key_Shift, QString(), Qt::ShiftModifier);
    loslassen(Qt::Key_Shift, QString());
    druecken(Qt::Key_AltGr, QString(), Qt::GroupSwitchModifier);
    loslassen(Qt::Key_AltGr, QString());
    loslassen(Qt::Key_9, u"9"_s); // a release whose press went elsewhere
    EXPECT_EQ(m.FeldText(Ort), u"Berlin"_s);
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_TRUE(m.close());
    EXPECT_EQ(dateiBytes(), datei) << "nothing was changed: nothing is written";
}

// "x" pressed in a field and still held when the next command comes by its
// hot key (or from outside); "x" let go afterwards. The "x" is in the address
// it was typed into, in the saved file, and nowhere else.
TEST_F(MainTasten, GehalteneTasteVorDemNaechstenBefehlGehtNichtVerloren)
{
    const struct
    {
        const char* name;
        int feld; // where "x" is typed
        std::function<void(Main&)> befehl;
        int adressen; // in the saved file
    } faelle[] = {
        {"Ctrl+S", Ort, [](Main&) { taste(Qt::Key_S, Qt::ControlModifier); }, 3},
        {"F12", Ort, [](Main&) { taste(Qt::Key_F12); }, 3},
        {"termination signal", Ort, [](Main& m) { m.Programmende_Von_Aussen(); }, 3},
        {"idle exit", Ort,
         [](Main& m) {
             sitzung().LeerlaufGrenze = 60;
             sitzung().LeerlaufZaehler = 58;
             m.ZeitTimeOut_Timer();
         },
         3},
        {"Ctrl+N", Ort, [](Main&) { taste(Qt::Key_N, Qt::ControlModifier); }, 4},
        {"sort by group", Ort, [](Main&) { taste(Qt::Key_F4, Qt::ControlModifier); }, 3},
        {"sort by change date", Ort, [](Main&) { taste(Qt::Key_F4, Qt::ControlModifier | Qt::ShiftModifier); }, 3},
        {"search for the field's text", Ort,
         [](Main&) {
             taste(Qt::Key_F, Qt::ControlModifier);
             EXPECT_EQ(adressliste().ListIndex(), 2) << "found in #19";
         },
         3},
        {"double-click on #19", Bemerkung,
         [](Main& m) {
             auto* b = static_cast<QPlainTextEdit*>(m.Feld(Bemerkung));
             QTextCursor c(b->document());
             c.setPosition(7);
             QTest::mouseDClick(b->viewport(), Qt::LeftButton, {}, b->cursorRect(c).center() + QPoint(2, 0));
             EXPECT_EQ(adressliste().ListIndex(), 2) << "the jump to #19";
         },
         3},
        {"click on another address in the list", Ort,
         [](Main& m) {
             QTest::mouseClick(m.Liste->viewport(), Qt::LeftButton, {},
                               m.Liste->visualRect(adressliste().index(1)).center());
             EXPECT_EQ(adressliste().ListIndex(), 1);
         },
         3},
    };
    const QMap<QString, Felder> anfang = gespeichert();
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        neuerLauf();
        adressdateiSchreiben();
        Main& m = aktivStarten();
        klickAmEnde(f.feld);
        const QString erwartet = m.FeldText(f.feld) + u'x';
        druecken(Qt::Key_X, u"x"_s);
        ASSERT_EQ(m.FeldText(f.feld), erwartet);
        f.befehl(m);
        if (!m.beendet()) {
            loslassen(Qt::Key_X, u"x"_s);
            EXPECT_EQ(m.FeldText(f.feld), FeldAus(eintrag(adressliste().ListIndex()), f.feld))
                << "the release stores nothing into the address now shown";
            taste(Qt::Key_S, Qt::ControlModifier);
        }
        const QMap<QString, Felder> datei = gespeichert();
        ASSERT_EQ(datei.size(), f.adressen);
        for (auto e = datei.begin(); e != datei.end(); ++e)
            EXPECT_EQ(e.value()[f.feld], e.key() == u"17"_s ? erwartet : anfang.value(e.key())[f.feld])
                << "#" << e.key().toStdString();
    }
}

// The undo (Ctrl+Z) with a key still held stores nothing first: it brings
// back the address as it was selected, and the held "x" with the rest; a
// second Ctrl+Z brings back what was stored before it, without the "x".
TEST_F(MainTasten, RueckgaengigMitGehaltenerTasteSpeichertNichtZuerst)
{
    Main& m = aktivStarten();
    const QString vorher = eintrag(0);
    klickAmEnde(Ort);
    main_test::tippen(fokus(), u"a"_s);
    ASSERT_EQ(FeldAus(eintrag(0), Ort), u"Berlina"_s);
    druecken(Qt::Key_X, u"x"_s);
    taste(Qt::Key_Z, Qt::ControlModifier);
    loslassen(Qt::Key_X, u"x"_s);
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(m.FeldText(Ort), u"Berlin"_s);
    taste(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(FeldAus(eintrag(0), Ort), u"Berlina"_s);
    EXPECT_EQ(m.FeldText(Ort), u"Berlina"_s);
}

// "Zusatz" holds a line break that another program wrote. The zoom editor
// opened by its button or by the card's popup menu, OK without touching the
// text: nothing changes, and Ctrl+S writes the file as it was. A text changed
// in the editor is stored with its line breaks as blanks.
TEST_F(MainTasten, ZoomMitOkOhneAenderungSpeichertNichts)
{
    enum Weg { Knopf, Kontextmenue };
    const struct
    {
        const char* name;
        Weg weg;
        QString anhaengen; // typed in the editor
        QString gespeichert;
    } faelle[] = {
        {"button, untouched", Knopf, QString(), u"Haus A\r\nHinterhof"_s},
        {"popup menu, untouched", Kontextmenue, QString(), u"Haus A\r\nHinterhof"_s},
        {"button, changed", Knopf, u" 2"_s, u"Haus A Hinterhof 2"_s},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        neuerLauf();
        adressdateiSchreiben();
        const QByteArray datei = dateiBytes();
        Main& m = aktivStarten();
        m.resize(1000, m.height()); // wide enough for the zoom button
        ASSERT_TRUE(QTest::qWaitFor([&m] { return m.befZoom->isVisible(); }));
        klickAmEnde(Zusatz);
        const QString vorher = eintrag(0);
        amDialog<zbefehle::ZoomText>([&f](zbefehle::ZoomText& z) {
            z.Text->moveCursor(QTextCursor::End);
            QTest::keyClicks(z.Text, f.anhaengen);
            z.BefOk->click();
        });
        if (f.weg == Knopf) {
            QTest::mouseClick(m.befZoom, Qt::LeftButton);
        } else {
            QTimer::singleShot(0, [&m] {
                auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                ASSERT_NE(menue, nullptr);
                menue->setActiveAction(m.aktion(u"mnuPopZoom"_s));
                QTest::keyClick(menue, Qt::Key_Return);
            });
            QWidget* feld = m.Feld(Zusatz);
            QContextMenuEvent rechts(QContextMenuEvent::Mouse, QPoint(4, 4), feld->mapToGlobal(QPoint(4, 4)));
            QApplication::sendEvent(feld, &rechts);
        }
        m.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
        EXPECT_EQ(FeldAus(eintrag(0), Zusatz), f.gespeichert);
        taste(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(gespeichert().value(u"17"_s)[Zusatz], f.gespeichert);
        if (f.anhaengen.isEmpty()) {
            EXPECT_EQ(eintrag(0), vorher);
            EXPECT_EQ(m.FeldText(GeaendertAm), u"15.06.2000"_s);
            EXPECT_EQ(dateiBytes(), datei) << "nothing was changed: nothing is written";
        }
    }
}

// Under X11: a sign typed with Shift, Shift let go before the key, through
// the X server. The release then names the bare key; the sign is stored.
TEST_F(MainTasten, ZeichenMitShiftZuerstLosgelassen_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "needs keys through the X server";
    const QString xdotool = QStandardPaths::findExecutable(u"xdotool"_s);
    ASSERT_FALSE(xdotool.isEmpty()) << "xdotool is needed for the window tests under X11";
    Main& m = aktivStarten();
    QWidget* ort = m.Feld(Ort);
    nutzer::klicken(m, ort->mapTo(&m, QPoint(ort->width() - 4, ort->height() / 2)));
    ASSERT_TRUE(QTest::qWaitFor([ort] { return ort->hasFocus(); }));
    // A click soon after one at the same place (a repeated run) selects the word.
    static_cast<QLineEdit*>(ort)->end(false);
    const QString vorher = m.FeldText(Ort);
    for (const char* ziffer : {"9", "1", "7", "0"}) {
        SCOPED_TRACE(ziffer);
        // The releases that reach the field, whatever key they name.
        int losgelassen = 0;
        struct Zaehler : QObject
        {
            int& n;
            explicit Zaehler(int& z) : n(z) {}
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat())
                    ++n;
                return false;
            }
        } zaehler(losgelassen);
        ort->installEventFilter(&zaehler);
        const QString textVorher = m.FeldText(Ort);
        QProcess lauf;
        lauf.start(xdotool, {u"keydown"_s, u"Shift_L"_s, u"keydown"_s, QLatin1String(ziffer), u"keyup"_s, u"Shift_L"_s,
                             u"keyup"_s, QLatin1String(ziffer)});
        EXPECT_TRUE(QTest::qWaitFor([&] { return lauf.state() == QProcess::NotRunning; }, 10000)) << "xdotool hangs";
        EXPECT_EQ(lauf.exitCode(), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return losgelassen >= 2; }, 5000)) << "Shift and the key let go";
        ort->removeEventFilter(&zaehler);
        const QString text = m.FeldText(Ort);
        ASSERT_EQ(text.size(), textVorher.size() + 1) << text.toStdString();
        EXPECT_FALSE(text.back().isDigit()) << "the shifted sign: " << text.toStdString();
        EXPECT_EQ(FeldAus(eintrag(0), Ort), text) << "stored at the release";
    }
    EXPECT_NE(m.FeldText(Ort), vorher);
    taste(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(gespeichert().value(u"17"_s)[Ort], m.FeldText(Ort));
}
