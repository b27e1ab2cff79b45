#include "platform/ordner.h"
#include "platform/ui/desktopplattform.h"
#include "platform/ui/hilfefenster.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"
#include "support/testplattform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

using namespace zplatform;

namespace {

// The button of the box with this caption ("&" marks of access keys left out).
QAbstractButton* knopf(QMessageBox* box, const QString& text)
{
    for (QAbstractButton* b : box->buttons()) {
        if (b->text().remove(QLatin1Char('&')) == text)
            return b;
    }
    return nullptr;
}

// Clicks the button of the box with this caption (a box without it is closed
// by wennOffen, as after any failed ASSERT).
void klicken(QMessageBox* box, const QString& text)
{
    ASSERT_NE(box, nullptr);
    QAbstractButton* b = knopf(box, text);
    ASSERT_NE(b, nullptr) << "no button " << text.toStdString();
    b->click();
}

} // namespace

TEST(Desktop, MeldungMitDeutschenKnoepfen)
{
    DesktopPlattform d;
    QStringList texte;
    QString titel, standard;
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    wennOffen([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            texte << b->text();
        titel = box->windowTitle();
        standard = box->defaultButton() ? box->defaultButton()->text() : QString();
        symbol = box->icon();
        klicken(box, QStringLiteral("Nein"));
    });
    EXPECT_EQ(
        d.meldung(QStringLiteral("Speichern?"), vbYesNoCancel | vbQuestion | vbDefaultButton2, QStringLiteral("Frage")),
        vbNo);
    texte.sort();
    EXPECT_EQ(texte, (QStringList{"&Ja", "&Nein", "Abbrechen"}));
    EXPECT_EQ(titel, QStringLiteral("Frage"));
    EXPECT_EQ(standard, QStringLiteral("&Nein"));
    EXPECT_EQ(symbol, QMessageBox::Question);

    wennOffen([](QWidget* w) { klicken(qobject_cast<QMessageBox*>(w), QStringLiteral("Wiederholen")); });
    EXPECT_EQ(d.meldung(QStringLiteral("Fehler"), vbAbortRetryIgnore | vbCritical, QString()), vbRetry);

    // Escape answers Cancel.
    wennOffen([](QWidget* w) { qobject_cast<QMessageBox*>(w)->escapeButton()->click(); });
    EXPECT_EQ(d.meldung(QStringLiteral("Weiter?"), vbOKCancel, QString()), vbCancel);
}

TEST(Desktop, OffeneBoxenSchliessenNieMitJa)
{
    DesktopPlattform d;
    // Answers a box that was left open the way a person would who is not
    // there: after a while with its default button, so the test cannot hang.
    QTimer notfall;
    notfall.setInterval(3000);
    QObject::connect(&notfall, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->defaultButton()->click();
        else if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dlg->accept();
    });
    notfall.start();

    struct Fall
    {
        int stil;
        int antwort;
    };
    // The default button is the one a careless answer would give.
    const Fall faelle[] = {{vbYesNo | vbQuestion, vbNo},
                           {vbYesNoCancel | vbQuestion, vbCancel},
                           {vbAbortRetryIgnore | vbCritical | vbDefaultButton2, vbAbort},
                           {vbRetryCancel, vbCancel},
                           {vbOKCancel, vbCancel},
                           {vbOKOnly | vbExclamation, vbOK}};
    for (const Fall& f : faelle) {
        int geschlossen = -1, nochmal = -1;
        wennOffen([&](QWidget*) {
            geschlossen = d.offeneBoxenSchliessen();
            nochmal = d.offeneBoxenSchliessen(); // closed already: not counted again
        });
        EXPECT_EQ(d.meldung(QStringLiteral("Weiter?"), f.stil, QString()), f.antwort) << f.stil;
        EXPECT_EQ(geschlossen, 1) << f.stil;
        EXPECT_EQ(nochmal, 0) << f.stil;
    }
    // With a Help button too.
    wennOffen([&](QWidget*) { d.offeneBoxenSchliessen(); });
    EXPECT_EQ(d.meldungMitHilfe(QStringLiteral("Löschen?"), vbYesNo, QString(), [] {}), vbNo);

    bool abbruch = false;
    wennOffen([&](QWidget*) { d.offeneBoxenSchliessen(); });
    EXPECT_EQ(d.eingabe(QStringLiteral("Name:"), QString(), QStringLiteral("Vorgabe"), &abbruch), QString());
    EXPECT_TRUE(abbruch) << "an input box is cancelled";
    EXPECT_EQ(d.offeneBoxenSchliessen(), 0) << "nothing open any more";
}

