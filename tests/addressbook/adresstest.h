#pragma once
// Shared set-up of the address-file tests: a temporary root with a data
// folder, the scripted platform and a fresh session.

#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "support/testplattform.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace Qt::StringLiterals;

// A record with the given fields filled (field number, text), the rest empty.
inline QString Satz(std::initializer_list<std::pair<int, QString>> felder)
{
    zadressbuch::Felder f;
    for (const auto& [nr, text] : felder)
        f[nr] = text;
    return zadressbuch::Verbinden(f);
}

class AdressTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;
    QString daten;

    void SetUp() override
    {
        zadressbuch::sitzungZuruecksetzen();
        daten = wurzel.wurzel() + QStringLiteral("/daten");
        QDir().mkpath(daten);
        auto& s = zadressbuch::sitzung();
        s.DatenOrdner = daten;
        s.MaskenOrdner = daten;
        s.ProgrammIniDatei = wurzel.programm() + QStringLiteral("/Zettlora.Ini");
        s.AdressDateiName = daten + QStringLiteral("/zettlora.dat");
    }
    void TearDown() override { zadressbuch::sitzungZuruecksetzen(); }

    QString datei() const { return zadressbuch::sitzung().AdressDateiName; }

    static QByteArray bytes(const QString& pfad)
    {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void ablegen(const QString& pfad, const QByteArray& inhalt)
    {
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(inhalt);
    }
    // A process number no process has.
    static qint64 freiePid()
    {
        for (qint64 p = 4000000; p > 1000; --p)
            if (!QFileInfo::exists(QStringLiteral("/proc/%1").arg(p)))
                return p;
        return 0;
    }
};
