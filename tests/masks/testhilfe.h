#pragma once
// Shared helpers of the mask tests: readable QString output, a temporary
// root with the scripted platform, and a fresh session with a mask folder.

#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/start.h"
#include "masks/masken.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// A temporary root, the scripted platform (clock: 5 December 2026, 09:05:07)
// and the session's mask folder <root>/daten.
class MaskenUmgebung : public ::testing::Test
{
protected:
    void SetUp() override
    {
        p.uhr = QDateTime(QDate(2026, 12, 5), QTime(9, 5, 7));
        zadressbuch::sitzungZuruecksetzen();
        QDir().mkpath(daten());
        zadressbuch::sitzung().DatenOrdner = daten();
        zadressbuch::sitzung().MaskenOrdner = daten();
        zmasken::Masken_CacheLeeren();
        zcommon::Benutzer_Zuruecksetzen();
    }
    void TearDown() override
    {
        zadressbuch::sitzungZuruecksetzen();
        zmasken::Masken_CacheLeeren();
        zcommon::Benutzer_Zuruecksetzen();
    }

    QString daten() const { return w.wurzel() + QStringLiteral("/daten"); }

    // Writes raw bytes (the test decides every byte).
    static void bytesSchreiben(const QString& pfad, const QByteArray& inhalt)
    {
        QFile f(pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << pfad.toStdString();
        f.write(inhalt);
    }
    static QByteArray bytesLesen(const QString& pfad)
    {
        QFile f(pfad);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<fehlt>");
        return f.readAll();
    }

    TempWurzel w;
    TestPlattform p;
};
