// Mask files and their expansion, down to every CR LF.

#include "masks/masken.h"

#include "addressbook/datensatz.h"
#include "common/ini.h"
#include "platform/codec.h"
#include "testhilfe.h"

#include <QThread>
#include <random>

using zmasken::Maske_Ausfuellen;
using zmasken::Maske_TextAusfuellen;
using zmasken::Maske_TextAusfuellenSchrittweise;

namespace {

// A record from field texts (line breaks as the card holds them).
QString datensatz(std::initializer_list<std::pair<int, QString>> felder)
{
    zadressbuch::Felder f;
    for (const auto& [nr, text] : felder)
        f[nr] = text;
    return zadressbuch::Verbinden(f);
}

const QString Crlf = QStringLiteral("\r\n");

} // namespace

class MaskenTest : public MaskenUmgebung
{
protected:
    void maske(const QString& name, const QString& text)
    {
        bytesSchreiben(daten() + u'/' + name, zplatform::nachWindows1252(text));
    }

    QString muster = datensatz({{1, QStringLiteral("Müller")},
                                {2, QStringLiteral("Hans")},
                                {3, QStringLiteral("Hauptstraße 5")},
                                {4, QStringLiteral("12345")},
                                {5, QStringLiteral("Berlin")},
                                {21, QStringLiteral("Herr")}});
};

TEST_F(MaskenTest, AnschriftBisAufJedesCrLf)
{
    maske(QStringLiteral("Anschrift.msk"),
          QStringLiteral("{Anrede}\r\n{~Zusatz}{Vorname} {Nachname}\r\n{Straße}\r\n\r\n{PLZ} {Ort}\r\n"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Anschrift"), muster),
              "Herr\r\nHans Müller\r\nHauptstraße 5\r\n\r\n12345 Berlin");

    // The optional line appears with its own line end.
    QString mitZusatz = muster;
    zadressbuch::Felder f = zadressbuch::Zerlegen(muster);
    f[10] = QStringLiteral("c/o Firma Beispiel");
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Anschrift"), zadressbuch::Verbinden(f)),
              "Herr\r\nc/o Firma Beispiel\r\nHans Müller\r\nHauptstraße 5\r\n\r\n12345 Berlin");

    // The same file however the name is written; ".msk" is never doubled.
    for (const char* name : {"Anschrift.msk", "ANSCHRIFT", "anschrift.MSK"})
        EXPECT_EQ(Maske_Ausfuellen(QString::fromLatin1(name), muster),
                  "Herr\r\nHans Müller\r\nHauptstraße 5\r\n\r\n12345 Berlin")
            << name;
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Fehlt"), muster), "");
    EXPECT_EQ(zmasken::Maske_Datei(QStringLiteral("anschrift")), daten() + QStringLiteral("/Anschrift.msk"));
}

TEST_F(MaskenTest, NameMitOrdnerGehtVor)
{
    maske(QStringLiteral("Anschrift.msk"), QStringLiteral("aus dem Maskenordner"));
    const QString anders = w.wurzel() + QStringLiteral("/anders");
    QDir().mkpath(anders);
    bytesSchreiben(anders + QStringLiteral("/Anschrift.msk"), "aus dem anderen Ordner");
    EXPECT_EQ(Maske_Ausfuellen(anders + QStringLiteral("/Anschrift"), muster), "aus dem anderen Ordner");
    EXPECT_EQ(Maske_Ausfuellen(anders + QStringLiteral("/ANSCHRIFT.msk"), muster), "aus dem anderen Ordner");
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Anschrift"), muster), "aus dem Maskenordner");
    // A folder that does not exist: the name is then looked for below the mask folder.
    EXPECT_EQ(Maske_Ausfuellen(w.wurzel() + QStringLiteral("/gibtsnicht/Anschrift"), muster), "");
}

