// The check commands, the zoom editor and the special-character picker run
// through the real main window: its menu entries, its card and its list.
#include "addressbook/main_hilfen.h"
#include "commands/ui/msgdoppelt.h"
#include "commands/ui/sonderzeichen.h"
#include "commands/ui/zoomtext.h"
#include "support/dialoghilfe.h"

#include <QAction>
#include <QTimer>

using namespace main_test;

namespace {

class PruefFensterTest : public MainFensterTest
{
};

TEST_F(PruefFensterTest, DoppelteAdresseUeberDasMenue)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Alpha"_s}, {23, u"1"_s}}), zeile({{1, u"Meier"_s}, {23, u"2"_s}}),
                 zeile({{1, u"MEIER"_s}, {11, u"anders"_s}, {23, u"3"_s}}), zeile({{1, u"Beta"_s}, {23, u"4"_s}})});
    zadressbuch::Main& m = starten();
    zadressbuch::adressliste().setListIndex(0);
    m.aktion(zadressbuch::Befehl::mnuChkDoppeltes)->trigger();
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].titel, u"Doppelte Adresse gefunden"_s);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 1);
    EXPECT_EQ(textfeld(1)->text(), u"Meier"_s);
    EXPECT_EQ(panel("Status"), u"Adresse ist doppelt vorhanden"_s);

    // The similar search from there: Yes twice, and No when the starting
    // entry comes round again at the end.
    plattform.antworten << zplatform::vbYes << zplatform::vbYes;
    m.aktion(zadressbuch::Befehl::mnuChkAehnliches)->trigger();
    EXPECT_EQ(plattform.meldungen.size(), 4u);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 1);
    EXPECT_EQ(panel("Status"), u"Adresse ist ähnlich vorhanden"_s);
}

TEST_F(PruefFensterTest, EMailPruefungUeberDasMenue)
{
    adressdatei({u"..Test"_s, zeile({{1, u"A"_s}, {14, u" a@b.de "_s}, {16, u"01.01.1999"_s}}),
                 zeile({{1, u"B"_s}, {14, u"falsch"_s}, {16, u"01.01.1999"_s}})});
    zadressbuch::Main& m = starten();
    zadressbuch::adressliste().setListIndex(0);
    m.aktion(zadressbuch::Befehl::mnuChkEmails)->trigger();
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(0), 14), u"a@b.de"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(0), 16), u"01.01.1999"_s);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 1);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text, u"eMail »falsch« ist ungültig"_s);
    EXPECT_EQ(panel("Status"), u"Bereit"_s);
}

TEST_F(PruefFensterTest, SonderzeichenUndZoomImKartenfeld)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Muller"_s}, {5, u"Koln"_s}})});
    zadressbuch::Main& m = starten();
    zadressbuch::adressliste().setListIndex(0);
    textfeld(1)->setFocus();
    fokus(textfeld(1), true);
    textfeld(1)->setSelection(1, 1);
    amDialog<zbefehle::Sonderzeichen>([](zbefehle::Sonderzeichen& s) {
        s.Text->setText(u"ü"_s);
        s.BefOk->click();
    });
    m.aktion(zadressbuch::Befehl::mnuSonderzeichenEinfg)->trigger();
    EXPECT_EQ(textfeld(1)->text(), u"Müller"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(0), 1), u"Müller"_s);

    textfeld(5)->setFocus();
    fokus(textfeld(5), true);
    amDialog<zbefehle::ZoomText>([](zbefehle::ZoomText& z) {
        EXPECT_EQ(z.windowTitle(), u"Zoom (Ort)"_s);
        z.Text->textSetzen(u"Köln"_s);
        z.BefOk->click();
    });
    m.aktion(zadressbuch::Befehl::befZoom)->trigger();
    EXPECT_EQ(textfeld(5)->text(), u"Köln"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(0), 5), u"Köln"_s);
}

