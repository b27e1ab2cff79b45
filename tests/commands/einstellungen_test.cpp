// The settings dialog: options round trip, CD-ROM registration, fonts, the
// data-folder move, the field defaults; and the settings-file editor.
#include "befehle_hilfe.h"
#include "modal_hilfe.h"

#include "addressbook/adressdatei.h"
#include "addressbook/befehle.h"
#include "addressbook/dateiini.h"
#include "commands/einstellungen.h"
#include "commands/setupspeziell.h"
#include "commands/ui/einstellbefehle.h"
#include "commands/ui/schriftdialog.h"
#include "commands/ui/setup.h"
#include "commands/ui/setupspeziell.h"
#include "support/fensterattrappe.h"
#include "platform/ordner.h"
#include "support/textpruefung.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSpinBox>

using namespace zbefehle;
using namespace Qt::StringLiterals;
using zadressbuch::sitzung;

namespace {

QString ini(const QString& schluessel)
{
    return zcommon::Ini_Lesen(QString(), QString(), schluessel, u"<fehlt>"_s);
}

class EinstellungenTest : public BefehleTest
{
protected:
    QString cbc() const { return wurzel->programm() + u"/CallByCall.ini"_s; }
};

struct OptionenFall
{
    const char* name;
    QList<std::pair<QString, QString>> gespeichert;
    bool callByCall; // CallByCall.ini has its switch
    int sortIndex, katalogIndex, caseIndex;
    // expected after OK without changes
    QList<std::pair<QString, QString>> erwartet;
};

} // namespace

// Opening and closing without a change writes every option back, mending
// values the boxes cannot show.
TEST_F(EinstellungenTest, OptionenRundlauf)
{
    const OptionenFall faelle[] = {
        {"Vorgaben",
         {},
         false,
         0,
         2,
         0,
         {{u"AuswahlÖffnen"_s, u"0"_s},
          {u"OrtAusPlz"_s, u"1"_s},
          {u"AutoSucheDoppeltenNamen"_s, u"0"_s},
          {u"AutoFormatUCase"_s, u"0"_s},
          {u"AutoFormatTrim"_s, u"0"_s},
          {u"SortAtClose"_s, u"-1"_s},
          {u"KatalogStdLand"_s, u"D-"_s}}},
        {"gesetzt",
         {{u"AuswahlÖffnen"_s, u"1"_s},
          {u"OrtAusPlz"_s, u"0"_s},
          {u"AutoSucheDoppeltenNamen"_s, u"2"_s},
          {u"AutoFormatUCase"_s, u"3"_s},
          {u"AutoFormatTrim"_s, u"-1"_s},
          {u"SortAtClose"_s, u"16"_s},
          {u"KatalogStdLand"_s, u"ch-"_s}},
         true,
         8,
         1,
         3,
         {{u"AuswahlÖffnen"_s, u"1"_s},
          {u"OrtAusPlz"_s, u"0"_s},
          {u"AutoSucheDoppeltenNamen"_s, u"1"_s},
          {u"AutoFormatUCase"_s, u"3"_s},
          {u"AutoFormatTrim"_s, u"1"_s},
          {u"SortAtClose"_s, u"16"_s},
          {u"KatalogStdLand"_s, u"CH-"_s}}},
        {"unbekannt",
         {{u"SortAtClose"_s, u"5"_s}, {u"KatalogStdLand"_s, u"X-"_s}, {u"AutoFormatUCase"_s, u"7"_s}},
         false,
         0,
         0,
         -1,
         {{u"SortAtClose"_s, u"-1"_s}, {u"KatalogStdLand"_s, u"A-"_s}, {u"AutoFormatUCase"_s, u"-1"_s}}},
        {"einstellig", {{u"SortAtClose"_s, u"4"_s}}, false, 0, 2, 0, {{u"SortAtClose"_s, u"-1"_s}}},
    };
    for (const OptionenFall& f : faelle) {
        SCOPED_TRACE(f.name);
        QFile::remove(wurzel->windows() + u"/Zizorud.ini"_s);
        QFile::remove(cbc());
        zcommon::Ini_CacheLeeren();
        for (const auto& [k, v] : f.gespeichert)
            iniSetzen(k, v);
        if (f.callByCall)
            zcommon::Ini_Schreiben(cbc(), u"Allgemein"_s, u"aktiviert"_s, u"0"_s);

        zbefehle::Setup setup(SetupKarte{});
        EXPECT_EQ(setup.kombiSortAtEnd->currentIndex(), f.sortIndex);
        EXPECT_EQ(setup.comboKatalogStdLand->currentIndex(), f.katalogIndex);
        EXPECT_EQ(setup.comboAutoFormatCase->currentIndex(), f.caseIndex);
        EXPECT_EQ(setup.strgCallByCall->isVisibleTo(&setup), f.callByCall);
        EXPECT_EQ(setup.SSTab->currentIndex(), 0);
        setup.close(); // the close box stores like "&Ok"
        for (const auto& [k, v] : f.erwartet)
            EXPECT_EQ(ini(k), v) << k.toStdString();
        EXPECT_EQ(QFile::exists(cbc()), f.callByCall);
        if (f.callByCall) {
            EXPECT_EQ(zcommon::Ini_Lesen(cbc(), u"Allgemein"_s, u"aktiviert"_s), u"0"_s);
        }
    }
}

