// Start-up of the real main window: the fixed order of its steps, the
// command line's "Datei=" and "Suche=", what the load steps set up, the end by
// a configuration job or a second instance, the actions of the first paint,
// and the splash before it. The steps' rules are tested in start_test.cpp.
#include "main_hilfen.h"

#include "addressbook/fenstereinstellungen.h"
#include "addressbook/start.h"
#include "addressbook/suche.h"
#include "addressbook/ui/titel.h"
#include "common/start.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLockFile>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

using namespace zadressbuch;
using main_test::einstellung;
using main_test::Handler;
using main_test::zeile;

namespace {

class MainStart : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        zcommon::Benutzer_Zuruecksetzen();
        zcommon::Instanz_Freigeben();
    }
    // Lets the search delay run out.
    bool sucheAbwarten()
    {
        return QTest::qWaitFor([this] { return !fenster->zeitSuche()->aktiv(); }, 3000);
    }
    QString sperre() const { return wurzel.windows() + u"/Zettlora.lock"_s; }
    // Paints the window now and runs what the paint queued (the first paint's
    // dialogs come queued after it), so nothing of it is still to come.
    static void ersterAnstrichAbwarten(Main& m)
    {
        m.repaint();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
};

TEST_F(MainStart, DieSchritteLaufenInIhrerFestenReihenfolge)
{
    adressdatei({u"..Start"_s, zeile({{1, u"Erste"_s}})});
    Main& m = starten({u"Suche=Erste"_s});
    EXPECT_EQ(m.startProtokoll(), (QStringList{u"Laendereinstellung"_s,
                                               u"Konfiguration"_s,
                                               u"Instanz"_s,
                                               u"Statistik"_s,
                                               u"Uhr"_s,
                                               u"Pfade"_s,
                                               u"MenuePopUp"_s,
                                               u"TkAnlage"_s,
                                               u"DokumentSymbol"_s,
                                               u"Bezeichnungen"_s,
                                               u"Rahmen"_s,
                                               u"Uebergabe"_s,
                                               u"Vorlagen"_s,
                                               u"KarteLeeren"_s,
                                               u"Feldtrenner"_s,
                                               u"Status"_s,
                                               u"Logo"_s,
                                               u"TabStops"_s,
                                               u"Kommandozeile"_s,
                                               u"DatenLaden"_s,
                                               u"Einstellungen"_s,
                                               u"Suche"_s}));
    EXPECT_FALSE(m.beendet());
    EXPECT_TRUE(m.ZeitTimeOut->isActive());
    // What the steps left behind.
    EXPECT_EQ(ini(u"Starts"_s, u"Statistik"_s), u"1"_s);
    EXPECT_TRUE(QFile::exists(sperre())) << "this run holds the guard";
    EXPECT_EQ(panel("Datum"), u" 02.07.2000 "_s);
    EXPECT_EQ(panel("Status"), u"Bereit"_s);
    EXPECT_EQ(sitzung().PopupFeldIndex, -1);
    EXPECT_EQ(m.Liste->delegate()->tabStops(), (QVector<int>{83, 233, 363, 523, 558, 658, 758, 858, 958, 1058}));
    EXPECT_FALSE(m.aktion(u"mnuExportTKAnlage"_s)->isVisible()) << "no telephone system set up";
    EXPECT_FALSE(m.aktion(u"mnuDocErstellen"_s)->isVisible()) << "no Vorlagen.ini";
    EXPECT_TRUE(m.ImgLogo->isHidden());
    EXPECT_EQ(m.TxtSuche->text(), u"Erste"_s) << "the search text comes last, after the emptied card";

    // Quitting releases the guard: a later start is no second instance.
    m.befehlAusfuehren(Befehl::PulAbbruch);
    EXPECT_TRUE(m.beendet());
    QLockFile neu(sperre());
    EXPECT_TRUE(neu.tryLock(0));
}

