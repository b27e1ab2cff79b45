// The main window on a real address file: showing the card, storing every
// key release, input limits and characters, leaving a field, read-only mode,
// and the commands and seams of the menus and the symbol bar. The card's rules
// themselves are tested in karte_test.cpp.
#include "main_hilfen.h"

#include "addressbook/ui/kartenfeld.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QToolButton>

#include <functional>

using namespace zadressbuch;
using main_test::einstellung;
using main_test::Handler;
using main_test::zeile;

namespace {

class MainKarte : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        adressdatei({u"..Meine Kunden"_s,
                     zeile({{0, u"Kunde"_s},
                            {1, u"Müller"_s},
                            {2, u"Hans"_s},
                            {4, u"12345"_s},
                            {5, u"Berlin"_s},
                            {11, u"Zeile 1°°Zeile 2"_s},
                            {15, u"01.06.2000"_s},
                            {16, u"15.06.2000"_s},
                            {20, u"15.03.1960"_s},
                            {23, u"17"_s}}),
                     zeile({{1, u"Schmidt"_s}, {2, u"Eva"_s}, {23, u"18"_s}}),
                     zeile({{1, u"Weber"_s}, {7, u"030 1234"_s}, {23, u"19"_s}})});
    }
    QPlainTextEdit* bemerkung() const { return static_cast<QPlainTextEdit*>(fenster->Feld(Bemerkung)); }
    // A double-click with the mouse just right of the place where the cursor
    // would stand before the character at that position.
    void doppelklickAuf(int feld, int position) const
    {
        QPoint p;
        QWidget* ziel = fenster->Feld(feld);
        if (feld == Bemerkung) {
            QTextCursor c(bemerkung()->document());
            c.setPosition(position);
            p = bemerkung()->cursorRect(c).center() + QPoint(2, 0);
            ziel = bemerkung()->viewport();
        } else {
            const int mitte = textfeld(feld)->height() / 2;
            int x = 0;
            while (x < textfeld(feld)->width() && textfeld(feld)->cursorPositionAt(QPoint(x, mitte)) < position)
                ++x;
            p = QPoint(x + 2, mitte);
        }
        QTest::mouseDClick(ziel, Qt::LeftButton, Qt::NoModifier, p);
    }
};

TEST_F(MainKarte, StartZeigtDieErsteAdresse_AuswahlWechseltDieKarte)
{
    const QString programmIni = wurzel.programm() + u"/Zettlora.Ini"_s;
    einstellung(u"Bez_05"_s, u"Wohnort"_s, programmIni, u"Beschriftung"_s);
    einstellung(u"Rahmen_06"_s, u"Bank"_s, programmIni, u"Beschriftung"_s);
    Main& m = starten();
    EXPECT_EQ(m.objectName(), u"Main"_s);
    EXPECT_EQ(m.windowTitle(), u"Meine Kunden"_s);
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(m.Liste->currentIndex().row(), 0);
    EXPECT_EQ(m.FeldText(Nachname), u"Müller"_s);
    EXPECT_EQ(m.FeldText(Bemerkung), u"Zeile 1\r\nZeile 2"_s);
    EXPECT_EQ(bemerkung()->toPlainText(), u"Zeile 1\nZeile 2"_s);
    EXPECT_EQ(sitzung().UndoKopie, eintrag(0));
    // Age and day counters on 02.07.2000 (the scripted clock), and the panels.
    EXPECT_EQ(m.bezInfo2->text(), u"40 Jahre und\n4 Monate alt"_s);
    EXPECT_EQ(m.bezZeit1->text(), u"31 Tg."_s);
    EXPECT_EQ(m.bezZeit2->text(), u"17 Tg."_s);
    EXPECT_EQ(panel("Index"), u" #17 "_s);
    EXPECT_EQ(panel("Unsaved"), QString());

    // The card's fixed properties, captions (two from the settings) and keys.
    for (int i : {ErstelltAm, GeaendertAm, Index})
        EXPECT_TRUE(textfeld(i)->isReadOnly()) << i;
    EXPECT_FALSE(textfeld(Nachname)->isReadOnly());
    EXPECT_TRUE(m.Feld(Index)->isHidden());
    EXPECT_TRUE(m.Bezeichnung1(Index)->isHidden());
    EXPECT_EQ(m.Feld(Nachname)->objectName(), u"Feld_1"_s);
    EXPECT_TRUE(m.befSymbol(46)->isHidden()) << "no document link set up";
    EXPECT_EQ(m.Bezeichnung1(Nachname)->text(), u"Nachname"_s);
    EXPECT_EQ(m.Bezeichnung1(Ort)->text(), u"Wohnort"_s);
    EXPECT_EQ(sitzung().Bezeichnungen[Ort], u"Wohnort"_s) << "for the other parts of the program";
    EXPECT_EQ(m.Rahmen(6)->title(), u"Bank"_s);
    EXPECT_TRUE(m.ProgressBar->isHidden());
    EXPECT_EQ(m.aktion(u"PulEnde"_s)->text(), u"Speichern und Ende"_s);
    const std::pair<const char*, const char*> kuerzel[] = {
        {"PulSichern", "Ctrl+S"}, {"PulEnde", "F12"}, {"mnuSort_16", "Ctrl+Shift+F4"}, {"mnuChkDoppeltes", "Shift+F5"}};
    for (const auto& [name, kurz] : kuerzel)
        EXPECT_EQ(m.aktion(QLatin1String(name))->shortcut(), QKeySequence(QLatin1String(kurz))) << name;

    // A selection by the program shows that address and takes its undo copy.
    adressliste().setListIndex(2);
    EXPECT_EQ(m.FeldText(Nachname), u"Weber"_s);
    EXPECT_EQ(m.FeldText(Bemerkung), QString());
    EXPECT_EQ(m.Liste->currentIndex().row(), 2);
    EXPECT_EQ(sitzung().UndoKopie, eintrag(2));
    EXPECT_EQ(panel("Position"), u" Pos. 3 von 3 "_s);
    EXPECT_EQ(m.bezZeit1->text(), u">1766 Tg."_s);
    EXPECT_EQ(m.bezInfo2->text(), QString()) << "no birthday, no age";

    // Deselecting empties the card and the labels derived from it.
    adressliste().setListIndex(-1);
    EXPECT_EQ(m.FeldText(Nachname), QString());
    EXPECT_EQ(m.bezZeit1->text(), QString());
    EXPECT_EQ(m.bezZeit2->text(), QString());
    EXPECT_EQ(sitzung().UndoKopie, QString());
    EXPECT_EQ(panel("Position"), u" Pos. 0 von 3 "_s);
}