// A box the program closes gets the answer its caller named as the one that
// changes nothing (a "Ja" too), else its safe answer; the test platform
// closes its boxes exactly alike.
TEST(Desktop, GeschlossenMitDerAntwortDesAufrufers_WieDieTestplattform)
{
    DesktopPlattform d;
    TestPlattform t;
    struct Fall
    {
        int stil;
        Schliessantwort schliessen;
        int antwort;
    };
    const Fall faelle[] = {
        {vbYesNo | vbQuestion, vbYes, vbYes},
        {vbYesNo | vbQuestion, {}, vbNo},
        {vbYesNoCancel | vbQuestion | vbDefaultButton1, vbNo, vbNo},
        {vbOKCancel, vbOK, vbOK},
        {vbAbortRetryIgnore | vbCritical, vbIgnore, vbIgnore},
        {vbRetryCancel, vbRetry, vbRetry},
        // A button the box does not have: its safe answer.
        {vbYesNo | vbQuestion, vbCancel, vbNo},
        {vbOKOnly | vbExclamation, vbNo, vbOK},
    };
    for (const Fall& f : faelle) {
        const std::string fall = std::to_string(f.stil) + " " + std::to_string(f.schliessen.value_or(MsgErgebnis(0)));
        wennOffen([&](QWidget*) { d.offeneBoxenSchliessen(); });
        EXPECT_EQ(d.meldung(QStringLiteral("Weiter?"), f.stil, QString(), f.schliessen), f.antwort) << fall;
        wennOffen([&](QWidget*) { d.offeneBoxenSchliessen(); });
        EXPECT_EQ(d.meldungMitHilfe(
                      QStringLiteral("Weiter?"), f.stil, QString(), [] {}, f.schliessen),
                  f.antwort)
            << fall << " with a Help button";

        t.antworten << TestPlattform::OffenLassen;
        QTimer::singleShot(0, [&t] { t.offeneBoxenSchliessen(); });
        EXPECT_EQ(t.meldung(QStringLiteral("Weiter?"), f.stil, QString(), f.schliessen), f.antwort) << fall;
        ASSERT_FALSE(t.meldungen.empty());
        EXPECT_TRUE(t.meldungen.back().vomProgrammGeschlossen) << fall;
        EXPECT_EQ(t.meldungen.back().schliessAntwort, f.antwort) << fall;
    }
}

