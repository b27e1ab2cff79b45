// The companion-program menu: the running program's entry is hidden, the
// status panel says what happens.
#include "common/programme.h"
#include "common/ui/begleitprogramme.h"
#include "support/testplattform.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <gtest/gtest.h>

using namespace zcommon;

TEST(Begleitprogramme, MenueVerbirgtDasLaufendeProgramm)
{
    TempWurzel w;
    TestPlattform p;
    QMainWindow fenster;
    QMenu* menue = new QMenu(&fenster);
    for (int i = 0; i < BegleitprogrammAnzahl; ++i)
        menue->addAction(QStringLiteral("Eintrag %1").arg(i))->setObjectName(QStringLiteral("mnuPrg_%1").arg(i));
    menue->actions().at(2)->setVisible(false);

    QStringList status;
    Begleitprogramme_Menue(&fenster, [&status](const QString& t) { status << t; });
    EXPECT_EQ(status, (QStringList{QStringLiteral("Suche Programme..."), QStringLiteral("Bereit")}));
    const QList<QAction*> eintraege = menue->actions();
    EXPECT_FALSE(eintraege.at(0)->isVisible()); // this program itself
    EXPECT_TRUE(eintraege.at(1)->isVisible());
    EXPECT_TRUE(eintraege.at(2)->isVisible());
    EXPECT_TRUE(eintraege.at(3)->isVisible());

    // A missing companion is named in the message.
    EXPECT_FALSE(Begleitprogramm_Starten(3));
    EXPECT_TRUE(p.letzteMeldung().startsWith(QStringLiteral("Lindoras"))) << p.letzteMeldung().toStdString();
}
