// A save never replaces unasked what another program has saved since this
// one read or last wrote the address file: the question, the version kept
// beside the file, the exit with nobody to answer and the word at the next
// start; and this run stays a holder of the reservation while it saves.
#include "adresstest.h"
#include "main_hilfen.h"

#include "addressbook/adressdatei.h"
#include "addressbook/adressliste.h"
#include "common/ini.h"
#include "common/start.h"
#include "platform/dateisystem.h"

#include <sys/stat.h>

using namespace zadressbuch;

namespace {

const QByteArray Alt = "..Test\r\n \tAlt\t\r\n";
const QByteArray Fremd = "..Test\r\n \tFremd\t\r\n";
const QByteArray Unsere = "..Test\r\n \tAlt\t\r\n \tUnsere\t\r\n";

class FremdeFassung : public AdressTest
{
protected:
    AdressListe liste;

    void SetUp() override
    {
        AdressTest::SetUp();
        ablegen(datei(), Alt);
        ASSERT_TRUE(Daten_Laden(liste));
    }
    void aendern(const QString& name = u"Unsere"_s)
    {
        liste.AddItem(u" \t"_s + name + u"\t"_s);
        sitzung().Geaendert = 1;
    }
    QString kopie(int nummer = 1) const
    {
        return daten + (nummer == 1 ? u"/zettlora_tester.Dat"_s : u"/zettlora_tester_%1.Dat"_s.arg(nummer));
    }
};

// How another program may have saved the file meanwhile.
enum class Weg { Umbenannt, VorOrtGleichLang, Angehaengt };

void andererSpeichert(const QString& datei, Weg weg)
{
    switch (weg) {
    case Weg::Umbenannt: {
        QFile neu(datei + u".anderes"_s);
        ASSERT_TRUE(neu.open(QIODevice::WriteOnly));
        neu.write(Fremd);
        neu.close();
        ASSERT_EQ(::rename(QFile::encodeName(neu.fileName()).constData(), QFile::encodeName(datei).constData()), 0);
        break;
    }
    case Weg::VorOrtGleichLang: {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray gleichLang = Fremd;
        gleichLang.truncate(Alt.size());
        ASSERT_EQ(gleichLang.size(), Alt.size());
        f.write(gleichLang);
        ASSERT_TRUE(f.flush());
        // A clock tick later, as another program's write comes.
        ASSERT_TRUE(
            f.setFileTime(f.fileTime(QFileDevice::FileModificationTime).addSecs(1), QFileDevice::FileModificationTime));
        break;
    }
    case Weg::Angehaengt: {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(" \tAngehaengt\t\r\n");
        break;
    }
    }
}

} // namespace

// Another program's version is replaced only after the question; this
// run's own versions, one save after the other, and a file removed
// meanwhile ask nothing.
TEST_F(FremdeFassung, FrageVorDemErsetzen_JaErsetzt_NeinLegtDieFassungDaneben)
{
    aendern(u"Erste"_s);
    ASSERT_TRUE(Daten_Speichern(liste));
    aendern(u"Zweite"_s);
    ASSERT_TRUE(Daten_Speichern(liste));
    ASSERT_TRUE(QFile::remove(datei()));
    aendern(u"Dritte"_s);
    ASSERT_TRUE(Daten_Speichern(liste));
    EXPECT_TRUE(plattform.meldungen.empty()) << plattform.letzteMeldung().toStdString();
    EXPECT_TRUE(bytes(datei()).endsWith(" \tDritte\t\r\n"));

    const struct
    {
        const char* name;
        Weg weg;
    } wege[] = {{"saved and renamed into place", Weg::Umbenannt},
                {"written in place, same length", Weg::VorOrtGleichLang},
                {"appended to", Weg::Angehaengt}};
    for (const auto& w : wege) {
        for (const int antwort : {zplatform::vbNo, zplatform::vbYes}) {
            SCOPED_TRACE(w.name);
            SCOPED_TRACE(antwort == zplatform::vbYes ? "Ja" : "Nein");
            ablegen(datei(), Alt);
            ASSERT_TRUE(Daten_Laden(liste));
            plattform.meldungen.clear();
            plattform.toene.clear();
            aendern();
            andererSpeichert(datei(), w.weg);
            const QByteArray seine = bytes(datei());
            plattform.antworten.enqueue(antwort);
            ASSERT_TRUE(Daten_Speichern(liste));
            EXPECT_EQ(sitzung().Geaendert, 0);

            const GezeigteMeldung* frage = plattform.meldungMitTitel(u"Adressdatei inzwischen gespeichert"_s);
            ASSERT_NE(frage, nullptr);
            EXPECT_EQ(plattform.toene.value(0), u"#SystemQuestion"_s);
            EXPECT_EQ(frage->stil & 0xF0F, int(zplatform::vbYesNo | zplatform::vbDefaultButton2));
            EXPECT_EQ(frage->schliessAntwort, zplatform::vbNo);
            for (const QString& teil : {datei(), u"zettlora_tester.Dat"_s})
                EXPECT_TRUE(frage->text.contains(teil)) << teil.toStdString();
            if (antwort == zplatform::vbYes) {
                EXPECT_EQ(bytes(datei()), Unsere);
                EXPECT_FALSE(QFileInfo::exists(kopie()));
                // Now this run's version stands there: the next save asks nothing.
                aendern(u"Weiter"_s);
                ASSERT_TRUE(Daten_Speichern(liste));
                EXPECT_EQ(plattform.meldungen.size(), 1u);
            } else {
                EXPECT_EQ(bytes(datei()), seine) << "the other program's version stays";
                EXPECT_EQ(bytes(kopie()), Unsere);
                const GezeigteMeldung* wo = plattform.meldungMitTitel(u"Fassung daneben gespeichert"_s);
                ASSERT_NE(wo, nullptr);
                EXPECT_TRUE(wo->text.contains(kopie())) << wo->text.toStdString();
                // The file is still the other's: asked again; the copy's name is taken.
                aendern(u"Weiter"_s);
                plattform.antworten.enqueue(zplatform::vbNo);
                ASSERT_TRUE(Daten_Speichern(liste));
                EXPECT_EQ(bytes(kopie()), Unsere);
                EXPECT_TRUE(bytes(kopie(2)).endsWith(" \tWeiter\t\r\n"));
                EXPECT_EQ(bytes(datei()), seine);
            }
            Daten_Schliessen();
            QFile::remove(kopie());
            QFile::remove(kopie(2));
        }
    }
}

