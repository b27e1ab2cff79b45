// A second process for the tests of what happens between processes. Started
// by the tests with one of these argument lists (the root is ZETTLORA_ROOT):
//   ini <settings file> <prefix> <count> <start file>
//       waits for the start file, then writes <count> keys "<prefix><n>" into
//       section "S" and raises the counter "Zaehler" of section "S" as often.
//   anhaengen <file> <prefix> <count> <start file>
//       waits for the start file, then appends <count> lines "1 <prefix><n>",
//       one at a time.
//   orte <prefix> <count> <start file>
//       waits for the start file, then takes over the places of <count>
//       addresses (postcodes 10000 + n, places "<prefix>ort<n>") into the
//       catalogue; prints the count written and the number of failed files.
//   vornamen <prefix> <count> <start file>
//       the same for first names: "<prefix>name<n>" as men, and for every
//       fourth n also "gemeinsam<n>" as a woman (the same in every process).
//   vorname <first name> <salutation>
//       at once, takes over the first name of one address with that
//       salutation; prints the count learned and whether a write failed.
//   ablegen <data folder> <payer>
//       files a direct debit for <payer> into the collection file.
//   sammellauf <data folder>
//       runs the collection print (every print dialog answered with a
//       recording printer, the deletion question with No); prints the number
//       of debits printed, then the texts of the boxes shown, one a line.
//   oeffnen <address file> <start file> <end file>
//       waits for the start file, decides read-only mode with the
//       reservation (answering the question with Yes: read-only), prints "rw"
//       or "ro", then stays until the end file exists.
#include "addressbook/adressliste.h"
#include "addressbook/datensatz.h"
#include "addressbook/reservierung.h"
#include "addressbook/sitzung.h"
#include "catalogues/uebernahme.h"
#include "catalogues/vornamen.h"
#include "common/ini.h"
#include "payment/lastschrift.h"
#include "payment/ui/formprnlastschrift.h"
#include "platform/ui/aufzeichnungsdrucker.h"
#include "platform/textdatei.h"
#include "support/fensterattrappe.h"
#include "support/testplattform.h"

#include <QApplication>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void warten(const QString& datei)
{
    while (!QFileInfo::exists(datei))
        QThread::usleep(200);
}

} // namespace

