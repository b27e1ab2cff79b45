// The cash-on-delivery form opened from the real main window's print menu for
// an address abroad: the warning comes once, over the form on the screen.
#include "addressbook/main_hilfen.h"

#include "payment/ui/formprnnachnahme.h"
#include "support/dialoghilfe.h"

#include <QTimer>

using namespace zadressbuch;
using main_test::zeile;
using zzahlung::FormPrnNachnahme;

namespace {

using NachnahmeFenster = main_test::MainFensterTest;

// The cash-on-delivery form is shown.
bool formularZuSehen()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FormPrnNachnahme*>(w))
            return w->isVisible();
    return false;
}

} // namespace

TEST_F(NachnahmeFenster, LandWarnungEinmalUeberDemGezeigtenFormular)
{
    adressdatei({u"..Kunden"_s, zeile({{Nachname, u"Huber"_s}, {Plz, u"A-1010"_s}, {Ort, u"Wien"_s}})});
    Main& m = starten();
    ASSERT_EQ(sitzung().KatalogStdLand, u"D-"_s);
    QList<bool> formularBeiDerMeldung;
    plattform.beiMeldung = [&](const GezeigteMeldung&) { formularBeiDerMeldung << formularZuSehen(); };
    bool offen = false;
    amDialog<FormPrnNachnahme>([&](FormPrnNachnahme& f) {
        offen = true;
        // A step queued now runs after what the form does once it is shown.
        bool danach = false;
        QTimer::singleShot(0, &f, [&] { danach = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return danach; }));
        QTest::keyClick(&f, Qt::Key_Escape);
    });
    m.aktion(u"mnuPrnNachnahme"_s)->trigger();
    plattform.beiMeldung = nullptr;

    ASSERT_TRUE(offen);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text, u"Die Anschrift gehört zu einem anderen Land (Länderkennzeichen „A“)."_s);
    EXPECT_EQ(formularBeiDerMeldung, QList<bool>{true}) << "the form was not on the screen when the box came";
}
