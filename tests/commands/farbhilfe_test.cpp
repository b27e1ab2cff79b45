// F1 in the colour dialog opens the help at the section of the window that
// opened it, as F1 does in every window of the program.
#include "befehle_hilfe.h"
#include "modal_hilfe.h"

#include "commands/ui/schriftdialog.h"
#include "commands/ui/setup.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QTest>

using namespace zbefehle;
using namespace Qt::StringLiterals;

namespace {

// F1 pressed where the user types in the colour dialog, which is then
// cancelled; true when the dialog came up.
bool f1ImFarbdialog(const std::function<void()>& oeffnen)
{
    return mitModalDialog<QColorDialog>(oeffnen, [](QColorDialog& c) {
        // The dialog that opened it may still be taking the focus.
        EXPECT_TRUE(QTest::qWaitFor([&c] {
            QCoreApplication::processEvents();
            if (!c.isActiveWindow())
                c.activateWindow();
            return c.isActiveWindow();
        }));
        QWidget* fokus = QApplication::focusWidget();
        QTest::keyClick(fokus && fokus->window() == &c ? fokus : &c, Qt::Key_F1);
        c.reject();
    });
}

} // namespace

TEST_F(BefehleTest, F1ImFarbdialogZeigtDenAbschnittDesFensters)
{
    QFile hilfe(wurzel->programm() + u"/Zettlora.html"_s);
    ASSERT_TRUE(hilfe.open(QIODevice::WriteOnly));
    hilfe.close();
    const struct
    {
        const char* name;
        std::function<bool()> tun; // true when every dialog on the way came up
        const char* abschnitt;
    } faelle[] = {
        {"Schriftart",
         [] {
             SchriftDialog d(u"Arial;10;0;0;0;0"_s, 4, 16);
             return f1ImFarbdialog([&] { d.befFarbe->click(); });
         },
         "schriftart"},
        {"Einstellungen",
         [] {
             zbefehle::Setup s{SetupKarte()};
             return f1ImFarbdialog([&] { s.BefSetBackCol->click(); });
         },
         "einstellungen"},
        {"Schriftart aus den Einstellungen",
         [] {
             zbefehle::Setup s{SetupKarte()};
             bool farbe = false;
             const bool schrift = mitModalDialog<SchriftDialog>([&] { s.BefSetFont[0]->click(); },
                                                                [&](SchriftDialog& d) {
                                                                    farbe = f1ImFarbdialog([&] { d.befFarbe->click(); });
                                                                    d.befAbbrechen->click();
                                                                });
             return schrift && farbe;
         },
         "schriftart"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        plattform->geoeffneteAdressen.clear();
        EXPECT_TRUE(f.tun());
        ASSERT_EQ(plattform->geoeffneteAdressen.size(), 1);
        EXPECT_TRUE(plattform->geoeffneteAdressen[0].endsWith(u"/Zettlora.html#"_s + QLatin1String(f.abschnitt)))
            << plattform->geoeffneteAdressen[0].toStdString();
    }
}
