// The direct-debit and cash-on-delivery dialogs: set-up from card and
// settings, single print with debit log, filing, the collection run and the
// cash-on-delivery print button.

#include "addressbook/dateiini.h"
#include "common/dateien.h"
#include "payment/ui/formprnlastschrift.h"
#include "payment/ui/formprnnachnahme.h"
#include "platform/dateisystem.h"
#include "support/prozessblick.h"

#include "zahlungstest.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <utility>

using namespace zzahlung;
using namespace Qt::StringLiterals;

namespace {

std::array<QString, 24> karteMit(std::initializer_list<std::pair<int, QString>> werte)
{
    std::array<QString, 24> k;
    for (const auto& [nr, text] : werte)
        k[size_t(nr)] = text;
    return k;
}

class FormZahlungTest : public FormDruckTest
{
protected:
    std::unique_ptr<FormPrnLastschrift> lastschrift(const std::array<QString, 24>& karte, const QString& auswahl = {})
    {
        auto f = std::make_unique<FormPrnLastschrift>(karte, auswahl);
        f->druckdialog = dialog();
        return f;
    }
    // The form for the card person, shown and active, with "10+5" typed
    // into its amount box, which keeps the focus.
    std::unique_ptr<FormPrnLastschrift> betragGetippt()
    {
        auto form = lastschrift(karteMit({{1, "Kartenperson"}}));
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->TxtBetrag->setFocus();
        QTest::keyClicks(form->TxtBetrag, "10+5");
        return form;
    }
};

} // namespace

