// The main window on a real address file: start-up, showing the card,
// storing every key release, input limits and characters, read-only mode.
#include "main_hilfen.h"

#include "addressbook/datensatz.h"
#include "addressbook/ui/kartenfeld.h"
#include "common/ini.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace zadressbuch;
using main_test::zeile;

namespace {

class MainKarte : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        adressdatei(
            {QStringLiteral("..Meine Kunden"),
             zeile({{0, QStringLiteral("Kunde")},
                    {1, QStringLiteral("Müller")},
                    {2, QStringLiteral("Hans")},
                    {4, QStringLiteral("12345")},
                    {5, QStringLiteral("Berlin")},
                    {11, QStringLiteral("Zeile 1°°Zeile 2")},
                    {15, QStringLiteral("01.06.2000")},
                    {16, QStringLiteral("15.06.2000")},
                    {20, QStringLiteral("15.03.1960")},
                    {23, QStringLiteral("17")}}),
             zeile({{1, QStringLiteral("Schmidt")}, {2, QStringLiteral("Eva")}, {23, QStringLiteral("18")}}),
             zeile({{1, QStringLiteral("Weber")}, {7, QStringLiteral("030 1234")}, {23, QStringLiteral("19")}})});
    }
};

// Registers a handler that only counts under each name for the scope.
struct Befehle
{
    QStringList namen;
    QMap<QString, int> aufrufe;
    explicit Befehle(QStringList n) : namen(std::move(n))
    {
        for (const QString& name : namen)
            Main::handlerSetzen(name, [this, name](Main&, int) { ++aufrufe[name]; });
    }
    ~Befehle()
    {
        for (const QString& name : namen)
            Main::handlerSetzen(name, {});
    }
};

TEST_F(MainKarte, StartZeigtDieErsteAdresseMitBeschriftungenUndPanels)
{
    Main& m = starten();
    EXPECT_EQ(m.objectName(), QStringLiteral("Main"));
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Meine Kunden"));
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(adressliste().ListIndex(), 0);
    EXPECT_EQ(m.Liste->currentIndex().row(), 0);
    EXPECT_EQ(m.FeldText(1), QStringLiteral("Müller"));
    EXPECT_EQ(m.FeldText(11), QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(static_cast<QPlainTextEdit*>(m.Feld(11))->toPlainText(), QStringLiteral("Zeile 1\nZeile 2"));
    EXPECT_EQ(sitzung().UndoKopie, eintrag(0));

    // Age and day counters on 02.07.2000 (the scripted clock).
    EXPECT_EQ(m.bezInfo2->text(), QStringLiteral("40 Jahre und\n4 Monate alt"));
    EXPECT_EQ(m.bezZeit1->text(), QStringLiteral("31 Tg."));
    EXPECT_EQ(m.bezZeit2->text(), QStringLiteral("17 Tg."));

    EXPECT_EQ(m.panelText(QStringLiteral("Position")), QStringLiteral(" Pos. 1 von 3 "));
    EXPECT_EQ(m.panelText(QStringLiteral("Index")), QStringLiteral(" #17 "));
    EXPECT_EQ(m.panelText(QStringLiteral("Unsaved")), QString());
    EXPECT_EQ(m.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));
    EXPECT_EQ(m.panelText(QStringLiteral("Datum")), QStringLiteral(" 02.07.2000 "));
    EXPECT_EQ(m.panelText(QStringLiteral("Zeit")), QStringLiteral(" 10:30 "));

    // The card's fixed properties.
    for (int i : {15, 16, 23})
        EXPECT_TRUE(static_cast<QLineEdit*>(m.Feld(i))->isReadOnly()) << i;
    EXPECT_FALSE(static_cast<QLineEdit*>(m.Feld(1))->isReadOnly());
    EXPECT_TRUE(m.Feld(23)->isHidden());
    EXPECT_TRUE(m.Bezeichnung1(23)->isHidden());
    EXPECT_EQ(m.Bezeichnung1(1)->text(), QStringLiteral("Nachname"));
    EXPECT_EQ(m.Feld(1)->objectName(), QStringLiteral("Feld_1"));
    EXPECT_TRUE(m.ProgressBar->isHidden());
    EXPECT_EQ(m.aktion(QStringLiteral("PulEnde"))->text(), QStringLiteral("Speichern und Ende"));
}

