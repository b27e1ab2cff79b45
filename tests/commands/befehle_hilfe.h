#pragma once
// Shared set-up of the command tests: a temporary root with a data folder, a
// scripted platform, a fresh session and address list, and hooks that record
// what the commands ask of the main window.

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "commands/anbindung.h"
#include "common/ini.h"
#include "support/testplattform.h"

#include <QDir>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>

// A record from the given fields (missing ones empty), each followed by TAB.
inline QString satz(const QStringList& felder)
{
    QString s;
    for (int i = 0; i < zadressbuch::FeldAnzahl; ++i) {
        s += i < felder.size() ? felder.at(i) : QString();
        s += QLatin1Char('\t');
    }
    return s;
}

// A record with only some fields set: {field number, text} pairs.
inline QString satzMit(std::initializer_list<std::pair<int, QString>> werte)
{
    QStringList f;
    for (int i = 0; i < zadressbuch::FeldAnzahl; ++i)
        f << QString();
    for (const auto& [nr, text] : werte)
        f[nr] = text;
    return satz(f);
}

class BefehleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wurzel = std::make_unique<TempWurzel>();
        plattform = std::make_unique<TestPlattform>();
        zadressbuch::sitzungZuruecksetzen();
        zbefehle::anbindung() = zbefehle::Anbindung{};
        QDir().mkpath(wurzel->wurzel() + QStringLiteral("/daten"));
        auto& s = zadressbuch::sitzung();
        s.DatenOrdner = wurzel->wurzel() + QStringLiteral("/daten");
        s.MaskenOrdner = s.DatenOrdner;
        s.ProgrammIniDatei = wurzel->programm() + QStringLiteral("/Zettlora.Ini");
        s.AdressDateiName = s.DatenOrdner + QStringLiteral("/zettlora.dat");
        s.StatusAnzeige = [this](const QString& t) { status << t; };
        liste = std::make_unique<zadressbuch::AdressListe>();
        // The list's click handler of the main window: the undo copy.
        QObject::connect(liste.get(), &zadressbuch::AdressListe::auswahlGeaendert, [this](int i) {
            zadressbuch::sitzung().UndoKopie = i >= 0 && i < liste->ListCount() ? liste->List(i) : QString();
            ++klicks;
        });
        auto& a = zbefehle::anbindung();
        a.Adresse_Anzeigen = [this] { ++anzeigen; };
        a.Feld_Fokus = [this](int f) { fokus = f; };
    }

    void TearDown() override
    {
        zbefehle::anbindung() = zbefehle::Anbindung{};
        zadressbuch::sitzungZuruecksetzen();
        liste.reset();
        plattform.reset();
        wurzel.reset();
        zcommon::Ini_CacheLeeren();
    }

    QString daten(const QString& name) const { return zadressbuch::sitzung().DatenOrdner + QLatin1Char('/') + name; }
    // Writes a file below the root (relative path), text as given.
    void schreiben(const QString& relativ, const QString& text) const { wurzel->schreiben(relativ, text); }
    QString lesen(const QString& relativ) const { return wurzel->lesen(relativ); }

    std::unique_ptr<TempWurzel> wurzel;
    std::unique_ptr<TestPlattform> plattform;
    std::unique_ptr<zadressbuch::AdressListe> liste;
    QStringList status;
    int klicks = 0;
    int anzeigen = 0;
    int fokus = -1;
};
