#include "platform/plattform.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

namespace zplatform {

namespace {

// Buttons of each box type, left to right; 0 where a box has fewer.
const int knoepfe[6][3] = {
    {vbOK, 0, 0},     {vbOK, vbCancel, 0},    {vbAbort, vbRetry, vbIgnore}, {vbYes, vbNo, vbCancel},
    {vbYes, vbNo, 0}, {vbRetry, vbCancel, 0},
};

// The box type of a style; an unknown one shows OK only.
int boxArt(int stil)
{
    const int art = stil & 7;
    return art > 5 ? 0 : art;
}

} // namespace

int standardAntwort(int stil)
{
    // The default-button bits pick one of the buttons.
    const int art = boxArt(stil);
    int index = (stil >> 8) & 3;
    if (index > 2 || knoepfe[art][index] == 0)
        index = 0;
    return knoepfe[art][index];
}

int sichereAntwort(int stil)
{
    switch (stil & 7) {
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel:
        return vbCancel;
    case vbAbortRetryIgnore:
        return vbAbort;
    case vbYesNo:
        return vbNo;
    default:
        return vbOK;
    }
}

int antwortBeimSchliessen(int stil, Schliessantwort schliessen)
{
    if (schliessen) {
        for (int knopf : knoepfe[boxArt(stil)]) {
            if (knopf != 0 && knopf == *schliessen)
                return knopf;
        }
    }
    return sichereAntwort(stil);
}

bool adresseErlaubt(const QString& url)
{
    const QString text = url.trimmed();
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    QUrl u(text, QUrl::StrictMode);
    if (!u.isValid())
        return false;
    const QString schema = u.scheme().toLower();
    if (schema == QLatin1String("http") || schema == QLatin1String("https"))
        return !u.host().isEmpty();
    if (schema == QLatin1String("mailto"))
        return !u.path().isEmpty();
    // A telephone number for the desktop's dialer: "+" first at most, then digits.
    if (schema == QLatin1String("tel")) {
        const QString nummer = u.path();
        if (nummer.isEmpty() || nummer == QLatin1String("+"))
            return false;
        for (qsizetype i = 0; i < nummer.size(); ++i) {
            const QChar c = nummer[i];
            if (!(c >= u'0' && c <= u'9') && !(c == u'+' && i == 0))
                return false;
        }
        return true;
    }
    return false;
}

int Plattform::meldung(const QString&, int stil, const QString&, Schliessantwort)
{
    return standardAntwort(stil);
}

QString Plattform::eingabe(const QString&, const QString&, const QString& vorgabe, bool* abgebrochen)
{
    if (abgebrochen)
        *abgebrochen = false;
    return vorgabe;
}

int Plattform::meldungMitHilfe(const QString& text, int stil, const QString& titel, const HilfeAufruf&,
                               Schliessantwort schliessen)
{
    return meldung(text, stil, titel, schliessen);
}

QString Plattform::eingabeMitHilfe(const QString& prompt, const QString& titel, const QString& vorgabe,
                                   const HilfeAufruf&, bool* abgebrochen)
{
    return eingabe(prompt, titel, vorgabe, abgebrochen);
}

QString Plattform::pfadEingabe(const QString& prompt, const QString& titel, const QString& vorgabe, bool* abgebrochen)
{
    return eingabe(prompt, titel, vorgabe, abgebrochen);
}

int Plattform::offeneBoxenSchliessen()
{
    return 0;
}

void Plattform::ton(const QString&) {}

QDateTime Plattform::jetzt() const
{
    return QDateTime::currentDateTime();
}

double Plattform::zufall()
{
    return QRandomGenerator::global()->generateDouble();
}

QString Plattform::loginName() const
{
    for (const char* name : {"USER", "LOGNAME"}) {
        QString wert = qEnvironmentVariable(name).trimmed();
        if (!wert.isEmpty())
            return wert;
    }
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString();
}

QString Plattform::rechnerName() const
{
    return QSysInfo::machineHostName();
}

bool Plattform::shiftGedrueckt() const
{
    return false;
}

bool Plattform::ctrlGedrueckt() const
{
    return false;
}

QSize Plattform::bildschirmGroesse() const
{
    return QSize(1024, 768);
}

int Plattform::farbtiefe() const
{
    return 24;
}

double Plattform::logischeDpi() const
{
    return 96.0;
}

bool Plattform::hatAnzeige() const
{
    return false;
}

bool Plattform::programmStarten(const QString& programm, const QStringList& argumente, const QString& arbeitsordner,
                                bool warten, int* exitCode)
{
    if (exitCode)
        *exitCode = 0;
    if (programm.trimmed().isEmpty())
        return false;
    if (!warten)
        return QProcess::startDetached(programm, argumente, arbeitsordner);

    QProcess prozess;
    if (!arbeitsordner.isEmpty())
        prozess.setWorkingDirectory(arbeitsordner);
    prozess.setProcessChannelMode(QProcess::ForwardedChannels);
    prozess.start(programm, argumente);
    if (!prozess.waitForStarted(10000))
        return false;
    // Keep the program's windows alive while the started program runs.
    // (waitForFinished is false once the end has been seen by the event loop.)
    while (prozess.state() != QProcess::NotRunning) {
        if (!prozess.waitForFinished(50))
            ereignisseVerarbeiten();
    }
    if (exitCode)
        *exitCode = prozess.exitStatus() == QProcess::NormalExit ? prozess.exitCode() : -1;
    return true;
}

bool Plattform::adresseOeffnen(const QString& url)
{
    // Without a desktop there is nobody to show the page to.
    Q_UNUSED(url);
    return false;
}

bool Plattform::dokumentOeffnen(const QString& pfad, const QString& anker)
{
    Q_UNUSED(pfad);
    Q_UNUSED(anker);
    return false;
}

bool Plattform::inPapierkorb(const QString& pfad)
{
    if (pfad.isEmpty() || !QFileInfo::exists(pfad))
        return false;
    return QFile::moveToTrash(pfad);
}

QString Plattform::zwischenablage() const
{
    return m_zwischenablage;
}

void Plattform::zwischenablageSetzen(const QString& text)
{
    m_zwischenablage = text;
}

void Plattform::ereignisseVerarbeiten()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void Plattform::sanduhr(bool) {}

namespace {
Plattform* g_installiert = nullptr;
}

Plattform& plattform()
{
    static Plattform standard;
    return g_installiert ? *g_installiert : standard;
}

void plattformSetzen(Plattform* p)
{
    g_installiert = p;
}

} // namespace zplatform
