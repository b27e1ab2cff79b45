// The real main window's layout when it is resized, and its settings: place
// and size, input options, fonts and the background colour rule, and the
// remembered list position with its key and clamp.
#include "main_hilfen.h"

#include "addressbook/datensatz.h"
#include "addressbook/fenstereinstellungen.h"
#include "addressbook/ui/main_intern.h"
#include "common/ini.h"
#include "common/start.h"
#include "common/texte.h"
#include "common/ui/listen.h"
#include "platform/ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

using namespace zadressbuch;
using intern::twips;
using main_test::zeile;

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
    }

    void fuenfAdressen()
    {
        QStringList z{QStringLiteral("..Fuenf")};
        for (const char* n : {"A", "B", "C", "D", "E"})
            z << zeile({{1, QString::fromLatin1(n)}});
        adressdatei(z);
    }

    // Resizes the window so that its outer width is W twips.
    void aussenBreite(int W, int hoehePx = -1)
    {
        const int rand = fenster->frameGeometry().width() - fenster->width();
        fenster->resize(zplatform::twipsZuPixel(W) - rand, hoehePx < 0 ? fenster->height() : hoehePx);
        QTest::qWait(1);
    }

    Rechteck r(QWidget* w) const { return intern::lesen(w); }
    int schluesselPosition(const QString& benutzer)
    {
        return int(zcommon::Val(zcommon::Ini_Lesen(
            QString(), QString(), ListenPos_Schluessel(benutzer, sitzung().AdressDateiName), QStringLiteral("x"))));
    }
};

TEST_F(MainLayoutTest, DieListeFuelltDenRaumBisZurStatusleiste)
{
    fuenfAdressen();
    Main& m = starten();
    QTest::qWait(1);
    const QWidget* mitte = m.centralWidget();
    // From under the search frame to the status bar.
    EXPECT_EQ(r(m.Liste).oben, 5160 + 615 + 150);
    EXPECT_NEAR(m.Liste->geometry().bottom() + 1, mitte->height(), 1);
    EXPECT_GE(m.Liste->height(), 10 * m.Liste->sizeHintForRow(0)) << "room for many addresses at the first start";
    // The progress bar lies over the right half of the status bar.
    EXPECT_GE(m.ProgressBar->geometry().top(), m.statusBar()->geometry().top());
    EXPECT_LE(m.ProgressBar->geometry().bottom(), m.statusBar()->geometry().bottom());
    EXPECT_NEAR(m.ProgressBar->width(), mitte->width() / 2, 1);
    EXPECT_NEAR(m.ProgressBar->geometry().right() + 1, mitte->width(), 1);
}

TEST_F(MainLayoutTest, BreitenFolgenDemFenster)
{
    fuenfAdressen();
    Main& m = starten();
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
    // Frames on the left keep their design.
    EXPECT_EQ(r(m.Rahmen(3)).breite, 5415);
    EXPECT_EQ(r(m.Rahmen(0)).breite, 2415);

    // Wide enough for the zoom button at the frame's right edge.
    aussenBreite(10200);
    EXPECT_FALSE(m.befZoom->isHidden());
    EXPECT_EQ(r(m.befZoom).links, r(m.Rahmen(4)).breite - 615 - 120);

    // At exactly 9000 the widths stay as they were.
    aussenBreite(9000);
    EXPECT_EQ(r(m.Liste).breite, 10200 - 360);
    EXPECT_EQ(r(m.Rahmen(4)).breite, 10200 - 5640 - 240);
}

TEST_F(MainLayoutTest, NiedrigesFensterLaesstDieListeStehen)
{
    fuenfAdressen();
    Main& m = starten();
    const Rechteck vorher = r(m.Liste);
    const int rand = m.frameGeometry().height() - m.height();
    m.resize(m.width(), zplatform::twipsZuPixel(6690) - rand);
    QTest::qWait(1);
    EXPECT_EQ(r(m.Liste).hoehe, vorher.hoehe);
    // Taller again: the list reaches down to the status bar.
    m.resize(m.width(), m.height() + 200);
    QTest::qWait(1);
    EXPECT_GT(r(m.Liste).hoehe, vorher.hoehe);
    EXPECT_NEAR(m.Liste->geometry().bottom() + 1, m.centralWidget()->height(), 1);
}

TEST_F(MainLayoutTest, FenstergroesseWirdGespeichertUndWiederhergestellt)
{
    fuenfAdressen();
    Main& m = starten();
    m.resize(700, 560);
    m.move(40, 30);
    QTest::qWait(1);
    m.Einstellungen_Sichern();
    auto wert = [](const char* k) {
        return zcommon::Ini_Lesen(QString(), QString(), QString::fromUtf8(k), QStringLiteral("<fehlt>"));
    };
    EXPECT_EQ(wert("Form_Weite"), QString::number(700 * 15));
    EXPECT_EQ(wert("Form_Höhe"), QString::number(560 * 15));
    EXPECT_EQ(wert("Form_Links"), QString::number(m.x() * 15));
    EXPECT_FALSE(wert("SchriftEin").isEmpty());
    EXPECT_EQ(wert("SchriftBackCol"), QString::number(intern::farbNummer(m.Feld(0)->palette().color(QPalette::Base))));

    fenster.reset();
    sitzungZuruecksetzen();
    adressliste().Clear();
    Main& m2 = starten();
    EXPECT_EQ(m2.width(), 700);
    EXPECT_EQ(m2.height(), 560);
    EXPECT_EQ(r(m2.Liste).breite, twips(m2.frameGeometry().width()) - 360) << "the rules ran for the restored size";
}