TEST_F(MainKarte, JederTastendruckSpeichertMitHeutigemDatum)
{
    Main& m = starten();
    QTest::keyClick(m.Feld(Vorname), Qt::Key_Shift);
    EXPECT_EQ(sitzung().Geaendert, 0) << "a modifier key alone stores nothing";

    textfeld(Nachname)->setCursorPosition(2);
    QTest::keyClick(m.Feld(Nachname), Qt::Key_X);
    EXPECT_EQ(m.FeldText(Nachname), u"Müxller"_s);
    EXPECT_EQ(textfeld(Nachname)->cursorPosition(), 3) << "the card shown again keeps the cursor";
    const Felder f = Zerlegen(eintrag(0));
    EXPECT_EQ(f[Nachname], u"Müxller"_s);
    EXPECT_EQ(f[GeaendertAm], u"02.07.2000"_s);
    EXPECT_EQ(f[Bemerkung], u"Zeile 1\r\nZeile 2"_s);
    EXPECT_EQ(m.FeldText(GeaendertAm), u"02.07.2000"_s);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(panel("Unsaved"), u" * "_s);
    EXPECT_TRUE(sitzung().UndoKopie.contains(u"\tMüller\t"_s)) << "the undo copy stays as selected";
    EXPECT_EQ(m.FeldEingabegrenze(Bemerkung), 1000 - 59) << "1000 minus the other fields' 59 characters";

    // Field 0 emptied is stored and shown as one blank; Return in the remark is "°°".
    textfeld(Rubrik)->selectAll();
    QTest::keyClick(m.Feld(Rubrik), Qt::Key_Delete);
    EXPECT_TRUE(eintrag(0).startsWith(u" \tMüxller\t"_s));
    EXPECT_EQ(m.FeldText(Rubrik), u" "_s);
    bemerkung()->moveCursor(QTextCursor::End);
    QTest::keyClick(bemerkung(), Qt::Key_Return);
    QTest::keyClicks(bemerkung(), u"Neu"_s);
    EXPECT_TRUE(eintrag(0).contains(u"\tZeile 1°°Zeile 2°°Neu\t"_s));

    // A key that changes nothing (an arrow) stores nothing, not even the date.
    adressliste().setListIndex(1);
    const QString zweite = eintrag(1);
    QTest::keyClick(m.Feld(Vorname), Qt::Key_Right);
    EXPECT_EQ(eintrag(1), zweite);
    EXPECT_EQ(FeldAus(eintrag(1), GeaendertAm), QString());
}

// The card's check compares with the entry as it is now, not as it was when
// the check last looked: an address that another part of the program changed
// in the list while the card shows it (without showing it anew) differs from
// the card, so a key that changes nothing stores the card as every key does,
// and the address holds what the user sees.
TEST_F(MainKarte, DieKartePrueftGegenDenEintragWieErJetztIst)
{
    Main& m = starten();
    m.Feld(Nachname)->setFocus();
    QTest::keyClick(m.Feld(Nachname), Qt::Key_End); // the check has looked: the card is its entry
    ASSERT_EQ(sitzung().Geaendert, 0);
    Felder anders = Zerlegen(eintrag(0));
    anders[Ort] = u"Bonn"_s;
    adressliste().setList(0, Verbinden(anders));
    QTest::keyClick(m.Feld(Nachname), Qt::Key_Left);
    EXPECT_EQ(FeldAus(eintrag(0), Ort), u"Berlin"_s);
    EXPECT_EQ(m.FeldText(Ort), u"Berlin"_s);
    EXPECT_EQ(sitzung().Geaendert, 1);
}

