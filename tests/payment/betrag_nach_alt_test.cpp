// The amount boxes of the three payment forms after Alt: the menu bar taking
// the focus is no leaving, but the focus going on from the menu bar to
// another box (a click, Tab) is, and works the amount out.

#include "payment/lastschrift.h"
#include "payment/ui/formprnlastschrift.h"
#include "payment/ui/formprnnachnahme.h"
#include "payment/ui/formprnueberweisung.h"
#include "platform/dateisystem.h"

#include "zahlungstest.h"

#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

using namespace zzahlung;
using namespace Qt::StringLiterals;

namespace {

enum class Form { Ueberweisung, Lastschrift, Nachnahme };
enum class Weg { Klick, Tab };

const char* name(Form f)
{
    switch (f) {
    case Form::Ueberweisung:
        return "Überweisung";
    case Form::Lastschrift:
        return "Lastschrift";
    case Form::Nachnahme:
        break;
    }
    return "Nachnahme";
}

// One form as the test works it: its amount box, a box to click into and
// the control Tab in the amount box moves to.
struct Offen
{
    std::unique_ptr<QDialog> form;
    QLineEdit* betrag = nullptr;
    QLineEdit* anderes = nullptr;
    QWidget* nachTab = nullptr;
};

class BetragNachAlt : public FormDruckTest
{
protected:
    Offen oeffnen(Form art)
    {
        std::array<QString, 24> karte;
        karte[1] = u"Kartenperson"_s;
        Offen o;
        switch (art) {
        case Form::Ueberweisung: {
            auto f = std::make_unique<FormPrnUeberweisung>();
            f->druckdialog = dialog();
            f->TimerInit_Timer();
            o.betrag = f->TxtBetrag;
            o.anderes = f->TxtVerwendung1;
            o.nachTab = f->TxtVerwendung1;
            o.form = std::move(f);
            break;
        }
        case Form::Lastschrift: {
            auto f = std::make_unique<FormPrnLastschrift>(karte, QString());
            f->druckdialog = dialog();
            o.betrag = f->TxtBetrag;
            o.anderes = f->TxtVerwendung1;
            o.nachTab = f->TxtVerwendung1;
            o.form = std::move(f);
            break;
        }
        case Form::Nachnahme: {
            auto f = std::make_unique<FormPrnNachnahme>(karte, QString());
            f->druckdialog = dialog();
            o.betrag = f->txtPreis;
            o.anderes = f->txtAuftragsnummer;
            o.nachTab = f->ComboWaehrung;
            o.form = std::move(f);
            break;
        }
        }
        o.form->show();
        o.form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(o.form.get()));
        return o;
    }
};

} // namespace

// Typed, Alt, then a click into another box or Tab: the amount is worked out
// as on any leaving; the cash-on-delivery form then prints without asking for
// an amount, and the debit is filed worked out.
TEST_F(BetragNachAlt, WeiterVonDerMenueleisteIstVerlassen)
{
    const struct
    {
        Form form;
        Weg weg;
        const char* getippt;
        const char* ausgewertet;
    } faelle[] = {
        {Form::Ueberweisung, Weg::Klick, "10+5", "15,00"}, {Form::Ueberweisung, Weg::Tab, "10+5", "15,00"},
        {Form::Lastschrift, Weg::Klick, "10+5", "15,00"},  {Form::Lastschrift, Weg::Tab, "10+5", "15,00"},
        {Form::Nachnahme, Weg::Klick, "10+2,5", "12.5"},   {Form::Nachnahme, Weg::Tab, "10+2,5", "12.5"},
    };
    for (const auto& fall : faelle)
        [&] {
            const std::string wo = std::string(name(fall.form)) + (fall.weg == Weg::Klick ? ", Klick" : ", Tab");
            QFile::remove(daten() + "/LastschriftSammlung.txt");
            jobs.clear();
            plattform.meldungen.clear();
            Offen o = oeffnen(fall.form);
            auto* leiste = o.form->findChild<QMenuBar*>();
            ASSERT_NE(leiste, nullptr) << wo;
            o.betrag->setFocus();
            ASSERT_TRUE(QTest::qWaitFor([&] { return o.betrag->hasFocus(); })) << wo;
            QTest::keyClicks(o.betrag, fall.getippt);

            QTest::keyPress(o.betrag, Qt::Key_Alt);
            QTest::keyRelease(o.betrag, Qt::Key_Alt, Qt::AltModifier);
            ASSERT_TRUE(leiste->hasFocus()) << wo;
            EXPECT_EQ(o.betrag->text(), QString::fromUtf8(fall.getippt)) << wo;

            if (fall.weg == Weg::Klick)
                QTest::mouseClick(o.anderes, Qt::LeftButton);
            else
                QTest::keyClick(leiste, Qt::Key_Tab);
            QWidget* ziel = fall.weg == Weg::Klick ? o.anderes : o.nachTab;
            ASSERT_TRUE(QTest::qWaitFor([&] {
                QWidget* f = QApplication::focusWidget();
                return f && (f == ziel || ziel->isAncestorOf(f));
            })) << wo;
            EXPECT_EQ(leiste->activeAction(), nullptr) << wo << ": the menu bar still highlights a menu";
            EXPECT_EQ(o.betrag->text(), QString::fromUtf8(fall.ausgewertet)) << wo;

            if (fall.form == Form::Nachnahme) {
                auto* drucken = o.form->findChild<QPushButton*>(u"befPrnUeberweisung"_s);
                ASSERT_NE(drucken, nullptr);
                plattform.antworten.enqueue(zplatform::vbCancel); // to the no-amount question, if it came
                QTest::mouseClick(drucken, Qt::LeftButton);
                for (const auto& m : plattform.meldungen)
                    EXPECT_NE(m.text, u"Sie haben keinen Betrag eingegeben."_s) << wo;
                EXPECT_EQ(jobs, QStringList{u"Zettlora_Nachnahme"_s}) << wo;
                EXPECT_FALSE(o.form->isVisible()) << wo;
            } else if (fall.form == Form::Lastschrift) {
                static_cast<FormPrnLastschrift*>(o.form.get())->mnuLastFileSave->trigger();
                ASSERT_TRUE(QTest::qWaitFor([&] { return !o.form->isVisible(); })) << wo;
                EXPECT_EQ(abgelegterBetrag(), QString::fromUtf8(fall.ausgewertet)) << wo;
            }
        }();
}