TEST_F(MainKarte, AuswahlDurchDasProgrammZeigtDieAdresseUndNimmtDieUndoKopie)
{
    Main& m = starten();
    adressliste().setListIndex(2);
    EXPECT_EQ(m.FeldText(1), QStringLiteral("Weber"));
    EXPECT_EQ(m.FeldText(11), QString());
    EXPECT_EQ(m.Liste->currentIndex().row(), 2);
    EXPECT_EQ(sitzung().UndoKopie, eintrag(2));
    EXPECT_EQ(m.panelText(QStringLiteral("Position")), QStringLiteral(" Pos. 3 von 3 "));
    // No date in the fields: the day counters count from 01.09.1995.
    EXPECT_EQ(m.bezZeit1->text(), QStringLiteral(">1766 Tg."));
    // An entry without a birthday leaves the age empty.
    EXPECT_EQ(m.bezInfo2->text(), QString());

    // Deselecting empties the card but leaves the labels.
    adressliste().setListIndex(-1);
    EXPECT_EQ(m.FeldText(1), QString());
    EXPECT_EQ(m.bezZeit1->text(), QStringLiteral(">1766 Tg."));
    EXPECT_EQ(sitzung().UndoKopie, QString());
    EXPECT_EQ(m.panelText(QStringLiteral("Position")), QStringLiteral(" Pos. 0 von 3 "));
}

