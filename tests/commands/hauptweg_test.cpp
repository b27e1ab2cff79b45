// The main road on the real main window (offscreen), driven through its menu
// entries and the real file chooser: new address, typing, sorting, delete and
// undo, save and exit with the hand-over files, a second start with the same
// data; create, open and merge through the chooser; a failed save.
#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "commands/ui/befehle_anmelden.h"
#include "commands/ui/file.h"
#include "common/ini.h"
#include "platform/codec.h"
#include "support/testplattform.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <unistd.h>

using namespace zadressbuch;
using zbefehle::File;

namespace {

QString zeile(std::initializer_list<std::pair<int, QString>> felder)
{
    Felder f;
    for (const auto& [nr, text] : felder)
        f[size_t(nr)] = text;
    return Verbinden(f);
}

class Hauptweg : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;
    std::unique_ptr<Main> fenster;
    QTimer notbremse; // closes a chooser that no step closed, rather than hang
    int dialogSchritte = 0;

    void SetUp() override
    {
        sitzungZuruecksetzen();
        adressliste().Clear();
        zcommon::Ini_CacheLeeren();
        QDir().mkpath(daten());
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("DirData"), daten());
        zbefehle::Befehle_Anmelden();
        File::instanz().amEnde->setChecked(false);
        File::instanz().bezAusschluss->clear();
        notbremse.setSingleShot(true);
        QObject::connect(&notbremse, &QTimer::timeout, [] {
            if (File::instanz().isVisible())
                File::instanz().befAbbrechen->click();
        });
    }
    void TearDown() override
    {
        notbremse.stop();
        fenster.reset();
        zbefehle::Befehle_Abmelden();
        sitzungZuruecksetzen();
        adressliste().Clear();
        zcommon::Ini_CacheLeeren();
    }

    QString daten() const { return wurzel.wurzel() + QStringLiteral("/daten"); }
    QString daten(const QString& name) const { return daten() + QLatin1Char('/') + name; }

    Main& starten()
    {
        fenster.reset();
        sitzungZuruecksetzen();
        adressliste().Clear();
        fenster = std::make_unique<Main>();
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
    // The steps run on the file chooser once the next command has shown it.
    void imDialog(std::function<void(File&)> schritte)
    {
        QTimer::singleShot(0, [this, schritte] {
            File& f = File::instanz();
            if (!f.isVisible())
                return;
            ++dialogSchritte;
            schritte(f);
        });
        notbremse.start(5000);
    }
    static void waehle(File& f, const QString& name)
    {
        const auto treffer = f.Datei1->findItems(name, Qt::MatchFixedString);
        ASSERT_EQ(treffer.size(), 1) << name.toStdString();
        f.Datei1->setCurrentItem(treffer.first());
    }
    QStringList spalte(int feld) const
    {
        QStringList r;
        for (int i = 0; i < adressliste().ListCount(); ++i)
            r << FeldAus(adressliste().List(i), feld);
        return r;
    }
    static QByteArray roh(const QString& pfad)
    {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QString text(const QString& pfad) { return zplatform::ausWindows1252(roh(pfad)); }
    static void rohSchreiben(const QString& pfad, const QString& inhalt)
    {
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(zplatform::nachWindows1252(inhalt));
    }
};

TEST_F(Hauptweg, UeberDieMenuesVomStartBisZumNaechstenStart)
{
    rohSchreiben(
        daten(QStringLiteral("zettlora.dat")),
        QStringLiteral("..Testdatei\r\n") + zeile({{Nachname, QStringLiteral("Zander")}}) + QStringLiteral("\r\n") +
            zeile({{Nachname, QStringLiteral("Adam")}, {Vorname, QStringLiteral("Ida")}}) + QStringLiteral("\r\n"));
    const QString uebergabeText = wurzel.temp() + QStringLiteral("/Adresse.txt");
    const QString uebergabeIni = wurzel.temp() + QStringLiteral("/Adresse.ini");
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Adr_Speichern_In"), uebergabeText);
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Adr_IniSpeichern_In"), uebergabeIni);
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Adr_TeleFormat3&2"), QStringLiteral("0"));

    Main& m = starten();
    ASSERT_EQ(adressliste().ListCount(), 2);
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Testdatei"));

    // New address, typed into the card.
    menue(QStringLiteral("mnuAdrAnlegen"));
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(adressliste().ListIndex(), 2);
    EXPECT_EQ(m.FeldText(ErstelltAm), QStringLiteral("02.07.2000"));
    EXPECT_FALSE(m.FeldText(Index).isEmpty());
    tippen(Nachname, QStringLiteral("Böhm"));
    tippen(Vorname, QStringLiteral("Bärbel"));
    tippen(Ort, QStringLiteral("Köln"));
    EXPECT_EQ(FeldAus(adressliste().List(2), Nachname), QStringLiteral("Böhm"));
    EXPECT_EQ(FeldAus(adressliste().List(2), Ort), QStringLiteral("Köln"));
    EXPECT_EQ(sitzung().Geaendert, 1);

    // Sorted by surname: the umlaut beside its base letter; the new address stays on the card.
    menue(QStringLiteral("mnuSort_1"));
    EXPECT_EQ(spalte(Nachname),
              (QStringList{QStringLiteral("Adam"), QStringLiteral("Böhm"), QStringLiteral("Zander")}));
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Vorname), QStringLiteral("Bärbel"));

    // Saved: the file holds the new order and the new address.
    menue(QStringLiteral("PulSichern"));
    EXPECT_EQ(sitzung().Geaendert, 0);
    QStringList zeilen = text(daten(QStringLiteral("zettlora.dat"))).split(QStringLiteral("\r\n"));
    ASSERT_EQ(zeilen.size(), 5); // description, three addresses, the empty rest after the last CR LF
    EXPECT_EQ(zeilen[0], QStringLiteral("..Testdatei"));
    EXPECT_EQ(FeldAus(zeilen[2], Vorname), QStringLiteral("Bärbel"));

    // Delete asks; Yes removes and selects the new last address.
    adressliste().setListIndex(2);
    const QString zanderIndex = m.FeldText(Index);
    plattform.antworten << zplatform::vbYes;
    menue(QStringLiteral("mnuAdrLoeschen"));
    EXPECT_EQ(plattform.letzteMeldung(), QStringLiteral("Sind Sie sicher, dass die Adresse #") + zanderIndex +
                                             QStringLiteral("\r\n»Zander«\r\ngelöscht werden soll?"));
    EXPECT_EQ(spalte(Nachname), (QStringList{QStringLiteral("Adam"), QStringLiteral("Böhm")}));
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Nachname), QStringLiteral("Böhm"));

    // Typing, then undo from the menu (enabled when the menu opens) and undo again.
    tippen(Strasse, QStringLiteral("Weg 1"));
    const QString getippt = adressliste().List(1);
    sitzung().Geaendert = 0;
    Q_EMIT m.menue(QStringLiteral("PulBearbeiten"))->aboutToShow();
    ASSERT_TRUE(m.aktion(QStringLiteral("mnuUndo"))->isEnabled());
    menue(QStringLiteral("mnuUndo"));
    EXPECT_EQ(m.FeldText(Strasse), QString());
    EXPECT_EQ(FeldAus(adressliste().List(1), Strasse), QString());
    EXPECT_EQ(sitzung().Geaendert, 1);
    menue(QStringLiteral("mnuUndo"));
    EXPECT_EQ(adressliste().List(1), getippt);
    EXPECT_EQ(m.FeldText(Strasse), QStringLiteral("Weg 1"));

    // Save and exit: sorted by first name first ("SortAtClose"), saved, the
    // hand-over files written for the address on the card, ended.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("SortAtClose"), QStringLiteral("2"));
    menue(QStringLiteral("PulEnde"));
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(spalte(Vorname), (QStringList{QStringLiteral("Bärbel"), QStringLiteral("Ida")}));
    const QStringList vorher = adressliste().eintraege();
    EXPECT_EQ(adressliste().ListIndex(), 0);

    const QStringList uebergabe = text(uebergabeText).split(QStringLiteral("\r\n"));
    ASSERT_EQ(uebergabe.size(), 25);
    EXPECT_EQ(uebergabe[Nachname], QStringLiteral("Böhm"));
    EXPECT_EQ(uebergabe[Vorname], QStringLiteral("Bärbel"));
    EXPECT_EQ(uebergabe[Strasse], QStringLiteral("Weg 1"));
    EXPECT_EQ(uebergabe[Ort], QStringLiteral("Köln"));
    EXPECT_EQ(uebergabe[ErstelltAm], QStringLiteral("02.07.2000"));
    EXPECT_EQ(uebergabe[24], QString());
    EXPECT_EQ(zcommon::Ini_Lesen(uebergabeIni, QStringLiteral("ZuletztNr"), QStringLiteral("01")),
              QStringLiteral("Böhm"));
    EXPECT_EQ(zcommon::Ini_Lesen(uebergabeIni, QStringLiteral("ZuletztNr"), QStringLiteral("05")),
              QStringLiteral("Köln"));
    EXPECT_EQ(zcommon::Ini_Lesen(uebergabeIni, QStringLiteral("ZuletztBez"), QStringLiteral("Vorname")),
              QStringLiteral("Bärbel"));
    EXPECT_EQ(zcommon::Ini_Lesen(uebergabeIni, QStringLiteral("ZuletztBez"), QStringLiteral("Datum")),
              QStringLiteral("02.07.2000"));

    // The next start finds the same data, the description and the address last shown.
    starten();
    EXPECT_EQ(adressliste().eintraege(), vorher);
    EXPECT_EQ(sitzung().Beschreibung, QStringLiteral("Testdatei"));
    EXPECT_EQ(sitzung().Geaendert, 0);
    EXPECT_EQ(fenster->FeldText(Nachname), QStringLiteral("Böhm"));
}