// An older version took the reservation over and wrote its one line: the
// next save makes this run a holder again, so a new start is asked.
TEST_F(FremdeFassung, SpeichernMachtDenLaufWiederZumHalter)
{
    const QString bert = u"Bert|laptop|4711|01.07.2000 08:15"_s;
    zcommon::Ini_Schreiben(Reservierungsdatei(datei()), u"Reservierung"_s, u"zettlora.dat"_s, bert);
    aendern();
    ASSERT_TRUE(Daten_Speichern(liste));
    const QString eintrag = zcommon::Ini_Lesen(Reservierungsdatei(datei()), u"Reservierung"_s, u"zettlora.dat"_s);
    EXPECT_TRUE(eintrag.startsWith(u"tester|testrechner|%1|"_s.arg(zplatform::eigenePid()))) << eintrag.toStdString();
    EXPECT_TRUE(eintrag.endsWith(u"|"_s + bert)) << eintrag.toStdString();
    Daten_Schliessen();
    EXPECT_EQ(zcommon::Ini_Lesen(Reservierungsdatei(datei()), u"Reservierung"_s, u"zettlora.dat"_s), bert);
}

namespace {

using FremdeFassungMain = main_test::MainFensterTest;

} // namespace

// The idle exit, with nobody to answer, keeps this version beside the file
// another program saved meanwhile; the next start names it, once.
TEST_F(FremdeFassungMain, LeerlaufLegtDieFassungDaneben_DerNaechsteStartSagtWo)
{
    zcommon::Benutzer_Zuruecksetzen(); // "Tester", from the scripted login
    zcommon::Instanz_Freigeben();
    adressdatei({u"..Geteilt"_s, main_test::zeile({{1, u"Alt"_s}})});
    main_test::einstellung(u"TimeOut_Tester"_s, u"10"_s, wurzel.programm() + u"/Zettlora.Ini"_s, u"zettlora.dat"_s);
    Main& m = starten();
    m.ZeitTimeOut->stop();
    adressliste().setList(0, main_test::zeile({{1, u"Unsere"_s}}));
    m.Adresse_Anzeigen();
    sitzung().Geaendert = 1;
    andererSpeichert(sitzung().AdressDateiName, Weg::Umbenannt);

    sitzung().LeerlaufZaehler = sitzung().LeerlaufGrenze;
    m.ZeitTimeOut_Timer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.beendet(); }));
    EXPECT_EQ(plattform.meldungMitTitel(u"Adressdatei inzwischen gespeichert"_s), nullptr) << "asked with nobody there";
    EXPECT_EQ(dateiBytes(), Fremd);
    const QString kopie = wurzel.programm() + u"/zettlora_tester.Dat"_s;
    EXPECT_TRUE(wurzel.lesen(u"programm/zettlora_tester.Dat"_s).contains(u"\tUnsere\t"_s));

    for (int start = 0; start < 2; ++start) {
        neuerLauf();
        zcommon::Instanz_Freigeben();
        plattform.meldungen.clear();
        starten();
        int hinweise = 0;
        for (const GezeigteMeldung& g : plattform.meldungen) {
            if (g.titel != u"Fassung daneben gespeichert"_s)
                continue;
            ++hinweise;
            for (const QString& teil : {kopie, sitzung().AdressDateiName, u"02.07.2000"_s})
                EXPECT_TRUE(g.text.contains(teil)) << teil.toStdString() << "\n" << g.text.toStdString();
        }
        EXPECT_EQ(hinweise, start == 0 ? 1 : 0);
    }
}