TEST_F(EinstellungenTest, GeaenderteOptionenWerdenGeschrieben)
{
    zcommon::Ini_Schreiben(cbc(), u"Allgemein"_s, u"aktiviert"_s, u"1"_s);
    zbefehle::Setup setup(SetupKarte{});
    EXPECT_EQ(setup.kombiSortAtEnd->count(), 9);
    EXPECT_EQ(setup.kombiSortAtEnd->itemText(8), u"Änderungsdatum"_s);
    EXPECT_EQ(setup.kombiSortAtEnd->itemData(8).toString(), u"16"_s);
    EXPECT_EQ(setup.comboKatalogStdLand->itemText(0), u"A-"_s);
    setup.StrgAuswahl->setChecked(true);
    setup.StrgOrtPlz->setChecked(false);
    setup.StrgAutoNameDoppelt->setChecked(true);
    setup.comboAutoFormatCase->setCurrentIndex(4);
    setup.strgAutoFormatTrim->setChecked(true);
    setup.kombiSortAtEnd->setCurrentIndex(3);
    setup.comboKatalogStdLand->setCurrentIndex(0);
    setup.strgCallByCall->setChecked(false);
    setup.BefOk->click();
    EXPECT_EQ(setup.result(), QDialog::Accepted);
    EXPECT_EQ(ini(u"AuswahlÖffnen"_s), u"1"_s);
    EXPECT_EQ(ini(u"OrtAusPlz"_s), u"0"_s);
    EXPECT_EQ(ini(u"AutoSucheDoppeltenNamen"_s), u"1"_s);
    EXPECT_EQ(ini(u"AutoFormatUCase"_s), u"4"_s);
    EXPECT_EQ(ini(u"AutoFormatTrim"_s), u"1"_s);
    EXPECT_EQ(ini(u"SortAtClose"_s), u"04"_s);
    EXPECT_EQ(ini(u"KatalogStdLand"_s), u"A-"_s);
    EXPECT_EQ(zcommon::Ini_Lesen(cbc(), u"Allgemein"_s, u"aktiviert"_s), u"0"_s);

    // Reopened, the dialog shows what was written.
    zbefehle::Setup wieder(SetupKarte{});
    EXPECT_TRUE(wieder.StrgAuswahl->isChecked());
    EXPECT_FALSE(wieder.StrgOrtPlz->isChecked());
    EXPECT_EQ(wieder.comboAutoFormatCase->currentIndex(), 4);
    EXPECT_EQ(wieder.kombiSortAtEnd->currentIndex(), 3);
    EXPECT_FALSE(wieder.strgCallByCall->isChecked());
}