TEST_F(FormZahlungTest, LastschriftFuelltSichAusKarteUndEinstellungen)
{
    const struct
    {
        const char* vorname;
        const char* nachname;
        const char* zusatz;
        const char* name;
    } faelle[] = {{"F", "L", "Z", "F L Z"},
                  {"", "L", "", "L"},
                  {"", "", "c/o Zusatz", "c/o Zusatz"},
                  {"Annabella", "Mustermann", "Zusatz7", "Annabella Mustermann"},
                  {"Annabella", "Mustermann", "Zusat6", "Annabella Mustermann Zusat6"}};
    for (const auto& f : faelle) {
        auto form = lastschrift(karteMit({{1, f.nachname}, {2, f.vorname}, {10, f.zusatz}}));
        EXPECT_EQ(form->TxtAbsName->text(), QString::fromUtf8(f.name)) << f.name;
    }

    ini("Lastschrift_BankForm", "7");
    ini("Lastschrift_Währung", "EUR");
    ini("Lastschrift_Name", "Verein B");
    ini("Lastschrift_KontoNr", "654");
    ini("Lastschrift_Font", "times");
    wurzel.schreiben("programm/FormPrn_Lastschrift.jpg", "x");
    wurzel.schreiben("programm/FormPrn_Lastschrift.bmp", "x");
    auto form = lastschrift(karteMit({{17, "987 "}, {18, "200"}, {19, "Bank"}, {23, "1234"}}), "Rechnung\r\n4711");
    EXPECT_EQ(form->TxtAbsKontoNr->text(), QStringLiteral("987")) << "trimmed";
    EXPECT_EQ(form->TxtVerwendung1->text(), QStringLiteral("Rechnung 4711"));
    EXPECT_EQ(form->TxtVerwendung2->text(), QStringLiteral("Lastschrift Kunde 1234"));
    EXPECT_EQ(form->TxtEmpName->currentText(), QStringLiteral("Verein B"));
    EXPECT_EQ(form->TxtEmpName->count(), 0);
    EXPECT_EQ(form->TxtEmpKontoNr->text(), QStringLiteral("654"));
    EXPECT_EQ(form->TxtWaehrung->currentText(), QStringLiteral("EUR"));
    EXPECT_EQ(form->TxtWaehrung->count(), 17);
    EXPECT_TRUE(form->optFormular[1]->isChecked());
    EXPECT_TRUE(form->optFormular1Tag.endsWith("FormPrn_Lastschrift.bmp"));
    EXPECT_EQ(form->ComboSchrift->currentText(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(form->TxtBetrag->text().isEmpty());

    form->optFormular[0]->setChecked(true);
    form->TxtEmpName->setCurrentText(QStringLiteral("  Neu  "));
    form->mnuSetupSave_Click();
    EXPECT_EQ(ini("Lastschrift_BankForm"), QStringLiteral("0"));
    EXPECT_EQ(ini("Lastschrift_Name"), QStringLiteral("Neu"));
    EXPECT_EQ(ini("Lastschrift_Font"), QStringLiteral("Times New Roman"));
}

TEST_F(FormZahlungTest, LastschriftDruckenProtokollierenUndSchliessen)
{
    const QString log = daten() + "/LS_{jjjj}.txt";
    zadressbuch::DateiIni_Schreiben("LogLastschriften", log);
    auto form = lastschrift(karteMit({{1, "Muster"}, {3, "Hauptstr. 1"}, {4, "12345"}, {5, "Berlin"}, {23, "42"}}));
    form->show();
    form->TxtBetrag->setText(QStringLiteral("10+5"));
    EXPECT_TRUE(form->befPrnLastschrift_Click());
    EXPECT_EQ(form->TxtBetrag->text(), QStringLiteral("15,00"));
    EXPECT_EQ(jobs, QStringList{"Zettlora_Lastschrift"});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ini("Lastschrift_Belege"), QStringLiteral("1"));
    const QStringList texte = drucker->seiten().front().texte();
    EXPECT_EQ(texte.count("15,00"), 2);
    EXPECT_TRUE(texte.contains("Hauptstr. 1"));
    EXPECT_TRUE(texte.contains("Kunde #42"));
    // The log line is the record the collection file would receive.
    EXPECT_EQ(roh(daten() + "/LS_2026.txt"), Lastschrift_Satz(form->Daten()).toLatin1() + "\r\n");

    // One form per sheet; cancelling the print options writes nothing and keeps the dialog.
    ini("Lastschrift_Belege", "-1");
    auto zwei = lastschrift(karteMit({}));
    zwei->show();
    zwei->TxtBetrag->setText(QStringLiteral("1"));
    abbrueche = {true};
    EXPECT_FALSE(zwei->befPrnLastschrift_Click());
    EXPECT_EQ(ini("Lastschrift_Belege"), QStringLiteral("-1"));
    EXPECT_TRUE(zwei->isVisible());
    EXPECT_EQ(zplatform::zeilenLesen(daten() + "/LS_2026.txt").size(), 1);
    EXPECT_TRUE(zwei->befPrnLastschrift_Click());
    EXPECT_EQ(drucker->seiten().front().texte().count("1,00"), 1) << "one form";
    EXPECT_FALSE(drucker->seiten().front().texte().contains("Lastschrift")) << "no stub";
}

TEST_F(FormZahlungTest, LastschriftAblegenUndSammellauf)
{
    auto form = lastschrift(karteMit({{1, "Kartenperson"}, {3, "Kartenstr. 9"}, {23, "777"}}));
    form->show();
    form->TxtBetrag->setText(QStringLiteral("10+5"));
    form->mnuLastFileSave_Click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(plattform.toene, QStringList{"#SystemExclamation"});
    const QString datei = daten() + "/LastschriftSammlung.txt";
    ASSERT_EQ(zplatform::zeilenLesen(datei).size(), 1);
    EXPECT_TRUE(zplatform::zeilenLesen(datei).front().contains("\t-10+5\t")) << "filed as typed";

    // Add a record without amount and a line that is no record.
    Lastschrift ohne = form->Daten();
    ohne.betrag.clear();
    ohne.absName = QStringLiteral("Ohne Betrag");
    ASSERT_TRUE(Lastschrift_Anhaengen(datei, ohne));
    ASSERT_TRUE(zplatform::zeilenAnhaengen(datei, {"irgendwas"}));
    Lastschrift dritte = form->Daten();
    dritte.absName = QStringLiteral("Dritter");
    dritte.betrag = QStringLiteral("7");
    ASSERT_TRUE(Lastschrift_Anhaengen(datei, dritte));

    auto lauf = lastschrift(karteMit({{1, "Kartenperson"}, {3, "Kartenstr. 9"}, {23, "777"}}));
    lauf->show();
    plattform.meldungen.clear();
    plattform.antworten.enqueue(zplatform::vbCancel); // no amount: not printed
    lauf->mnuLastFilePrint_Click();
    EXPECT_EQ(jobs.size(), 2);
    // One job for the run, a page per debit printed.
    EXPECT_EQ(drucker->auftraege(), 1);
    ASSERT_EQ(drucker->seiten().size(), 2u);
    EXPECT_TRUE(drucker->seiten().back().texte().contains("Dritter"));
    EXPECT_TRUE(lauf->isVisible());
    EXPECT_TRUE(lauf->Sammeldruck_Laeuft);
    EXPECT_EQ(lauf->TxtAbsName->text(), QStringLiteral("Dritter"));
    // The stub names nobody of the card during the run.
    const QStringList texte = drucker->seiten().front().texte();
    EXPECT_FALSE(texte.contains("Kartenstr. 9"));
    EXPECT_FALSE(texte.contains("Kunde #777"));
    // The delete question names what was not printed and proposes No; the file stays.
    ASSERT_EQ(plattform.meldungen.size(), 2u);
    const GezeigteMeldung& frage = plattform.meldungen.back();
    EXPECT_EQ(frage.titel, QStringLiteral("Lastschrift-Sammeldatei löschen?"));
    EXPECT_TRUE(frage.text.contains("2 Einträge")) << frage.text.toStdString();
    EXPECT_EQ(frage.stil, zplatform::vbYesNo | zplatform::vbQuestion | zplatform::vbDefaultButton2);
    EXPECT_TRUE(QFile::exists(datei));

    // Delete command: Yes moves the file to the trash with a copy in the temp folder.
    plattform.antworten.enqueue(zplatform::vbYes);
    lauf->mnuLastFileDel_Click();
    EXPECT_EQ(plattform.meldungen.back().stil, zplatform::vbYesNo | zplatform::vbQuestion);
    EXPECT_FALSE(QFile::exists(datei));
    EXPECT_TRUE(QFile::exists(wurzel.temp() + "/LastschriftSammlung.txt"));

    // A missing collection file: error report, no delete question.
    plattform.meldungen.clear();
    lauf->mnuLastFilePrint_Click();
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.meldungen[0].text.contains("Es ist ein Fehler beim Drucken der Lastschriften aufgetreten."));
}

