// The transfer dialog as the user works it: set-up from the settings, the
// keys of its fields, the print command with its question, account log and
// form types, the payer list, the swap and the settings save.

#include "payment/einrichtung.h"
#include "payment/ui/formprnueberweisung.h"
#include "platform/codec.h"

#include "support/einfuegewege.h"
#include "zahlungstest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace zzahlung;

namespace {

class FormUeberweisungTest : public ZahlungTest
{
protected:
    zplatform::AufzeichnungsDrucker drucker;
    QStringList jobs;
    bool druckAbbruch = false;

    std::unique_ptr<FormPrnUeberweisung> oeffnen()
    {
        auto f = std::make_unique<FormPrnUeberweisung>();
        f->druckdialog = [this](QWidget*, const QString& job, const QString&) {
            jobs << job;
            Druckwahl w;
            w.abbruch = druckAbbruch;
            w.drucker = &drucker;
            w.randX = 0.5;
            w.randY = 1.2;
            return w;
        };
        f->TimerInit_Timer();
        return f;
    }
    // Shows the dialog and waits until it can take keys.
    static void zeigen(FormPrnUeberweisung& f)
    {
        f.show();
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    }
    static QStringList eintraege(const QComboBox* k)
    {
        QStringList r;
        for (int i = 0; i < k->count(); ++i)
            r << k->itemText(i);
        return r;
    }
};

} // namespace

TEST_F(FormUeberweisungTest, ErsteBenutzungMitVorgaben)
{
    FormPrnUeberweisung f;
    EXPECT_FALSE(f.befDrucken->isEnabled());
    EXPECT_FALSE(f.befZurueck->isEnabled());
    EXPECT_TRUE(f.TimerInit->isActive());
    EXPECT_EQ(f.TxtAuftraggeberName->text(), QStringLiteral("Tester"));
    EXPECT_TRUE(f.TxtAuftraggeberKontoNr->text().isEmpty());
    EXPECT_EQ(f.ComboAuftraggeber->count(), 0);
    EXPECT_EQ(f.TxtWaehrung->currentText(), QStringLiteral("DM"));
    ASSERT_EQ(f.TxtWaehrung->count(), 18);
    EXPECT_EQ(f.TxtWaehrung->itemText(10), QStringLiteral("ATS"));
    EXPECT_EQ(f.TxtWaehrung->itemText(14), QStringLiteral("ATS"));
    EXPECT_EQ(f.TxtWaehrung->itemText(17), QString());
    EXPECT_TRUE(f.strgPrintDate->isChecked());
    EXPECT_TRUE(f.optFormular[0]->isChecked());
    EXPECT_FALSE(f.optFormular[1]->isEnabled());
    EXPECT_FALSE(f.ComboUnterschriftPrn->isVisibleTo(&f));
    EXPECT_EQ(ini(QStringLiteral("Währungskürzel")), WaehrungsVorgabe);
    // The deferred set-up lists the fonts and frees the buttons.
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.befDrucken->isEnabled(); }, 5000));
    EXPECT_TRUE(f.befZurueck->isEnabled());
    EXPECT_EQ(f.ComboSchrift->currentText(), QStringLiteral("Courier New"));
}

