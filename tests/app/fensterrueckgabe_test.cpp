// The main window after a command's windows have closed: active again, with
// the focus where it was, so that what the user types next reaches the card.
// Under X11 with a window manager the commands that end with a message box
// are driven with keys as a user drives them; offscreen the same steps go to
// the windows straight away.
#include "addressbook/main_hilfen.h"
#include "commands/ui/file.h"
#include "exchange/ui/adrimport2.h"
#include "platform/ui/desktopplattform.h"
#include "printing/ui/listendruck.h"
#include "support/nutzereingabe.h"

#include <QAction>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <functional>
#include <vector>

using namespace main_test;
using zadressbuch::Main;

namespace {

// The scripted platform with the desktop's message and input boxes.
class EchteBoxen : public TestPlattform
{
public:
    int meldungMitHilfe(const QString& text, int stil, const QString& titel, const zplatform::HilfeAufruf& hilfe,
                        zplatform::Schliessantwort schliessen) override
    {
        return m_desktop.meldungMitHilfe(text, stil, titel, hilfe, schliessen);
    }
    QString eingabeMitHilfe(const QString& prompt, const QString& titel, const QString& vorgabe,
                            const zplatform::HilfeAufruf& hilfe, bool* abgebrochen) override
    {
        return m_desktop.eingabeMitHilfe(prompt, titel, vorgabe, hilfe, abgebrochen);
    }

private:
    zplatform::DesktopPlattform m_desktop;
};

// One window that a command shows, and what the user does there.
struct Schritt
{
    const char* fenster;
    std::function<bool(QWidget&)> erkennen;
    std::function<void(QWidget&)> tun;
    bool kannFehlen = false; // the window shows only in some runs
};

template <class T> std::function<bool(QWidget&)> ist()
{
    return [](QWidget& w) { return qobject_cast<T*>(&w) != nullptr; };
}

// A message box whose text begins so.
std::function<bool(QWidget&)> box(const QString& anfang)
{
    return [anfang](QWidget& w) {
        auto* b = qobject_cast<QMessageBox*>(&w);
        return b && b->text().startsWith(anfang);
    };
}

// The answer to an input box: the text, then Enter.
std::function<void(QWidget&)> antworten(const QString& text)
{
    return [text](QWidget& w) {
        static_cast<QInputDialog&>(w).setTextValue(text);
        nutzer::taste(w, Qt::Key_Return);
    };
}

std::function<void(QWidget&)> taste(Qt::Key k)
{
    return [k](QWidget& w) { nutzer::taste(w, k); };
}

// Runs the steps on the windows as they come up, each once the window is the
// active modal one (and, under X11, has the focus).
class Drehbuch
{
public:
    explicit Drehbuch(std::vector<Schritt> schritte) : m_schritte(std::move(schritte))
    {
        m_takt.setInterval(10);
        QObject::connect(&m_takt, &QTimer::timeout, [this] { weiter(); });
        m_takt.start();
    }
    // The window of the first step that has not run yet ("" when all have).
    QString offen() const
    {
        for (size_t i = m_naechster; i < m_schritte.size(); ++i)
            if (!m_schritte[i].kannFehlen)
                return QString::fromUtf8(m_schritte[i].fenster);
        return QString();
    }

private:
    void weiter()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (m_laeuft || !w || w == m_letztes.data())
            return;
        for (size_t i = m_naechster; i < m_schritte.size(); ++i) {
            if (m_schritte[i].erkennen(*w)) {
                m_laeuft = true;
                m_letztes = w;
                // Keys go to the window that has the focus on the X server.
                const QPointer<QWidget> fenster = w;
                EXPECT_TRUE(QTest::qWaitFor(
                    [fenster] {
                        return fenster && fenster->isActiveWindow() &&
                               (!nutzer::unterX11() || nutzer::aktivX11() == fenster->winId());
                    },
                    5000))
                    << m_schritte[i].fenster << " got no focus";
                if (fenster)
                    m_schritte[i].tun(*fenster);
                m_naechster = i + 1;
                m_laeuft = false;
                return;
            }
            if (!m_schritte[i].kannFehlen)
                return;
        }
    }
    std::vector<Schritt> m_schritte;
    size_t m_naechster = 0;
    QPointer<QWidget> m_letztes;
    bool m_laeuft = false;
    QTimer m_takt;
};