TEST_F(EinstellungenTest, CdRomProgrammAnmelden)
{
    zbefehle::Setup setup(SetupKarte{});
    QString titel;
    setup.dateiWaehlen = [&](const CdRomProgramm& p) {
        titel = QString::fromUtf8(p.titel);
        return QString();
    };
    setup.befExtern[3]->click();
    EXPECT_EQ(titel, u"Wo ist das KlickTel 98  Startprogramm?"_s);
    EXPECT_EQ(ini(u"DInfoVer"_s), u"<fehlt>"_s); // cancel writes nothing

    setup.dateiWaehlen = [](const CdRomProgramm&) { return u"/opt/dinfo/start"_s; };
    setup.befExtern[0]->click();
    EXPECT_EQ(ini(u"DInfoPrg"_s), u"/opt/dinfo/start"_s);
    EXPECT_EQ(ini(u"DInfoVer"_s), u"DI2000"_s);
    setup.befExtern[2]->click(); // one registration replaces the other
    EXPECT_EQ(ini(u"DInfoVer"_s), u"KT1999"_s);
    EXPECT_EQ(setup.befExtern[1], nullptr);
}

TEST_F(EinstellungenTest, SchriftUndFarbe)
{
    SetupKarte karte;
    karte.schriftEin = u"Arial;10;0;0;0;0"_s;
    karte.schriftBem = u"Arial;9;0;0;0;0"_s;
    zbefehle::Setup setup(karte);
    // Cancelled: nothing changes.
    EXPECT_TRUE(mitModalDialog<SchriftDialog>([&] { setup.BefSetFont[0]->click(); },
                                              [](SchriftDialog& d) { d.befAbbrechen->click(); }));
    EXPECT_FALSE(setup.schriftenGeaendert());
    // The size is limited to 4..16 points; bold and colour are taken.
    EXPECT_TRUE(mitModalDialog<SchriftDialog>([&] { setup.BefSetFont[1]->click(); },
                                              [](SchriftDialog& d) {
                                                  EXPECT_EQ(d.txtGroesse->minimum(), 4);
                                                  EXPECT_EQ(d.txtGroesse->maximum(), 16);
                                                  d.txtGroesse->setValue(14);
                                                  d.strgFett->setChecked(true);
                                                  d.setFarbe(QColor(0, 0, 255));
                                                  d.befOk->click();
                                              }));
    EXPECT_TRUE(setup.schriftenGeaendert());
    const QStringList teile = setup.karte().schriftBem.split(u';');
    ASSERT_EQ(teile.size(), 6);
    EXPECT_EQ(teile[1], u"14"_s);
    EXPECT_EQ(teile[2], u"-1"_s);
    EXPECT_EQ(teile[5], QString::number(0xFF0000));
    EXPECT_EQ(setup.karte().schriftEin, karte.schriftEin);

    setup.farbeWaehlen = [](qint64 start) {
        EXPECT_EQ(start, 0xFFFFFF);
        return qint64(0x00FFFF);
    };
    setup.BefSetBackCol->click();
    EXPECT_EQ(setup.karte().hintergrund, 0x00FFFF);
}

// The command: the dialog, then the window's settings are stored with the
// chosen fonts and applied.
TEST_F(EinstellungenTest, BefehlSichertUndWendetAn)
{
    zadressbuch::Befehlsregister r;
    Einstellbefehle_Anmelden(r);
    FensterAttrappe fenster;
    EXPECT_TRUE(mitModalDialog<zbefehle::Setup>([&] { r.ausfuehren(zadressbuch::Befehl::mnuSetup, fenster); },
                                                [](zbefehle::Setup& s) {
                                                    s.comboKatalogStdLand->setCurrentIndex(1);
                                                    s.farbeWaehlen = [](qint64) { return qint64(0x123456); };
                                                    s.BefSetBackCol->click();
                                                    s.BefOk->click();
                                                }));
    EXPECT_EQ(ini(u"KatalogStdLand"_s), u"CH-"_s);
    EXPECT_EQ(ini(u"SchriftBackCol"_s), QString::number(0x123456));
    EXPECT_EQ(fenster.einstellungenGesichert, 1);
    EXPECT_EQ(fenster.einstellungenAngewendet, 1);
}

// ---- data folder -----------------------------------------------------------