TEST_F(FormUeberweisungTest, GespeicherteEinstellungenHinUndZurueck)
{
    ini("User_Tester_AllKonto", "P | 1 | 2 | X;;Q | 3 | 4 | Y;");
    ini("User_Tester_DruckeDatum", "abc");
    ini("User_Tester_BankForm", "2");
    ini("User_Tester_UeberweisFont", "times");
    ini("User_Tester_UeberweisWährung", "EUR");
    wurzel.schreiben("programm/FormPrn_Ueberweisung.jpg", "x");
    wurzel.schreiben("programm/FormPrn_Ueberweisung.BMP", "x");
    wurzel.schreiben("programm/Unterschrift_Anderer.bmp", "x");
    wurzel.schreiben("programm/UNTERSCHRIFT_TESTER.BMP", "x");
    auto f = oeffnen();
    EXPECT_EQ(eintraege(f->ComboAuftraggeber), (QStringList{"P | 1 | 2 | X", "Q | 3 | 4 | Y"}));
    EXPECT_EQ(f->ComboAuftraggeber->currentIndex(), -1);
    EXPECT_FALSE(f->strgPrintDate->isChecked());
    EXPECT_TRUE(f->optFormular[2]->isChecked());
    EXPECT_TRUE(f->optFormular[1]->isEnabled());
    EXPECT_TRUE(f->optFormular1Tag.endsWith("FormPrn_Ueberweisung.BMP"));
    EXPECT_EQ(f->ComboSchrift->currentText(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(f->TxtWaehrung->currentText(), QStringLiteral("EUR"));
    ASSERT_EQ(f->ComboUnterschriftPrn->count(), 3);
    EXPECT_EQ(f->ComboUnterschriftPrn->currentText(), QStringLiteral("Unterschrift_Tester.Bmp"));

    f->optFormular[1]->setChecked(true);
    f->strgPrintDate->setChecked(true);
    f->TxtAuftraggeberKontoNr->setText(QStringLiteral(" 555 "));
    f->mniEinstellSichern_Click();
    EXPECT_EQ(ini("User_Tester_AllKonto"), QStringLiteral("P | 1 | 2 | X;Q | 3 | 4 | Y;"));
    EXPECT_EQ(ini("User_Tester_DruckeDatum"), QStringLiteral("1"));
    EXPECT_EQ(ini("User_Tester_BankForm"), QStringLiteral("1"));
    EXPECT_EQ(ini("User_Tester_KontoNr"), QStringLiteral("555"));
    EXPECT_EQ(ini("User_Tester_UeberweisFont"), QStringLiteral("Times New Roman"));

    // Without the picture a saved picture form falls back to the laser sheet.
    QFile::remove(wurzel.programm() + "/FormPrn_Ueberweisung.jpg");
    QFile::remove(wurzel.programm() + "/FormPrn_Ueberweisung.BMP");
    auto g = oeffnen();
    EXPECT_TRUE(g->optFormular[0]->isChecked());
    EXPECT_EQ(g->TxtAuftraggeberKontoNr->text(), QStringLiteral("555"));

    zadressbuch::sitzung().NurLesen = true;
    auto h = oeffnen();
    EXPECT_FALSE(h->mniEinstellSichern->isEnabled());
}

TEST_F(FormUeberweisungTest, TastenDerFelder)
{
    auto f = oeffnen();
    zeigen(*f);
    // Payer fields keep the list's separators out; the recipient's do not.
    f->TxtAuftraggeberName->clear();
    f->TxtAuftraggeberName->setFocus();
    QTest::keyClicks(f->TxtAuftraggeberName, "Meier; Sohn | GmbH");
    EXPECT_EQ(f->TxtAuftraggeberName->text(), QStringLiteral("Meier, Sohn - GmbH"));
    f->TxtEmpfaengerName->setFocus();
    QTest::keyClicks(f->TxtEmpfaengerName, "Meier; Sohn | GmbH");
    EXPECT_EQ(f->TxtEmpfaengerName->text(), QStringLiteral("Meier; Sohn | GmbH"));

    // The amount: a point becomes a comma, Enter moves on and works it out.
    f->TxtBetrag->setFocus();
    QTest::keyClicks(f->TxtBetrag, "12.5");
    EXPECT_EQ(f->TxtBetrag->text(), QStringLiteral("12,5"));
    QTest::keyClick(f->TxtBetrag, Qt::Key_Return);
    EXPECT_EQ(f->TxtBetrag->text(), QStringLiteral("12,50"));
    EXPECT_TRUE(f->TxtVerwendung1->hasFocus());
    // Entering a field selects its whole text.
    f->TxtBetrag->setFocus();
    EXPECT_EQ(f->TxtBetrag->selectedText(), QStringLiteral("12,50"));

    // Purpose hot keys: date, time, running number.
    ini("VarioCount0", "0");
    zcommon::Ini_Schreiben(QString(), QStringLiteral("Variablen"), QStringLiteral("VarioCount0"), QStringLiteral("41"));
    f->TxtVerwendung1->setFocus();
    f->TxtVerwendung1->setText(QStringLiteral("Rechnung "));
    f->TxtVerwendung1->end(false);
    QTest::keyClick(f->TxtVerwendung1, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(f->TxtVerwendung1->text(), QStringLiteral("Rechnung 05.12.2026 "));
    f->TxtVerwendung2->setFocus();
    QTest::keyClick(f->TxtVerwendung2, Qt::Key_U, Qt::ControlModifier);
    QTest::keyClick(f->TxtVerwendung2, Qt::Key_Backslash, Qt::ControlModifier);
    EXPECT_EQ(f->TxtVerwendung2->text(), QStringLiteral("09:05 42 "));
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), "Variablen", "VarioCount0"), QStringLiteral("42"));

    // Enter in the last payer field goes on to the control after it, never into the field.
    f->TxtAuftraggeberBank->setFocus();
    f->TxtAuftraggeberBank->setText(QStringLiteral("Bank"));
    QTest::keyClick(f->TxtAuftraggeberBank, Qt::Key_Return);
    EXPECT_TRUE(f->strgPrintDate->hasFocus());
    EXPECT_EQ(f->TxtAuftraggeberBank->text(), QStringLiteral("Bank"));

    // Enter in the currency box moves on to the amount.
    f->TxtWaehrung->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(f->TxtBetrag->hasFocus());
    EXPECT_EQ(f->TxtWaehrung->count(), 18) << "Enter adds nothing to the list";

    // Ctrl+V swaps payer and recipient instead of pasting.
    QApplication::clipboard()->setText(QStringLiteral("EINGEFUEGT"));
    f->TxtEmpfaengerName->setText(QStringLiteral("Empf"));
    f->TxtAuftraggeberName->setText(QStringLiteral("Auftr"));
    f->TxtEmpfaengerName->setFocus();
    QTest::keyClick(f->TxtEmpfaengerName, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f->TxtEmpfaengerName->text(), QStringLiteral("Auftr"));
    EXPECT_EQ(f->TxtAuftraggeberName->text(), QStringLiteral("Empf"));
    f->mnuFlipEA_Click();
    EXPECT_EQ(f->TxtEmpfaengerName->text(), QStringLiteral("Empf"));

    // Esc hides the dialog like its back button.
    QTest::keyClick(f->TxtEmpfaengerName, Qt::Key_Escape);
    EXPECT_FALSE(f->isVisible());
}

