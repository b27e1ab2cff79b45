// The main road on the real main window (offscreen), driven through its menu
// entries and the real file chooser: new address, typing, sorting, delete and
// undo, save and exit with the hand-over files, a second start with the same
// data; create, duplicate, open and merge through the chooser; a failed save.
// The rules behind each command are tested on the logic; here only the wiring.
#include "befehle_hilfe.h"

#include "addressbook/adressdatei.h"
#include "addressbook/ui/main.h"
#include "app/zusammenbau.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <unistd.h>

using namespace zadressbuch;
using namespace Qt::StringLiterals;
using zbefehle::File;

namespace {

class Hauptweg : public BefehleTest
{
protected:
    Befehlsregister befehle;
    std::unique_ptr<Main> fenster;

    void SetUp() override
    {
        BefehleTest::SetUp();
        iniSetzen(u"DirData"_s, sitzung().DatenOrdner);
        zapp::Programm_Zusammenbauen(befehle);
    }
    void TearDown() override
    {
        fenster.reset();
        adressliste().Clear();
        BefehleTest::TearDown();
    }

    Main& starten()
    {
        fenster.reset();
        sitzungZuruecksetzen();
        adressliste().Clear();
        // No tip at the first paint: it would wait there, modally.
        iniSetzen(u"AutoTip"_s, u"0"_s);
        fenster = std::make_unique<Main>(befehle);
        fenster->Form_Load();
        fenster->show();
        return *fenster;
    }
    // A menu entry as the user chooses it (disabled entries do nothing).
    void menue(const QString& name)
    {
        QAction* a = fenster->aktion(name);
        ASSERT_NE(a, nullptr) << name.toStdString();
        a->trigger();
    }
    void tippen(int feld, const QString& text)
    {
        QWidget* w = fenster->Feld(feld);
        w->setFocus();
        for (QChar c : text) {
            // Umlauts have key codes of their own (the Latin-1 capital).
            const auto taste =
                Qt::Key(c.unicode() < 0x80 ? int(QTest::asciiToKey(char(c.unicode()))) : c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, w, taste, QString(c), Qt::NoModifier);
        }
    }
    // A menu entry that shows the file chooser, where the given file is picked.
    void menueMitDatei(const QString& eintrag, const QString& datei)
    {
        EXPECT_TRUE(mitDateiwahl([&] { menue(eintrag); },
                                 [&](File& f) {
                                     const auto treffer = f.Datei1->findItems(datei, Qt::MatchFixedString);
                                     ASSERT_EQ(treffer.size(), 1) << datei.toStdString();
                                     f.Datei1->setCurrentItem(treffer.first());
                                     f.BefOk->click();
                                 }));
    }
};

TEST_F(Hauptweg, UeberDieMenuesVomStartBisZumNaechstenStart)
{
    schreiben(u"daten/zettlora.dat"_s, zeilen({u"..Testdatei"_s, satzMit({{Nachname, u"Zander"_s}}),
                                               satzMit({{Nachname, u"Adam"_s}, {Vorname, u"Ida"_s}})}));
    const QString uebergabeIni = wurzel->temp() + u"/Adresse.ini"_s;
    iniSetzen(u"Adr_Speichern_In"_s, wurzel->temp() + u"/Adresse.txt"_s);
    iniSetzen(u"Adr_IniSpeichern_In"_s, uebergabeIni);
    iniSetzen(u"Adr_TeleFormat3&2"_s, u"0"_s);

    Main& m = starten();
    ASSERT_EQ(adressliste().ListCount(), 2);
    EXPECT_EQ(m.windowTitle(), u"Testdatei"_s);

    // New address, typed into the card.
    menue(u"mnuAdrAnlegen"_s);
    ASSERT_EQ(adressliste().ListCount(), 3);
    tippen(Nachname, u"Böhm"_s);
    tippen(Vorname, u"Bärbel"_s);
    tippen(Ort, u"Köln"_s);
    EXPECT_EQ(adressliste().List(2).split(u'\t').mid(1, 5),
              (QStringList{u"Böhm"_s, u"Bärbel"_s, QString(), QString(), u"Köln"_s}));
    EXPECT_EQ(sitzung().Geaendert, 1);

    // Sorted by surname: the umlaut beside its base letter; the new address stays on the card.
    menue(u"mnuSort_1"_s);
    EXPECT_EQ(spalte(adressliste(), Nachname), (QStringList{u"Adam"_s, u"Böhm"_s, u"Zander"_s}));
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Vorname), u"Bärbel"_s);

    // Saved: the file holds the description and the list as it stands.
    menue(u"PulSichern"_s);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(lesen(u"daten/zettlora.dat"_s), zeilen(QStringList{u"..Testdatei"_s} + adressliste().eintraege()));

    // Delete asks; Yes removes and selects the new last address.
    adressliste().setListIndex(2);
    plattform->antworten << zplatform::vbYes;
    menue(u"mnuAdrLoeschen"_s);
    EXPECT_TRUE(plattform->letzteMeldung().contains(u"»Zander«"_s));
    EXPECT_EQ(spalte(adressliste(), Nachname), (QStringList{u"Adam"_s, u"Böhm"_s}));
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Nachname), u"Böhm"_s);

    // Typing, then undo from the menu (enabled when the menu opens) and undo again.
    tippen(Strasse, u"Weg 1"_s);
    const QString getippt = adressliste().List(1);
    sitzung().Geaendert = 0;
    Q_EMIT m.menue(u"PulBearbeiten"_s)->aboutToShow();
    ASSERT_TRUE(m.aktion(u"mnuUndo"_s)->isEnabled());
    menue(u"mnuUndo"_s);
    EXPECT_EQ(m.FeldText(Strasse), QString());
    EXPECT_EQ(FeldAus(adressliste().List(1), Strasse), QString());
    EXPECT_EQ(sitzung().Geaendert, 1);
    menue(u"mnuUndo"_s);
    EXPECT_EQ(adressliste().List(1), getippt);

    // Save and exit: sorted by first name first ("SortAtClose"), saved, the
    // hand-over files written for the address on the card, ended.
    iniSetzen(u"SortAtClose"_s, u"2"_s);
    menue(u"PulEnde"_s);
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(spalte(adressliste(), Vorname), (QStringList{u"Bärbel"_s, u"Ida"_s}));
    EXPECT_EQ(adressliste().ListIndex(), 0);
    const QStringList vorher = adressliste().eintraege();

    const QStringList uebergabe = lesen(u"temp/Adresse.txt"_s).split(u"\r\n"_s);
    ASSERT_EQ(uebergabe.size(), 25);
    EXPECT_EQ(uebergabe.mid(0, 7),
              (QStringList{QString(), u"Böhm"_s, u"Bärbel"_s, u"Weg 1"_s, QString(), u"Köln"_s, QString()}));
    EXPECT_EQ(uebergabe[ErstelltAm], u"02.07.2000"_s);
    EXPECT_EQ(zcommon::Ini_Lesen(uebergabeIni, u"ZuletztNr"_s, u"05"_s), u"Köln"_s);
    EXPECT_EQ(zcommon::Ini_Lesen(uebergabeIni, u"ZuletztBez"_s, u"Vorname"_s), u"Bärbel"_s);

    // The next start finds the same data, the description and the address last shown.
    starten();
    EXPECT_EQ(adressliste().eintraege(), vorher);
    EXPECT_EQ(sitzung().Beschreibung, u"Testdatei"_s);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(fenster->FeldText(Nachname), u"Böhm"_s);
}