class DatenOrdnerTest : public EinstellungenTest
{
protected:
    QString neu() const { return wurzel->wurzel() + u"/neu"_s; }
    void dateien()
    {
        schreiben(u"daten/zettlora.dat"_s, u"..Test\r\n"_s);
        schreiben(u"daten/Kunden.Dat"_s, u"x\r\n"_s);
        schreiben(u"daten/Konto_4711.log"_s, u"log\r\n"_s);
        schreiben(u"daten/Brief.msk"_s, u"mask\r\n"_s);
        schreiben(u"daten/Masken.Ini"_s, u"[a]\r\n"_s);
        schreiben(u"daten/LastschriftSammlung.txt"_s, u"ls\r\n"_s);
        schreiben(u"daten/andere.txt"_s, u"bleibt\r\n"_s);
    }
};

TEST_F(DatenOrdnerTest, NichtsGeschiehtOhneNeuenOrdner)
{
    dateien();
    const QString alt = sitzung().DatenOrdner;
    struct Fall
    {
        const char* name;
        QList<int> antworten;
        QString eingabe;
    };
    const Fall faelle[] = {
        {"Abbrechen", {zplatform::vbCancel}, QString()},
        {"leer", {zplatform::vbOK}, u"<abbruch>"_s},
        {"derselbe", {zplatform::vbOK}, alt.toUpper() + u"/"_s},
        {"derselbe mit Backslash", {zplatform::vbOK}, alt + u"\\"_s},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        plattform->meldungen.clear();
        for (int a : f.antworten)
            plattform->antworten.enqueue(a);
        if (!f.eingabe.isNull())
            plattform->eingaben.enqueue(f.eingabe);
        EXPECT_FALSE(DatenOrdner_Verlegen());
        EXPECT_EQ(plattform->meldungen.size(), 1u);
        EXPECT_EQ(sitzung().DatenOrdner, alt);
        EXPECT_EQ(ini(u"DirData"_s), u"<fehlt>"_s);
        EXPECT_TRUE(QFile::exists(daten(u"Kunden.Dat"_s)));
    }
    EXPECT_EQ(plattform->meldungen[0].titel, u"Daten-Ordner verlegen"_s);
    EXPECT_TRUE(plattform->meldungen[0].text.contains(u"»"_s + alt + u"« abgelegt."_s));
}

TEST_F(DatenOrdnerTest, LeererOrdnerGiltAlsFehlschlag)
{
    plattform->antworten.enqueue(zplatform::vbOK);
    plattform->eingaben.enqueue(neu());
    EXPECT_FALSE(DatenOrdner_Verlegen());
    EXPECT_EQ(plattform->meldungen.back().titel, u"Daten-Ordner nicht verlegt"_s);
    EXPECT_EQ(ini(u"DirData"_s), u"<fehlt>"_s);
    EXPECT_NE(sitzung().DatenOrdner, neu());
}

TEST_F(DatenOrdnerTest, VerlegtDatenUndOffeneDatei)
{
    dateien();
    const QString alt = sitzung().DatenOrdner;
    zadressbuch::Reservierung_Schreiben(sitzung().AdressDateiName);
    sitzung().ReservierteDatei = sitzung().AdressDateiName;
    // Unsaved changes are saved before the move.
    liste->AddItem(satzMit({{1, u"Neu"_s}}));
    zadressbuch::adressliste().AddItem(satzMit({{1, u"Gespeichert"_s}}));
    sitzung().Geaendert = 1;
    plattform->antworten.enqueue(zplatform::vbOK);
    plattform->eingaben.enqueue(u"../neu/"_s); // relative to the data folder

    ASSERT_TRUE(DatenOrdner_Verlegen());
    EXPECT_TRUE(plattform->eingabeBoxen.back().pfad) << "the folder keeps its letters";
    EXPECT_EQ(plattform->meldungen.back().text, u"Daten wurden in den Ordner »"_s + neu() + u"« verlegt."_s);
    for (const char* n :
         {"zettlora.dat", "Kunden.Dat", "Konto_4711.log", "Brief.msk", "Masken.Ini", "LastschriftSammlung.txt"}) {
        EXPECT_TRUE(QFile::exists(neu() + u"/"_s + QLatin1String(n))) << n;
        EXPECT_FALSE(QFile::exists(alt + u"/"_s + QLatin1String(n))) << n;
    }
    EXPECT_TRUE(QFile::exists(alt + u"/andere.txt"_s));
    EXPECT_FALSE(QFile::exists(neu() + u"/andere.txt"_s));
    EXPECT_TRUE(lesen(u"neu/zettlora.dat"_s).contains(u"Gespeichert"_s));
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(ini(u"DirData"_s), neu());
    EXPECT_EQ(zcommon::Ini_Lesen(wurzel->programm() + u"/DurIdovi.ini"_s, u"Ordner"_s, u"DirData"_s), neu());
    EXPECT_EQ(sitzung().DatenOrdner, neu());
    EXPECT_EQ(sitzung().MaskenOrdner, neu());
    EXPECT_EQ(sitzung().AdressDateiName, neu() + u"/zettlora.dat"_s);
    EXPECT_EQ(sitzung().ReservierteDatei, neu() + u"/zettlora.dat"_s);
    EXPECT_TRUE(zadressbuch::Reservierung_Lesen(neu() + u"/zettlora.dat"_s).eigene);
    EXPECT_FALSE(zadressbuch::Reservierung_Lesen(alt + u"/zettlora.dat"_s).vorhanden);
}