// The modal window open now, as the user sees it ("" when none).
QString offenesFenster()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w)
        return QString();
    if (auto* b = qobject_cast<QMessageBox*>(w))
        return u"box \""_s + b->text() + u'"';
    return QString::fromLatin1(w->metaObject()->className()) + u" \""_s + w->windowTitle() + u'"';
}

QString fensterName(const QWidget* w)
{
    if (!w)
        return u"none"_s;
    return QString::fromLatin1(w->metaObject()->className()) + u" \""_s + w->windowTitle() + u"\""_s +
           (w->isVisible() ? u""_s : u" (hidden)"_s);
}

// The window the window manager names active.
QString vomFensterverwalterAktiv()
{
    if (!nutzer::unterX11())
        return u"(offscreen)"_s;
    const WId id = nutzer::aktivX11();
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (id && w->internalWinId() == id)
            return fensterName(w);
    return id ? u"a window closed since, 0x"_s + QString::number(id, 16) : u"none"_s;
}

// A command that ends with a message box: how the user starts it, and its
// windows up to the last box, closed with the key.
struct Befehlsablauf
{
    const char* name;
    std::function<void(Main&)> starten;
    std::function<std::vector<Schritt>(int runde, Qt::Key schliessen)> fenster;
};

std::function<void(Main&)> menue(const char* eintrag)
{
    return [eintrag](Main& m) { QTimer::singleShot(0, m.aktion(QLatin1String(eintrag)), &QAction::trigger); };
}

std::function<void(Main&)> mitStrg(Qt::Key k)
{
    return [k](Main& m) { nutzer::mitStrg(m, k); };
}

class Fensterrueckgabe : public MainFensterTest
{
protected:
    void TearDown() override
    {
        zplatform::plattformSetzen(&plattform);
        MainFensterTest::TearDown();
    }
    EchteBoxen boxen;
};

} // namespace