// Opening the menus from the keyboard is no leaving of the amount box: Alt
// alone or Alt with a menu's letter, and back with Esc, leave "10+5" as
// typed; Tab out of the box works it out.
TEST_F(FormUeberweisungTest, MenueleisteMitAltVerlaesstDenBetragNicht)
{
    auto f = oeffnen();
    zeigen(*f);
    auto* leiste = f->findChild<QMenuBar*>();
    ASSERT_NE(leiste, nullptr);
    f->TxtBetrag->setFocus();
    QTest::keyClicks(f->TxtBetrag, "10+5");

    QTest::keyPress(f->TxtBetrag, Qt::Key_Alt);
    QTest::keyRelease(f->TxtBetrag, Qt::Key_Alt, Qt::AltModifier);
    ASSERT_TRUE(leiste->hasFocus());
    EXPECT_EQ(f->TxtBetrag->text(), QStringLiteral("10+5"));
    QTest::keyClick(leiste, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f->TxtBetrag->hasFocus(); }));
    EXPECT_EQ(f->TxtBetrag->text(), QStringLiteral("10+5"));

    QTest::keyClick(f->TxtBetrag, Qt::Key_W, Qt::AltModifier);
    QMenu* menue = leiste->actions().value(0)->menu();
    ASSERT_NE(menue, nullptr);
    ASSERT_EQ(menue->title(), QStringLiteral("Über&weisung"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menue->isVisible(); }));
    EXPECT_EQ(f->TxtBetrag->text(), QStringLiteral("10+5"));
    QTest::keyClick(menue, Qt::Key_Escape);
    if (leiste->hasFocus())
        QTest::keyClick(leiste, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f->TxtBetrag->hasFocus(); }));
    EXPECT_EQ(f->TxtBetrag->text(), QStringLiteral("10+5"));
    EXPECT_TRUE(f->isVisible());

    QTest::keyClick(f->TxtBetrag, Qt::Key_Tab);
    EXPECT_EQ(f->TxtBetrag->text(), QStringLiteral("15,00"));
}

