#pragma once
// Shared set-up of the main window's tests: a temporary root with the
// scripted platform, an address file in the program folder (the data folder
// unless a test sets "DirData"), a started main window, and small helpers for
// typing, focus, settings and the handler seams.

#include "addressbook/adressliste.h"
#include "addressbook/befehle.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenster.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "app/zusammenbau.h"
#include "common/ini.h"
#include "platform/ordner.h"
#include "support/testplattform.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace main_test {

// One address file line: the given fields, each field followed by TAB;
// an empty field 0 stands as one blank.
inline QString zeile(std::initializer_list<std::pair<int, QString>> felder)
{
    QStringList f(24);
    for (const auto& [nr, text] : felder)
        f[nr] = text;
    if (f[0].isEmpty())
        f[0] = u" "_s;
    QString z;
    for (const QString& t : f)
        z += t + u'\t';
    return z;
}

// Types a text key by key (press and release), umlauts and signs outside
// ASCII too, as a keyboard would deliver them.
inline void tippen(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        const QChar gross = c.toUpper();
        Qt::Key taste = Qt::Key_unknown;
        if (gross.unicode() >= 0x20 && gross.unicode() <= 0xff)
            taste = Qt::Key(gross.unicode());
        QTest::sendKeyEvent(QTest::Press, w, taste, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, taste, QString(c), Qt::NoModifier);
    }
}

// The focus entering (or leaving) a widget, as the Tab key would move it.
inline void fokus(QWidget* w, bool hinein)
{
    QFocusEvent e(hinein ? QEvent::FocusIn : QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &e);
}

// Holds the caller in an event loop of its own, as a drag or a box held open
// would (offscreen nothing else does), until bis() is true or hoechstensMs
// have passed; the exit's rounds run meanwhile.
inline void schleifeHalten(const std::function<bool()>& bis, int hoechstensMs = 1000)
{
    QEventLoop gehalten;
    QElapsedTimer uhr;
    uhr.start();
    QTimer blick;
    QObject::connect(&blick, &QTimer::timeout, [&] {
        if (bis() || uhr.elapsed() > hoechstensMs)
            gehalten.quit();
    });
    blick.start(5);
    gehalten.exec();
}

// Writes a setting (by default into Zizorud.ini).
inline void einstellung(const QString& schluessel, const QString& wert, const QString& datei = {},
                        const QString& sektion = {})
{
    zcommon::Ini_Schreiben(datei, sektion, schluessel, wert);
}

// Records the commands and card events of the names ("PulOeffnen_Click",
// "mnuSort_Click", "Feld_DblClick" ...) in the main windows started while it
// lives, in place of the program's own: every call notes its index (a
// recorded card event counts as acted), and all calls their names in order.
// Declare it before starting the window.
class Handler
{
public:
    QMap<QString, QList<int>> aufrufe;
    QStringList reihenfolge;

    explicit Handler(QStringList namen) : m_namen(std::move(namen)) { aktive().push_back(this); }
    ~Handler() { std::erase(aktive(), this); }
    Handler(const Handler&) = delete;
    Handler& operator=(const Handler&) = delete;
    int anzahl(const QString& name) const { return int(aufrufe.value(name).size()); }

    // The active recorder of a name, if any.
    static Handler* fuer(const QString& name)
    {
        for (Handler* h : aktive())
            if (h->m_namen.contains(name, Qt::CaseInsensitive))
                return h;
        return nullptr;
    }
    // Notes a call under the name as the test spelt it.
    void notieren(const QString& name, int index)
    {
        const QString eigen = m_namen.value(m_namen.indexOf(QRegularExpression(
            u"^"_s + QRegularExpression::escape(name) + u"$"_s, QRegularExpression::CaseInsensitiveOption)));
        aufrufe[eigen] << index;
        reihenfolge << eigen;
    }

private:
    static std::vector<Handler*>& aktive()
    {
        static std::vector<Handler*> liste;
        return liste;
    }
    QStringList m_namen;
};

// The window's register: the program's commands (unless ohneProgramm), with
// the recorded ones in their place.
inline void befehleZusammenstellen(zadressbuch::Befehlsregister& fenster, const zadressbuch::Befehlsregister& programm)
{
    using namespace zadressbuch;
    for (int b = 0; b < BefehlAnzahl; ++b) {
        const Befehl befehl = Befehl(b);
        const QString name = Befehl_Name(befehl) + u"_Click"_s;
        if (Handler* h = Handler::fuer(name))
            fenster.anmelden(befehl, [h, name](Fenster&, int i) { h->notieren(name, i); });
        else if (programm.angemeldet(befehl))
            fenster.anmelden(befehl, [&programm, befehl](Fenster& f, int i) { programm.ausfuehren(befehl, f, i); });
    }
    const std::pair<Kartenereignis, QString> ereignisse[] = {{Kartenereignis::Feld_GotFocus, u"Feld_GotFocus"_s},
                                                             {Kartenereignis::Feld_LostFocus, u"Feld_LostFocus"_s},
                                                             {Kartenereignis::Feld_DblClick, u"Feld_DblClick"_s}};
    for (const auto& [ereignis, name] : ereignisse) {
        if (Handler* h = Handler::fuer(name))
            fenster.anmelden(ereignis, [h, name](Fenster&, int feld) {
                h->notieren(name, feld);
                return true;
            });
        else
            fenster.anmelden(
                ereignis, [&programm, ereignis](Fenster& f, int feld) { return programm.melden(ereignis, f, feld); });
    }
    for (Ablaufschritt schritt : {Ablaufschritt::Start_Uebergabe, Ablaufschritt::Ende_Uebergabe})
        if (programm.angemeldet(schritt))
            fenster.anmelden(schritt, [&programm, schritt](Fenster& f, int i) { programm.ausfuehren(schritt, f, i); });
}

