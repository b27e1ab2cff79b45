// Catalogue files: names and keys per country prefix, postcode splitting,
// the three look-ups with their modes and the pick list, the writers.
#include "katalogtest.h"

#include "catalogues/katalog.h"

using namespace zkataloge;

namespace {

struct ZerlegFall
{
    const char* plz;
    const char* land;
    const char* schluessel;
    const char* shard;
};

} // namespace

TEST(PlzZerlegen, PraefixSchluesselUndShard)
{
    const ZerlegFall faelle[] = {
        {"D-12345", "D-", "12345", "1"},
        {"  ch-8000 ", "CH-", "8000", "8"},
        {"A-1010", "A-", "1010", "1"},
        {"12345", "S-", "12345", "1"},   // no prefix: the default
        {"-12345", "S-", "-12345", "9"}, // hyphen first: no prefix
        {"X1234", "S-", "X1234", "9"},
        {"D-ABC", "D-", "ABC", "9"},
        {"", "S-", "", ""},
        {"D-", "D-", "", ""},
        {"12-345", "S-", "12-345", "1"}, // a number in front: no prefix
        // only letters and digits name a country: no path can be smuggled into the file name
        {"../x-1", "S-", "../x-1", "9"},
        {"a/b-123", "S-", "a/b-123", "9"},
        {"D -12", "S-", "D -12", "9"},
    };
    for (const ZerlegFall& f : faelle) {
        const PlzTeile t = Plz_Zerlegen(QString::fromUtf8(f.plz), QStringLiteral("S-"));
        EXPECT_EQ(t.land, QString::fromUtf8(f.land)) << f.plz;
        EXPECT_EQ(t.schluessel, QString::fromUtf8(f.schluessel)) << f.plz;
        EXPECT_EQ(t.shard, QString::fromUtf8(f.shard)) << f.plz;
    }
}

TEST_F(KatalogTest, DateinamenUndSchluesselJeArt)
{
    const QString ordner = wurzel.programm() + QStringLiteral("/Kataloge/");
    struct Fall
    {
        Katalogart art;
        const char* code;
        const char* datei;
        const char* sektion;
        const char* schluessel;
    } faelle[] = {
        {Katalogart::Ort, "D-12345", "D-PLZ_Ort_1.txt", "PLZ", "12345"},
        {Katalogart::Ort, "A-1010", "A-PLZ_Ort_1.txt", "PLZ", "1010"},
        {Katalogart::Ort, "X1234", "D-PLZ_Ort_9.txt", "PLZ", "X1234"},
        {Katalogart::Vorwahl, " 50667 ", "D-PLZ_Vorwahl_5.txt", "PLZ", "50667"},
        {Katalogart::Bank, "12345678", "D-BLZ_1.Txt", "BLZ", "12345678"},
        {Katalogart::Bank, " 5 ", "D-BLZ_5.Txt", "BLZ", "5"},
    };
    for (const Fall& f : faelle) {
        const KatalogZiel z = Katalog_Ziel(f.art, QString::fromUtf8(f.code), QStringLiteral("D-"));
        EXPECT_EQ(z.datei, ordner + QString::fromUtf8(f.datei)) << f.code;
        EXPECT_EQ(z.sektion, QString::fromUtf8(f.sektion)) << f.code;
        EXPECT_EQ(z.schluessel, QString::fromUtf8(f.schluessel)) << f.code;
    }
    // Keys a settings file cannot hold as a key line are never written.
    for (const char* code : {"", "  ", "[1]", ";7", "1=2", "/123"})
        EXPECT_TRUE(Katalog_Ziel(code[0] == '/' ? Katalogart::Bank : Katalogart::Ort, QString::fromUtf8(code),
                                 QStringLiteral("D-"))
                        .datei.isEmpty())
            << code;
}

TEST(KatalogEintraege, TeilenUndTrimmen)
{
    EXPECT_EQ(Katalog_Eintraege(QStringLiteral("Köln, Bonn,,  Hürth ")),
              (QStringList{QStringLiteral("Köln"), QStringLiteral("Bonn"), QStringLiteral("Hürth")}));
    EXPECT_TRUE(Katalog_Eintraege(QString()).isEmpty());
    QStringList viele;
    for (int i = 1; i <= 101; ++i)
        viele << QString::number(i);
    const QStringList e = Katalog_Eintraege(viele.join(QLatin1Char(',')));
    ASSERT_EQ(e.size(), 99);
    EXPECT_EQ(e.last(), QStringLiteral("101")); // from the 99th on each replaces the last
}

