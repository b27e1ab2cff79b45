// The text search on the real main window: words in any order and case,
// quoted whole fields, "+", the reduced comparison and Shift, wrap-around,
// not found, a malformed pattern, Enter, Esc, double-click and the delay.
#include "main_hilfen.h"

#include "addressbook/datensatz.h"
#include "addressbook/suche.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

using namespace zadressbuch;
using main_test::zeile;

namespace {

class MainSuche : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        adressdatei({QStringLiteral("..Suche"),
                     zeile({{0, QStringLiteral("Kunde")},
                            {1, QStringLiteral("Müller")},
                            {2, QStringLiteral("Hans")},
                            {7, QStringLiteral("030 / 12-34")}}),
                     zeile({{1, QStringLiteral("Meier")}, {2, QStringLiteral("Eva")}}),
                     zeile({{1, QStringLiteral("Meierhof")}, {2, QStringLiteral("Karl")}}),
                     zeile({{1, QStringLiteral("Schulz")}, {2, QStringLiteral("Hans")}, {11, QStringLiteral("a+b")}}),
                     zeile({{1, QStringLiteral("Huber")}, {10, QStringLiteral("Müller")}})});
        // The sounds exist, so they are played (and recorded).
        wurzel.schreiben(QStringLiteral("programm/Sgn_Jo.Wav"), QStringLiteral("RIFF"));
        wurzel.schreiben(QStringLiteral("programm/Sgn_No.Wav"), QStringLiteral("RIFF"));
        starten();
        ASSERT_EQ(adressliste().ListIndex(), 0);
        plattform.toene.clear();
    }

    // Types the text into the search box and presses Enter (with Shift when asked).
    void suchen(const QString& text, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        fenster->TxtSuche->setText(text);
        QTest::keyClick(fenster->TxtSuche, Qt::Key_Return, mod);
    }

    int gewaehlt() const { return adressliste().ListIndex(); }
    QColor textfarbe() const { return fenster->TxtSuche->palette().color(QPalette::Text); }
    QString status() const { return fenster->panelText(QStringLiteral("Status")); }
    QString ton(const char* name) const { return wurzel.programm() + QLatin1Char('/') + QLatin1String(name); }
};

TEST_F(MainSuche, AlleWoerterInBeliebigerReihenfolgeUndSchreibung)
{
    // Only address 0 holds both words; the search starts behind it and comes
    // back to it last.
    suchen(QStringLiteral("HANS müller"));
    EXPECT_EQ(gewaehlt(), 0);
    EXPECT_EQ(status(), QStringLiteral("Bereit"));
    EXPECT_EQ(textfarbe(), fenster->Feld(Nachname)->palette().color(QPalette::Text));
    EXPECT_EQ(plattform.toene, QStringList{ton("Sgn_Jo.Wav")});
    EXPECT_EQ(fenster->TxtSuche->cursorPosition(), fenster->TxtSuche->text().size());

    // Repeating steps from match to match and round again.
    suchen(QStringLiteral("meier"));
    EXPECT_EQ(gewaehlt(), 1);
    EXPECT_EQ(fenster->FeldText(Vorname), QStringLiteral("Eva"));
    EXPECT_EQ(sitzung().UndoKopie, eintrag(1));
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Return);
    EXPECT_EQ(gewaehlt(), 2);
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Return);
    EXPECT_EQ(gewaehlt(), 1);
}

TEST_F(MainSuche, AnfuehrungszeichenVerlangenEinGanzesFeld)
{
    adressliste().setListIndex(1);
    suchen(QStringLiteral("\"meier\""));
    EXPECT_EQ(gewaehlt(), 1) << "Meierhof is no whole field Meier; the selected one is found again";
    // Field 0 has no separator before it.
    suchen(QStringLiteral("\"kunde"));
    EXPECT_EQ(gewaehlt(), 1);
    EXPECT_EQ(status(), QStringLiteral("Gesuchten Text »\"kunde« nicht gefunden."));
}

TEST_F(MainSuche, PlusVerbindetZweiFelderOderStehtFuerSichSelbst)
{
    adressliste().setListIndex(4);
    suchen(QStringLiteral("müller+hans"));
    EXPECT_EQ(gewaehlt(), 0);
    suchen(QStringLiteral("a+b"));
    EXPECT_EQ(gewaehlt(), 3);
}