TEST_F(DatenOrdnerTest, FehlgeschlageneKopieBleibtImAltenOrdner)
{
    dateien();
    // A folder in place of one target file makes its copy fail; the error
    // report's "go on" keeps the original and moves the rest.
    QDir().mkpath(neu() + u"/Kunden.Dat"_s);
    plattform->antworten.enqueue(zplatform::vbOK);
    plattform->eingaben.enqueue(neu());
    plattform->antworten.enqueue(zplatform::vbNo); // Fehler_Melden: do not print -> 5, go on
    const QString alt = sitzung().DatenOrdner;
    ASSERT_TRUE(DatenOrdner_Verlegen());
    EXPECT_EQ(plattform->meldungen.size(), 3u); // question, error report, done
    EXPECT_TRUE(QFileInfo(alt + u"/Kunden.Dat"_s).isFile());
    EXPECT_TRUE(QFileInfo(neu() + u"/Konto_4711.log"_s).isFile());
    EXPECT_FALSE(QFile::exists(alt + u"/Konto_4711.log"_s));
}

// ---- field defaults ------------------------------------------------------------

TEST_F(EinstellungenTest, VorgabenSetzen)
{
    KartenFelder karte;
    for (int i = 0; i < zadressbuch::FeldAnzahl; ++i)
        karte[size_t(i)].bezeichnung = sitzung().Bezeichnungen[size_t(i)];
    karte[5].text = u"  Berlin "_s;
    karte[11].text = u"Zeile 1\r\nZeile 2"_s;
    karte[15].text = u"01.01.2000"_s;
    karte[15].gesperrt = true;
    karte[7].text = u"030"_s;
    karte[7].sichtbar = false;
    zadressbuch::DateiIni_Schreiben(u"Vorgabe_07"_s, u"alt"_s);

    EXPECT_EQ(Vorgaben_Liste(karte), u"* Ort:   Berlin ~* Zusatzbemerkung: Zeile 1 Zeile 2~"_s);
    plattform->antworten.enqueue(zplatform::vbNo);
    EXPECT_FALSE(Vorgaben_Setzen(karte));
    EXPECT_EQ(zadressbuch::DateiIni_Lesen(u"Vorgabe_05"_s, u"<fehlt>"_s), u"<fehlt>"_s);

    plattform->antworten.enqueue(zplatform::vbYes);
    ASSERT_TRUE(Vorgaben_Setzen(karte));
    EXPECT_EQ(plattform->meldungen.back().titel, u"Vorgaben setzen"_s);
    EXPECT_TRUE(
        plattform->meldungen.back().text.startsWith(u"Sollen die folgenden Felder als Vorgaben gesetzt werden?"_s));
    EXPECT_EQ(zadressbuch::DateiIni_Lesen(u"Vorgabe_05"_s), u"Berlin"_s);
    EXPECT_EQ(zadressbuch::DateiIni_Lesen(u"Vorgabe_11"_s), u"Zeile 1\r\nZeile 2"_s);
    EXPECT_EQ(zadressbuch::DateiIni_Lesen(u"Vorgabe_01"_s, u"<fehlt>"_s), QString());    // empty written
    EXPECT_EQ(zadressbuch::DateiIni_Lesen(u"Vorgabe_15"_s, u"<fehlt>"_s), u"<fehlt>"_s); // locked
    EXPECT_EQ(zadressbuch::DateiIni_Lesen(u"Vorgabe_07"_s), u"alt"_s);                   // hidden

    KartenFelder leer;
    plattform->antworten.enqueue(zplatform::vbYes);
    ASSERT_TRUE(Vorgaben_Setzen(leer));
    EXPECT_EQ(plattform->meldungen.back().text, u"Sollen alle Vorgaben gelöscht werden?"_s);
    EXPECT_EQ(zadressbuch::DateiIni_Lesen(u"Vorgabe_05"_s, u"<fehlt>"_s), QString());
}

