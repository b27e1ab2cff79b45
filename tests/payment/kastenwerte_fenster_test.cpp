// The direct-debit and cash-on-delivery forms opened from the real main
// window's print menu on an address whose bank data other programs wrote
// with blanks or too long, with settings too long for their boxes: what a
// form puts into its boxes is trimmed before the boxes cut it, and a value
// that still does not fit is named in one message per filling (the form
// filled, a filed debit filled back in).
#include "addressbook/main_hilfen.h"

#include "payment/lastschrift.h"
#include "payment/ui/formprnlastschrift.h"
#include "payment/ui/formprnnachnahme.h"
#include "support/dialoghilfe.h"

#include <QComboBox>

using namespace zadressbuch;
using main_test::einstellung;
using main_test::zeile;
using zzahlung::FormPrnLastschrift;
using zzahlung::FormPrnNachnahme;

namespace {

class KastenwerteFenster : public main_test::MainFensterTest
{
protected:
    int meldungen() const { return int(plattform.meldungen.size()); }
};

} // namespace

TEST_F(KastenwerteFenster, LastschriftGetrimmtGekuerztUndGemeldet)
{
    einstellung(u"Lastschrift_KontoNr"_s, u"DE12 5001 0517 0648 4898 90"_s);
    einstellung(u"Lastschrift_Name"_s, u"Verein B"_s);
    adressdatei({u"..Kunden"_s, zeile({{Vorname, u"Käthe"_s},
                                       {Nachname, u"Kaiser-Wilhelmshaven-Oberndorfer"_s},
                                       {Zusatz, u"c/o Meier"_s},
                                       {Kontonummer, u" 0532013000 "_s},
                                       {Bankleitzahl, u" 10070000 "_s},
                                       {Kreditinstitut, u"  Deutsche Bank Privat- und Geschäftskunden "_s}})});
    Main& m = starten();
    // A filed debit whose bank is too long for its box, as an editor may leave it.
    zzahlung::Lastschrift abgelegt{
        u"Kunde A"_s,  u"987"_s,   u"200"_s,         u"Sparkasse Musterstadt-Umgebung Nord"_s,
        u"EUR"_s,      u"12,50"_s, u"Rechnung 17"_s, u"Lastschrift Kunde 42"_s,
        u"Verein B"_s, u"654"_s};
    const QString sammlung = zzahlung::Sammeldatei_Pfad(sitzung().DatenOrdner);
    ASSERT_TRUE(zzahlung::Lastschrift_Anhaengen(sammlung, abgelegt));

    QStringList kaesten;
    int meldungenVorDemDruck = -1;
    QString kastenBeimDruck;
    amDialog<FormPrnLastschrift>([&](FormPrnLastschrift& f) {
        // Filled: one message, once the form is on the screen.
        EXPECT_TRUE(QTest::qWaitFor([this] { return meldungen() == 1; }));
        kaesten << f.TxtAbsName->text() << f.TxtAbsKontoNr->text() << f.TxtAbsBLZ->text() << f.TxtAbsBank->text()
                << f.TxtVerwendung2->text() << f.TxtEmpKontoNr->text();

        // What the user types stays as typed, blanks and all.
        f.TxtAbsBLZ->setFocus();
        f.TxtAbsBLZ->clear();
        QTest::keyClicks(f.TxtAbsBLZ, u" 1234567"_s);
        kaesten << f.TxtAbsBLZ->text();

        // The collection run fills the filed debit back in and names the cut
        // bank before its print options come up.
        f.druckdialog = [&](QWidget*, const QString&, const QString&) {
            meldungenVorDemDruck = meldungen();
            kastenBeimDruck = f.TxtAbsBank->text();
            return zzahlung::Druckwahl{}; // cancelled
        };
        plattform.antworten.enqueue(zplatform::vbNo); // keep the collection file
        f.mnuLastFilePrint_Click();
        f.befAbbrechen_Click();
    });
    m.aktion(u"mnuPrnLastschrift"_s)->trigger();

    ASSERT_EQ(kaesten.size(), 7);
    EXPECT_EQ(kaesten[0], u"Käthe Kaiser-Wilhelmshaven-"_s) << "the short name, cut";
    EXPECT_EQ(kaesten[1], u"0532013000"_s);
    EXPECT_EQ(kaesten[2], u"10070000"_s) << "blanks trimmed before the cut";
    EXPECT_EQ(kaesten[3], u"Deutsche Bank Privat- und G"_s);
    EXPECT_EQ(kaesten[4], u"Lastschrift Kunde "_s) << "no index number: the line as it always was";
    EXPECT_EQ(kaesten[5], u"DE12 5001"_s);
    EXPECT_EQ(kaesten[6], u" 1234567"_s);
    // The two fillings' messages, then only the deletion question.
    QStringList gemeldet, titel;
    for (const GezeigteMeldung& g : plattform.meldungen)
        gemeldet << g.text, titel << g.titel;
    ASSERT_EQ(gemeldet.size(), 3);
    EXPECT_EQ(gemeldet[0], u"Diese Werte passen nicht in ihre Felder und wurden gekürzt:\r\n\r\n"
                           u"Zahlungspflichtiger (höchstens 27 Zeichen): »Käthe Kaiser-Wilhelmshaven-Oberndorfer«\r\n"
                           u"Kreditinstitut des Zahlungspflichtigen (höchstens 27 Zeichen): "
                           u"»Deutsche Bank Privat- und Geschäftskunden«\r\n"
                           u"Konto-Nr. des Zahlungsempfängers (höchstens 10 Zeichen): »DE12 5001 0517 0648 4898 90«"
                           u"\r\n\r\nBitte prüfen Sie die Felder, bevor Sie drucken."_s);
    EXPECT_EQ(gemeldet[1], u"Ein Wert passt nicht in sein Feld und wurde gekürzt:\r\n\r\n"
                           u"Kreditinstitut des Zahlungspflichtigen (höchstens 27 Zeichen): "
                           u"»Sparkasse Musterstadt-Umgebung Nord«\r\n\r\n"
                           u"Bitte prüfen Sie das Feld, bevor Sie drucken."_s);
    EXPECT_EQ(titel,
              (QStringList{u"Lastschrift drucken"_s, u"Lastschrift drucken"_s, u"Lastschrift-Sammeldatei löschen?"_s}));
    EXPECT_EQ(meldungenVorDemDruck, 2);
    EXPECT_EQ(kastenBeimDruck, u"Sparkasse Musterstadt-Umgeb"_s);
}

