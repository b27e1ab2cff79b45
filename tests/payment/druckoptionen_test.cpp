// The payment prints through the program's print-options dialog: job name,
// caption, margins read from the dialog, one page.

#include "payment/ui/formprnueberweisung.h"

#include "zahlungstest.h"

#include "printing/ui/printerset.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTimer>

TEST_F(ZahlungTest, KlassischDurchDenDruckdialogMitSeinenRaendern)
{
    zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>(QStringLiteral("Aufzeichnung")));
    zzahlung::FormPrnUeberweisung f;
    f.TimerInit_Timer();
    f.optFormular[2]->setChecked(true);
    f.TxtEmpfaengerName->setText(QStringLiteral("Anna Muster"));
    f.TxtBetrag->setText(QStringLiteral("5"));

    QString titel;
    bool anzahlGesperrt = false;
    QTimer t;
    t.setInterval(5);
    QObject::connect(&t, &QTimer::timeout, [&] {
        zdruck::PrinterSet* d = zdruck::PrinterSet::instanz();
        if (d && d->isVisible()) {
            t.stop();
            titel = d->windowTitle();
            anzahlGesperrt = !d->ComboAnzahl->isEnabled();
            d->ComboRandX->setCurrentIndex(5);
            d->ComboRandY->setCurrentIndex(12);
            d->BefOk_Click();
        }
    });
    t.start();
    f.mnuDrucken_Click();

    EXPECT_EQ(titel, QStringLiteral("Drucken - Zettlora, klassischen Überweisung"));
    EXPECT_TRUE(anzahlGesperrt);
    auto* d = dynamic_cast<zplatform::AufzeichnungsDruckerBasis*>(&zplatform::drucker());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->auftraege(), 1);
    ASSERT_EQ(d->seiten().size(), 1u);
    ERWARTE_TEXT_BEI(d->seiten().front(), "Anna Muster", 0.6, 2.0);
    ERWARTE_TEXT_BEI(d->seiten().front(), "5,00", 8.2, 4.5);
    EXPECT_EQ(zdruck::PrinterSet::instanz(), nullptr);
    zplatform::druckerSetzen(nullptr);
}

TEST_F(ZahlungTest, SchriftlisteZeigtDieWindowsNamen)
{
    // On the real printer the font box offers the Windows names the
    // Liberation fonts print for, and preselects "Courier New".
    zplatform::druckerSetzen(std::make_unique<zplatform::QtDrucker>(zplatform::pdfDruckerName));
    zzahlung::FormPrnUeberweisung f;
    f.TimerInit_Timer();
    EXPECT_EQ(f.ComboSchrift->currentText(), "Courier New");
    EXPECT_GE(f.ComboSchrift->findText(QStringLiteral("Arial")), 0);
    EXPECT_GE(f.ComboSchrift->findText(QStringLiteral("Times New Roman")), 0);
    zplatform::druckerSetzen(nullptr);
}
