// The command table: every command reachable, hot keys unique, read-only
// locking applied by the window; the register's rules.
#include "addressbook/befehle.h"
#include "addressbook/sitzung.h"
#include "main_hilfen.h"
#include "support/fensterattrappe.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolButton>

#include <stdexcept>

using namespace zadressbuch;
using namespace Qt::StringLiterals;

namespace {

TEST(Befehlstabelle, JederBefehlHatEinenEintrag_KuerzelUndNamenEinmalig)
{
    QSet<QString> menues{u"mnuPopUp"_s};
    for (const MenueZeile& m : menuetabelle()) {
        const QString oben = QString::fromLatin1(m.oben);
        EXPECT_TRUE(oben.isEmpty() || menues.contains(oben)) << m.name << ": its menu comes first";
        menues.insert(QString::fromLatin1(m.name));
    }
    QSet<QString> namen;
    QSet<QString> kuerzel;
    for (const BefehlZeile& z : befehlstabelle()) {
        EXPECT_TRUE(menues.contains(QString::fromLatin1(z.menue))) << z.name;
        EXPECT_FALSE(namen.contains(QString::fromLatin1(z.name))) << z.name;
        namen.insert(QString::fromLatin1(z.name));
        const QString k = QKeySequence(QString::fromLatin1(z.kurz)).toString();
        if (!k.isEmpty()) {
            EXPECT_FALSE(kuerzel.contains(k)) << "hot key used twice: " << k.toStdString();
            kuerzel.insert(k);
        }
    }
    for (int b = 0; b < BefehlAnzahl; ++b)
        EXPECT_FALSE(befehlZeilen(Befehl(b)).empty()) << Befehl_Name(Befehl(b)).toStdString();
    QSet<int> symbole;
    for (const SymbolZeile& s : symboltabelle()) {
        EXPECT_FALSE(symbole.contains(s.index)) << s.index;
        symbole.insert(s.index);
    }
}

TEST(Befehlsregister, DoppeltAngemeldetIstEinFehler_EreignisseInReihenfolge)
{
    Befehlsregister r;
    FensterAttrappe f;
    QList<int> aufrufe;
    r.anmelden(Befehl::mnuSort, [&](Fenster&, int i) { aufrufe << i; });
    EXPECT_THROW(r.anmelden(Befehl::mnuSort, [](Fenster&, int) {}), std::logic_error);
    EXPECT_THROW(r.anmelden(Befehl::PulSichern, Befehlsregister::Handler()), std::logic_error);
    EXPECT_TRUE(r.ausfuehren(Befehl::mnuSort, f, 16));
    EXPECT_FALSE(r.ausfuehren(Befehl::PulSichern, f));
    EXPECT_EQ(aufrufe, QList<int>{16});

    // Card events: all handlers in order; a double-click ends at the first that acted.
    QStringList folge;
    r.anmelden(Kartenereignis::Feld_LostFocus, [&](Fenster&, int) {
        folge << u"a"_s;
        return true;
    });
    r.anmelden(Kartenereignis::Feld_LostFocus, [&](Fenster&, int) {
        folge << u"b"_s;
        return false;
    });
    EXPECT_TRUE(r.melden(Kartenereignis::Feld_LostFocus, f, 4));
    r.anmelden(Kartenereignis::Feld_DblClick, [&](Fenster&, int) {
        folge << u"c"_s;
        return true;
    });
    r.anmelden(Kartenereignis::Feld_DblClick, [&](Fenster&, int) {
        folge << u"d"_s;
        return true;
    });
    EXPECT_TRUE(r.melden(Kartenereignis::Feld_DblClick, f, 4));
    EXPECT_FALSE(r.melden(Kartenereignis::Feld_GotFocus, f, 4));
    EXPECT_EQ(folge, (QStringList{u"a"_s, u"b"_s, u"c"_s}));

    r.anmelden(Ablaufschritt::Ende_Uebergabe, [](Fenster& w, int) { w.Status(u"x"_s); });
    EXPECT_THROW(r.anmelden(Ablaufschritt::Ende_Uebergabe, [](Fenster&, int) {}), std::logic_error);
}

using BefehleImFenster = main_test::MainFensterTest;

// Every row stands in the window where the table says, with its caption and
// hot key; every entry runs its command; read-only mode greys exactly the
// locked rows.
TEST_F(BefehleImFenster, JederEintragFuehrtZuSeinemBefehl_NurLesenSperrtDieGesperrten)
{
    adressdatei({u"..Kunden"_s, main_test::zeile({{1, u"Meier"_s}})});
    QStringList namen;
    for (int b = 0; b < BefehlAnzahl; ++b)
        namen << Befehl_Name(Befehl(b)) + u"_Click"_s;
    const main_test::Handler alle(namen);
    ohneProgramm = true;
    Main& m = starten();

    for (const BefehlZeile& z : befehlstabelle()) {
        QAction* a = m.aktion(QString::fromLatin1(z.name));
        ASSERT_NE(a, nullptr) << z.name;
        // Reachable: its menu hangs in the menu bar (or is the popup menu).
        QMenu* menue = m.menue(QString::fromLatin1(z.menue));
        ASSERT_NE(menue, nullptr) << z.name;
        EXPECT_TRUE(menue->actions().contains(a)) << z.name;
        QWidget* oben = menue;
        while (qobject_cast<QMenu*>(oben) && oben != m.mnuPopUp() &&
               !m.menuBar()->actions().contains(static_cast<QMenu*>(oben)->menuAction()))
            oben = qobject_cast<QMenu*>(oben)->menuAction()->associatedObjects().value(0)
                       ? qobject_cast<QWidget*>(qobject_cast<QMenu*>(oben)->menuAction()->associatedObjects().value(0))
                       : nullptr;
        EXPECT_NE(oben, nullptr) << z.name << ": not reachable from the menu bar";
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(z.kurz))) << z.name;
        if (!a->isVisible())
            continue; // shown only where its program or file is set up (such an action cannot be triggered)
        EXPECT_TRUE(a->isEnabled()) << z.name;
        const QString name = Befehl_Name(z.befehl) + u"_Click"_s;
        const int vorher = alle.anzahl(name);
        a->trigger();
        EXPECT_EQ(alle.anzahl(name), vorher + 1) << z.name;
        EXPECT_EQ(alle.aufrufe.value(name).last(), z.index) << z.name;
    }
    for (const SymbolZeile& s : symboltabelle()) {
        const QString name = Befehl_Name(s.befehl) + u"_Click"_s;
        const int vorher = alle.anzahl(name);
        m.befSymbol(s.index)->click();
        EXPECT_EQ(alle.anzahl(name), vorher + 1) << s.index;
    }

    sitzung().KommandozeileReadonly = true;
    m.ReadOnlySet();
    for (const BefehlZeile& z : befehlstabelle()) {
        if (QAction* a = m.aktion(QString::fromLatin1(z.name)); a->isVisible()) {
            EXPECT_EQ(a->isEnabled(), !z.nurLesenGesperrt) << z.name;
        }
    }
    for (const SymbolZeile& s : symboltabelle())
        EXPECT_EQ(m.befSymbol(s.index)->isEnabled(), !befehlZeilen(s.befehl).front()->nurLesenGesperrt) << s.index;
}

} // namespace