TEST_F(KastenwerteFenster, NachnahmeGetrimmtGekuerztUndGemeldet)
{
    einstellung(u"NN_Name"_s, u"Versand Muster"_s);
    einstellung(u"NN_KontoNr"_s, u"DE89370400440532013000"_s);
    einstellung(u"NN_BLZ"_s, u"37040044"_s);
    adressdatei({u"..Kunden"_s, zeile({{Vorname, u"Anna"_s},
                                       {Nachname, u"Berg"_s},
                                       {Zusatz, u"c/o Hausverwaltung Meier & Söhne~Hinterhaus "_s},
                                       {Strasse, u"  Hauptstraße 1  "_s},
                                       {Plz, u" 12345"_s},
                                       {Ort, u"Berlin "_s}})});
    Main& m = starten();

    QStringList kaesten;
    amDialog<FormPrnNachnahme>([&](FormPrnNachnahme& f) {
        EXPECT_TRUE(QTest::qWaitFor([this] { return meldungen() == 1; }));
        kaesten << f.TxtName->text() << f.txtStrasse->text() << f.txtOrt->text() << f.AbsName->text()
                << f.AbsBLZ->text() << f.AbsKontoNr->text() << f.txtPreisZustell->text() << f.txtPreis->text();
        f.befAbbrechen_Click();
    });
    m.aktion(u"mnuPrnNachnahme"_s)->trigger();

    ASSERT_EQ(kaesten.size(), 8);
    EXPECT_EQ(kaesten[0], u"Anna Berg~c/o Hausverwaltung Meier & Söhne~Hinterh"_s) << "the \"~\" breaks stay";
    EXPECT_EQ(kaesten[1], u"Hauptstraße 1"_s);
    EXPECT_EQ(kaesten[2], u"12345 Berlin"_s);
    EXPECT_EQ(kaesten[3], u"Versand Muster"_s);
    EXPECT_EQ(kaesten[4], u"37040044"_s);
    EXPECT_EQ(kaesten[5], u"DE8937040044"_s);
    EXPECT_EQ(kaesten[6], u"2,93"_s);
    EXPECT_EQ(kaesten[7], QString()) << "the price is the user's";
    // One message; a "~" of a value stays a "~" in it.
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].titel, u"Nachnahme drucken"_s);
    EXPECT_EQ(plattform.meldungen[0].text,
              u"Diese Werte passen nicht in ihre Felder und wurden gekürzt:\r\n\r\n"
              u"Konto-Nr. des Absenders (höchstens 12 Zeichen): »DE89370400440532013000«\r\n"
              u"Name des Empfängers (höchstens 50 Zeichen): "
              u"»Anna Berg~c/o Hausverwaltung Meier & Söhne~Hinterhaus«\r\n\r\n"
              u"Bitte prüfen Sie die Felder, bevor Sie drucken."_s);
}