TEST_F(MaskenTest, UmbenannteBezeichnungen)
{
    maske(QStringLiteral("Brief.msk"), QStringLiteral("{name}, {Vorname}\r\n{Nachname}\r\n{NAME}"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Brief"), muster), "{name}, Hans\r\nMüller\r\n{NAME}");
    zadressbuch::sitzung().Bezeichnungen[1] = QStringLiteral("Name");
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Brief"), muster), "Müller, Hans\r\n{Nachname}\r\nMüller");
    // Captions are used as shown, blanks included.
    zadressbuch::sitzung().Bezeichnungen[2] = QStringLiteral(" Vorname ");
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Brief"), muster), "Müller, {Vorname}\r\n{Nachname}\r\nMüller");
    // Two captions equal but for case: the lower field fills them all.
    zadressbuch::sitzung().Bezeichnungen[5] = QStringLiteral("NAME");
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Brief"), muster), "Müller, {Vorname}\r\n{Nachname}\r\nMüller");
}

TEST_F(MaskenTest, LeereUndBesondereFelder)
{
    maske(QStringLiteral("Test.msk"), QStringLiteral("Anfang\r\n{Zusatz}\r\n{Nachname}\r\n{Zusatz}\r\n"));
    // An empty plain placeholder leaves an empty line, removed only at the end.
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "Anfang\r\n\r\nMüller");
    // An empty record: fixed text remains.
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), QString()), "Anfang");
    maske(QStringLiteral("Test.msk"), QStringLiteral("<{~Nachname}{Vorname}|{~Rubrik zum Einsortieren}>\r\nEnde"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), QString()), "<|>\r\nEnde");

    // "{~...}" alone on its line still leaves that line's own end.
    maske(QStringLiteral("Test.msk"), QStringLiteral("A\r\n{~Zusatz}\r\nB"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "A\r\n\r\nB");

    // Two lines from one field; a field of blanks inserts the blanks and no line break.
    maske(QStringLiteral("Test.msk"), QStringLiteral("[{~Zusatzbemerkung}{Nachname}]"));
    EXPECT_EQ(
        Maske_Ausfuellen(QStringLiteral("Test"), datensatz({{1, QStringLiteral("M")}, {11, QStringLiteral("x\r\ny")}})),
        "[x\r\ny\r\nM]");
    EXPECT_EQ(
        Maske_Ausfuellen(QStringLiteral("Test"), datensatz({{1, QStringLiteral("M")}, {11, QStringLiteral("   ")}})),
        "[   M]");
    // An empty field 0 is stored as one blank.
    maske(QStringLiteral("Test.msk"), QStringLiteral("[{~Rubrik zum Einsortieren}]"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "[ ]");
}

TEST_F(MaskenTest, FeldtexteMitPlatzhaltern)
{
    maske(QStringLiteral("Test.msk"), QStringLiteral("{Vorname}|{Nachname}|{Ort}|{unbekannt}"));
    // A later field's placeholder, the date and "^t" inside a field text are
    // expanded; an earlier field's placeholder is not.
    const QString d = datensatz(
        {{1, QStringLiteral("{Ort}")}, {2, QStringLiteral("{Nachname}")}, {5, QStringLiteral("{@datum}^T{@Uhrzeit}")}});
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), d),
              "{Nachname}|05.12.2026\t09:05|05.12.2026\t09:05|{unbekannt}");
}

TEST_F(MaskenTest, TildeDatumTabUndRaender)
{
    maske(QStringLiteral("Test.msk"), QStringLiteral("~  Datum: {@Datum}^t{@UHRZEIT}\r\n~~zwei\r\n~drei\r\n  "));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "~  Datum: 05.12.2026\t09:05\r\n~zwei\r\ndrei\r\n");
    // A last line of only "~" keeps the line end before it.
    maske(QStringLiteral("Test.msk"), QStringLiteral("  {Nachname}\r\n~"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "Müller\r\n");
    // Every CR and LF at the end goes, in any mix; a lone LF also ends a line.
    bytesSchreiben(daten() + QStringLiteral("/Test.msk"), "A\nB\r\r\n\n\r");
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "A\r\nB");
    bytesSchreiben(daten() + QStringLiteral("/Test.msk"), QByteArray());
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "");
}