// A text that came into a field without a key in it (from a dialog or a
// command, with or without the field's signals) is stored into its address
// when a key in the list goes on to the next one, as typed text is.
TEST_F(MainKarte, OhneTasteGesetzterTextWirdVorDerListentasteGespeichert)
{
    const auto zeileSetzen = [](int feld, const QString& text, bool stumm) {
        return [=](Main& m) {
            auto* z = static_cast<QLineEdit*>(m.Feld(feld));
            const QSignalBlocker sperre(stumm ? z : nullptr);
            z->setText(text);
        };
    };
    const struct
    {
        const char* name;
        int feld;
        std::function<void(Main&)> aendern;
        QString gespeichert;
    } faelle[] = {
        {"setText", Vorname, zeileSetzen(Vorname, u"Jörg"_s, false), u"Jörg"_s},
        {"setText without signals", Vorname, zeileSetzen(Vorname, u"Jörg"_s, true), u"Jörg"_s},
        {"setText of the date field", GeaendertAm, zeileSetzen(GeaendertAm, u"01.01.2000"_s, true), u"02.07.2000"_s},
        {"the remark's text", Bemerkung,
         [](Main& m) { static_cast<QPlainTextEdit*>(m.Feld(Bemerkung))->setPlainText(u"Neu"_s); }, u"Neu"_s},
        {"a command's text", Ort, [](Main& m) { m.FeldEinsetzen(Ort, 0, 0, u"Bad "_s); }, u"Bad Berlin"_s},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        neuerLauf();
        Main& m = starten();
        m.Liste->setFocus();
        // There and back again: the card was not changed, nothing is stored.
        QTest::keyClick(m.Liste, Qt::Key_Down);
        QTest::keyClick(m.Liste, Qt::Key_Up);
        ASSERT_EQ(adressliste().ListIndex(), 0);
        ASSERT_EQ(sitzung().Geaendert, 0);
        f.aendern(m);
        QTest::keyClick(m.Liste, Qt::Key_Down);
        EXPECT_EQ(adressliste().ListIndex(), 1);
        EXPECT_EQ(FeldAus(eintrag(0), f.feld), f.gespeichert);
        EXPECT_EQ(FeldAus(eintrag(0), GeaendertAm), u"02.07.2000"_s);
        EXPECT_EQ(sitzung().Geaendert, 1);
    }
}

TEST_F(MainKarte, EingabegrenzeStopptNurDasTippen)
{
    // A loaded name far beyond the limit of 50 stays whole.
    const QString lang(70, u'a');
    adressdatei({u"..Lang"_s, zeile({{1, lang}, {4, u"1234567"_s}})});
    Main& m = starten();
    EXPECT_EQ(m.FeldText(Nachname), lang);
    QTest::keyClick(m.Feld(Nachname), Qt::Key_B);
    EXPECT_EQ(m.FeldText(Nachname), lang) << "typing into an overlong field is refused";
    EXPECT_EQ(plattform.toene, QStringList{u"#SystemHand"_s});
    EXPECT_EQ(FeldAus(eintrag(0), Nachname), lang) << "the store keeps the long text";
    textfeld(Nachname)->end(false);
    QTest::keyClick(m.Feld(Nachname), Qt::Key_Backspace);
    EXPECT_EQ(m.FeldText(Nachname).size(), 69) << "deleting is allowed";

    // Postcode: limit 8; replacing a selection of the same length stays within it.
    textfeld(Plz)->end(false);
    QTest::keyClicks(m.Feld(Plz), u"89"_s);
    EXPECT_EQ(m.FeldText(Plz), u"12345678"_s);
    EXPECT_EQ(plattform.toene.size(), 2);
    textfeld(Plz)->setSelection(0, 1);
    QTest::keyClick(m.Feld(Plz), Qt::Key_9);
    EXPECT_EQ(m.FeldText(Plz), u"92345678"_s);
}

