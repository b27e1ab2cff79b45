#pragma once
// Shared set-up of the catalogue tests: a temporary root with a catalogue
// folder, a scripted platform, a fresh session and address list, a stand-in
// for the main window.

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "support/fensterattrappe.h"
#include "support/testplattform.h"

#include <QDir>
#include <QStringList>
#include <gtest/gtest.h>

#include <ostream>

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// A record with only some fields set.
inline QString satzMit(std::initializer_list<std::pair<int, QString>> werte)
{
    zadressbuch::Felder f;
    for (const auto& [nr, text] : werte)
        f[size_t(nr)] = text;
    return zadressbuch::Verbinden(f);
}

// File text: every line followed by CR LF.
inline QString crlf(const QStringList& z)
{
    QString s;
    for (const QString& l : z)
        s += l + QStringLiteral("\r\n");
    return s;
}

class KatalogTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;
    FensterAttrappe fenster;

    KatalogTest()
    {
        zadressbuch::sitzungZuruecksetzen();
        zadressbuch::adressliste().Clear();
        QDir(wurzel.programm()).mkpath(QStringLiteral("Kataloge"));
    }
    ~KatalogTest() override { zadressbuch::adressliste().Clear(); }

    // A catalogue file below the catalogue folder.
    void katalog(const QString& name, const QStringList& zeilen) const
    {
        wurzel.schreiben(QStringLiteral("programm/Kataloge/") + name, crlf(zeilen));
    }
    QString katalogText(const QString& name) const { return wurzel.lesen(QStringLiteral("programm/Kataloge/") + name); }
    bool gibt(const QString& name) const
    {
        return QFileInfo::exists(wurzel.programm() + QStringLiteral("/Kataloge/") + name);
    }

    static void adressen(const QStringList& saetze) { zadressbuch::adressliste().setEintraege(saetze); }
};
