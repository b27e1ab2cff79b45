// The main window with the address file: saving byte for byte, closing with
// and without a good save, re-opening, an empty file and loading another.
// Loading and saving themselves are tested in adressdatei_test.cpp.
#include "main_hilfen.h"

#include "addressbook/fenstereinstellungen.h"
#include "common/start.h"

#include <QDir>

using namespace zadressbuch;
using main_test::zeile;

namespace {

using MainDatei = main_test::MainFensterTest;

TEST_F(MainDatei, SpeichernSchreibtDieDateiByteGenauZurueck)
{
    adressdatei({u"..Umlaute äöü und €"_s,
                 zeile({{1, u"Öztürk"_s}, {3, u"Straße 5"_s}, {11, u"a°°b°°°c"_s}, {19, u"Bank für €"_s}}),
                 zeile({{2, u"nur Vorname"_s}}), u"Kurz\tA\t"_s});
    const QByteArray vorher = dateiBytes();
    Main& m = starten();
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(m.FeldText(Nachname), u"Öztürk"_s);
    EXPECT_EQ(m.FeldText(Bemerkung), u"a\r\nb\r\n°c"_s);

    sitzung().Geaendert = 1; // force the write
    m.befehlAusfuehren(Befehl::PulSichern);
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(panel("Unsaved"), QString());
    EXPECT_EQ(dateiBytes(), vorher);
    EXPECT_FALSE(QFile::exists(wurzel.programm() + u"/zettlora.BAK"_s));

    // Saving, also unchanged, remembers the list position.
    adressliste().setListIndex(2);
    m.befehlAusfuehren(Befehl::PulSichern);
    EXPECT_EQ(ini(ListenPos_Schluessel(zcommon::Benutzer_Ermitteln(), sitzung().AdressDateiName)), u"2"_s);
}

TEST_F(MainDatei, BearbeitenSchliessenUndWiederOeffnenZeigtDieselbenDaten)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Meier"_s}, {23, u"4"_s}}), zeile({{1, u"Roth"_s}})});
    Main& m = starten();
    main_test::tippen(m.Feld(Vorname), u"Jörg"_s);
    adressliste().setListIndex(1); // the position to come back to
    const QString bearbeitet = eintrag(0);
    EXPECT_EQ(FeldAus(bearbeitet, Vorname), u"Jörg"_s);

    EXPECT_TRUE(m.close());
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(sitzung().Geaendert, 0);
    const QByteArray gespeichert = dateiBytes();
    EXPECT_TRUE(gespeichert.startsWith("..Test\r\n"));

    neuerLauf();
    Main& m2 = starten();
    ASSERT_EQ(adressliste().ListCount(), 2);
    EXPECT_EQ(eintrag(0), bearbeitet);
    EXPECT_EQ(adressliste().ListIndex(), 1) << "the remembered address";
    EXPECT_EQ(m2.FeldText(Nachname), u"Roth"_s);
    adressliste().setListIndex(0);
    EXPECT_EQ(m2.FeldText(Vorname), u"Jörg"_s);
    EXPECT_EQ(m2.FeldText(GeaendertAm), u"02.07.2000"_s);

    // Closing without a change writes nothing new.
    EXPECT_TRUE(m2.close());
    EXPECT_EQ(dateiBytes(), gespeichert);
}

TEST_F(MainDatei, MisslungenesSpeichernFragtVorDemEnde)
{
    const QString daten = wurzel.wurzel() + u"/daten"_s;
    QDir().mkpath(daten);
    main_test::einstellung(u"DirData"_s, daten, wurzel.programm() + u"/DurIdovi.ini"_s, u"Ordner"_s);
    wurzel.schreiben(u"daten/zettlora.dat"_s, u"..D\r\n"_s + zeile({{1, u"Alt"_s}}) + u"\r\n"_s);
    Main& m = starten();
    EXPECT_EQ(sitzung().DatenOrdner, daten);
    QTest::keyClick(m.Feld(Nachname), Qt::Key_X);
    ASSERT_EQ(sitzung().Geaendert, 1);

    // The folder goes away: the save cannot write.
    ASSERT_TRUE(QDir().rename(daten, daten + u"_weg"_s));
    plattform.meldungen.clear();
    EXPECT_FALSE(m.close()) << "the default answer No keeps the program running";
    EXPECT_FALSE(m.beendet());
    EXPECT_EQ(sitzung().Geaendert, 1);
    ASSERT_GE(plattform.meldungen.size(), 2u);
    EXPECT_TRUE(plattform.meldungen.back().text.contains(u"trotzdem beenden"_s));
    EXPECT_EQ(panel("Unsaved"), u" * "_s);

    // Yes ends it; the old file is still there.
    plattform.antworten.enqueue(zplatform::vbOK);
    plattform.antworten.enqueue(zplatform::vbYes);
    EXPECT_TRUE(m.close());
    EXPECT_TRUE(m.beendet());
    EXPECT_TRUE(wurzel.lesen(u"daten_weg/zettlora.dat"_s).contains(u"\tAlt\t"_s));
}

TEST_F(MainDatei, LeereDateiZeigtLeereKarte_DasTippenLegtEineAdresseAn)
{
    adressdatei({u"..Leer"_s});
    Main& m = starten();
    EXPECT_EQ(adressliste().ListCount(), 0);
    EXPECT_EQ(adressliste().ListIndex(), -1);
    EXPECT_EQ(panel("Position"), u" Pos. 0 von 0 "_s);
    QTest::keyClick(m.Feld(Nachname), Qt::Key_N);
    ASSERT_EQ(adressliste().ListCount(), 1);
    EXPECT_EQ(adressliste().ListIndex(), 0);
    EXPECT_EQ(FeldAus(eintrag(0), Nachname), u"n"_s);
    EXPECT_EQ(panel("Position"), u" Pos. 1 von 1 "_s);
}

TEST_F(MainDatei, NeuLadenLeertDieKarteDerVorigenDatei)
{
    adressdatei({u"..A"_s, zeile({{1, u"Aus A"_s}, {5, u"Ort A"_s}})});
    adressdatei({u"..B"_s}, u"b.dat"_s);
    Main& m = starten();
    EXPECT_EQ(m.FeldText(Ort), u"Ort A"_s);

    sitzung().AdressDateiName = wurzel.programm() + u"/b.dat"_s;
    m.Daten_Laden();
    EXPECT_EQ(m.windowTitle(), u"B"_s);
    EXPECT_EQ(m.FeldText(Ort), QString());
    EXPECT_EQ(sitzung().UndoKopie, QString());
    QTest::keyClick(m.Feld(Nachname), Qt::Key_Q);
    ASSERT_EQ(adressliste().ListCount(), 1);
    EXPECT_EQ(FeldAus(eintrag(0), Ort), QString()) << "nothing of file A's card reaches file B";
}

} // namespace
