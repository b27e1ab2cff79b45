#pragma once
// Shared helpers of the printing tests: a temporary root with the scripted
// platform, a session with a mask folder and an address list, recording
// printers offered as the system's printers, and a hand on the modal
// print-options dialog.

#include "addressbook/adressliste.h"
#include "addressbook/sitzung.h"
#include "common/ini.h"
#include "common/start.h"
#include "masks/masken.h"
#include "platform/drucker.h"
#include "platform/textdatei.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "printing/druckvorgabe.h"
#include "printing/ui/listendruck.h"
#include "printing/ui/printerset.h"
#include "support/dialoghilfe.h"
#include "support/testplattform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Recording printers named "Aufzeichnung" (location "Buero") and "Zweiter"
// (location "Keller").
class TestDruckerVerzeichnis : public zplatform::DruckerVerzeichnis
{
public:
    std::vector<zplatform::DruckerInfo> drucker() const override
    {
        return {{QStringLiteral("Aufzeichnung"), QStringLiteral("Buero")},
                {QStringLiteral("Zweiter"), QStringLiteral("Keller")}};
    }
    std::unique_ptr<zplatform::Drucker> erzeugen(const QString& name) const override
    {
        if (name != QLatin1String("Aufzeichnung") && name != QLatin1String("Zweiter"))
            return nullptr;
        return std::make_unique<zplatform::AufzeichnungsDrucker>(name);
    }
};

// Keeps the pages of every job sent.
class SammelDrucker : public zplatform::AufzeichnungsDrucker
{
public:
    std::vector<std::vector<zplatform::DruckSeite>> jobs;
    bool auftragSenden() override
    {
        if (imAuftrag())
            jobs.push_back(seiten());
        return AufzeichnungsDrucker::auftragSenden();
    }
    // The texts of job j, all pages.
    QStringList texte(size_t j) const
    {
        QStringList t;
        for (const auto& s : jobs.at(j))
            t << s.texte();
        return t;
    }
};

class DruckUmgebung : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Each test starts from its own print settings, whatever the test
        // before left behind (a failed ASSERT returns before its cleanup):
        // no steps still waiting for a print-options dialog, no dialog, no
        // job name, the program's own file chooser.
        wartendeSchritteVerwerfen();
        zdruck::PrinterSet::entladen();
        zdruck::DruckJobName().clear();
        zdruck::Listendruck::dateiWaehler() = eigenerDateiWaehler();
        zadressbuch::sitzungZuruecksetzen();
        QDir().mkpath(daten());
        zadressbuch::sitzung().DatenOrdner = daten();
        zadressbuch::sitzung().MaskenOrdner = daten();
        zadressbuch::sitzung().AdressDateiName = daten() + QStringLiteral("/Kunden.dat");
        zmasken::Masken_CacheLeeren();
        zcommon::Benutzer_Zuruecksetzen();
        zcommon::Ini_CacheLeeren();
        zplatform::druckerVerzeichnisSetzen(&verzeichnis);
        zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>(QStringLiteral("Aufzeichnung")));
        zadressbuch::adressliste().Clear();
    }
    void TearDown() override
    {
        wartendeSchritteVerwerfen();
        zdruck::PrinterSet::entladen();
        zadressbuch::adressliste().Clear();
        zplatform::druckerSetzen(nullptr);
        zplatform::druckerVerzeichnisSetzen(nullptr);
        zadressbuch::sitzungZuruecksetzen();
        zmasken::Masken_CacheLeeren();
        zcommon::Benutzer_Zuruecksetzen();
    }

    QString daten() const { return w.wurzel() + QStringLiteral("/daten"); }
    QString kontPrn() const { return w.windows() + QStringLiteral("/KontPrn.ini"); }

    // The current printer (a recording one unless a test put another there).
    static zplatform::AufzeichnungsDruckerBasis* aufzeichnung()
    {
        return dynamic_cast<zplatform::AufzeichnungsDruckerBasis*>(&zplatform::drucker());
    }

    // A mask file in the mask folder (lines joined by CR LF).
    void maske(const QString& name, const QStringList& zeilen)
    {
        ASSERT_TRUE(zplatform::zeilenSchreiben(daten() + u'/' + name + QStringLiteral(".msk"), zeilen));
    }

    // Selects one address in the address list (fields as given, the rest empty).
    static void adresse(const std::map<int, QString>& felder)
    {
        QString zeile;
        for (int i = 0; i < 24; ++i) {
            auto it = felder.find(i);
            zeile += (it != felder.end() ? it->second : (i == 0 ? QStringLiteral(" ") : QString())) + u'\t';
        }
        zadressbuch::adressliste().AddItem(zeile);
        zadressbuch::adressliste().setListIndex(zadressbuch::adressliste().ListCount() - 1);
    }

    // Runs f on the print-options dialog as soon as it is shown modally
    // (once); the caller then starts the code that shows it. A failed ASSERT
    // in f closes the dialog rather than leave the test waiting.
    static void imDialog(std::function<void(zdruck::PrinterSet&)> f)
    {
        auto* t = new QTimer;
        wartendeSchritte().push_back(t);
        t->setInterval(5);
        QObject::connect(t, &QTimer::timeout, [t, f] {
            zdruck::PrinterSet* d = zdruck::PrinterSet::instanz();
            if (d && d->isVisible()) {
                t->stop();
                t->deleteLater();
                const QPointer<QWidget> offen = d;
                f(*d);
                nachAbbruchSchliessen(offen);
            }
        });
        t->start();
    }

    // The steps of imDialog that wait for their dialog (deleted once done).
    static std::vector<QPointer<QTimer>>& wartendeSchritte()
    {
        static std::vector<QPointer<QTimer>> schritte;
        return schritte;
    }
    static void wartendeSchritteVerwerfen()
    {
        for (const QPointer<QTimer>& t : wartendeSchritte())
            delete t.data();
        wartendeSchritte().clear();
    }
    // The list print's file chooser as the program sets it up.
    static const zbefehle::DateiWaehler& eigenerDateiWaehler()
    {
        static const zbefehle::DateiWaehler w = zdruck::Listendruck::dateiWaehler();
        return w;
    }

    TempWurzel w;
    TestPlattform p;
    TestDruckerVerzeichnis verzeichnis;
};

// Waits (events running) until the condition holds or the time passed.
inline bool warten(const std::function<bool()>& bedingung, int ms = 5000)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