TEST(Desktop, EingabeUndSanduhr)
{
    DesktopPlattform d;
    wennOffen([](QWidget* w) {
        auto* dlg = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->textValue(), QStringLiteral("Vorgabe"));
        dlg->setTextValue(QStringLiteral("Neu"));
        dlg->accept();
    });
    bool abbruch = true;
    EXPECT_EQ(d.eingabe(QStringLiteral("Name:"), QString(), QStringLiteral("Vorgabe"), &abbruch),
              QStringLiteral("Neu"));
    EXPECT_FALSE(abbruch);

    wennOffen([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(d.eingabe(QStringLiteral("Name:"), QString(), QStringLiteral("Vorgabe"), &abbruch), QString());
    EXPECT_TRUE(abbruch);

    d.sanduhr(true);
    d.sanduhr(true);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    d.sanduhr(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    d.sanduhr(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    d.zwischenablageSetzen(QStringLiteral("Zettel"));
    EXPECT_EQ(d.zwischenablage(), QStringLiteral("Zettel"));
    EXPECT_FALSE(d.adresseOeffnen(QStringLiteral("file:///etc/passwd")));
    d.ton(QStringLiteral("/gibt/es/nicht.wav")); // skipped silently
}

namespace {

// A folder with a help page and, on PATH, a desktop opener of its own that
// notes the document and ends with the given code.
class HtmlOeffnen : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QByteArray altPfad = qgetenv("PATH");
    QString seite() const { return dir.path() + QStringLiteral("/Zettlora.html"); }
    QString notiz() const { return dir.path() + QStringLiteral("/geoeffnet"); }

    void SetUp() override
    {
        QFile f(seite());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><head><title>Zettlora \xe2\x80\x93 Anleitung</title></head>"
                "<body><h1>Anleitung</h1><p><a href=\"#ende\">Zum Ende</a></p><p><a name=\"ende\">Ende</a></p>"
                "</body></html>");
        QDir().mkpath(dir.path() + QStringLiteral("/bin"));
    }
    void TearDown() override
    {
        qputenv("PATH", altPfad);
        if (HilfeFenster* h = HilfeFenster::offen())
            h->close();
    }
    // The opener on PATH (and nothing else there).
    void oeffner(int code)
    {
        const QString skript = dir.path() + QStringLiteral("/bin/xdg-open");
        QFile f(skript);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1'\nexit %2\n").arg(notiz()).arg(code).toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(dir.path() + QStringLiteral("/bin")));
    }
    static bool fensterZeigt(const QString& titel)
    {
        const HilfeFenster* h = HilfeFenster::offen();
        return h && h->isVisible() && h->windowTitle() == titel;
    }
};

} // namespace

// No browser: the opener fails, and the page shows in the program's own window.
TEST_F(HtmlOeffnen, OhneBrowserImEigenenFenster)
{
    oeffner(3);
    DesktopPlattform d;
    EXPECT_TRUE(d.dokumentOeffnen(seite()));
    EXPECT_TRUE(QTest::qWaitFor([] { return DesktopPlattform::oeffnerLaufend() == 0; }, 10000));
    EXPECT_TRUE(QFile::exists(notiz()));
    ASSERT_TRUE(QTest::qWaitFor([] { return fensterZeigt(QStringLiteral("Zettlora – Anleitung")); }, 5000));
    HilfeFenster& h = *HilfeFenster::offen();
    EXPECT_TRUE(h.Anzeige->toPlainText().contains(QStringLiteral("Zum Ende")));
    // A link within the page stays in the window.
    Q_EMIT h.Anzeige->anchorClicked(QUrl(QStringLiteral("#ende")));
    EXPECT_EQ(h.Anzeige->source().fragment(), QStringLiteral("ende"));
    h.befSchliessen->click();
    EXPECT_FALSE(h.isVisible());

    // No opener at all (and, offscreen, no browser): the window at once.
    qputenv("PATH", QFile::encodeName(dir.path() + QStringLiteral("/leer")));
    EXPECT_TRUE(d.dokumentOeffnen(seite()));
    EXPECT_TRUE(fensterZeigt(QStringLiteral("Zettlora – Anleitung")));
}

// The opener shows the page: no window of the program.
TEST_F(HtmlOeffnen, MitBrowserKeinEigenesFenster)
{
    oeffner(0);
    DesktopPlattform d;
    EXPECT_TRUE(d.dokumentOeffnen(seite()));
    EXPECT_TRUE(QTest::qWaitFor([] { return DesktopPlattform::oeffnerLaufend() == 0; }, 10000));
    QFile f(notiz());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).trimmed(), seite());
    QApplication::processEvents();
    EXPECT_FALSE(fensterZeigt(QStringLiteral("Zettlora – Anleitung")));
}

