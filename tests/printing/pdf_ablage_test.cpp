// Where a PDF goes and how the user learns of it: without a folder set, the
// PDF printer writes into the documents folder, and every file it writes is
// named in the main window's status bar, its name first, its folder after it
// and the whole path in the tooltip.

#include "addressbook/main_hilfen.h"
#include "platform/ordner.h"
#include "platform/ui/qtdrucker.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

using namespace main_test;

namespace {

class PdfAblage : public MainFensterTest
{
protected:
    void TearDown() override
    {
        zplatform::druckerSetzen(nullptr);
        zplatform::pdfStandardOrdnerSetzen(QString());
        MainFensterTest::TearDown();
    }

    // Prints the window-envelope sheet of the selected address from the print menu.
    void umschlagsfensterDrucken(zadressbuch::Main& m)
    {
        plattform.eingaben << u"Anna Absender, Hauptstr. 5, 50667 Köln"_s;
        m.aktion(zadressbuch::Befehl::mnuPrnUmschlagsfenster)->trigger();
    }

    // The status text and tooltip the PDF printer leaves for the file.
    static QString meldung(const QString& pfad)
    {
        return u"PDF gespeichert: %1 (in %2)"_s.arg(QFileInfo(pfad).fileName(),
                                                    QDir::toNativeSeparators(QFileInfo(pfad).path()));
    }
    QString tipp() const { return panelTipp("Status"); }
};

TEST_F(PdfAblage, OhneOrdnerInDieDokumenteUndInDieStatuszeile)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Muster"_s}, {2, u"Erika"_s}, {5, u"Köln"_s}})});
    zadressbuch::Main& m = starten();
    zadressbuch::adressliste().setListIndex(0);
    zplatform::pdfStandardOrdnerSetzen(QString()); // no "PdfOrdner"
    zplatform::druckerSetzen(zplatform::druckerErzeugen(zplatform::pdfDruckerName));

    umschlagsfensterDrucken(m);
    const QString erste = wurzel.dokumente() + u"/Zettlora_1.pdf"_s;
    EXPECT_TRUE(QFileInfo(erste).size() > 0) << "the file is in the documents folder";
    EXPECT_EQ(QDir(wurzel.temp()).entryList({u"*.pdf"_s}), QStringList()) << "nothing in the temporary folder";
    EXPECT_EQ(panel("Status"), meldung(erste));
    EXPECT_EQ(tipp(), QDir::toNativeSeparators(erste));

    // The next job names its own file.
    umschlagsfensterDrucken(m);
    const QString zweite = wurzel.dokumente() + u"/Zettlora_2.pdf"_s;
    EXPECT_TRUE(QFileInfo::exists(zweite));
    EXPECT_EQ(panel("Status"), meldung(zweite));
    EXPECT_EQ(tipp(), QDir::toNativeSeparators(zweite));

    // With a folder set, the files go there, and the status bar says so.
    zplatform::pdfStandardOrdnerSetzen(wurzel.wurzel() + u"/ablage"_s);
    zplatform::druckerSetzen(zplatform::druckerErzeugen(zplatform::pdfDruckerName));
    umschlagsfensterDrucken(m);
    const QString abgelegt = wurzel.wurzel() + u"/ablage/Zettlora_1.pdf"_s;
    EXPECT_TRUE(QFileInfo::exists(abgelegt));
    EXPECT_EQ(panel("Status"), meldung(abgelegt));
    EXPECT_EQ(tipp(), QDir::toNativeSeparators(abgelegt));

    // The next status is no file: the tooltip goes with the text.
    m.aktion(u"mnuAdrAnlegen"_s)->trigger();
    EXPECT_NE(panel("Status"), meldung(abgelegt));
    EXPECT_EQ(tipp(), QString());
}

// However deep the folder, the file's name stands in the status panel where
// the window at its default width shows it whole, and the window keeps that width.
TEST_F(PdfAblage, DerDateinameStehtBeiStandardbreiteGanzInDerStatuszeile)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Muster"_s}, {5, u"Köln"_s}})});
    zadressbuch::Main& m = starten();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
    zadressbuch::adressliste().setListIndex(0);
    const int breite = m.width();
    const QString ordner = wurzel.wurzel() + u"/Eigene Dateien/Briefe und Rechnungen/Ablage der Umschläge und "
                                             u"Listen für das ganze Jahr"_s;
    zplatform::pdfStandardOrdnerSetzen(ordner);
    zplatform::druckerSetzen(zplatform::druckerErzeugen(zplatform::pdfDruckerName));

    umschlagsfensterDrucken(m);
    const QString datei = ordner + u"/Zettlora_1.pdf"_s;
    ASSERT_TRUE(QFileInfo::exists(datei));
    EXPECT_TRUE(statusZeigtBis(u"Zettlora_1.pdf"_s));
    EXPECT_EQ(m.width(), breite) << "the status text widened the window";
    EXPECT_EQ(panel("Status"), meldung(datei));
    EXPECT_EQ(tipp(), QDir::toNativeSeparators(datei));
}

} // namespace
