// The file menu: merge, create, open, describe, save and the two exits.
#include "befehle_hilfe.h"

#include "addressbook/adressdatei.h"
#include "addressbook/dateiini.h"
#include "commands/dateibefehle.h"
#include "platform/ordner.h"

using namespace zbefehle;
using namespace Qt::StringLiterals;
using zadressbuch::FeldAus;
using zadressbuch::Reservierung_Lesen;
using zadressbuch::sitzung;

namespace {

const QString Tabs23 = QString(23, QLatin1Char('\t'));

} // namespace

namespace zbefehle {
// What the commands hand the chooser, compared and printed whole.
bool operator==(const DateiWahl& a, const DateiWahl& b)
{
    return a.vorschlag == b.vorschlag && a.kuerzel == b.kuerzel && a.laden == b.laden && a.ordner == b.ordner;
}
void PrintTo(const DateiWahl& w, std::ostream* os)
{
    *os << (w.laden ? "laden " : "speichern ") << w.kuerzel.toStdString() << " in " << w.ordner.toStdString()
        << ", Vorschlag " << w.vorschlag.toStdString();
}
} // namespace zbefehle

namespace {

class DateibefehleTest : public BefehleTest
{
protected:
    DateiWaehler waehler; // the file chooser: notes the wishes, answers from antworten
    void SetUp() override
    {
        BefehleTest::SetUp();
        waehler = [this](const DateiWahl& w) {
            wahlen.push_back(w);
            return antworten.isEmpty() ? QString() : antworten.takeFirst();
        };
        // The window's load: the file and the remembered position.
        fenster.beimLaden = [this] {
            const bool ok = zadressbuch::Daten_Laden(*liste);
            liste->setListIndex(zadressbuch::ListenPos_Laden(liste->ListCount()));
            return ok;
        };
    }

    // Writes an address file into the data folder and loads it.
    void oeffnen(const QString& name, const QString& inhalt)
    {
        schreiben(u"daten/"_s + name, inhalt);
        sitzung().AdressDateiName = daten(name);
        ASSERT_TRUE(zadressbuch::Daten_Laden(*liste));
        liste->setListIndex(liste->ListCount() > 0 ? 0 : -1);
    }
    // The open address file (by default zettlora.dat) with one address "Alt", then
    // changed in the list to the given surname; gives the file's text.
    QString geaendert(const QString& nachname, const QString& datei = u"zettlora.dat"_s)
    {
        const QString inhalt = zeilen({satzMit({{1, u"Alt"_s}})});
        oeffnen(datei, inhalt);
        liste->setList(0, satzMit({{1, nachname}}));
        sitzung().Geaendert = 1;
        return inhalt;
    }

    std::vector<DateiWahl> wahlen;
    QStringList antworten; // what the chooser returns, in order ("" = cancel)
};

} // namespace

TEST(Zusammenfuehren, ZeilenWerdenZuEintraegen)
{
    const QString a = satzMit({{0, u"Firma"_s}, {1, u"Müller; Söhne"_s}, {11, u"a;b°°c"_s}});
    const QString nurDaten = satzMit({{15, u"1.1.2000"_s}, {16, u"2.2.2000"_s}, {23, u"7"_s}});
    // {line, entry}; entry "-": the line gives no address.
    const std::pair<QString, QString> faelle[] = {
        {u"Meier;Hans;Weg 1"_s, u"Meier\tHans\tWeg 1"_s},
        {u";Wort"_s, u" \tWort"_s},                // a leading TAB gets a blank in front
        {u""_s, u"-"_s},                           // empty line
        {u";;;"_s, u"-"_s},                        // fields all empty
        {nurDaten, u"-"_s},                        // dates and index only
        {u"Zeile\rZwei;x"_s, u"Zeile°°Zwei\tx"_s}, // a lone CR in a field
        {a, a},                                    // a record: its ";" stay, no field moves
    };
    QStringList zeilen{u"Kopf;wird;verworfen"_s}, erwartet;
    for (const auto& [zeile, eintrag] : faelle) {
        zeilen << zeile;
        if (eintrag != u"-"_s)
            erwartet << eintrag;
    }
    EXPECT_EQ(Zusammenfuehren_Zeilen(zeilen), erwartet);
    EXPECT_TRUE(Zusammenfuehren_Zeilen({u"Meier;Hans"_s}).isEmpty()); // the first line is always dropped
}

