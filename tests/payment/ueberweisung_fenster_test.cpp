// The transfer form opened from the real main window's print menu on an
// address whose bank data other programs wrote with blanks or as an IBAN:
// what the form puts into its boxes is trimmed before the boxes cut it, and
// a value that still does not fit is named in one message, when the form is
// filled and when a payer is chosen. The payer rows' labels are blue.
#include "addressbook/main_hilfen.h"

#include "common/start.h"
#include "payment/ui/formprnueberweisung.h"
#include "support/dialoghilfe.h"

#include <QComboBox>
#include <QLabel>

using namespace zadressbuch;
using main_test::einstellung;
using main_test::zeile;
using zzahlung::FormPrnUeberweisung;

namespace {

class UeberweisungFenster : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        zcommon::Benutzer_Zuruecksetzen();
    }
    void TearDown() override
    {
        zcommon::Benutzer_Zuruecksetzen();
        MainFensterTest::TearDown();
    }
    static QString benutzer(const QString& suffix) { return u"User_"_s + zcommon::Benutzer_Ermitteln() + suffix; }
    int meldungen() const { return int(plattform.meldungen.size()); }
};

// The label above a box in the form's yellow panel.
QLabel* bezeichnungUeber(const FormPrnUeberweisung& f, const QWidget* feld)
{
    QLabel* naechstes = nullptr;
    for (QLabel* l : f.findChildren<QLabel*>(u"Bezeichnung"_s)) {
        const QRect r = l->geometry();
        if (r.bottom() <= feld->y() && r.left() == feld->x() && (!naechstes || r.bottom() > naechstes->y()))
            naechstes = l;
    }
    return naechstes;
}

} // namespace

TEST_F(UeberweisungFenster, WerteGetrimmtGekuerztUndGemeldet)
{
    einstellung(benutzer(u"_KontoNr"_s), u"0123456789"_s);
    einstellung(benutzer(u"_AllKonto"_s), u"Firma A | DE12 5001 0517 0648 4898 90 | 50010517 | Bank B;"_s);
    adressdatei({u"..Kunden"_s, zeile({{Vorname, u"Anna"_s},
                                       {Nachname, u"Muster"_s},
                                       {Kontonummer, u"DE89 3704 0044 0532 0130 00"_s},
                                       {Bankleitzahl, u" 10070000 "_s},
                                       {Kreditinstitut, u"  Deutsche Bank  "_s}})});
    Main& m = starten();

    QStringList kaesten;
    QStringList gemeldet;
    QString farbeEmpfaengerBank, farbeZahlerBank, farbeZahlerBlz;
    amDialog<FormPrnUeberweisung>([&](FormPrnUeberweisung& f) {
        // Filled: one message, once the form is on the screen.
        EXPECT_TRUE(QTest::qWaitFor([this] { return meldungen() == 1; }));
        gemeldet << plattform.letzteMeldung();
        kaesten << f.TxtEmpfaengerKontoNr->text() << f.TxtEmpfaengerBLZ->text() << f.TxtEmpfaengerBank->text();
        farbeEmpfaengerBank = bezeichnungUeber(f, f.TxtEmpfaengerBank)->palette().color(QPalette::WindowText).name();
        farbeZahlerBank = bezeichnungUeber(f, f.TxtAuftraggeberBank)->palette().color(QPalette::WindowText).name();
        farbeZahlerBlz = bezeichnungUeber(f, f.TxtAuftraggeberBLZ)->palette().color(QPalette::WindowText).name();

        // A payer chosen from the list: its account does not fit either.
        f.ComboAuftraggeber->setCurrentIndex(0);
        Q_EMIT f.ComboAuftraggeber->activated(0);
        gemeldet << plattform.letzteMeldung();
        kaesten << f.TxtAuftraggeberName->text() << f.TxtAuftraggeberKontoNr->text() << f.TxtAuftraggeberBLZ->text();
        f.Zurueck();
    });
    m.aktion(u"mnuPrnUeberweisung"_s)->trigger();

    ASSERT_EQ(kaesten.size(), 6);
    EXPECT_EQ(kaesten[0], u"DE89 3704"_s);
    EXPECT_EQ(kaesten[1], u"10070000"_s) << "blanks trimmed before the cut";
    EXPECT_EQ(kaesten[2], u"Deutsche Bank"_s);
    EXPECT_EQ(kaesten.mid(3), (QStringList{u"Firma A"_s, u"DE12 5001"_s, u"50010517"_s}));
    ASSERT_EQ(gemeldet.size(), 2);
    EXPECT_EQ(gemeldet[0], u"Ein Wert passt nicht in sein Feld und wurde gekürzt:\r\n\r\n"
                           u"Konto-Nr. Empfänger (höchstens 10 Zeichen): »DE89 3704 0044 0532 0130 00«\r\n\r\n"
                           u"Bitte prüfen Sie das Feld, bevor Sie drucken."_s);
    EXPECT_TRUE(gemeldet[1].contains(u"Konto-Nr. Auftraggeber (höchstens 10 Zeichen): »DE12 5001 0517 0648 4898 90«"_s))
        << gemeldet[1].toStdString();
    EXPECT_EQ(plattform.meldungen.size(), 2u);
    EXPECT_EQ(farbeEmpfaengerBank, u"#ff0000"_s);
    EXPECT_EQ(farbeZahlerBank, u"#0000ff"_s);
    EXPECT_EQ(farbeZahlerBlz, u"#0000ff"_s);
}

// Ctrl+M on the card: the recipient line takes as much of name, postcode and
// place as fits into its 27 characters, in this order; a postcode that does
// not fit keeps the place out too, however short it is.
TEST_F(UeberweisungFenster, EmpfaengerzeileOhneOrtNachAbgelehnterPostleitzahl)
{
    adressdatei({u"..Kunden"_s,
                 zeile({{Vorname, u"Maximiliane"_s}, {Nachname, u"Musterfrau"_s}, {Plz, u"12345"_s}, {Ort, u"Jena"_s}}),
                 zeile({{Vorname, u"Anna"_s}, {Nachname, u"Muster"_s}, {Plz, u"12345"_s}, {Ort, u"Berlin"_s}}),
                 zeile({{Vorname, u"Annabella"_s}, {Nachname, u"Mustermann"_s}, {Plz, u"12345"_s},
                        {Ort, u"Berlin"_s}})});
    Main& m = starten();

    QStringList zeilen;
    for (int i = 0; i < 3; ++i) {
        m.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
        adressliste().setListIndex(i);
        m.Feld(Nachname)->setFocus();
        amDialog<FormPrnUeberweisung>([&](FormPrnUeberweisung& f) {
            zeilen << f.TxtEmpfaengerName->text();
            f.Zurueck();
        });
        QTest::keyClick(m.Feld(Nachname), Qt::Key_M, Qt::ControlModifier);
        ASSERT_EQ(zeilen.size(), i + 1);
    }
    EXPECT_EQ(zeilen, (QStringList{u"Maximiliane Musterfrau"_s, u"Anna Muster 12345 Berlin"_s,
                                   u"Annabella Mustermann 12345"_s}));
}
