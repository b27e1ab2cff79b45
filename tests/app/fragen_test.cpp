// The program's Yes/No questions with the desktop's boxes: Esc and a close
// request leave such a question open, so no answer is given by accident
// (the changes typed into the card are not dropped); only its buttons answer.
#include "addressbook/main_hilfen.h"
#include "commands/ui/file.h"
#include "platform/ui/desktopplattform.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QWindow>

#include <functional>

using namespace main_test;
using zadressbuch::Main;
using zadressbuch::sitzung;

namespace {

// The scripted platform with the desktop's message boxes, for a person to answer.
class EchteFragen : public TestPlattform
{
public:
    int meldung(const QString& text, int stil, const QString& titel, zplatform::Schliessantwort schliessen) override
    {
        return m_desktop.meldung(text, stil, titel, schliessen);
    }
    int meldungMitHilfe(const QString& text, int stil, const QString& titel, const zplatform::HilfeAufruf& hilfe,
                        zplatform::Schliessantwort schliessen) override
    {
        return m_desktop.meldungMitHilfe(text, stil, titel, hilfe, schliessen);
    }

private:
    zplatform::DesktopPlattform m_desktop;
};

// Counts the events of one type that reach a window (or a control in it).
class Zaehler : public QObject
{
public:
    Zaehler(QWidget* fenster, QEvent::Type art) : m_fenster(fenster), m_art(art) { qApp->installEventFilter(this); }
    ~Zaehler() override { qApp->removeEventFilter(this); }
    int mal = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == m_art && o->isWidgetType() && static_cast<QWidget*>(o)->window() == m_fenster)
            ++mal;
        return false;
    }

private:
    QWidget* m_fenster;
    QEvent::Type m_art;
};

QAbstractButton* knopf(QMessageBox& box, const QString& text)
{
    for (QAbstractButton* b : box.buttons())
        if (b->text().remove(u'&') == text)
            return b;
    return nullptr;
}

class Fragen : public MainFensterTest
{
protected:
    void TearDown() override
    {
        zplatform::plattformSetzen(&plattform);
        MainFensterTest::TearDown();
    }

    // Starts the main window with the desktop's boxes and a name typed into the card.
    Main& startenUndTippen()
    {
        adressdatei({u"..Fragen"_s, zeile({{1, u"Berg"_s}, {23, u"1"_s}}), zeile({{1, u"Adler"_s}, {23, u"2"_s}})});
        Main& m = starten();
        zplatform::plattformSetzen(&fragen);
        nutzer::nachVorneHolen(m);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        m.Feld(1)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m.Feld(1), Qt::Key_End);
        tippen(m.Feld(1), u"mann"_s);
        EXPECT_EQ(sitzung().Geaendert, 1);
        return m;
    }

    EchteFragen fragen;
    Notbremse notbremse{10000};
};

} // namespace

// Ctrl+L with unsaved changes and Ctrl+Y: Esc and a close request leave the
// question open, the changes stay; then its button answers.
TEST_F(Fragen, EscUndSchliessenBeantwortenKeineJaNeinFrage)
{
    const struct
    {
        const char* was;
        Qt::Key taste;
        QString anfang;
        QString antwort;
        std::function<void(Main&)> danach;
    } faelle[] = {
        {"Ctrl+L", Qt::Key_L, u"Wollen Sie die Änderungen in »"_s, u"Ja"_s,
         [this](Main&) {
             EXPECT_TRUE(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tBergmann\t"_s)) << "saved by Yes";
         }},
        {"Ctrl+Y", Qt::Key_Y, u"Sind Sie sicher, dass die Adresse #1"_s, u"Nein"_s,
         [](Main& m) {
             EXPECT_EQ(zadressbuch::adressliste().ListCount(), 2) << "kept by No";
             EXPECT_EQ(m.FeldText(1), u"Bergmann"_s);
         }},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.was);
        Main& m = startenUndTippen();
        bool gezeigt = false;
        wennOffen([&](QWidget* w) {
            gezeigt = true;
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->text().startsWith(f.anfang)) << box->text().toStdString();
            ASSERT_TRUE(QTest::qWaitForWindowActive(box));
            nutzer::taste(*box, Qt::Key_Escape);
            EXPECT_TRUE(box->isVisible()) << "Esc answered";
            EXPECT_FALSE(box->windowHandle()->close()) << "a close request answered";
            EXPECT_TRUE(box->isVisible());
            EXPECT_EQ(sitzung().Geaendert, 1);
            EXPECT_TRUE(zadressbuch::adressliste().List(0).contains(u"\tBergmann\t"_s));
            // Open asks for the file to open next; no choice keeps the file open.
            amDialog<zbefehle::File>([](zbefehle::File& d) { QTest::keyClick(&d, Qt::Key_Escape); });
            QAbstractButton* b = knopf(*box, f.antwort);
            ASSERT_NE(b, nullptr);
            b->click();
        });
        nutzer::mitStrg(m, f.taste);
        EXPECT_TRUE(gezeigt);
        f.danach(m);
        EXPECT_EQ(notbremse.geschlossen(), 0);
        neuerLauf();
    }
}

// Under a window manager: Esc typed on the keyboard and the window manager's
// close (Alt+F4) reach the question of Ctrl+Y and leave it open.
TEST_F(Fragen, EscUndFensterSchliessenLassenFrageOffen_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "needs keys and a window manager";
    Main& m = startenUndTippen();
    bool gezeigt = false, fertig = false;
    wennOffen([&](QWidget* w) {
        gezeigt = true;
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        {
            Zaehler esc(box, QEvent::KeyRelease);
            nutzer::taste(*box, Qt::Key_Escape);
            EXPECT_TRUE(QTest::qWaitFor([&] { return esc.mal > 0 || !box->isVisible(); }, 5000));
            EXPECT_TRUE(box->isVisible()) << "Esc answered";
        }
        {
            Zaehler zu(box, QEvent::Close);
            nutzer::mitAlt(*box, Qt::Key_F4);
            // The window manager asks the box to close (WM_DELETE_WINDOW).
            EXPECT_TRUE(QTest::qWaitFor([&] { return zu.mal > 0 || !box->isVisible(); }, 5000))
                << "the close request did not reach the box";
            EXPECT_TRUE(box->isVisible()) << "Alt+F4 answered";
        }
        QAbstractButton* nein = knopf(*box, u"Nein"_s);
        ASSERT_NE(nein, nullptr);
        nein->click();
        fertig = true;
    });
    nutzer::mitStrg(m, Qt::Key_Y);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fertig; }, 10000));
    EXPECT_TRUE(gezeigt);
    EXPECT_EQ(zadressbuch::adressliste().ListCount(), 2);
    EXPECT_EQ(notbremse.geschlossen(), 0);
}