TEST_F(MainKarte, ZeichenAusserhalbVonWindows1252WerdenAngeglichen)
{
    Main& m = starten();
    textfeld(Vorname)->end(false);
    main_test::tippen(m.Feld(Vorname), u"€ß"_s);
    EXPECT_EQ(m.FeldText(Vorname), u"Hans€ß"_s);
    EXPECT_TRUE(plattform.toene.isEmpty());
    main_test::tippen(m.Feld(Vorname), QString(QChar(0x0142))); // ł
    EXPECT_EQ(m.FeldText(Vorname), u"Hans€ßl"_s);
    EXPECT_EQ(plattform.toene, QStringList{u"#SystemHand"_s});
    EXPECT_EQ(panel("Status"), u"In der Adressdatei nicht speicherbar: ł → l ersetzt."_s);

    // Pasting into the remark field.
    QApplication::clipboard()->setText(u"Grüße "_s + QChar(0x263A));
    bemerkung()->paste();
    EXPECT_EQ(m.FeldText(Bemerkung), u"Grüße Zeile 1\r\nZeile 2"_s);
    EXPECT_EQ(plattform.toene.size(), 2);
    QApplication::clipboard()->setText(u"Grüße"_s);
    bemerkung()->moveCursor(QTextCursor::End);
    bemerkung()->paste();
    EXPECT_EQ(m.FeldText(Bemerkung), u"Grüße Zeile 1\r\nZeile 2Grüße"_s);
    EXPECT_EQ(plattform.toene.size(), 2);
}

TEST(KartenFeld, EingabeErlaubtZaehltZeilenumbruecheDoppelt)
{
    EXPECT_TRUE(EingabeErlaubt(u"ab"_s, u"abc"_s, 3));
    EXPECT_FALSE(EingabeErlaubt(u"abc"_s, u"abcd"_s, 3));
    EXPECT_TRUE(EingabeErlaubt(u"abcdef"_s, u"abcde"_s, 3));
    EXPECT_TRUE(EingabeErlaubt(u"abcdef"_s, u"abcdeX"_s, 3));
    EXPECT_FALSE(EingabeErlaubt(u"ab"_s, u"a\nb"_s, 3, true));
    EXPECT_TRUE(EingabeErlaubt(u"ab"_s, u"a\nb"_s, 4, true));
    EXPECT_FALSE(EingabeErlaubt(u"ab"_s, u"ab\u0142"_s, -1));
    EXPECT_TRUE(EingabeErlaubt(u"ab"_s, u"ab€"_s, -1));
}

// What a command puts into a field: the piece it puts in is cut, the text
// around it stays whole.
TEST(KartenFeld, EingabeEinpassenKuerztNurDasEingefuegte)
{
    const struct
    {
        QString vorher;
        int anfang, laenge;
        QString einfuegen;
        int grenze;
        bool zwei;
        QString passt;
    } faelle[] = {
        {u"12345"_s, 5, 0, u"äöüß"_s, 8, false, u"äöü"_s},                  // appended
        {u"12345"_s, 2, 0, u"äöüß"_s, 8, false, u"äöü"_s},                  // in the middle
        {u"Strasse 1"_s, 4, 2, u"ßxyz"_s, 9, false, u"ßx"_s},               // in place of a selection
        {u"Köln"_s, 0, 4, u"Frankfurt am Main"_s, 8, false, u"Frankfur"_s}, // the whole text
        {u"123456789"_s, 9, 0, u"0"_s, 8, false, QString()},                // longer already: no more
        {u"123456789"_s, 0, 2, u"ab"_s, 8, false, u"ab"_s},                 // but may keep its length
        {u"ab"_s, 1, 0, u"łx€"_s, 8, false, u"lx€"_s},                      // no Windows-1252: its base letter
        {u"ab"_s, 1, 0, u"☺x€"_s, 8, false, u"x€"_s},                       // or left out
        {u"ab"_s, 2, 0, u"c"_s, 8, false, u"c"_s},                          // fits
        {u"a\r\nb"_s, 3, 0, u"X\r\nY"_s, 7, true, u"X\r\n"_s},              // a line break counts 2
        {u"a\r\nb"_s, 3, 0, u"\r\n"_s, 6, true, u"\r\n"_s},
        {u"a\r\nb"_s, 3, 0, u"\r\n"_s, 5, false, QString()},    // never half a line break
        {u"abc"_s, 3, 0, u"def"_s, -1, false, u"def"_s},        // no limit
        {u"ab"_s, 9, 9, u"cdefghijk"_s, 8, false, u"cdefgh"_s}, // positions clamped
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Eingabe_Anpassen(f.vorher, f.anfang, f.laenge, f.einfuegen, f.grenze, f.zwei).text, f.passt)
            << f.vorher.toStdString() << " + " << f.einfuegen.toStdString();
}