TEST_F(DateibefehleTest, HinzufuegenAusDemProgrammordner)
{
    liste->AddItem(satzMit({{1, u"Alt"_s}}));
    liste->setListIndex(0);
    sitzung().Geaendert = 0;
    schreiben(u"programm/Import.Dat"_s, zeilen({u"Kopf;wird;verworfen"_s, u"Meier;Hans;Weg 1"_s, u";Wort"_s}));
    antworten << wurzel->programm() + u"/Import.Dat"_s;

    const ZusammenfuehrErgebnis e = Datei_Hinzufuegen(*liste, waehler);
    EXPECT_EQ(wahlen,
              (std::vector<DateiWahl>{{sitzung().AdressDateiName, u"Dat"_s, true, zplatform::programmOrdner()}}));
    EXPECT_TRUE(e.gelesen);
    EXPECT_EQ(e.hinzugefuegt, 2);
    EXPECT_EQ(spalte(*liste, 1), (QStringList{u"Alt"_s, u"Hans"_s, u"Wort"_s}));
    EXPECT_EQ(liste->ListIndex(), 1); // the first added address is shown
    EXPECT_EQ(sitzung().Geaendert, 1);

    // A file that cannot be read adds nothing but still sets the flag.
    liste->setListIndex(0);
    sitzung().Geaendert = 0;
    const ZusammenfuehrErgebnis f = Datei_Zusammenfuehren(*liste, wurzel->programm() + u"/fehlt.dat"_s);
    EXPECT_FALSE(f.gelesen);
    EXPECT_EQ(liste->ListCount(), 3);
    EXPECT_EQ(liste->ListIndex(), 0);
    EXPECT_EQ(sitzung().Geaendert, 1);
}

TEST_F(DateibefehleTest, HinzufuegenHaeltDieGrenzeVon32000)
{
    QStringList voll;
    for (int i = 0; i < zadressbuch::MaxAdressen - 1; ++i)
        voll << satzMit({{1, QString::number(i)}});
    liste->setEintraege(voll);
    schreiben(u"programm/drei.dat"_s, zeilen({u"Kopf"_s, u"a;1"_s, u"b;2"_s, u"c;3"_s}));
    const ZusammenfuehrErgebnis e = Datei_Zusammenfuehren(*liste, wurzel->programm() + u"/drei.dat"_s);
    EXPECT_EQ(e.hinzugefuegt, 1);
    EXPECT_TRUE(e.abgeschnitten);
    EXPECT_EQ(liste->ListCount(), zadressbuch::MaxAdressen);
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_TRUE(plattform->letzteMeldung().endsWith(u"Die letzten Adressen sind nicht hinzugefügt worden!"_s));

    // Exactly one line into one free place: no message.
    liste->setEintraege(voll);
    plattform->meldungen.clear();
    schreiben(u"programm/eins.dat"_s, zeilen({u"Kopf"_s, u"a;1"_s}));
    const ZusammenfuehrErgebnis e2 = Datei_Zusammenfuehren(*liste, wurzel->programm() + u"/eins.dat"_s);
    EXPECT_EQ(e2.hinzugefuegt, 1);
    EXPECT_FALSE(e2.abgeschnitten);
    EXPECT_TRUE(plattform->meldungen.empty());
}