TEST_F(MainKarte, JederTastendruckSpeichertMitHeutigemDatum)
{
    Main& m = starten();
    auto* nachname = static_cast<QLineEdit*>(m.Feld(1));
    nachname->setCursorPosition(2);
    QTest::keyClick(nachname, Qt::Key_X);

    EXPECT_EQ(m.FeldText(1), QStringLiteral("Müxller"));
    // The card shown again keeps the cursor where the user types.
    EXPECT_EQ(nachname->cursorPosition(), 3);
    const Felder f = Zerlegen(eintrag(0));
    EXPECT_EQ(f[1], QStringLiteral("Müxller"));
    EXPECT_EQ(f[16], QStringLiteral("02.07.2000"));
    EXPECT_EQ(m.FeldText(16), QStringLiteral("02.07.2000"));
    EXPECT_EQ(f[11], QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(m.panelText(QStringLiteral("Unsaved")), QStringLiteral(" * "));
    // The undo copy stays the entry as it was when selected.
    EXPECT_NE(sitzung().UndoKopie, eintrag(0));
    EXPECT_TRUE(sitzung().UndoKopie.contains(QStringLiteral("Müller")));

    // Field 11's limit: 1000 minus the other fields' length in the record.
    int andere = 0;
    for (int i = 0; i < 24; ++i)
        if (i != 11)
            andere += LaengeImDatensatz(f[i]);
    EXPECT_EQ(m.FeldEingabegrenze(11), 1000 - andere);
}

TEST_F(MainKarte, PfeiltasteStempeltDasDatumAberEineUmschalttasteAllein_nicht)
{
    Main& m = starten();
    QTest::keyClick(m.Feld(2), Qt::Key_Shift);
    EXPECT_EQ(sitzung().Geaendert, 0);
    QTest::keyClick(m.Feld(2), Qt::Key_Right);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(Zerlegen(eintrag(0))[16], QStringLiteral("02.07.2000"));
}

TEST_F(MainKarte, LeeresFeldNullWirdAlsLeerzeichenGespeichertUndAngezeigt)
{
    Main& m = starten();
    auto* rubrik = static_cast<QLineEdit*>(m.Feld(0));
    rubrik->selectAll();
    QTest::keyClick(rubrik, Qt::Key_Delete);
    EXPECT_TRUE(eintrag(0).startsWith(QStringLiteral(" \tMüller\t")));
    EXPECT_EQ(m.FeldText(0), QStringLiteral(" "));
}

TEST_F(MainKarte, ZeilenumbruchImBemerkungsfeldWirdZuGradzeichen)
{
    Main& m = starten();
    auto* bem = static_cast<QPlainTextEdit*>(m.Feld(11));
    bem->moveCursor(QTextCursor::End);
    QTest::keyClick(bem, Qt::Key_Return);
    QTest::keyClicks(bem, QStringLiteral("Neu"));
    EXPECT_EQ(FeldAus(eintrag(0), 11), QStringLiteral("Zeile 1\r\nZeile 2\r\nNeu"));
    EXPECT_TRUE(eintrag(0).contains(QStringLiteral("Zeile 1°°Zeile 2°°Neu\t")));
}

TEST_F(MainKarte, EingabegrenzeStopptNurDasTippen)
{
    // A loaded name far beyond the limit of 50 stays whole.
    const QString lang(70, QLatin1Char('a'));
    adressdatei({QStringLiteral("..Lang"), zeile({{1, lang}, {4, QStringLiteral("1234567")}})});
    Main& m = starten();
    EXPECT_EQ(m.FeldText(1), lang);

    QTest::keyClick(m.Feld(1), Qt::Key_B);
    EXPECT_EQ(m.FeldText(1), lang) << "typing into an overlong field is refused";
    EXPECT_TRUE(plattform.toene.contains(QStringLiteral("#SystemHand")));
    EXPECT_EQ(FeldAus(eintrag(0), 1), lang) << "the store keeps the long text";

    static_cast<QLineEdit*>(m.Feld(1))->end(false);
    QTest::keyClick(m.Feld(1), Qt::Key_Backspace);
    EXPECT_EQ(m.FeldText(1).size(), 69) << "deleting is allowed";

    // PLZ: limit 8.
    plattform.toene.clear();
    static_cast<QLineEdit*>(m.Feld(4))->end(false);
    QTest::keyClicks(m.Feld(4), QStringLiteral("89"));
    EXPECT_EQ(m.FeldText(4), QStringLiteral("12345678"));
    EXPECT_EQ(plattform.toene, QStringList{QStringLiteral("#SystemHand")});

    // Replacing a selection of the same length is typing within the limit.
    static_cast<QLineEdit*>(m.Feld(4))->setSelection(0, 1);
    QTest::keyClick(m.Feld(4), Qt::Key_9);
    EXPECT_EQ(m.FeldText(4), QStringLiteral("92345678"));
}

TEST_F(MainKarte, ZeichenAusserhalbVonWindows1252WerdenAbgelehnt)
{
    Main& m = starten();
    auto* vorname = static_cast<QLineEdit*>(m.Feld(2));
    vorname->end(false);
    main_test::tippen(vorname, QStringLiteral("€ß"));
    EXPECT_EQ(m.FeldText(2), QStringLiteral("Hans€ß"));
    EXPECT_TRUE(plattform.toene.isEmpty());

    main_test::tippen(vorname, QString(QChar(0x0142))); // ł
    EXPECT_EQ(m.FeldText(2), QStringLiteral("Hans€ß"));
    EXPECT_EQ(plattform.toene, QStringList{QStringLiteral("#SystemHand")});

    // Pasting into the remark field.
    plattform.toene.clear();
    auto* bem = static_cast<QPlainTextEdit*>(m.Feld(11));
    QApplication::clipboard()->setText(QStringLiteral("Grüße ") + QChar(0x263A));
    bem->paste();
    EXPECT_EQ(m.FeldText(11), QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(plattform.toene, QStringList{QStringLiteral("#SystemHand")});
    QApplication::clipboard()->setText(QStringLiteral("Grüße"));
    bem->moveCursor(QTextCursor::End);
    bem->paste();
    EXPECT_EQ(m.FeldText(11), QStringLiteral("Zeile 1\r\nZeile 2Grüße"));
}

TEST(KartenFeld, EingabeErlaubtZaehltZeilenumbruecheDoppelt)
{
    EXPECT_TRUE(EingabeErlaubt(QStringLiteral("ab"), QStringLiteral("abc"), 3));
    EXPECT_FALSE(EingabeErlaubt(QStringLiteral("abc"), QStringLiteral("abcd"), 3));
    EXPECT_TRUE(EingabeErlaubt(QStringLiteral("abcdef"), QStringLiteral("abcde"), 3));
    EXPECT_TRUE(EingabeErlaubt(QStringLiteral("abcdef"), QStringLiteral("abcdeX"), 3));
    EXPECT_FALSE(EingabeErlaubt(QStringLiteral("ab"), QStringLiteral("a\nb"), 3, true));
    EXPECT_TRUE(EingabeErlaubt(QStringLiteral("ab"), QStringLiteral("a\nb"), 4, true));
    EXPECT_FALSE(EingabeErlaubt(QStringLiteral("ab"), QStringLiteral("ab") + QChar(0x0142), -1));
    EXPECT_TRUE(EingabeErlaubt(QStringLiteral("ab"), QStringLiteral("ab€"), -1));
}

TEST_F(MainKarte, NurLesenSperrtKarteUndMenues)
{
    const Befehle befehle({QStringLiteral("PulAnlegen_Click"), QStringLiteral("PulOeffnen_Click"),
                           QStringLiteral("mnuSort_Click"), QStringLiteral("mnuAdrLoeschen_Click"),
                           QStringLiteral("mnuSetup_Click"), QStringLiteral("mnuUebernahmePlzOrt_Click")});
    Main& m = starten({QStringLiteral("readonly")});
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Meine Kunden - nur Leserechte"));
    for (int i = 0; i < 24; ++i) {
        if (i == 11)
            EXPECT_TRUE(static_cast<QPlainTextEdit*>(m.Feld(i))->isReadOnly());
        else
            EXPECT_TRUE(static_cast<QLineEdit*>(m.Feld(i))->isReadOnly()) << i;
    }
    for (const char* name : {"PulAnlegen", "PulSichern", "PulSort", "mnuAdrAnlegen", "mnuAdrDuplizieren",
                             "mnuAdrLoeschen", "mnuChk", "mnuDateiBeschreiben", "mnuDateiHinzufuegen", "mnuSetup",
                             "mnuSonderzeichenEinfg", "mnuUebernahme", "mnuAdrAusschneiden", "mnuIndexSetNew"})
        EXPECT_FALSE(m.aktion(QLatin1String(name))->isEnabled()) << name;
    EXPECT_TRUE(m.aktion(QStringLiteral("PulOeffnen"))->isEnabled());
    EXPECT_FALSE(m.befSymbol(42)->isEnabled());
    EXPECT_EQ(m.aktion(QStringLiteral("PulEnde"))->text(), QStringLiteral("Programm beenden"));

    // No key release stores the card.
    const QString vorher = eintrag(0);
    QTest::keyClick(m.Feld(1), Qt::Key_Right);
    m.Feld_KeyUp(1);
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(sitzung().Geaendert, 0);
}

TEST_F(MainKarte, LesezugriffPerDateiEinstellung)
{
    zcommon::Ini_Schreiben(wurzel.programm() + QStringLiteral("/Zettlora.Ini"), QStringLiteral("zettlora.dat"),
                           QStringLiteral("ReadOnly"), QStringLiteral("1"));
    Main& m = starten();
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_FALSE(m.aktion(QStringLiteral("PulSichern"))->isEnabled());
}

TEST_F(MainKarte, TastenvorschauMerktDieLetzteTaste)
{
    Main& m = starten();
    QTest::keyClick(m.Feld(1), Qt::Key_Escape);
    EXPECT_EQ(sitzung().LetzteTaste, 27);
    QTest::keyClick(m.Liste, Qt::Key_A);
    EXPECT_EQ(sitzung().LetzteTaste, int('a'));
}

TEST_F(MainKarte, FokusMerktDasAktiveFeld_VerlassenOhneAenderungSpeichertNichts)
{
    Main& m = starten();
    QFocusEvent hinein(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(m.Feld(5), &hinein);
    EXPECT_EQ(sitzung().AktivesFeld, 5);
    EXPECT_EQ(sitzung().FeldHatteFokus, 1);
    QFocusEvent hinaus(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(m.Feld(5), &hinaus);
    EXPECT_EQ(sitzung().Geaendert, 0);

    // An entry in a shorter form than the card writes is no change either.
    adressliste().setList(2, QStringLiteral("Weber\tKarl\t"));
    adressliste().setListIndex(2);
    QApplication::sendEvent(m.Feld(2), &hinein);
    QApplication::sendEvent(m.Feld(2), &hinaus);
    EXPECT_EQ(eintrag(2), QStringLiteral("Weber\tKarl\t"));
    EXPECT_EQ(sitzung().Geaendert, 0);
    adressliste().setListIndex(0);

    QApplication::sendEvent(m.TxtSuche, &hinein);
    EXPECT_EQ(sitzung().FeldHatteFokus, 0);

    // A text changed by the program is stored when the field is left.
    static_cast<QLineEdit*>(m.Feld(5))->setText(QStringLiteral("Bonn"));
    QApplication::sendEvent(m.Feld(5), &hinaus);
    EXPECT_EQ(FeldAus(eintrag(0), 5), QStringLiteral("Bonn"));
    EXPECT_EQ(sitzung().Geaendert, 1);
}

TEST_F(MainKarte, VerlassenEinesGeaendertenFeldesWendetDieEingabeoptionenAn)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AutoFormatUCase"), QStringLiteral("1"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AutoFormatTrim"), QStringLiteral("1"));
    Main& m = starten();
    adressliste().setList(1, zeile({{1, QStringLiteral("schmidt")}, {5, QStringLiteral("bad homburg")}}));
    adressliste().setListIndex(1);
    QFocusEvent hinein(QEvent::FocusIn, Qt::TabFocusReason);
    QFocusEvent hinaus(QEvent::FocusOut, Qt::TabFocusReason);

    // A field the user has not touched keeps its text.
    QApplication::sendEvent(m.Feld(1), &hinein);
    QApplication::sendEvent(m.Feld(1), &hinaus);
    EXPECT_EQ(m.FeldText(1), QStringLiteral("schmidt"));
    EXPECT_EQ(sitzung().Geaendert, 0);

    // A typed one is formatted when it is left, and stored so.
    QApplication::sendEvent(m.Feld(5), &hinein);
    static_cast<QLineEdit*>(m.Feld(5))->end(false);
    main_test::tippen(m.Feld(5), QStringLiteral(" vor der höhe "));
    QApplication::sendEvent(m.Feld(5), &hinaus);
    EXPECT_EQ(m.FeldText(5), QStringLiteral("Bad Homburg Vor Der Höhe"));
    EXPECT_EQ(FeldAus(eintrag(1), 5), QStringLiteral("Bad Homburg Vor Der Höhe"));
    EXPECT_EQ(FeldAus(eintrag(1), 1), QStringLiteral("schmidt"));
}

TEST_F(MainKarte, DoppelklickAufIndexVerweisSuchtDieAdresse)
{
    Main& m = starten();
    auto* zusatz = static_cast<QLineEdit*>(m.Feld(10));
    zusatz->setText(QStringLiteral("siehe #19 und"));
    zusatz->setCursorPosition(8);
    m.Feld_DblClick(10);
    EXPECT_EQ(adressliste().ListIndex(), 2);
    EXPECT_EQ(m.FeldText(1), QStringLiteral("Weber"));
    EXPECT_EQ(m.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));
}