// The user types an amount and files the debit through the menu opened with
// the mouse, without leaving the amount box: it is filed as typed.
TEST_F(FormZahlungTest, AblegenUeberDasMenueMitDerMausOhneDenBetragZuVerlassen)
{
    auto form = betragGetippt();
    auto* leiste = form->findChild<QMenuBar*>();
    auto* menue = form->findChild<QMenu*>(QStringLiteral("mnuLastFile"));
    ASSERT_NE(leiste, nullptr);
    ASSERT_NE(menue, nullptr);
    auto menueOeffnen = [&] {
        QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->actionGeometry(menue->menuAction()).center());
        return QTest::qWaitFor([&] { return menue->isVisible(); });
    };

    // A menu opened and closed again (a second click on its title) is no leaving: the box still
    // holds what was typed, and typing goes on where it was.
    ASSERT_TRUE(menueOeffnen());
    QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->actionGeometry(menue->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !menue->isVisible() && form->TxtBetrag->hasFocus(); }));
    EXPECT_EQ(form->TxtBetrag->text(), QStringLiteral("10+5"));
    QTest::keyClicks(form->TxtBetrag, "+0");
    QTest::keyClick(form->TxtBetrag, Qt::Key_Backspace);
    QTest::keyClick(form->TxtBetrag, Qt::Key_Backspace);
    EXPECT_EQ(form->TxtBetrag->text(), QStringLiteral("10+5"));

    ASSERT_TRUE(menueOeffnen());
    QTest::mouseClick(menue, Qt::LeftButton, {}, menue->actionGeometry(form->mnuLastFileSave).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }));
    EXPECT_EQ(abgelegterBetrag(), QStringLiteral("10+5"));
    const QStringList zeilen = zplatform::zeilenLesen(daten() + "/LastschriftSammlung.txt");
    ASSERT_EQ(zeilen.size(), 1);
    EXPECT_EQ(Lastschrift_Lesen(zeilen.front()).value_or(Lastschrift{}).absName, QStringLiteral("Kartenperson"));
}

