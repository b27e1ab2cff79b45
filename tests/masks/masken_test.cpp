// Mask files and their expansion, down to every CR LF.

#include "masks/masken.h"

#include "addressbook/datensatz.h"
#include "common/ini.h"
#include "platform/codec.h"
#include "testhilfe.h"

#include <random>

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

} // namespace

class MaskenTest : public MaskenUmgebung
{
protected:
    void maske(const QString& name, const QString& text)
    {
        bytesSchreiben(daten() + u'/' + name, zplatform::nachWindows1252(text));
    }
    QString aus(const QString& name) const { return zmasken::Maske_Ausfuellen(name, muster); }
    QString aus(const QString& name, const QString& satz) const { return zmasken::Maske_Ausfuellen(name, satz); }

    QString muster =
        datensatz({{1, "Müller"}, {2, "Hans"}, {3, "Hauptstraße 5"}, {4, "12345"}, {5, "Berlin"}, {21, "Herr"}});
};

TEST_F(MaskenTest, AnschriftBisAufJedesCrLf)
{
    maske("Anschrift.msk", "{Anrede}\r\n{~Zusatz}{Vorname} {Nachname}\r\n{Straße}\r\n\r\n{PLZ} {Ort}\r\n");
    // The same file however the name is written; ".msk" is never doubled.
    for (const char* name : {"Anschrift", "Anschrift.msk", "ANSCHRIFT", "anschrift.MSK"})
        EXPECT_EQ(aus(name), "Herr\r\nHans Müller\r\nHauptstraße 5\r\n\r\n12345 Berlin") << name;

    // The optional line appears with its own line end.
    zadressbuch::Felder f = zadressbuch::Zerlegen(muster);
    f[10] = "c/o Firma Beispiel";
    EXPECT_EQ(aus("Anschrift", zadressbuch::Verbinden(f)),
              "Herr\r\nc/o Firma Beispiel\r\nHans Müller\r\nHauptstraße 5\r\n\r\n12345 Berlin");
    EXPECT_EQ(aus("Fehlt"), "");
    EXPECT_EQ(zmasken::Maske_Datei("anschrift"), daten() + "/Anschrift.msk");
}

TEST_F(MaskenTest, NameMitOrdnerGehtVor)
{
    maske("Anschrift.msk", "aus dem Maskenordner");
    const QString anders = w.wurzel() + "/anders";
    QDir().mkpath(anders);
    bytesSchreiben(anders + "/Anschrift.msk", "aus dem anderen Ordner");
    EXPECT_EQ(aus(anders + "/Anschrift"), "aus dem anderen Ordner");
    EXPECT_EQ(aus(anders + "/ANSCHRIFT.msk"), "aus dem anderen Ordner");
    EXPECT_EQ(aus("Anschrift"), "aus dem Maskenordner");
    // A folder that does not exist: the name is then looked for below the mask folder.
    EXPECT_EQ(aus(w.wurzel() + "/gibtsnicht/Anschrift"), "");
}

TEST_F(MaskenTest, UmbenannteBezeichnungen)
{
    maske("Brief.msk", "{name}, {Vorname}\r\n{Nachname}\r\n{NAME}");
    EXPECT_EQ(aus("Brief"), "{name}, Hans\r\nMüller\r\n{NAME}");
    auto& bez = zadressbuch::sitzung().Bezeichnungen;
    bez[1] = "Name";
    EXPECT_EQ(aus("Brief"), "Müller, Hans\r\n{Nachname}\r\nMüller");
    // Captions are used as shown, blanks included.
    bez[2] = " Vorname ";
    EXPECT_EQ(aus("Brief"), "Müller, {Vorname}\r\n{Nachname}\r\nMüller");
    // Two captions equal but for case: the lower field fills them all.
    bez[5] = "NAME";
    EXPECT_EQ(aus("Brief"), "Müller, {Vorname}\r\n{Nachname}\r\nMüller");
}

