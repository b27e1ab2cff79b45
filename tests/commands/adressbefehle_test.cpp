// New, duplicate, delete and undo of addresses.
#include "befehle_hilfe.h"

#include "addressbook/dateiini.h"
#include "commands/adressbefehle.h"
#include "common/ini.h"

using namespace zbefehle;
using zadressbuch::FeldAus;
using zadressbuch::sitzung;

namespace {

long long zaehler()
{
    return zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AdressIndex")).toLongLong();
}

} // namespace

class AdressbefehleTest : public BefehleTest
{
protected:
    void fuenf()
    {
        for (int i = 0; i < 5; ++i)
            liste->AddItem(satzMit({{1, QStringLiteral("Name%1").arg(i)}, {23, QString::number(i + 1)}}));
    }
};

TEST_F(AdressbefehleTest, NeuMitVorgabenDatumUndIndex)
{
    zadressbuch::DateiIni_Schreiben(QStringLiteral("Vorgabe_06"), QStringLiteral("Deutschland"));
    zadressbuch::DateiIni_Schreiben(QStringLiteral("Vorgabe_15"),
                                    QStringLiteral("01.01.1990")); // locked field: ignored
    zadressbuch::DateiIni_Schreiben(QStringLiteral("Vorgabe_23"), QStringLiteral("777"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AdressIndex"), QStringLiteral("41"));
    liste->AddItem(satzMit({{1, QStringLiteral("Alt")}}));
    sitzung().Geaendert = 0;

    ASSERT_TRUE(Adresse_Neu(*liste));
    ASSERT_EQ(liste->ListCount(), 2);
    EXPECT_EQ(liste->ListIndex(), 1);
    const QString neu = liste->List(1);
    EXPECT_EQ(FeldAus(neu, 6), QStringLiteral("Deutschland"));
    EXPECT_EQ(FeldAus(neu, 15), QStringLiteral("02.07.2000"));
    EXPECT_EQ(FeldAus(neu, 16), QStringLiteral("02.07.2000"));
    EXPECT_EQ(FeldAus(neu, 23), QStringLiteral("41"));
    EXPECT_EQ(zaehler(), 42);
    EXPECT_EQ(neu.count(QLatin1Char('\t')), 24);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(sitzung().UndoKopie, QString(23, QLatin1Char('\t')));
    EXPECT_EQ(fokus, 2);
}

TEST_F(AdressbefehleTest, NeuUndDuplizierenAnDerGrenze)
{
    QStringList fast;
    for (int i = 0; i < zadressbuch::MaxAdressen - 1; ++i)
        fast << satzMit({{1, QString::number(i)}});
    liste->setEintraege(fast);
    EXPECT_TRUE(Adresse_Neu(*liste));
    EXPECT_EQ(liste->ListCount(), zadressbuch::MaxAdressen);
    EXPECT_TRUE(plattform->meldungen.empty());

    EXPECT_FALSE(Adresse_Neu(*liste));
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].titel, QStringLiteral("Zettlora meldet Speicherproblem"));
    EXPECT_TRUE(plattform->meldungen[0].text.endsWith(QStringLiteral("Es kann keine Adresse mehr angelegt werden!")));
    EXPECT_EQ(plattform->toene.back(), QStringLiteral("#SystemHand"));

    liste->setListIndex(0);
    EXPECT_FALSE(Adresse_Duplizieren(*liste));
    EXPECT_TRUE(plattform->letzteMeldung().endsWith(QStringLiteral("Die Adressen kann nicht mehr dupliziert werden!")));
    EXPECT_EQ(liste->ListCount(), zadressbuch::MaxAdressen);
}