TEST_F(MainKarte, NurLesenSperrtKarteUndMenues)
{
    const Handler befehle({u"PulAnlegen_Click"_s, u"PulOeffnen_Click"_s, u"mnuSort_Click"_s, u"mnuAdrLoeschen_Click"_s,
                           u"mnuSetup_Click"_s, u"mnuUebernahmePlzOrt_Click"_s});
    einstellung(u"SchriftBackCol"_s, u"65280"_s);
    const QByteArray datei = dateiBytes();
    Main& m = starten({u"readonly"_s});
    EXPECT_TRUE(sitzung().NurLesen);
    EXPECT_EQ(m.windowTitle(), u"Meine Kunden - nur Leserechte"_s);
    EXPECT_TRUE(bemerkung()->isReadOnly());
    for (int i = 0; i < FeldAnzahl; ++i) {
        EXPECT_TRUE(i == Bemerkung || textfeld(i)->isReadOnly()) << i;
        EXPECT_NE(m.Feld(i)->palette().color(QPalette::Base), QColor(0, 255, 0)) << "not the stored background";
    }
    for (const char* name : {"PulAnlegen", "PulSichern", "PulSort", "mnuAdrAnlegen", "mnuAdrDuplizieren",
                             "mnuAdrLoeschen", "mnuChk", "mnuDateiBeschreiben", "mnuDateiHinzufuegen", "mnuSetup",
                             "mnuSonderzeichenEinfg", "mnuUebernahme", "mnuAdrAusschneiden", "mnuIndexSetNew"})
        EXPECT_FALSE(m.aktion(QLatin1String(name))->isEnabled()) << name;
    EXPECT_TRUE(m.aktion(u"PulOeffnen"_s)->isEnabled());
    EXPECT_FALSE(m.befSymbol(42)->isEnabled());
    EXPECT_EQ(m.aktion(u"PulEnde"_s)->text(), u"Programm beenden"_s);

    // No key release stores the card.
    const QString vorher = eintrag(0);
    QTest::keyClick(m.Feld(Nachname), Qt::Key_Right);
    m.Feld_KeyUp(Nachname);
    EXPECT_EQ(eintrag(0), vorher);
    EXPECT_EQ(sitzung().Geaendert, 0);
    // Closing never saves.
    sitzung().Geaendert = 1;
    EXPECT_TRUE(m.close());
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(dateiBytes(), datei);
}

TEST_F(MainKarte, FeldVerlassenSpeichertNurGeaendertesUndFormatiertGetipptes)
{
    einstellung(u"AutoFormatUCase"_s, u"1"_s);
    einstellung(u"AutoFormatTrim"_s, u"1"_s);
    Main& m = starten();
    // An entry in a shorter form than the card writes, in small letters.
    adressliste().setList(1, u" \tschmidt\tEva\t"_s);
    adressliste().setListIndex(1);

    // Entering notes the field; leaving it untouched changes nothing.
    main_test::fokus(m.Feld(Nachname), true);
    EXPECT_EQ(sitzung().AktivesFeld, int(Nachname));
    EXPECT_EQ(sitzung().FeldHatteFokus, 1);
    main_test::fokus(m.Feld(Nachname), false);
    EXPECT_EQ(m.FeldText(Nachname), u"schmidt"_s);
    EXPECT_EQ(eintrag(1), u" \tschmidt\tEva\t"_s);
    EXPECT_EQ(sitzung().Geaendert, 0);
    main_test::fokus(m.TxtSuche, true);
    EXPECT_EQ(sitzung().FeldHatteFokus, 0);

    // A typed field is formatted when it is left, and stored so.
    main_test::fokus(m.Feld(Ort), true);
    main_test::tippen(m.Feld(Ort), u" bad homburg vor der höhe "_s);
    main_test::fokus(m.Feld(Ort), false);
    EXPECT_EQ(m.FeldText(Ort), u"Bad Homburg Vor Der Höhe"_s);
    EXPECT_EQ(FeldAus(eintrag(1), Ort), u"Bad Homburg Vor Der Höhe"_s);
    EXPECT_EQ(FeldAus(eintrag(1), Nachname), u"schmidt"_s);

    // A text changed by the program is stored when the field is left.
    adressliste().setListIndex(0);
    sitzung().Geaendert = 0;
    textfeld(Ort)->setText(u"Bonn"_s);
    main_test::fokus(m.Feld(Ort), false);
    EXPECT_EQ(FeldAus(eintrag(0), Ort), u"Bonn"_s);
    EXPECT_EQ(sitzung().Geaendert, 1);

    // The key preview notes the last key in any control.
    QTest::keyClick(m.Feld(Nachname), Qt::Key_Escape);
    EXPECT_EQ(sitzung().LetzteTaste, 27);
    QTest::keyClick(m.Liste, Qt::Key_A);
    EXPECT_EQ(sitzung().LetzteTaste, int('a'));
}

TEST_F(MainKarte, IndexverweisPerDoppelklick_SonstDieNaht_UndNeuNummerieren)
{
    const Handler naht({u"Feld_DblClick"_s});
    Main& m = starten();
    textfeld(Zusatz)->setText(u"siehe #19 und"_s);
    textfeld(Zusatz)->setCursorPosition(8);
    m.Feld_DblClick(Zusatz);
    EXPECT_EQ(adressliste().ListIndex(), 2);
    EXPECT_EQ(m.FeldText(Nachname), u"Weber"_s);
    EXPECT_EQ(panel("Status"), u"Bereit"_s);
    EXPECT_EQ(naht.anzahl(u"Feld_DblClick"_s), 0);

    m.Feld_DblClick(Strasse);
    EXPECT_EQ(naht.aufrufe.value(u"Feld_DblClick"_s), QList<int>{Strasse});

    // Numbering all anew, after asking; No changes nothing.
    plattform.antworten.enqueue(zplatform::vbYes);
    m.befehlAusfuehren(Befehl::mnuIndexSetNew);
    EXPECT_EQ(FeldAus(eintrag(0), Index), u"1"_s);
    EXPECT_EQ(FeldAus(eintrag(2), Index), u"3"_s);
    EXPECT_EQ(panel("Index"), u" #3 "_s);
    const QString vorher = eintrag(0);
    m.befehlAusfuehren(Befehl::mnuIndexSetNew);
    EXPECT_EQ(eintrag(0), vorher);
}