TEST_F(MaskenTest, LangeMaskeWirdNieAbgeschnitten)
{
    QString lang;
    for (int i = 0; i < 400; ++i)
        lang += QStringLiteral("Zeile %1 {Nachname}\r\n").arg(i);
    maske(QStringLiteral("Lang.msk"), lang);
    const QString ergebnis = Maske_Ausfuellen(QStringLiteral("Lang"), muster);
    EXPECT_GT(ergebnis.size(), 6000);
    EXPECT_TRUE(ergebnis.endsWith(QStringLiteral("Zeile 399 Müller")));
    EXPECT_EQ(zmasken::Maske_TextLesen(daten() + QStringLiteral("/Lang.msk")), lang);
}

TEST_F(MaskenTest, GeaenderteDateiWirdNeuGelesen)
{
    maske(QStringLiteral("Test.msk"), QStringLiteral("A {Nachname}"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "A Müller");
    // Same size, written at once: still seen.
    maske(QStringLiteral("Test.msk"), QStringLiteral("B {Nachname}"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "B Müller");
    ASSERT_TRUE(zmasken::Maske_Speichern(daten() + QStringLiteral("/TEST.msk"), QStringLiteral("C {Vorname}")));
    EXPECT_EQ(bytesLesen(daten() + QStringLiteral("/Test.msk")), "C {Vorname}");
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "C Hans");
    // A mask that appears in another case after a miss.
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Neu"), muster), "");
    maske(QStringLiteral("NEU.MSK"), QStringLiteral("neu"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("neu"), muster), "neu");
    QFile::remove(daten() + QStringLiteral("/NEU.MSK"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("neu"), muster), "");
}

// A run (a list print) checks each mask file once and reads the clock once;
// outside a run every call sees an edited mask and the current time.
TEST_F(MaskenTest, DurchgangPrueftDieDateiEinmal)
{
    maske(QStringLiteral("Test.msk"), QStringLiteral("A {Nachname} {@Uhrzeit}"));
    {
        zmasken::Masken_Durchgang durchgang;
        EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "A Müller 09:05");
        EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Fehlt"), muster), "");
        maske(QStringLiteral("Test.msk"), QStringLiteral("B {Nachname} {@Uhrzeit}"));
        maske(QStringLiteral("Fehlt.msk"), QStringLiteral("da"));
        p.uhr = QDateTime(QDate(2026, 12, 5), QTime(9, 6, 0));
        {
            zmasken::Masken_Durchgang innen; // runs nest
            EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "A Müller 09:05");
        }
        EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Fehlt"), muster), "");
        // A mask saved by the program is used at once.
        ASSERT_TRUE(zmasken::Maske_Speichern(daten() + QStringLiteral("/Test.msk"), QStringLiteral("C {Vorname}")));
        EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "C Hans");
        EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Fehlt"), muster), "da");
        // Captions renamed meanwhile are followed all the same.
        zadressbuch::sitzung().Bezeichnungen[2] = QStringLiteral("Rufname");
        EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "C {Vorname}");
        zadressbuch::sitzung().Bezeichnungen[2] = QStringLiteral("Vorname");
    }
    maske(QStringLiteral("Test.msk"), QStringLiteral("D {Nachname} {@Uhrzeit}"));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "D Müller 09:06");
    p.uhr = QDateTime(QDate(2026, 12, 6), QTime(23, 59, 0));
    EXPECT_EQ(Maske_Ausfuellen(QStringLiteral("Test"), muster), "D Müller 23:59");
}

