// The print menu's payment entries: each opens its dialog modally, filled
// from the card of the window, and the dialog is gone when it is closed.

#include "addressbook/befehle.h"
#include "catalogues/katalog.h"
#include "payment/ui/befehle.h"
#include "payment/ui/formprnlastschrift.h"
#include "payment/ui/formprnnachnahme.h"
#include "payment/ui/formprnueberweisung.h"

#include "support/fensterattrappe.h"
#include "zahlungstest.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTimer>

using namespace zzahlung;
using zadressbuch::Befehl;

namespace {

// Runs f on the first modal dialog that comes up, then closes it with Esc's command.
void imDialog(std::function<void(QWidget*)> f)
{
    auto* t = new QTimer;
    t->setInterval(5);
    QObject::connect(t, &QTimer::timeout, [t, f] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            t->stop();
            t->deleteLater();
            f(w);
            QMetaObject::invokeMethod(w, "reject");
        }
    });
    t->start();
}

} // namespace

TEST_F(ZahlungTest, DruckmenueOeffnetDieDreiFormulare)
{
    zadressbuch::Befehlsregister r;
    Befehle_Anmelden(r);
    FensterAttrappe f;
    f.felder[1] = QStringLiteral("Muster");
    f.felder[2] = QStringLiteral("Anna");
    f.felder[4] = QStringLiteral("12345");
    f.felder[5] = QStringLiteral("Berlin");
    f.felder[10] = QStringLiteral("c/o B");
    f.felder[17] = QStringLiteral("1234567890");
    f.felder[18] = QStringLiteral("10020030");
    f.felder[19] = QStringLiteral("Musterbank");
    f.felder[23] = QStringLiteral("42");
    f.auswahlTexte[11] = QStringLiteral(" Rechnung\r\n17 ");
    zadressbuch::sitzung().AktivesFeld = 11;

    QStringList gesehen;
    imDialog([&](QWidget* w) {
        auto* u = qobject_cast<FormPrnUeberweisung*>(w);
        ASSERT_NE(u, nullptr);
        gesehen << u->TxtEmpfaengerName->text() << u->TxtEmpfaengerKontoNr->text() << u->TxtEmpfaengerBLZ->text()
                << u->TxtEmpfaengerBank->text() << u->TxtVerwendung1->text() << u->kundeNr;
    });
    EXPECT_TRUE(r.ausfuehren(Befehl::mnuPrnUeberweisung, f));
    EXPECT_EQ(gesehen,
              (QStringList{"Anna Muster 12345 Berlin", "1234567890", "10020030", "Musterbank", "Rechnung 17", "42"}));

    gesehen.clear();
    imDialog([&](QWidget* w) {
        auto* l = qobject_cast<FormPrnLastschrift*>(w);
        ASSERT_NE(l, nullptr);
        gesehen << l->TxtAbsName->text() << l->TxtAbsKontoNr->text() << l->TxtVerwendung1->text()
                << l->TxtVerwendung2->text();
    });
    EXPECT_TRUE(r.ausfuehren(Befehl::mnuPrnLastschrift, f));
    EXPECT_EQ(gesehen, (QStringList{"Anna Muster c/o B", "1234567890", "Rechnung 17", "Lastschrift Kunde 42"}));

    gesehen.clear();
    imDialog([&](QWidget* w) {
        auto* n = qobject_cast<FormPrnNachnahme*>(w);
        ASSERT_NE(n, nullptr);
        gesehen << n->TxtName->text() << n->txtOrt->text() << n->txtArtikel1->currentText();
    });
    EXPECT_TRUE(r.ausfuehren(Befehl::mnuPrnNachnahme, f));
    EXPECT_EQ(gesehen, (QStringList{"Anna Muster~c/o B", "12345 Berlin", "Rechnung 17"}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ZahlungTest, BanknameAusDemBankleitzahlenKatalog)
{
    QDir().mkpath(zkataloge::Katalog_Ordner());
    zkataloge::KatalogBlz_Schreiben(QStringLiteral("10020030"), QStringLiteral("Bank A, Bank B"));
    zadressbuch::Befehlsregister r;
    Befehle_Anmelden(r);
    FensterAttrappe f;
    f.felder[18] = QStringLiteral("10020030");
    f.auswahlAntworten.enqueue({QStringLiteral("Bank B")});
    QString bank;
    imDialog([&](QWidget* w) {
        auto* u = qobject_cast<FormPrnUeberweisung*>(w);
        ASSERT_NE(u, nullptr);
        u->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(u));
        u->TxtEmpfaengerBank->setFocus();
        bank = u->TxtEmpfaengerBank->text();
    });
    r.ausfuehren(Befehl::mnuPrnUeberweisung, f);
    EXPECT_EQ(bank, QStringLiteral("Bank B"));
    ASSERT_EQ(f.auswahlAngebote.size(), 1);
    EXPECT_EQ(f.auswahlAngebote[0], (QStringList{"Bank A", "Bank B"}));
}

// Opening the cash-on-delivery form for an address abroad warns once the form
// is on the screen; the code comes from the card's postcode and country field.
TEST_F(ZahlungTest, NachnahmeWarntBeiEinerAnschriftImAusland)
{
    zadressbuch::Befehlsregister r;
    Befehle_Anmelden(r);
    const struct
    {
        const char* stdLand;
        const char* plz;
        const char* land;
        const char* code; // "" no warning
    } faelle[] = {{"D-", "12345", "", ""},
                  {"D-", "A-1010", "", "A"},
                  {"D-", "DK3000", "", "DK"},
                  {"D-", "d-12345", "", ""},
                  {"D-", "A-1010", "Deutschland", ""},
                  {"D-", "12345", "Frankreich", "?"},
                  {"D-", "", "", "?"},
                  {"CH-", "8000", "Schweiz", ""},
                  {"ch-", "8000", "", ""},
                  {"CH-", "D-12345", "", "D"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.stdLand) + " " + f.plz + " " + f.land);
        zadressbuch::sitzung().KatalogStdLand = QString::fromUtf8(f.stdLand);
        FensterAttrappe fenster;
        fenster.felder[1] = QStringLiteral("Muster");
        fenster.felder[4] = QString::fromUtf8(f.plz);
        fenster.felder[5] = QStringLiteral("Ort");
        fenster.felder[6] = QString::fromUtf8(f.land);
        plattform.meldungen.clear();
        std::vector<GezeigteMeldung> waehrendDesZeigens;
        imDialog([&](QWidget* w) {
            // A step queued now runs after what the form does once it is shown.
            bool danach = false;
            QTimer::singleShot(0, w, [&] { danach = true; });
            ASSERT_TRUE(QTest::qWaitFor([&] { return danach; }));
            waehrendDesZeigens = plattform.meldungen;
        });
        EXPECT_TRUE(r.ausfuehren(Befehl::mnuPrnNachnahme, fenster));
        if (*f.code == 0) {
            EXPECT_TRUE(waehrendDesZeigens.empty()) << waehrendDesZeigens.front().text.toStdString();
            continue;
        }
        ASSERT_EQ(waehrendDesZeigens.size(), 1u);
        EXPECT_EQ(waehrendDesZeigens[0].text,
                  QStringLiteral("Die Anschrift gehört zu einem anderen Land (Länderkennzeichen „%1“).")
                      .arg(QString::fromUtf8(f.code)));
        EXPECT_EQ(waehrendDesZeigens[0].titel, QStringLiteral("Nachnahme drucken"));
        EXPECT_EQ(waehrendDesZeigens[0].stil, zplatform::vbOKOnly | zplatform::vbExclamation);
    }
    EXPECT_TRUE(plattform.toene.isEmpty()) << "no sound before a payment form's message";
}