TEST_F(DateibefehleTest, AnlegenHaengtDieLeereZeileAnUndLaedt)
{
    oeffnen(u"zettlora.dat"_s, zeilen({u"..Start"_s, satzMit({{1, u"Alt"_s}})}));
    const QString alt = sitzung().AdressDateiName;
    ASSERT_TRUE(Reservierung_Lesen(alt).vorhanden);

    // Cancelled in the chooser: nothing changes.
    antworten << QString();
    EXPECT_FALSE(Datei_Anlegen(*liste, fenster, waehler));
    EXPECT_EQ(wahlen, (std::vector<DateiWahl>{{QString(), u"Dat"_s, false, sitzung().DatenOrdner}}));
    EXPECT_EQ(sitzung().AdressDateiName, alt);
    EXPECT_EQ(liste->ListCount(), 1);

    // An existing file without a last line break gets one before the new line.
    const QString a = satzMit({{0, u" "_s}, {1, u"Kunde"_s}});
    schreiben(u"daten/kunden.dat"_s, u"..Kunden\r\n"_s + a);
    antworten << daten(u"kunden.dat"_s);
    ASSERT_TRUE(Datei_Anlegen(*liste, fenster, waehler));
    EXPECT_EQ(lesen(u"daten/kunden.dat"_s), zeilen({u"..Kunden"_s, a, Tabs23}));
    EXPECT_EQ(sitzung().AdressDateiName, daten(u"kunden.dat"_s));
    EXPECT_EQ(liste->eintraege(), QStringList{a});
    EXPECT_EQ(sitzung().Beschreibung, u"Kunden"_s);
    // The old file's reservation is released as opening another file does.
    EXPECT_FALSE(Reservierung_Lesen(alt).vorhanden);

    // A new file holds just the line; the list is empty.
    antworten << daten(u"Neu.Dat"_s);
    ASSERT_TRUE(Datei_Anlegen(*liste, fenster, waehler));
    EXPECT_EQ(lesen(u"daten/Neu.Dat"_s), zeilen({Tabs23}));
    EXPECT_EQ(liste->ListCount(), 0);
    EXPECT_EQ(liste->ListIndex(), -1);

    // A file ending in LF only: no second line break.
    schreiben(u"daten/lf.dat"_s, u"a\n"_s);
    EXPECT_TRUE(Leerzeile_Anhaengen(daten(u"lf.dat"_s)));
    EXPECT_EQ(lesen(u"daten/lf.dat"_s), u"a\n"_s + Tabs23 + u"\r\n"_s);
}

TEST_F(DateibefehleTest, OeffnenMitNeinSchreibtDieAlteDateiNicht)
{
    const QString inhalt = geaendert(u"Geändert"_s, u"Kunden-Mai.Dat"_s);
    schreiben(u"daten/andere.dat"_s, zeilen({satzMit({{1, u"Andere"_s}})}));

    // No, then cancel in the chooser: the changes stay in the list. The
    // question names the file as it is spelled.
    plattform->antworten << zplatform::vbNo;
    antworten << QString();
    EXPECT_FALSE(Datei_Oeffnen(*liste, fenster, waehler));
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].text,
              u"Wollen Sie die Änderungen in »"_s + daten(u"Kunden-Mai.Dat"_s) + u"« speichern?"_s);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(FeldAus(liste->List(0), 1), u"Geändert"_s);

    // No, then a file: the old file is not written, the other one is loaded.
    plattform->antworten << zplatform::vbNo;
    antworten << daten(u"andere.dat"_s);
    ASSERT_TRUE(Datei_Oeffnen(*liste, fenster, waehler));
    EXPECT_EQ(lesen(u"daten/Kunden-Mai.Dat"_s), inhalt);
    EXPECT_EQ(sitzung().AdressDateiName, daten(u"andere.dat"_s));
    EXPECT_EQ(spalte(*liste, 1), QStringList{u"Andere"_s});
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(wahlen.back(), (DateiWahl{daten(u"Kunden-Mai.Dat"_s), u"Dat"_s, true, sitzung().DatenOrdner}));
}

TEST_F(DateibefehleTest, OeffnenNachMisslungenemSpeichernBleibtBeiDerDatei)
{
    geaendert(u"Zhōu"_s); // a character Windows-1252 cannot hold makes the save fail
    plattform->antworten << zplatform::vbYes;
    antworten << daten(u"andere.dat"_s);
    EXPECT_FALSE(Datei_Oeffnen(*liste, fenster, waehler));
    EXPECT_TRUE(wahlen.empty());
    EXPECT_EQ(sitzung().AdressDateiName, daten(u"zettlora.dat"_s));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(FeldAus(liste->List(0), 1), u"Zhōu"_s);
}

