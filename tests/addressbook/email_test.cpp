// The e-mail and web proposals and how the chosen piece is appended.
#include "addressbook/datensatz.h"
#include "addressbook/emailvorschlag.h"
#include "support/testplattform.h"

#include <gtest/gtest.h>

using namespace zadressbuch;

namespace {
Felder karte(const QString& name, const QString& vorname, const QString& telefon = {}, const QString& www = {})
{
    Felder f;
    f[Nachname] = name;
    f[Vorname] = vorname;
    f[Telefon] = telefon;
    f[Www] = www;
    return f;
}
} // namespace

TEST(EMailVorschlagTest, NamensformenMitUmlautenInReihenfolge)
{
    const QStringList v = EMail_KartenVorschlaege(karte(QStringLiteral("Müller"), QStringLiteral("Jörg")));
    EXPECT_EQ(v, (QStringList{QStringLiteral("Mueller"), QStringLiteral("MuellerJoerg"),
                              QStringLiteral("Mueller_Joerg"), QStringLiteral("Mueller.Joerg"),
                              QStringLiteral("MuellerJ"), QStringLiteral("Joerg"), QStringLiteral("JoergMueller"),
                              QStringLiteral("Joerg.Mueller"), QStringLiteral("Joerg_Mueller"),
                              QStringLiteral("JMueller"), QStringLiteral("J.Mueller")}));
}

TEST(EMailVorschlagTest, EinbuchstabigerVornameUndWiederholungen)
{
    const QStringList v = EMail_Vorschlaege(QStringList{QStringLiteral("info"), QStringLiteral("MaierA")},
                                            karte(QStringLiteral("Maier"), QStringLiteral("A")));
    EXPECT_EQ(v, (QStringList{QStringLiteral("info"), QStringLiteral("MaierA"), QStringLiteral("Maier"),
                              QStringLiteral("Maier_A"), QStringLiteral("Maier.A"), QStringLiteral("A"),
                              QStringLiteral("AMaier"), QStringLiteral("A.Maier"), QStringLiteral("A_Maier")}));
}

TEST(EMailVorschlagTest, LeereNamen)
{
    EXPECT_EQ(EMail_Vorschlaege(QStringList{}, karte({}, {})),
              (QStringList{QString(), QStringLiteral("_"), QStringLiteral(".")}));
}

TEST(EMailVorschlagTest, TelefonZiffern)
{
    QStringList v = EMail_KartenVorschlaege(karte({}, {}, QStringLiteral("+49 (030) 123/45-6")));
    EXPECT_EQ(v.mid(11), (QStringList{QStringLiteral("49030123456"), QStringLiteral("49030123456001")}));
    v = EMail_KartenVorschlaege(karte({}, {}, QStringLiteral("privat")));
    EXPECT_EQ(v.mid(11), (QStringList{QString(), QStringLiteral("001")}));
    EXPECT_EQ(EMail_KartenVorschlaege(karte({}, {})).size(), 11);
}

TEST(EMailVorschlagTest, DomainAusWebadresse)
{
    EXPECT_EQ(EMail_KartenVorschlaege(karte({}, {}, {}, QStringLiteral("WWW.Beispiel.DE"))).mid(11),
              QStringList{QStringLiteral(" @Beispiel.DE")});
    EXPECT_EQ(EMail_KartenVorschlaege(karte({}, {}, {}, QStringLiteral("HTTP://www.firma.de/x"))).mid(11),
              QStringList{QStringLiteral(" @firma.de/x")});
    EXPECT_TRUE(EMail_KartenVorschlaege(karte({}, {}, {}, QStringLiteral("https://www.firma.de"))).mid(11).isEmpty());
    EXPECT_TRUE(EMail_KartenVorschlaege(karte({}, {}, {}, QStringLiteral(" www.firma.de"))).mid(11).isEmpty());
}

TEST(EMailVorschlagTest, AnhaengenInZweiSchritten)
{
    QString feld;
    feld = EMail_Anhaengen(feld, {QStringLiteral("Mueller.Joerg")});
    feld = EMail_Anhaengen(feld, {QStringLiteral(" @firma.de")});
    EXPECT_EQ(feld, QStringLiteral("Mueller.Joerg@firma.de"));
    EXPECT_EQ(EMail_Anhaengen(feld, {}), feld);                // cancel
    EXPECT_EQ(EMail_Anhaengen(feld, {QString()}), feld);       // the empty entry
    // Several chosen entries: from the last to the first.
    EXPECT_EQ(EMail_Anhaengen(QStringLiteral("x"), {QStringLiteral(" a "), QStringLiteral("b")}),
              QStringLiteral("xba"));
}

TEST(EMailVorschlagTest, ListendateiDesFeldes)
{
    TempWurzel wurzel;
    wurzel.schreiben(QStringLiteral("programm/liste14.TXT"),
                     QStringLiteral("info@firma.de  \r\nMueller\r\n@web.de\r\n"));
    const QStringList v = EMail_Vorschlaege(14, karte(QStringLiteral("Mueller"), QStringLiteral("Eva")));
    ASSERT_GE(v.size(), 4);
    EXPECT_EQ(v.mid(0, 4), (QStringList{QStringLiteral("info@firma.de"), QStringLiteral("Mueller"),
                                        QStringLiteral("@web.de"), QStringLiteral("MuellerEva")}));
    EXPECT_EQ(v.count(QStringLiteral("Mueller")), 1);
}