TEST_F(MainStart, LadeschritteRichtenMenuesSymbolLogoUndUebergabeEin)
{
    adressdatei({u"..Start"_s, zeile({{1, u"Erste"_s}})});
    einstellung(u"Tk-Anlage"_s, u"Tiptel 2"_s, wurzel.programm() + u"/Export_Tk-Anlage.ini"_s, u"Allgemein"_s);
    einstellung(u"Doc"_s, u"x.doc"_s, {}, u"Verknüpfung"_s);
    wurzel.schreiben(u"programm/vorlagen.INI"_s, u"[Vorlagen]\r\n"_s);
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(wurzel.programm() + u"/logo.bmp"_s, "BMP"));
    wurzel.schreiben(u"windows/TmpAdrDoc.Tmp"_s, u"[ZuletztNr]\r\n01=Alt\r\n"_s); // left by an earlier run

    Main& m = starten();
    EXPECT_EQ(m.aktion(u"mnuExportTKAnlage"_s)->text(), u"Kurzwahl-Speicher für Tiptel 2 !!! ..."_s);
    EXPECT_TRUE(m.aktion(u"mnuExportTKAnlage"_s)->isVisible());
    EXPECT_FALSE(m.befSymbol(46)->isHidden());
    EXPECT_TRUE(m.aktion(u"mnuDocErstellen"_s)->isVisible()) << "Vorlagen.ini in any case of its name";
    EXPECT_FALSE(m.ImgLogo->isHidden()) << "Logo.Bmp in any case of its name";
    EXPECT_FALSE(m.ImgLogo->pixmap().isNull());
    EXPECT_EQ(wurzel.lesen(u"windows/TmpAdrDoc.Tmp"_s), u"[ZuletztNr]\r\n99=ja\r\n"_s);
    EXPECT_EQ(startDateien().UebergabeIniDatei, wurzel.windows() + u"/TmpAdrDoc.Tmp"_s);
}

TEST_F(MainStart, DateiUndSucheWaehlenDieErsteTreffendeAdresse)
{
    // The file on disk in capitals; the remembered position lies behind the
    // first match, and another match follows it.
    adressdatei({u"..Kunden"_s, zeile({{1, u"Adam"_s}}), zeile({{1, u"Meier"_s}, {2, u"Hans"_s}}),
                 zeile({{1, u"Zeta"_s}}), zeile({{1, u"Berta"_s}}), zeile({{1, u"Meierhof"_s}})},
                u"KUNDEN.DAT"_s);
    adressdatei({u"..Standard"_s, zeile({{1, u"Meier Standard"_s}})});
    einstellung(ListenPos_Schluessel(zcommon::Benutzer_Ermitteln(), wurzel.programm() + u"/KUNDEN.DAT"_s), u"3"_s);

    Main& m = starten({u"Datei=Kunden"_s, u"Suche=Meier"_s});
    EXPECT_TRUE(plattform.meldungen.empty());
    EXPECT_EQ(sitzung().AdressDateiName, wurzel.programm() + u"/KUNDEN.DAT"_s);
    ASSERT_EQ(adressliste().ListCount(), 5);
    EXPECT_EQ(adressliste().ListIndex(), 3) << "the remembered address first";
    EXPECT_TRUE(m.zeitSuche()->aktiv()) << "the search runs after the load handler";
    // "Suche=" ticks the reduced search.
    EXPECT_TRUE(m.checkSuche->isChecked());
    EXPECT_EQ(m.Rahmen(0)->title(), u"Suche ohne Sonderz."_s);

    ASSERT_TRUE(sucheAbwarten());
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Nachname), u"Meier"_s);
    EXPECT_EQ(sitzung().UndoKopie, eintrag(1));
    EXPECT_EQ(panel("Status"), u"Bereit"_s);
    // The next search (Enter) goes on from there as usual.
    QTest::keyClick(m.TxtSuche, Qt::Key_Return);
    EXPECT_EQ(adressliste().ListIndex(), 4);
}

TEST_F(MainStart, FehlendeDateiMeldetUndNimmtDieStandarddatei)
{
    adressdatei({u"..Standard"_s, zeile({{1, u"Adam"_s}}), zeile({{1, u"Meier"_s}})});
    // The chooser is wanted at the first paint, but "Datei=" keeps it away; no tip either.
    einstellung(u"AuswahlÖffnen"_s, u"1"_s);
    einstellung(u"AutoTip"_s, u"0"_s);
    const Handler erster({u"PulOeffnen_Click"_s, u"mnuTips_Click"_s});

    Main& m = starten({u"Datei=C:\\Daten\\Lieferanten.alt.dat"_s, u"Suche=meier"_s});
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text,
              u"Angegebene Datei LIEFERANTEN.DAT nicht gefunden.\r\nBenutze Standarddatei."_s);
    EXPECT_EQ(plattform.toene.value(0), u"#SystemExclamation"_s);
    EXPECT_EQ(sitzung().AdressDateiName, wurzel.programm() + u"/zettlora.dat"_s);
    ASSERT_TRUE(sucheAbwarten());
    EXPECT_EQ(m.FeldText(Nachname), u"Meier"_s);
    ersterAnstrichAbwarten(m);
    EXPECT_TRUE(erster.reihenfolge.isEmpty());
}

TEST_F(MainStart, ErsterAnstrichBietetDateiwahlUndTippEinmal)
{
    adressdatei({u"..A"_s, zeile({{1, u"X"_s}})});
    einstellung(u"AuswahlÖffnen"_s, u"1"_s);
    tippBeimStart = true;
    const Handler erster({u"PulOeffnen_Click"_s, u"mnuTips_Click"_s});
    Main& m = starten();
    EXPECT_TRUE(QTest::qWaitFor([&] { return erster.reihenfolge.size() >= 2; }, 2000));
    m.resize(m.width() + 20, m.height());
    ersterAnstrichAbwarten(m);
    EXPECT_EQ(erster.reihenfolge, (QStringList{u"PulOeffnen_Click"_s, u"mnuTips_Click"_s}));
}