TEST_F(MainKarte, DoppelklickOhneIndexVerweisGehtAnDieAuswahlNaht)
{
    Main& m = starten();
    int feldDoppelklick = -1;
    Main::handlerSetzen(QStringLiteral("Feld_DblClick"), [&](Main&, int i) { feldDoppelklick = i; });
    m.Feld_DblClick(3);
    Main::handlerSetzen(QStringLiteral("Feld_DblClick"), {});
    EXPECT_EQ(feldDoppelklick, 3);
}

TEST_F(MainKarte, AusschneidenMerktDieAdresseUndLoeschtOhneFrage)
{
    Main& m = starten();
    adressliste().setListIndex(1);
    const QString zweite = eintrag(1);
    bool ohneFrage = false;
    Main::handlerSetzen(QStringLiteral("mnuAdrLoeschen_Click"), [&](Main& w, int) {
        ohneFrage = w.KeineFrage;
        w.KeineFrage = false;
        adressliste().RemoveItem(adressliste().ListIndex());
        adressliste().setListIndex(1);
    });
    m.mnuAdrAusschneiden_Click();
    Main::handlerSetzen(QStringLiteral("mnuAdrLoeschen_Click"), {});
    EXPECT_TRUE(ohneFrage);
    EXPECT_FALSE(m.KeineFrage);
    EXPECT_EQ(m.AdressZwischenablage, zweite);
    ASSERT_EQ(adressliste().ListCount(), 2);

    // Pasting appends it as a new address with a number of its own.
    m.mnuAdrEinfuegen_Click();
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(adressliste().ListIndex(), 2);
    EXPECT_EQ(m.FeldText(1), QStringLiteral("Schmidt"));
    EXPECT_EQ(m.FeldText(23), QStringLiteral("1"));
    EXPECT_EQ(sitzung().Geaendert, 1);
}