TEST_F(MaskenTest, LeereUndBesondereFelder)
{
    maske("Test.msk", "Anfang\r\n{Zusatz}\r\n{Nachname}\r\n{Zusatz}\r\n");
    // An empty plain placeholder leaves an empty line, removed only at the end.
    EXPECT_EQ(aus("Test"), "Anfang\r\n\r\nMüller");
    // An empty record: fixed text remains.
    EXPECT_EQ(aus("Test", QString()), "Anfang");
    maske("Test.msk", "<{~Nachname}{Vorname}|{~Rubrik zum Einsortieren}>\r\nEnde");
    EXPECT_EQ(aus("Test", QString()), "<|>\r\nEnde");

    // "{~...}" alone on its line still leaves that line's own end.
    maske("Test.msk", "A\r\n{~Zusatz}\r\nB");
    EXPECT_EQ(aus("Test"), "A\r\n\r\nB");

    // Two lines from one field; a field of blanks inserts the blanks and no line break.
    maske("Test.msk", "[{~Zusatzbemerkung}{Nachname}]");
    EXPECT_EQ(aus("Test", datensatz({{1, "M"}, {11, "x\r\ny"}})), "[x\r\ny\r\nM]");
    EXPECT_EQ(aus("Test", datensatz({{1, "M"}, {11, "   "}})), "[   M]");
    // An empty field 0 is stored as one blank.
    maske("Test.msk", "[{~Rubrik zum Einsortieren}]");
    EXPECT_EQ(aus("Test"), "[ ]");

    // A later field's placeholder, the date and "^t" inside a field text are
    // expanded; an earlier field's placeholder and unknown names are not.
    maske("Test.msk", "{Vorname}|{Nachname}|{Ort}|{unbekannt}");
    EXPECT_EQ(aus("Test", datensatz({{1, "{Ort}"}, {2, "{Nachname}"}, {5, "{@datum}^T{@Uhrzeit}"}})),
              "{Nachname}|05.12.2026\t09:05|05.12.2026\t09:05|{unbekannt}");
}

TEST_F(MaskenTest, TildeDatumTabUndRaender)
{
    maske("Test.msk", "~  Datum: {@Datum}^t{@UHRZEIT}\r\n~~zwei\r\n~drei\r\n  ");
    EXPECT_EQ(aus("Test"), "~  Datum: 05.12.2026\t09:05\r\n~zwei\r\ndrei\r\n");
    // A last line of only "~" keeps the line end before it.
    maske("Test.msk", "  {Nachname}\r\n~");
    EXPECT_EQ(aus("Test"), "Müller\r\n");
    // Every CR and LF at the end goes, in any mix; a lone LF also ends a line.
    bytesSchreiben(daten() + "/Test.msk", "A\nB\r\r\n\n\r");
    EXPECT_EQ(aus("Test"), "A\r\nB");
    bytesSchreiben(daten() + "/Test.msk", QByteArray());
    EXPECT_EQ(aus("Test"), "");

    // A long mask is never cut.
    QString lang;
    for (int i = 0; i < 400; ++i)
        lang += QStringLiteral("Zeile %1 {Nachname}\r\n").arg(i);
    maske("Lang.msk", lang);
    const QString ergebnis = aus("Lang");
    EXPECT_GT(ergebnis.size(), 6000);
    EXPECT_TRUE(ergebnis.endsWith("Zeile 399 Müller"));
    EXPECT_EQ(zmasken::Maske_TextLesen(daten() + "/Lang.msk"), lang);
}

TEST_F(MaskenTest, GeaenderteDateiWirdNeuGelesen)
{
    maske("Test.msk", "A {Nachname}");
    EXPECT_EQ(aus("Test"), "A Müller");
    // Same size, written at once: still seen.
    maske("Test.msk", "B {Nachname}");
    EXPECT_EQ(aus("Test"), "B Müller");
    ASSERT_TRUE(zmasken::Maske_Speichern(daten() + "/TEST.msk", "C {Vorname}"));
    EXPECT_EQ(bytesLesen(daten() + "/Test.msk"), "C {Vorname}");
    EXPECT_EQ(aus("Test"), "C Hans");
    // A mask that appears in another case after a miss.
    EXPECT_EQ(aus("Neu"), "");
    maske("NEU.MSK", "neu");
    EXPECT_EQ(aus("neu"), "neu");
    QFile::remove(daten() + "/NEU.MSK");
    EXPECT_EQ(aus("neu"), "");
}

