// The commands on the real main window: the search entry takes the card's
// selection, and the settings command stores and applies the card's fonts.
#include "befehle_hilfe.h"
#include "modal_hilfe.h"

#include "addressbook/befehle.h"
#include "addressbook/ui/main.h"
#include "commands/ui/befehle.h"
#include "commands/ui/einstellbefehle.h"
#include "commands/ui/info.h"
#include "commands/ui/setup.h"
#include "commands/ui/tips.h"
#include "exchange/ui/befehle.h"

#include <QAction>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

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
        zbefehle::Befehle_Anmelden(register_);
        zbefehle::Einstellbefehle_Anmelden(register_);
        zaustausch::Befehle_Anmelden(register_);
        // No tip at the first paint: it would wait there, modally.
        iniSetzen(u"AutoTip"_s, u"0"_s);
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

// The menu "&Adresse" decides its entries when it opens: undo by the card's
// state, the clipboard import by the clipboard, the directory entries by
// "DInfoVer".
TEST_F(FensterTest, AdressmenueNachDemZustandDerKarte)
{
    auto sichtbar = [this](const char* name) { return fenster->aktion(QLatin1String(name))->isVisible(); };
    auto frei = [this](const char* name) { return fenster->aktion(QLatin1String(name))->isEnabled(); };

    plattform->zwischenablageSetzen(QString());
    fenster->PulBearbeiten_Click();
    EXPECT_FALSE(frei("mnuUndo"));
    EXPECT_FALSE(frei("mnuImpZA"));
    for (const char* n : {"mnuAdrImpDINFO99", "mnuAdrImpDINFO2000", "mnuAdrImpKlickTel98", "mnuAdrImpKlickTel1999"})
        EXPECT_FALSE(sichtbar(n)) << n;

    iniSetzen(u"DInfoVer"_s, u"KT1999"_s);
    plattform->zwischenablageSetzen(u"Anna Meier"_s);
    fenster->setFeldText(zadressbuch::Ort, u"Bonn"_s);
    fenster->Adresse_Uebernehmen(0);
    fenster->PulBearbeiten_Click();
    EXPECT_TRUE(frei("mnuUndo"));
    EXPECT_TRUE(frei("mnuImpZA"));
    EXPECT_TRUE(sichtbar("mnuAdrImpKlickTel1999"));
    EXPECT_FALSE(sichtbar("mnuAdrImpDINFO2000"));
    EXPECT_FALSE(sichtbar("mnuAdrImpKlickTel98"));
    EXPECT_FALSE(sichtbar("mnuAdrImpDINFO99"));
}

// "&Info / AGB..." shows the program's own emblem, and each line of the system
// text whole on one line, even with a long module package.
TEST_F(FensterTest, InfoZeigtEmblemUndJedeZeileGanz)
{
    zcommon::Ini_Schreiben(QString(), u"Allgemein"_s, u"ModulPaket32"_s, u"2.4 (Zettlora-Module)"_s);
    EXPECT_FALSE(fenster->windowIcon().isNull()) << "the main window carries the program's icon";
    EXPECT_TRUE(mitModalDialog<zbefehle::Info>(
        [&] { fenster->aktion(u"PulInfo"_s)->trigger(); },
        [](zbefehle::Info& i) {
            EXPECT_FALSE(i.windowIcon().isNull());
            const QImage bild = i.Emblem->pixmap().toImage();
            EXPECT_FALSE(bild.isNull()) << "an empty emblem";
            int gemalt = 0;
            for (int y = 0; y < bild.height(); ++y)
                for (int x = 0; x < bild.width(); ++x)
                    gemalt += qAlpha(bild.pixel(x, y)) > 0;
            EXPECT_GT(gemalt, bild.width() * bild.height() / 4) << "an empty emblem";
            QTextDocument* d = i.SysInfo->document();
            for (QTextBlock b = d->begin(); b.isValid(); b = b.next())
                EXPECT_EQ(b.layout()->lineCount(), 1) << b.text().toStdString();
            EXPECT_TRUE(i.SysInfo->toPlainText().contains(u"Modul-Paket: Installiert ist 2.4 (Zettlora-Module)"_s));
            EXPECT_EQ(i.SysInfo->verticalScrollBar()->maximum(), 0);
            i.befAbbrechen->click();
        }));
}

// "&Tipps..." without a tips file shows the dialog in its no-tips state, which
// switches the tip at start-up off.
TEST_F(FensterTest, TippsOhneTippdateiZeigenDenDialogOhneTipps)
{
    ASSERT_FALSE(QFile::exists(wurzel->programm() + u"/Tips.Bot"_s));
    // The first paint is past (the tip at start-up was off then); now it is on.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenster.get()));
    fenster->repaint();
    QCoreApplication::processEvents();
    iniSetzen(u"AutoTip"_s, u"1"_s);
    EXPECT_TRUE(mitModalDialog<zbefehle::Tips>([&] { fenster->aktion(u"mnuTips"_s)->trigger(); },
                                               [](zbefehle::Tips& t) {
                                                   EXPECT_EQ(t.bezTip0->text(), u"Keine Tipps gefunden!"_s);
                                                   EXPECT_EQ(t.bezTip->text(), QString());
                                                   EXPECT_FALSE(t.befNext->isEnabled());
                                                   EXPECT_FALSE(t.strgAutoTip->isChecked());
                                                   t.befAbbrechen->click();
                                               }))
        << "no dialog";
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"AutoTip"_s), u"0"_s);
}

