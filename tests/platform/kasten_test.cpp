// The desktop's message and input boxes as a user meets them: access keys on
// the buttons, pressed with Alt, and a box wide enough for its whole title.

#include "platform/ui/desktopplattform.h"
#include "platform/ui/titelbreite.h"
#include "support/dialoghilfe.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace zplatform;

namespace {

// The key of a button's access key ("" when it has none).
QString zugriffstaste(const QAbstractButton* b)
{
    return QKeySequence::mnemonic(b->text()).toString();
}

// Sends the key to the box as a user types it: to its focused control.
void tippen(QWidget* box, Qt::Key taste, Qt::KeyboardModifiers mod = Qt::AltModifier)
{
    QWidget* fokus = QApplication::focusWidget();
    QTest::keyClick(fokus && fokus->window() == box ? fokus : box, taste, mod);
}

// True once the box has gone (its answer given); a box still open after a
// while is closed, so that the test goes on.
bool beantwortet(QDialog* box)
{
    if (QTest::qWaitFor([box] { return !box->isVisible(); }, 3000))
        return true;
    box->done(QDialog::Rejected);
    return false;
}

const char* const buttonArten[] = {"OK", "OK/Abbrechen", "Abbrechen/Wiederholen/Ignorieren",
                                   "Ja/Nein/Abbrechen", "Ja/Nein", "Wiederholen/Abbrechen"};

} // namespace

// Every combination of buttons, with and without Help: no two buttons share an
// access key; each button has one except OK (Enter) and Cancel (Esc).
TEST(Kasten, ZugriffstastenEindeutig)
{
    DesktopPlattform d;
    for (int art = vbOKOnly; art <= vbRetryCancel; ++art) {
        for (const bool mitHilfe : {false, true}) {
            SCOPED_TRACE(std::string(buttonArten[art]) + (mitHilfe ? " + Hilfe" : ""));
            QStringList tasten, ohne;
            wennOffen([&](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                ASSERT_NE(box, nullptr);
                for (QAbstractButton* b : box->buttons()) {
                    const QString t = zugriffstaste(b);
                    if (t.isEmpty())
                        ohne << b->text();
                    else
                        tasten << t;
                    if (b->objectName() == QLatin1String("befHilfe")) {
                        EXPECT_EQ(t, QStringLiteral("Alt+H"));
                    }
                    if (b == box->escapeButton()) {
                        EXPECT_EQ(b->text().remove(QLatin1Char('&')),
                                  art == vbOKOnly ? QStringLiteral("OK") : QStringLiteral("Abbrechen"));
                    }
                }
                box->done(QDialog::Rejected);
            });
            d.meldungMitHilfe(QStringLiteral("Weiter?"), art, QStringLiteral("Frage"),
                              mitHilfe ? HilfeAufruf([] {}) : HilfeAufruf());
            EXPECT_EQ(QSet<QString>(tasten.begin(), tasten.end()).size(), tasten.size()) << tasten.join(u' ').toStdString();
            for (const QString& text : ohne)
                EXPECT_TRUE(text == QLatin1String("OK") || text == QLatin1String("Abbrechen")) << text.toStdString();
        }
    }
}

// Alt with the underlined letter answers the box; Alt+H opens the help and the
// box waits for its answer.
TEST(Kasten, AltMitBuchstabeAntwortet)
{
    DesktopPlattform d;
    const struct
    {
        int art;
        Qt::Key taste;
        int antwort;
    } faelle[] = {
        {vbYesNoCancel, Qt::Key_J, vbYes},      {vbYesNoCancel, Qt::Key_N, vbNo},
        {vbYesNo, Qt::Key_J, vbYes},            {vbYesNo, Qt::Key_N, vbNo},
        {vbAbortRetryIgnore, Qt::Key_W, vbRetry}, {vbAbortRetryIgnore, Qt::Key_I, vbIgnore},
        {vbAbortRetryIgnore, Qt::Key_A, vbAbort}, {vbRetryCancel, Qt::Key_W, vbRetry},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(buttonArten[f.art]) + " Alt+" + QKeySequence(f.taste).toString().toStdString());
        int hilfe = 0;
        bool offenNachHilfe = false;
        bool zu = false;
        wennOffen([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowActive(box));
            tippen(box, Qt::Key_H);
            EXPECT_TRUE(QTest::qWaitFor([&] { return hilfe == 1; }, 3000)) << "Alt+H opens the help";
            offenNachHilfe = box->isVisible();
            tippen(box, f.taste);
            zu = beantwortet(box);
        });
        const int antwort = d.meldungMitHilfe(QStringLiteral("Weiter?"), f.art | vbQuestion, QStringLiteral("Frage"),
                                              [&] { ++hilfe; });
        EXPECT_TRUE(zu) << "the key answers the box";
        EXPECT_EQ(antwort, f.antwort);
        EXPECT_EQ(hilfe, 1);
        EXPECT_TRUE(offenNachHilfe);
    }
}