int main(int argc, char** argv)
{
    // The collection print shows a dialog: it needs the widgets.
    const bool mitFenstern = argc > 1 && std::strcmp(argv[1], "sammellauf") == 0;
    std::unique_ptr<QCoreApplication> app =
        mitFenstern ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    const QStringList a = app->arguments();
    if (a.size() == 4 && a[1] == QLatin1String("ablegen")) {
        zzahlung::Lastschrift l;
        l.absName = a[3];
        l.betrag = QStringLiteral("1,00");
        const zplatform::Ergebnis e = zzahlung::Lastschrift_Anhaengen(zzahlung::Sammeldatei_Pfad(a[2]), l);
        if (!e)
            std::fprintf(stderr, "%s\n", qPrintable(e.fehler));
        return e ? 0 : 1;
    }
    if (a.size() == 3 && a[1] == QLatin1String("sammellauf")) {
        TestPlattform plattform;
        plattform.antworten.enqueue(zplatform::vbNo);
        zadressbuch::sitzung().DatenOrdner = a[2];
        zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
        int gedruckt = 0;
        {
            zzahlung::FormPrnLastschrift form({}, QString());
            form.druckdialog = [&](QWidget*, const QString&, const QString&) {
                ++gedruckt;
                zzahlung::Druckwahl w;
                w.abbruch = false;
                w.drucker = &zplatform::drucker();
                return w;
            };
            form.mnuLastFilePrint_Click();
        }
        std::printf("%d\n", gedruckt);
        for (const GezeigteMeldung& m : plattform.meldungen)
            std::printf("%s\n", m.text.toUtf8().replace("\r\n", " ").constData());
        std::fflush(stdout);
        zplatform::druckerSetzen(nullptr);
        return 0;
    }
    if (a.size() == 6 && a[1] == QLatin1String("ini")) {
        const int anzahl = a[4].toInt();
        warten(a[5]);
        for (int i = 0; i < anzahl; ++i) {
            zcommon::Ini_Schreiben(a[2], QStringLiteral("S"), a[3] + QString::number(i), QString::number(i));
            zcommon::Ini_Zaehler_Erhoehen(a[2], QStringLiteral("S"), QStringLiteral("Zaehler"));
        }
        return 0;
    }
    if (a.size() == 6 && a[1] == QLatin1String("anhaengen")) {
        const int anzahl = a[4].toInt();
        warten(a[5]);
        for (int i = 0; i < anzahl; ++i) {
            const zplatform::Ergebnis e = zplatform::zeilenAnhaengen(a[2], {QStringLiteral("1 ") + a[3] + QString::number(i)});
            if (!e) {
                std::fprintf(stderr, "%s\n", qPrintable(e.fehler));
                return 1;
            }
        }
        return 0;
    }
    if (a.size() == 5 && (a[1] == QLatin1String("orte") || a[1] == QLatin1String("vornamen"))) {
        TestPlattform plattform;
        FensterAttrappe fenster;
        const int anzahl = a[3].toInt();
        QStringList saetze;
        for (int i = 0; i < anzahl; ++i) {
            zadressbuch::Felder f;
            if (a[1] == QLatin1String("orte")) {
                f[zadressbuch::Plz] = QString::number(10000 + i);
                f[zadressbuch::Ort] = a[2] + QStringLiteral("ort") + QString::number(i);
            } else {
                f[zadressbuch::Vorname] = a[2] + QStringLiteral("name") + QString::number(i);
                f[zadressbuch::Anrede] = QStringLiteral("Herr");
                saetze << zadressbuch::Verbinden(f);
                if (i % 4 != 0)
                    continue;
                f[zadressbuch::Vorname] = QStringLiteral("gemeinsam") + QString::number(i);
                f[zadressbuch::Anrede] = QStringLiteral("Frau");
            }
            saetze << zadressbuch::Verbinden(f);
        }
        zadressbuch::adressliste().setEintraege(saetze);
        warten(a[4]);
        if (a[1] == QLatin1String("orte")) {
            const zkataloge::UebernahmeErgebnis e =
                zkataloge::Katalog_Lernen(zkataloge::Katalogart::Ort, fenster, zadressbuch::adressliste());
            std::printf("%lld %lld\n", static_cast<long long>(e.anzahl), static_cast<long long>(e.fehler.size()));
        } else {
            const zkataloge::VornamenErgebnis e = zkataloge::Vornamen_Lernen(fenster, zadressbuch::adressliste());
            std::printf("%lld %d\n", static_cast<long long>(e.gelernt), e.fehler.isEmpty() ? 0 : 1);
        }
        std::fflush(stdout);
        return 0;
    }
    if (a.size() == 4 && a[1] == QLatin1String("vorname")) {
        TestPlattform plattform;
        FensterAttrappe fenster;
        zadressbuch::Felder f;
        f[zadressbuch::Vorname] = a[2];
        f[zadressbuch::Anrede] = a[3];
        zadressbuch::adressliste().setEintraege({zadressbuch::Verbinden(f)});
        const zkataloge::VornamenErgebnis e = zkataloge::Vornamen_Lernen(fenster, zadressbuch::adressliste());
        std::printf("%lld %d\n", static_cast<long long>(e.gelernt), e.fehler.isEmpty() ? 0 : 1);
        std::fflush(stdout);
        return 0;
    }
    if (a.size() == 5 && a[1] == QLatin1String("oeffnen")) {
        TestPlattform plattform;
        plattform.antworten.enqueue(zplatform::vbYes);
        auto& s = zadressbuch::sitzung();
        s.AdressDateiName = a[2];
        s.DatenOrdner = QFileInfo(a[2]).absolutePath();
        s.ProgrammIniDatei = QStringLiteral("Zettlora.Ini");
        warten(a[3]);
        const bool nurLesen = zadressbuch::NurLesen_Entscheiden(true);
        std::printf("%s\n", nurLesen ? "ro" : "rw");
        std::fflush(stdout);
        warten(a[4]);
        return 0;
    }
    std::fprintf(stderr, "unbekannter Aufruf\n");
    return 2;
}
