#pragma once
// Shared set-up of the payment tests: a temporary root with a data folder, a
// scripted platform, a fresh session and settings, a recording printer, and
// helpers to find what was printed where.

#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/start.h"
#include "payment/lastschrift.h"
#include "payment/ui/zahlungsfeld.h"
#include "platform/ordner.h"
#include "platform/textdatei.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "platform/ui/qtdrucker.h"
#include "support/testplattform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
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

// A payment form's test: the recording printer as the printer, the address
// file and program settings in the temporary root, and print options that
// name each job and answer OK (or, in order, as abbrueche says).
class FormDruckTest : public ZahlungTest
{
protected:
    std::unique_ptr<zplatform::AufzeichnungsDrucker> eigener = std::make_unique<zplatform::AufzeichnungsDrucker>();
    zplatform::AufzeichnungsDrucker* drucker = eigener.get();
    QStringList jobs;
    QList<bool> abbrueche; // answers of the print options, in order (empty: OK)

    FormDruckTest()
    {
        zplatform::druckerSetzen(std::move(eigener));
        zadressbuch::sitzung().AdressDateiName = daten() + QStringLiteral("/kunden.dat");
        zadressbuch::sitzung().ProgrammIniDatei = wurzel.programm() + QStringLiteral("/Zettlora.Ini");
    }
    ~FormDruckTest() override { zplatform::druckerSetzen(nullptr); }

    zzahlung::Druckdialog dialog()
    {
        return [this](QWidget*, const QString& job, const QString&) {
            jobs << job;
            zzahlung::Druckwahl w;
            w.abbruch = !abbrueche.isEmpty() && abbrueche.takeFirst();
            w.drucker = &zplatform::drucker();
            return w;
        };
    }
    // The amount of the one debit in the collection file ("" when it does not hold one).
    QString abgelegterBetrag() const
    {
        const QStringList zeilen = zplatform::zeilenLesen(daten() + QStringLiteral("/LastschriftSammlung.txt"));
        const std::optional<zzahlung::Lastschrift> l =
            zeilen.size() == 1 ? zzahlung::Lastschrift_Lesen(zeilen.front()) : std::nullopt;
        EXPECT_TRUE(l.has_value()) << zeilen.join(u'|').toStdString();
        return l ? l->betrag : QString();
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