TEST_F(MainKarte, IndexnummernNeuVergeben)
{
    Main& m = starten();
    plattform.antworten.enqueue(zplatform::vbYes);
    m.mnuIndexSetNew_Click();
    EXPECT_EQ(FeldAus(eintrag(0), 23), QStringLiteral("1"));
    EXPECT_EQ(FeldAus(eintrag(2), 23), QStringLiteral("3"));
    EXPECT_EQ(FeldAus(eintrag(0), 16), QStringLiteral("15.06.2000")) << "the change date stays";
    EXPECT_EQ(m.panelText(QStringLiteral("Index")), QStringLiteral(" #1 "));

    // Answering No changes nothing.
    const QString vorher = eintrag(0);
    m.mnuIndexSetNew_Click();
    EXPECT_EQ(eintrag(0), vorher);
}

TEST_F(MainKarte, MenueAdresseGibtRueckgaengigNurNachEinerAenderungFrei)
{
    const Befehle befehle({QStringLiteral("mnuUndo_Click")});
    Main& m = starten();
    m.PulBearbeiten_Click();
    EXPECT_FALSE(m.aktion(QStringLiteral("mnuUndo"))->isEnabled());
    // Closing the menu gives the shortcut back: Ctrl+Z after the next edit must work.
    Q_EMIT m.menue(QStringLiteral("PulBearbeiten"))->aboutToHide();
    EXPECT_TRUE(m.aktion(QStringLiteral("mnuUndo"))->isEnabled());
    QTest::keyClick(m.Feld(1), Qt::Key_Z);
    m.PulBearbeiten_Click();
    EXPECT_TRUE(m.aktion(QStringLiteral("mnuUndo"))->isEnabled());

    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("DInfoVer"), QStringLiteral("KT1999"));
    m.PulBearbeiten_Click();
    EXPECT_TRUE(m.aktion(QStringLiteral("mnuAdrImpKlickTel1999"))->isVisible());
    EXPECT_FALSE(m.aktion(QStringLiteral("mnuAdrImpDINFO2000"))->isVisible());
}

