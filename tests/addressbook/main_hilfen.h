#pragma once
// Shared set-up of the main window's tests: a temporary root with the
// scripted platform, an address file in the data folder (the program folder
// unless a test sets "DirData"), and a started main window.

#include "addressbook/adressliste.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/main.h"
#include "support/testplattform.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

namespace main_test {

// One address file line: the given fields, each field followed by TAB;
// an empty field 0 stands as one blank.
inline QString zeile(std::initializer_list<std::pair<int, QString>> felder)
{
    QStringList f(24);
    for (const auto& [nr, text] : felder)
        f[nr] = text;
    if (f[0].isEmpty())
        f[0] = QStringLiteral(" ");
    QString z;
    for (const QString& t : f)
        z += t + QLatin1Char('\t');
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

class MainFensterTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;
    std::unique_ptr<zadressbuch::Main> fenster;

    void SetUp() override
    {
        zadressbuch::sitzungZuruecksetzen();
        zadressbuch::adressliste().Clear();
    }

    void TearDown() override
    {
        fenster.reset();
        zadressbuch::sitzungZuruecksetzen();
        zadressbuch::adressliste().Clear();
    }

    // Writes programm/zettlora.dat: the lines, each followed by CR LF.
    void adressdatei(const QStringList& zeilen, const QString& name = QStringLiteral("zettlora.dat"))
    {
        QString text;
        for (const QString& z : zeilen)
            text += z + QStringLiteral("\r\n");
        wurzel.schreiben(QStringLiteral("programm/") + name, text);
    }

    QByteArray dateiBytes(const QString& name = QStringLiteral("zettlora.dat")) const
    {
        QFile f(wurzel.programm() + QLatin1Char('/') + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    zadressbuch::Main& starten(const QStringList& argumente = {})
    {
        fenster = std::make_unique<zadressbuch::Main>(argumente);
        fenster->Form_Load();
        fenster->show();
        return *fenster;
    }

    QWidget* feld(int i) const { return fenster->Feld(i); }
    QString eintrag(int i) const { return zadressbuch::adressliste().List(i); }
};

} // namespace main_test
