// New, duplicate, delete and undo of addresses.
#include "befehle_hilfe.h"

#include "addressbook/dateiini.h"
#include "commands/adressbefehle.h"

using namespace zbefehle;
using namespace Qt::StringLiterals;
using zadressbuch::FeldAus;
using zadressbuch::sitzung;

namespace {

long long zaehler()
{
    return zcommon::Ini_Lesen(QString(), QString(), u"AdressIndex"_s).toLongLong();
}

class AdressbefehleTest : public BefehleTest
{
protected:
    // Five addresses "Name0".."Name4" with the index numbers 1..5.
    void fuenf()
    {
        for (int i = 0; i < 5; ++i)
            liste->AddItem(satzMit({{1, u"Name%1"_s.arg(i)}, {23, QString::number(i + 1)}}));
    }
};

} // namespace

TEST_F(AdressbefehleTest, NeuMitVorgabenDatumUndIndex)
{
    zadressbuch::DateiIni_Schreiben(u"Vorgabe_06"_s, u"Deutschland"_s);
    zadressbuch::DateiIni_Schreiben(u"Vorgabe_15"_s, u"01.01.1990"_s); // locked field: ignored
    zadressbuch::DateiIni_Schreiben(u"Vorgabe_23"_s, u"777"_s);
    iniSetzen(u"AdressIndex"_s, u"41"_s);
    namen({u"Alt"_s});
    sitzung().Geaendert = 0;

    ASSERT_TRUE(Adresse_Neu(*liste, fenster));
    ASSERT_EQ(liste->ListCount(), 2);
    EXPECT_EQ(liste->ListIndex(), 1);
    EXPECT_EQ(
        liste->List(1),
        satzMit({{0, u" "_s}, {6, u"Deutschland"_s}, {15, u"02.07.2000"_s}, {16, u"02.07.2000"_s}, {23, u"41"_s}}));
    EXPECT_EQ(zaehler(), 42);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(sitzung().UndoKopie, QString(23, u'\t'));
    EXPECT_EQ(fokus, 2);
}

TEST_F(AdressbefehleTest, DuplizierenKopiertMitNeuemDatumUndIndex)
{
    iniSetzen(u"AdressIndex"_s, u"10"_s);
    const QString original =
        satzMit({{1, u"Meier"_s}, {11, u"Zeile°°Zwei"_s}, {15, u"01.01.1999"_s}, {16, u"02.02.1999"_s}, {23, u"3"_s}});
    liste->AddItem(original);
    EXPECT_FALSE(Adresse_Duplizieren(*liste, fenster)); // nothing selected
    EXPECT_EQ(plattform->letzteMeldung(), u"Bitte eine Adresse auswählen, die dupliziert werden soll."_s);

    liste->setListIndex(0);
    ASSERT_TRUE(Adresse_Duplizieren(*liste, fenster));
    EXPECT_EQ(liste->ListIndex(), 1);
    // Stored as a store from the card: an empty field 0 as one blank.
    EXPECT_EQ(liste->eintraege(), (QStringList{original, satzMit({{0, u" "_s},
                                                                  {1, u"Meier"_s},
                                                                  {11, u"Zeile°°Zwei"_s},
                                                                  {15, u"02.07.2000"_s},
                                                                  {16, u"02.07.2000"_s},
                                                                  {23, u"10"_s}})}));
    EXPECT_EQ(sitzung().UndoKopie, original); // an undo right after turns it back into the copied line
}

TEST_F(AdressbefehleTest, NeuUndDuplizierenAnDerGrenze)
{
    QStringList fast;
    for (int i = 0; i < zadressbuch::MaxAdressen - 1; ++i)
        fast << satzMit({{1, QString::number(i)}});
    liste->setEintraege(fast);
    EXPECT_TRUE(Adresse_Neu(*liste, fenster));
    EXPECT_EQ(liste->ListCount(), zadressbuch::MaxAdressen);
    EXPECT_TRUE(plattform->meldungen.empty());

    EXPECT_FALSE(Adresse_Neu(*liste, fenster));
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].titel, u"Zettlora meldet Speicherproblem"_s);
    EXPECT_TRUE(plattform->letzteMeldung().endsWith(u"Es kann keine Adresse mehr angelegt werden!"_s));

    liste->setListIndex(0);
    EXPECT_FALSE(Adresse_Duplizieren(*liste, fenster));
    EXPECT_TRUE(plattform->letzteMeldung().endsWith(u"Die Adressen kann nicht mehr dupliziert werden!"_s));
    EXPECT_EQ(liste->ListCount(), zadressbuch::MaxAdressen);
}

TEST(EintragOhneInhalt, NurDatenUndIndexZaehlenNicht)
{
    const std::pair<QString, bool> faelle[] = {
        {QString(23, u'\t'), true},
        {u" "_s + QString(24, u'\t'), true},
        {satzMit({{15, u"1.1.2000"_s}, {16, u"1.1.2000"_s}, {23, u"9"_s}}), true},
        {QString(24, u'\t') + u"Rest"_s, true}, // text behind the 24th field is no field
        {satzMit({{22, u"www.x.de"_s}}), false},
        {satzMit({{20, u"01.01.1970"_s}}), false},
        {satzMit({{17, u"123456"_s}}), false}, // bank data only is an address
        {satzMit({{0, u"A"_s}}), false},
    };
    for (const auto& [eintrag, leer] : faelle)
        EXPECT_EQ(Eintrag_OhneInhalt(eintrag), leer) << eintrag.toStdString();
}

