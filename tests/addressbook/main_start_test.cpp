// Start-up of the real main window: the fixed order of its steps, the
// command line's "Datei=" and "Suche=", the hand-over file, the settings the
// load reads, the end by a configuration job or a second instance, and the
// actions of the first paint.
#include "main_hilfen.h"

#include "addressbook/datensatz.h"
#include "addressbook/fenstereinstellungen.h"
#include "addressbook/start.h"
#include "addressbook/suche.h"
#include "common/ini.h"
#include "common/start.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QToolButton>

using namespace zadressbuch;
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

    QString ini(const QString& sektion, const QString& schluessel, const QString& datei = QString()) const
    {
        return zcommon::Ini_Lesen(datei, sektion, schluessel, QStringLiteral("<fehlt>"));
    }
};

TEST_F(MainStart, DieSchritteLaufenInIhrerFestenReihenfolge)
{
    adressdatei({QStringLiteral("..Start"), zeile({{1, QStringLiteral("Erste")}})});
    Main& m = starten({QStringLiteral("Suche=Erste")});
    EXPECT_EQ(m.startProtokoll(), (QStringList{QStringLiteral("Laendereinstellung"),
                                               QStringLiteral("Konfiguration"),
                                               QStringLiteral("Instanz"),
                                               QStringLiteral("Statistik"),
                                               QStringLiteral("Uhr"),
                                               QStringLiteral("Pfade"),
                                               QStringLiteral("MenuePopUp"),
                                               QStringLiteral("TkAnlage"),
                                               QStringLiteral("DokumentSymbol"),
                                               QStringLiteral("Bezeichnungen"),
                                               QStringLiteral("Rahmen"),
                                               QStringLiteral("Uebergabe"),
                                               QStringLiteral("Vorlagen"),
                                               QStringLiteral("KarteLeeren"),
                                               QStringLiteral("Feldtrenner"),
                                               QStringLiteral("Status"),
                                               QStringLiteral("Logo"),
                                               QStringLiteral("TabStops"),
                                               QStringLiteral("Kommandozeile"),
                                               QStringLiteral("DatenLaden"),
                                               QStringLiteral("Einstellungen"),
                                               QStringLiteral("Suche")}));
    EXPECT_FALSE(m.beendet());
    EXPECT_TRUE(m.ZeitTimeOut->isActive());
    // What the steps left behind.
    EXPECT_EQ(ini(QStringLiteral("Statistik"), QStringLiteral("Starts")), QStringLiteral("1"));
    EXPECT_TRUE(QFile::exists(wurzel.windows() + QStringLiteral("/Zettlora.lock"))) << "this run holds the guard";
    EXPECT_EQ(m.panelText(QStringLiteral("Datum")), QStringLiteral(" 02.07.2000 "));
    EXPECT_EQ(m.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));
    EXPECT_EQ(sitzung().PopupFeldIndex, -1);
    EXPECT_EQ(m.Liste->delegate()->tabStops(), (QVector<int>{83, 233, 363, 523, 558, 658, 758, 858, 958, 1058}));
    EXPECT_FALSE(m.aktion(QStringLiteral("mnuExportTKAnlage"))->isVisible()) << "no telephone system set up";
    EXPECT_FALSE(m.aktion(QStringLiteral("mnuDocErstellen"))->isVisible()) << "no Vorlagen.ini";
    EXPECT_TRUE(m.ImgLogo->isHidden());
    EXPECT_EQ(m.TxtSuche->text(), QStringLiteral("Erste")) << "the search text comes last, after the emptied card";

    // Quitting releases the guard: a later start is no second instance.
    m.PulAbbruch_Click();
    EXPECT_TRUE(m.beendet());
    QLockFile neu(wurzel.windows() + QStringLiteral("/Zettlora.lock"));
    EXPECT_TRUE(neu.tryLock(0));
}

