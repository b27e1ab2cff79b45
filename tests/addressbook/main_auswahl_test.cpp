// The card's pick lists on the real main window through the real pick list
// form: the e-mail proposals (single choice, appended in two picks) and a
// field's choice list (multiple choice), cancel and read-only mode.
#include "main_hilfen.h"

#include "addressbook/datensatz.h"
#include "commands/ui/auswahl.h"

#include <QLineEdit>
#include <QTimer>
#include <functional>

using namespace zadressbuch;
using main_test::zeile;
using zbefehle::Auswahl;

namespace {

// The pick list form behind Main's pick lists, as the program puts it in place.
QStringList auswahlZeigen(const QStringList& eintraege, bool einzeln)
{
    Auswahl& a = Auswahl::instanz();
    a.Liste->Clear();
    a.setCheckSingle(einzeln ? 1 : 0);
    for (const QString& t : eintraege)
        a.Liste->AddItem(t);
    a.zeigen();
    const QStringList gewaehlt = a.ausgewaehlt();
    a.Liste->Clear();
    return gewaehlt;
}

class MainAuswahl : public main_test::MainFensterTest
{
protected:
    QStringList angeboten; // the list as the form showed it
    int einzeln = -1;      // CheckSingle while it was shown
    int gezeigt = 0;

    bool geplant = false; // a script waits for the form
    int ungeplant = 0;    // the form was wanted without one

    void SetUp() override
    {
        MainFensterTest::SetUp();
        Main::auswahlSetzen([this](const QStringList& eintraege, bool einzeln) {
            if (!geplant) {
                ++ungeplant;
                return QStringList();
            }
            geplant = false;
            return auswahlZeigen(eintraege, einzeln);
        });
    }
    void TearDown() override
    {
        Main::auswahlSetzen({});
        MainFensterTest::TearDown();
    }

    // While the form is shown: notes what it offers, clicks the entries with
    // these texts and takes them (OK), or cancels when abbrechen.
    void beimZeigen(const QStringList& klicken, bool abbrechen = false)
    {
        geplant = true;
        QTimer::singleShot(0, [this, klicken, abbrechen] {
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
            if (abbrechen)
                a.BefAbbruch->click();
            else
                a.BefOk->click();
        });
    }