// The same from the keyboard: Alt gives the menu bar the focus, which is no
// leaving of the amount box either; Alt+S and the entry's letter file the
// debit as typed.
TEST_F(FormZahlungTest, AblegenUeberDasMenueMitDerTastaturOhneDenBetragZuVerlassen)
{
    auto form = betragGetippt();
    auto* leiste = form->findChild<QMenuBar*>();
    auto* menue = form->findChild<QMenu*>(QStringLiteral("mnuLastFile"));
    ASSERT_NE(leiste, nullptr);
    ASSERT_NE(menue, nullptr);

    // Alt alone, then Esc: the menu bar takes the focus and gives it back.
    QTest::keyPress(form->TxtBetrag, Qt::Key_Alt);
    QTest::keyRelease(form->TxtBetrag, Qt::Key_Alt, Qt::AltModifier);
    ASSERT_TRUE(leiste->hasFocus());
    EXPECT_EQ(form->TxtBetrag->text(), QStringLiteral("10+5"));
    QTest::keyClick(leiste, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->TxtBetrag->hasFocus(); }));
    EXPECT_EQ(form->TxtBetrag->text(), QStringLiteral("10+5"));
    EXPECT_TRUE(form->isVisible()) << "Esc closed the menu bar, not the form";

    QTest::keyClick(form->TxtBetrag, Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menue->isVisible(); }));
    EXPECT_EQ(form->TxtBetrag->text(), QStringLiteral("10+5"));
    QTest::keyClick(menue, Qt::Key_S);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }));
    EXPECT_EQ(abgelegterBetrag(), QStringLiteral("10+5"));
}

// Leaving the amount box with the mouse still works the amount out.
TEST_F(FormZahlungTest, BetragWirdBeimVerlassenMitDerMausAusgewertet)
{
    auto form = lastschrift(karteMit({}));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->TxtBetrag->setFocus();
    QTest::keyClicks(form->TxtBetrag, "10+5");
    QTest::mouseClick(form->TxtVerwendung1, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->TxtVerwendung1->hasFocus(); }));
    EXPECT_EQ(form->TxtBetrag->text(), QStringLiteral("15,00"));
}

TEST_F(FormZahlungTest, AblegenScheitertOhneErfolgston)
{
    wurzel.schreiben("datei", "x");
    zadressbuch::sitzung().DatenOrdner = wurzel.wurzel() + "/datei";
    auto form = lastschrift(karteMit({}));
    form->show();
    form->mnuLastFileSave_Click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(plattform.toene.contains("#SystemExclamation"));
    ASSERT_FALSE(plattform.meldungen.empty());
    EXPECT_TRUE(
        plattform.meldungen.back().text.contains("Es ist ein Fehler beim Ablegen der Lastschrift aufgetreten."));
}