TEST_F(Hauptweg, AnlegenOeffnenUndHinzufuegenUeberDieDateiauswahl)
{
    rohSchreiben(daten(QStringLiteral("zettlora.dat")),
                 QStringLiteral("..Haupt\r\n") + zeile({{Nachname, QStringLiteral("Haupt")}}) + QStringLiteral("\r\n"));
    Main& m = starten();
    const QString alt = sitzung().AdressDateiName;
    ASSERT_TRUE(Reservierung_Lesen(alt).vorhanden);

    // Create: a name typed into the chooser (save mode); a new, empty file
    // of one all-TAB line is loaded and the old file is released.
    imDialog([](File& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Datei speichern unter"));
        QTest::keyClicks(f.Bezeichnung, QStringLiteral("Kunden"));
        f.BefOk->click();
    });
    menue(QStringLiteral("PulAnlegen"));
    EXPECT_EQ(dialogSchritte, 1);
    EXPECT_EQ(sitzung().AdressDateiName, daten(QStringLiteral("Kunden.Dat")));
    EXPECT_EQ(roh(daten(QStringLiteral("Kunden.Dat"))), QByteArray(23, '\t') + "\r\n");
    EXPECT_EQ(adressliste().ListCount(), 0);
    EXPECT_EQ(m.FeldText(Nachname), QString());
    EXPECT_FALSE(Reservierung_Lesen(alt).vorhanden);

    menue(QStringLiteral("mnuAdrAnlegen"));
    tippen(Nachname, QStringLiteral("Kundin"));
    // Duplicate: the card shows the copy with its own index number.
    const QString ersterIndex = m.FeldText(Index);
    menue(QStringLiteral("mnuAdrDuplizieren"));
    ASSERT_EQ(adressliste().ListCount(), 2);
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Nachname), QStringLiteral("Kundin"));
    EXPECT_NE(m.FeldText(Index), ersterIndex);
    EXPECT_EQ(m.FeldText(Index), FeldAus(adressliste().List(1), Index));
    menue(QStringLiteral("PulSichern"));
    EXPECT_TRUE(text(daten(QStringLiteral("Kunden.Dat"))).contains(QStringLiteral("Kundin")));

    // Open: nothing unsaved, so no question; the file picked in the list is loaded.
    const size_t meldungen = plattform.meldungen.size();
    imDialog([this](File& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Datei laden"));
        EXPECT_EQ(f.Bezeichnung->text(), QStringLiteral("Kunden")); // the open file proposed
        EXPECT_EQ(f.pfad(), daten());
        waehle(f, QStringLiteral("zettlora.dat"));
        f.BefOk->click();
    });
    menue(QStringLiteral("PulOeffnen"));
    EXPECT_EQ(dialogSchritte, 2);
    EXPECT_EQ(plattform.meldungen.size(), meldungen);
    EXPECT_EQ(sitzung().AdressDateiName, daten(QStringLiteral("zettlora.dat")));
    EXPECT_EQ(spalte(Nachname), QStringList{QStringLiteral("Haupt")});
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Haupt"));

    // Merge a ";"-separated file of the program folder: the first line is dropped.
    rohSchreiben(wurzel.programm() + QStringLiteral("/Import.Dat"),
                 QStringLiteral("Name;Vorname;Straße\r\nMeier;Eva;Weg 2\r\n;Solo\r\n"));
    imDialog([this](File& f) {
        EXPECT_EQ(f.pfad(), wurzel.programm());
        waehle(f, QStringLiteral("Import.Dat"));
        f.BefOk->click();
    });
    menue(QStringLiteral("mnuDateiHinzufuegen"));
    EXPECT_EQ(dialogSchritte, 3);
    ASSERT_EQ(adressliste().ListCount(), 3);
    EXPECT_EQ(adressliste().List(1), QStringLiteral("Meier\tEva\tWeg 2"));
    EXPECT_EQ(adressliste().List(2), QStringLiteral(" \tSolo"));
    EXPECT_EQ(adressliste().ListIndex(), 1);
    EXPECT_EQ(m.FeldText(Nachname), QStringLiteral("Eva")); // the fields as they stand, from field 0 on
    EXPECT_EQ(sitzung().Geaendert, 1);

    // Merge an address file whose remark holds ";": its fields stay in place.
    const QString mitSemikolon =
        zeile({{Nachname, QStringLiteral("Kurz")}, {Bemerkung, QStringLiteral("a;b")}, {Ort, QStringLiteral("Ulm")}});
    rohSchreiben(wurzel.programm() + QStringLiteral("/Kunden2.Dat"),
                 QStringLiteral("..Andere Datei\r\n") + mitSemikolon + QStringLiteral("\r\n"));
    imDialog([](File& f) {
        waehle(f, QStringLiteral("Kunden2.Dat"));
        EXPECT_EQ(f.BezInfo->text(), QStringLiteral("Andere Datei"));
        f.BefOk->click();
    });
    menue(QStringLiteral("mnuDateiHinzufuegen"));
    ASSERT_EQ(adressliste().ListCount(), 4);
    EXPECT_EQ(adressliste().List(3), mitSemikolon);
    EXPECT_EQ(m.FeldText(Ort), QStringLiteral("Ulm"));

    // Open with unsaved changes: the question; Yes saves before the other file loads.
    plattform.antworten << zplatform::vbYes;
    imDialog([](File& f) {
        waehle(f, QStringLiteral("Kunden.Dat"));
        f.BefOk->click();
    });
    menue(QStringLiteral("PulOeffnen"));
    EXPECT_EQ(plattform.meldungen.back().text, QStringLiteral("Wollen Sie die Änderungen in »") +
                                                   daten(QStringLiteral("zettlora.dat")).toLower() +
                                                   QStringLiteral("« speichern?"));
    EXPECT_TRUE(text(daten(QStringLiteral("zettlora.dat"))).contains(QStringLiteral("Meier\tEva\tWeg 2")));
    EXPECT_EQ(spalte(Nachname), (QStringList{QStringLiteral("Kundin"), QStringLiteral("Kundin")}));

    // A cancelled chooser changes nothing.
    imDialog([](File& f) { f.befAbbrechen->click(); });
    menue(QStringLiteral("PulOeffnen"));
    EXPECT_EQ(sitzung().AdressDateiName, daten(QStringLiteral("Kunden.Dat")));

    // Describe: the new text shows in the caption at once.
    plattform.eingaben << QStringLiteral("Meine Kunden");
    menue(QStringLiteral("mnuDateiBeschreiben"));
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Meine Kunden"));
    EXPECT_EQ(sitzung().Geaendert, 1);
}

