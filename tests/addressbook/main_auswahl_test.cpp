// The card's pick lists on the real main window through the real pick list
// form: the e-mail proposals (single choice, appended in two picks) and a
// field's choice list (multiple choice), cancel and read-only mode. The
// proposals themselves are tested in email_test.cpp.
#include "main_hilfen.h"

#include "addressbook/ui/auswahl.h"

#include <QTimer>

using namespace zadressbuch;
using main_test::zeile;
using zadressbuch::Auswahl;

namespace {

class MainAuswahl : public main_test::MainFensterTest
{
protected:
    QStringList angeboten; // the list as the form showed it
    int einzeln = -1;      // CheckSingle while it was shown
    int gezeigt = 0;
    bool geplant = false; // a script waits for the form
    int ungeplant = 0;    // the form was wanted without one

    QTimer waechter; // cancels a pick list that no script waits for

    void SetUp() override
    {
        MainFensterTest::SetUp();
        waechter.setInterval(20);
        QObject::connect(&waechter, &QTimer::timeout, [this] {
            Auswahl& a = Auswahl::instanz();
            if (a.isVisible() && !geplant) {
                ++ungeplant;
                a.BefAbbruch->click();
            }
        });
        waechter.start();
    }

    // While the form is shown: notes what it offers, clicks the entries with
    // these texts and takes them (OK), or cancels when abbrechen.
    void beimZeigen(const QStringList& klicken, bool abbrechen = false)
    {
        geplant = true;
        QTimer::singleShot(0, [this, klicken, abbrechen] {
            geplant = false;
            Auswahl& a = Auswahl::instanz();
            if (!a.isVisible()) {
                ADD_FAILURE() << "the pick list is not shown";
                return;
            }
            ++gezeigt;
            einzeln = a.checkSingle();
            angeboten.clear();
            for (int i = 0; i < a.Liste->ListCount(); ++i)
                angeboten << a.Liste->List(i);
            for (const QString& text : klicken) {
                const int zeile = int(angeboten.indexOf(text));
                if (zeile < 0) {
                    ADD_FAILURE() << "not offered: " << text.toStdString();
                    continue;
                }
                const QPoint p = a.Liste->visualItemRect(a.Liste->item(zeile)).center();
                QTest::mouseClick(a.Liste->viewport(), Qt::LeftButton, Qt::NoModifier, p);
            }
            (abbrechen ? a.BefAbbruch : a.BefOk)->click();
        });
    }