TEST_F(MainSuche, ReduzierterVergleichUndShift)
{
    suchen(QStringLiteral("0301234"));
    EXPECT_EQ(gewaehlt(), 0) << "not found: the selection stays";
    EXPECT_EQ(status(), QStringLiteral("Gesuchten Text »0301234« nicht gefunden."));
    EXPECT_EQ(textfarbe(), QColor(255, 0, 0));
    EXPECT_EQ(plattform.toene, QStringList{ton("Sgn_No.Wav")});
    EXPECT_FALSE(fenster->checkSuche->isChecked());

    // Shift with Enter ticks the reduced comparison for this very search.
    adressliste().setListIndex(2);
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(fenster->checkSuche->isChecked());
    EXPECT_EQ(fenster->Rahmen(0)->title(), QStringLiteral("Suche ohne Sonderz."));
    EXPECT_EQ(gewaehlt(), 0);
    EXPECT_EQ(textfarbe(), fenster->Feld(Nachname)->palette().color(QPalette::Text));
    EXPECT_FALSE(fenster->zeitSuche()->aktiv()) << "no second search through the delay";

    // Reduced, a word with a sign outside letters and digits never matches.
    suchen(QStringLiteral("12-34"));
    EXPECT_EQ(status(), QStringLiteral("Gesuchten Text »12-34« nicht gefunden."));
}

TEST_F(MainSuche, RundumVomLetztenZumErsten)
{
    adressliste().setListIndex(4);
    suchen(QStringLiteral("kunde"));
    EXPECT_EQ(gewaehlt(), 0);
}

TEST_F(MainSuche, UngueltigesMusterIstNichtGefunden)
{
    adressliste().setListIndex(2);
    suchen(QStringLiteral("[abc"));
    EXPECT_EQ(gewaehlt(), 2);
    EXPECT_EQ(status(), QStringLiteral("Gesuchten Text »[abc« nicht gefunden."));
    EXPECT_EQ(textfarbe(), QColor(255, 0, 0));
    EXPECT_EQ(plattform.toene, QStringList{ton("Sgn_No.Wav")});
}

TEST_F(MainSuche, LeererTextEnterNimmtDieNaechsteAdresse)
{
    suchen(QString());
    EXPECT_EQ(gewaehlt(), 1);
    suchen(QStringLiteral("   "));
    EXPECT_EQ(gewaehlt(), 2);
}

TEST_F(MainSuche, VerzoegerungNachDemTippen)
{
    fenster->TxtSuche->setFocus();
    main_test::tippen(fenster->TxtSuche, QStringLiteral("schulz"));
    EXPECT_EQ(gewaehlt(), 0) << "nothing at once";
    EXPECT_TRUE(fenster->zeitSuche()->aktiv());
    EXPECT_EQ(fenster->zeitSuche()->timer().interval(), 333);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !fenster->zeitSuche()->aktiv(); }, 3000));
    EXPECT_EQ(gewaehlt(), 3);

    // A double-click empties the box; the delay then only stops itself.
    QTest::mouseDClick(fenster->TxtSuche, Qt::LeftButton);
    EXPECT_EQ(fenster->TxtSuche->text(), QString());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !fenster->zeitSuche()->aktiv(); }, 3000));
    EXPECT_EQ(gewaehlt(), 3);
}

TEST_F(MainSuche, EnterNimmtDerVerzoegerungDieSucheAb)
{
    fenster->TxtSuche->setFocus();
    main_test::tippen(fenster->TxtSuche, QStringLiteral("meier"));
    ASSERT_TRUE(fenster->zeitSuche()->aktiv());
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Return);
    EXPECT_EQ(gewaehlt(), 1);
    EXPECT_FALSE(fenster->zeitSuche()->aktiv());
    QTest::qWait(400);
    EXPECT_EQ(gewaehlt(), 1) << "no second search steps on to Meierhof";
}

TEST_F(MainSuche, EscMarkiertDenSuchtext)
{
    fenster->TxtSuche->setText(QStringLiteral("Hans"));
    fenster->TxtSuche->setCursorPosition(2);
    QTest::keyClick(fenster->TxtSuche, Qt::Key_Escape);
    EXPECT_EQ(fenster->TxtSuche->selectedText(), QStringLiteral("Hans"));
    EXPECT_EQ(fenster->TxtSuche->text(), QStringLiteral("Hans"));
    EXPECT_EQ(sitzung().LetzteTaste, 27);
}

TEST_F(MainSuche, KlickAufDasKaestchenSuchtImNeuenModus)
{
    fenster->TxtSuche->setText(QStringLiteral("0301234"));
    fenster->zeitSuche()->timer().stop();
    fenster->checkSuche->click();
    EXPECT_EQ(fenster->Rahmen(0)->title(), QStringLiteral("Suche ohne Sonderz."));
    EXPECT_TRUE(fenster->zeitSuche()->aktiv());
    adressliste().setListIndex(1);
    fenster->zeitSuche()->tick();
    EXPECT_EQ(gewaehlt(), 0);

    fenster->checkSuche->click();
    EXPECT_EQ(fenster->Rahmen(0)->title(), QStringLiteral("Suche"));
    EXPECT_TRUE(fenster->zeitSuche()->aktiv());
    fenster->zeitSuche()->tick();
    EXPECT_EQ(status(), QStringLiteral("Gesuchten Text »0301234« nicht gefunden."));
}

} // namespace
