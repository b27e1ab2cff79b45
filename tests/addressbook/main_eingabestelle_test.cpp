// The commands that work where the user left the card (special characters,
// the zoom editor), on the real main window with the program's commands and
// the real dialogs: after the search box had the focus, after a click into
// another field while the window was in the background, and at the input
// limit of a field, which every way of writing into it keeps.
#include "main_hilfen.h"

#include "addressbook/ui/auswahl.h"
#include "commands/ui/sonderzeichen.h"
#include "commands/modal_hilfe.h"
#include "commands/ui/zoomtext.h"
#include "support/dialoghilfe.h"

#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

using namespace zadressbuch;
using main_test::zeile;

namespace {

class MainEingabestelle : public main_test::MainFensterTest
{
protected:
    Main& aktivStarten()
    {
        Main& m = starten();
        m.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        return m;
    }
    // A click at the right end of a one-line control: the cursor after its text.
    static void klickAmEnde(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 4, w->height() / 2)); }
    // "Sonderzeichen einfügen..." from the menu; the picker hands over the text.
    void sonderzeichen(const QString& text)
    {
        amDialog<zbefehle::Sonderzeichen>([text](zbefehle::Sonderzeichen& s) {
            s.Text->setText(text);
            s.BefOk->click();
        });
        fenster->aktion(u"mnuSonderzeichenEinfg"_s)->trigger();
        wiederAktiv();
    }
    // The main window active again after a dialog, as the window system makes
    // it (the offscreen platform has none that would).
    void wiederAktiv()
    {
        fenster->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    }
    int systemHand() const { return int(plattform.toene.count(u"#SystemHand"_s)); }
};

} // namespace

// The search box had the focus last: the characters go into the search box,
// the card and the list stay as they were; the zoom editor says it needs a
// card field.
TEST_F(MainEingabestelle, NachDerSucheBleibtDieKarteUnberuehrt)
{
    adressdatei({u"..Kunden"_s, zeile({{Nachname, u"Meier"_s}, {GeaendertAm, u"01.01.1999"_s}})});
    Main& m = aktivStarten();
    const QString vorher = eintrag(0);
    klickAmEnde(textfeld(Nachname));
    EXPECT_EQ(sitzung().AktivesFeld, Nachname);
    klickAmEnde(m.TxtSuche);
    EXPECT_EQ(sitzung().FeldHatteFokus, 0);

    sonderzeichen(u"ä"_s);
    EXPECT_EQ(m.TxtSuche->text(), u"ä"_s);
    EXPECT_TRUE(QTest::qWaitFor([&m] { return m.TxtSuche->hasFocus(); }));
    EXPECT_EQ(m.FeldText(Nachname), u"Meier"_s);
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(sitzung().Geaendert, 0);

    m.befehlAusfuehren(Befehl::befZoom);
    EXPECT_EQ(plattform.letzteMeldung(), u"Bitte setzen Sie zuerst den Cursor in ein Eingabefeld."_s);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(eintrag(0), vorher);

    // Back in the surname: the zoom editor opens on it; OK without a change
    // neither stores nor re-dates the address.
    klickAmEnde(textfeld(Nachname));
    QString titel;
    amDialog<zbefehle::ZoomText>([&titel](zbefehle::ZoomText& z) {
        titel = z.windowTitle();
        z.BefOk->click();
    });
    m.befehlAusfuehren(Befehl::befZoom);
    wiederAktiv();
    EXPECT_EQ(titel, u"Zoom (Nachname)"_s);
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(sitzung().Geaendert, 0);

    // A locked field takes no special characters: the picker does not open.
    klickAmEnde(textfeld(ErstelltAm));
    EXPECT_FALSE(mitModalDialog<zbefehle::Sonderzeichen>(
        [&m] { m.aktion(u"mnuSonderzeichenEinfg"_s)->trigger(); },
        [](zbefehle::Sonderzeichen& s) { s.BefAbbruch->click(); }));
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(systemHand(), 1);
}