// The opener gets a page that sends the browser on to the section: the
// anchor of a file given to the opener would be lost on the way.
TEST_F(HtmlOeffnen, MitBrowserAnDerStelle)
{
    QTemporaryDir temp;
    const QByteArray wurzelAlt = qgetenv("ZETTLORA_ROOT");
    qputenv("ZETTLORA_ROOT", QFile::encodeName(temp.path()));
    ordnerZuruecksetzen();
    oeffner(0);
    DesktopPlattform d;
    EXPECT_TRUE(d.dokumentOeffnen(seite(), QStringLiteral("ende")));
    EXPECT_TRUE(QTest::qWaitFor([] { return DesktopPlattform::oeffnerLaufend() == 0; }, 10000));
    QFile f(notiz());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString weiter = QString::fromUtf8(f.readAll()).trimmed();
    EXPECT_NE(weiter, seite());
    QFile w(weiter);
    ASSERT_TRUE(w.open(QIODevice::ReadOnly));
    const QString html = QString::fromLatin1(w.readAll());
    const QString ziel = QString::fromLatin1(QUrl::fromLocalFile(seite()).toEncoded()) + QStringLiteral("#ende");
    EXPECT_TRUE(html.contains(QStringLiteral("url=") + ziel)) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("\r\n")));
    QApplication::processEvents();
    EXPECT_FALSE(fensterZeigt(QStringLiteral("Zettlora – Anleitung")));
    qputenv("ZETTLORA_ROOT", wurzelAlt);
    ordnerZuruecksetzen();
}

// A message box with a Help button: the button (and F1) opens the help in
// front of the box, which stays open and then takes its answer.
TEST_F(HtmlOeffnen, MeldungMitHilfeKnopf)
{
    qputenv("PATH", QFile::encodeName(dir.path() + QStringLiteral("/leer")));
    DesktopPlattform d;
    int gedrueckt = 0;
    QStringList texte;
    bool offenNachHilfe = false;
    QWidget* besitzerDerHilfe = nullptr;
    QWidget* kasten = nullptr;
    wennOffen([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        kasten = box;
        for (QAbstractButton* b : box->buttons())
            texte << b->text();
        auto* hilfe = box->findChild<QPushButton*>(QStringLiteral("befHilfe"));
        ASSERT_NE(hilfe, nullptr);
        QTest::mouseClick(hilfe, Qt::LeftButton);
        offenNachHilfe = box->isVisible();
        besitzerDerHilfe = HilfeFenster::offen() ? HilfeFenster::offen()->besitzer() : nullptr;
        // Esc closes the help and returns to the box, where F1 opens it again.
        ASSERT_NE(HilfeFenster::offen(), nullptr);
        QTest::keyClick(HilfeFenster::offen()->windowHandle(), Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([box] { return QApplication::activeWindow() == box; }, 5000));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, Qt::Key_F1);
        klicken(box, QStringLiteral("Ja"));
    });
    const int antwort = d.meldungMitHilfe(QStringLiteral("Vorgaben setzen?"), vbYesNo | vbQuestion,
                                          QStringLiteral("Vorgaben setzen"), [&] {
                                              ++gedrueckt;
                                              d.dokumentOeffnen(seite(), QStringLiteral("ende"));
                                          });
    EXPECT_EQ(antwort, vbYes);
    EXPECT_EQ(gedrueckt, 2);
    EXPECT_TRUE(offenNachHilfe);
    EXPECT_EQ(besitzerDerHilfe, kasten);
    texte.sort();
    EXPECT_EQ(texte, (QStringList{"&Hilfe", "&Ja", "&Nein"}));
    ASSERT_NE(HilfeFenster::offen(), nullptr);
    EXPECT_EQ(HilfeFenster::offen()->Anzeige->source().fragment(), QStringLiteral("ende"));

    // Without a help: no such button.
    wennOffen([&](QWidget* w) {
        EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("befHilfe")), nullptr);
        klicken(qobject_cast<QMessageBox*>(w), QStringLiteral("OK"));
    });
    EXPECT_EQ(d.meldungMitHilfe(QStringLiteral("Nur OK"), vbOKOnly, QString(), {}), vbOK);
}