    void doppelklick(int feld) { QTest::mouseDClick(fenster->Feld(feld), Qt::LeftButton); }
};

TEST_F(MainAuswahl, EMailVorschlaegeInZweiSchritten)
{
    wurzel.schreiben(QStringLiteral("programm/Liste14.txt"), QStringLiteral("info   \r\nMüller\r\n"));
    adressdatei({QStringLiteral("..E"), zeile({{1, QStringLiteral("Müller")},
                                               {2, QStringLiteral("Jörg")},
                                               {7, QStringLiteral("030 / 12-34")},
                                               {16, QStringLiteral("01.01.2000")},
                                               {22, QStringLiteral("www.Beispiel.de")}})});
    Main& m = starten();

    beimZeigen({QStringLiteral("Joerg.Mueller")});
    doppelklick(EMail);
    EXPECT_EQ(gezeigt, 1);
    EXPECT_EQ(einzeln, 1) << "single choice";
    for (const char* v : {"info", "Müller", "Mueller", "MuellerJoerg", "Mueller_Joerg", "Mueller.Joerg", "MuellerJ",
                          "Joerg", "JoergMueller", "Joerg.Mueller", "Joerg_Mueller", "JMueller", "J.Mueller", "0301234",
                          "0301234001", " @Beispiel.de"})
        EXPECT_EQ(angeboten.count(QString::fromUtf8(v)), 1) << v;
    EXPECT_EQ(m.FeldText(EMail), QStringLiteral("Joerg.Mueller"));
    EXPECT_EQ(FeldAus(eintrag(0), EMail), QStringLiteral("Joerg.Mueller"));
    EXPECT_EQ(FeldAus(eintrag(0), GeaendertAm), QStringLiteral("02.07.2000"));
    EXPECT_EQ(sitzung().Geaendert, 1);

    // The second pick appends the domain, without the blank.
    beimZeigen({QStringLiteral(" @Beispiel.de")});
    doppelklick(EMail);
    EXPECT_EQ(m.FeldText(EMail), QStringLiteral("Joerg.Mueller@Beispiel.de"));
    EXPECT_EQ(static_cast<QLineEdit*>(m.Feld(EMail))->cursorPosition(), m.FeldText(EMail).size());
    EXPECT_EQ(FeldAus(eintrag(0), EMail), QStringLiteral("Joerg.Mueller@Beispiel.de"));
    EXPECT_EQ(Auswahl::instanz().Liste->ListCount(), 0) << "emptied again";
}

TEST_F(MainAuswahl, AbbruchLaesstFeldUndDateiUnveraendert)
{
    adressdatei({QStringLiteral("..E"), zeile({{1, QStringLiteral("Meier")}, {14, QStringLiteral("alt@x.de")}})});
    Main& m = starten();
    beimZeigen({QStringLiteral("Meier")}, true);
    doppelklick(EMail);
    EXPECT_EQ(gezeigt, 1);
    EXPECT_EQ(m.FeldText(EMail), QStringLiteral("alt@x.de"));
    EXPECT_EQ(sitzung().Geaendert, 0);
}

TEST_F(MainAuswahl, NurLesenBietetNichtsAn)
{
    adressdatei({QStringLiteral("..E"), zeile({{0, QStringLiteral("Kunde")}, {1, QStringLiteral("Meier")}})});
    Main& m = starten({QStringLiteral("readonly")});
    m.Feld_DblClick(EMail);
    m.Feld_DblClick(Rubrik);
    EXPECT_EQ(ungeplant, 0);
    EXPECT_EQ(m.FeldText(EMail), QString());
}

TEST_F(MainAuswahl, FeldlisteMitMehrfachauswahl)
{
    wurzel.schreiben(QStringLiteral("programm/Liste00.txt"), QStringLiteral("Freund\r\nKunde\r\n"));
    adressdatei({QStringLiteral("..R"), zeile({{0, QStringLiteral("Kunde")}, {1, QStringLiteral("A")}}),
                 zeile({{0, QStringLiteral("Lieferant")}, {1, QStringLiteral("B")}}),
                 zeile({{0, QStringLiteral("Kunde")}, {1, QStringLiteral("C")}})});
    Main& m = starten();
    adressliste().setListIndex(1);

    beimZeigen({QStringLiteral("Freund"), QStringLiteral("Kunde")});
    doppelklick(Rubrik);
    EXPECT_EQ(einzeln, 0) << "multiple choice";
    EXPECT_EQ(angeboten, (QStringList{QStringLiteral("Freund"), QStringLiteral("Kunde"), QStringLiteral("Lieferant")}));
    EXPECT_EQ(m.FeldText(Rubrik), QStringLiteral("Freund Kunde"));
    EXPECT_EQ(FeldAus(eintrag(1), Rubrik), QStringLiteral("Freund Kunde"));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(Auswahl::instanz().checkSingle(), 1) << "the next caller gets single choice";
}

TEST_F(MainAuswahl, KatalognahtNimmtDenKartenlistenNichtsWeg)
{
    adressdatei({QStringLiteral("..R"), zeile({{0, QStringLiteral("Kunde")}, {1, QStringLiteral("Meier")}})});
    Main& m = starten();
    QList<int> naht;
    Main::handlerSetzen(QStringLiteral("Feld_DblClick"), [&](Main&, int i) { naht << i; });
    beimZeigen({QStringLiteral("Meier")});
    m.Feld_DblClick(EMail);
    beimZeigen({QStringLiteral("Kunde")}, true);
    m.Feld_DblClick(Rubrik);
    m.Feld_DblClick(Ort);
    Main::handlerSetzen(QStringLiteral("Feld_DblClick"), {});
    EXPECT_EQ(gezeigt, 2);
    EXPECT_EQ(m.FeldText(EMail), QStringLiteral("Meier"));
    EXPECT_EQ(naht, QList<int>{Ort}) << "the place field's look-up belongs to the catalogues";
}

TEST_F(MainAuswahl, FeldOhneListeBietetNichtsAn)
{
    adressdatei({QStringLiteral("..R"), zeile({{1, QStringLiteral("Meier")}}), zeile({{1, QStringLiteral("Roth")}})});
    Main& m = starten();
    m.Feld_DblClick(Nachname);
    m.Feld_DblClick(ErstelltAm);
    EXPECT_EQ(ungeplant, 0);
    EXPECT_EQ(sitzung().Geaendert, 0);

    // A list file of its own makes the field offer its values too.
    wurzel.schreiben(QStringLiteral("programm/Liste01.txt"), QStringLiteral("Zander\r\n"));
    beimZeigen({QStringLiteral("Roth")});
    m.Feld_DblClick(Nachname);
    EXPECT_EQ(angeboten, (QStringList{QStringLiteral("Meier"), QStringLiteral("Roth"), QStringLiteral("Zander")}));
    EXPECT_EQ(m.FeldText(Nachname), QStringLiteral("Roth"));
}

} // namespace