// ---- settings-file editor -------------------------------------------------------

TEST(SetupSpeziellListen, AbschnitteUndSchluessel)
{
    const QStringList zeilen = {u"vorher=1"_s,        u"[allgemein]"_s, u"a=1"_s,         u"; kommentar=x"_s,
                                u"[Kein] "_s,         u"  b =2"_s,      u"a=3"_s,         u"[zettlora]"_s,
                                u"FirstDataLine=x"_s, u"ohne"_s,        u"[ALLGEMEIN]"_s, u"c=4"_s};
    EXPECT_EQ(SetupSpeziell_Abschnitte(zeilen), (QStringList{u"Allgemein"_s, u"Zettlora"_s, u"Allgemein"_s}));
    // "[Kein] " is no header, so its lines belong to the section before it.
    EXPECT_EQ(SetupSpeziell_Schluessel(zeilen, u"Allgemein"_s),
              (QStringList{u"a"_s, u"; Kommentar"_s, u"  B "_s, u"a"_s, u"C"_s}));
    EXPECT_EQ(SetupSpeziell_Schluessel(zeilen, u"ZETTLORA"_s), (QStringList{u"Firstdataline"_s}));
    EXPECT_TRUE(SetupSpeziell_Schluessel(zeilen, u"fehlt"_s).isEmpty());
}

TEST_F(EinstellungenTest, EditorListenLesenUndSchreiben)
{
    schreiben(u"windows/Zizorud.ini"_s,
              u"[Fragen]\r\nx=1\r\n[zettlora]\r\nsortatclose=16\r\nAutoTip=0\r\n[Allgemein]\r\nLänderHinweis=0\r\n"_s);
    zbefehle::Setup setup(SetupKarte{});
    ASSERT_TRUE(mitModalDialog<SetupSpeziell>(
        [&] { setup.befSetupSpeziell->click(); },
        [&](SetupSpeziell& e) {
            ASSERT_EQ(e.txtDatei->count(), 4);
            EXPECT_TRUE(e.txtDatei->itemText(0).endsWith(u"/Zizorud.ini"_s));
            EXPECT_TRUE(e.txtDatei->itemText(1).endsWith(u"/KontPrn.ini"_s));
            EXPECT_EQ(e.txtDatei->itemText(2), sitzung().ProgrammIni());
            EXPECT_TRUE(e.txtDatei->itemText(3).endsWith(u"/Vorlagen.ini"_s));
            QStringList abschnitte, schluessel;
            for (int i = 0; i < e.txtAbschnitt->count(); ++i)
                abschnitte << e.txtAbschnitt->itemText(i);
            for (int i = 0; i < e.txtSchluessel->count(); ++i)
                schluessel << e.txtSchluessel->itemText(i);
            EXPECT_EQ(abschnitte, (QStringList{u"Allgemein"_s, u"Fragen"_s, u"Zettlora"_s}));
            EXPECT_EQ(e.txtAbschnitt->currentText(), u"Zettlora"_s);
            EXPECT_EQ(schluessel, (QStringList{u"Autotip"_s, u"FirstDataLine"_s, u"ImmerKlein"_s, u"Sortatclose"_s}));

            // Reading a key listed with other case finds its value.
            e.txtSchluessel->setEditText(u"Sortatclose"_s);
            e.befLesen[0]->click();
            EXPECT_EQ(e.txtEintrag->currentText(), u"16"_s);
            ASSERT_EQ(e.txtEintrag->count(), 2);
            EXPECT_EQ(e.txtEintrag->itemText(0), QString());
            // Writing a new key adds it to the file; the key list follows on the next choice.
            e.txtSchluessel->setEditText(u"NeuerWert"_s);
            e.txtEintrag->setEditText(u"  abc  "_s);
            e.befLesen[1]->click();
            EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), u"NeuerWert"_s), u"abc"_s);
            // Another section rebuilds the key list.
            e.txtAbschnitt->setCurrentIndex(0);
            e.txtAbschnitt_Click();
            EXPECT_EQ(e.txtSchluessel->count(), 1);
            EXPECT_EQ(e.txtSchluessel->itemText(0), u"Länderhinweis"_s);
            // Empty key: a message, nothing read.
            const size_t vorher = plattform->meldungen.size();
            e.txtSchluessel->setEditText(QString());
            e.befLesen[0]->click();
            ASSERT_EQ(plattform->meldungen.size(), vorher + 1);
            EXPECT_EQ(plattform->meldungen.back().text, u"Kein Schlüssel angegeben."_s);
            EXPECT_EQ(plattform->meldungen.back().titel, u"Setup speziell"_s);
            e.befAbbrechen->click();
        }));
}