// A name typed twice: leaving the field offers the address that has it;
// "&Ja" drops the new address and shows the old one.
TEST_F(PruefFensterTest, DoppelterNameBeimVerlassenDesNamensfelds)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Meier"_s}, {2, u"Anna"_s}, {5, u"Köln"_s}}), zeile({{1, u"Beta"_s}})});
    einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
    starten();
    zadressbuch::adressliste().setListIndex(1);
    textfeld(2)->setFocus();
    fokus(textfeld(2), true);
    tippen(textfeld(2), u"Anna"_s);
    fokus(textfeld(2), false);
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 2); // "Beta Anna" is no other address

    textfeld(1)->setFocus();
    fokus(textfeld(1), true);
    textfeld(1)->selectAll();
    tippen(textfeld(1), u"meier"_s);
    amDialog<zbefehle::MsgDoppelt>([](zbefehle::MsgDoppelt& d) {
        EXPECT_TRUE(d.Text->toPlainText().contains(u"Ort: Köln"_s));
        d.BefOk->click();
    });
    fokus(textfeld(1), false);
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 1);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 0);
    EXPECT_EQ(textfeld(1)->text(), u"Meier"_s);
    EXPECT_EQ(textfeld(5)->text(), u"Köln"_s);
}

// The name typed into a new address stands twice (#11 and #322): the
// question offers #11, and "&Ja" shows it. The name on the card is then the
// stored one, no name the user typed: no second question, whatever field the
// user leaves, and both addresses stay.
TEST_F(PruefFensterTest, NachDemWechselFragtDerGespeicherteNameNichtNochEinmal)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Schmitt"_s}, {2, u"Matthias"_s}, {5, u"Köln"_s}, {23, u"11"_s}}),
                 zeile({{1, u"Weber"_s}, {2, u"Eva"_s}, {23, u"12"_s}}),
                 zeile({{1, u"Schmitt"_s}, {2, u"Matthias"_s}, {5, u"Bonn"_s}, {23, u"322"_s}})});
    einstellung(u"AutoSucheDoppeltenNamen"_s, u"1"_s);
    zadressbuch::Main& m = starten();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    zadressbuch::adressliste().setListIndex(1);
    // Every question is answered "&Ja", as the user did.
    QStringList fragen;
    QTimer antworten;
    antworten.setInterval(10);
    QObject::connect(&antworten, &QTimer::timeout, [&fragen] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<zbefehle::MsgDoppelt*>(w); d && d->isVisible()) {
                fragen << d->Text->toPlainText();
                d->BefOk->click();
            }
    });
    antworten.start();
    auto taste = [](Qt::Key k, Qt::KeyboardModifiers mod = {}) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), k, mod);
    };

    taste(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(zadressbuch::adressliste().ListCount(), 4);
    QTest::mouseClick(textfeld(1), Qt::LeftButton);
    tippen(textfeld(1), u"Schmitt"_s);
    taste(Qt::Key_Tab);
    tippen(QApplication::focusWidget(), u"Matthias"_s);
    taste(Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fragen.isEmpty(); }));
    EXPECT_TRUE(fragen[0].contains(u"Ort: Köln"_s)) << fragen[0].toStdString();
    EXPECT_EQ(panel("Index"), u" #11 "_s);
    // The window back in front, and on through the card.
    m.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
    EXPECT_EQ(fragen.size(), 1) << fragen.join(u" / "_s).toStdString();
    for (int i = 0; i < 3; ++i)
        taste(Qt::Key_Tab);
    QTest::mouseClick(textfeld(2), Qt::LeftButton);
    QTest::mouseClick(textfeld(1), Qt::LeftButton);
    QTest::mouseClick(textfeld(5), Qt::LeftButton);
    EXPECT_EQ(fragen.size(), 1) << fragen.join(u" / "_s).toStdString();
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 3);
    EXPECT_EQ(panel("Index"), u" #11 "_s);
    EXPECT_EQ(textfeld(5)->text(), u"Köln"_s);
    EXPECT_EQ(zadressbuch::FeldAus(eintrag(2), 5), u"Bonn"_s) << "#322 is still there";

    // The same name typed over the stored one is no change.
    QTest::mouseClick(textfeld(2), Qt::LeftButton);
    textfeld(2)->selectAll();
    tippen(textfeld(2), u"Matthias"_s);
    taste(Qt::Key_Tab);
    EXPECT_EQ(fragen.size(), 1);
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 3);
}

} // namespace
