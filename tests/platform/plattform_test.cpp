#include "platform/plattform.h"
#include "platform/ui/twips.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zplatform;

TEST(Plattform, StandardAntwort)
{
    EXPECT_EQ(standardAntwort(vbOKOnly), vbOK);
    EXPECT_EQ(standardAntwort(vbOKCancel | vbDefaultButton2), vbCancel);
    EXPECT_EQ(standardAntwort(vbYesNo | vbQuestion), vbYes);
    EXPECT_EQ(standardAntwort(vbYesNo | vbQuestion | vbDefaultButton2), vbNo);
    EXPECT_EQ(standardAntwort(vbYesNoCancel | vbDefaultButton3), vbCancel);
    EXPECT_EQ(standardAntwort(vbAbortRetryIgnore | vbDefaultButton2), vbRetry);
    EXPECT_EQ(standardAntwort(vbAbortRetryIgnore | vbDefaultButton3 | vbCritical), vbIgnore);
    EXPECT_EQ(standardAntwort(vbRetryCancel), vbRetry);
    // A default button the box does not have falls back to the first one.
    EXPECT_EQ(standardAntwort(vbYesNo | vbDefaultButton3), vbYes);
    EXPECT_EQ(standardAntwort(vbOKOnly | vbDefaultButton2), vbOK);
}

TEST(Plattform, SichereAntwortNieJa)
{
    // Whatever the default button: a box closed with nobody there never says Yes or Retry.
    for (int standard : {vbDefaultButton1, vbDefaultButton2, vbDefaultButton3}) {
        EXPECT_EQ(sichereAntwort(vbOKOnly | vbExclamation | standard), vbOK);
        EXPECT_EQ(sichereAntwort(vbOKCancel | standard), vbCancel);
        EXPECT_EQ(sichereAntwort(vbAbortRetryIgnore | vbCritical | standard), vbAbort);
        EXPECT_EQ(sichereAntwort(vbYesNoCancel | vbQuestion | standard), vbCancel);
        EXPECT_EQ(sichereAntwort(vbYesNo | vbQuestion | standard), vbNo);
        EXPECT_EQ(sichereAntwort(vbRetryCancel | standard), vbCancel);
    }
    EXPECT_EQ(sichereAntwort(7), vbOK) << "an unknown box type shows OK only";
    EXPECT_EQ(plattform().offeneBoxenSchliessen(), 0) << "the headless default never has a box open";
}

TEST(Plattform, KopflosUndAustauschbar)
{
    Plattform& kopflos = plattform();
    EXPECT_EQ(kopflos.meldung(QStringLiteral("Frage?"), vbYesNo | vbDefaultButton2, QString()), vbNo);
    bool abbruch = true;
    EXPECT_EQ(kopflos.eingabe(QStringLiteral("Name"), QString(), QStringLiteral("Vorgabe"), &abbruch),
              QStringLiteral("Vorgabe"));
    EXPECT_FALSE(abbruch);
    EXPECT_FALSE(kopflos.hatAnzeige());
    const double z = kopflos.zufall();
    EXPECT_GE(z, 0.0);
    EXPECT_LT(z, 1.0);
    EXPECT_FALSE(kopflos.loginName().isEmpty());
    kopflos.zwischenablageSetzen(QStringLiteral("kopiert"));
    EXPECT_EQ(kopflos.zwischenablage(), QStringLiteral("kopiert"));
    EXPECT_FALSE(kopflos.adresseOeffnen(QStringLiteral("https://example.org")));

    {
        TestPlattform t;
        EXPECT_EQ(&plattform(), &t);
        t.antworten.enqueue(vbCancel);
        plattform().ton(QStringLiteral("#SystemQuestion"));
        EXPECT_EQ(plattform().meldung(QStringLiteral("a"), vbOKCancel, QStringLiteral("T")), vbCancel);
        EXPECT_EQ(t.toene, QStringList{QStringLiteral("#SystemQuestion")});
        EXPECT_EQ(t.letzteMeldung(), QStringLiteral("a"));
    }
    EXPECT_EQ(&plattform(), &kopflos);
}