TEST_F(MainStart, KonfigurationsauftragBeendetDasProgramm)
{
    adressdatei({u"..A"_s, zeile({{1, u"X"_s}})});
    wurzel.schreiben(u"programm/Adapter.Cfg"_s, u"[Zizorud.ini]\r\nAutoTip=0\r\n[Adapter]\r\nBeenden=1\r\n"_s);
    tippBeimStart = true; // the job's own setting is looked for
    Main& m = starten();
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(m.startProtokoll().last(), u"Konfiguration"_s);
    EXPECT_EQ(adressliste().ListCount(), 0) << "nothing loaded";
    EXPECT_EQ(ini(u"AutoTip"_s), u"0"_s) << "the job ran";
}

TEST_F(MainStart, ZweiteInstanzBittetDieErsteNachVorneUndEndet)
{
    adressdatei({u"..A"_s, zeile({{1, u"X"_s}})});
    QLockFile andere(sperre());
    ASSERT_TRUE(andere.tryLock(0));
    Main& m = starten();
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(m.startProtokoll().last(), u"Instanz"_s);
    EXPECT_TRUE(QFile::exists(wurzel.windows() + u"/Zettlora.aktivieren"_s));
    EXPECT_EQ(ini(u"Starts"_s, u"Statistik"_s), u"<fehlt>"_s);
}

TEST_F(MainStart, Titel_ErsterTickZeigtDasHauptfensterZweiterSchliesstDenTitel)
{
    adressdatei({u"..Start"_s, zeile({{1, u"Erste Adresse"_s}})});
    einstellung(u"TitelAus"_s, u"0"_s);
    if (Titel::systemLaufzeit() >= 0 && Titel::systemLaufzeit() < 40)
        GTEST_SKIP() << "the system has just started: the splash goes at once";
    befehle = std::make_unique<zadressbuch::Befehlsregister>();
    Titel titel(*befehle, QStringList{u"readonly"_s});
    EXPECT_EQ(titel.objectName(), u"Titel"_s);
    titel.show();
    EXPECT_EQ(titel.Zeit->interval(), 200);
    EXPECT_TRUE(titel.Zeit->isActive());

    titel.Zeit_Timer();
    Main* m = titel.mainFenster();
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->isVisible());
    EXPECT_TRUE(titel.isVisible());
    EXPECT_EQ(m->FeldText(Nachname), u"Erste Adresse"_s);
    EXPECT_TRUE(sitzung().NurLesen) << "the command line reaches the main window";

    titel.Zeit_Timer();
    EXPECT_FALSE(titel.isVisible());
    EXPECT_FALSE(titel.Zeit->isActive());
    fenster.reset(m); // the fixture ends it
}

TEST_F(MainStart, Titel_TitelAusZeigtBeidesBeimErstenTick)
{
    adressdatei({u"..Start"_s, zeile({{1, u"Erste Adresse"_s}})});
    einstellung(u"TitelAus"_s, u"1"_s);
    befehle = std::make_unique<zadressbuch::Befehlsregister>();
    Titel titel(*befehle);
    titel.show();
    titel.Zeit_Timer();
    ASSERT_NE(titel.mainFenster(), nullptr);
    EXPECT_TRUE(titel.mainFenster()->isVisible());
    EXPECT_FALSE(titel.isVisible());
    EXPECT_FALSE(titel.Zeit->isActive());
    fenster.reset(titel.mainFenster());
}

// The splash, the first window of a run, carries the program's icon before
// the main window exists, and the main window the same one.
TEST_F(MainStart, Titel_TraegtDasProgrammsymbol)
{
    adressdatei({u"..Start"_s, zeile({{1, u"Erste Adresse"_s}})});
    einstellung(u"TitelAus"_s, u"1"_s);
    befehle = std::make_unique<zadressbuch::Befehlsregister>();
    Titel titel(*befehle);
    titel.show();
    ASSERT_EQ(titel.mainFenster(), nullptr);
    const QIcon symbol = titel.windowIcon();
    EXPECT_FALSE(symbol.isNull()) << "the splash has no icon";
    ASSERT_NE(titel.windowHandle(), nullptr);
    EXPECT_EQ(titel.windowHandle()->icon().cacheKey(), symbol.cacheKey()) << "the window system gets it";
    titel.Zeit_Timer();
    ASSERT_NE(titel.mainFenster(), nullptr);
    EXPECT_EQ(titel.mainFenster()->windowIcon().cacheKey(), symbol.cacheKey());
    fenster.reset(titel.mainFenster());
}

} // namespace