TEST_F(FormZahlungTest, NachnahmeFuellenPreisUndDruck)
{
    wurzel.schreiben("programm/FormPrn_Nachnahme.gif", "x");
    ini("NN_BankForm", "1");
    ini("NN_KontoNr", "12345678901234");
    const auto karte = karteMit(
        {{1, "Berg"}, {2, "Anna"}, {3, " Hauptstr. 1 "}, {4, "12345"}, {5, "Berlin"}, {10, "c/o Meier"}, {23, "123"}});
    FormPrnNachnahme f(karte, QStringLiteral("Lieferung\r\nMai"));
    f.druckdialog = dialog();
    EXPECT_EQ(f.TxtName->text(), QStringLiteral("Anna Berg~c/o Meier"));
    EXPECT_EQ(f.txtStrasse->text(), QStringLiteral("Hauptstr. 1"));
    EXPECT_EQ(f.txtOrt->text(), QStringLiteral("12345 Berlin"));
    EXPECT_EQ(f.txtPreisZustell->text(), QStringLiteral("2,93"));
    EXPECT_EQ(f.AbsKontoNr->text(), QStringLiteral("123456789012"));
    EXPECT_EQ(f.ComboWaehrung->currentText(), QStringLiteral("DM"));
    EXPECT_TRUE(f.optFormular[1]->isChecked());
    EXPECT_TRUE(f.optFormular1Tag.endsWith("FormPrn_Nachnahme.gif"));
    QStringList a1, a2;
    for (int i = 0; i < f.txtArtikel1->count(); ++i)
        a1 << f.txtArtikel1->itemText(i);
    for (int i = 0; i < f.txtArtikel2->count(); ++i)
        a2 << f.txtArtikel2->itemText(i);
    EXPECT_EQ(a1, (QStringList{"Anna Berg", "c/o Meier", "#123", "Bestellung", "Auftrag"}));
    EXPECT_EQ(a2, (QStringList{"Anna Berg", "c/o Meier", "#123"}));
    EXPECT_EQ(f.txtArtikel1->currentText(), QStringLiteral("Lieferung Mai"));
    EXPECT_TRUE(f.txtArtikel2->currentText().isEmpty());

    f.show();
    f.txtPreisZustell->setFocus();
    f.txtPreisZustell->clear();
    QTest::keyClicks(f.txtPreisZustell, "3.5");
    EXPECT_EQ(f.txtPreisZustell->text(), QStringLiteral("3,5"));
    f.txtPreis->setText(QStringLiteral("12,50"));
    f.txtPreis_LostFocus();
    EXPECT_EQ(f.txtPreis->text(), QStringLiteral("12.5"));

    // No price: the question; Cancel keeps the form open and prints nothing.
    f.txtPreis->setText(QStringLiteral("abc"));
    plattform.antworten.enqueue(zplatform::vbCancel);
    f.befPrnUeberweisung_Click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(jobs.isEmpty());

    f.txtPreis->setText(QStringLiteral("12.5"));
    f.befPrnUeberweisung_Click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(jobs, QStringList{"Zettlora_Nachnahme"});
    const QStringList texte = drucker->seiten().front().texte();
    EXPECT_TRUE(texte.contains("16")) << "12,50 + 3,50";
    EXPECT_TRUE(texte.contains("00"));
    EXPECT_TRUE(texte.contains("12,50 DM"));

    f.mnuSetupSave_Click();
    EXPECT_EQ(ini("NN_BankForm"), QStringLiteral("1"));
    EXPECT_EQ(ini("NN_PreisZustell"), QStringLiteral("3,5"));
    EXPECT_EQ(ini("NN_KontoNr"), QStringLiteral("123456789012"));
}