// A double-click with the mouse on the digits of "#18" jumps to that address,
// in a one-line field and in the remarks alike (each "#" word by itself,
// also where a line break ends it).
TEST_F(MainKarte, DoppelklickAufIndexverweisSpringtAuchAusDenBemerkungen)
{
    adressdatei({u"..Meine Kunden"_s,
                 zeile({{1, u"Müller"_s}, {10, u"vgl. #19"_s}, {11, u"Rückruf°°siehe #18°°und #19"_s}, {23, u"17"_s}}),
                 zeile({{1, u"Schmidt"_s}, {23, u"18"_s}}), zeile({{1, u"Weber"_s}, {23, u"19"_s}})});
    Main& m = starten();

    // "Rückruf\nsiehe #18\nund #19": the "1" of "#18" stands at 15.
    ASSERT_EQ(bemerkung()->toPlainText().indexOf(u"#18"_s), 14);
    doppelklickAuf(Bemerkung, 15);
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Nachname), u"Schmidt"_s);

    adressliste().setListIndex(0);
    doppelklickAuf(Bemerkung, int(bemerkung()->toPlainText().indexOf(u"#19"_s)) + 2);
    EXPECT_EQ(adressliste().ListIndex(), 2) << "the last word of the text";

    adressliste().setListIndex(0);
    doppelklickAuf(Zusatz, 7);
    EXPECT_EQ(adressliste().ListIndex(), 2);
    EXPECT_EQ(m.FeldText(Nachname), u"Weber"_s);

    // On the "#" itself, which the field selects alone, in both kinds of field.
    adressliste().setListIndex(0);
    doppelklickAuf(Zusatz, 5);
    EXPECT_EQ(adressliste().ListIndex(), 2) << "the \"#\" of \"vgl. #19\"";
    adressliste().setListIndex(0);
    doppelklickAuf(Bemerkung, 14);
    EXPECT_EQ(adressliste().ListIndex(), 1) << "the \"#\" of \"#18\" in the remarks";
    EXPECT_TRUE(plattform.meldungen.empty());
}

// "#19" at the very start of a field, and at the start of the remarks and of
// a line in them: a double-click on its digits (or its "#") jumps as well,
// and never goes on to the field's other double-click rules.
TEST_F(MainKarte, IndexverweisAmAnfangDesFeldes)
{
    const Handler naht({u"Feld_DblClick"_s});
    adressdatei({u"..Meine Kunden"_s,
                 zeile({{1, u"Müller"_s}, {3, u"#19 vgl."_s}, {11, u"#19 zuerst°°#18 dann"_s}, {23, u"17"_s}}),
                 zeile({{1, u"Schmidt"_s}, {23, u"18"_s}}), zeile({{1, u"Weber"_s}, {23, u"19"_s}})});
    Main& m = starten();
    const struct
    {
        int feld;
        int position;
        int adresse; // list position of the address it jumps to
    } faelle[] = {{Strasse, 1, 2}, {Strasse, 2, 2}, {Strasse, 0, 2}, {Bemerkung, 1, 2}, {Bemerkung, 2, 2},
                  {Bemerkung, 0, 2}, {Bemerkung, 12, 1}, {Bemerkung, 11, 1}};
    ASSERT_EQ(bemerkung()->toPlainText().indexOf(u"#18"_s), 11);
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << "Feld " << f.feld << ", Stelle " << f.position);
        adressliste().setListIndex(0);
        ASSERT_EQ(m.FeldText(Nachname), u"Müller"_s);
        doppelklickAuf(f.feld, f.position);
        EXPECT_EQ(adressliste().ListIndex(), f.adresse);
    }
    EXPECT_EQ(naht.anzahl(u"Feld_DblClick"_s), 0);
    EXPECT_TRUE(plattform.meldungen.empty());
}

TEST_F(MainKarte, AusschneidenMerktDieAdresseUndLoeschtOhneFrage)
{
    einstellung(u"BestätigeLöschen"_s, u"1"_s);
    Main& m = starten();
    adressliste().setListIndex(1);
    const QString zweite = eintrag(1);
    m.befehlAusfuehren(Befehl::mnuAdrAusschneiden);
    EXPECT_TRUE(plattform.meldungen.empty()) << "cutting asks nothing";
    EXPECT_EQ(sitzung().AdressZwischenablage, zweite);
    ASSERT_EQ(adressliste().ListCount(), 2);

    // Pasting appends it as a new address with a number of its own.
    m.befehlAusfuehren(Befehl::mnuAdrEinfuegen);
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(adressliste().ListIndex(), 2);
    EXPECT_EQ(m.FeldText(Nachname), u"Schmidt"_s);
    EXPECT_EQ(m.FeldText(Index), u"1"_s);
    EXPECT_EQ(sitzung().Geaendert, 1);
}

