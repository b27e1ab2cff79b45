// The small card dialogs run for real (offscreen): the duplicate message, the
// zoom editor and the special-character picker, and the commands that open
// them for the focused card field.
#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/kartenfeld.h"
#include "commands/modal_hilfe.h"
#include "commands/ui/msgdoppelt.h"
#include "commands/ui/pruefbefehle.h"
#include "commands/ui/sonderzeichen.h"
#include "commands/ui/zoomtext.h"
#include "commands/zeichenhilfen.h"
#include "common/ini.h"
#include "platform/ui/twips.h"
#include "support/dialoghilfe.h"
#include "support/fensterattrappe.h"
#include "support/testplattform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace zbefehle;

namespace {

// A window with real card fields (one-line field 3, remark field 11) behind
// the fake's interface.
class KartenFenster : public QWidget, public FensterAttrappe
{
public:
    KartenFenster()
    {
        zeile = new zadressbuch::KartenZeile(3, this);
        text = new zadressbuch::KartenText(11, this);
    }
    QString FeldText(int feld) const override
    {
        if (feld == 3)
            return zeile->text();
        if (feld == 11)
            return text->text();
        return FensterAttrappe::FeldText(feld);
    }
    void setFeldText(int feld, const QString& t) override
    {
        if (feld == 3)
            zeile->setText(t);
        else if (feld == 11)
            text->textSetzen(t);
        else
            FensterAttrappe::setFeldText(feld, t);
    }
    zadressbuch::KartenZeile* zeile;
    zadressbuch::KartenText* text;
};

class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wurzel = std::make_unique<TempWurzel>();
        plattform = std::make_unique<TestPlattform>();
        zadressbuch::sitzungZuruecksetzen();
    }
    void TearDown() override
    {
        plattform.reset();
        wurzel.reset();
        zadressbuch::sitzungZuruecksetzen();
        zcommon::Ini_CacheLeeren();
    }
    std::unique_ptr<TempWurzel> wurzel;
    std::unique_ptr<TestPlattform> plattform;
};

int px(double twips)
{
    return zplatform::twipsZuPixel(twips);
}

// Whether leaving the card field asks the duplicate-name question (answered "&Nein").
bool fragtBeimVerlassen(zadressbuch::Befehlsregister& r, FensterAttrappe& f, int feld)
{
    return mitModalDialog<MsgDoppelt>(
        [&] { EXPECT_FALSE(r.melden(zadressbuch::Kartenereignis::Feld_LostFocus, f, feld)); },
        [](MsgDoppelt& d) { d.befAbbrechen->click(); });
}

} // namespace

// ---- MsgDoppelt -------------------------------------------------------------------------