// A run (a list print) checks each mask file once and reads the clock once;
// outside a run every call sees an edited mask and the current time.
TEST_F(MaskenTest, DurchgangPrueftDieDateiEinmal)
{
    maske("Test.msk", "A {Nachname} {@Uhrzeit}");
    {
        zmasken::Masken_Durchgang durchgang;
        EXPECT_EQ(aus("Test"), "A Müller 09:05");
        EXPECT_EQ(aus("Fehlt"), "");
        maske("Test.msk", "B {Nachname} {@Uhrzeit}");
        maske("Fehlt.msk", "da");
        p.uhr = QDateTime(QDate(2026, 12, 5), QTime(9, 6, 0));
        {
            zmasken::Masken_Durchgang innen; // runs nest
            EXPECT_EQ(aus("Test"), "A Müller 09:05");
        }
        EXPECT_EQ(aus("Fehlt"), "");
        // A mask saved by the program is used at once.
        ASSERT_TRUE(zmasken::Maske_Speichern(daten() + "/Test.msk", "C {Vorname}"));
        EXPECT_EQ(aus("Test"), "C Hans");
        EXPECT_EQ(aus("Fehlt"), "da");
        // Captions renamed meanwhile are followed all the same.
        zadressbuch::sitzung().Bezeichnungen[2] = "Rufname";
        EXPECT_EQ(aus("Test"), "C {Vorname}");
        zadressbuch::sitzung().Bezeichnungen[2] = "Vorname";
    }
    maske("Test.msk", "D {Nachname} {@Uhrzeit}");
    EXPECT_EQ(aus("Test"), "D Müller 09:06");
    p.uhr = QDateTime(QDate(2026, 12, 6), QTime(23, 59, 0));
    EXPECT_EQ(aus("Test"), "D Müller 23:59");
}

TEST_F(MaskenTest, ListeLesenUndSchriften)
{
    for (const char* name : {"b.msk", "A.MSK", "c.txt"})
        maske(name, "x");
    EXPECT_EQ(zmasken::Masken_Liste(), QStringList({"A", "b"}));

    const QString l = daten() + "/l.msk";
    bytesSchreiben(l, "A\rB\nC\r\nD");
    EXPECT_EQ(zmasken::Maske_TextLesen(l), "A\r\nB\r\nC\r\nD\r\n");
    bytesSchreiben(l, "A\r\n\r\n");
    EXPECT_EQ(zmasken::Maske_TextLesen(l), "A\r\n\r\n");
    bool ok = true;
    EXPECT_EQ(zmasken::Maske_TextLesen(daten() + "/fehlt.msk", &ok), "");
    EXPECT_FALSE(ok);

    EXPECT_EQ(zmasken::Maske_SchriftSchluessel(daten() + "/a.b.msk"), "A");
    zmasken::Maske_SchriftSchreiben("Anschrift", "Arial;10;-1;0;0;255");
    zmasken::Maske_SchriftSchreiben(daten() + "/brief.msk", "Courier New;12;0;0;0;0");
    EXPECT_EQ(zmasken::Maske_SchriftLesen("anschrift.msk"), "Arial;10;-1;0;0;255");
    EXPECT_EQ(zmasken::Maske_SchriftLesen("Fehlt", "vorgabe"), "vorgabe");
    EXPECT_EQ(bytesLesen(daten() + "/Masken.Ini"),
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
    const QStringList bausteine = {"{", "}", "~", "^", "t", "\r\n", " ", "x", "{@Datum}", "°°", "a", "\n"};
    const QStringList namen = {"a", "A", "ab", "~a", "", "x}", "b"};
    int schnell = 0;
    for (int runde = 0; runde < 4000; ++runde) {
        std::array<QString, zadressbuch::FeldAnzahl> bez = zadressbuch::StandardBezeichnungen();
        for (int k = 0; k < 3; ++k)
            bez[wahl(zadressbuch::FeldAnzahl)] = namen[wahl(namen.size())];
        auto text = [&](int laenge, bool platzhalter) {
            QString t;
            for (int i = 0; i < laenge; ++i) {
                if (platzhalter && wahl(3) == 0)
                    t += (wahl(2) ? "{" : "{~") + bez[wahl(zadressbuch::FeldAnzahl)] + u'}';
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