TEST_F(MainKarte, MenueAdresseGibtRueckgaengigNurNachEinerAenderungFrei)
{
    const Handler befehle({u"mnuUndo_Click"_s});
    Main& m = starten();
    m.PulBearbeiten_Click();
    EXPECT_FALSE(m.aktion(u"mnuUndo"_s)->isEnabled());
    // Closing the menu gives the shortcut back: Ctrl+Z after the next edit must work.
    Q_EMIT m.menue(u"PulBearbeiten"_s)->aboutToHide();
    EXPECT_TRUE(m.aktion(u"mnuUndo"_s)->isEnabled());
    QTest::keyClick(m.Feld(Nachname), Qt::Key_Z);
    m.PulBearbeiten_Click();
    EXPECT_TRUE(m.aktion(u"mnuUndo"_s)->isEnabled());

    einstellung(u"DInfoVer"_s, u"KT1999"_s);
    m.PulBearbeiten_Click();
    EXPECT_TRUE(m.aktion(u"mnuAdrImpKlickTel1999"_s)->isVisible());
    EXPECT_FALSE(m.aktion(u"mnuAdrImpDINFO2000"_s)->isVisible());
}

TEST_F(MainKarte, EintraegeOhneBefehlSindGrau_DieTabelleFuehrtZuJedemBefehl)
{
    // The menu entries (by name) or symbol buttons (by number) are usable (frei) or grey.
    auto eintraege = [this](std::initializer_list<const char*> namen, bool frei) {
        for (const char* name : namen)
            EXPECT_EQ(fenster->aktion(QLatin1String(name))->isEnabled(), frei) << name;
    };
    auto symbole = [this](std::initializer_list<int> knoepfe, bool frei) {
        for (int k : knoepfe)
            EXPECT_EQ(fenster->befSymbol(k)->isEnabled(), frei) << k;
    };
    {
        // Nothing registered: every entry grey; the menus stay open to look into.
        ohneProgramm = true;
        Main& m = starten();
        eintraege({"PulSichern", "PulOeffnen", "PulAnlegen", "mnuSort_16", "PulSort", "mnuAdrLoeschen",
                   "mnuAdrAusschneiden", "mnuChkDoppeltes", "PulListe", "mnuPrg_1", "mnuPrgMenue", "mnuUebernahme",
                   "mnuPopAdrNeu", "mnuPopZoom", "PulInfo"},
                  false);
        eintraege({"mnuChk", "mnuWeiteres", "PulDatei"}, true);
        m.PulBearbeiten_Click();
        eintraege({"mnuAdrEditX"}, false);
        Q_EMIT m.menue(u"PulBearbeiten"_s)->aboutToHide();
        symbole({40, 41, 42, 43, 45, 48, 61, 63}, false);
        EXPECT_FALSE(m.befZoom->isEnabled());
    }
    neuerLauf();
    adressdatei({u"..Meine Kunden"_s, zeile({{1, u"Meier"_s}})});
    const Handler befehle({u"PulOeffnen_Click"_s, u"mnuSort_Click"_s, u"mnuAdrLoeschen_Click"_s, u"befZoom_Click"_s});
    Main& m = starten();
    eintraege(
        {"PulOeffnen", "mnuSort_16", "PulSort", "mnuAdrLoeschen", "mnuAdrEditX", "mnuPopAdrLoeschen", "mnuPopZoom"},
        true);
    eintraege({"mnuAdrAnlegen", "mnuAdrAusschneiden"}, false);
    symbole({41, 45, 61, 63}, true);
    EXPECT_TRUE(m.befZoom->isEnabled());
    m.aktion(u"PulOeffnen"_s)->trigger();
    m.befSymbol(45)->click();
    m.befSymbol(61)->click();
    m.befSymbol(63)->click();
    m.aktion(u"mnuSort_20"_s)->trigger();
    m.aktion(u"mnuPopZoom"_s)->trigger();
    EXPECT_EQ(befehle.anzahl(u"PulOeffnen_Click"_s), 1);
    EXPECT_EQ(befehle.anzahl(u"mnuAdrLoeschen_Click"_s), 1);
    EXPECT_EQ(befehle.anzahl(u"befZoom_Click"_s), 1);
    EXPECT_EQ(befehle.aufrufe.value(u"mnuSort_Click"_s), (QList<int>{16, 0, 20})) << "sorted by these fields";

    // Read-only mode still closes the editing commands that are there.
    sitzung().KommandozeileReadonly = true;
    m.ReadOnlySet();
    eintraege({"mnuAdrLoeschen", "PulSort", "mnuChk"}, false);
    eintraege({"PulOeffnen"}, true);
    symbole({45}, false);
    symbole({41}, true);
    EXPECT_FALSE(m.befehlAusfuehren(Befehl::mnuAdrLoeschen)) << "a greyed command does not run by other ways";
    sitzung().KommandozeileReadonly = false;
    m.ReadOnlySet();
    eintraege({"mnuAdrLoeschen", "mnuChk"}, true);
}