// After a Help button was used and its question answered, the help is the
// active window. The next box must not stand in front of the help (it would
// block it): it belongs to the window the help belongs to, and the help, gone
// over to the box, stays usable (Esc, through the window system, closes it).
TEST_F(HtmlOeffnen, MeldungNieVorDerHilfe)
{
    qputenv("PATH", QFile::encodeName(dir.path() + QStringLiteral("/leer")));
    DesktopPlattform d;
    QWidget haupt;
    haupt.resize(400, 300);
    haupt.show();
    haupt.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&haupt));

    wennOffen([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("befHilfe")), Qt::LeftButton);
        klicken(box, QStringLiteral("OK"));
    });
    EXPECT_EQ(d.meldungMitHilfe(QStringLiteral("Übernehmen?"), vbOKCancel, QStringLiteral("Übernahme"),
                                [&] { d.dokumentOeffnen(seite()); }),
              vbOK);
    HilfeFenster* h = HilfeFenster::offen();
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(h->isVisible());
    EXPECT_EQ(h->besitzer(), &haupt);
    h->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(h));

    QWidget* eltern = nullptr;
    bool hilfeZu = false;
    wennOffen([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        eltern = box->parentWidget();
        QTest::keyClick(h->windowHandle(), Qt::Key_Escape);
        hilfeZu = !h->isVisible();
        klicken(box, QStringLiteral("OK"));
    });
    EXPECT_EQ(d.meldung(QStringLiteral("3 neue Einträge"), vbOKOnly, QStringLiteral("Übernahme")), vbOK);
    EXPECT_EQ(eltern, &haupt) << "the box belongs to the window of the help";
    EXPECT_TRUE(hilfeZu) << "the help is not blocked by the box";
}

// An input box with a Help button: pressing it keeps the typed text and the box.
TEST(Desktop, EingabeMitHilfeKnopf)
{
    DesktopPlattform d;
    int gedrueckt = 0;
    bool offenNachHilfe = false;
    wennOffen([&](QWidget* w) {
        auto* dlg = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        dlg->setTextValue(QStringLiteral("Erika Muster"));
        auto* hilfe = dlg->findChild<QPushButton*>(QStringLiteral("befHilfe"));
        ASSERT_NE(hilfe, nullptr);
        EXPECT_EQ(hilfe->text(), QStringLiteral("&Hilfe"));
        QTest::mouseClick(hilfe, Qt::LeftButton);
        offenNachHilfe = dlg->isVisible();
        EXPECT_EQ(dlg->textValue(), QStringLiteral("Erika Muster"));
        dlg->accept();
    });
    bool abbruch = true;
    EXPECT_EQ(d.eingabeMitHilfe(
                  QStringLiteral("Absenderzeile:"), QString(), QString(), [&] { ++gedrueckt; }, &abbruch),
              QStringLiteral("Erika Muster"));
    EXPECT_FALSE(abbruch);
    EXPECT_EQ(gedrueckt, 1);
    EXPECT_TRUE(offenNachHilfe);
}

// Shift held down at the keyboard is what the key state reads, without a key
// event to the program (the search that runs after the typing asks so).
TEST(Desktop, ShiftAnDerTastaturGehalten_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "needs keys through the X server";
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    const auto shift = [&xdotool](const char* richtung) {
        return QProcess::execute(xdotool, {QLatin1String(richtung), QStringLiteral("Shift_L")});
    };
    DesktopPlattform d;
    EXPECT_FALSE(d.shiftGedrueckt());
    ASSERT_EQ(shift("keydown"), 0) << "xdotool";
    const bool gehalten = QTest::qWaitFor([&d] { return d.shiftGedrueckt(); }, 5000);
    ASSERT_EQ(shift("keyup"), 0) << "xdotool";
    EXPECT_TRUE(gehalten);
    EXPECT_TRUE(QTest::qWaitFor([&d] { return !d.shiftGedrueckt(); }, 5000));
}
