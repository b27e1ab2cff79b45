#pragma once
// Shared set-up of the main window's tests: a temporary root with the
// scripted platform, an address file in the program folder (the data folder
// unless a test sets "DirData"), a started main window, and small helpers for
// typing, focus, settings and the handler seams.

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "common/ini.h"
#include "support/testplattform.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QTest>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

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

// Writes a setting (by default into Zizorud.ini).
inline void einstellung(const QString& schluessel, const QString& wert, const QString& datei = {},
                        const QString& sektion = {})
{
    zcommon::Ini_Schreiben(datei, sektion, schluessel, wert);
}

// Puts recording handlers in the seams of the names while it lives: every
// call notes its index, and all calls their names in order.
class Handler
{
public:
    QMap<QString, QList<int>> aufrufe;
    QStringList reihenfolge;

    explicit Handler(QStringList namen) : m_namen(std::move(namen))
    {
        for (const QString& name : m_namen)
            zadressbuch::Main::handlerSetzen(name, [this, name](zadressbuch::Main&, int i) {
                aufrufe[name] << i;
                reihenfolge << name;
            });
    }
    ~Handler()
    {
        for (const QString& name : m_namen)
            zadressbuch::Main::handlerSetzen(name, {});
    }
    Handler(const Handler&) = delete;
    Handler& operator=(const Handler&) = delete;
    int anzahl(const QString& name) const { return int(aufrufe.value(name).size()); }

private:
    QStringList m_namen;
};

class MainFensterTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;
    std::unique_ptr<zadressbuch::Main> fenster;

    void SetUp() override { neuerLauf(); }
    void TearDown() override { neuerLauf(); }

    // Ends the running main window as a new run would find things.
    void neuerLauf()
    {
        fenster.reset();
        zadressbuch::sitzungZuruecksetzen();
        zadressbuch::adressliste().Clear();
    }

    // Writes programm/zettlora.dat (or the named file): the lines, each followed by CR LF.
    void adressdatei(const QStringList& zeilen, const QString& name = u"zettlora.dat"_s)
    {
        wurzel.schreiben(u"programm/"_s + name, zeilen.join(u"\r\n"_s) + u"\r\n"_s);
    }

    QByteArray dateiBytes(const QString& name = u"zettlora.dat"_s) const
    {
        QFile f(wurzel.programm() + u'/' + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    zadressbuch::Main& starten(const QStringList& argumente = {})
    {
        fenster = std::make_unique<zadressbuch::Main>(argumente);
        fenster->Form_Load();
        fenster->show();
        return *fenster;
    }

    QLineEdit* textfeld(int i) const { return static_cast<QLineEdit*>(fenster->Feld(i)); }
    QString eintrag(int i) const { return zadressbuch::adressliste().List(i); }
    QString panel(const char* name) const { return fenster->panelText(QLatin1String(name)); }
    // A setting of Zizorud.ini ("<fehlt>" when missing).
    static QString ini(const QString& schluessel, const QString& sektion = {}, const QString& datei = {})
    {
        return zcommon::Ini_Lesen(datei, sektion, schluessel, u"<fehlt>"_s);
    }
};

} // namespace main_test