// The user was in the remark, switched to another window and came back with
// a click into the surname: the window gets that click before it is active
// again, so the field is entered only when the window comes back. The
// characters go to the surname at its cursor, each after the one before.
TEST_F(MainEingabestelle, KlickInsFeldWaehrendEinAnderesFensterAktivWar)
{
    main_test::einstellung(u"AutoFormatUCase"_s, u"3"_s); // leaving a changed field writes it in capitals
    adressdatei({u"..Kunden"_s, zeile({{Nachname, u"Meier"_s}, {Bemerkung, u"Kunde seit 1990"_s}})});
    Main& m = aktivStarten();
    auto* bemerkung = static_cast<QPlainTextEdit*>(m.Feld(Bemerkung));
    QTest::mouseClick(bemerkung->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(sitzung().AktivesFeld, Bemerkung);

    QWidget anderes;
    anderes.resize(200, 100);
    anderes.show();
    anderes.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&anderes));
    klickAmEnde(textfeld(Nachname));
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    EXPECT_TRUE(textfeld(Nachname)->hasFocus());
    EXPECT_EQ(sitzung().AktivesFeld, Nachname);
    EXPECT_EQ(sitzung().FeldHatteFokus, 1);

    sonderzeichen(u"~~"_s);
    EXPECT_EQ(m.FeldText(Nachname), u"Meier~~"_s);
    EXPECT_EQ(m.FeldText(Bemerkung), u"Kunde seit 1990"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Nachname), u"Meier~~"_s);
    sonderzeichen(u"ä"_s);
    EXPECT_EQ(m.FeldText(Nachname), u"Meier~~ä"_s);

    // A selection is replaced.
    textfeld(Nachname)->setSelection(0, 5);
    sonderzeichen(u"Müller"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Nachname), u"Müller~~ä"_s);

    // Away again, and back with a click into the search box: the surname is
    // left then (and written in capitals).
    anderes.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&anderes));
    klickAmEnde(m.TxtSuche);
    wiederAktiv();
    EXPECT_EQ(sitzung().FeldHatteFokus, 0);
    EXPECT_EQ(FeldAus(eintrag(0), Nachname), u"MÜLLER~~Ä"_s);
}

// The postcode takes 8 characters however the text comes: picked special
// characters and a choice of the field's pick list are cut, the zoom editor
// refuses a date that does not fit; each time with the sound of a refused key.
TEST_F(MainEingabestelle, DieEingabegrenzeGiltFuerJedenWegInsFeld)
{
    wurzel.schreiben(u"programm/Liste04.txt"_s, u"123456789012\r\n"_s);
    adressdatei({u"..Kunden"_s, zeile({{Nachname, u"Meier"_s}, {Plz, u"12345"_s}})});
    Main& m = aktivStarten();
    klickAmEnde(textfeld(Plz));
    sonderzeichen(u"äöüß"_s);
    EXPECT_EQ(m.FeldText(Plz), u"12345äöü"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Plz), u"12345äöü"_s);
    EXPECT_EQ(systemHand(), 1);
    // Full: nothing more goes in, nothing is stored.
    sitzung().Geaendert = 0;
    sonderzeichen(u"x"_s);
    EXPECT_EQ(m.FeldText(Plz), u"12345äöü"_s);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(systemHand(), 2);

    // The zoom editor: Ctrl+D would make 14 characters and is refused; typed
    // characters fit up to the limit.
    textfeld(Plz)->setText(u"123"_s);
    klickAmEnde(textfeld(Plz));
    QString imEditor;
    amDialog<zbefehle::ZoomText>([&imEditor](zbefehle::ZoomText& z) {
        z.Text->moveCursor(QTextCursor::End);
        QTest::keyClick(z.Text, Qt::Key_D, Qt::ControlModifier);
        imEditor = z.Text->text();
        QTest::keyClicks(z.Text, u"456789"_s);
        z.BefOk->click();
    });
    m.befehlAusfuehren(Befehl::befZoom);
    wiederAktiv();
    EXPECT_EQ(imEditor, u"123"_s) << "no half date";
    EXPECT_EQ(m.FeldText(Plz), u"12345678"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Plz), u"12345678"_s);

    // The field's pick list.
    textfeld(Plz)->clear();
    amDialog<Auswahl>([](Auswahl& a) {
        QTest::mouseClick(a.Liste->viewport(), Qt::LeftButton, {}, a.Liste->visualItemRect(a.Liste->item(0)).center());
        a.BefOk->click();
    });
    QTest::mouseDClick(textfeld(Plz), Qt::LeftButton);
    wiederAktiv();
    EXPECT_EQ(m.FeldText(Plz), u"12345678"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Plz), u"12345678"_s);
}