TEST_F(KatalogTest, OrtMitZweiNamenWaehlenGanzOderAbbrechen)
{
    katalog(QStringLiteral("D-PLZ_Ort_5.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("50667=Köln, Köln-Altstadt")});
    QList<QStringList> angebote;
    std::optional<QString> antwort = QStringLiteral("Köln-Altstadt");
    const Waehler waehler = [&](const QStringList& e) {
        angebote << e;
        return antwort;
    };

    int modus = 1;
    EXPECT_EQ(KatalogOrt_Suchen(QStringLiteral("50667"), modus, waehler, QStringLiteral("alt")),
              QStringLiteral("Köln-Altstadt"));
    ASSERT_EQ(angebote.size(), 1);
    EXPECT_EQ(angebote[0], (QStringList{QStringLiteral("Köln"), QStringLiteral("Köln-Altstadt")}));

    modus = 2; // whole, comma included, no pick list
    EXPECT_EQ(KatalogOrt_Suchen(QStringLiteral("D-50667"), modus, waehler), QStringLiteral("Köln, Köln-Altstadt"));
    EXPECT_EQ(angebote.size(), 1);

    modus = 0; // behaves as 1 and is stored back
    antwort.reset();
    EXPECT_EQ(KatalogOrt_Suchen(QStringLiteral("50667"), modus, waehler, QStringLiteral("Bonn")),
              QStringLiteral("Bonn"));
    EXPECT_EQ(modus, 1);
    EXPECT_EQ(angebote.size(), 2);
}

TEST_F(KatalogTest, EinEintragOhneAuswahlUndFuehrendesKomma)
{
    katalog(QStringLiteral("D-PLZ_Ort_1.txt"),
            {QStringLiteral("[PLZ]"), QStringLiteral("10115=Berlin"), QStringLiteral("12345=, Irgendwo")});
    int aufrufe = 0;
    const Waehler waehler = [&](const QStringList&) {
        ++aufrufe;
        return std::optional<QString>();
    };
    int modus = 1;
    EXPECT_EQ(KatalogOrt_Suchen(QStringLiteral("10115"), modus, waehler), QStringLiteral("Berlin"));
    EXPECT_EQ(KatalogOrt_Suchen(QStringLiteral("12345"), modus, waehler), QStringLiteral("Irgendwo"));
    EXPECT_EQ(aufrufe, 0);
    EXPECT_EQ(KatalogOrt_Suchen(QStringLiteral("99999"), modus, waehler), QString());
}

TEST_F(KatalogTest, FehlendeDateiGibtLeerUndLegtNichtsAn)
{
    QDir(wurzel.programm() + QStringLiteral("/Kataloge")).removeRecursively();
    int modus = 0;
    EXPECT_EQ(KatalogBank_Suchen(QStringLiteral("12345678"), modus), QString());
    EXPECT_EQ(modus, 0); // the bank look-up keeps 0 while its file is missing
    EXPECT_EQ(KatalogOrt_Suchen(QStringLiteral("12345"), modus), QString());
    EXPECT_EQ(modus, 1);
    modus = 2;
    EXPECT_EQ(KatalogVorwahl_Suchen(QStringLiteral("12345"), modus), QString());
    EXPECT_FALSE(QFileInfo::exists(wurzel.programm() + QStringLiteral("/Kataloge")));
}

TEST_F(KatalogTest, BankcodeGetrimmtUndInBeidenFormenGefunden)
{
    katalog(QStringLiteral("D-BLZ_5.Txt"), {QStringLiteral("[BLZ]"), QStringLiteral("05=Fünferbank")});
    katalog(QStringLiteral("D-BLZ_0.Txt"), {QStringLiteral("[BLZ]"), QStringLiteral("0123=Nullbank")});
    katalog(QStringLiteral("D-BLZ_3.Txt"), {QStringLiteral("[BLZ]"), QStringLiteral("37040044=Commerzbank, Andere")});
    int modus = 0;
    EXPECT_EQ(KatalogBank_Suchen(QStringLiteral("5"), modus), QStringLiteral("Fünferbank"));
    EXPECT_EQ(modus, 1);
    EXPECT_EQ(KatalogBank_Suchen(QStringLiteral("0123"), modus), QStringLiteral("Nullbank")); // stored plain
    // blanks around the code no longer hide the file
    modus = 2;
    EXPECT_EQ(KatalogBank_Suchen(QStringLiteral("  37040044 "), modus), QStringLiteral("Commerzbank, Andere"));
    EXPECT_EQ(KatalogBank_Suchen(QStringLiteral("370 400 44"), modus), QString());
    // a cancelled choice gives ""
    modus = 1;
    EXPECT_EQ(KatalogBank_Suchen(QStringLiteral("37040044"), modus,
                                 [](const QStringList&) { return std::optional<QString>(); }),
              QString());
    // the writer's key is found by the look-up
    KatalogBlz_Schreiben(QStringLiteral(" 5 "), QStringLiteral("Neue Fünferbank"));
    EXPECT_TRUE(katalogText(QStringLiteral("D-BLZ_5.Txt")).contains(QStringLiteral("5=Neue Fünferbank\r\n")));
    modus = 2;
    EXPECT_EQ(KatalogBank_Suchen(QStringLiteral("5"), modus), QStringLiteral("Neue Fünferbank"));
}

TEST_F(KatalogTest, VorwahlOhneZahlwertLiestNichts)
{
    katalog(QStringLiteral("D-PLZ_Vorwahl_0.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("00000=0999")});
    katalog(QStringLiteral("D-PLZ_Vorwahl_9.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("ABC=0888")});
    katalog(QStringLiteral("D-PLZ_Vorwahl_5.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("50667=0221,02203")});
    int modus = 2;
    EXPECT_EQ(KatalogVorwahl_Suchen(QStringLiteral("00000"), modus), QString());
    EXPECT_EQ(KatalogVorwahl_Suchen(QStringLiteral("D-ABC"), modus), QString());
    EXPECT_EQ(KatalogVorwahl_Suchen(QStringLiteral("50667"), modus), QStringLiteral("0221,02203"));
    modus = 1;
    EXPECT_EQ(KatalogVorwahl_Suchen(QStringLiteral("50667"), modus,
                                    [](const QStringList&) { return std::optional<QString>(); }),
              QString());
}

TEST_F(KatalogTest, SchreiberErsetzenUndGebenGeschriebenesZurueck)
{
    zadressbuch::sitzung().KatalogStdLand = QStringLiteral("CH-");
    EXPECT_EQ(KatalogOrt_Schreiben(QStringLiteral(" 8000 "), QStringLiteral("  Zürich ")), QStringLiteral("Zürich"));
    EXPECT_EQ(KatalogOrt_Schreiben(QStringLiteral("A-1010"), QStringLiteral("Wien")), QStringLiteral("Wien"));
    EXPECT_EQ(KatalogVorwahl_Schreiben(QStringLiteral("8000"), QStringLiteral("044")), QStringLiteral("044"));
    EXPECT_EQ(KatalogOrt_Schreiben(QStringLiteral("8000"), QStringLiteral("Zürich, Oerlikon")),
              QStringLiteral("Zürich, Oerlikon"));
    EXPECT_EQ(katalogText(QStringLiteral("CH-PLZ_Ort_8.txt")), QStringLiteral("[PLZ]\r\n8000=Zürich, Oerlikon\r\n"));
    EXPECT_EQ(katalogText(QStringLiteral("A-PLZ_Ort_1.txt")), QStringLiteral("[PLZ]\r\n1010=Wien\r\n"));
    EXPECT_EQ(katalogText(QStringLiteral("CH-PLZ_Vorwahl_8.txt")), QStringLiteral("[PLZ]\r\n8000=044\r\n"));
    // a key that would break the file is not written
    EXPECT_EQ(KatalogOrt_Schreiben(QStringLiteral("[1]"), QStringLiteral("Nirgendwo")), QString());
    EXPECT_FALSE(gibt(QStringLiteral("CH-PLZ_Ort_9.txt")));
    // the writers do not create the folder
    QDir(wurzel.programm() + QStringLiteral("/Kataloge")).removeRecursively();
    KatalogBlz_Schreiben(QStringLiteral("12345678"), QStringLiteral("X"));
    EXPECT_FALSE(QFileInfo::exists(wurzel.programm() + QStringLiteral("/Kataloge")));
}

TEST_F(KatalogTest, AuswahlUeberDasFenster)
{
    katalog(QStringLiteral("D-PLZ_Ort_5.txt"), {QStringLiteral("[PLZ]"), QStringLiteral("50667=Köln,Deutz")});
    fenster.auswahlAntworten.enqueue({QStringLiteral("Deutz")});
    int modus = 1;
    EXPECT_EQ(KatalogOrt_Suchen(QStringLiteral("50667"), modus, Fenster_Waehler(fenster)), QStringLiteral("Deutz"));
    ASSERT_EQ(fenster.auswahlAngebote.size(), 1);
    EXPECT_EQ(fenster.auswahlAngebote[0], (QStringList{QStringLiteral("Köln"), QStringLiteral("Deutz")}));
}