// The fee typed into its box counts as far as it forms a number from its
// start; the printed amount is price + fee.
TEST_F(FormZahlungTest, NachnahmeZustellgebuehrSoweitSieEineZahlIst)
{
    const struct
    {
        const char* gebuehr;
        const char* einheiten;
        const char* cent;
    } faelle[] = {{"2+1", "14", "50"}, {"3 DM", "15", "50"}, {"2,50 ", "15", "00"},
                  {"DM 3", "12", "50"}, {"", "12", "50"},    {"3.5", "16", "00"}};
    for (const auto& fall : faelle) {
        FormPrnNachnahme f(karteMit({}), QString());
        f.druckdialog = dialog();
        f.show();
        f.txtPreisZustell->setFocus();
        f.txtPreisZustell->clear();
        QTest::keyClicks(f.txtPreisZustell, fall.gebuehr);
        f.txtPreis->setText(QStringLiteral("12.5"));
        QTest::mouseClick(f.befPrnUeberweisung, Qt::LeftButton);
        ASSERT_FALSE(f.isVisible()) << fall.gebuehr;
        const QStringList texte = drucker->seiten().back().texte();
        EXPECT_TRUE(texte.contains(QString::fromUtf8(fall.einheiten)) && texte.contains(QString::fromUtf8(fall.cent)))
            << "fee \"" << fall.gebuehr << "\": " << texte.join(u'|').toStdString();
    }
}

TEST_F(FormZahlungTest, NachnahmeSchliesstAuchNachAbbruchImDruckdialog)
{
    FormPrnNachnahme f(karteMit({}), QString());
    f.druckdialog = dialog();
    f.show();
    f.txtPreis->setText(QStringLiteral("5"));
    abbrueche = {true};
    f.befPrnUeberweisung_Click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(drucker->auftraege(), 0);
}

TEST_F(FormZahlungTest, LastschriftProtokollNichtSchreibbarDruckGehtTrotzdem)
{
    wurzel.schreiben("datei", "x");
    zadressbuch::DateiIni_Schreiben("LogLastschriften", wurzel.wurzel() + "/datei/LS.txt");
    auto form = lastschrift(karteMit({}));
    form->TxtBetrag->setText(QStringLiteral("5"));
    EXPECT_TRUE(form->befPrnLastschrift_Click());
    EXPECT_EQ(drucker->auftraege(), 1);
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_TRUE(plattform.meldungen[0].text.startsWith("Das Lastschrift-Protokoll konnte nicht geschrieben werden:"));
}

