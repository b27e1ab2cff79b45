// The payment forms opened from the real main window's print menu take the
// text selected in the card field the user was in, however the menu is
// reached: with the mouse, with Alt and the menu's letter, with Alt alone and
// the letters after it, or with Alt and the arrow keys. The menu bar takes
// the keyboard focus on the last three ways; the field still holds its
// selection when the form reads it, and shows it again afterwards.
#include "addressbook/main_hilfen.h"

#include "payment/ui/formprnlastschrift.h"
#include "payment/ui/formprnnachnahme.h"
#include "payment/ui/formprnueberweisung.h"
#include "support/dialoghilfe.h"

#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>

using namespace zadressbuch;
using main_test::zeile;

namespace {

enum class Weg { Maus, AltBuchstabe, AltAllein, AltPfeile };

const char* wegName(Weg w)
{
    switch (w) {
    case Weg::Maus:
        return "Maus";
    case Weg::AltBuchstabe:
        return "Alt+R";
    case Weg::AltAllein:
        return "Alt, R";
    case Weg::AltPfeile:
        return "Alt, Pfeiltasten";
    }
    return "";
}

class KartenAuswahl : public main_test::MainFensterTest
{
protected:
    // Alt pressed and released alone, as the keyboard delivers it.
    static void altAllein(QWidget* w)
    {
        QTest::keyPress(w, Qt::Key_Alt);
        QTest::keyRelease(w, Qt::Key_Alt, Qt::AltModifier);
    }

    // Drops down "D&rucken" from the field that has the focus, the way given.
    void druckmenueOeffnen(Main& m, QWidget* feld, Weg weg)
    {
        QMenu* drucken = m.menue(u"PulDrucken"_s);
        QMenuBar* leiste = m.menuBar();
        switch (weg) {
        case Weg::Maus:
            QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->actionGeometry(drucken->menuAction()).center());
            break;
        case Weg::AltBuchstabe:
            QTest::keyClick(feld, Qt::Key_R, Qt::AltModifier);
            break;
        case Weg::AltAllein:
            altAllein(feld);
            ASSERT_TRUE(leiste->hasFocus());
            QTest::keyClick(leiste, Qt::Key_R);
            break;
        case Weg::AltPfeile:
            altAllein(feld);
            ASSERT_TRUE(leiste->hasFocus());
            for (int i = 0; i < leiste->actions().size() && leiste->activeAction() != drucken->menuAction(); ++i)
                QTest::keyClick(leiste, Qt::Key_Right);
            ASSERT_EQ(leiste->activeAction(), drucken->menuAction());
            QTest::keyClick(leiste, Qt::Key_Down);
            break;
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return drucken->isVisible(); }));
        if (weg != Weg::Maus) {
            EXPECT_FALSE(feld->hasFocus()) << "the menu bar has the keyboard focus";
        }
    }

    // Chooses the entry in the dropped-down menu (by its letter from the
    // keyboard) and returns what the form that opens shows in its first
    // purpose line; the form is closed with its back command.
    QString eintragWaehlen(Main& m, const QString& eintrag, Qt::Key buchstabe, Weg weg)
    {
        QString gelesen = u"<kein Formular>"_s;
        bool fertig = false;
        amDialog<QDialog>([&](QDialog& d) {
            if (auto* u = qobject_cast<zzahlung::FormPrnUeberweisung*>(&d)) {
                gelesen = u->TxtVerwendung1->text();
                u->Zurueck();
            } else if (auto* l = qobject_cast<zzahlung::FormPrnLastschrift*>(&d)) {
                gelesen = l->TxtVerwendung1->text();
                l->befAbbrechen_Click();
            } else if (auto* n = qobject_cast<zzahlung::FormPrnNachnahme*>(&d)) {
                gelesen = n->txtArtikel1->currentText();
                n->befAbbrechen_Click();
            } else {
                d.reject();
            }
            fertig = true;
        });
        QMenu* drucken = m.menue(u"PulDrucken"_s);
        if (weg == Weg::Maus)
            QTest::mouseClick(drucken, Qt::LeftButton, {}, drucken->actionGeometry(m.aktion(eintrag)).center());
        else
            QTest::keyClick(drucken, buchstabe);
        EXPECT_TRUE(QTest::qWaitFor([&] { return fertig; }));
        EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
        return gelesen;
    }
};

} // namespace

TEST_F(KartenAuswahl, ZahlungsformulareUebernehmenDieAuswahlAufJedemWegDurchDasMenue)
{
    adressdatei({u"..Kunden"_s,
                 zeile({{Vorname, u"Anna"_s}, {Nachname, u"Muster"_s}, {Plz, u"12345"_s}, {Ort, u"Berlin"_s},
                        {Zusatz, u"Auftrag 4711 vom Mai"_s}, {Bemerkung, u"Rechnung°°4711 bezahlt"_s}, {Index, u"7"_s}})});
    Main& m = starten();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    QLineEdit* zusatz = textfeld(Zusatz);
    QTest::mouseClick(zusatz, Qt::LeftButton);
    ASSERT_TRUE(zusatz->hasFocus());
    zusatz->setSelection(0, 12);
    ASSERT_EQ(zusatz->selectedText(), u"Auftrag 4711"_s);

    const struct
    {
        const char* eintrag;
        Qt::Key buchstabe;
    } formulare[] = {{"mnuPrnUeberweisung", Qt::Key_W}, {"mnuPrnLastschrift", Qt::Key_A}, {"mnuPrnNachnahme", Qt::Key_N}};
    for (Weg weg : {Weg::Maus, Weg::AltBuchstabe, Weg::AltAllein, Weg::AltPfeile})
        for (const auto& f : formulare) {
            SCOPED_TRACE(std::string(wegName(weg)) + " " + f.eintrag);
            zusatz->setSelection(0, 12);
            druckmenueOeffnen(m, zusatz, weg);
            if (HasFatalFailure())
                return;
            EXPECT_EQ(eintragWaehlen(m, QLatin1String(f.eintrag), f.buchstabe, weg), u"Auftrag 4711"_s);
            // Back in the main window (the window system activates it again
            // when the form is gone): the field shows its selection again.
            m.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
            EXPECT_TRUE(QTest::qWaitFor([&] { return zusatz->hasFocus(); }));
            EXPECT_EQ(zusatz->selectedText(), u"Auftrag 4711"_s);
            EXPECT_EQ(sitzung().AktivesFeld, int(Zusatz));
        }

    // In the remarks two lines selected: one purpose line, a blank in place of the line break.
    auto* bemerkung = static_cast<QPlainTextEdit*>(m.Feld(Bemerkung));
    QTest::mouseClick(bemerkung->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_EQ(sitzung().AktivesFeld, int(Bemerkung));
    QTextCursor c(bemerkung->document());
    c.setPosition(0);
    c.setPosition(13, QTextCursor::KeepAnchor);
    bemerkung->setTextCursor(c);
    for (Weg weg : {Weg::AltBuchstabe, Weg::AltAllein}) {
        SCOPED_TRACE(wegName(weg));
        druckmenueOeffnen(m, bemerkung, weg);
        if (HasFatalFailure())
            return;
        EXPECT_EQ(eintragWaehlen(m, u"mnuPrnUeberweisung"_s, Qt::Key_W, weg), u"Rechnung 4711"_s);
        m.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
        EXPECT_EQ(bemerkung->textCursor().selectedText().size(), 13);
    }
}