TEST_F(MainKarte, MenuekuerzelGehenImFeldVor_IhrLoslassenAendertNichts)
{
    const Handler rueckgaengig({u"mnuUndo_Click"_s});
    Main& m = starten();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    m.Feld(Nachname)->setFocus();
    // On an unchanged card the undo's entry would be grey: Ctrl+Z does nothing.
    QTest::keyClick(m.Feld(Nachname), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rueckgaengig.anzahl(u"mnuUndo_Click"_s), 0) << "nothing to undo";
    EXPECT_EQ(m.FeldText(Nachname), u"Müller"_s) << "nor is the key typed into the field";
    QTest::keyClick(m.Feld(Nachname), Qt::Key_X);
    QTest::keyClick(m.Feld(Nachname), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rueckgaengig.anzahl(u"mnuUndo_Click"_s), 1) << "Ctrl+Z is the address's undo";
    // Ctrl+S saves; releasing the keys afterwards marks nothing as changed.
    sitzung().Geaendert = 1;
    QTest::keyClick(m.Feld(Nachname), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(panel("Unsaved"), QString());
}

// The hot keys of the entries the opened menu greys by a rule act only while
// the rule lets them: the menus' closed state (every entry enabled) is no
// way round it.
TEST_F(MainKarte, KuerzelFolgenDerRegelIhresEintrags)
{
    const Handler befehle({u"mnuUndo_Click"_s, u"mnuImpZA_Click"_s});
    Main& m = starten();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    m.Feld(Vorname)->setFocus();
    ASSERT_TRUE(m.aktion(u"mnuImpZA"_s)->isEnabled()) << "closed menus keep their entries enabled";

    plattform.zwischenablageSetzen(QString());
    QTest::keyClick(m.Feld(Vorname), Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ(befehle.anzahl(u"mnuImpZA_Click"_s), 0) << "nothing to import from an empty clipboard";
    plattform.zwischenablageSetzen(u"Anna Meier"_s);
    QTest::keyClick(m.Feld(Vorname), Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ(befehle.anzahl(u"mnuImpZA_Click"_s), 1);

    // Another address selected: its card is unchanged again.
    QTest::keyClick(m.Feld(Vorname), Qt::Key_A);
    adressliste().setListIndex(1);
    QTest::keyClick(m.Feld(Vorname), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(befehle.anzahl(u"mnuUndo_Click"_s), 0);
    EXPECT_EQ(m.FeldText(Vorname), u"Eva"_s);
}

// "&Importieren" greys the clipboard import while the clipboard holds no
// text, as "&Adresse" does: a click then runs nothing.
TEST_F(MainKarte, ImportmenueGibtDenZwischenablageImportNurMitTextFrei)
{
    const Handler befehle({u"mnuImpZA_Click"_s});
    Main& m = starten();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    QMenu* import = m.menue(u"mnuImport"_s);
    QAction* eintrag = m.aktion(u"mnuImpZA"_s);
    int erwartet = 0;
    for (const QString& inhalt : {QString(), u"Anna Meier"_s}) {
        plattform.zwischenablageSetzen(inhalt);
        QTest::keyClick(m.Feld(Vorname), Qt::Key_I, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return import->isVisible(); }));
        EXPECT_EQ(eintrag->isEnabled(), !inhalt.isEmpty()) << inhalt.toStdString();
        QTest::mouseClick(import, Qt::LeftButton, {}, import->actionGeometry(eintrag).center());
        if (import->isVisible())
            QTest::keyClick(import, Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !import->isVisible(); }));
        erwartet += inhalt.isEmpty() ? 0 : 1;
        EXPECT_EQ(befehle.anzahl(u"mnuImpZA_Click"_s), erwartet);
        EXPECT_TRUE(eintrag->isEnabled()) << "closed, the entry is enabled again for its key";
    }
}

} // namespace

// F1 in the main window opens the help, wherever the cursor stands.
TEST_F(MainKarte, F1OeffnetDieHilfe)
{
    const Handler befehle({u"PulAnleitung_Click"_s});
    Main& m = starten();
    EXPECT_EQ(m.aktion(u"PulAnleitung"_s)->shortcut(), QKeySequence(Qt::Key_F1));
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    QTest::keyClick(m.Feld(Nachname), Qt::Key_F1);
    EXPECT_EQ(befehle.anzahl(u"PulAnleitung_Click"_s), 1);
    QTest::keyClick(m.TxtSuche, Qt::Key_F1);
    EXPECT_EQ(befehle.anzahl(u"PulAnleitung_Click"_s), 2);
}