TEST_F(MainKarte, EintraegeOhneBefehlSindGrauBisEinHandlerDaIst)
{
    Main& m = starten();
    auto an = [&m](const char* name) { return m.aktion(QLatin1String(name))->isEnabled(); };
    // Nothing registered: the window's own commands only.
    for (const char* name : {"PulSichern", "PulAbbruch", "PulEnde", "mnuIndexSetNew", "mnuAdrEinfuegen"})
        EXPECT_TRUE(an(name)) << name;
    for (const char* name : {"PulOeffnen", "PulAnlegen", "mnuSort_16", "PulSort", "mnuAdrLoeschen",
                             "mnuAdrAusschneiden", "mnuChkDoppeltes", "PulListe", "mnuPrg_1", "mnuPrgMenue",
                             "mnuUebernahme", "mnuPopAdrNeu", "mnuPopZoom", "PulInfo"})
        EXPECT_FALSE(an(name)) << name;
    EXPECT_TRUE(an("mnuChk")) << "the menus of the menu bar stay open to look into";
    m.PulBearbeiten_Click();
    EXPECT_FALSE(an("mnuAdrEditX")) << "nothing to paste and no other editing command";
    Q_EMIT m.menue(QStringLiteral("PulBearbeiten"))->aboutToHide();
    EXPECT_TRUE(an("mnuWeiteres"));
    EXPECT_TRUE(m.befSymbol(40)->isEnabled());
    EXPECT_TRUE(m.befSymbol(42)->isEnabled());
    for (int k : {41, 43, 45, 48, 61, 63})
        EXPECT_FALSE(m.befSymbol(k)->isEnabled()) << k;
    EXPECT_FALSE(m.befZoom->isEnabled());

    {
        Befehle befehle({QStringLiteral("PulOeffnen_Click"), QStringLiteral("mnuSort_Click"),
                         QStringLiteral("mnuAdrLoeschen_Click"), QStringLiteral("befZoom_Click")});
        for (const char* name : {"PulOeffnen", "mnuSort_16", "PulSort", "mnuAdrLoeschen", "mnuAdrAusschneiden",
                                 "mnuAdrEditX", "mnuPopAdrLoeschen", "mnuPopZoom"})
            EXPECT_TRUE(an(name)) << name;
        EXPECT_FALSE(an("mnuAdrAnlegen"));
        for (int k : {41, 45, 61, 63})
            EXPECT_TRUE(m.befSymbol(k)->isEnabled()) << k;
        EXPECT_TRUE(m.befZoom->isEnabled());
        m.aktion(QStringLiteral("PulOeffnen"))->trigger();
        m.befSymbol(45)->click();
        EXPECT_EQ(befehle.aufrufe.value(QStringLiteral("PulOeffnen_Click")), 1);
        EXPECT_EQ(befehle.aufrufe.value(QStringLiteral("mnuAdrLoeschen_Click")), 1);

        // Read-only mode still closes the editing commands that are there.
        sitzung().KommandozeileReadonly = true;
        m.ReadOnlySet();
        EXPECT_FALSE(an("mnuAdrLoeschen"));
        EXPECT_FALSE(an("PulSort"));
        EXPECT_FALSE(m.befSymbol(45)->isEnabled());
        EXPECT_TRUE(an("PulOeffnen"));
        EXPECT_TRUE(m.befSymbol(41)->isEnabled());
        sitzung().KommandozeileReadonly = false;
        m.ReadOnlySet();
        EXPECT_TRUE(an("mnuAdrLoeschen"));
    }
    // Removed again: grey again.
    EXPECT_FALSE(an("PulOeffnen"));
    EXPECT_FALSE(an("PulSort"));
    EXPECT_FALSE(m.befSymbol(41)->isEnabled());

    // One handler for the whole symbol bar makes every button usable.
    const Befehle leiste({QStringLiteral("befSymbol_Click")});
    for (int k : {41, 43, 48, 61})
        EXPECT_TRUE(m.befSymbol(k)->isEnabled()) << k;
}