TEST_F(FormUeberweisungTest, StrgVVertauschtAusJedemSteuerelement)
{
    auto f = oeffnen();
    f->TxtWaehrung->setCurrentText(QStringLiteral("EUR"));
    f->TxtEmpfaengerName->setText(QStringLiteral("Empf"));
    f->TxtAuftraggeberName->setText(QStringLiteral("Auftr"));
    zeigen(*f);
    QApplication::clipboard()->setText(QStringLiteral("EINGEFUEGT"));

    // Every control the user can reach with Tab, the currency box's line edit included.
    QList<QWidget*> steuerelemente;
    QWidget* w = f->TxtEmpfaengerName;
    do {
        if (w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
            w->window() == f.get())
            steuerelemente << w;
        w = w->nextInFocusChain();
    } while (w != f->TxtEmpfaengerName);
    ASSERT_TRUE(steuerelemente.contains(f->TxtWaehrung));
    ASSERT_GE(steuerelemente.size(), 18);

    for (QWidget* s : steuerelemente) {
        s->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == s; })) << s->objectName().toStdString();
        const QString empfaenger = f->TxtEmpfaengerName->text();
        const QString auftraggeber = f->TxtAuftraggeberName->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(f->TxtEmpfaengerName->text(), auftraggeber) << s->objectName().toStdString();
        EXPECT_EQ(f->TxtAuftraggeberName->text(), empfaenger) << s->objectName().toStdString();
    }
    EXPECT_EQ(f->TxtWaehrung->currentText(), QStringLiteral("EUR")) << "nothing pasted";
    for (QLineEdit* e : f->findChildren<QLineEdit*>())
        EXPECT_FALSE(e->text().contains(QStringLiteral("EINGEFUEGT"))) << e->objectName().toStdString();

    // The other menu keys reach their commands from the currency box too: Ctrl+E opens the log.
    f->TxtAuftraggeberKontoNr->setText(QStringLiteral("77"));
    wurzel.schreiben("daten/Konto_77.Log", "x");
    f->TxtWaehrung->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(plattform.gestarteteProgramme.size(), 1);
    EXPECT_TRUE(plattform.gestarteteProgramme[0].endsWith("/daten/Konto_77.Log"));
    EXPECT_EQ(f->TxtWaehrung->currentText(), QStringLiteral("EUR"));
}

TEST_F(FormUeberweisungTest, EscNurWennZurueckMoeglichIst)
{
    // The deferred set-up held: the state of the dialog's first 500 ms, "&Zurück" still off.
    auto f = std::make_unique<FormPrnUeberweisung>();
    f->TimerInit->stop();
    zeigen(*f);
    ASSERT_FALSE(f->befZurueck->isEnabled());
    for (QWidget* s : std::initializer_list<QWidget*>{f->TxtEmpfaengerName, f->TxtWaehrung, f->TxtBetrag}) {
        s->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        ASSERT_TRUE(f->isVisible()) << s->objectName().toStdString();
    }

    // Once the set-up has run, Esc goes back like the button.
    f->TimerInit->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f->befZurueck->isEnabled(); }, 5000));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(f->isVisible());
}