TEST_F(MainStart, EinstellungenDerLadeschritte)
{
    adressdatei({QStringLiteral("..Start"), zeile({{1, QStringLiteral("Erste")}})});
    zcommon::Ini_Schreiben(wurzel.programm() + QStringLiteral("/Export_Tk-Anlage.ini"), QStringLiteral("Allgemein"),
                           QStringLiteral("Tk-Anlage"), QStringLiteral("Tiptel 2"));
    zcommon::Ini_Schreiben(QString(), QStringLiteral("Verknüpfung"), QStringLiteral("Doc"), QStringLiteral("x.doc"));
    wurzel.schreiben(QStringLiteral("programm/Vorlagen.ini"), QStringLiteral("[Vorlagen]\r\n"));
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(wurzel.programm() + QStringLiteral("/logo.bmp"), "BMP"));
    // A hand-over file left by an earlier run.
    wurzel.schreiben(QStringLiteral("windows/TmpAdrDoc.Tmp"), QStringLiteral("[ZuletztNr]\r\n01=Alt\r\n"));

    Main& m = starten();
    EXPECT_EQ(m.aktion(QStringLiteral("mnuExportTKAnlage"))->text(),
              QStringLiteral("Kurzwahl-Speicher für Tiptel 2 !!! ..."));
    EXPECT_TRUE(m.aktion(QStringLiteral("mnuExportTKAnlage"))->isVisible());
    EXPECT_FALSE(m.befSymbol(46)->isHidden());
    EXPECT_TRUE(m.aktion(QStringLiteral("mnuDocErstellen"))->isVisible());
    EXPECT_EQ(startDateien().VorlagenIniDatei, wurzel.programm() + QStringLiteral("/Vorlagen.ini"));
    EXPECT_FALSE(m.ImgLogo->isHidden()) << "Logo.Bmp in any case of its name";
    EXPECT_FALSE(m.ImgLogo->pixmap().isNull());

    EXPECT_EQ(ini(QString(), QStringLiteral("Adr_IniSpeichern_In")),
              wurzel.windows() + QStringLiteral("/TmpAdrDoc.Tmp"));
    EXPECT_EQ(wurzel.lesen(QStringLiteral("windows/TmpAdrDoc.Tmp")), QStringLiteral("[ZuletztNr]\r\n99=ja\r\n"));
    EXPECT_EQ(startDateien().UebergabeIniDatei, wurzel.windows() + QStringLiteral("/TmpAdrDoc.Tmp"));
}

TEST_F(MainStart, DateiUndSucheWaehlenDieErsteTreffendeAdresse)
{
    // The file on disk in capitals; the remembered position lies behind the
    // first match, and another match follows it.
    adressdatei({QStringLiteral("..Kunden"), zeile({{1, QStringLiteral("Adam")}}),
                 zeile({{1, QStringLiteral("Meier")}, {2, QStringLiteral("Hans")}}),
                 zeile({{1, QStringLiteral("Zeta")}}), zeile({{1, QStringLiteral("Berta")}}),
                 zeile({{1, QStringLiteral("Meierhof")}})},
                QStringLiteral("KUNDEN.DAT"));
    adressdatei({QStringLiteral("..Standard"), zeile({{1, QStringLiteral("Meier Standard")}})});
    zcommon::Ini_Schreiben(
        QString(), QString(),
        ListenPos_Schluessel(zcommon::Benutzer_Ermitteln(), wurzel.programm() + QStringLiteral("/KUNDEN.DAT")),
        QStringLiteral("3"));

    Main& m = starten({QStringLiteral("Datei=Kunden"), QStringLiteral("Suche=Meier")});
    EXPECT_TRUE(plattform.meldungen.empty());
    EXPECT_EQ(sitzung().AdressDateiName, wurzel.programm() + QStringLiteral("/KUNDEN.DAT"));
    ASSERT_EQ(adressliste().ListCount(), 5);
    EXPECT_EQ(adressliste().ListIndex(), 3) << "the remembered address first";
    EXPECT_TRUE(m.zeitSuche()->aktiv()) << "the search runs after the load handler";

    ASSERT_TRUE(sucheAbwarten());
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Nachname), QStringLiteral("Meier"));
    EXPECT_EQ(sitzung().UndoKopie, eintrag(1));
    EXPECT_EQ(m.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));
    EXPECT_TRUE(m.checkSuche->isChecked());

    // The next search (Enter) goes on from there as usual.
    QTest::keyClick(m.TxtSuche, Qt::Key_Return);
    EXPECT_EQ(adressliste().ListIndex(), 4);
}

TEST_F(MainStart, FehlendeDateiMeldetUndNimmtDieStandarddatei)
{
    adressdatei(
        {QStringLiteral("..Standard"), zeile({{1, QStringLiteral("Adam")}}), zeile({{1, QStringLiteral("Meier")}})});
    // The chooser is wanted at the first paint, but "Datei=" keeps it away.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AuswahlÖffnen"), QStringLiteral("1"));
    int oeffnen = 0;
    Main::handlerSetzen(QStringLiteral("PulOeffnen_Click"), [&](Main&, int) { ++oeffnen; });

    Main& m = starten({QStringLiteral("Datei=C:\\Daten\\Lieferanten.alt.dat"), QStringLiteral("Suche=meier")});
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].text,
              QStringLiteral("Angegebene Datei LIEFERANTEN.DAT nicht gefunden.\r\nBenutze Standarddatei."));
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Datei öffnen"));
    EXPECT_EQ(plattform.meldungen[0].stil, zplatform::vbOKOnly | zplatform::vbExclamation);
    EXPECT_EQ(plattform.toene.value(0), QStringLiteral("#SystemExclamation"));
    EXPECT_EQ(sitzung().AdressDateiName, wurzel.programm() + QStringLiteral("/zettlora.dat"));

    ASSERT_TRUE(sucheAbwarten());
    EXPECT_EQ(m.FeldText(Nachname), QStringLiteral("Meier"));
    QTest::qWait(50);
    Main::handlerSetzen(QStringLiteral("PulOeffnen_Click"), {});
    EXPECT_EQ(oeffnen, 0);
}

