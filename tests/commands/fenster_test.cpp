// The commands on the real main window: the search entry takes the card's
// selection, and the settings command stores and applies the card's fonts.
#include "befehle_hilfe.h"
#include "modal_hilfe.h"

#include "addressbook/befehle.h"
#include "addressbook/ui/main.h"
#include "commands/ui/einstellbefehle.h"
#include "commands/ui/setup.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;
using zadressbuch::Befehl;
using zadressbuch::sitzung;

namespace {

class FensterTest : public BefehleTest
{
protected:
    void SetUp() override
    {
        BefehleTest::SetUp();
        zbefehle::Einstellbefehle_Anmelden(register_);
        fenster = std::make_unique<zadressbuch::Main>(register_);
        auto& l = zadressbuch::adressliste();
        l.Clear();
        for (const auto& [name, ort] : {std::pair{u"Meier"_s, u"Berlin"_s}, std::pair{u"Schulz"_s, u"Köln"_s},
                                        std::pair{u"Brandt"_s, u"Köln Mitte"_s}})
            l.AddItem(satzMit({{1, name}, {5, ort}}));
        l.setListIndex(0);
        fenster->show();
    }
    void TearDown() override
    {
        fenster.reset();
        zadressbuch::adressliste().Clear();
        BefehleTest::TearDown();
    }
    zadressbuch::Befehlsregister register_;
    std::unique_ptr<zadressbuch::Main> fenster;
};

} // namespace

TEST_F(FensterTest, SuchenNimmtDieAuswahlDesKartenfelds)
{
    auto* ort = qobject_cast<QLineEdit*>(fenster->Feld(zadressbuch::Ort));
    ASSERT_NE(ort, nullptr);
    fenster->setFeldText(zadressbuch::Ort, u"Köln"_s);
    ort->setFocus();
    fenster->Feld_GotFocus(zadressbuch::Ort);
    ort->selectAll();
    register_.ausfuehren(Befehl::mnuSuchenText, *fenster);
    EXPECT_EQ(fenster->TxtSuche->text(), u"Köln"_s);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 1);
    EXPECT_EQ(fenster->TxtSuche->selectedText(), u"Köln"_s);

    // From the search box it searches for the box's own text again.
    sitzung().FeldHatteFokus = 0;
    register_.ausfuehren(Befehl::mnuSuchenText, *fenster);
    EXPECT_EQ(fenster->TxtSuche->text(), u"Köln"_s);
    EXPECT_EQ(zadressbuch::adressliste().ListIndex(), 2);
}

TEST_F(FensterTest, EinstellungenSichernDieGewaehlteSchrift)
{
    EXPECT_TRUE(mitModalDialog<zbefehle::Setup>([&] { register_.ausfuehren(Befehl::mnuSetup, *fenster); },
                                                [](zbefehle::Setup& s) {
                                                    EXPECT_FALSE(s.karte().schriftEin.isEmpty());
                                                    s.farbeWaehlen = [](qint64) { return qint64(0xE0F0FF); };
                                                    s.BefSetBackCol->click();
                                                    s.comboAutoFormatCase->setCurrentIndex(3);
                                                    s.close();
                                                }));
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"SchriftBackCol"_s), QString::number(0xE0F0FF));
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"AutoFormatUCase"_s), u"3"_s);
    // Applied: the card shows the new background.
    const QColor c = fenster->Feld(3)->palette().color(fenster->Feld(3)->backgroundRole());
    EXPECT_EQ(c, QColor(0xFF, 0xF0, 0xE0));
}
