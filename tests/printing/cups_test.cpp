// Envelopes through the real print service: the test starts a private CUPS
// scheduler (its own configuration, socket and spool folder) with one queue
// whose backend writes every job into a folder and whose page log records
// each job's name and media. A child run of this program, pointed at that
// scheduler, finds the queue in the printer list, chooses it in the
// print-options dialog and prints an envelope, then every size in both
// orientations; each job must arrive under the dialog's caption, on its
// named envelope size, as a PDF whose text lies on the sheet.

#include "platform/ui/qtdrucker.h"
#include "printing/druckvorgabe.h"
#include "printing/ui/umschlag.h"
#include "printing/umschlag.h"

#include "pdfhilfe.h"
#include "testhilfe.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString Warteschlange = QStringLiteral("ZettloraTest");

void datei(const QString& pfad, const QString& text, QFile::Permissions rechte = {})
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << pfad.toStdString();
    f.write(text.toUtf8());
    f.close();
    if (rechte)
        f.setPermissions(rechte);
}

// A CUPS scheduler of its own, stopped again when the object goes.
class PrivaterCups
{
public:
    PrivaterCups()
    {
        const QString d = m_dir.path();
        for (const char* sub : {"spool", "cache", "state", "log", "tmp", "ppd", "bin/backend", "aus"})
            QDir().mkpath(d + u'/' + QLatin1String(sub));
        const auto lesbar = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                            QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QFile::setPermissions(d, lesbar);
        QFile::setPermissions(d + QStringLiteral("/bin"), lesbar);
        QFile::setPermissions(d + QStringLiteral("/bin/backend"), lesbar);
        QFile::setPermissions(d + QStringLiteral("/aus"), lesbar | QFile::WriteGroup | QFile::WriteOther);
        // The scheduler starts its helpers from its own folder: borrow the system's.
        QFile::link(QStringLiteral("/usr/lib/cups/daemon"), d + QStringLiteral("/bin/daemon"));
        QFile::link(QStringLiteral("/usr/lib/cups/notifier"), d + QStringLiteral("/bin/notifier"));

        socket = d + QStringLiteral("/cups.sock");
        ausgabe = d + QStringLiteral("/aus");
        QString benutzer = QStringLiteral("lp"), gruppe = QStringLiteral("lp");
        if (::geteuid() != 0) {
            if (const passwd* pw = ::getpwuid(::geteuid()))
                benutzer = QString::fromLocal8Bit(pw->pw_name);
            gruppe = QString::number(::getegid());
        }
        datei(d + QStringLiteral("/cupsd.conf"),
              QStringLiteral("Listen %1\nLogLevel warn\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                             "PageLogFormat %j|%{job-name}|%{media}\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                  .arg(socket));
        datei(d + QStringLiteral("/cups-files.conf"),
              QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                             "TempDir %1/tmp\nServerBin %1/bin\nDataDir /usr/share/cups\nUser %2\nGroup %3\n"
                             "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\nPageLog %1/log/page_log\n")
                  .arg(d, benutzer, gruppe));
        datei(d + QStringLiteral("/bin/backend/zettlora"),
              QStringLiteral(
                  "#!/bin/sh\n"
                  "# Writes each job into the folder named by the device URI.\n"
                  "if [ $# -eq 0 ]; then echo 'direct zettlora \"Unknown\" \"Zettlora-Test\"'; exit 0; fi\n"
                  "ziel=\"${DEVICE_URI#zettlora:}\"\n"
                  "if [ -n \"$6\" ]; then cat \"$6\" > \"$ziel/job-$1.tmp\"; else cat > \"$ziel/job-$1.tmp\"; fi\n"
                  "mv \"$ziel/job-$1.tmp\" \"$ziel/job-$1.pdf\"\n"),
              lesbar);

        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                      {QStringLiteral("-f"), QStringLiteral("-c"), d + QStringLiteral("/cupsd.conf"),
                       QStringLiteral("-s"), d + QStringLiteral("/cups-files.conf")});
        if (!m_cupsd.waitForStarted(10000)) {
            fehler = QStringLiteral("cupsd startet nicht (Paket cups-daemon installiert?)");
            return;
        }
        if (!warten([this] { return QFile::exists(socket) || m_cupsd.state() != QProcess::Running; }, 30000) ||
            m_cupsd.state() != QProcess::Running) {
            fehler = QStringLiteral("cupsd läuft nicht: ") + QString::fromLocal8Bit(m_cupsd.readAll());
            return;
        }
        QProcess lpadmin;
        lpadmin.setProcessEnvironment(umgebung());
        lpadmin.setProcessChannelMode(QProcess::MergedChannels);
        lpadmin.start(QStringLiteral("lpadmin"),
                      {QStringLiteral("-p"), Warteschlange, QStringLiteral("-E"), QStringLiteral("-v"),
                       QStringLiteral("zettlora:") + ausgabe, QStringLiteral("-m"), QStringLiteral("raw"),
                       QStringLiteral("-L"), QStringLiteral("Testraum")});
        if (!lpadmin.waitForFinished(30000) || lpadmin.exitCode() != 0) {
            fehler = QStringLiteral("lpadmin: ") + QString::fromLocal8Bit(lpadmin.readAll());
            return;
        }
        laeuft = true;
    }

    ~PrivaterCups()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(10000))
                m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }

    QProcessEnvironment umgebung() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("CUPS_SERVER"), socket);
        return e;
    }

    // The page log's lines: job id, job name, media.
    QStringList seitenLog() const
    {
        QFile f(m_dir.path() + QStringLiteral("/log/page_log"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QString fehlerLog() const
    {
        QFile f(m_dir.path() + QStringLiteral("/log/error_log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(3000)) : QString();
    }

    bool laeuft = false;
    QString fehler;
    QString socket;
    QString ausgabe;

private:
    QTemporaryDir m_dir;
    QProcess m_cupsd;
};

} // namespace

namespace {
// The nine sizes as the print service names them, in the order of the size list.
const char* const Medien[] = {"EnvDL", "EnvC6", "EnvC5", "EnvC5", "EnvC4", "EnvC65", "EnvISOB6", "EnvISOB5", "EnvISOB4"};
constexpr int Auftraege = 1 + 2 * zdruck::UmschlagFormatAnzahl;
} // namespace

TEST(Druckdienst, UmschlaegeKommenAlsBenannteGroessenUnterIhremTitelAn)
{
    PrivaterCups cups;
    ASSERT_TRUE(cups.laeuft) << cups.fehler.toStdString() << "\n" << cups.fehlerLog().toStdString();

    QProcess kind;
    kind.setProcessEnvironment(cups.umgebung());
    kind.setProcessChannelMode(QProcess::MergedChannels);
    kind.start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--gtest_filter=DruckdienstKind.DISABLED_UmschlagDrucken"),
                QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(kind.waitForFinished(120000));
    const QString ausgabe = QString::fromLocal8Bit(kind.readAll());
    ASSERT_EQ(kind.exitCode(), 0) << ausgabe.toStdString();
    ASSERT_TRUE(ausgabe.contains(QLatin1String("[  PASSED  ] 1 test"))) << ausgabe.toStdString();

    auto job = [&](int id) { return cups.ausgabe + QStringLiteral("/job-%1.pdf").arg(id); };
    ASSERT_TRUE(warten(
        [&] {
            return cups.seitenLog().size() >= Auftraege && QFile::exists(job(Auftraege));
        },
        60000))
        << "not every job arrived\n"
        << cups.seitenLog().join(u'\n').toStdString() << "\n"
        << cups.fehlerLog().toStdString();

    // What the scheduler recorded: the dialog's caption and the named size.
    const QStringList log = cups.seitenLog();
    for (int id = 1; id <= Auftraege; ++id) {
        const int groesse = id == 1 ? 2 : (id - 2) % zdruck::UmschlagFormatAnzahl;
        const QString erwartet = QStringLiteral("%1|Drucken - Zettlora Umschlag|%2").arg(id).arg(Medien[groesse]);
        EXPECT_TRUE(log.contains(erwartet)) << erwartet.toStdString() << "\n" << log.join(u'\n').toStdString();
    }

    // The first job: the recipient, on the C5 sheet lying broad side first.
    const PdfInhalt erste = pdfLesen(job(1));
    ASSERT_TRUE(erste.gelesen) << job(1).toStdString();
    EXPECT_TRUE(erste.wort(QStringLiteral("Erika"))) << erste.alles().toStdString();
    EXPECT_TRUE(erste.wort(QStringLiteral("Kassel"))) << erste.alles().toStdString();
    ASSERT_EQ(erste.seiten.size(), 1u);
    EXPECT_NEAR(erste.seiten[0].first, 22.9, 0.1) << "C5 across";
    EXPECT_NEAR(erste.seiten[0].second, 16.2, 0.1);

    // Every size in both orientations: the envelope across, all text on the
    // sheet; the sender inside the printable area (the queue keeps 10 pt clear).
    const QStringList formate = zdruck::Umschlag_Formate();
    for (int id = 2; id <= Auftraege; ++id) {
        const int groesse = (id - 2) % zdruck::UmschlagFormatAnzahl;
        const bool quer = id - 2 >= zdruck::UmschlagFormatAnzahl;
        const zdruck::UmschlagMass m = zdruck::Umschlag_Mass(formate.at(groesse));
        const PdfInhalt pdf = pdfLesen(job(id));
        ASSERT_TRUE(pdf.gelesen) << id;
        ASSERT_EQ(pdf.seiten.size(), 1u) << id;
        EXPECT_NEAR(pdf.seiten[0].first, m.breite, 0.1) << id;
        EXPECT_NEAR(pdf.seiten[0].second, m.hoehe, 0.1) << id;
        const PdfWort* absender = pdf.wort(QStringLiteral("Anna"));
        ASSERT_TRUE(absender) << id << " " << pdf.alles().toStdString();
        EXPECT_GE(absender->y, 0.3) << id << (quer ? " landscape" : " portrait");
        EXPECT_NEAR(absender->x, 0.35, 0.1) << id;
        EXPECT_TRUE(pdf.wort(QStringLiteral("Kassel"))) << id << " " << pdf.alles().toStdString();
        for (const PdfWort& w : pdf.woerter) {
            EXPECT_GE(w.x, 0.0) << id << " " << w.text.toStdString();
            EXPECT_GE(w.y, 0.0) << id << " " << w.text.toStdString();
            EXPECT_LE(w.x2, m.breite) << id << " " << w.text.toStdString();
            EXPECT_LE(w.y2, m.hoehe) << id << " " << w.text.toStdString();
        }
    }
}

// Run only by the test above, in a child process that talks to the private scheduler.
using DruckdienstKind = DruckUmgebung;

TEST_F(DruckdienstKind, DISABLED_UmschlagDrucken)
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("CUPS_SERVER"));
    zplatform::QtDruckerVerzeichnis system;
    zplatform::druckerVerzeichnisSetzen(&system);
    bool gefunden = false;
    for (const zplatform::DruckerInfo& d : system.drucker()) {
        if (d.name == Warteschlange) {
            gefunden = true;
            EXPECT_EQ(d.ort, "Testraum");
        }
    }
    ASSERT_TRUE(gefunden) << zplatform::druckerNamen().join(u',').toStdString();
    EXPECT_TRUE(zplatform::druckerNamen().contains(zplatform::pdfDruckerName));
    zplatform::druckerSetzen(zplatform::druckerErzeugen(zplatform::pdfDruckerName));

    zdruck::Druckerauswahl_Setzen(true);
    maske(QStringLiteral("Umschlag"), {QStringLiteral("{Vorname} {Nachname}"), QStringLiteral("{PLZ} {Ort}")});
    adresse({{1, QStringLiteral("Muster")},
             {2, QStringLiteral("Erika")},
             {4, QStringLiteral("34117")},
             {5, QStringLiteral("Kassel")}});
    zdruck::Umschlag u;
    u.KombiFormat->setCurrentIndex(2); // C5 22.9 x 16.2
    imDialog([](zdruck::PrinterSet& d) {
        const int i = d.ComboDrucker->findText(Warteschlange);
        ASSERT_GE(i, 0);
        d.ComboDrucker->setCurrentIndex(i);
        EXPECT_TRUE(d.bezDrucker->text().contains(QLatin1String("Ort: Testraum")));
        d.BefOk->click();
    });
    u.PulDrucken_Click();
    EXPECT_EQ(zplatform::drucker().geraetename(), Warteschlange);
    EXPECT_EQ(zplatform::drucker().letzterFehler(), "");

    // Every size, in portrait, then in landscape (the queue stays chosen).
    u.TxtAbsender->setPlainText(QStringLiteral("Anna Absender"));
    for (const bool quer : {false, true}) {
        for (int i = 0; i < zdruck::UmschlagFormatAnzahl; ++i) {
            u.KombiFormat->setCurrentIndex(i);
            imDialog([quer](zdruck::PrinterSet& d) {
                d.optAusrichtung[quer ? 1 : 0]->setChecked(true);
                d.BefOk->click();
            });
            u.PulDrucken_Click();
            EXPECT_EQ(zplatform::drucker().letzterFehler(), "") << i;
        }
    }
    EXPECT_TRUE(p.meldungen.empty()) << p.letzteMeldung().toStdString();
}