TEST_F(MainKarte, SymbolleisteUndNahtHandler)
{
    Main& m = starten();
    QList<int> sortiert;
    Main::handlerSetzen(QStringLiteral("mnuSort_Click"), [&](Main&, int feld) { sortiert << feld; });
    m.befSymbol(61)->click();
    m.befSymbol(63)->click();
    m.aktion(QStringLiteral("mnuSort_20"))->trigger();
    Main::handlerSetzen(QStringLiteral("mnuSort_Click"), {});
    EXPECT_EQ(sortiert, (QList<int>{16, 0, 20}));
    EXPECT_EQ(m.befSymbol(61)->objectName(), QStringLiteral("befSymbol_61"));
    EXPECT_TRUE(m.befSymbol(46)->isHidden()) << "no document link set up";
}

TEST_F(MainKarte, MenuekuerzelGehenImFeldVor_IhrLoslassenAendertNichts)
{
    Main& m = starten();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    m.Feld(1)->setFocus();
    int rueckgaengig = 0;
    Main::handlerSetzen(QStringLiteral("mnuUndo_Click"), [&](Main&, int) { ++rueckgaengig; });
    QTest::keyClick(m.Feld(1), Qt::Key_Z, Qt::ControlModifier);
    Main::handlerSetzen(QStringLiteral("mnuUndo_Click"), {});
    EXPECT_EQ(rueckgaengig, 1) << "Ctrl+Z is the address's undo";

    // Ctrl+S saves; releasing the keys afterwards marks nothing as changed.
    sitzung().Geaendert = 1;
    QTest::keyClick(m.Feld(1), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(m.panelText(QStringLiteral("Unsaved")), QString());
}

TEST_F(MainKarte, BeschriftungenAusDenEinstellungen)
{
    const QString ini = wurzel.programm() + QStringLiteral("/Zettlora.Ini");
    zcommon::Ini_Schreiben(ini, QStringLiteral("Beschriftung"), QStringLiteral("Bez_05"), QStringLiteral("Wohnort"));
    zcommon::Ini_Schreiben(ini, QStringLiteral("Beschriftung"), QStringLiteral("Rahmen_06"), QStringLiteral("Bank"));
    Main& m = starten();
    EXPECT_EQ(m.Bezeichnung1(5)->text(), QStringLiteral("Wohnort"));
    EXPECT_EQ(sitzung().Bezeichnungen[5], QStringLiteral("Wohnort"));
    EXPECT_EQ(m.Bezeichnung1(4)->text(), QStringLiteral("PLZ"));
    EXPECT_EQ(m.Rahmen(6)->title(), QStringLiteral("Bank"));
    EXPECT_EQ(m.Rahmen(3)->title(), QStringLiteral("Anschrift"));
}

} // namespace
