// The bulk tools on generated lists, against a card that follows the list's
// selection as the main window's does.
#include "befehle_hilfe.h"

#include "commands/massenwerkzeuge.h"
#include "support/fensterattrappe.h"

#include <QFileInfo>

using namespace zbefehle;
using namespace Qt::StringLiterals;
using zadressbuch::sitzung;

namespace {

// The card shows the selected entry; storing writes the card back.
class KartenFenster : public FensterAttrappe
{
public:
    explicit KartenFenster(zadressbuch::AdressListe& l) : liste(l)
    {
        QObject::connect(&l, &zadressbuch::AdressListe::auswahlGeaendert, [this](int i) {
            felder = i >= 0 && i < liste.ListCount() ? zadressbuch::Zerlegen(liste.List(i)) : zadressbuch::Felder{};
            besucht << i;
        });
    }
    void Adresse_Uebernehmen(int DatumBehalten) override
    {
        FensterAttrappe::Adresse_Uebernehmen(DatumBehalten);
        if (liste.ListIndex() >= 0)
            liste.setList(liste.ListIndex(), zadressbuch::Verbinden(felder));
    }
    zadressbuch::AdressListe& liste;
    QList<int> besucht;
};

class MassenTest : public BefehleTest
{
protected:
    void SetUp() override
    {
        BefehleTest::SetUp();
        fenster = std::make_unique<KartenFenster>(*liste);
    }
    void TearDown() override
    {
        fenster.reset();
        BefehleTest::TearDown();
    }
    // n addresses "Name<i>" with first name, place and index i+1.
    void erzeugen(int n)
    {
        for (int i = 0; i < n; ++i)
            liste->AddItem(satzMit({{1, u"Name%1"_s.arg(i)},
                                    {2, u"Vor%1"_s.arg(i)},
                                    {5, i % 2 ? u"Köln"_s : u"Bonn"_s},
                                    {23, QString::number(i + 1)}}));
    }
    std::unique_ptr<KartenFenster> fenster;
};

} // namespace

TEST_F(MassenTest, LoeschenMitSuchtext)
{
    struct Fall
    {
        const char* name;
        QString text;
        int entfernt;
    };
    const Fall faelle[] = {
        {"Nachbarn und Groß-/Kleinschrift", u"köln"_s, 5},
        {"Platzhalter", u"name?\tvor"_s, 10},
        {"Ziffer", u"name1#"_s, 0},
        {"nichts", u"Hamburg"_s, 0},
        {"ungültiges Muster", u"[abc"_s, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        liste->Clear();
        erzeugen(10);
        sitzung().Geaendert = 0;
        plattform->meldungen.clear();
        plattform->eingaben.enqueue(u"  "_s + f.text + u" "_s);
        EXPECT_EQ(Adressen_Loeschen_Mit(*liste, *fenster), f.entfernt);
        EXPECT_EQ(liste->ListCount(), 10 - f.entfernt);
        EXPECT_EQ(sitzung().Geaendert, f.entfernt ? 1 : 0);
        EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"VQuickDel"_s), f.text);
        ASSERT_EQ(plattform->meldungen.size(), 1u);
        EXPECT_EQ(plattform->meldungen[0].titel, u"Adressen löschen."_s);
        if (f.entfernt == 0)
            EXPECT_EQ(plattform->meldungen[0].text, u"Keine Adressen mit »"_s + f.text + u"« gefunden."_s);
        else
            EXPECT_TRUE(plattform->meldungen[0].text.startsWith(QString::number(f.entfernt) + u" Adressen mit »"_s));
        EXPECT_EQ(liste->ListIndex(), liste->ListCount() ? 0 : -1);
        EXPECT_EQ(fenster->statusTexte.back(), u"Bereit"_s);
        if (f.entfernt > 0) {
            EXPECT_TRUE(fenster->statusTexte.contains(QString::number(f.entfernt) + u" Adressen geöscht..."_s));
        }
    }
    // Cancel changes nothing and keeps the stored text.
    plattform->eingaben.enqueue(u"<abbruch>"_s);
    EXPECT_EQ(Adressen_Loeschen_Mit(*liste, *fenster), 0);
    EXPECT_EQ(liste->ListCount(), 10);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"VQuickDel"_s), u"[abc"_s);
}

