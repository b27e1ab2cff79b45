// The program's assembly: what each part registers in the one register.
#include "addressbook/befehle.h"
#include "app/zusammenbau.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <stdexcept>

using namespace zadressbuch;
using namespace Qt::StringLiterals;

namespace {

TEST(Zusammenbau, JederGebauteBefehlIstAngemeldet_ZweimalZusammenbauenScheitert)
{
    Befehlsregister r;
    zapp::Programm_Zusammenbauen(r);
    QStringList fehlend;
    for (int b = 0; b < BefehlAnzahl; ++b)
        if (!r.angemeldet(Befehl(b)))
            fehlend << Befehl_Name(Befehl(b));
    // The commands whose windows are not built yet; the list only shrinks.
    const QStringList nochNichtGebaut = {u"mnuExportTKAnlage"_s};
    for (const QString& f : fehlend)
        EXPECT_TRUE(nochNichtGebaut.contains(f)) << "not registered: " << f.toStdString();
    for (const QString& f : nochNichtGebaut)
        EXPECT_TRUE(fehlend.contains(f)) << "registered now, take it off the list: " << f.toStdString();
    EXPECT_TRUE(r.angemeldet(Ablaufschritt::Start_Uebergabe));
    EXPECT_TRUE(r.angemeldet(Ablaufschritt::Ende_Uebergabe));

    // Each command has one handler: assembling again into the same register fails.
    EXPECT_THROW(zapp::Programm_Zusammenbauen(r), std::logic_error);
}

} // namespace
