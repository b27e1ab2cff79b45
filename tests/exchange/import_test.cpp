// Import of a delimited address list and of clipboard lines, dialing and the
// directory search.
#include "addressbook/main_hilfen.h"
#include "commands/befehle_hilfe.h"
#include "commands/modal_hilfe.h"

#include "addressbook/befehle.h"
#include "addressbook/sitzung.h"
#include "exchange/import.h"
#include "exchange/ui/adrimport2.h"
#include "exchange/ui/befehle.h"
#include "exchange/ui/impza.h"
#include "exchange/ui/telewahl.h"
#include "exchange/weiterleitung.h"
#include "platform/codec.h"
#include "platform/textdatei.h"
#include "support/fensterattrappe.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QTableWidget>

using namespace zaustausch;
using namespace Qt::StringLiterals;
using zadressbuch::Befehl;
using zadressbuch::EMail;
using zadressbuch::FeldAus;
using zadressbuch::adressliste;
using zadressbuch::Nachname;
using zadressbuch::Ort;
using zadressbuch::Strasse;
using zadressbuch::Vorname;
using zadressbuch::Zerlegen;
using zadressbuch::sitzung;

TEST(Trenntext, Zerlegen)
{
    struct Fall
    {
        const char* name;
        QString text;
        QChar trenner;
        QList<QStringList> erwartet;
    };
    const Fall faelle[] = {
        {"einfach", u"a;b;c\r\nd;e\r\n"_s, u';', {{u"a"_s, u"b"_s, u"c"_s}, {u"d"_s, u"e"_s}}},
        {"leere Felder und LF", u";x;\n\n;\n"_s, u';', {{u""_s, u"x"_s, u""_s}, {u""_s, u""_s}}},
        {"Anführungszeichen",
         u"\"a;b\",\"c\"\"d\",\"zwei\r\nZeilen\"\r"_s,
         u',',
         {{u"a;b"_s, u"c\"d"_s, u"zwei\r\nZeilen"_s}}},
        {"ohne Zeilenende", u"x\ty"_s, u'\t', {{u"x"_s, u"y"_s}}},
        {"leer", QString(), u';', {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(Trenntext_Zerlegen(f.text, f.trenner), f.erwartet);
        EXPECT_EQ(Trenntext_Zerlegen(Trenntext_Verbinden(f.erwartet, f.trenner), f.trenner), f.erwartet);
    }
    EXPECT_EQ(Trenner_Erkennen(u"Name;Vorname;Ort"_s), u';');
    EXPECT_EQ(Trenner_Erkennen(u"Name,Vorname;Ort,PLZ"_s), u',');
    EXPECT_EQ(Trenner_Erkennen(u"\"a;b;c\"\tx"_s), u'\t');
    EXPECT_EQ(Zwischenablage_Zeilen(u"1\r\n2\n3\r4\n5\n6\n7\n8\n9\n"_s).size(), 8);
    EXPECT_EQ(Zwischenablage_Zeilen(u"eins\r\n"_s), QStringList{u"eins"_s});
}

namespace {

QByteArray utf16(const QString& text, QStringConverter::Encoding kodierung)
{
    QStringEncoder kodierer(kodierung, QStringConverter::Flag::WriteBom);
    return kodierer(text);
}

} // namespace

// What an import file's bytes give: the text by its byte-order mark (what a
// spreadsheet writes as "Unicode text" is UTF-16 LE), end-of-file marks
// dropped, NUL characters refused; rows cut to the column limit; cell values
// without marks and with characters an address file cannot hold replaced.
TEST(ImportText, KodierungEndemarkeNullzeichenSpaltenUndWerte)
{
    const QString tabelle = u"Name\tOrt\r\nMüller\tKöln €\r\n"_s;
    struct Fall
    {
        const char* name;
        QByteArray bytes;
        QString text;
        bool abgelehnt;
    };
    const Fall faelle[] = {
        {"UTF-16 LE", utf16(tabelle, QStringConverter::Utf16LE), tabelle, false},
        {"UTF-16 BE", utf16(tabelle, QStringConverter::Utf16BE), tabelle, false},
        {"UTF-8 mit Marke", "\xEF\xBB\xBF" + tabelle.toUtf8(), tabelle, false},
        {"Windows-1252", zplatform::nachWindows1252(tabelle), tabelle, false},
        {"Endemarke", "a;b\r\n\x1a", u"a;b\r\n"_s, false},
        {"Endemarken zwischen Zeilenenden", "a;b\x1a\r\n\x1a\x1a\r\n", u"a;b\r\n\r\n"_s, false},
        {"Marke mitten im Text bleibt", "a\x1a\r\nb", u"a\x1a\r\nb"_s, false},
        {"Nullbyte", QByteArray("Name;Ort\r\nA\0B;C\r\n", 17), QString(), true},
        {"UTF-16 ohne Marke", utf16(tabelle, QStringConverter::Utf16LE).mid(2), QString(), true},
        {"Null in UTF-16", utf16(u"a\tb"_s + QChar(0), QStringConverter::Utf16LE), QString(), true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const ImportText t = ImportText_Aus(f.bytes, u"x.txt"_s);
        EXPECT_EQ(t.text, f.text);
        EXPECT_EQ(t.fehler.isEmpty(), !f.abgelehnt);
        if (f.abgelehnt) {
            EXPECT_EQ(t.fehler,
                      u"Die Datei »x.txt« ist keine Textdatei: sie enthält Null-Zeichen. Es wird nichts importiert."_s);
        }
    }

    bool gekuerzt = false;
    const QString breit = u"a"_s + QString(600, u';') + u"\r\n\"x;y\";b\r\n"_s;
    const QList<QStringList> zeilen = Trenntext_Zerlegen(breit, u';', MaxSpalten, &gekuerzt);
    ASSERT_EQ(zeilen.size(), 2);
    EXPECT_EQ(zeilen[0].size(), MaxSpalten);
    EXPECT_EQ(zeilen[0][0], u"a"_s);
    EXPECT_EQ(zeilen[1], (QStringList{u"x;y"_s, u"b"_s}));
    EXPECT_TRUE(gekuerzt);
    gekuerzt = false;
    Trenntext_Zerlegen(u"a;b"_s, u';', 2, &gekuerzt);
    EXPECT_FALSE(gekuerzt);

    int ersetzt = 0;
    EXPECT_EQ(Importwert(u" \x1a Meier\x1a\t"_s, &ersetzt), u"Meier"_s);
    EXPECT_EQ(Importwert(u"\x1a\x1a"_s, &ersetzt), QString());
    EXPECT_EQ(Importwert(u"Dvořák ﬁx Łódź 😀 €"_s, &ersetzt), u"Dvorák fix Lódz ? €"_s);
    EXPECT_EQ(ersetzt, 5);
    // The nearest letters of a paste; an accent given apart joins its letter;
    // a space of another width is a blank, at the ends none.
    EXPECT_EQ(Importwert(u"Yılmaz Długa Jose\u0301\u2009x\u2003"_s, &ersetzt), u"Yilmaz Dluga José x"_s);
    EXPECT_EQ(ersetzt, 8);
}

namespace {

class ImportTest : public BefehleTest
{
protected:
    void SetUp() override
    {
        BefehleTest::SetUp();
        zadressbuch::adressliste().Clear();
        iniSetzen(u"AdressIndex"_s, u"100"_s);
    }
    void TearDown() override
    {
        zadressbuch::adressliste().Clear();
        BefehleTest::TearDown();
    }
    QString datei() const { return wurzel->temp() + u"/import.csv"_s; }
};

} // namespace

TEST_F(ImportTest, SemikolonDateiMitKopfUndUmlauten)
{
    for (bool utf8 : {false, true}) {
        SCOPED_TRACE(utf8 ? "UTF-8" : "Windows-1252");
        zadressbuch::adressliste().Clear();
        zadressbuch::adressliste().AddItem(satzMit({{1, u"Vorher"_s}}));
        sitzung().Geaendert = 0;
        const QString text = u"Nachname;Vorname;Straße;PLZ;Ort;Notiz\r\n"
                             u"Müller;Jürgen;Hauptstraße 1;12345;Köln;\"mit ; Trenner\"\r\n"
                             u"  ;  ;  ;  ;  ;  \r\n"
                             u"Weiß;Öztürk;Ährenweg 2;54321;Görlitz;\r\n"_s;
        if (utf8)
            zplatform::bytesSchreiben(datei(), text.toUtf8());
        else
            zplatform::textSchreiben(datei(), text);

        AdrImport2 form;
        form.txtDatei->setText(datei());
        ASSERT_TRUE(form.datei_Laden());
        EXPECT_EQ(form.kombiTrenner->currentIndex(), 1);
        EXPECT_TRUE(form.strgKopfzeile->isChecked());
        EXPECT_EQ(form.zuordnung(), (QList<int>{1, 2, 3, 4, 5, -1}));
        EXPECT_EQ(form.lstZuordnung->item(0, 1)->text(), u"Müller"_s);
        // "Notiz" is assigned to the remark field by hand.
        auto* notiz = form.lstZuordnung->findChild<QComboBox*>(u"kombiFeld_5"_s);
        ASSERT_NE(notiz, nullptr);
        notiz->setCurrentIndex(zadressbuch::Bemerkung + 1);
        EXPECT_EQ(form.lstVorschau->rowCount(), 3);
        EXPECT_EQ(form.lstVorschau->columnCount(), 6);
        ASSERT_TRUE(form.befImport->isEnabled());
        form.befImport->click();
        EXPECT_EQ(form.importiert(), 2);
        EXPECT_EQ(plattform->letzteMeldung(), u"2 Adressen wurden importiert."_s);

        const auto& l = zadressbuch::adressliste();
        ASSERT_EQ(l.ListCount(), 3);
        EXPECT_EQ(l.List(1), satzMit({{0, u" "_s},
                                      {1, u"Müller"_s},
                                      {2, u"Jürgen"_s},
                                      {3, u"Hauptstraße 1"_s},
                                      {4, u"12345"_s},
                                      {5, u"Köln"_s},
                                      {11, u"mit ; Trenner"_s},
                                      {15, u"02.07.2000"_s},
                                      {16, u"02.07.2000"_s},
                                      {23, utf8 ? u"102"_s : u"100"_s}}));
        EXPECT_EQ(FeldAus(l.List(2), 1), u"Weiß"_s);
        EXPECT_EQ(FeldAus(l.List(2), 5), u"Görlitz"_s);
        EXPECT_EQ(FeldAus(l.List(2), 23), utf8 ? u"103"_s : u"101"_s);
        EXPECT_EQ(sitzung().Geaendert, 1);
    }
}

TEST_F(ImportTest, NurLesenUndGrenze)
{
    const QList<QStringList> zeilen{{u"A"_s}, {u"B"_s}, {u"C"_s}};
    auto& l = zadressbuch::adressliste();
    sitzung().NurLesen = true;
    ImportErgebnis e = Adressen_Importieren(l, zeilen, {1}, false);
    EXPECT_TRUE(e.abgelehnt);
    EXPECT_EQ(l.ListCount(), 0);
    EXPECT_TRUE(plattform->letzteMeldung().contains(u"nur zum Lesen"_s));
    sitzung().NurLesen = false;

    e = Adressen_Importieren(l, zeilen, {-1}, false);
    EXPECT_TRUE(e.abgelehnt);

    QStringList voll;
    for (int i = 0; i < zadressbuch::MaxAdressen - 1; ++i)
        voll << satzMit({{1, u"x"_s}});
    l.setEintraege(voll);
    e = Adressen_Importieren(l, zeilen, {1}, false);
    EXPECT_EQ(e.importiert, 1);
    EXPECT_TRUE(e.voll);
    EXPECT_EQ(l.ListCount(), zadressbuch::MaxAdressen);
    EXPECT_EQ(plattform->meldungen.back().titel, u"Zettlora meldet Speicherproblem"_s);
}

TEST_F(ImportTest, MenueImportZeigtDieAdresseWieder)
{
    zplatform::textSchreiben(datei(), u"Nachname\tOrt\r\nBäcker\tUlm\r\n"_s);
    zadressbuch::Befehlsregister r;
    zaustausch::Befehle_Anmelden(r);
    FensterAttrappe f;
    EXPECT_TRUE(mitModalDialog<AdrImport2>([&] { r.ausfuehren(Befehl::mnuAdrImpListe, f); },
                                           [&](AdrImport2& d) {
                                               d.txtDatei->setText(datei());
                                               ASSERT_TRUE(d.datei_Laden());
                                               EXPECT_EQ(d.kombiTrenner->currentIndex(), 0);
                                               d.befImport->click();
                                           }));
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 1);
    EXPECT_EQ(f.angezeigt, 1);
}

TEST_F(ImportTest, ZwischenablageInDieKarte)
{
    plattform->zwischenablageSetzen(u"Anna\r\nMeier\r\n  \r\nBerlin\r\n"_s);
    zadressbuch::Befehlsregister r;
    zaustausch::Befehle_Anmelden(r);
    FensterAttrappe f;
    f.felder[5] = u"alt"_s;
    // Cancel: nothing taken.
    EXPECT_TRUE(mitModalDialog<ImpZA>([&] { r.ausfuehren(Befehl::mnuImpZA, f); },
                                      [](ImpZA& d) {
                                          d.KombiFeldZiel[0]->setCurrentIndex(3);
                                          d.befAbbrechen->click();
                                      }));
    EXPECT_TRUE(f.uebernahmen.isEmpty());
    EXPECT_TRUE(mitModalDialog<ImpZA>([&] { r.ausfuehren(Befehl::mnuImpZA, f); },
                                      [](ImpZA& d) {
                                          EXPECT_EQ(d.Feld[0]->text(), u"Anna"_s);
                                          EXPECT_EQ(d.Feld[3]->text(), u"Berlin"_s);
                                          EXPECT_EQ(d.Feld[4]->text(), QString());
                                          EXPECT_EQ(d.KombiFeldZiel[0]->count(), 25);
                                          d.KombiFeldZiel[0]->setCurrentIndex(3); // Vorname
                                          d.KombiFeldZiel[1]->setCurrentIndex(2); // Nachname
                                          d.KombiFeldZiel[2]->setCurrentIndex(6); // blank line
                                          d.befOk->click();
                                      }));
    EXPECT_EQ(f.felder[2], u"Anna"_s);
    EXPECT_EQ(f.felder[1], u"Meier"_s);
    EXPECT_EQ(f.felder[5], u"alt"_s);
    EXPECT_EQ(f.uebernahmen, QList<int>{0});
}

TEST_F(ImportTest, WaehlenUndVerzeichnissuche)
{
    EXPECT_EQ(Telefon_Adresse(u"01019 +49 (30) 123-4"_s), u"tel:0101949301234"_s);
    EXPECT_EQ(Telefon_Adresse(u"+49 30 1234"_s), u"tel:+49301234"_s);
    EXPECT_EQ(Telefon_Adresse(u"keine"_s), QString());

    zadressbuch::Befehlsregister r;
    zaustausch::Befehle_Anmelden(r);
    FensterAttrappe f;
    f.felder[7] = u"030 / 123-4"_s;
    EXPECT_TRUE(mitModalDialog<Telewahl>([&] { r.ausfuehren(Befehl::PulTeleWaehlen, f); },
                                         [](Telewahl& d) {
                                             EXPECT_EQ(d.txtNummer->text(), u"030 / 123-4"_s);
                                             d.befWaehlen->click();
                                             d.befKopieren->click();
                                             d.befAbbrechen->click();
                                         }));
    EXPECT_EQ(plattform->geoeffneteAdressen, QStringList{u"tel:0301234"_s});
    EXPECT_EQ(plattform->zwischenablage(), u"030 / 123-4"_s);

    // A call-by-call prefix of the catalogue goes in front.
    schreiben(u"programm/CallByCall.ini"_s,
              u"[Allgemein]\r\naktiviert=1\r\n[TeleNr]\r\n030=Billig\r\n[CallByCall]\r\nBillig=01019\r\n"_s);
    EXPECT_TRUE(mitModalDialog<Telewahl>([&] { r.ausfuehren(Befehl::PulTeleWaehlen, f); },
                                         [](Telewahl& d) {
                                             EXPECT_EQ(d.txtNummer->text(), u"01019 030 / 123-4"_s);
                                             d.befAbbrechen->click();
                                         }));

    // The directory program: missing, then registered.
    iniSetzen(u"DInfoPrg"_s, wurzel->programm() + u"/dinfo"_s);
    r.ausfuehren(Befehl::mnuAdrImpDINFO2000, f);
    EXPECT_TRUE(plattform->letzteMeldung().contains(u"nicht gefunden"_s));
    EXPECT_TRUE(plattform->gestarteteProgramme.isEmpty());
    schreiben(u"programm/dinfo"_s, u"#!/bin/sh\n"_s);
    r.ausfuehren(Befehl::mnuAdrImpKlickTel98, f);
    ASSERT_EQ(plattform->gestarteteProgramme.size(), 1);
    EXPECT_TRUE(plattform->gestarteteProgramme[0].startsWith(wurzel->programm() + u"/dinfo"_s));
    EXPECT_EQ(plattform->zwischenablage(), u"0301234"_s);
    EXPECT_TRUE(f.statusTexte.back().contains(u"Zwischenablage"_s));
}

// Without column names the columns are proposed in the order of the fields;
// another separator chosen by hand reads the file again.
TEST_F(ImportTest, OhneKopfzeileUndAndererTrenner)
{
    zplatform::textSchreiben(datei(), u"Rubrik A,Meier,Anna\r\nRubrik B,Schulz,Bernd\r\n"_s);
    AdrImport2 form;
    form.txtDatei->setText(datei());
    ASSERT_TRUE(form.datei_Laden());
    EXPECT_EQ(form.kombiTrenner->currentIndex(), 2);
    EXPECT_FALSE(form.strgKopfzeile->isChecked());
    EXPECT_EQ(form.zuordnung(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(form.lstVorschau->rowCount(), 2);

    form.kombiTrenner->setCurrentIndex(0);
    Q_EMIT form.kombiTrenner->activated(0);
    EXPECT_EQ(form.zuordnung(), QList<int>{0}); // one column per line with TAB
    form.kombiTrenner->setCurrentIndex(2);
    Q_EMIT form.kombiTrenner->activated(2);
    form.befImport->click();
    const auto& l = zadressbuch::adressliste();
    ASSERT_EQ(l.ListCount(), 2);
    EXPECT_EQ(FeldAus(l.List(1), 0), u"Rubrik B"_s);
    EXPECT_EQ(FeldAus(l.List(1), 2), u"Bernd"_s);

    // A file that cannot be read says so.
    form.txtDatei->setText(wurzel->temp() + u"/fehlt.csv"_s);
    EXPECT_FALSE(form.datei_Laden());
    EXPECT_TRUE(plattform->letzteMeldung().contains(u"kann nicht gelesen werden"_s));
    EXPECT_FALSE(form.befImport->isEnabled());
}

// A column named as other programs name the e-mail field goes to it, in any
// case; the field is still taken once.
TEST_F(ImportTest, EMailSpalteNachIhremNamen)
{
    for (const QString& name : {u"E-Mail"_s, u"E-MAIL-ADRESSE"_s, u"e-mail-adresse:"_s, u"Email"_s, u" mail "_s}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(Zuordnung_Vorschlagen({u"Name"_s, name}), (QList<int>{-1, EMail}));
    }
    EXPECT_EQ(Zuordnung_Vorschlagen({u"E-Mail"_s, u"Mail"_s, u"eMail"_s}), (QList<int>{EMail, -1, -1}));
    EXPECT_EQ(Zuordnung_Vorschlagen({u"Mailbox"_s, u"E-Mails"_s}), (QList<int>{-1, -1}));
}

namespace {

// The import through the real main window: its menu entry, the import
// window's controls worked as a user works them, the list read back.
class ImportFenster : public main_test::MainFensterTest
{
protected:
    QString datei(const QString& name) const { return wurzel.temp() + u'/' + name; }
    zadressbuch::Main& mitEinerAdresse()
    {
        adressdatei({u"..Test"_s, main_test::zeile({{1, u"Vorher"_s}})});
        return starten();
    }
    // The import window opened from the menu; the steps run on it.
    void importieren(const std::function<void(AdrImport2&)>& schritte)
    {
        EXPECT_TRUE(mitModalDialog<AdrImport2>([&] { fenster->aktion(u"mnuAdrImpListe"_s)->trigger(); }, schritte));
    }
    // Types the path into "Datei" (leaving the box with the key, Enter by default).
    static void dateiEingeben(AdrImport2& d, const QString& pfad, Qt::Key taste = Qt::Key_Return)
    {
        d.txtDatei->setFocus();
        d.txtDatei->clear();
        QTest::keyClicks(d.txtDatei, pfad);
        QTest::keyClick(d.txtDatei, taste);
    }
};

} // namespace

// TAB-separated UTF-16 LE, as a spreadsheet saves "Unicode text": the preview
// and the list hold the text as written; a character the address file cannot
// hold is replaced and said; the saved file holds what the list holds.
TEST_F(ImportFenster, UnicodeTextDerTabellenkalkulationBisInsGespeicherteAdressbuch)
{
    zadressbuch::Main& m = mitEinerAdresse();
    zplatform::bytesSchreiben(datei(u"tabelle.txt"_s),
                              utf16(u"Nachname\tVorname\tStraße\tPLZ\tOrt\r\n"
                                    u"Müller\tJürgen\tÄhrenweg 1\t50667\tKöln\r\n"
                                    u"Dvořák\tAntonín\t\"Weg\t2\"\t1100\tWien 😀\r\n"_s,
                                    QStringConverter::Utf16LE));
    importieren([&](AdrImport2& d) {
        dateiEingeben(d, datei(u"tabelle.txt"_s));
        EXPECT_EQ(d.kombiTrenner->currentIndex(), 0);
        EXPECT_TRUE(d.strgKopfzeile->isChecked());
        EXPECT_EQ(d.zuordnung(), (QList<int>{1, 2, 3, 4, 5}));
        ASSERT_EQ(d.lstVorschau->rowCount(), 2);
        EXPECT_EQ(d.lstVorschau->item(0, 2)->text(), u"Ährenweg 1"_s);
        EXPECT_EQ(d.lstVorschau->item(1, 0)->text(), u"Dvorák"_s);
        QTest::mouseClick(d.befImport, Qt::LeftButton);
    });
    EXPECT_EQ(plattform.letzteMeldung(), u"2 Adressen wurden importiert.\r\n\r\n2 Zeichen, die eine Adressen-Datei "
                                         u"nicht aufnehmen kann, wurden durch ihren Grundbuchstaben oder »?« ersetzt."_s);
    const auto& l = adressliste();
    ASSERT_EQ(l.ListCount(), 3);
    EXPECT_EQ(Zerlegen(l.List(1))[Vorname], u"Jürgen"_s);
    EXPECT_EQ(Zerlegen(l.List(1))[Ort], u"Köln"_s);
    EXPECT_EQ(Zerlegen(l.List(2))[Strasse], u"Weg 2"_s) << "a TAB inside quotes stays no separator";
    EXPECT_EQ(Zerlegen(l.List(2))[Ort], u"Wien ?"_s);
    EXPECT_EQ(m.FeldText(Nachname), u"Vorher"_s) << "the selected address is shown again";

    m.aktion(u"PulSichern"_s)->trigger();
    EXPECT_EQ(zplatform::ausWindows1252(dateiBytes()), u"..Test\r\n"_s + l.eintraege().join(u"\r\n"_s) + u"\r\n"_s);
}

// A UTF-8 list from elsewhere: the letters the address file cannot hold come
// as the card takes them from a paste (their nearest letters), "?" only for
// what has none, and the result box counts each of them.
TEST_F(ImportFenster, Utf8ListeBringtDieNaechstenBuchstaben)
{
    zadressbuch::Main& m = mitEinerAdresse();
    zplatform::bytesSchreiben(datei(u"liste.csv"_s), u"Nachname;Vorname;Straße;Ort\r\n"
                                                     u"Łukasiewicz;łukasz;Długa 5;Kraków\r\n"
                                                     u"Yılmaz;Ayşe;Dvořákova 2;Brno 😀\r\n"_s.toUtf8());
    importieren([&](AdrImport2& d) {
        dateiEingeben(d, datei(u"liste.csv"_s));
        EXPECT_EQ(d.lstVorschau->item(0, 0)->text(), u"Lukasiewicz"_s);
        QTest::mouseClick(d.befImport, Qt::LeftButton);
    });
    EXPECT_EQ(plattform.letzteMeldung(), u"2 Adressen wurden importiert.\r\n\r\n7 Zeichen, die eine Adressen-Datei "
                                         u"nicht aufnehmen kann, wurden durch ihren Grundbuchstaben oder »?« ersetzt."_s);
    m.aktion(u"PulSichern"_s)->trigger();
    const QByteArray gespeichert = dateiBytes();
    for (const char* teil : {"\tLukasiewicz\tlukasz\tDluga 5\t\tKrak\xf3w\t", "\tYilmaz\tAyse\tDvor\xe1kova 2\t\tBrno ?\t"})
        EXPECT_TRUE(gespeichert.contains(teil)) << teil;
}

// Enter in "Datei" or leaving the box loads the preview and imports nothing;
// only the enabled "Importieren" imports.
TEST_F(ImportFenster, EnterOderVerlassenDesDateifeldsZeigtDieVorschau)
{
    mitEinerAdresse();
    wurzel.schreiben(u"temp/semikolon.csv"_s, u"Nachname;Ort\r\nMeier;Ulm\r\nSchulz;Bonn\r\n"_s);
    wurzel.schreiben(u"temp/komma.csv"_s, u"Nachname,Ort\r\nKraus,Jena\r\n"_s);
    importieren([&](AdrImport2& d) {
        // Focus moves only in the active window.
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        EXPECT_FALSE(d.befImport->isEnabled());
        dateiEingeben(d, datei(u"semikolon.csv"_s));
        QTest::keyClick(d.txtDatei, Qt::Key_Enter);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(adressliste().ListCount(), 1);
        EXPECT_EQ(d.kombiTrenner->currentIndex(), 1);
        EXPECT_EQ(d.lstVorschau->rowCount(), 2);
        EXPECT_TRUE(d.befImport->isEnabled());

        dateiEingeben(d, datei(u"komma.csv"_s), Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), d.txtDatei);
        EXPECT_EQ(d.kombiTrenner->currentIndex(), 2);
        EXPECT_EQ(d.lstVorschau->rowCount(), 1);

        // A missing file when leaving: said below the preview, no box; nothing to import.
        const size_t meldungen = plattform.meldungen.size();
        dateiEingeben(d, datei(u"fehlt.csv"_s), Qt::Key_Tab);
        EXPECT_EQ(plattform.meldungen.size(), meldungen);
        EXPECT_TRUE(d.bezInfo->text().contains(u"kann nicht gelesen werden"_s));
        EXPECT_FALSE(d.befImport->isEnabled());
        QTest::mouseClick(d.befImport, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());

        dateiEingeben(d, datei(u"komma.csv"_s));
        QTest::mouseClick(d.befImport, Qt::LeftButton);
    });
    EXPECT_EQ(spalte(adressliste(), Nachname), (QStringList{u"Vorher"_s, u"Kraus"_s}));
}

// A binary file is refused; half a million separators give 255 columns and
// a word that the rest is ignored; end-of-file marks become no address, so
// the list and the saved file agree.
TEST_F(ImportFenster, BinaerdateiSpaltenflutUndEndemarken)
{
    mitEinerAdresse();
    zplatform::bytesSchreiben(datei(u"binaer.dat"_s), QByteArray("Nachname;Ort\r\nA\0B;C\r\n", 21));
    importieren([&](AdrImport2& d) {
        dateiEingeben(d, datei(u"binaer.dat"_s));
        EXPECT_TRUE(plattform.letzteMeldung().contains(u"ist keine Textdatei: sie enthält Null-Zeichen"_s));
        EXPECT_EQ(d.lstZuordnung->rowCount(), 0);
        EXPECT_FALSE(d.befImport->isEnabled());
        QTest::mouseClick(d.befAbbrechen, Qt::LeftButton);
    });
    EXPECT_EQ(adressliste().ListCount(), 1);

    wurzel.schreiben(u"temp/breit.csv"_s, u"Nachname;Ort"_s + QString(500000, u';') + u"\r\nMeier;Ulm\r\n"_s);
    importieren([&](AdrImport2& d) {
        dateiEingeben(d, datei(u"breit.csv"_s));
        EXPECT_EQ(d.lstZuordnung->rowCount(), MaxSpalten);
        EXPECT_EQ(d.lstZuordnung->findChildren<QComboBox*>().size(), MaxSpalten);
        EXPECT_TRUE(plattform.letzteMeldung().endsWith(u"der Rest wird ignoriert."_s));
        EXPECT_TRUE(d.bezInfo->text().contains(u"der Rest wird ignoriert"_s));
        EXPECT_EQ(d.zuordnung().mid(0, 3), (QList<int>{Nachname, Ort, -1}));
        QTest::mouseClick(d.befImport, Qt::LeftButton);
    });

    zplatform::bytesSchreiben(datei(u"dos.txt"_s), "Nachname;Ort\r\nSchulz;Bonn\r\n\x1a\x1a\r\nKraus;Jena\x1a\r\n\x1a");
    importieren([&](AdrImport2& d) {
        dateiEingeben(d, datei(u"dos.txt"_s));
        QTest::mouseClick(d.befImport, Qt::LeftButton);
    });
    const QStringList liste = adressliste().eintraege();
    EXPECT_EQ(spalte(adressliste(), Nachname), (QStringList{u"Vorher"_s, u"Meier"_s, u"Schulz"_s, u"Kraus"_s}));
    EXPECT_EQ(spalte(adressliste(), Ort), (QStringList{QString(), u"Ulm"_s, u"Bonn"_s, u"Jena"_s}));
    fenster->aktion(u"PulSichern"_s)->trigger();
    starten();
    EXPECT_EQ(adressliste().eintraege(), liste);
}

// A column headed "E-Mail" shows the e-mail field as its target and fills it;
// a long example leaves the assignment table as wide as it was, its field
// column in sight.
TEST_F(ImportFenster, EMailSpalteUndEineTabelleDieIhreBreiteBehaelt)
{
    mitEinerAdresse();
    wurzel.schreiben(u"temp/kontakte.csv"_s,
                     u"Nachname;E-Mail;Notiz\r\nMeier;anna@example.org;"_s + QString(150, u'x') + u"\r\n"_s);
    importieren([&](AdrImport2& d) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        const QHeaderView* kopf = d.lstZuordnung->horizontalHeader();
        const int breite = kopf->length();
        const int tabelle = d.lstZuordnung->width();
        EXPECT_EQ(breite, d.lstZuordnung->viewport()->width());
        EXPECT_GE(kopf->sectionSize(2), kopf->sectionSizeHint(2)) << "the field column's caption is cut";

        dateiEingeben(d, datei(u"kontakte.csv"_s));
        const auto* ziel = d.lstZuordnung->findChild<QComboBox*>(u"kombiFeld_1"_s);
        ASSERT_NE(ziel, nullptr);
        EXPECT_EQ(ziel->currentText(), u"eMail"_s);
        EXPECT_EQ(d.zuordnung(), (QList<int>{Nachname, EMail, -1}));
        EXPECT_EQ(kopf->length(), breite);
        EXPECT_EQ(d.lstZuordnung->width(), tabelle);
        const QRect feld = d.lstZuordnung->visualRect(d.lstZuordnung->model()->index(2, 2));
        EXPECT_TRUE(d.lstZuordnung->viewport()->rect().contains(feld))
            << "the field of the long column is out of sight, at " << feld.x();
        QTest::mouseClick(d.befImport, Qt::LeftButton);
    });
    ASSERT_EQ(adressliste().ListCount(), 2);
    EXPECT_EQ(Zerlegen(adressliste().List(1))[EMail], u"anna@example.org"_s);
}

// A column name of 100 characters: after the preview has loaded, the
// assignment table is as wide as it was, and every row's field box is in sight.
TEST_F(ImportFenster, HundertZeichenSpaltennameLaesstDieFeldspalteInSicht)
{
    mitEinerAdresse();
    const QString lang = u"Bemerkung zum Kunden aus dem alten Warenwirtschaftssystem, übernommen beim Umzug der Firma "
                         u"nach Köln"_s;
    ASSERT_EQ(lang.size(), 100);
    wurzel.schreiben(u"temp/lang.csv"_s, u"Nachname;"_s + lang + u";Ort\r\nMeier;alt;Ulm\r\n"_s);
    importieren([&](AdrImport2& d) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        const QHeaderView* kopf = d.lstZuordnung->horizontalHeader();
        const int breite = kopf->length();
        const int tabelle = d.lstZuordnung->width();

        dateiEingeben(d, datei(u"lang.csv"_s));
        ASSERT_EQ(d.lstZuordnung->rowCount(), 3);
        EXPECT_EQ(d.lstZuordnung->item(1, 0)->text(), lang) << "the name is cut only where it is shown";
        EXPECT_EQ(d.lstVorschau->rowCount(), 1);
        EXPECT_EQ(d.lstZuordnung->width(), tabelle);
        EXPECT_EQ(kopf->length(), breite);
        const QRect sicht = d.lstZuordnung->viewport()->rect();
        for (int zeile = 0; zeile < 3; ++zeile) {
            const QRect feld = d.lstZuordnung->visualRect(d.lstZuordnung->model()->index(zeile, 2));
            EXPECT_TRUE(feld.left() >= sicht.left() && feld.right() <= sicht.right())
                << "the field box of column " << zeile + 1 << " lies at " << feld.left() << " to " << feld.right()
                << ", the table shows " << sicht.left() << " to " << sicht.right();
        }
        QTest::mouseClick(d.befImport, Qt::LeftButton);
    });
    EXPECT_EQ(spalte(adressliste(), Nachname), (QStringList{u"Vorher"_s, u"Meier"_s}));
    EXPECT_EQ(spalte(adressliste(), Ort), (QStringList{QString(), u"Ulm"_s}));
}

namespace {

// Field 23 of every entry, in list order.
QStringList indexnummern()
{
    return spalte(adressliste(), zadressbuch::Index);
}

// The counter "AdressIndex" in both its places, program settings first.
QStringList zaehler()
{
    return {zcommon::Ini_Lesen(sitzung().ProgrammIni(), u"Allgemein"_s, u"AdressIndex"_s, u"<fehlt>"_s),
            zcommon::Ini_Lesen(QString(), QString(), u"AdressIndex"_s, u"<fehlt>"_s)};
}

void zaehlerSetzen(const QString& wert)
{
    zcommon::Ini_Schreiben(sitzung().ProgrammIni(), u"Allgemein"_s, u"AdressIndex"_s, wert);
    zcommon::Ini_Schreiben(QString(), QString(), u"AdressIndex"_s, wert);
}

} // namespace

// An address that brings an index number above 0 keeps it, as the preview
// shows it, into the saved file; only the others take new numbers, and the
// counter advances by as many as they took, not past a number brought.
TEST_F(ImportFenster, MitgebrachteIndexnummerBleibtErhalten)
{
    mitEinerAdresse();
    zaehlerSetzen(u"40"_s);
    wurzel.schreiben(u"temp/mit_index.txt"_s, u"Nachname\tIndex\tEMAIL\r\n"
                                              u"Zahl\t4711\tq@w.de\r\n"
                                              u"Ohne\t\tx@y.de\r\n"
                                              u"Null\t0\tn@w.de\r\n"
                                              u"Minus\t-3\tm@w.de\r\n"
                                              u"Text\tabc\tt@w.de\r\n"
                                              u"Bruch\t12.5\tb@w.de\r\n"_s);
    importieren([&](AdrImport2& d) {
        dateiEingeben(d, datei(u"mit_index.txt"_s));
        EXPECT_EQ(d.zuordnung(), (QList<int>{Nachname, zadressbuch::Index, EMail}));
        ASSERT_EQ(d.lstVorschau->columnCount(), 3);
        EXPECT_EQ(d.lstVorschau->horizontalHeaderItem(2)->text(), u"Index"_s);
        EXPECT_EQ(d.lstVorschau->item(0, 2)->text(), u"4711"_s);
        QTest::mouseClick(d.befImport, Qt::LeftButton);
    });
    EXPECT_EQ(spalte(adressliste(), Nachname),
              (QStringList{u"Vorher"_s, u"Zahl"_s, u"Ohne"_s, u"Null"_s, u"Minus"_s, u"Text"_s, u"Bruch"_s}));
    EXPECT_EQ(indexnummern(),
              (QStringList{QString(), u"4711"_s, u"40"_s, u"41"_s, u"42"_s, u"43"_s, u"12.5"_s}));
    EXPECT_EQ(zaehler(), (QStringList{u"44"_s, u"44"_s}));

    fenster->aktion(u"PulSichern"_s)->trigger();
    const QStringList gespeichert = zplatform::ausWindows1252(dateiBytes()).split(u"\r\n"_s);
    const auto zahl = std::find_if(gespeichert.begin(), gespeichert.end(),
                                   [](const QString& z) { return FeldAus(z, Nachname) == u"Zahl"_s; });
    ASSERT_NE(zahl, gespeichert.end());
    EXPECT_EQ(FeldAus(*zahl, zadressbuch::Index), u"4711"_s);
    starten();
    EXPECT_EQ(indexnummern(),
              (QStringList{QString(), u"4711"_s, u"40"_s, u"41"_s, u"42"_s, u"43"_s, u"12.5"_s}));
}

// A file without caption line of 24 columns fills field 23 from the last
// column: the numbers it brings are kept, and with every row bringing one the
// counter is left alone. The clipboard import fills field 23 of the shown
// address as it fills any field and numbers nothing either.
TEST_F(ImportFenster, IndexAusDerLetztenSpalteUndAusDerZwischenablage)
{
    zadressbuch::Main& m = mitEinerAdresse();
    zaehlerSetzen(u"40"_s);
    QString text;
    for (const QString& nummer : {u"4711"_s, u"17"_s}) {
        QStringList zellen(zadressbuch::FeldAnzahl);
        zellen[Nachname] = u"Name "_s + nummer;
        zellen[zadressbuch::Index] = nummer;
        text += zellen.join(u';') + u"\r\n"_s;
    }
    wurzel.schreiben(u"temp/ohne_kopf.csv"_s, text);
    importieren([&](AdrImport2& d) {
        dateiEingeben(d, datei(u"ohne_kopf.csv"_s));
        EXPECT_FALSE(d.strgKopfzeile->isChecked());
        ASSERT_EQ(d.zuordnung().size(), zadressbuch::FeldAnzahl);
        EXPECT_EQ(d.zuordnung().back(), zadressbuch::Index);
        QTest::mouseClick(d.befImport, Qt::LeftButton);
    });
    EXPECT_EQ(indexnummern(), (QStringList{QString(), u"4711"_s, u"17"_s}));
    EXPECT_EQ(zaehler(), (QStringList{u"40"_s, u"40"_s}));

    plattform.zwischenablageSetzen(u"815\r\n"_s);
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    m.Feld(Vorname)->setFocus();
    EXPECT_TRUE(mitModalDialog<ImpZA>([&] { QTest::keyClick(m.Feld(Vorname), Qt::Key_F8, Qt::ControlModifier); },
                                      [](ImpZA& d) {
                                          d.KombiFeldZiel[0]->setCurrentIndex(zadressbuch::Index + 1);
                                          QTest::mouseClick(d.befOk, Qt::LeftButton);
                                      }));
    EXPECT_EQ(m.FeldText(zadressbuch::Index), u"815"_s);
    EXPECT_EQ(indexnummern(), (QStringList{u"815"_s, u"4711"_s, u"17"_s}));
    EXPECT_EQ(zaehler(), (QStringList{u"40"_s, u"40"_s}));
}