TEST_F(Hauptweg, AnlegenOeffnenUndHinzufuegenUeberDieDateiauswahl)
{
    schreiben(u"daten/zettlora.dat"_s, zeilen({u"..Haupt"_s, satzMit({{Nachname, u"Haupt"_s},
                                                                      {Geburtstag, u"15.03.1960"_s},
                                                                      {ErstelltAm, u"01.01.2000"_s},
                                                                      {GeaendertAm, u"02.01.2000"_s}})}));
    Main& m = starten();
    EXPECT_FALSE(m.bezInfo2->text().isEmpty());
    EXPECT_FALSE(m.bezZeit1->text().isEmpty());

    // Create: a name typed into the chooser; the new file of one all-TAB line is loaded.
    EXPECT_TRUE(mitDateiwahl([&] { menue(u"PulAnlegen"_s); },
                             [](File& f) {
                                 QTest::keyClicks(f.Bezeichnung, u"Kunden"_s);
                                 f.BefOk->click();
                             }));
    EXPECT_EQ(sitzung().AdressDateiName, daten(u"Kunden.Dat"_s));
    EXPECT_EQ(lesen(u"daten/Kunden.Dat"_s), zeilen({QString(23, u'\t')}));
    EXPECT_EQ(adressliste().ListCount(), 0);
    // The empty card shows no age and no day counts of the address shown before.
    EXPECT_EQ(m.bezInfo2->text(), QString());
    EXPECT_EQ(m.bezZeit1->text(), QString());
    EXPECT_EQ(m.bezZeit2->text(), QString());

    // Duplicate: the card shows the copy with its own index number.
    menue(u"mnuAdrAnlegen"_s);
    tippen(Nachname, u"Kundin"_s);
    const QString ersterIndex = m.FeldText(Index);
    menue(u"mnuAdrDuplizieren"_s);
    EXPECT_EQ(spalte(adressliste(), Nachname), (QStringList{u"Kundin"_s, u"Kundin"_s}));
    EXPECT_NE(m.FeldText(Index), ersterIndex);
    EXPECT_EQ(m.FeldText(Index), FeldAus(adressliste().List(1), Index));
    menue(u"PulSichern"_s);

    // Open: nothing unsaved, so no question; the file picked in the list is loaded.
    menueMitDatei(u"PulOeffnen"_s, u"zettlora.dat"_s);
    EXPECT_TRUE(plattform->meldungen.empty());
    EXPECT_EQ(m.windowTitle(), u"Haupt"_s);

    // Merge a file of the program folder: the first added address on the card.
    schreiben(u"programm/Import.Dat"_s, zeilen({u"Name;Vorname"_s, u"Meier;Eva"_s}));
    menueMitDatei(u"mnuDateiHinzufuegen"_s, u"Import.Dat"_s);
    EXPECT_EQ(adressliste().eintraege().value(1), u"Meier\tEva"_s);
    EXPECT_EQ(m.FeldText(Nachname), u"Eva"_s); // the fields as they stand, from field 0 on

    // Open with unsaved changes: the question; Yes saves before the other file loads.
    plattform->antworten << zplatform::vbYes;
    menueMitDatei(u"PulOeffnen"_s, u"Kunden.Dat"_s);
    EXPECT_TRUE(plattform->letzteMeldung().startsWith(u"Wollen Sie die Änderungen"_s));
    EXPECT_TRUE(lesen(u"daten/zettlora.dat"_s).contains(u"Meier\tEva"_s));
    EXPECT_EQ(sitzung().AdressDateiName, daten(u"Kunden.Dat"_s));

    // Describe: the new text shows in the caption at once.
    plattform->eingaben << u"Meine Kunden"_s;
    menue(u"mnuDateiBeschreiben"_s);
    EXPECT_EQ(m.windowTitle(), u"Meine Kunden"_s);

    // Exit without saving: ends, writes nothing, releases the file.
    const QString gesichert = lesen(u"daten/Kunden.Dat"_s);
    menue(u"PulAbbruch"_s);
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(lesen(u"daten/Kunden.Dat"_s), gesichert);
    EXPECT_FALSE(Reservierung_Lesen(daten(u"Kunden.Dat"_s)).vorhanden);
}