TEST_F(FormUeberweisungTest, BankNameAusDerBankleitzahl)
{
    auto f = oeffnen();
    f->bankSuchen = [](const QString& blz) { return blz == "10020030" ? QStringLiteral("Musterbank") : QString(); };
    zeigen(*f);
    f->TxtEmpfaengerBLZ->setText(QStringLiteral("10020030"));
    f->TxtEmpfaengerBank->setFocus();
    EXPECT_EQ(f->TxtEmpfaengerBank->text(), QStringLiteral("Musterbank"));
    EXPECT_EQ(f->TxtEmpfaengerBank->selectedText(), QStringLiteral("Musterbank"));
    f->TxtEmpfaengerBank->setText(QStringLiteral("Eigene"));
    f->TxtBetrag->setFocus();
    f->TxtEmpfaengerBank->setFocus();
    EXPECT_EQ(f->TxtEmpfaengerBank->text(), QStringLiteral("Eigene"));
}

TEST_F(FormUeberweisungTest, DruckbefehlFragtProtokolliertUndDruckt)
{
    auto f = oeffnen();
    f->Vorbelegen("Anna", "Muster", "12345", "Berlin", "1234567890", "10020030", "Musterbank", "Rechnung\r\n17");
    EXPECT_EQ(f->TxtEmpfaengerName->text(), QStringLiteral("Anna Muster 12345 Berlin"));
    EXPECT_EQ(f->TxtVerwendung1->text(), QStringLiteral("Rechnung 17"));
    f->TxtAuftraggeberKontoNr->setText(QStringLiteral("12.345 67"));
    const QString log = daten() + "/Konto_12_345_67.Log";

    // No amount: Cancel leaves no log entry and prints nothing.
    for (const char* betrag : {"", "0,00", "-5", "(2+3)"}) {
        f->TxtBetrag->setText(QString::fromUtf8(betrag));
        plattform.antworten.enqueue(zplatform::vbCancel);
        f->mnuDrucken_Click();
        ASSERT_FALSE(plattform.meldungen.empty());
        EXPECT_EQ(plattform.meldungen.back().text, QStringLiteral("Sie haben keinen Betrag eingegeben."));
        EXPECT_EQ(plattform.meldungen.back().titel, QStringLiteral("Formular ohne Betrag drucken?"));
        EXPECT_EQ(plattform.meldungen.back().stil,
                  zplatform::vbOKCancel | zplatform::vbQuestion | zplatform::vbDefaultButton2);
    }
    EXPECT_FALSE(QFile::exists(log));
    EXPECT_TRUE(jobs.isEmpty());

    // An expression still in the field is worked out first; the laser sheet asks to leave.
    plattform.meldungen.clear();
    f->TxtBetrag->setText(QStringLiteral("3*4,5"));
    plattform.antworten.enqueue(zplatform::vbNo);
    f->mnuDrucken_Click();
    EXPECT_EQ(f->TxtBetrag->text(), QStringLiteral("13,50"));
    EXPECT_EQ(jobs, QStringList{"Zettlora_Ueberweisung"});
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text, QStringLiteral("Möchten Sie den Überweisungsdruck verlassen?"));
    EXPECT_EQ(drucker.auftraege(), 1);
    EXPECT_EQ(drucker.seiten().front().texte().count("13,50"), 2);
    EXPECT_TRUE(roh(log).contains("EUR:  13,50\r\n") || roh(log).contains("DM:   13,50\r\n"));

    // The classic form asks nothing afterwards and takes its own job name.
    plattform.meldungen.clear();
    f->optFormular[2]->setChecked(true);
    f->mnuDrucken_Click();
    EXPECT_TRUE(plattform.meldungen.empty());
    EXPECT_EQ(jobs.last(), QStringLiteral("Zettlora_UeberweisungKlassisch"));
    EXPECT_EQ(roh(log).count("Wann: 05.12.2026 09:05, Samstag"), 2);

    // Cancel in the print options: the log entry stays written, nothing printed.
    druckAbbruch = true;
    f->mnuDrucken_Click();
    EXPECT_EQ(drucker.auftraege(), 2);
    EXPECT_EQ(roh(log).count("Wann:"), 3);
}