TEST_F(MainLayoutTest, NurLesenSpeichertKeineFenstereinstellungen)
{
    fuenfAdressen();
    Main& m = starten({QStringLiteral("readonly")});
    m.Einstellungen_Sichern();
    adressliste().setListIndex(3);
    m.ListenPos_Sichern();
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("Form_Weite"), QStringLiteral("<fehlt>")),
              QStringLiteral("<fehlt>"));
    EXPECT_EQ(schluesselPosition(QStringLiteral("Tester")), 0) << "no position written";
}

TEST_F(MainLayoutTest, ListenpositionMitSchluesselUndGrenzen)
{
    fuenfAdressen();
    const QString schluessel = QStringLiteral("User_Tester_zettlora_Pos");
    zcommon::Ini_Schreiben(QString(), QString(), schluessel, QStringLiteral("7"));
    Main& m = starten();
    EXPECT_EQ(adressliste().ListIndex(), 4) << "past the end: the last address";
    EXPECT_EQ(m.FeldText(Nachname), QStringLiteral("E"));

    adressliste().setListIndex(2);
    m.PulSichern_Click(); // saving, also unchanged, remembers the position
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), schluessel), QStringLiteral("2"));

    zcommon::Ini_Schreiben(QString(), QString(), schluessel, QStringLiteral("-3"));
    m.Daten_Laden();
    EXPECT_EQ(adressliste().ListIndex(), 0) << "negative: the first address";

    // Another user keeps a position of their own.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Benutzer"), QStringLiteral("Anna"));
    zcommon::Benutzer_Zuruecksetzen();
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("User_Anna_zettlora_Pos"), QStringLiteral("1"));
    m.Daten_Laden();
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), schluessel), QStringLiteral("-3"));
}

TEST_F(MainLayoutTest, LeereDateiWaehltNichts)
{
    adressdatei({QStringLiteral("..Leer")});
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("User_Tester_zettlora_Pos"), QStringLiteral("3"));
    starten();
    EXPECT_EQ(adressliste().ListIndex(), -1);
}

TEST_F(MainLayoutTest, HintergrundNieInDerTextfarbe)
{
    fuenfAdressen();
    // Red text on red: white background.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SchriftEin"), QStringLiteral("Arial;9;0;0;0;255"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SchriftBackCol"), QStringLiteral("255"));
    Main& m = starten();
    auto hintergrund = [&](int i) { return m.Feld(i)->palette().color(QPalette::Base); };
    EXPECT_EQ(m.Feld(0)->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(hintergrund(0), QColor(255, 255, 255));
    EXPECT_EQ(hintergrund(Nachname), QColor(255, 255, 255));
    EXPECT_EQ(m.Feld(Nachname)->palette().color(QPalette::Text), QColor(255, 0, 0)) << "the fields take field 0's font";

    // White on white: black.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SchriftEin"),
                           QStringLiteral("Arial;9;0;0;0;16777215"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SchriftBackCol"), QStringLiteral("16777215"));
    m.Einstellungen_Anwenden();
    EXPECT_EQ(hintergrund(0), QColor(0, 0, 0));
    EXPECT_EQ(hintergrund(Bemerkung), QColor(0, 0, 0));
}

TEST_F(MainLayoutTest, SchriftenUndFarbeAusDenEinstellungen)
{
    fuenfAdressen();
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SchriftEin"),
                           QStringLiteral("Courier New;11;-1;0;0;8388608"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SchriftStd"),
                           QStringLiteral("Times New Roman;14;0;-1;0;0"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SchriftBackCol"), QStringLiteral("65280"));
    Main& m = starten();
    const QColor gruen(0, 255, 0);
    EXPECT_EQ(m.Feld(Nachname)->font().family(), QStringLiteral("Courier New"));
    EXPECT_TRUE(m.Feld(Nachname)->font().bold());
    EXPECT_EQ(m.Feld(Nachname)->palette().color(QPalette::Base), gruen);
    EXPECT_FALSE(m.Feld(Bemerkung)->font().bold()) << "the remark keeps its own font";
    EXPECT_FALSE(m.Feld(ErstelltAm)->font().bold()) << "the dates keep theirs";
    EXPECT_NE(m.Feld(ErstelltAm)->palette().color(QPalette::Base), gruen) << "locked fields keep their colour";
    EXPECT_EQ(m.BezListeStd->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(m.BezListeStd->font().italic());
    EXPECT_TRUE(m.BezListeStd->isHidden());
    EXPECT_EQ(zcommon::Schrift_AlsText(m.Feld(0)).section(QLatin1Char(';'), 5), QStringLiteral("8388608"));
}

TEST_F(MainLayoutTest, NurLesenNimmtDenGespeichertenHintergrundNicht)
{
    fuenfAdressen();
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SchriftBackCol"), QStringLiteral("65280"));
    Main& m = starten({QStringLiteral("readonly")});
    for (int i = 0; i < FeldAnzahl; ++i)
        EXPECT_NE(m.Feld(i)->palette().color(QPalette::Base), QColor(0, 255, 0)) << i;
}

TEST_F(MainLayoutTest, EingabeoptionenAusDenEinstellungen)
{
    fuenfAdressen();
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("OrtAusPlz"), QStringLiteral("2"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AutoFormatUCase"), QStringLiteral("3"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("KatalogStdLand"), QStringLiteral("A-"));
    Main& m = starten();
    EXPECT_TRUE(sitzung().OrtAusPlz);
    EXPECT_EQ(eingabeOptionen().AutoFormatUCase, 3);
    EXPECT_EQ(sitzung().KatalogStdLand, QStringLiteral("A-"));

    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("OrtAusPlz"), QStringLiteral("nein"));
    m.Einstellungen_Anwenden();
    EXPECT_FALSE(sitzung().OrtAusPlz);
}

} // namespace