TEST_F(MainStart, ErsterAnstrichBietetDateiwahlUndTippEinmal)
{
    adressdatei({QStringLiteral("..A"), zeile({{1, QStringLiteral("X")}})});
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AuswahlÖffnen"), QStringLiteral("1"));
    QStringList ablauf;
    Main::handlerSetzen(QStringLiteral("PulOeffnen_Click"), [&](Main&, int) { ablauf << QStringLiteral("Datei"); });
    Main::handlerSetzen(QStringLiteral("mnuTips_Click"), [&](Main&, int) { ablauf << QStringLiteral("Tipp"); });

    Main& m = starten();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ablauf.size() >= 2; }, 2000));
    m.repaint();
    m.resize(m.width() + 20, m.height());
    QTest::qWait(50);
    Main::handlerSetzen(QStringLiteral("PulOeffnen_Click"), {});
    Main::handlerSetzen(QStringLiteral("mnuTips_Click"), {});
    EXPECT_EQ(ablauf, (QStringList{QStringLiteral("Datei"), QStringLiteral("Tipp")}));
}

TEST_F(MainStart, OhneTippEinstellungKeinTipp)
{
    adressdatei({QStringLiteral("..A")});
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("AutoTip"), QStringLiteral("0"));
    int tipps = 0;
    Main::handlerSetzen(QStringLiteral("mnuTips_Click"), [&](Main&, int) { ++tipps; });
    starten();
    QTest::qWait(50);
    Main::handlerSetzen(QStringLiteral("mnuTips_Click"), {});
    EXPECT_EQ(tipps, 0);
}

TEST_F(MainStart, KonfigurationsauftragBeendetDasProgramm)
{
    adressdatei({QStringLiteral("..A"), zeile({{1, QStringLiteral("X")}})});
    wurzel.schreiben(QStringLiteral("programm/Adapter.Cfg"),
                     QStringLiteral("[Zizorud.ini]\r\nAutoTip=0\r\n[Adapter]\r\nBeenden=1\r\n"));
    Main& m = starten();
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(m.startProtokoll().last(), QStringLiteral("Konfiguration"));
    EXPECT_EQ(adressliste().ListCount(), 0) << "nothing loaded";
    EXPECT_EQ(ini(QString(), QStringLiteral("AutoTip")), QStringLiteral("0")) << "the job ran";
}

TEST_F(MainStart, ZweiteInstanzBittetDieErsteNachVorneUndEndet)
{
    adressdatei({QStringLiteral("..A"), zeile({{1, QStringLiteral("X")}})});
    QLockFile andere(wurzel.windows() + QStringLiteral("/Zettlora.lock"));
    ASSERT_TRUE(andere.tryLock(0));
    Main& m = starten();
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(m.startProtokoll().last(), QStringLiteral("Instanz"));
    EXPECT_TRUE(QFile::exists(wurzel.windows() + QStringLiteral("/Zettlora.aktivieren")));
    EXPECT_EQ(ini(QStringLiteral("Statistik"), QStringLiteral("Starts")), QStringLiteral("<fehlt>"));
}

TEST_F(MainStart, RelativerDatenordnerLiegtImProgrammordner)
{
    zcommon::Ini_Schreiben(wurzel.programm() + QStringLiteral("/DurIdovi.ini"), QStringLiteral("Ordner"),
                           QStringLiteral("DirData"), QStringLiteral("Adressen\\"));
    wurzel.schreiben(QStringLiteral("programm/Adressen/zettlora.dat"),
                     QStringLiteral("..R\r\n") + zeile({{1, QStringLiteral("Relativ")}}) + QStringLiteral("\r\n"));
    Main& m = starten();
    EXPECT_EQ(sitzung().DatenOrdner, wurzel.programm() + QStringLiteral("/Adressen"));
    EXPECT_EQ(m.FeldText(Nachname), QStringLiteral("Relativ"));
}

} // namespace