// The settings dialog's "Sortieren nach" shows the fields' names only: the
// stored codes stay out of sight, in the box and in its opened list.
TEST_F(FensterTest, SortierlisteZeigtNurDieBezeichnungen)
{
    iniSetzen(u"SortAtClose"_s, u"16"_s);
    const QStringList namen{u"Keine Sortierung"_s, u"Rubrik"_s, u"Nachname"_s,         u"PLZ"_s,           u"Land"_s,
                            u"Telefon-Nr."_s,      u"Zusatz"_s, u"Erstellungsdatum"_s, u"Änderungsdatum"_s};
    EXPECT_TRUE(mitModalDialog<zbefehle::Setup>([&] { fenster->aktion(u"mnuSetup"_s)->trigger(); },
                                                [&](zbefehle::Setup& s) {
                                                    QComboBox* k = s.kombiSortAtEnd;
                                                    EXPECT_EQ(k->currentText(), u"Änderungsdatum"_s);
                                                    k->showPopup();
                                                    EXPECT_TRUE(
                                                        QTest::qWaitFor([k] { return k->view()->isVisible(); }));
                                                    QStringList gezeigt;
                                                    for (int r = 0; r < k->view()->model()->rowCount(); ++r)
                                                        gezeigt << k->view()->model()->index(r, 0).data().toString();
                                                    EXPECT_EQ(gezeigt, namen);
                                                    k->hidePopup();
                                                    k->setCurrentIndex(3);
                                                    s.BefOk->click();
                                                }));
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"SortAtClose"_s), u"04"_s) << "the code is what is stored";
}

// "nach &Geburtstag (Alter)" from the menu: the birthdays in date order, a
// year or a word that is no date sorted as text among them, empty ones first.
TEST_F(FensterTest, SortierenNachGeburtstagUeberDasMenue)
{
    auto& l = zadressbuch::adressliste();
    l.Clear();
    for (const QString& g : {u"unbekannt"_s, u"03.03.1962"_s, u"1960"_s, QString(), u"31.12.1959"_s, u"ca. 1950"_s,
                             u"1.2.1999"_s})
        l.AddItem(satzMit({{1, u"X"_s}, {20, g}}));
    l.setListIndex(0);
    QAction* eintrag = fenster->aktion(u"mnuSort_20"_s);
    ASSERT_NE(eintrag, nullptr);
    EXPECT_EQ(eintrag->text(), u"nach &Geburtstag (Alter)"_s);
    eintrag->trigger();
    EXPECT_EQ(spalte(l, 20), (QStringList{QString(), u"31.12.1959"_s, u"1960"_s, u"03.03.1962"_s, u"1.2.1999"_s,
                                          u"ca. 1950"_s, u"unbekannt"_s}));
    EXPECT_EQ(zadressbuch::FeldAus(l.List(l.ListIndex()), 20), u"unbekannt"_s) << "the selected entry stays selected";
}

// "nach &Geburtstag (Alter)": a value of exactly ten characters counts as
// dd.mm.yyyy whatever stands between its parts, and its key yyyy.mm.dd keeps
// the dots, so a year with a sign after it sorts after that year's dates.
// Each list is in the expected order and is fed in reversed.
TEST_F(FensterTest, SortierenNachGeburtstagZehnZeichenAlsDatum)
{
    const QStringList faelle[] = {
        {u"31.12.1959"_s, u"1960"_s, u"24/12/1960"_s, u"24-12-1961"_s, u"03.03.1962"_s, u"28.02.1999"_s,
         u"31.02.1999"_s, u"1.3.1999"_s, u"ca. 1950"_s},
        {u"15.06.1960"_s, u"1960/61"_s, u"1960?"_s, u"03.03.1961"_s},
    };
    auto& l = zadressbuch::adressliste();
    QAction* eintrag = fenster->aktion(u"mnuSort_20"_s);
    ASSERT_NE(eintrag, nullptr);
    for (const QStringList& erwartet : faelle) {
        SCOPED_TRACE(erwartet.join(u", "_s).toStdString());
        l.Clear();
        for (qsizetype i = erwartet.size() - 1; i >= 0; --i)
            l.AddItem(satzMit({{1, u"X"_s}, {20, erwartet.at(i)}}));
        l.setListIndex(0);
        eintrag->trigger();
        EXPECT_EQ(spalte(l, 20), erwartet);
    }
}