TEST_F(AdressbefehleTest, LoeschenFragtWaehltDenNachfolgerUndSetztDasFlag)
{
    // Dates and index only: deleted without a question.
    liste->AddItem(satzMit({{15, u"01.01.2000"_s}, {23, u"9"_s}}));
    liste->setListIndex(0);
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_TRUE(plattform->meldungen.empty());
    EXPECT_EQ(liste->ListCount(), 0);

    fuenf();
    liste->setListIndex(4);
    plattform->antworten << zplatform::vbNo;
    EXPECT_FALSE(Adresse_Loeschen(*liste));
    EXPECT_EQ(liste->ListCount(), 5);
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].titel, u"Adresse löschen?"_s);
    EXPECT_EQ(plattform->meldungen[0].text,
              u"Sind Sie sicher, dass die Adresse #5\r\n»Name4«\r\ngelöscht werden soll?"_s);

    // The last one: its predecessor is selected (and shown).
    plattform->antworten << zplatform::vbYes;
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_EQ(liste->ListIndex(), 3);
    EXPECT_EQ(sitzung().UndoKopie, liste->List(3));

    // One in the middle: its successor moves up to the same place.
    liste->setListIndex(1);
    sitzung().Geaendert = 0;
    plattform->antworten << zplatform::vbYes;
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_EQ(liste->ListIndex(), 1);
    EXPECT_EQ(spalte(*liste, 1), (QStringList{u"Name0"_s, u"Name2"_s, u"Name3"_s}));
    EXPECT_EQ(sitzung().Geaendert, 1);

    // The cut command's flag: no question, and the next delete asks again.
    plattform->meldungen.clear();
    ASSERT_TRUE(Adresse_Loeschen(*liste, true));
    EXPECT_TRUE(plattform->meldungen.empty());
    plattform->antworten << zplatform::vbNo;
    EXPECT_FALSE(Adresse_Loeschen(*liste));
    EXPECT_EQ(plattform->meldungen.size(), 1u);

    // "BestätigeLöschen" = 0 switches the question off.
    iniSetzen(u"BestätigeLöschen"_s, u"0"_s);
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(liste->ListCount(), 1);

    liste->setListIndex(-1);
    EXPECT_FALSE(Adresse_Loeschen(*liste));
    EXPECT_EQ(plattform->letzteMeldung(), u"Bitte eine Adresse auswählen, welche gelöscht werden soll."_s);
}

TEST_F(AdressbefehleTest, ArchivDerGeloeschtenAdressen)
{
    zadressbuch::DateiIni_Schreiben(u"LöschenNach"_s, u"Geloescht.txt"_s);
    iniSetzen(u"BestätigeLöschen"_s, u"0"_s);
    fuenf();
    const QStringList vorher = liste->eintraege();
    liste->setListIndex(0);
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    ASSERT_TRUE(Adresse_Loeschen(*liste));
    EXPECT_EQ(lesen(u"daten/Geloescht.txt"_s), zeilen(vorher.mid(0, 2)));

    // An archive that cannot be written (a folder of its name): the address stays.
    QDir().mkpath(daten(u"Archiv.txt"_s));
    zadressbuch::DateiIni_Schreiben(u"LöschenNach"_s, u"Archiv.txt"_s);
    liste->setListIndex(1);
    sitzung().Geaendert = 0;
    EXPECT_FALSE(Adresse_Loeschen(*liste));
    EXPECT_EQ(liste->ListCount(), 3);
    EXPECT_EQ(liste->ListIndex(), 1);
    EXPECT_EQ(sitzung().Geaendert, 0);
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_TRUE(plattform->meldungen[0].text.contains(u"Die Adresse wurde nicht gelöscht."_s));
    EXPECT_EQ(plattform->toene.back(), u"#SystemHand"_s);
}

TEST_F(AdressbefehleTest, RueckgaengigTauschtUndSetztDasFlag)
{
    const QString vorher = satzMit({{1, u"Meier"_s}});
    const QString nachher = satzMit({{1, u"Meyer"_s}});
    liste->AddItem(vorher);
    liste->setListIndex(0);
    sitzung().Geaendert = 0;
    EXPECT_FALSE(Rueckgaengig_Moeglich(*liste));
    EXPECT_FALSE(Aenderungen_Rueckgaengig(*liste, fenster));
    EXPECT_EQ(sitzung().Geaendert, 0);

    liste->setList(0, nachher); // the card stored an edit
    sitzung().Geaendert = 0;    // ... and the file was saved since
    EXPECT_TRUE(Rueckgaengig_Moeglich(*liste));
    ASSERT_TRUE(Aenderungen_Rueckgaengig(*liste, fenster));
    EXPECT_EQ(liste->List(0), vorher);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(anzeigen, 1);

    // A second undo brings the edit back.
    ASSERT_TRUE(Aenderungen_Rueckgaengig(*liste, fenster));
    EXPECT_EQ(liste->List(0), nachher);

    liste->setListIndex(-1);
    EXPECT_FALSE(Aenderungen_Rueckgaengig(*liste, fenster));
}