// What comes into the boxes keeps what the form's print and the account log
// can hold (Windows-1252, the box's length, one line), with a word under the
// box: "Dvořák" prints and is logged as "Dvorák" (the log took no entry at
// all for a letter it could not write, after the form was printed).
TEST_F(FormUeberweisungTest, EingefuegtesPasstInDruckUndKontoprotokoll)
{
    using nutzer::Weg;
    auto f = oeffnen();
    zeigen(*f);
    f->TxtAuftraggeberKontoNr->setText(QStringLiteral("4711"));
    f->TxtBetrag->setText(QStringLiteral("12,50"));
    const QString zeichen = QStringLiteral("Nicht im Zeichensatz Windows-1252: ");
    const QString rest = QStringLiteral(" Zeichen auf; der Rest der Einfügung wurde weggelassen.");
    const struct
    {
        QLineEdit* feld;
        Weg weg;
        QString text, danach, hinweis;
    } faelle[] = {
        // Ctrl+V swaps the parties here: Shift+Insert pastes.
        {f->TxtEmpfaengerName, Weg::ShiftEinfg, QStringLiteral("Dvořák"), QStringLiteral("Dvorák"),
         zeichen + QStringLiteral("ř → r ersetzt.")},
        {f->TxtVerwendung1, Weg::Menue, QStringLiteral("Rechnung\r\n17 \U0001F600"), QStringLiteral("Rechnung 17 "),
         zeichen + QStringLiteral("\U0001F600 weggelassen.")},
        {f->TxtEmpfaengerKontoNr, Weg::Fallenlassen, QStringLiteral("DE89 3704 0044 0532 0130 00"),
         QStringLiteral("DE89 3704 "), QStringLiteral("Das Feld »Konto-Nr. Empfänger« nimmt nur 10") + rest},
        {f->TxtEmpfaengerBank, Weg::Eingabemethode, QStringLiteral("Sparkasse Köln-Bonn, Filiale Mitte"),
         QStringLiteral("Sparkasse Köln-Bonn, Filial"),
         QStringLiteral("Das Feld »Kreditinstitut« nimmt nur 27") + rest},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.feld->objectName().toStdString());
        nutzer::hineinbringen(fall.feld, fall.weg, fall.text, true);
        EXPECT_EQ(fall.feld->text(), fall.danach);
        EXPECT_EQ(nutzer::hinweisAm(fall.feld), fall.hinweis);
    }
    EXPECT_EQ(plattform.toene, QStringList(4, QStringLiteral("#SystemHand")));

    plattform.antworten.enqueue(zplatform::vbNo);
    f->mnuDrucken_Click();
    const QStringList gedruckt = drucker.seiten().front().texte();
    for (const auto& fall : faelle)
        EXPECT_TRUE(gedruckt.contains(fall.danach)) << fall.danach.toStdString();
    ASSERT_EQ(plattform.meldungen.size(), 1u) << plattform.letzteMeldung().toStdString();
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Überweisungsdruck verlassen?"));
    const QByteArray log = roh(daten() + "/Konto_4711.Log");
    EXPECT_TRUE(log.contains(zplatform::nachWindows1252(QStringLiteral("An:   Dvorák, Konto: DE89 3704 , BLZ: "))))
        << log.toStdString();
    EXPECT_TRUE(log.contains("Bem:  Rechnung 17 \r\n")) << log.toStdString();
}