TEST(Plattform, ErlaubteAdressen)
{
    EXPECT_TRUE(adresseErlaubt(QStringLiteral("http://example.org/a?b=c")));
    EXPECT_TRUE(adresseErlaubt(QStringLiteral(" HTTPS://example.org ")));
    EXPECT_TRUE(adresseErlaubt(QStringLiteral("mailto:anna@example.org")));
    EXPECT_FALSE(adresseErlaubt(QStringLiteral("file:///etc/passwd")));
    EXPECT_FALSE(adresseErlaubt(QStringLiteral("javascript:alert(1)")));
    EXPECT_FALSE(adresseErlaubt(QStringLiteral("/usr/bin/xterm")));
    EXPECT_FALSE(adresseErlaubt(QStringLiteral("http://")));
    EXPECT_FALSE(adresseErlaubt(QStringLiteral("mailto:")));
    EXPECT_FALSE(adresseErlaubt(QStringLiteral("http://a.org/\nx")));
    EXPECT_FALSE(adresseErlaubt(QString()));
    EXPECT_TRUE(adresseErlaubt(QStringLiteral("tel:+4930123456")));
    EXPECT_TRUE(adresseErlaubt(QStringLiteral("tel:0301234")));
    EXPECT_FALSE(adresseErlaubt(QStringLiteral("tel:")));
    EXPECT_FALSE(adresseErlaubt(QStringLiteral("tel:030;1234")));
    EXPECT_FALSE(adresseErlaubt(QStringLiteral("tel:03+0")));
}

TEST(Plattform, ProgrammStarten)
{
    Plattform p;
    int code = -5;
    EXPECT_FALSE(p.programmStarten(QStringLiteral("/gibt/es/nicht"), {}, QString(), true, &code));
    const QString sh = QStandardPaths::findExecutable(QStringLiteral("sh"));
    if (sh.isEmpty())
        GTEST_SKIP();
    // Arguments go through unchanged, no shell in between.
    QTemporaryDir dir;
    ASSERT_TRUE(p.programmStarten(sh,
                                  {QStringLiteral("-c"), QStringLiteral("printf %s \"$1\" > aus; exit 3"),
                                   QStringLiteral("x"), QStringLiteral("a;b $HOME")},
                                  dir.path(), true, &code));
    EXPECT_EQ(code, 3);
    QFile f(dir.path() + QStringLiteral("/aus"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("a;b $HOME"));
    // Waiting keeps the events running and still sees the end.
    ASSERT_TRUE(
        p.programmStarten(sh, {QStringLiteral("-c"), QStringLiteral("sleep 0.3; exit 4")}, QString(), true, &code));
    EXPECT_EQ(code, 4);
}

TEST(Plattform, Papierkorb)
{
    QTemporaryDir heim;
    const QByteArray altHeim = qgetenv("HOME");
    const QByteArray altDaten = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", heim.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (heim.path() + QStringLiteral("/.local/share")).toLocal8Bit());
    QDir().mkpath(heim.path() + QStringLiteral("/.local/share"));
    const QString datei = heim.path() + QStringLiteral("/weg.txt");
    {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    Plattform p;
    const bool ok = p.inPapierkorb(datei);
    qputenv("HOME", altHeim);
    if (altDaten.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", altDaten);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(QFile::exists(datei));
    EXPECT_TRUE(QFile::exists(heim.path() + QStringLiteral("/.local/share/Trash/files/weg.txt")));
    EXPECT_FALSE(p.inPapierkorb(datei));
}

TEST(Plattform, Twips)
{
    EXPECT_EQ(twipsZuPixel(1500, 96), 100);
    EXPECT_DOUBLE_EQ(pixelZuTwips(100, 96), 1500.0);
    EXPECT_EQ(twipsZuPixel(1500, 144), 150);
    EXPECT_EQ(twipsZuPixel(pixelZuTwips(37)), 37);
}