// Import, export, the bulk delete, a catalogue take-over, renumbering and
// both statistics, each a few times with its last box closed by Enter or Esc:
// afterwards the main window is active (to the window manager and to the
// program) and its focused field takes the next key.
TEST_F(Fensterrueckgabe, NachDerLetztenBoxIstDasHauptfensterAktiv_X11)
{
    adressdatei({u"..Test"_s, zeile({{1, u"Berg"_s}, {3, u"Weg 1"_s}, {4, u"53111"_s}, {5, u"Bonn"_s}, {23, u"1"_s}}),
                 zeile({{1, u"Adler"_s}, {4, u"50667"_s}, {5, u"Köln"_s}, {10, u"Z"_s}, {23, u"2"_s}})});
    wurzel.schreiben(u"temp/liste.txt"_s, u"Nachname;Ort\r\nMeier;Ulm\r\n"_s);
    const QString liste = wurzel.temp() + u"/liste.txt"_s;
    const Befehlsablauf ablaeufe[] = {
        {"Import", mitStrg(Qt::Key_I),
         [&](int, Qt::Key k) {
             return std::vector<Schritt>{{"import window", ist<zaustausch::AdrImport2>(),
                                          [&](QWidget& w) {
                                              auto& d = static_cast<zaustausch::AdrImport2&>(w);
                                              d.txtDatei->setText(liste);
                                              d.datei_Laden(false);
                                              nutzer::mitAlt(d, Qt::Key_I);
                                          }},
                                         {"result", box(u"1 Adresse wurde importiert."_s), taste(k)}};
         }},
        {"Export", mitStrg(Qt::Key_P),
         [](int runde, Qt::Key k) {
             return std::vector<Schritt>{
                 {"list window", ist<zdruck::Listendruck>(), [](QWidget& w) { nutzer::mitAlt(w, Qt::Key_T); }},
                 {"file chooser", ist<zbefehle::File>(),
                  [runde](QWidget& w) {
                      auto& f = static_cast<zbefehle::File&>(w);
                      f.Bezeichnung->setFocus();
                      f.Bezeichnung->setText(u"Auszug%1"_s.arg(runde));
                      nutzer::taste(f, Qt::Key_Return);
                  }},
                 {"description", ist<QInputDialog>(), antworten(u"Auszug 😀"_s)},
                 {"result", box(u"Die Datei »"_s), taste(k), true}};
         }},
        {"Massenlöschen", menue("mnuVertriebDel"),
         [](int, Qt::Key k) {
             return std::vector<Schritt>{{"search text", ist<QInputDialog>(), antworten(u"zzzz"_s)},
                                         {"result", box(u"Keine Adressen mit »zzzz« gefunden."_s), taste(k)}};
         }},
        {"Katalogübernahme", menue("mnuUebernahmePlzOrt"),
         [](int, Qt::Key k) {
             return std::vector<Schritt>{{"question", box(u"Sollen jetzt neue Ortsnamen"_s), taste(Qt::Key_Return)},
                                         {"result", box(u""_s), taste(k)}};
         }},
        {"Indexnummern", menue("mnuIndexSetNew"),
         [](int, Qt::Key k) {
             return std::vector<Schritt>{{"question", box(u"Sollen alle Adressen neue Indexnummern"_s),
                                          taste(k == Qt::Key_Escape ? Qt::Key_J : Qt::Key_Return)}};
         }},
        {"PLZ-Statistik", menue("mnuStatistikPLZ"),
         [](int, Qt::Key k) {
             return std::vector<Schritt>{{"result", box(u""_s), taste(k)}};
         }},
        {"Statistik Adressen mit", menue("mnuStatistikFeldSuche"),
         [](int, Qt::Key k) {
             return std::vector<Schritt>{{"search text", ist<QInputDialog>(), antworten(u"a"_s)},
                                         {"result", box(u"Gesucht wurden Adressen mit"_s), taste(k)}};
         }},
    };

    Main& m = starten();
    zplatform::plattformSetzen(&boxen);
    nutzer::nachVorneHolen(m);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    const auto hauptfensterAktiv = [&] {
        return QApplication::activeWindow() == &m && (!nutzer::unterX11() || nutzer::aktivX11() == m.winId());
    };
    for (const Befehlsablauf& a : ablaeufe) {
        for (int runde = 0; runde < 6; ++runde) {
            SCOPED_TRACE(std::string(a.name) + ", round " + std::to_string(runde));
            // A line field or the remark box, as the user left it.
            const int nr = runde % 3 == 1 ? zadressbuch::Bemerkung : zadressbuch::Zusatz;
            QWidget* feld = m.Feld(nr);
            // (After a failed round the user brings the window back.)
            if (!hauptfensterAktiv()) {
                nutzer::nachVorneHolen(m);
                ASSERT_TRUE(QTest::qWaitFor(hauptfensterAktiv, 5000));
            }
            feld->setFocus(Qt::MouseFocusReason);
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == feld; }, 2000));
            const Qt::Key schliessen = runde % 2 ? Qt::Key_Escape : Qt::Key_Return;
            // A window left open is closed after a while: the test fails, it does not hang.
            const Notbremse notbremse{15000};
            Drehbuch drehbuch(a.fenster(runde, schliessen));
            a.starten(m);
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return drehbuch.offen().isEmpty() && !QApplication::activeModalWidget(); }, 15000))
                << "never came: " << drehbuch.offen().toStdString() << ", open: " << offenesFenster().toStdString();
            EXPECT_TRUE(QTest::qWaitFor(hauptfensterAktiv, 5000))
                << "active: " << fensterName(QApplication::activeWindow()).toStdString()
                << "; to the window manager: " << vomFensterverwalterAktiv().toStdString();
            EXPECT_EQ(QApplication::focusWidget(), feld);
            // What the user types next reaches the field.
            const QString vorher = m.FeldText(nr);
            nutzer::taste(m, Qt::Key_X);
            EXPECT_TRUE(QTest::qWaitFor([&] { return m.FeldText(nr) != vorher; }, 3000)) << "the key went nowhere";
            EXPECT_EQ(notbremse.geschlossen(), 0);
            if (HasFatalFailure())
                return;
        }
    }
}
