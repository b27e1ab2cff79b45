// The mask commands through the real main window: the editor from the menu
// "&Weiteres", the clipboard copy from "&Exportieren", the caption rename
// from the card's popup menu.
#include "addressbook/main_hilfen.h"
#include "masks/ui/maskenedit.h"
#include "masks/ui/zaexport.h"
#include "support/dialoghilfe.h"

#include <QAction>
#include <QTimer>

using namespace main_test;

namespace {

class MaskenFensterTest : public MainFensterTest
{
};

TEST_F(MaskenFensterTest, EditorZwischenablageUndUmbenennen)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Meier"_s}, {2, u"Anna"_s}, {5, u"Köln"_s}})});
    zadressbuch::Main& m = starten();
    zadressbuch::adressliste().setListIndex(0);
    const QString ordner = zadressbuch::sitzung().MaskenOrdner;

    // Write and save a mask in the editor.
    zmasken::MaskenEdit::letzteMaske().clear();
    const auto alteWahl = zmasken::MaskenEdit::dateiwahl();
    zmasken::MaskenEdit::dateiwahl() = [&](const QString&, bool) { return ordner + u"/Anschrift.msk"_s; };
    amDialog<zmasken::MaskenEdit>([](zmasken::MaskenEdit& e) {
        QTest::keyClicks(e.Text1, u"{Vorname} {Nachname}"_s);
        QTest::keyClick(e.Text1, Qt::Key_Return);
        QTest::keyClicks(e.Text1, u"{Ort}"_s);
        e.mnuSpeichern->trigger();
        e.mnuEnde->trigger();
    });
    m.aktion(zadressbuch::Befehl::mnuMaskenEdit)->trigger();
    zmasken::MaskenEdit::dateiwahl() = alteWahl;
    EXPECT_EQ(wurzel.lesen(ordner.mid(wurzel.wurzel().size() + 1) + u"/Anschrift.msk"_s),
              u"{Vorname} {Nachname}\r\n{Ort}"_s);

    // Copy the card through it.
    amDialog<zmasken::ZAexport>([](zmasken::ZAexport& z) {
        EXPECT_EQ(z.ComboMasken->currentText(), u"Anschrift"_s);
        z.BefOk->click();
    });
    m.aktion(zadressbuch::Befehl::PulZAdresse)->trigger();
    EXPECT_EQ(plattform.zwischenablage(), u"Anna Meier\r\nKöln"_s);

    // Rename the caption of field 5: the mask follows, the copy still works.
    zadressbuch::sitzung().AktivesFeld = 5;
    plattform.eingaben << u"Wohnort"_s;
    plattform.antworten << zplatform::vbYes;
    m.aktion(zadressbuch::Befehl::mnuPopFeldBeschriftungAendern)->trigger();
    EXPECT_EQ(zadressbuch::sitzung().Bezeichnungen[5], u"Wohnort"_s);
    EXPECT_EQ(wurzel.lesen(ordner.mid(wurzel.wurzel().size() + 1) + u"/Anschrift.msk"_s),
              u"{Vorname} {Nachname}\r\n{Wohnort}\r\n"_s);
    amDialog<zmasken::ZAexport>([](zmasken::ZAexport& z) { z.BefOk->click(); });
    plattform.zwischenablageSetzen(QString());
    m.aktion(zadressbuch::Befehl::PulZAdresse)->trigger();
    EXPECT_EQ(plattform.zwischenablage(), u"Anna Meier\r\nKöln"_s);
}

} // namespace