// KontPrn.ini with a preset for each of ten thousand jobs, saved by an editor
// as UTF-8: the editor lists every section once, sorted, read as written.
TEST_F(EinstellungenTest, EditorMitVielenAbschnittenUndMarke)
{
    QByteArray inhalt = "\xEF\xBB\xBF";
    for (int i = 9999; i >= 0; --i)
        inhalt += QStringLiteral("[Auftrag_%1]\r\nDrucker=PDF\r\n").arg(i, 5, 10, QLatin1Char('0')).toUtf8();
    inhalt += u"[Zettlora]\r\nMaße=1\r\n"_s.toUtf8();
    {
        QFile f(zplatform::windowsOrdner() + u"/KontPrn.ini"_s);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(inhalt);
    }
    zbefehle::Setup setup(SetupKarte{});
    ASSERT_TRUE(mitModalDialog<SetupSpeziell>([&] { setup.befSetupSpeziell->click(); },
                                              [&](SetupSpeziell& e) {
                                                  e.txtDatei->setCurrentIndex(1);
                                                  e.txtDatei_Click();
                                                  ASSERT_EQ(e.txtAbschnitt->count(), 10001);
                                                  EXPECT_EQ(e.txtAbschnitt->itemText(0), u"Auftrag_00000"_s);
                                                  EXPECT_EQ(e.txtAbschnitt->itemText(9999), u"Auftrag_09999"_s);
                                                  EXPECT_EQ(e.txtAbschnitt->currentText(), u"Zettlora"_s);
                                                  ASSERT_EQ(e.txtSchluessel->count(), 1);
                                                  EXPECT_EQ(e.txtSchluessel->itemText(0), u"Maße"_s);
                                                  e.befAbbrechen->click();
                                              }));
}

// With the program's font every path of the file list and every button
// caption of the editor shows whole.
TEST_F(EinstellungenTest, EditorZeigtPfadeUndKnoepfeGanz)
{
    const QFont vorher = QApplication::font();
    QApplication::setFont(QFont(u"Arial"_s, 8));
    zbefehle::Setup setup(SetupKarte{});
    ASSERT_TRUE(mitModalDialog<SetupSpeziell>([&] { setup.befSetupSpeziell->click(); },
                                              [&](SetupSpeziell& e) {
                                                  QApplication::processEvents();
                                                  for (int i = 0; i < e.txtDatei->count(); ++i) {
                                                      e.txtDatei->setCurrentIndex(i);
                                                      EXPECT_GE(e.txtDatei->width(), e.txtDatei->sizeHint().width());
                                                  }
                                                  const QStringList befunde = textpruefung::abgeschnitteneTexte(&e);
                                                  EXPECT_TRUE(befunde.isEmpty()) << befunde.join(u'\n').toStdString();
                                                  e.befAbbrechen->click();
                                              }));
    QApplication::setFont(vorher);
}