// Alt gives the menu bar the keyboard focus; like a menu dropped down with
// the mouse, that is no leaving of the card field: a changed field is not yet
// formatted, and it keeps its selection for the command chosen (the search
// entry takes the selected word). The field is left when the focus goes on
// from the menu bar to another control.
TEST_F(MainEingabestelle, DieMenueleisteVerlaesstDasFeldNicht)
{
    main_test::einstellung(u"AutoFormatUCase"_s, u"3"_s); // leaving a changed field writes it in capitals
    adressdatei({u"..Kunden"_s, zeile({{Nachname, u"Meier"_s}, {Vorname, u"Eva"_s}})});
    Main& m = aktivStarten();
    QMenuBar* leiste = m.menuBar();
    auto altAllein = [](QWidget* w) {
        QTest::keyPress(w, Qt::Key_Alt);
        QTest::keyRelease(w, Qt::Key_Alt, Qt::AltModifier);
    };

    // Alt, then a click into the street: the first name is left only with the click.
    klickAmEnde(textfeld(Vorname));
    main_test::tippen(textfeld(Vorname), u"s"_s);
    altAllein(textfeld(Vorname));
    ASSERT_TRUE(leiste->hasFocus());
    EXPECT_EQ(m.FeldText(Vorname), u"Evas"_s);
    klickAmEnde(textfeld(Strasse));
    EXPECT_EQ(m.FeldText(Vorname), u"EVAS"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Vorname), u"EVAS"_s);
    EXPECT_EQ(sitzung().AktivesFeld, Strasse);

    // Alt and Esc in the surname: back in the field with its selection, not left.
    klickAmEnde(textfeld(Nachname));
    main_test::tippen(textfeld(Nachname), u" Schulz"_s);
    textfeld(Nachname)->setSelection(6, 6);
    altAllein(textfeld(Nachname));
    ASSERT_TRUE(leiste->hasFocus());
    QTest::keyClick(leiste, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return textfeld(Nachname)->hasFocus(); }));
    EXPECT_EQ(m.FeldText(Nachname), u"Meier Schulz"_s);
    EXPECT_EQ(textfeld(Nachname)->selectedText(), u"Schulz"_s);

    // Alt+S, A: the search entry searches for the selected word; the search
    // box takes the focus, so the surname is left now.
    QTest::keyClick(textfeld(Nachname), Qt::Key_S, Qt::AltModifier);
    QMenu* suchen = m.menue(u"mnuSuchen"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return suchen->isVisible(); }));
    QTest::keyClick(suchen, Qt::Key_A);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !suchen->isVisible(); }));
    EXPECT_EQ(m.TxtSuche->text(), u"Schulz"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Nachname), u"MEIER SCHULZ"_s);
}

// Alt, then Tab on the menu bar: the card moves on as with Tab in the field,
// and the field is left (a changed field is formatted and stored).
TEST_F(MainEingabestelle, AltDannTabVerlaesstDasFeld)
{
    main_test::einstellung(u"AutoFormatUCase"_s, u"3"_s);
    adressdatei({u"..Kunden"_s, zeile({{Nachname, u"Meier"_s}, {Vorname, u"Eva"_s}})});
    Main& m = aktivStarten();
    QMenuBar* leiste = m.menuBar();

    klickAmEnde(textfeld(Vorname));
    main_test::tippen(textfeld(Vorname), u"s"_s);
    QTest::keyPress(textfeld(Vorname), Qt::Key_Alt);
    QTest::keyRelease(textfeld(Vorname), Qt::Key_Alt, Qt::AltModifier);
    ASSERT_TRUE(leiste->hasFocus());
    EXPECT_EQ(m.FeldText(Vorname), u"Evas"_s);
    QTest::keyClick(leiste, Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !leiste->hasFocus() && !textfeld(Vorname)->hasFocus(); }));
    EXPECT_EQ(leiste->activeAction(), nullptr);
    EXPECT_EQ(m.FeldText(Vorname), u"EVAS"_s);
    EXPECT_EQ(FeldAus(eintrag(0), Vorname), u"EVAS"_s);
    EXPECT_NE(sitzung().AktivesFeld, Vorname);
}