TEST_F(FormUeberweisungTest, ProtokollNichtSchreibbarDruckGehtTrotzdem)
{
    // The data folder is a file: the log cannot be created.
    wurzel.schreiben("keinordner", "x");
    zadressbuch::sitzung().DatenOrdner = wurzel.wurzel() + "/keinordner";
    auto f = oeffnen();
    f->optFormular[2]->setChecked(true);
    f->TxtBetrag->setText(QStringLiteral("10"));
    f->mnuDrucken_Click();
    EXPECT_EQ(drucker.auftraege(), 1);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.meldungen[0].text.startsWith("Das Kontoprotokoll konnte nicht geschrieben werden:"));
}

TEST_F(FormUeberweisungTest, JaNachDemLaserdruckSchliesst)
{
    auto f = oeffnen();
    zeigen(*f);
    f->TxtBetrag->setText(QStringLiteral("1"));
    plattform.antworten.enqueue(zplatform::vbYes);
    f->befDrucken->click();
    EXPECT_FALSE(f->isVisible());
}

TEST_F(FormUeberweisungTest, AuftraggeberlisteUndProtokollansicht)
{
    auto f = oeffnen();
    f->TxtAuftraggeberName->setText(QStringLiteral("Firma A"));
    f->TxtAuftraggeberKontoNr->setText(QStringLiteral("123"));
    f->TxtAuftraggeberBLZ->setText(QStringLiteral("456"));
    f->TxtAuftraggeberBank->setText(QStringLiteral("Bank B"));
    f->mnuAuftraggeberMerken_Click();
    f->mnuAuftraggeberMerken_Click();
    for (QLineEdit* e :
         {f->TxtAuftraggeberName, f->TxtAuftraggeberKontoNr, f->TxtAuftraggeberBLZ, f->TxtAuftraggeberBank})
        e->clear();
    f->mnuAuftraggeberMerken_Click();
    EXPECT_EQ(eintraege(f->ComboAuftraggeber), (QStringList{"Firma A | 123 | 456 | Bank B", " |  |  | "}));
    EXPECT_EQ(plattform.meldungen.size(), 3u);
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Auftraggeber aufnehmen"));
    EXPECT_EQ(f->ComboAuftraggeber->currentIndex(), -1);

    // Delete without a selection says so.
    f->mnuAuftraggeberLoeschen_Click();
    EXPECT_EQ(plattform.meldungen.back().titel, QStringLiteral("Konto löschen"));
    EXPECT_EQ(f->ComboAuftraggeber->count(), 2);

    // Pick fills the payer fields; deleting picks the entry that moves up.
    f->ComboAuftraggeber->setCurrentIndex(0);
    f->ComboAuftraggeber_Click();
    EXPECT_EQ(f->TxtAuftraggeberBank->text(), QStringLiteral("Bank B"));
    f->mnuAuftraggeberLoeschen_Click();
    EXPECT_EQ(eintraege(f->ComboAuftraggeber), QStringList{" |  |  | "});
    EXPECT_TRUE(f->TxtAuftraggeberName->text().isEmpty());
    EXPECT_TRUE(f->TxtAuftraggeberBank->text().isEmpty());

    // The log viewer opens an existing log with the editor, with the path as one argument.
    f->TxtAuftraggeberKontoNr->setText(QStringLiteral("9 9"));
    f->mnuProtokoll_Click();
    EXPECT_TRUE(plattform.gestarteteProgramme.isEmpty());
    wurzel.schreiben("daten/Konto_9_9.Log", "x");
    f->mnuProtokoll_Click();
    ASSERT_EQ(plattform.gestarteteProgramme.size(), 1);
    EXPECT_TRUE(plattform.gestarteteProgramme[0].endsWith("/daten/Konto_9_9.Log"));
}