TEST_F(AdressbefehleTest, DuplizierenKopiertMitNeuemDatumUndIndex)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AdressIndex"), QStringLiteral("10"));
    const QString original = satzMit({{1, QStringLiteral("Meier")},
                                      {11, QStringLiteral("Zeile°°Zwei")},
                                      {15, QStringLiteral("01.01.1999")},
                                      {16, QStringLiteral("02.02.1999")},
                                      {23, QStringLiteral("3")}});
    liste->AddItem(original);
    EXPECT_FALSE(Adresse_Duplizieren(*liste)); // nothing selected
    EXPECT_EQ(plattform->letzteMeldung(), QStringLiteral("Bitte eine Adresse auswählen, die dupliziert werden soll."));

    liste->setListIndex(0);
    ASSERT_TRUE(Adresse_Duplizieren(*liste));
    ASSERT_EQ(liste->ListCount(), 2);
    EXPECT_EQ(liste->ListIndex(), 1);
    EXPECT_EQ(liste->List(0), original);
    // Stored as a store from the card: an empty field 0 as one blank.
    EXPECT_EQ(liste->List(1), satzMit({{0, QStringLiteral(" ")},
                                       {1, QStringLiteral("Meier")},
                                       {11, QStringLiteral("Zeile°°Zwei")},
                                       {15, QStringLiteral("02.07.2000")},
                                       {16, QStringLiteral("02.07.2000")},
                                       {23, QStringLiteral("10")}}));
    EXPECT_EQ(sitzung().UndoKopie, original); // an undo right after turns it back into the copied line
}

TEST_F(AdressbefehleTest, LoeschenFragtNurBeiAdressenMitInhalt)
{
    // Dates and index only: no question.
    liste->AddItem(
        satzMit({{15, QStringLiteral("01.01.2000")}, {16, QStringLiteral("01.01.2000")}, {23, QStringLiteral("5")}}));
    // Only bank data: an address, so it asks.
    liste->AddItem(satzMit({{0, QStringLiteral(" ")}, {17, QStringLiteral("123456")}, {23, QStringLiteral("6")}}));
    liste->setListIndex(0);
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_TRUE(plattform->meldungen.empty());
    EXPECT_EQ(liste->ListCount(), 1);

    liste->setListIndex(0);
    plattform->antworten << zplatform::vbNo;
    EXPECT_FALSE(Adresse_Loeschen(*liste));
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].titel, QStringLiteral("Adresse löschen?"));
    EXPECT_EQ(plattform->meldungen[0].text,
              QStringLiteral("Sind Sie sicher, dass die Adresse #6\r\n»«\r\ngelöscht werden soll?"));
    EXPECT_EQ(liste->ListCount(), 1);

    // "BestätigeLöschen" = 0 switches the question off.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("BestätigeLöschen"), QStringLiteral("0"));
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(liste->ListCount(), 0);
    EXPECT_EQ(liste->ListIndex(), -1);
}

TEST_F(AdressbefehleTest, LoeschenWaehltDenNachfolger)
{
    fuenf();
    liste->setListIndex(4);
    plattform->antworten << zplatform::vbYes;
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_EQ(plattform->meldungen[0].text,
              QStringLiteral("Sind Sie sicher, dass die Adresse #5\r\n»Name4«\r\ngelöscht werden soll?"));
    EXPECT_EQ(liste->ListIndex(), 3);
    EXPECT_EQ(sitzung().UndoKopie, liste->List(3));

    liste->setListIndex(1);
    sitzung().Geaendert = 0;
    plattform->antworten << zplatform::vbYes;
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_EQ(liste->ListIndex(), 1);
    EXPECT_EQ(FeldAus(liste->List(1), 1), QStringLiteral("Name2"));
    EXPECT_EQ(sitzung().Geaendert, 1);

    // The cut command's flag: no question, and the next delete asks again.
    plattform->meldungen.clear();
    ASSERT_TRUE(Adresse_Loeschen(*liste, true));
    EXPECT_TRUE(plattform->meldungen.empty());
    plattform->antworten << zplatform::vbNo;
    EXPECT_FALSE(Adresse_Loeschen(*liste));
    EXPECT_EQ(plattform->meldungen.size(), 1u);

    liste->setListIndex(-1);
    EXPECT_FALSE(Adresse_Loeschen(*liste));
    EXPECT_EQ(plattform->letzteMeldung(), QStringLiteral("Bitte eine Adresse auswählen, welche gelöscht werden soll."));
}