TEST_F(MassenTest, RufnummernInIniDatei)
{
    liste->AddItem(satzMit({{1, u"Meier"_s},
                            {2, u"Anna"_s},
                            {7, u"+49 (30) 123-45"_s},
                            {8, u"+49 (30) 123-45"_s},
                            {12, u"0171 555"_s},
                            {13, u"keine"_s}}));
    liste->AddItem(satzMit({{13, u"0301"_s}, {10, u"Zeile1\r\nZeile2"_s}}));
    liste->AddItem(satzMit({{1, u"Später"_s}, {12, u"0171-555"_s}}));
    const QString datei = wurzel->temp() + u"/nummern.ini"_s;
    plattform->eingaben.enqueue(datei);
    ASSERT_TRUE(Rufnummern_Exportieren(*liste, *fenster));
    EXPECT_TRUE(plattform->eingabeBoxen.back().pfad) << "the file's name keeps its letters";
    auto wert = [&](const QString& k) { return zcommon::Ini_Lesen(datei, u"Nummern"_s, k, u"<fehlt>"_s); };
    EXPECT_EQ(wert(u"493012345"_s), u"Anna Meier"_s); // phone wins over the equal fax
    EXPECT_EQ(wert(u"0171555"_s), u"Später -Mob"_s);  // the later address wins
    EXPECT_EQ(wert(u"0301"_s), u"Zeile1\r\nZeile2 -2"_s);
    EXPECT_EQ(zcommon::Ini_Schluessel(datei, u"Nummern"_s).size(), 3);
    EXPECT_EQ(zcommon::Ini_Lesen(datei, u"Allgemein"_s, u"Stand"_s), u"02.07.2000 10:30:00"_s);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"VExpRufNameFile"_s), datei);
    EXPECT_EQ(plattform->toene.back(), u"#SystemExclamation"_s);

    // A file below a regular file cannot be written: the test says so first.
    plattform->eingaben.enqueue(datei + u"/unmoeglich.ini"_s);
    EXPECT_FALSE(Rufnummern_Exportieren(*liste, *fenster));
    EXPECT_EQ(plattform->letzteMeldung(), u"Kann in »"_s + datei + u"/unmoeglich.ini« keine Daten schreiben."_s);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"VExpRufNameFile"_s), datei);
}

TEST_F(MassenTest, AdresstabelleAbCursor)
{
    erzeugen(4);
    liste->setList(2, satzMit({{1, u"Mehr"_s}, {3, u"Weg 1\r\nHinterhaus"_s}, {23, u"3"_s}}));
    liste->setListIndex(1);
    const QString kopf = u"Index\tVorname\tNachname\tZusatz\tStraße\tPLZ\tOrt\tLand\t\r\n"_s;
    const QString text = AdressTabelle_InZwischenablage(*liste, *fenster);
    EXPECT_EQ(text, kopf + u"2\tVor1\tName1\t\t\t\tKöln\t\t\r\n"_s + u"3\t\tMehr\t\tWeg 1\r\nHinterhaus\t\t\t\t\r\n"_s +
                        u"4\tVor3\tName3\t\t\t\tKöln\t\t\r\n"_s);
    EXPECT_EQ(plattform->zwischenablage(), text);

    // The last entry selected: caption line and one address.
    liste->setListIndex(3);
    EXPECT_EQ(AdressTabelle_InZwischenablage(*liste, *fenster).count(u"\r\n"_s), 2);

    // Esc stops after the current entry; what was gathered is still copied.
    liste->setListIndex(0);
    QObject::connect(liste.get(), &zadressbuch::AdressListe::auswahlGeaendert,
                     [](int i) { sitzung().LetzteTaste = i == 1 ? 27 : 0; });
    EXPECT_EQ(AdressTabelle_InZwischenablage(*liste, *fenster).count(u"\r\n"_s), 3);
}

// A list whose rows change while a tool walks it (another command ran in the
// pending events) ends the walk cleanly.
TEST_F(MassenTest, GeaenderteListeBeendetDenLauf)
{
    erzeugen(4);
    liste->setListIndex(0);
    QObject::connect(liste.get(), &zadressbuch::AdressListe::auswahlGeaendert, [this](int i) {
        if (i == 1)
            liste->RemoveItem(3);
    });
    EXPECT_EQ(AdressTabelle_InZwischenablage(*liste, *fenster).count(u"\r\n"_s), 3);
    EXPECT_EQ(fenster->statusTexte.back(), u"Bereit"_s);
}

TEST_F(MassenTest, SpezialjobBesuchtAlleUndDenErstenZweimal)
{
    erzeugen(3);
    liste->setListIndex(1);
    fenster->besucht.clear();
    EXPECT_EQ(Spezialjob(*liste, *fenster), 4);
    EXPECT_EQ(fenster->besucht, (QList<int>{2, 0, 1, 2}));
    EXPECT_EQ(fenster->uebernahmen, (QList<int>{1, 1, 1, 1}));
    EXPECT_TRUE(fenster->statusTexte.contains(u"V-Job"_s));

    // A record in an older form is stored back in the card's form.
    liste->setList(0, u"Alt\tName"_s);
    liste->setListIndex(-1);
    Spezialjob(*liste, *fenster);
    EXPECT_EQ(liste->List(0), satzMit({{0, u"Alt"_s}, {1, u"Name"_s}}));

    liste->Clear();
    fenster->uebernahmen.clear();
    EXPECT_EQ(Spezialjob(*liste, *fenster), 0);
    EXPECT_TRUE(fenster->uebernahmen.isEmpty());
}
