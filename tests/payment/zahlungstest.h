#pragma once
// Shared set-up of the payment tests: a temporary root with a data folder, a
// scripted platform, a fresh session and settings, a recording printer, and
// helpers to find what was printed where.

#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/start.h"
#include "platform/ordner.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "platform/ui/qtdrucker.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline QByteArray roh(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Fresh root, session, settings and clock (Saturday 5 Dec 2026, 09:05).
class ZahlungTest : public ::testing::Test
{
protected:
    TempWurzel wurzel;
    TestPlattform plattform;

    ZahlungTest()
    {
        zcommon::Ini_CacheLeeren();
        zcommon::Benutzer_Zuruecksetzen();
        zadressbuch::sitzungZuruecksetzen();
        plattform.uhr = QDateTime(QDate(2026, 12, 5), QTime(9, 5, 0));
        const QString daten = wurzel.wurzel() + QStringLiteral("/daten");
        QDir().mkpath(daten);
        zadressbuch::sitzung().DatenOrdner = daten;
    }
    ~ZahlungTest() override
    {
        zcommon::Ini_CacheLeeren();
        zcommon::Benutzer_Zuruecksetzen();
        zadressbuch::sitzungZuruecksetzen();
    }
    QString daten() const { return zadressbuch::sitzung().DatenOrdner; }
    static void ini(const QString& schluessel, const QString& wert)
    {
        zcommon::Ini_Schreiben(QString(), QString(), schluessel, wert);
    }
    static QString ini(const QString& schluessel)
    {
        return zcommon::Ini_Lesen(QString(), QString(), schluessel, QStringLiteral("<fehlt>"));
    }
};

// The text operations of a page whose text equals t.
inline std::vector<const zplatform::DruckOperation*> texteMit(const zplatform::DruckSeite& s, const QString& t)
{
    std::vector<const zplatform::DruckOperation*> r;
    for (const auto& op : s.operationen) {
        if (op.art == zplatform::DruckOperation::Text && op.text == t)
            r.push_back(&op);
    }
    return r;
}

// Expects the text exactly once at (x, y) in page centimetres.
#define ERWARTE_TEXT_BEI(seite, t, ex, ey)                                                                             \
    do {                                                                                                               \
        const auto treffer_ = texteMit((seite), (t));                                                                  \
        ASSERT_EQ(treffer_.size(), 1u) << "Text " << QString(t).toStdString();                                         \
        EXPECT_NEAR(treffer_[0]->x, (ex), 1e-4) << QString(t).toStdString();                                           \
        EXPECT_NEAR(treffer_[0]->y, (ey), 1e-4) << QString(t).toStdString();                                           \
    } while (0)

// The text of a PDF file, through pdftotext ("" when the tool is missing).
inline QString pdfText(const QString& datei)
{
    const QString werkzeug = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (werkzeug.isEmpty())
        return QString();
    QProcess p;
    p.start(werkzeug,
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-layout"), datei, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
