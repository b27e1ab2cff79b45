// The main window with the address file: start-up paths and command line,
// saving byte for byte, closing with and without a good save, re-opening.
#include "main_hilfen.h"

#include "addressbook/datensatz.h"
#include "common/ini.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

using namespace zadressbuch;
using main_test::zeile;

namespace {

class MainDatei : public main_test::MainFensterTest
{
protected:
    // Ends the running main window as a new run would find things.
    void neuerLauf()
    {
        fenster.reset();
        sitzungZuruecksetzen();
        adressliste().Clear();
    }
};

TEST_F(MainDatei, SpeichernSchreibtDieDateiByteGenauZurueck)
{
    adressdatei({QStringLiteral("..Umlaute äöü und €"),
                 zeile({{1, QStringLiteral("Öztürk")},
                        {3, QStringLiteral("Straße 5")},
                        {11, QStringLiteral("a°°b°°°c")},
                        {19, QStringLiteral("Bank für €")}}),
                 zeile({{2, QStringLiteral("nur Vorname")}}), QStringLiteral("Kurz\tA\t")});
    const QByteArray vorher = dateiBytes();
    Main& m = starten();
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(m.FeldText(1), QStringLiteral("Öztürk"));
    EXPECT_EQ(m.FeldText(11), QStringLiteral("a\r\nb\r\n°c"));

    sitzung().Geaendert = 1; // force the write
    m.PulSichern_Click();
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(m.panelText(QStringLiteral("Unsaved")), QString());
    EXPECT_EQ(dateiBytes(), vorher);
    EXPECT_FALSE(QFile::exists(wurzel.programm() + QStringLiteral("/zettlora.BAK")));
}

TEST_F(MainDatei, BearbeitenSchliessenUndWiederOeffnenZeigtDieselbenDaten)
{
    adressdatei({QStringLiteral("..Test"), zeile({{1, QStringLiteral("Meier")}, {23, QStringLiteral("4")}}),
                 zeile({{1, QStringLiteral("Roth")}})});
    Main& m = starten();
    main_test::tippen(m.Feld(2), QStringLiteral("Jörg"));
    adressliste().setListIndex(1); // the position to come back to
    const QString bearbeitet = eintrag(0);
    EXPECT_EQ(FeldAus(bearbeitet, 2), QStringLiteral("Jörg"));

    EXPECT_TRUE(m.close());
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(sitzung().Geaendert, 0);
    const QByteArray gespeichert = dateiBytes();
    EXPECT_TRUE(gespeichert.contains(QByteArray("..Test\r\n")));

    neuerLauf();
    Main& m2 = starten();
    ASSERT_EQ(adressliste().ListCount(), 2);
    EXPECT_EQ(eintrag(0), bearbeitet);
    EXPECT_EQ(adressliste().ListIndex(), 1) << "the remembered address";
    EXPECT_EQ(m2.FeldText(1), QStringLiteral("Roth"));
    adressliste().setListIndex(0);
    EXPECT_EQ(m2.FeldText(2), QStringLiteral("Jörg"));
    EXPECT_EQ(m2.FeldText(16), QStringLiteral("02.07.2000"));

    // Closing without a change writes nothing new.
    EXPECT_TRUE(m2.close());
    EXPECT_EQ(dateiBytes(), gespeichert);
}

TEST_F(MainDatei, MisslungenesSpeichernFragtVorDemEnde)
{
    const QString daten = wurzel.wurzel() + QStringLiteral("/daten");
    QDir().mkpath(daten);
    zcommon::Ini_Schreiben(wurzel.programm() + QStringLiteral("/DurIdovi.ini"), QStringLiteral("Ordner"),
                           QStringLiteral("DirData"), daten);
    wurzel.schreiben(QStringLiteral("daten/zettlora.dat"),
                     QStringLiteral("..D\r\n") + zeile({{1, QStringLiteral("Alt")}}) + QStringLiteral("\r\n"));
    Main& m = starten();
    EXPECT_EQ(sitzung().DatenOrdner, daten);
    QTest::keyClick(m.Feld(1), Qt::Key_X);
    ASSERT_EQ(sitzung().Geaendert, 1);

    // The folder goes away: the save cannot write.
    ASSERT_TRUE(QDir().rename(daten, daten + QStringLiteral("_weg")));
    plattform.meldungen.clear();
    EXPECT_FALSE(m.close()) << "the default answer No keeps the program running";
    EXPECT_FALSE(m.beendet());
    EXPECT_EQ(sitzung().Geaendert, 1);
    ASSERT_GE(plattform.meldungen.size(), 2u);
    EXPECT_TRUE(plattform.meldungen.back().text.contains(QStringLiteral("trotzdem beenden")));
    EXPECT_EQ(m.panelText(QStringLiteral("Unsaved")), QStringLiteral(" * "));

    // Yes ends it; the old file is still there.
    plattform.antworten.enqueue(zplatform::vbOK);
    plattform.antworten.enqueue(zplatform::vbYes);
    EXPECT_TRUE(m.close());
    EXPECT_TRUE(m.beendet());
    EXPECT_TRUE(wurzel.lesen(QStringLiteral("daten_weg/zettlora.dat")).contains(QStringLiteral("\tAlt\t")));
}

TEST_F(MainDatei, NurLesenSchliessenSpeichertNie)
{
    adressdatei({QStringLiteral("..R"), zeile({{1, QStringLiteral("Fest")}})});
    const QByteArray vorher = dateiBytes();
    Main& m = starten({QStringLiteral("readonly")});
    sitzung().Geaendert = 1;
    EXPECT_TRUE(m.close());
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(dateiBytes(), vorher);
}

TEST_F(MainDatei, DatenordnerAusEinstellungMitAppdir)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("DirData"), QStringLiteral("{APPDIR}\\Daten\\"));
    wurzel.schreiben(QStringLiteral("programm/Daten/zettlora.dat"), QStringLiteral("..X\r\n") +
                                                                        zeile({{1, QStringLiteral("Im Unterordner")}}) +
                                                                        QStringLiteral("\r\n"));
    Main& m = starten();
    EXPECT_EQ(sitzung().DatenOrdner, wurzel.programm() + QStringLiteral("/Daten"));
    EXPECT_EQ(sitzung().MaskenOrdner, sitzung().DatenOrdner);
    EXPECT_EQ(sitzung().ProgrammIniDatei, wurzel.programm() + QStringLiteral("/Zettlora.Ini"));
    EXPECT_EQ(m.FeldText(1), QStringLiteral("Im Unterordner"));
}