// The collection run against a second instance, as real processes: a debit
// filed by the other while the run prints stays in the file after the
// deletion, and a second run meanwhile says so and prints nothing. The file
// was saved by an editor as UTF-8 and ends without a line end; its last
// debit is printed, the one filed after it too.
TEST_F(FormZahlungTest, SammellaufBehaeltWasDerweilAbgelegtWurde)
{
    const QString datei = daten() + "/LastschriftSammlung.txt";
    Lastschrift l;
    l.absName = QStringLiteral("Jörg Müller");
    l.betrag = QStringLiteral("2,00");
    const QString erste = Lastschrift_Satz(l);
    l.absName = QStringLiteral("Zweite");
    const QString zweite = Lastschrift_Satz(l);
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF" + (erste + "\r\n" + zweite).toUtf8()); // no line end after the last
    f.close();

    const auto helfer = [](const QStringList& argumente) {
        QProcess p;
        p.start(QStringLiteral(ZETTLORA_PROZESSHELFER), argumente);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    QString andererLauf;
    QStringList gedruckt;
    bool anderswo = true;
    auto lauf = lastschrift(karteMit({}));
    lauf->druckdialog = [&](QWidget*, const QString&, const QString&) {
        gedruckt << lauf->TxtAbsName->text();
        if (std::exchange(anderswo, false)) {
            // Meanwhile at another place: a debit is filed, a run is tried.
            helfer({u"ablegen"_s, daten(), u"Derweil Abgelegt"_s});
            andererLauf = helfer({u"sammellauf"_s, daten()});
        }
        Druckwahl w;
        w.abbruch = false;
        w.drucker = &zplatform::drucker();
        return w;
    };
    lauf->show();
    plattform.antworten.enqueue(zplatform::vbYes); // delete what was printed
    lauf->mnuLastFilePrint_Click();

    EXPECT_EQ(gedruckt, (QStringList{u"Jörg Müller"_s, u"Zweite"_s}));
    EXPECT_TRUE(andererLauf.startsWith(u"0\n"_s)) << andererLauf.toStdString();
    EXPECT_TRUE(andererLauf.contains(u"wird gerade gedruckt"_s)) << andererLauf.toStdString();
    EXPECT_FALSE(andererLauf.contains(u"gelöscht werden?"_s)) << andererLauf.toStdString();

    // Only the debit filed meanwhile is left, in the file's own encoding.
    const QStringList rest = zplatform::zeilenLesen(datei);
    ASSERT_EQ(rest.size(), 1);
    EXPECT_EQ(Lastschrift_Lesen(rest.front())->absName, u"Derweil Abgelegt"_s);
    EXPECT_TRUE(roh(datei).startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(roh(wurzel.temp() + "/LastschriftSammlung.txt").contains("J\xC3\xB6rg M\xC3\xBCller"))
        << "a copy of the whole file stays in the temp folder";
    EXPECT_FALSE(QFile::exists(zplatform::Laufsperre::sperrdatei(datei)));

    // The next run prints it and, with nothing left, the file goes.
    gedruckt.clear();
    plattform.antworten.enqueue(zplatform::vbYes);
    lauf->mnuLastFilePrint_Click();
    EXPECT_EQ(gedruckt, QStringList{u"Derweil Abgelegt"_s});
    EXPECT_FALSE(QFile::exists(datei));
}

// A debit filed at another place while the run takes out what it printed
// waits for the file and then lands in the file standing under the name,
// whether the run wrote the file anew (a debit filed during the print stays)
// or did away with it.
TEST_F(FormZahlungTest, AblageDieAufDasUmschreibenWartetGehtNichtVerloren)
{
    const QString datei = daten() + "/LastschriftSammlung.txt";
    for (const bool einerBleibt : {true, false}) {
        SCOPED_TRACE(einerBleibt ? "neu geschrieben" : "entfernt");
        Lastschrift l;
        l.betrag = QStringLiteral("3,00");
        l.absName = QStringLiteral("Gedruckt");
        ASSERT_TRUE(zplatform::zeilenSchreiben(datei, {Lastschrift_Satz(l)}));
        auto lauf = lastschrift(karteMit({}));
        lauf->druckdialog = [&, drucken = dialog()](QWidget* w, const QString& job, const QString& titel) {
            l.absName = QStringLiteral("Waehrend des Drucks");
            if (einerBleibt) {
                EXPECT_TRUE(Lastschrift_Anhaengen(datei, l));
            }
            return drucken(w, job, titel);
        };
        lauf->show();
        QProcess ablage;
        {
            // The run holds the file, as it does while it takes the printed
            // debits out; the filing at the other place stands waiting for it.
            const zplatform::Anhangsperre sperre(zcommon::Pfad(datei));
            ASSERT_TRUE(sperre.gehalten());
            ablage.start(QStringLiteral(ZETTLORA_PROZESSHELFER), {u"ablegen"_s, daten(), u"Derweil Abgelegt"_s});
            ASSERT_TRUE(ablage.waitForStarted());
            ASSERT_TRUE(QTest::qWaitFor([&] { return haeltZumAnhaengen(ablage.processId(), datei); }, 30000))
                << "the filing never came to the collection file";
            plattform.antworten.enqueue(zplatform::vbYes); // take out what was printed
            lauf->mnuLastFilePrint_Click();
        }
        ASSERT_TRUE(ablage.waitForFinished(60000));
        EXPECT_EQ(ablage.exitCode(), 0) << ablage.readAllStandardError().toStdString();
        QStringList namen;
        for (const QString& zeile : zplatform::zeilenLesen(datei))
            namen << (Lastschrift_Lesen(zeile) ? Lastschrift_Lesen(zeile)->absName : zeile);
        EXPECT_EQ(namen, einerBleibt ? (QStringList{u"Waehrend des Drucks"_s, u"Derweil Abgelegt"_s})
                                     : QStringList{u"Derweil Abgelegt"_s});
    }
}

// What stands in place of the collection file is named; only a missing file
// is "not found".
TEST_F(FormZahlungTest, SammeldateiDieKeineLesbareDateiIst)
{
    const QString datei = daten() + "/LastschriftSammlung.txt";
    struct Fall
    {
        const char* name;
        std::function<void()> anlegen;
        const char* fehler;
        const char* grund;
    };
    const Fall faelle[] = {
        {"fehlt", [] {}, "Fehler 53", "nicht gefunden"},
        {"Ordner", [&] { QDir().mkpath(datei); }, "Fehler 75", "Ordner"},
        {"Kreis", [&] { QFile::link(datei, datei); }, "Fehler 75", "im Kreis"},
        {"ohne Leserecht",
         [&] {
             wurzel.schreiben("daten/LastschriftSammlung.txt", "Zettlora Lastschrift\t-A\t");
             QFile::setPermissions(datei, QFile::WriteOwner);
         },
         "Fehler 75", "darf nicht gelesen werden"},
    };
    auto lauf = lastschrift(karteMit({}));
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        QDir(datei).removeRecursively();
        QFile::remove(datei);
        f.anlegen();
        plattform.meldungen.clear();
        lauf->mnuLastFilePrint_Click();
        ASSERT_EQ(plattform.meldungen.size(), 1u);
        const QString& text = plattform.meldungen[0].text;
        EXPECT_TRUE(text.contains(QString::fromUtf8(f.fehler))) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(f.grund))) << text.toStdString();
        EXPECT_TRUE(jobs.isEmpty());
    }
    QFile::setPermissions(datei, QFile::ReadOwner | QFile::WriteOwner);
}

