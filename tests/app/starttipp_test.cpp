// The tip at start-up on the assembled program: at the first paint the tips
// dialog opens over the main window; without a tips file in its no-tips
// state, which switches the tip off, so the next start shows none.
#include "addressbook/main_hilfen.h"
#include "commands/modal_hilfe.h"
#include "commands/ui/tips.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace main_test;

namespace {

// What the user saw of the dialog before closing it.
struct Gesehen
{
    bool offen = false;
    QString titel, frage, tipp;
    bool naechsterTipp = false;
    bool haken = false;
};

class Starttipp : public MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        tippBeimStart = true;
        adressdatei({zeile({{1, u"Meier"_s}, {5, u"Bonn"_s}})});
    }

    // Starts the program and waits until its first paint is over; a tips
    // dialog shown meanwhile is read and closed with "&Schließen".
    Gesehen startenUndAbwarten()
    {
        Gesehen g;
        bool fertig = false;
        mitModalDialog<zbefehle::Tips>(
            [&] {
                zadressbuch::Main& m = starten();
                EXPECT_TRUE(QTest::qWaitForWindowExposed(&m));
                m.repaint();
                QCoreApplication::sendPostedEvents();
                QCoreApplication::processEvents();
                fertig = true;
            },
            [&](zbefehle::Tips& t) {
                g.offen = true;
                g.titel = t.windowTitle();
                g.frage = t.bezTip0->text();
                g.tipp = t.bezTip->text();
                g.naechsterTipp = t.befNext->isEnabled();
                g.haken = t.strgAutoTip->isChecked();
                EXPECT_EQ(t.parentWidget(), fenster.get());
                t.befAbbrechen->click();
            });
        EXPECT_TRUE(fertig);
        return g;
    }
};

TEST_F(Starttipp, OhneTippdateiEinmalDerDialogOhneTipps_DanachNichtMehr)
{
    ASSERT_FALSE(QFile::exists(wurzel.programm() + u"/Tips.Bot"_s));
    ASSERT_EQ(ini(u"AutoTip"_s), u"<fehlt>"_s);

    const Gesehen erster = startenUndAbwarten();
    ASSERT_TRUE(erster.offen) << "no dialog at the first paint";
    EXPECT_EQ(erster.frage, u"Keine Tipps gefunden!"_s);
    EXPECT_EQ(erster.tipp, QString());
    EXPECT_FALSE(erster.naechsterTipp);
    EXPECT_FALSE(erster.haken);
    EXPECT_EQ(ini(u"AutoTip"_s), u"0"_s);
    EXPECT_NE(panel("Status"), u"Keine Tipps gefunden!"_s);

    neuerLauf();
    const Gesehen zweiter = startenUndAbwarten();
    EXPECT_FALSE(zweiter.offen) << "the tip at start-up came again";
    EXPECT_EQ(ini(u"AutoTip"_s), u"0"_s);
}

// With the installed tips file a tip opens at every start until the user
// clears the check box.
TEST_F(Starttipp, MitTippdateiBeiJedemStartEinTipp)
{
    erstausstattung();
    const Gesehen erster = startenUndAbwarten();
    ASSERT_TRUE(erster.offen) << "no dialog at the first paint";
    EXPECT_NE(erster.frage, u"Keine Tipps gefunden!"_s);
    EXPECT_FALSE(erster.tipp.isEmpty());
    EXPECT_TRUE(erster.naechsterTipp);
    EXPECT_TRUE(erster.haken);
    EXPECT_EQ(ini(u"AutoTip"_s), u"1"_s) << "the box ticked on loading writes the setting";

    neuerLauf();
    EXPECT_TRUE(startenUndAbwarten().offen);
}

} // namespace