    void doppelklick(int feld) { QTest::mouseDClick(fenster->Feld(feld), Qt::LeftButton); }
};

TEST_F(MainAuswahl, EMailVorschlaegeInZweiSchritten)
{
    wurzel.schreiben(u"programm/Liste14.txt"_s, u"info   \r\nMüller\r\n"_s);
    adressdatei({u"..E"_s, zeile({{1, u"Müller"_s},
                                  {2, u"Jörg"_s},
                                  {7, u"030 / 12-34"_s},
                                  {16, u"01.01.2000"_s},
                                  {22, u"www.Beispiel.de"_s}})});
    Main& m = starten();

    beimZeigen({u"Joerg.Mueller"_s});
    doppelklick(EMail);
    EXPECT_EQ(gezeigt, 1);
    EXPECT_EQ(einzeln, 1) << "single choice";
    // The list file's entries, the name forms, the phone digits and the web domain, each once.
    for (const char* v : {"info", "Müller", "Mueller", "J.Mueller", "0301234", "0301234001", " @Beispiel.de"})
        EXPECT_EQ(angeboten.count(QString::fromUtf8(v)), 1) << v;
    EXPECT_EQ(m.FeldText(EMail), u"Joerg.Mueller"_s);
    EXPECT_EQ(FeldAus(eintrag(0), EMail), u"Joerg.Mueller"_s);
    EXPECT_EQ(FeldAus(eintrag(0), GeaendertAm), u"02.07.2000"_s);
    EXPECT_EQ(sitzung().Geaendert, 1);

    // The second pick appends the domain, without the blank.
    beimZeigen({u" @Beispiel.de"_s});
    doppelklick(EMail);
    EXPECT_EQ(m.FeldText(EMail), u"Joerg.Mueller@Beispiel.de"_s);
    EXPECT_EQ(textfeld(EMail)->cursorPosition(), m.FeldText(EMail).size());
    EXPECT_EQ(FeldAus(eintrag(0), EMail), u"Joerg.Mueller@Beispiel.de"_s);
    EXPECT_EQ(Auswahl::instanz().Liste->ListCount(), 0) << "emptied again";
}

TEST_F(MainAuswahl, FeldlisteMitMehrfachauswahl)
{
    wurzel.schreiben(u"programm/Liste00.txt"_s, u"Freund\r\nKunde\r\n"_s);
    adressdatei({u"..R"_s, zeile({{0, u"Kunde"_s}, {1, u"A"_s}}), zeile({{0, u"Lieferant"_s}, {1, u"B"_s}}),
                 zeile({{0, u"Kunde"_s}, {1, u"C"_s}})});
    Main& m = starten();
    adressliste().setListIndex(1);

    beimZeigen({u"Freund"_s, u"Kunde"_s});
    doppelklick(Rubrik);
    EXPECT_EQ(einzeln, 0) << "multiple choice";
    EXPECT_EQ(angeboten, (QStringList{u"Freund"_s, u"Kunde"_s, u"Lieferant"_s}));
    EXPECT_EQ(m.FeldText(Rubrik), u"Freund Kunde"_s);
    EXPECT_EQ(FeldAus(eintrag(1), Rubrik), u"Freund Kunde"_s);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(Auswahl::instanz().checkSingle(), 1) << "the next caller gets single choice";
}

TEST_F(MainAuswahl, NurLesenBietetNichtsAn)
{
    adressdatei({u"..E"_s, zeile({{0, u"Kunde"_s}, {1, u"Meier"_s}})});
    Main& m = starten({u"readonly"_s});
    m.Feld_DblClick(EMail);
    m.Feld_DblClick(Rubrik);
    EXPECT_EQ(ungeplant, 0);
    EXPECT_EQ(m.FeldText(EMail), QString());
}

TEST_F(MainAuswahl, KatalognahtNimmtDenKartenlistenNichtsWeg_AbbruchAendertNichts)
{
    adressdatei({u"..R"_s, zeile({{0, u"Kunde"_s}, {1, u"Meier"_s}})});
    const main_test::Handler naht({u"Feld_DblClick"_s});
    Main& m = starten();
    beimZeigen({u"Kunde"_s}, true);
    m.Feld_DblClick(Rubrik);
    EXPECT_EQ(m.FeldText(Rubrik), u"Kunde"_s);
    EXPECT_EQ(sitzung().Geaendert, 0);
    beimZeigen({u"Meier"_s});
    m.Feld_DblClick(EMail);
    m.Feld_DblClick(Ort);
    EXPECT_EQ(gezeigt, 2);
    EXPECT_EQ(m.FeldText(EMail), u"Meier"_s);
    EXPECT_EQ(naht.aufrufe.value(u"Feld_DblClick"_s), QList<int>{Ort}) << "the place's look-up is the catalogues'";
}

TEST_F(MainAuswahl, FeldOhneListeBietetNichtsAn)
{
    adressdatei({u"..R"_s, zeile({{1, u"Meier"_s}}), zeile({{1, u"Roth"_s}})});
    Main& m = starten();
    m.Feld_DblClick(Nachname);
    m.Feld_DblClick(ErstelltAm);
    EXPECT_EQ(ungeplant, 0);
    EXPECT_EQ(sitzung().Geaendert, 0);

    // A list file of its own makes the field offer its values too.
    wurzel.schreiben(u"programm/Liste01.txt"_s, u"Zander\r\n"_s);
    beimZeigen({u"Roth"_s});
    m.Feld_DblClick(Nachname);
    EXPECT_EQ(angeboten, (QStringList{u"Meier"_s, u"Roth"_s, u"Zander"_s}));
    EXPECT_EQ(m.FeldText(Nachname), u"Roth"_s);
}

} // namespace