// A long name, bank or payee shows its beginning, in every box and in the
// box that has the focus with its whole text selected; typing stays where it is.
TEST_F(FormZahlungTest, LangeTexteZeigenIhrenAnfang)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Lastschrift_Name"),
                           QStringLiteral("Verein der Freunde und Förderer des Stadtmuseums"));
    auto form = lastschrift(karteMit({{1, "Kaiser-Wilhelmshaven-Oberndorfer"},
                                      {2, "Käthe"},
                                      {10, "c/o Meier"},
                                      {19, "Deutsche Bank Privat- und Geschäftskunden"}}));
    form->show();
    QApplication::processEvents();
    EXPECT_TRUE(form->TxtAbsName->text().startsWith(QStringLiteral("Käthe Kaiser")));
    for (QLineEdit* feld : {static_cast<QLineEdit*>(form->TxtAbsName), static_cast<QLineEdit*>(form->TxtAbsBank),
                            form->TxtEmpName->lineEdit()})
        EXPECT_EQ(feld->cursorPosition(), 0) << feld->text().toStdString();
    QFocusEvent hinein(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(form->TxtAbsBank, &hinein);
    EXPECT_EQ(form->TxtAbsBank->selectedText(), form->TxtAbsBank->text());
    EXPECT_EQ(form->TxtAbsBank->cursorPosition(), 0);
    // The box is wide enough for what it holds in average characters.
    EXPECT_GE(form->TxtAbsBank->width(), 27 * form->TxtAbsBank->fontMetrics().averageCharWidth());
    form->TxtVerwendung1->setFocus();
    QTest::keyClicks(form->TxtVerwendung1, "Rechnung");
    EXPECT_EQ(form->TxtVerwendung1->text(), QStringLiteral("Rechnung"));
}
