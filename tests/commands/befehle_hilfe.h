#pragma once
// Shared set-up of the command tests: records and file texts, a temporary root
// with a data folder, a scripted platform, a fresh session and address list,
// and a stand-in window that records what the commands ask of it.

#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/fenstereinstellungen.h"
#include "addressbook/sitzung.h"
#include "commands/dateiwahl.h"
#include "support/fensterattrappe.h"
#include "commands/ui/file.h"
#include "common/ini.h"
#include "support/testplattform.h"

#include <QDir>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A record with only some fields set ({field number, text}), each of the 24
// fields followed by TAB.
inline QString satzMit(std::initializer_list<std::pair<int, QString>> werte)
{
    QStringList f;
    for (int i = 0; i < zadressbuch::FeldAnzahl; ++i)
        f << QString();
    for (const auto& [nr, text] : werte)
        f[nr] = text;
    return f.join(QLatin1Char('\t')) + QLatin1Char('\t');
}

// File text: every line followed by CR LF.
inline QString zeilen(const QStringList& z)
{
    QString s;
    for (const QString& l : z)
        s += l + QStringLiteral("\r\n");
    return s;
}

// The values of one field of the list, in list order.
inline QStringList spalte(const zadressbuch::AdressListe& l, int feld)
{
    QStringList r;
    for (int i = 0; i < l.ListCount(); ++i)
        r << zadressbuch::FeldAus(l.List(i), feld);
    return r;
}

// The program's own setting.
inline void iniSetzen(const QString& schluessel, const QString& wert)
{
    zcommon::Ini_Schreiben(QString(), QString(), schluessel, wert);
}

// Runs `ausloesen`, which shows the file chooser modally; the steps run on the
// shown chooser. A chooser the steps leave open is cancelled rather than hang.
// False when no chooser was shown.
inline bool mitDateiwahl(const std::function<void()>& ausloesen, const std::function<void(zbefehle::File&)>& schritte)
{
    zbefehle::File& f = zbefehle::File::instanz();
    bool gezeigt = false;
    QTimer notbremse;
    notbremse.setSingleShot(true);
    QObject::connect(&notbremse, &QTimer::timeout, [&f] {
        if (f.isVisible())
            f.befAbbrechen->click();
    });
    QTimer::singleShot(0, &notbremse, [&] {
        if (!f.isVisible())
            return;
        gezeigt = true;
        schritte(f);
    });
    notbremse.start(5000);
    ausloesen();
    return gezeigt;
}

class BefehleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wurzel = std::make_unique<TempWurzel>();
        plattform = std::make_unique<TestPlattform>();
        zadressbuch::sitzungZuruecksetzen();
        QDir().mkpath(wurzel->wurzel() + QStringLiteral("/daten"));
        auto& s = zadressbuch::sitzung();
        s.DatenOrdner = wurzel->wurzel() + QStringLiteral("/daten");
        s.MaskenOrdner = s.DatenOrdner;
        s.ProgrammIniDatei = wurzel->programm() + QStringLiteral("/Zettlora.Ini");
        s.AdressDateiName = s.DatenOrdner + QStringLiteral("/zettlora.dat");
        liste = std::make_unique<zadressbuch::AdressListe>();
        // The list's click handler of the main window: the undo copy.
        QObject::connect(liste.get(), &zadressbuch::AdressListe::auswahlGeaendert, [this](int i) {
            zadressbuch::sitzung().UndoKopie = i >= 0 && i < liste->ListCount() ? liste->List(i) : QString();
            ++klicks;
        });
    }

    void TearDown() override
    {
        zadressbuch::sitzungZuruecksetzen();
        liste.reset();
        plattform.reset();
        wurzel.reset();
        zcommon::Ini_CacheLeeren();
    }

    QString daten(const QString& name) const { return zadressbuch::sitzung().DatenOrdner + QLatin1Char('/') + name; }
    // Writes / reads a file below the root (relative path), text as given.
    void schreiben(const QString& relativ, const QString& text) const { wurzel->schreiben(relativ, text); }
    QString lesen(const QString& relativ) const { return wurzel->lesen(relativ); }
    // A list of the given surnames (field 1).
    void namen(const QStringList& n)
    {
        for (const QString& s : n)
            liste->AddItem(satzMit({{1, s}}));
    }

    std::unique_ptr<TempWurzel> wurzel;
    std::unique_ptr<TestPlattform> plattform;
    std::unique_ptr<zadressbuch::AdressListe> liste;
    // The window as the commands see it: what they asked of it is recorded.
    FensterAttrappe fenster;
    QStringList& status = fenster.statusTexte;
    int klicks = 0;
    int& anzeigen = fenster.angezeigt;
    int& fokus = fenster.fokusFeld;
};
