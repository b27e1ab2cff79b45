// The e-mail and web proposals and how the chosen piece is appended.
#include "addressbook/datensatz.h"
#include "addressbook/emailvorschlag.h"
#include "support/testplattform.h"

#include <gtest/gtest.h>

using namespace zadressbuch;
using namespace Qt::StringLiterals;

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

TEST(EMailVorschlagTest, NamensformenInReihenfolgeOhneWiederholung)
{
    EXPECT_EQ(
        EMail_KartenVorschlaege(karte(u"Müller"_s, u"Jörg"_s)),
        (QStringList{u"Mueller"_s, u"MuellerJoerg"_s, u"Mueller_Joerg"_s, u"Mueller.Joerg"_s, u"MuellerJ"_s, u"Joerg"_s,
                     u"JoergMueller"_s, u"Joerg.Mueller"_s, u"Joerg_Mueller"_s, u"JMueller"_s, u"J.Mueller"_s}));
    // A one-letter first name, and forms already in the list file.
    EXPECT_EQ(EMail_Vorschlaege(QStringList{u"info"_s, u"MaierA"_s}, karte(u"Maier"_s, u"A"_s)),
              (QStringList{u"info"_s, u"MaierA"_s, u"Maier"_s, u"Maier_A"_s, u"Maier.A"_s, u"A"_s, u"AMaier"_s,
                           u"A.Maier"_s, u"A_Maier"_s}));
    EXPECT_EQ(EMail_Vorschlaege(QStringList{}, karte({}, {})), (QStringList{QString(), u"_"_s, u"."_s}));
}

TEST(EMailVorschlagTest, TelefonZiffernUndDomainAusDerWebadresse)
{
    EXPECT_EQ(EMail_KartenVorschlaege(karte({}, {}, u"+49 (030) 123/45-6"_s)).mid(11),
              (QStringList{u"49030123456"_s, u"49030123456001"_s}));
    EXPECT_EQ(EMail_KartenVorschlaege(karte({}, {}, u"privat"_s)).mid(11), (QStringList{QString(), u"001"_s}));
    EXPECT_EQ(EMail_KartenVorschlaege(karte({}, {})).size(), 11);

    auto domain = [](const QString& www) { return EMail_KartenVorschlaege(karte({}, {}, {}, www)).mid(11); };
    EXPECT_EQ(domain(u"WWW.Beispiel.DE"_s), QStringList{u" @Beispiel.DE"_s});
    EXPECT_EQ(domain(u"HTTP://www.firma.de/x"_s), QStringList{u" @firma.de/x"_s});
    EXPECT_TRUE(domain(u"https://www.firma.de"_s).isEmpty());
    EXPECT_TRUE(domain(u" www.firma.de"_s).isEmpty());
}

TEST(EMailVorschlagTest, AnhaengenInZweiSchritten)
{
    QString feld;
    feld = EMail_Anhaengen(feld, {u"Mueller.Joerg"_s});
    feld = EMail_Anhaengen(feld, {u" @firma.de"_s});
    EXPECT_EQ(feld, u"Mueller.Joerg@firma.de"_s);
    EXPECT_EQ(EMail_Anhaengen(feld, {}), feld);          // cancel
    EXPECT_EQ(EMail_Anhaengen(feld, {QString()}), feld); // the empty entry
    // Several chosen entries: from the last to the first.
    EXPECT_EQ(EMail_Anhaengen(u"x"_s, {u" a "_s, u"b"_s}), u"xba"_s);
}

TEST(EMailVorschlagTest, ListendateiDesFeldes)
{
    TempWurzel wurzel;
    wurzel.schreiben(u"programm/liste14.TXT"_s, u"info@firma.de  \r\nMueller\r\n@web.de\r\n"_s);
    const QStringList v = EMail_Vorschlaege(14, karte(u"Mueller"_s, u"Eva"_s));
    ASSERT_GE(v.size(), 4);
    EXPECT_EQ(v.mid(0, 4), (QStringList{u"info@firma.de"_s, u"Mueller"_s, u"@web.de"_s, u"MuellerEva"_s}));
    EXPECT_EQ(v.count(u"Mueller"_s), 1);
}
