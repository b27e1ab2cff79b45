// The program's Yes/No questions with the desktop's boxes: Esc and a close
// request leave such a question open (the changes typed into the card stay);
// only its buttons answer.
#include "addressbook/main_hilfen.h"
#include "commands/ui/file.h"
#include "platform/ui/desktopplattform.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"

#include <QWindow>

#include <tuple>

using namespace main_test;
using zadressbuch::Main;
using zadressbuch::sitzung;

namespace {

// The scripted platform with the desktop's message boxes (meldung comes here too).
class EchteFragen : public TestPlattform
{
public:
    int meldungMitHilfe(const QString& text, int stil, const QString& titel, const zplatform::HilfeAufruf& hilfe,
                        zplatform::Schliessantwort schliessen) override
    {
        return m_desktop.meldungMitHilfe(text, stil, titel, hilfe, schliessen);
    }

private:
    zplatform::DesktopPlattform m_desktop;
};

// Counts the events of one type that reach a window (or a control in it).
struct Zaehler : QObject
{
    Zaehler(QWidget* fenster, QEvent::Type art) : fenster(fenster), art(art) { qApp->installEventFilter(this); }
    ~Zaehler() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        mal += e->type() == art && o->isWidgetType() && static_cast<QWidget*>(o)->window() == fenster;
        return false;
    }
    QWidget* fenster;
    QEvent::Type art;
    int mal = 0;
};

class Fragen : public MainFensterTest
{
protected:
    void TearDown() override
    {
        zplatform::plattformSetzen(&plattform);
        MainFensterTest::TearDown();
    }

    // Starts the main window with the desktop's boxes, types into the card and
    // gives the key with Ctrl; the question it asks is handed to frage, which
    // must answer it with the button. Then nothing was lost on the way.
    void fragenLassen(Qt::Key taste, const QString& knopf, const std::function<void(QMessageBox&)>& frage)
    {
        neuerLauf();
        adressdatei({u"..Fragen"_s, zeile({{1, u"Berg"_s}, {23, u"1"_s}}), zeile({{1, u"Adler"_s}, {23, u"2"_s}})});
        Main& m = starten();
        zplatform::plattformSetzen(&fragen);
        nutzer::nachVorneHolen(m);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        m.Feld(1)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m.Feld(1), Qt::Key_End);
        tippen(m.Feld(1), u"mann"_s);
        bool fertig = false;
        wennOffen([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowActive(box));
            frage(*box);
            EXPECT_EQ(sitzung().Geaendert, 1);
            EXPECT_TRUE(zadressbuch::adressliste().List(0).contains(u"\tBergmann\t"_s));
            QAbstractButton* b = knopfMitText(*box, knopf);
            ASSERT_NE(b, nullptr);
            b->click();
            fertig = true;
        });
        nutzer::mitStrg(m, taste);
        ASSERT_TRUE(QTest::qWaitFor([&] { return fertig; }, 10000));
        EXPECT_EQ(zadressbuch::adressliste().ListCount(), 2);
        EXPECT_EQ(m.FeldText(1), u"Bergmann"_s);
        EXPECT_EQ(notbremse.geschlossen(), 0);
    }

    EchteFragen fragen;
    Notbremse notbremse{10000};
};

} // namespace

// Ctrl+L with unsaved changes (Yes saves them) and Ctrl+Y (No keeps the address).
TEST_F(Fragen, EscUndSchliessenBeantwortenKeineJaNeinFrage)
{
    for (const auto& [taste, anfang, knopf] :
         {std::tuple{Qt::Key_L, u"Wollen Sie die Änderungen in »"_s, u"Ja"_s},
          std::tuple{Qt::Key_Y, u"Sind Sie sicher, dass die Adresse #1"_s, u"Nein"_s}}) {
        SCOPED_TRACE(anfang.toStdString());
        fragenLassen(taste, knopf, [&](QMessageBox& box) {
            EXPECT_TRUE(box.text().startsWith(anfang)) << box.text().toStdString();
            nutzer::taste(box, Qt::Key_Escape);
            EXPECT_TRUE(box.isVisible()) << "Esc answered";
            EXPECT_FALSE(box.windowHandle()->close()) << "a close request answered";
            EXPECT_TRUE(box.isVisible());
            // Open asks for the file to open next; no choice keeps the file open.
            if (taste == Qt::Key_L)
                amDialog<zbefehle::File>([](zbefehle::File& d) { QTest::keyClick(&d, Qt::Key_Escape); });
        });
        EXPECT_EQ(wurzel.lesen(u"programm/zettlora.dat"_s).contains(u"\tBergmann\t"_s), taste == Qt::Key_L);
    }
}

// Under a window manager: Esc from the keyboard and its close (Alt+F4) reach
// the question of Ctrl+Y and leave it open.
TEST_F(Fragen, EscUndFensterSchliessenLassenFrageOffen_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "needs keys and a window manager";
    fragenLassen(Qt::Key_Y, u"Nein"_s, [](QMessageBox& box) {
        const auto bleibtOffen = [&box](QEvent::Type art, const std::function<void()>& tun) {
            Zaehler z(&box, art);
            tun();
            return QTest::qWaitFor([&] { return z.mal > 0 || !box.isVisible(); }, 5000) && box.isVisible();
        };
        EXPECT_TRUE(bleibtOffen(QEvent::KeyRelease, [&] { nutzer::taste(box, Qt::Key_Escape); })) << "Esc answered";
        EXPECT_TRUE(bleibtOffen(QEvent::Close, [&] { nutzer::mitAlt(box, Qt::Key_F4); }))
            << "Alt+F4 answered, or the close request did not reach the box";
    });
}