TEST_F(AdressbefehleTest, ArchivDerGeloeschtenAdressen)
{
    zadressbuch::DateiIni_Schreiben(QStringLiteral("LöschenNach"), QStringLiteral("Geloescht.txt"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("BestätigeLöschen"), QStringLiteral("0"));
    fuenf();
    const QString erster = liste->List(0);
    const QString zweiter = liste->List(1);
    liste->setListIndex(0);
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_EQ(lesen(QStringLiteral("daten/Geloescht.txt")),
              erster + QStringLiteral("\r\n") + zweiter + QStringLiteral("\r\n"));
}

TEST_F(AdressbefehleTest, ArchivNichtSchreibbarBehaeltDieAdresse)
{
    // A folder of the archive's name: the line cannot be written.
    QDir().mkpath(daten(QStringLiteral("Archiv.txt")));
    zadressbuch::DateiIni_Schreiben(QStringLiteral("LöschenNach"), QStringLiteral("Archiv.txt"));
    fuenf();
    liste->setListIndex(2);
    sitzung().Geaendert = 0;
    plattform->antworten << zplatform::vbYes;
    EXPECT_FALSE(Adresse_Loeschen(*liste));
    EXPECT_EQ(liste->ListCount(), 5);
    EXPECT_EQ(liste->ListIndex(), 2);
    EXPECT_EQ(sitzung().Geaendert, 0);
    ASSERT_EQ(plattform->meldungen.size(), 2u);
    EXPECT_TRUE(plattform->meldungen[1].text.contains(QStringLiteral("Die Adresse wurde nicht gelöscht.")));
    EXPECT_EQ(plattform->toene.back(), QStringLiteral("#SystemHand"));
}

TEST_F(AdressbefehleTest, RueckgaengigTauschtUndSetztDasFlag)
{
    const QString vorher = satzMit({{1, QStringLiteral("Meier")}});
    const QString nachher = satzMit({{1, QStringLiteral("Meyer")}});
    liste->AddItem(vorher);
    liste->setListIndex(0);
    sitzung().Geaendert = 0;
    EXPECT_FALSE(Rueckgaengig_Moeglich(*liste));
    EXPECT_FALSE(Aenderungen_Rueckgaengig(*liste));
    EXPECT_EQ(sitzung().Geaendert, 0);

    liste->setList(0, nachher); // the card stored an edit
    sitzung().Geaendert = 0;    // ... and the file was saved since
    EXPECT_TRUE(Rueckgaengig_Moeglich(*liste));
    ASSERT_TRUE(Aenderungen_Rueckgaengig(*liste));
    EXPECT_EQ(liste->List(0), vorher);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(anzeigen, 1);

    // A second undo brings the edit back.
    ASSERT_TRUE(Aenderungen_Rueckgaengig(*liste));
    EXPECT_EQ(liste->List(0), nachher);

    liste->setListIndex(-1);
    EXPECT_FALSE(Aenderungen_Rueckgaengig(*liste));
}

TEST(EintragOhneInhalt, NurDatenUndIndexZaehlenNicht)
{
    EXPECT_TRUE(Eintrag_OhneInhalt(QString(23, QLatin1Char('\t'))));
    EXPECT_TRUE(Eintrag_OhneInhalt(QStringLiteral(" ") + QString(24, QLatin1Char('\t'))));
    EXPECT_TRUE(Eintrag_OhneInhalt(satzMit({{15, QStringLiteral("1.1.2000")}, {23, QStringLiteral("9")}})));
    EXPECT_FALSE(Eintrag_OhneInhalt(satzMit({{22, QStringLiteral("www.x.de")}})));
    EXPECT_FALSE(Eintrag_OhneInhalt(satzMit({{20, QStringLiteral("01.01.1970")}})));
    EXPECT_FALSE(Eintrag_OhneInhalt(satzMit({{0, QStringLiteral("A")}})));
    // Text behind the 24th field is no field.
    EXPECT_TRUE(Eintrag_OhneInhalt(QString(24, QLatin1Char('\t')) + QStringLiteral("Rest")));
}