TEST_F(MainDatei, DateiParameterOeffnetDenGrundnamenAusDemDatenordner)
{
    adressdatei({QStringLiteral("..Kunden"), zeile({{1, QStringLiteral("Kunde A")}})}, QStringLiteral("kunden.dat"));
    adressdatei({QStringLiteral("..Standard"), zeile({{1, QStringLiteral("Standard")}})});
    Main& m = starten({QStringLiteral("Datei=C:\\irgendwo\\Kunden.alt.txt"), QStringLiteral("Suche=Meier")});
    EXPECT_EQ(m.FeldText(1), QStringLiteral("Kunde A"));
    EXPECT_EQ(sitzung().AdressDateiName, wurzel.programm() + QStringLiteral("/kunden.dat"));
    EXPECT_TRUE(plattform.meldungen.empty());
    // "Suche=" fills the search box and ticks the reduced search.
    EXPECT_EQ(m.TxtSuche->text(), QStringLiteral("Meier"));
    EXPECT_TRUE(m.checkSuche->isChecked());
    EXPECT_EQ(m.Rahmen(0)->title(), QStringLiteral("Suche ohne Sonderz."));
}

TEST_F(MainDatei, FehlendeDateiAusDemParameterNimmtDieStandarddatei)
{
    adressdatei({QStringLiteral("..Standard"), zeile({{1, QStringLiteral("Standard")}})});
    Main& m = starten({QStringLiteral("Datei=Lieferanten")});
    ASSERT_EQ(plattform.meldungen.size(), 1u);
    EXPECT_EQ(plattform.meldungen[0].titel, QStringLiteral("Datei öffnen"));
    EXPECT_TRUE(
        plattform.meldungen[0].text.startsWith(QStringLiteral("Angegebene Datei LIEFERANTEN.DAT nicht gefunden.")));
    EXPECT_TRUE(plattform.toene.contains(QStringLiteral("#SystemExclamation")));
    EXPECT_EQ(m.FeldText(1), QStringLiteral("Standard"));
}

TEST_F(MainDatei, LeereDateiZeigtLeereKarte_DasTippenLegtEineAdresseAn)
{
    adressdatei({QStringLiteral("..Leer")});
    Main& m = starten();
    EXPECT_EQ(adressliste().ListCount(), 0);
    EXPECT_EQ(adressliste().ListIndex(), -1);
    EXPECT_EQ(m.panelText(QStringLiteral("Position")), QStringLiteral(" Pos. 0 von 0 "));
    QTest::keyClick(m.Feld(1), Qt::Key_N);
    ASSERT_EQ(adressliste().ListCount(), 1);
    EXPECT_EQ(adressliste().ListIndex(), 0);
    EXPECT_EQ(FeldAus(eintrag(0), 1), QStringLiteral("n"));
    EXPECT_EQ(m.panelText(QStringLiteral("Position")), QStringLiteral(" Pos. 1 von 1 "));
}

TEST_F(MainDatei, NeuLadenLeertDieKarteDerVorigenDatei)
{
    adressdatei({QStringLiteral("..A"), zeile({{1, QStringLiteral("Aus A")}, {5, QStringLiteral("Ort A")}})});
    adressdatei({QStringLiteral("..B")}, QStringLiteral("b.dat"));
    Main& m = starten();
    EXPECT_EQ(m.FeldText(5), QStringLiteral("Ort A"));

    sitzung().AdressDateiName = wurzel.programm() + QStringLiteral("/b.dat");
    m.Daten_Laden();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("B"));
    EXPECT_EQ(m.FeldText(5), QString());
    EXPECT_EQ(sitzung().UndoKopie, QString());
    QTest::keyClick(m.Feld(1), Qt::Key_Q);
    ASSERT_EQ(adressliste().ListCount(), 1);
    EXPECT_EQ(FeldAus(eintrag(0), 5), QString()) << "nothing of file A's card reaches file B";
}

TEST_F(MainDatei, ListeMalendeTabStopsUndMenuekuerzel)
{
    adressdatei({QStringLiteral("..T"), zeile({{1, QStringLiteral("X")}})});
    Main& m = starten();
    EXPECT_EQ(m.aktion(QStringLiteral("PulSichern"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(m.aktion(QStringLiteral("PulEnde"))->shortcut(), QKeySequence(QStringLiteral("F12")));
    EXPECT_EQ(m.aktion(QStringLiteral("mnuSort_16"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F4")));
    EXPECT_EQ(m.aktion(QStringLiteral("mnuChkDoppeltes"))->shortcut(), QKeySequence(QStringLiteral("Shift+F5")));
    EXPECT_EQ(m.Liste->objectName(), QStringLiteral("Liste"));
    EXPECT_TRUE(m.Liste->uniformItemSizes());
}

} // namespace