TEST_F(Hauptweg, MisslungenesSpeichernBehaeltDieAlteDateiUndBeendetNicht)
{
    const QString inhalt = zeilen({u"..Alt"_s, satzMit({{Nachname, u"Alt"_s}})});
    schreiben(u"daten/zettlora.dat"_s, inhalt);
    Main& m = starten();
    menue(u"mnuAdrAnlegen"_s);
    tippen(Nachname, u"Neu"_s);

    // The folder cannot be written: read-only for an ordinary user; for root,
    // who may write there anyway, a folder stands where the new version goes.
    const bool root = ::geteuid() == 0;
    const QString ordner = sitzung().DatenOrdner, sperre = daten(u"zettlora.dat.neu~"_s);
    if (root)
        ASSERT_TRUE(QDir().mkpath(sperre + u"/x"_s));
    else
        QFile::setPermissions(ordner, QFile::ReadOwner | QFile::ExeOwner);

    plattform->antworten << zplatform::vbOK << zplatform::vbNo; // the failure, then "end anyway?" No
    menue(u"PulEnde"_s);
    EXPECT_FALSE(m.beendet());
    EXPECT_EQ(lesen(u"daten/zettlora.dat"_s), inhalt);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(spalte(adressliste(), Nachname), (QStringList{u"Alt"_s, u"Neu"_s}));
    ASSERT_GE(plattform->meldungen.size(), 2u);
    EXPECT_TRUE(plattform->meldungen.end()[-2].text.contains(u"konnte nicht gespeichert werden"_s));
    EXPECT_EQ(plattform->meldungen.back().titel, u"Programm beenden"_s);
    EXPECT_EQ(m.panelText(u"Status"_s), u"Bereit"_s);

    // Closing the window runs the same exit: the window stays.
    plattform->antworten << zplatform::vbOK << zplatform::vbNo;
    EXPECT_FALSE(m.close());
    EXPECT_FALSE(m.beendet());
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(lesen(u"daten/zettlora.dat"_s), inhalt);

    // Once the folder can be written again the same command saves and ends.
    if (root)
        QDir(sperre).removeRecursively();
    else
        QFile::setPermissions(ordner, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    menue(u"PulEnde"_s);
    EXPECT_TRUE(m.beendet());
    EXPECT_TRUE(lesen(u"daten/zettlora.dat"_s).contains(u"\tNeu\t"_s));
}

} // namespace
