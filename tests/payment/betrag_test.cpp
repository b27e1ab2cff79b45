// Amounts: the leaving rule of the amount fields, the value that decides
// whether an amount is printed, and the split into units and cents.

#include "common/texte.h"
#include "payment/auftraggeber.h"
#include "payment/betrag.h"

#include "zahlungstest.h"

using namespace zzahlung;

TEST(Betrag, AuswertenNachDenRegelnDesBetragsfelds)
{
    // clang-format off
    const struct { const char* getippt; int max; const char* danach; } faelle[] = {
        {"12,5", 30, "12,50"}, {"3*4,5", 30, "13,50"}, {"1000", 30, "1000,00"}, {"12.5", 30, "12,50"},
        {"1/3", 30, "0,33"}, {"2,005", 30, "2,01"},
        // Leading number not above 0: left exactly as typed.
        {"0,50", 30, "0,50"}, {"-5", 30, "-5"}, {"(2+3)", 30, "(2+3)"}, {"abc", 30, "abc"}, {"", 30, ""},
        // A number with two decimal separators is not worked out.
        {"1.234,50", 30, "1.234,50"}, {"1,2,3", 30, "1,2,3"}, {"5+1.000,5", 30, "5+1.000,5"},
        // A failing expression gives zero.
        {"5/0", 30, "0,00"},
        // Too long for the box: decimals go first, the whole units never.
        {"99999999*9", 10, "899999991"}, {"99999999/7", 10, "14285714,1"}, {"999*999", 5, "999*999"},
    };
    // clang-format on
    for (const auto& f : faelle)
        EXPECT_EQ(Betrag_Auswerten(QString::fromUtf8(f.getippt), f.max), QString::fromUtf8(f.danach)) << f.getippt;
}

TEST(Betrag, NurEineSchlichteZahlIstEinBetrag)
{
    // clang-format off
    const struct { const char* text; double wert; } faelle[] = {
        {"12,50", 12.5}, {"0,50", 0.5}, {" 7 ", 7}, {"-5,00", -5}, {"1234,50", 1234.5}, {",5", 0.5}, {"12.5", 12.5},
        {"", 0}, {"0,00", 0}, {"abc", 0}, {"3*4,5", 0}, {"(2+3)", 0}, {"1.234,50", 0}, {"12,5 EUR", 0}, {"-", 0},
        {"+", 0}, {",", 0}, {"1e5", 0},
    };
    // clang-format on
    for (const auto& f : faelle)
        EXPECT_DOUBLE_EQ(Betrag_Wert(QString::fromUtf8(f.text)), f.wert) << f.text;
}

TEST(Betrag, ZerlegtInGanzeCent)
{
    // clang-format off
    const struct { double wert; const char* einheiten; const char* cent; } faelle[] = {
        {15.5, "15", "50"}, {12.5 + 2.93, "15", "43"}, {0.999, "1", "00"}, {0.995, "1", "00"}, {2.005, "2", "01"},
        {0.1 + 0.2, "0", "30"}, {0, "0", "00"}, {-0.5, "-0", "50"}, {-12.34, "-12", "34"}, {2.933745f, "2", "93"},
        {99999999.99, "99999999", "99"},
    };
    // clang-format on
    for (const auto& f : faelle) {
        const BetragTeile t = Betrag_Zerlegen(f.wert);
        EXPECT_EQ(t.einheiten, QString::fromLatin1(f.einheiten)) << f.wert;
        EXPECT_EQ(t.cent, QString::fromLatin1(f.cent)) << f.wert;
        EXPECT_EQ(t.cent.size(), 2);
    }
}

TEST(Auftraggeber, EintragUndZerlegungNachPosition)
{
    EXPECT_EQ(Auftraggeber_Zerlegen(QStringLiteral("Firma A | 123 | 456 | Bank B")),
              (std::array<QString, 4>{"Firma A", "123", "456", "Bank B"}));
    // Empty parts keep their place; missing ones are empty, further ones ignored.
    EXPECT_EQ(Auftraggeber_Zerlegen(QStringLiteral(" | 123 |  | Bank B")),
              (std::array<QString, 4>{"", "123", "", "Bank B"}));
    EXPECT_EQ(Auftraggeber_Zerlegen(QStringLiteral("Nur Name")), (std::array<QString, 4>{"Nur Name", "", "", ""}));
    EXPECT_EQ(Auftraggeber_Zerlegen(QStringLiteral("a|b|c|d|e")), (std::array<QString, 4>{"a", "b", "c", "d"}));
    // Remember applies the payer-character rule and trims.
    EXPECT_EQ(Auftraggeber_Eintrag(QStringLiteral(" Meier; Sohn | GmbH "), QStringLiteral("1|2"), QString(),
                                   QStringLiteral("Bank;")),
              QStringLiteral("Meier, Sohn - GmbH | 1-2 |  | Bank,"));
    EXPECT_EQ(Auftraggeber_Eintrag(QString(), QString(), QString(), QString()), QStringLiteral(" |  |  | "));
}

TEST(Auftraggeber, ListeHinUndZurueck)
{
    const QStringList liste = Auftraggeberliste_Lesen(QStringLiteral("P | 1 | 2 | X;;Q | 3 | 4 | Y;"));
    EXPECT_EQ(liste, (QStringList{"P | 1 | 2 | X", "Q | 3 | 4 | Y"}));
    EXPECT_EQ(Auftraggeberliste_Text(liste), QStringLiteral("P | 1 | 2 | X;Q | 3 | 4 | Y;"));
    EXPECT_EQ(Auftraggeberliste_Text({}), QString());

    // Whatever the payer fields hold comes back field for field.
    const QString felder[][4] = {{"A;B", "12|3", " 456 ", "Bank|;"}, {"", "", "", ""}, {"Ä ß", "-", "|", ";"}};
    QStringList eintraege;
    for (const auto& f : felder)
        eintraege << Auftraggeber_Eintrag(f[0], f[1], f[2], f[3]);
    const QStringList zurueck = Auftraggeberliste_Lesen(Auftraggeberliste_Text(eintraege));
    ASSERT_EQ(zurueck.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const auto teile = Auftraggeber_Zerlegen(zurueck.at(i));
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(teile[size_t(j)], zcommon::Trim(Zahlerzeichen(felder[i][j]))) << i << "/" << j;
    }
}