TEST_F(Hauptweg, MisslungenesSpeichernBehaeltDieAlteDateiUndBeendetNicht)
{
    const QString inhalt =
        QStringLiteral("..Alt\r\n") + zeile({{Nachname, QStringLiteral("Alt")}}) + QStringLiteral("\r\n");
    rohSchreiben(daten(QStringLiteral("zettlora.dat")), inhalt);
    Main& m = starten();
    menue(QStringLiteral("mnuAdrAnlegen"));
    tippen(Nachname, QStringLiteral("Neu"));

    // The folder cannot be written: read-only for an ordinary user; for root,
    // who may write there anyway, a folder stands where the new version goes.
    const bool root = ::geteuid() == 0;
    const QString sperre = daten(QStringLiteral("zettlora.dat.neu~"));
    if (root)
        ASSERT_TRUE(QDir().mkpath(sperre + QStringLiteral("/x")));
    else
        QFile::setPermissions(daten(), QFile::ReadOwner | QFile::ExeOwner);

    plattform.antworten << zplatform::vbOK << zplatform::vbNo; // the failure, then "end anyway?" No
    menue(QStringLiteral("PulEnde"));
    EXPECT_FALSE(m.beendet());
    EXPECT_EQ(roh(daten(QStringLiteral("zettlora.dat"))), zplatform::nachWindows1252(inhalt));
    EXPECT_EQ(sitzung().Geaendert, 1);
    EXPECT_EQ(spalte(Nachname), (QStringList{QStringLiteral("Alt"), QStringLiteral("Neu")}));
    ASSERT_GE(plattform.meldungen.size(), 2u);
    EXPECT_TRUE(plattform.meldungen[plattform.meldungen.size() - 2].text.contains(
        QStringLiteral("konnte nicht gespeichert werden")));
    EXPECT_EQ(plattform.meldungen.back().titel, QStringLiteral("Programm beenden"));
    EXPECT_EQ(m.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));

    // Closing the window runs the same exit: the window stays.
    plattform.antworten << zplatform::vbOK << zplatform::vbNo;
    EXPECT_FALSE(m.close());
    EXPECT_FALSE(m.beendet());
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(roh(daten(QStringLiteral("zettlora.dat"))), zplatform::nachWindows1252(inhalt));

    // Once the folder can be written again the same command saves and ends.
    if (root)
        QDir(sperre).removeRecursively();
    else
        QFile::setPermissions(daten(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    menue(QStringLiteral("PulEnde"));
    EXPECT_TRUE(m.beendet());
    EXPECT_TRUE(text(daten(QStringLiteral("zettlora.dat"))).contains(QStringLiteral("\tNeu\t")));
}

TEST_F(Hauptweg, BeendenOhneSpeichernSchreibtNichts)
{
    const QString inhalt =
        QStringLiteral("..Alt\r\n") + zeile({{Nachname, QStringLiteral("Alt")}}) + QStringLiteral("\r\n");
    rohSchreiben(daten(QStringLiteral("zettlora.dat")), inhalt);
    Main& m = starten();
    menue(QStringLiteral("mnuAdrAnlegen"));
    tippen(Nachname, QStringLiteral("Neu"));
    const QString pfad = sitzung().AdressDateiName;
    menue(QStringLiteral("PulAbbruch"));
    EXPECT_TRUE(m.beendet());
    EXPECT_EQ(roh(daten(QStringLiteral("zettlora.dat"))), zplatform::nachWindows1252(inhalt));
    EXPECT_FALSE(Reservierung_Lesen(pfad).vorhanden);
}

} // namespace