// The input box: Alt+H opens the help and keeps the box and its text; Enter is OK's.
TEST(Kasten, EingabeHilfeMitAltH)
{
    DesktopPlattform d;
    int hilfe = 0;
    bool offenNachHilfe = false;
    QString textNachHilfe;
    wennOffen([&](QWidget* w) {
        auto* dlg = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
        auto* zeile = dlg->findChild<QLineEdit*>();
        ASSERT_NE(zeile, nullptr);
        QTest::keyClick(zeile, Qt::Key_End);
        QTest::keyClicks(zeile, QStringLiteral(" Muster"));
        tippen(dlg, Qt::Key_H);
        EXPECT_TRUE(QTest::qWaitFor([&] { return hilfe == 1; }, 3000)) << "Alt+H opens the help";
        offenNachHilfe = dlg->isVisible();
        textNachHilfe = dlg->textValue();
        tippen(dlg, Qt::Key_Return, Qt::NoModifier);
        EXPECT_TRUE(beantwortet(dlg));
    });
    bool abbruch = true;
    EXPECT_EQ(d.eingabeMitHilfe(
                  QStringLiteral("Absenderzeile:"), QStringLiteral("Absender"), QStringLiteral("Erika"),
                  [&] { ++hilfe; }, &abbruch),
              QStringLiteral("Erika Muster"));
    EXPECT_FALSE(abbruch);
    EXPECT_EQ(hilfe, 1);
    EXPECT_TRUE(offenNachHilfe);
    EXPECT_EQ(textNachHilfe, QStringLiteral("Erika Muster"));
}

namespace {

int schirmBreite()
{
    return QGuiApplication::primaryScreen()->availableGeometry().width();
}

} // namespace

// A short question under a long title: the box is at least as wide as the
// program works out for the whole title, and no wider than the screen
// however long the title is (a box never grows past the limit Qt sets for
// boxes on a large screen).
TEST(Kasten, TitelGanzSichtbar)
{
    DesktopPlattform d;
    const QString lang = QStringLiteral("Absenderzeile für Umschlagsfenster");
    const QString zuLang = QString(400, QLatin1Char('W'));
    for (const QString& titel : {lang, zuLang}) {
        for (const int art : {int(vbOKOnly), int(vbYesNo)}) {
            SCOPED_TRACE(titel.left(40).toStdString() + " " + buttonArten[art]);
            int breite = 0, bedarf = 0;
            wennOffen([&](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                ASSERT_NE(box, nullptr);
                breite = box->width();
                bedarf = titelBreite(*box, titel);
                box->done(QDialog::Rejected);
            });
            d.meldungMitHilfe(QStringLiteral("Ja?"), art, titel, art == vbYesNo ? HilfeAufruf([] {}) : HilfeAufruf());
            if (titel == lang) {
                EXPECT_GE(breite, bedarf);
            }
            EXPECT_LE(breite, schirmBreite());
        }

        SCOPED_TRACE(titel.left(40).toStdString() + " Eingabe");
        int breite = 0, bedarf = 0;
        wennOffen([&](QWidget* w) {
            auto* dlg = qobject_cast<QInputDialog*>(w);
            ASSERT_NE(dlg, nullptr);
            breite = dlg->width();
            bedarf = titelBreite(*dlg, titel);
            dlg->reject();
        });
        d.eingabeMitHilfe(QStringLiteral("Zeile:"), titel, QString(), [] {});
        if (titel == lang) {
            EXPECT_GE(breite, bedarf);
        }
        EXPECT_LE(breite, schirmBreite());
    }
}

// Esc and a close request (the title bar's close box, Alt+F4) answer a box
// only where it has Cancel (then Cancel) or OK alone (then OK); a question of
// Yes/No or Abort/Retry/Ignore stays open until one of its buttons answers.
TEST(Kasten, EscUndSchliessenNurBeiAbbrechenOderOk)
{
    DesktopPlattform d;
    const struct
    {
        int art;
        int antwort;
        const char* knopf; // the box stays open and is answered with this button
    } faelle[] = {{vbYesNo, vbYes, "Ja"},
                  {vbYesNo | vbDefaultButton2, vbNo, "Nein"},
                  {vbAbortRetryIgnore, vbRetry, "Wiederholen"},
                  {vbYesNoCancel, vbCancel, nullptr},
                  {vbOKCancel, vbCancel, nullptr},
                  {vbRetryCancel, vbCancel, nullptr},
                  {vbOKOnly, vbOK, nullptr}};
    for (const auto& f : faelle)
        for (const bool schliessen : {false, true})
            for (const bool mitHilfe : {false, true}) {
                SCOPED_TRACE(std::string(buttonArten[f.art & 7]) + (schliessen ? " closed" : " Esc") +
                             (mitHilfe ? " with Help" : ""));
                bool offen = false, zu = false;
                wennOffen([&](QWidget* w) {
                    auto* box = qobject_cast<QMessageBox*>(w);
                    ASSERT_NE(box, nullptr);
                    ASSERT_TRUE(QTest::qWaitForWindowActive(box));
                    if (schliessen)
                        box->windowHandle()->close(); // as the window system asks
                    else
                        tippen(box, Qt::Key_Escape, Qt::NoModifier);
                    offen = box->isVisible();
                    if (QAbstractButton* b = f.knopf ? knopfMitText(*box, QString::fromLatin1(f.knopf)) : nullptr)
                        b->click();
                    zu = beantwortet(box);
                });
                EXPECT_EQ(d.meldungMitHilfe(QStringLiteral("Weiter?"), f.art | vbQuestion, QStringLiteral("Frage"),
                                            mitHilfe ? HilfeAufruf([] {}) : HilfeAufruf()),
                          f.antwort);
                EXPECT_EQ(offen, f.knopf != nullptr);
                EXPECT_TRUE(zu);
            }
}