// Closes what a test leaves open once some seconds have passed (a popup
// menu, else a modal window other than the main window), so that a window the
// program does not close fails the test instead of hanging it; counts each.
class Notbremse
{
public:
    explicit Notbremse(int nachMs = 3000)
    {
        m_seit.start();
        m_waechter.setInterval(100);
        QObject::connect(&m_waechter, &QTimer::timeout, [this, nachMs] {
            if (m_seit.elapsed() < nachMs)
                return;
            QWidget* w = QApplication::activePopupWidget();
            if (!w)
                w = QApplication::activeModalWidget();
            if (!w || qobject_cast<zadressbuch::Main*>(w))
                return;
            ++m_geschlossen;
            if (auto* d = qobject_cast<QDialog*>(w))
                d->done(QDialog::Rejected);
            else
                w->close();
        });
        m_waechter.start();
    }
    int geschlossen() const { return m_geschlossen; }

private:
    int m_geschlossen = 0;
    QTimer m_waechter;
    QElapsedTimer m_seit;
};

class MainFensterTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;
    std::unique_ptr<zadressbuch::Main> fenster;
    // The commands as the program registers them, and the window's register.
    std::unique_ptr<zadressbuch::Befehlsregister> programm;
    std::unique_ptr<zadressbuch::Befehlsregister> befehle;
    // Start the window without the program's commands (only recorded ones).
    bool ohneProgramm = false;
    // The tip at start-up as the settings have it. Otherwise a test that does
    // not set "AutoTip" itself starts with it off: the dialog would open
    // modally at the first paint and wait there.
    bool tippBeimStart = false;

    void SetUp() override { neuerLauf(); }
    void TearDown() override { neuerLauf(); }

    // Ends the running main window as a new run would find things.
    void neuerLauf()
    {
        fenster.reset();
        befehle.reset();
        programm.reset();
        zadressbuch::sitzungZuruecksetzen();
        zadressbuch::adressliste().Clear();
    }

    // Writes programm/zettlora.dat (or the named file): the lines, each followed by CR LF.
    void adressdatei(const QStringList& zeilen, const QString& name = u"zettlora.dat"_s)
    {
        wurzel.schreiben(u"programm/"_s + name, zeilen.join(u"\r\n"_s) + u"\r\n"_s);
    }

    // The installed default files, as the program copies them at its first
    // start (Tips.Bot among them).
    void erstausstattung() { ASSERT_TRUE(zplatform::programmOrdnerBefuellen(zplatform::vorgabenOrdner())); }

    QByteArray dateiBytes(const QString& name = u"zettlora.dat"_s) const
    {
        QFile f(wurzel.programm() + u'/' + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    zadressbuch::Main& starten(const QStringList& argumente = {})
    {
        fenster.reset();
        if (!tippBeimStart && ini(u"AutoTip"_s) == u"<fehlt>"_s)
            einstellung(u"AutoTip"_s, u"0"_s);
        programm = std::make_unique<zadressbuch::Befehlsregister>();
        if (!ohneProgramm)
            zapp::Programm_Zusammenbauen(*programm);
        befehle = std::make_unique<zadressbuch::Befehlsregister>();
        befehleZusammenstellen(*befehle, *programm);
        fenster = std::make_unique<zadressbuch::Main>(*befehle, argumente);
        fenster->Form_Load();
        fenster->show();
        return *fenster;
    }

    QLineEdit* textfeld(int i) const { return static_cast<QLineEdit*>(fenster->Feld(i)); }
    QString eintrag(int i) const { return zadressbuch::adressliste().List(i); }
    QString panel(const char* name) const { return fenster->panelText(QLatin1String(name)); }
    QString panelTipp(const char* name) const { return fenster->panelLabel(QLatin1String(name))->toolTip(); }
    // Whether the "Status" panel, laid out as the window lays it out now,
    // shows its text whole from the start to the end of the part.
    ::testing::AssertionResult statusZeigtBis(const QString& teil) const
    {
        const QString text = panel("Status");
        const qsizetype stelle = text.indexOf(teil);
        if (stelle < 0)
            return ::testing::AssertionFailure()
                   << "\"" << teil.toStdString() << "\" is not in the status \"" << text.toStdString() << '"';
        QLabel* status = fenster->panelLabel(u"Status"_s);
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const int noetig = status->fontMetrics().horizontalAdvance(text.left(stelle + teil.size()));
        const int sichtbar = status->contentsRect().width() - 2 * status->margin();
        if (noetig > sichtbar)
            return ::testing::AssertionFailure()
                   << "the panel shows " << sichtbar << " of the " << noetig << " pixels up to the end of \""
                   << teil.toStdString() << "\" in \"" << text.toStdString() << '"';
        return ::testing::AssertionSuccess();
    }
    // A setting of Zizorud.ini ("<fehlt>" when missing).
    static QString ini(const QString& schluessel, const QString& sektion = {}, const QString& datei = {})
    {
        return zcommon::Ini_Lesen(datei, sektion, schluessel, u"<fehlt>"_s);
    }
};

} // namespace main_test