TEST_F(DialogTest, MsgDoppeltAntwortenUndLayout)
{
    MsgDoppelt m;
    m.resize(px(4440), px(5895));
    m.Form_Resize();
    EXPECT_EQ(m.BefOk->y(), px(5280));
    const int links = m.befAbbrechen->x();
    const int textBreite = m.Text->width();
    const int labelBreite = m.Label1->width();
    m.resize(px(4440) + px(600), px(5895));
    m.Form_Resize();
    EXPECT_EQ(m.befAbbrechen->x(), links + px(600));
    EXPECT_EQ(m.Text->width(), textBreite + px(600));
    EXPECT_EQ(m.Label1->width(), labelBreite + px(600));
    EXPECT_EQ(m.Label2->y() + m.Label2->height(), m.befAbbrechen->y());
    EXPECT_TRUE(m.Text->isReadOnly());
    EXPECT_FALSE(m.BefOk->isDefault());
    EXPECT_FALSE(m.befAbbrechen->isDefault());

    amDialog<MsgDoppelt>([](MsgDoppelt& d) { d.BefOk->click(); });
    EXPECT_EQ(m.zeigen(QStringLiteral("Nachname: Meier\r\nOrt: Köln")), 0);
    EXPECT_EQ(m.Text->toPlainText(), QStringLiteral("Nachname: Meier\nOrt: Köln"));
    amDialog<MsgDoppelt>([](MsgDoppelt& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(m.zeigen(QStringLiteral("x")), 1);
    amDialog<MsgDoppelt>([](MsgDoppelt& d) { d.close(); });
    EXPECT_EQ(m.zeigen(QStringLiteral("x")), 1);
    EXPECT_FALSE(m.isVisible());
}

// Enter, the main key and the keypad's, answers through the button that has
// the focus; in the text box it answers nothing.
TEST_F(DialogTest, MsgDoppeltEnterAmKnopfMitFokus)
{
    MsgDoppelt m;
    for (const auto& [fokus, abbruch] : {std::pair{"BefOk", 0}, {"befAbbrechen", 1}, {"Text", -1}})
        for (const auto& [taste, mod] :
             {std::pair{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}}) {
            SCOPED_TRACE(std::string(fokus) + (taste == Qt::Key_Return ? " Return" : " Enter"));
            bool offen = true;
            amDialog<MsgDoppelt>([&](MsgDoppelt& d) {
                ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
                QWidget* ziel = d.findChild<QWidget*>(QLatin1String(fokus));
                ASSERT_NE(ziel, nullptr);
                ziel->setFocus(Qt::TabFocusReason);
                ASSERT_EQ(QApplication::focusWidget(), ziel);
                QTest::keyClick(d.windowHandle(), taste, mod);
                offen = d.isVisible();
                if (offen)
                    d.BefOk->click(); // answered by hand: Abbruch 0 tells it from an Enter that answered no
            });
            m.Abbruch->setChecked(abbruch <= 0);
            EXPECT_EQ(m.zeigen(QStringLiteral("x")), std::max(abbruch, 0));
            EXPECT_EQ(offen, abbruch < 0);
        }
}

// Leaving the surname field with "AutoSucheDoppeltenNamen" on: "&Ja" removes
// the address being typed and shows the one that was there before.
TEST_F(DialogTest, DoppelterNameBeimVerlassenDesFeldes)
{
    zadressbuch::AdressListe& liste = zadressbuch::adressliste();
    liste.Clear();
    liste.AddItem(QStringLiteral("\tMeier\tAnna\tWeg 1\t") + QString(20, QLatin1Char('\t')));
    liste.AddItem(QString(24, QLatin1Char('\t')));
    liste.setListIndex(1);
    FensterAttrappe f;
    f.felder[1] = QStringLiteral("meier");
    f.felder[2] = QStringLiteral("Anna");
    zadressbuch::Befehlsregister r;
    Pruefbefehle_Anmelden(r);

    // Switched off (the default): nothing happens.
    EXPECT_FALSE(r.melden(zadressbuch::Kartenereignis::Feld_LostFocus, f, 1));

    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AutoSucheDoppeltenNamen"), QStringLiteral("1"));
    amDialog<MsgDoppelt>([](MsgDoppelt& d) { d.befAbbrechen->click(); });
    EXPECT_FALSE(r.melden(zadressbuch::Kartenereignis::Feld_LostFocus, f, 1));
    EXPECT_EQ(liste.ListCount(), 2);
    EXPECT_TRUE(MsgDoppelt::instanz().Text->toPlainText().contains(QStringLiteral("Straße: Weg 1")));

    // "&Nein" holds for the name kept, until it has changed at a leave and comes back.
    EXPECT_FALSE(fragtBeimVerlassen(r, f, 2));
    f.felder[2] = QStringLiteral("Anne");
    EXPECT_FALSE(fragtBeimVerlassen(r, f, 2));
    f.felder[2] = QStringLiteral("Anna");

    amDialog<MsgDoppelt>([](MsgDoppelt& d) { d.BefOk->click(); });
    EXPECT_TRUE(r.melden(zadressbuch::Kartenereignis::Feld_LostFocus, f, 2));
    EXPECT_EQ(liste.ListCount(), 1);
    EXPECT_EQ(liste.ListIndex(), 0);
    EXPECT_EQ(zadressbuch::sitzung().Geaendert, 1);
    // Other fields never ask.
    EXPECT_FALSE(r.melden(zadressbuch::Kartenereignis::Feld_LostFocus, f, 3));
    liste.Clear();
}

// A name changed since the address was shown asks at the leave of either name field, the surname or the first name
// alone or both; a name as shown asks nothing (the address may itself be the second one of that name).
TEST_F(DialogTest, DoppelterNameFragtNachJederGeaendertenNamenshaelfte)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AutoSucheDoppeltenNamen"), QStringLiteral("1"));
    zadressbuch::Befehlsregister r;
    Pruefbefehle_Anmelden(r);
    zadressbuch::AdressListe& liste = zadressbuch::adressliste();
    for (const std::string gezeigt : {"Schulz\tAnna", "Meier\tBerta", "Schulz\tBerta", "Meier\tAnna"})
        for (int feld : {zadressbuch::Nachname, zadressbuch::Vorname}) {
            SCOPED_TRACE(gezeigt + ", field " + std::to_string(feld));
            zadressbuch::sitzungZuruecksetzen();
            liste.Clear();
            liste.AddItem(QStringLiteral("\tMeier\tAnna") + QString(22, QLatin1Char('\t')));
            liste.AddItem(QLatin1Char('\t') + QString::fromStdString(gezeigt) + QString(22, QLatin1Char('\t')));
            liste.setListIndex(1);
            zadressbuch::sitzung().UndoKopie = liste.List(1);
            FensterAttrappe f;
            f.felder[zadressbuch::Nachname] = QStringLiteral("Meier");
            f.felder[zadressbuch::Vorname] = QStringLiteral("Anna");
            EXPECT_EQ(fragtBeimVerlassen(r, f, feld), gezeigt != "Meier\tAnna");
            EXPECT_EQ(liste.ListCount(), 2);
        }
    liste.Clear();
}

// ---- ZoomText ---------------------------------------------------------------------------

TEST(ZoomAnzeige, Zaehlungen)
{
    struct Fall
    {
        QString text;
        int selStart, maxLength;
        QString position, prozent;
    };
    const Fall faelle[] = {
        {QString(), 0, 200, QStringLiteral("keine Eingaben"), QStringLiteral("0%")},
        {QString(50, QLatin1Char('x')), 0, 200, QStringLiteral(" 1. Zeile,  1 / 50 Zeichen "), QStringLiteral("25%")},
        // Second line, third character: "abc" CR LF "defg" -> position 7.
        {QStringLiteral("abc\r\ndefg"), 7, 0, QStringLiteral(" 2. Zeile,  8 / 9 Zeichen "), QString()},
        // At the end of a text that ends with a line break.
        {QStringLiteral("ab\r\ncd\r\n"), 8, 10, QStringLiteral(" 3. Zeile,  8 / 8 Zeichen "), QStringLiteral("80%")},
    };
    for (const Fall& f : faelle) {
        const ZoomAnzeige a = Zoom_Anzeige(f.text, f.selStart, f.maxLength);
        EXPECT_EQ(a.position, f.position) << f.text.toStdString();
        EXPECT_EQ(a.prozent, f.prozent) << f.text.toStdString();
    }
    EXPECT_EQ(Zoom_Anzeige(QStringLiteral("abc"), 1, 0).tipp, QStringLiteral("1. Zeile   2 / 3 Zeichen"));
}

TEST_F(DialogTest, ZoomSchriftgroesseUndTasten)
{
    {
        ZoomText z;
        EXPECT_DOUBLE_EQ(z.schriftgroesse(), 13.0);
        z.befFontSize_Click(2);
        z.befAbbrechen_Click();
        EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("ZoomFntSize"), QString()), QString());
    }
    {
        ZoomText z;
        z.befFontSize_Click(2);
        z.BefOk_Click();
        EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("ZoomFntSize"), QString()),
                  QStringLiteral("1200"));
        EXPECT_EQ(z.Abbruch->isChecked(), false);
    }
    {
        ZoomText z;
        EXPECT_DOUBLE_EQ(z.schriftgroesse(), 12.0);
        z.befFontSize_Click(1);
        EXPECT_GT(z.schriftgroesse(), 12.0);
        z.befFontSize_Click(0);
        z.befFontSize_Click(0);
        EXPECT_LT(z.schriftgroesse(), 12.0);
        // The close box counts as OK and keeps the size.
        z.show();
        z.close();
        EXPECT_FALSE(z.Abbruch->isChecked());
        EXPECT_NE(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("ZoomFntSize"), QString()),
                  QStringLiteral("1200"));
    }
    ZoomText z;
    z.Text->textSetzen(QStringLiteral("Hallo Welt"));
    z.setAuswahl(6, 4);
    QTest::keyClick(z.Text, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(z.Text->text(), QStringLiteral("Hallo 02.07.2000 "));
    QTest::keyClick(z.Text, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(z.Text->text(), QStringLiteral("Hallo 02.07.2000 10:30 "));
    z.setMaxLength(200);
    z.Text->textSetzen(QString(50, QLatin1Char('x')));
    z.ZeitInfo_Timer();
    EXPECT_EQ(z.panelProzent->text(), QStringLiteral("25%"));
    z.Text->textSetzen(QString());
    z.ZeitInfo_Timer();
    EXPECT_EQ(z.panelPosition->text(), QStringLiteral("keine Eingaben"));
}

TEST_F(DialogTest, ZoomNimmtDasFeldUndGibtEsZurueck)
{
    KartenFenster f;
    f.text->textSetzen(QStringLiteral("erste\r\nzweite"));
    zadressbuch::sitzung().AktivesFeld = 11;
    zadressbuch::sitzung().FeldHatteFokus = 1;
    amDialog<ZoomText>([](ZoomText& z) {
        EXPECT_EQ(z.windowTitle(), QStringLiteral("Zoom (Zusatzbemerkung)"));
        EXPECT_EQ(z.Text->text(), QStringLiteral("erste\r\nzweite"));
        z.Text->moveCursor(QTextCursor::End);
        QTest::keyClicks(z.Text, QStringLiteral("!"));
        z.BefOk->click();
    });
    EXPECT_TRUE(Zoom_Zeigen(f));
    EXPECT_EQ(f.text->text(), QStringLiteral("erste\r\nzweite!"));
    EXPECT_EQ(f.uebernahmen, QList<int>({0}));
    EXPECT_EQ(f.fokusFeld, 11);

    amDialog<ZoomText>([](ZoomText& z) {
        z.Text->textSetzen(QStringLiteral("weg"));
        z.befAbbrechen->click();
    });
    EXPECT_FALSE(Zoom_Zeigen(f));
    EXPECT_EQ(f.text->text(), QStringLiteral("erste\r\nzweite!"));
    // OK on a text left as it was: the address is not stored (nor re-dated).
    amDialog<ZoomText>([](ZoomText& z) { z.BefOk->click(); });
    EXPECT_TRUE(Zoom_Zeigen(f));
    EXPECT_EQ(f.uebernahmen.size(), 1);

    // Read-only: shown, not changeable, nothing stored even after OK.
    zadressbuch::sitzung().NurLesen = true;
    amDialog<ZoomText>([](ZoomText& z) {
        EXPECT_TRUE(z.Text->isReadOnly());
        z.BefOk->click();
    });
    EXPECT_FALSE(Zoom_Zeigen(f));
    EXPECT_EQ(f.uebernahmen.size(), 1);
}

// ---- Sonderzeichen --------------------------------------------------------------------

TEST(SonderzeichenSaetze, InhaltUndTeilung)
{
    const QStringList s = Sonderzeichen_Saetze();
    ASSERT_EQ(s.size(), 7);
    const QString alle = Sonderzeichen_Zeichen(s[0]);
    EXPECT_EQ(alle.size(), 162);
    EXPECT_EQ(alle.at(0), QLatin1Char(' '));
    EXPECT_TRUE(alle.contains(QLatin1Char(';')));
    EXPECT_FALSE(alle.contains(QLatin1Char('A')) || alle.contains(QLatin1Char('7')));
    EXPECT_TRUE(alle.contains(QStringLiteral("€")) && alle.contains(QStringLiteral("Ä")));
    EXPECT_EQ(Sonderzeichen_Zeichen(s[1]), QStringLiteral("äÄöÖüÜß"));
    EXPECT_EQ(Sonderzeichen_Name(s[2]), QStringLiteral("Dänisch"));
    EXPECT_EQ(s[1].indexOf(QLatin1Char(';')), 12 + 29);
}

TEST_F(DialogTest, SonderzeichenSammelnUndAbbrechen)
{
    Sonderzeichen s;
    EXPECT_EQ(s.Liste->count(), 162);
    EXPECT_EQ(s.Liste->currentRow(), 0);
    s.befKopieren_Click();
    EXPECT_EQ(s.Text->text(), QStringLiteral(" "));
    s.befLoeschen_Click();
    s.ComboSatz->setCurrentIndex(1);
    s.ComboSatz_Click();
    EXPECT_EQ(s.Liste->item(0)->text(), QStringLiteral(" ä"));
    QTest::keyClick(s.Liste, Qt::Key_Return);
    QTest::keyClick(s.Liste, Qt::Key_Return);
    EXPECT_EQ(s.Text->text(), QStringLiteral("ää"));
    s.befAbbruch_Click();
    EXPECT_EQ(s.Text->text(), QString());

    // Wider and higher: only the list grows, 120 twips from the right edge,
    // its bottom margin equal to its top.
    const QPoint knopf = s.befKopieren->pos();
    s.resize(px(5655) + px(900), px(3285) + px(600));
    s.Form_Resize();
    EXPECT_EQ(s.Liste->x() + s.Liste->width(), s.width() - px(120));
    EXPECT_EQ(s.Liste->y() + s.Liste->height(), s.height() - s.Liste->y());
    EXPECT_EQ(s.befKopieren->pos(), knopf);
}

// Shown, and at any size: eight whole cells across, whole rows down, and
// the scroll bar that leads to the rest of the set.
TEST_F(DialogTest, SonderzeichenRasterGanz)
{
    Sonderzeichen s;
    for (const QSize groesse : {QSize(px(5655), px(3285)), QSize(px(7000), px(4000)), QSize(px(6100), px(3500))}) {
        s.resize(groesse);
        s.show();
        QApplication::processEvents();
        const QRect innen = s.Liste->viewport()->rect();
        // Eight columns, each wide enough for its character.
        const int zelle = s.Liste->gridSize().width();
        EXPECT_GE(zelle, QFontMetrics(s.Liste->font()).horizontalAdvance(QStringLiteral(" W")));
        EXPECT_LE(8 * zelle, innen.width());
        EXPECT_GT(9 * zelle, innen.width());
        int ganzSichtbar = 0;
        for (int i = 0; i < s.Liste->count(); ++i) {
            const QRect r = s.Liste->visualItemRect(s.Liste->item(i));
            if (!r.intersects(innen))
                continue;
            EXPECT_TRUE(innen.contains(r)) << i << " bei " << groesse.width() << "x" << groesse.height();
            ++ganzSichtbar;
        }
        EXPECT_EQ(ganzSichtbar % 8, 0);
        EXPECT_GE(ganzSichtbar, 8 * 5);
        EXPECT_TRUE(s.Liste->verticalScrollBar()->isVisible());
        EXPECT_LE(s.Liste->geometry().right(), s.width());
    }
}

TEST_F(DialogTest, SonderzeichenErsetztDieAuswahlDesFeldes)
{
    KartenFenster f;
    f.zeile->setText(QStringLiteral("Strasse 1"));
    f.zeile->setSelection(4, 2); // "ss"
    zadressbuch::sitzung().AktivesFeld = 3;
    zadressbuch::sitzung().FeldHatteFokus = 1;
    amDialog<Sonderzeichen>([](Sonderzeichen& s) {
        s.ComboSatz->setCurrentIndex(1);
        s.ComboSatz_Click();
        s.Liste->setCurrentRow(6); // ß
        s.befKopieren->click();
        s.BefOk->click();
    });
    EXPECT_TRUE(Sonderzeichen_Einfuegen(f));
    EXPECT_EQ(f.zeile->text(), QStringLiteral("Straße 1"));
    EXPECT_EQ(f.uebernahmen, QList<int>({0}));

    // Cancelled: nothing inserted, nothing stored.
    amDialog<Sonderzeichen>([](Sonderzeichen& s) {
        s.befKopieren->click();
        s.BefAbbruch->click();
    });
    EXPECT_FALSE(Sonderzeichen_Einfuegen(f));
    EXPECT_EQ(f.uebernahmen.size(), 1);

    // Without the field's widget the text goes to the end of the field.
    FensterAttrappe nur;
    nur.felder[5] = QStringLiteral("Koln");
    zadressbuch::sitzung().AktivesFeld = 5;
    amDialog<Sonderzeichen>([](Sonderzeichen& s) {
        s.Text->setText(QStringLiteral("!"));
        s.BefOk->click();
    });
    EXPECT_TRUE(Sonderzeichen_Einfuegen(nur));
    EXPECT_EQ(nur.felder[5], QStringLiteral("Koln!"));
}