TEST_F(MaskenTest, ListeLesenUndSchriften)
{
    maske(QStringLiteral("b.msk"), QStringLiteral("x"));
    maske(QStringLiteral("A.MSK"), QStringLiteral("x"));
    maske(QStringLiteral("c.txt"), QStringLiteral("x"));
    EXPECT_EQ(zmasken::Masken_Liste(), QStringList({QStringLiteral("A"), QStringLiteral("b")}));

    bytesSchreiben(daten() + QStringLiteral("/l.msk"), "A\rB\nC\r\nD");
    EXPECT_EQ(zmasken::Maske_TextLesen(daten() + QStringLiteral("/l.msk")), "A\r\nB\r\nC\r\nD\r\n");
    bytesSchreiben(daten() + QStringLiteral("/l.msk"), "A\r\n\r\n");
    EXPECT_EQ(zmasken::Maske_TextLesen(daten() + QStringLiteral("/l.msk")), "A\r\n\r\n");
    bool ok = true;
    EXPECT_EQ(zmasken::Maske_TextLesen(daten() + QStringLiteral("/fehlt.msk"), &ok), "");
    EXPECT_FALSE(ok);

    EXPECT_EQ(zmasken::Maske_SchriftSchluessel(daten() + QStringLiteral("/a.b.msk")), "A");
    zmasken::Maske_SchriftSchreiben(QStringLiteral("Anschrift"), QStringLiteral("Arial;10;-1;0;0;255"));
    zmasken::Maske_SchriftSchreiben(daten() + QStringLiteral("/brief.msk"), QStringLiteral("Courier New;12;0;0;0;0"));
    EXPECT_EQ(zmasken::Maske_SchriftLesen(QStringLiteral("anschrift.msk")), "Arial;10;-1;0;0;255");
    EXPECT_EQ(zmasken::Maske_SchriftLesen(QStringLiteral("Fehlt"), QStringLiteral("vorgabe")), "vorgabe");
    EXPECT_EQ(bytesLesen(daten() + QStringLiteral("/Masken.Ini")),
              "[MaskenFonts]\r\nANSCHRIFT=Arial;10;-1;0;0;255\r\nBRIEF=Courier New;12;0;0;0;0\r\n");
}

// The prepared form must give exactly what the literal step-by-step
// replacement gives, whatever the mask, the captions and the field texts.
TEST(MaskenVorbereitung, StimmtMitSchrittweiserErsetzungUeberein)
{
    TestPlattform p;
    p.uhr = QDateTime(QDate(2026, 12, 5), QTime(9, 5, 7));
    std::mt19937 zufall(4711);
    auto wahl = [&](int n) { return int(zufall() % unsigned(n)); };
    const QStringList bausteine = {QStringLiteral("{"),  QStringLiteral("}"), QStringLiteral("~"),
                                   QStringLiteral("^"),  QStringLiteral("t"), QStringLiteral("\r\n"),
                                   QStringLiteral(" "),  QStringLiteral("x"), QStringLiteral("{@Datum}"),
                                   QStringLiteral("°°"), QStringLiteral("a"), QStringLiteral("\n")};
    const QStringList namen = {QStringLiteral("a"), QStringLiteral("A"),  QStringLiteral("ab"), QStringLiteral("~a"),
                               QStringLiteral(""),  QStringLiteral("x}"), QStringLiteral("b")};
    int schnell = 0;
    for (int runde = 0; runde < 4000; ++runde) {
        std::array<QString, zadressbuch::FeldAnzahl> bez = zadressbuch::StandardBezeichnungen();
        for (int k = 0; k < 3; ++k)
            bez[wahl(zadressbuch::FeldAnzahl)] = namen[wahl(namen.size())];
        auto text = [&](int laenge, bool platzhalter) {
            QString t;
            for (int i = 0; i < laenge; ++i) {
                if (platzhalter && wahl(3) == 0)
                    t += (wahl(2) ? QStringLiteral("{") : QStringLiteral("{~")) + bez[wahl(zadressbuch::FeldAnzahl)] +
                         u'}';
                else
                    t += bausteine[wahl(bausteine.size())];
            }
            return t;
        };
        const QString maske = text(wahl(14), true);
        zadressbuch::Felder f;
        for (int k = 0; k < 4; ++k)
            f[wahl(zadressbuch::FeldAnzahl)] = text(wahl(4), wahl(4) == 0);
        QString d = zadressbuch::Verbinden(f);
        if (wahl(3) == 0)
            d.remove(u'{');
        const QString erwartet = Maske_TextAusfuellenSchrittweise(maske, d, bez);
        ASSERT_EQ(Maske_TextAusfuellen(maske, d, bez), erwartet) << "Runde " << runde;
        if (!d.contains(u'{'))
            ++schnell;
    }
    EXPECT_GT(schnell, 1000);
}