TEST_F(DateibefehleTest, BeschreibenAendertNurMitText)
{
    const int& titel = fenster.titelGesetzt;
    sitzung().Beschreibung = u"Alt"_s;
    sitzung().Geaendert = 0;
    plattform->eingaben << u"<abbruch>"_s;
    EXPECT_FALSE(Datei_Beschreiben(fenster));
    EXPECT_EQ(sitzung().Beschreibung, u"Alt"_s);
    EXPECT_EQ(sitzung().Geaendert, 0);

    plattform->eingaben << u"Kunden 2000"_s;
    EXPECT_TRUE(Datei_Beschreiben(fenster));
    EXPECT_EQ(sitzung().Beschreibung, u"Kunden 2000"_s);
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(titel, 1);
    EXPECT_EQ(plattform->eingabePrompts.back(),
              u"Geben Sie bitte eine Beschreibung für »"_s + sitzung().AdressDateiName + u"« ein."_s);
}

TEST_F(DateibefehleTest, SpeichernUndBeendenSortiertSpeichertUndGibtFrei)
{
    const QString zett = satzMit({{0, u" "_s}, {1, u"Zett"_s}});
    const QString adam = satzMit({{0, u" "_s}, {1, u"Adam"_s}});
    oeffnen(u"zettlora.dat"_s, zeilen({u"..Liste"_s, zett, adam}));
    // Only the program's own setting counts, not the file's section.
    iniSetzen(u"SortAtClose"_s, u"1"_s);
    zadressbuch::DateiIni_Schreiben(u"SortAtClose"_s, u"-1"_s);
    QStringList schritte;
    status.clear();

    EXPECT_TRUE(Programm_Beenden(*liste, fenster, true, true, [&] {
        schritte << u"Einstellungen "_s + QString::number(fenster.einstellungenGesichert);
        schritte << u"Uebergabe"_s;
    }));
    EXPECT_EQ(lesen(u"daten/zettlora.dat"_s), zeilen({u"..Liste"_s, adam, zett}));
    EXPECT_EQ(schritte, (QStringList{u"Einstellungen 1"_s, u"Uebergabe"_s})) << "settings first, then the hand-over";
    const QStringList ende = status.mid(status.indexOf(u"Beende Programm...DataSave"_s));
    EXPECT_EQ(ende, (QStringList{u"Beende Programm...DataSave"_s, u"Beende Programm...IniSave"_s,
                                 u"Beende Programm...ExternSave"_s, u"Beende Programm...Das wars"_s}));
    EXPECT_FALSE(Reservierung_Lesen(daten(u"zettlora.dat"_s)).vorhanden);
}

TEST_F(DateibefehleTest, BeendenNachMisslungenemSpeichernFragt)
{
    geaendert(u"Zhōu"_s);
    const int& einstellungen = fenster.einstellungenGesichert;

    // The failure message, then the window's question; No keeps the program running.
    fenster.trotzFehlerBeenden = false;
    EXPECT_FALSE(Programm_Beenden(*liste, fenster, true));
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(status.back(), u"Bereit"_s);
    EXPECT_EQ(einstellungen, 0);
    EXPECT_TRUE(Reservierung_Lesen(daten(u"zettlora.dat"_s)).vorhanden);

    // Without anybody to ask (the idle exit) it does not end either.
    plattform->meldungen.clear();
    fenster.trotzFehlerBeenden = true;
    EXPECT_FALSE(Programm_Beenden(*liste, fenster, true, false));
    EXPECT_EQ(plattform->meldungen.size(), 1u); // only the failure message

    // Yes to the window's question ends.
    EXPECT_TRUE(Programm_Beenden(*liste, fenster, true));
    EXPECT_EQ(einstellungen, 1);
}

TEST_F(DateibefehleTest, BeendenOhneSpeichernSchreibtNichts)
{
    const QString inhalt = geaendert(u"Neu"_s);
    EXPECT_TRUE(Programm_Beenden(*liste, fenster, false));
    EXPECT_EQ(lesen(u"daten/zettlora.dat"_s), inhalt);
    EXPECT_FALSE(Reservierung_Lesen(daten(u"zettlora.dat"_s)).vorhanden);
}
