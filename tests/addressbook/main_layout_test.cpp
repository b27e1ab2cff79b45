// The real main window's layout when it is resized, and its settings: place
// and size, fonts and the background colour rule. The rules themselves are
// tested in layout_test.cpp and einstellungen_test.cpp; here they reach the
// controls.
#include "main_hilfen.h"

#include "addressbook/ui/main_intern.h"
#include "common/start.h"
#include "common/ui/listen.h"
#include "platform/ui/twips.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

using namespace zadressbuch;
using intern::twips;
using main_test::einstellung;

namespace {

class MainLayoutTest : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        zcommon::Benutzer_Zuruecksetzen();
        if (zplatform::bildschirmDpi() != 96.0)
            GTEST_SKIP() << "the expected twips assume 15 twips per pixel";
        QStringList z{u"..Fuenf"_s};
        for (const char* n : {"A", "B", "C", "D", "E"})
            z << main_test::zeile({{1, QString::fromLatin1(n)}});
        adressdatei(z);
    }

    // Resizes the window so that its outer width is W twips.
    void aussenBreite(int W)
    {
        const int rand = fenster->frameGeometry().width() - fenster->width();
        const int breite = zplatform::twipsZuPixel(W) - rand;
        fenster->resize(breite, fenster->height());
        ASSERT_TRUE(QTest::qWaitFor([&] { return fenster->width() == breite; }));
    }

    Rechteck r(QWidget* w) const { return intern::lesen(w); }
    QColor hintergrund(int i) const { return fenster->Feld(i)->palette().color(QPalette::Base); }
};

TEST_F(MainLayoutTest, DieRegelnLaufenAufDenEchtenControls)
{
    Main& m = starten();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
    const QWidget* mitte = m.centralWidget();
    // From under the search frame to the status bar, room for many addresses.
    EXPECT_EQ(r(m.Liste).oben, 5160 + 615 + 150);
    EXPECT_NEAR(m.Liste->geometry().bottom() + 1, mitte->height(), 1);
    EXPECT_GE(m.Liste->height(), 10 * m.Liste->sizeHintForRow(0));
    // The progress bar lies over the right half of the status bar.
    EXPECT_GE(m.ProgressBar->geometry().top(), m.statusBar()->geometry().top());
    EXPECT_LE(m.ProgressBar->geometry().bottom(), m.statusBar()->geometry().bottom());
    EXPECT_NEAR(m.ProgressBar->width(), mitte->width() / 2, 1);
    EXPECT_NEAR(m.ProgressBar->geometry().right() + 1, mitte->width(), 1);

    aussenBreite(9600);
    EXPECT_EQ(r(m.Liste).breite, 9600 - 360);
    EXPECT_EQ(r(m.Rahmen(1)).breite, 9600 - 5640 - 240);
    EXPECT_EQ(r(m.Rahmen(4)).breite, 9600 - 5640 - 240);
    EXPECT_EQ(r(m.Feld(Bemerkung)).breite, 3720 - 240);
    EXPECT_EQ(r(m.Feld(Telefon)).breite, (3720 - 360) / 2);
    EXPECT_EQ(r(m.Feld(Www)).breite, r(m.Feld(Telefon)).breite);
    EXPECT_EQ(r(m.Feld(Mobiltelefon)).links, r(m.Feld(Telefon)).breite + 240);
    EXPECT_EQ(r(m.Bezeichnung1(Datentelefon)).links, r(m.Feld(Mobiltelefon)).links);
    EXPECT_TRUE(m.befZoom->isHidden()) << "the frame is too narrow for the zoom button";

    // Wide enough for the zoom button at the frame's right edge.
    aussenBreite(10200);
    EXPECT_FALSE(m.befZoom->isHidden());
    EXPECT_EQ(r(m.befZoom).links, r(m.Rahmen(4)).breite - 615 - 120);
}

TEST_F(MainLayoutTest, FenstergroesseWirdGespeichertUndWiederhergestellt)
{
    Main& m = starten();
    m.resize(700, 560);
    m.move(40, 30);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.width() == 700 && m.height() == 560; }));
    m.Einstellungen_Sichern();
    EXPECT_EQ(ini(u"Form_Weite"_s), QString::number(700 * 15));
    EXPECT_EQ(ini(u"Form_Höhe"_s), QString::number(560 * 15));
    EXPECT_EQ(ini(u"Form_Links"_s), QString::number(m.x() * 15));
    EXPECT_NE(ini(u"SchriftEin"_s), u"<fehlt>"_s);
    EXPECT_EQ(ini(u"SchriftBackCol"_s), QString::number(intern::farbNummer(hintergrund(0))));

    neuerLauf();
    Main& m2 = starten();
    EXPECT_EQ(m2.width(), 700);
    EXPECT_EQ(m2.height(), 560);
    EXPECT_EQ(r(m2.Liste).breite, twips(m2.frameGeometry().width()) - 360) << "the rules ran for the restored size";
}

TEST_F(MainLayoutTest, SchriftenUndHintergrundAusDenEinstellungen)
{
    einstellung(u"SchriftEin"_s, u"Courier New;11;-1;0;0;8388608"_s);
    einstellung(u"SchriftStd"_s, u"Times New Roman;14;0;-1;0;0"_s);
    einstellung(u"SchriftBackCol"_s, u"65280"_s);
    Main& m = starten();
    const QColor gruen(0, 255, 0);
    EXPECT_EQ(m.Feld(Nachname)->font().family(), u"Courier New"_s);
    EXPECT_TRUE(m.Feld(Nachname)->font().bold());
    EXPECT_EQ(hintergrund(Nachname), gruen);
    EXPECT_FALSE(m.Feld(Bemerkung)->font().bold()) << "the remark keeps its own font";
    EXPECT_FALSE(m.Feld(ErstelltAm)->font().bold()) << "the dates keep theirs";
    EXPECT_NE(hintergrund(ErstelltAm), gruen) << "locked fields keep their colour";
    EXPECT_EQ(m.BezListeStd->font().family(), u"Times New Roman"_s);
    EXPECT_TRUE(m.BezListeStd->font().italic());
    EXPECT_TRUE(m.BezListeStd->isHidden());
    EXPECT_EQ(zcommon::Schrift_AlsText(m.Feld(0)).section(u';', 5), u"8388608"_s);

    // White text on white: a black background, the remark's too; the fields take field 0's colour.
    einstellung(u"SchriftEin"_s, u"Arial;9;0;0;0;16777215"_s);
    einstellung(u"SchriftBackCol"_s, u"16777215"_s);
    m.Einstellungen_Anwenden();
    EXPECT_EQ(hintergrund(0), QColor(0, 0, 0));
    EXPECT_EQ(hintergrund(Bemerkung), QColor(0, 0, 0));
    EXPECT_EQ(m.Feld(Nachname)->palette().color(QPalette::Text), QColor(255, 255, 255));
}

} // namespace
