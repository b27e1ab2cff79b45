#include "testplattform.h"

#include "common/ini.h"
#include "common/start.h"
#include "platform/codec.h"
#include "platform/ordner.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

TestPlattform::TestPlattform()
{
    zplatform::plattformSetzen(this);
}

TestPlattform::~TestPlattform()
{
    zplatform::plattformSetzen(nullptr);
}

namespace {

// Presses the Help button as often as the queue asks before the answer; the
// documents opened meanwhile are the box's.
template <class Schlange, class Wert>
QStringList hilfeDruecken(TestPlattform& p, Schlange& schlange, const Wert& hilfe, const zplatform::HilfeAufruf& aufruf)
{
    QStringList geoeffnet;
    while (!schlange.isEmpty() && schlange.head() == hilfe) {
        schlange.dequeue();
        const qsizetype vorher = p.geoeffneteAdressen.size();
        if (aufruf)
            aufruf();
        geoeffnet += p.geoeffneteAdressen.mid(vorher);
    }
    return geoeffnet;
}

} // namespace

int TestPlattform::meldung(const QString& text, int stil, const QString& titel, zplatform::Schliessantwort schliessen)
{
    return meldungMitHilfe(text, stil, titel, {}, schliessen);
}

int TestPlattform::meldungMitHilfe(const QString& text, int stil, const QString& titel,
                                   const zplatform::HilfeAufruf& hilfe, zplatform::Schliessantwort schliessen)
{
    GezeigteMeldung m{text, stil, titel, 0, bool(hilfe), {}};
    m.schliessAntwort = zplatform::antwortBeimSchliessen(stil, schliessen);
    if (beiMeldung)
        beiMeldung(m);
    if (hilfe)
        m.hilfeGeoeffnet = hilfeDruecken(*this, antworten, HilfeKnopf, hilfe);
    if (!antworten.isEmpty() && antworten.head() == OffenLassen) {
        antworten.dequeue();
        m.vomProgrammGeschlossen = offenHalten();
        m.antwort = m.vomProgrammGeschlossen ? m.schliessAntwort : zplatform::standardAntwort(stil);
    } else {
        m.antwort = antworten.isEmpty() ? zplatform::standardAntwort(stil) : antworten.dequeue();
    }
    meldungen.push_back(m);
    return m.antwort;
}

QString TestPlattform::eingabe(const QString& prompt, const QString& titel, const QString& vorgabe, bool* abgebrochen)
{
    return eingabeMitHilfe(prompt, titel, vorgabe, {}, abgebrochen);
}

QString TestPlattform::eingabeMitHilfe(const QString& prompt, const QString& titel, const QString& vorgabe,
                                       const zplatform::HilfeAufruf& hilfe, bool* abgebrochen)
{
    eingabePrompts << prompt;
    GezeigteEingabe e{prompt, titel, vorgabe, QString(), bool(hilfe), {}};
    if (hilfe)
        e.hilfeGeoeffnet = hilfeDruecken(*this, eingaben, QStringLiteral("<hilfe>"), hilfe);
    QString antwort = eingaben.isEmpty() ? vorgabe : eingaben.dequeue();
    if (antwort == QStringLiteral("<offen>")) {
        e.vomProgrammGeschlossen = offenHalten();
        antwort = e.vomProgrammGeschlossen ? QStringLiteral("<abbruch>") : vorgabe;
    }
    bool abbruch = antwort == QStringLiteral("<abbruch>");
    if (abgebrochen)
        *abgebrochen = abbruch;
    e.antwort = abbruch ? QString() : antwort;
    eingabeBoxen.push_back(e);
    return e.antwort;
}

QString TestPlattform::pfadEingabe(const QString& prompt, const QString& titel, const QString& vorgabe,
                                   bool* abgebrochen)
{
    const QString antwort = eingabe(prompt, titel, vorgabe, abgebrochen);
    eingabeBoxen.back().pfad = true;
    return antwort;
}

bool TestPlattform::offenHalten()
{
    QEventLoop schleife;
    QTimer frist;
    frist.setSingleShot(true);
    QObject::connect(&frist, &QTimer::timeout, &schleife, [&schleife] { schleife.exit(); });
    frist.start(offenHoechstensMs);
    m_offen.push_back({&schleife, false});
    schleife.exec();
    const bool geschlossen = m_offen.back().geschlossen;
    m_offen.pop_back();
    return geschlossen;
}

int TestPlattform::offeneBoxenSchliessen()
{
    int anzahl = 0;
    for (size_t i = m_offen.size(); i-- > 0;) {
        if (m_offen[i].geschlossen)
            continue;
        m_offen[i].geschlossen = true;
        m_offen[i].schleife->exit();
        ++anzahl;
    }
    return anzahl;
}

void TestPlattform::ton(const QString& name)
{
    toene << name;
}

double TestPlattform::zufall()
{
    return zufallszahlen.isEmpty() ? 0.5 : zufallszahlen.dequeue();
}

bool TestPlattform::programmStarten(const QString& programm, const QStringList& argumente, const QString&, bool,
                                    int* exitCode)
{
    gestarteteProgramme << (QStringList{programm} + argumente).join(QLatin1Char(' '));
    if (exitCode)
        *exitCode = 0;
    return true;
}

bool TestPlattform::adresseOeffnen(const QString& url)
{
    if (!zplatform::adresseErlaubt(url))
        return false;
    geoeffneteAdressen << url;
    return true;
}

bool TestPlattform::dokumentOeffnen(const QString& pfad, const QString& anker)
{
    geoeffneteAdressen << (anker.isEmpty() ? pfad : pfad + QLatin1Char('#') + anker);
    return true;
}

bool TestPlattform::inPapierkorb(const QString& pfad)
{
    papierkorb << pfad;
    return QFile::remove(pfad);
}

TempWurzel::TempWurzel()
{
    m_hatteAlt = qEnvironmentVariableIsSet("ZETTLORA_ROOT");
    m_alt = qgetenv("ZETTLORA_ROOT");
    QDir d(m_dir.path());
    d.mkpath(QStringLiteral("windows/system"));
    d.mkpath(QStringLiteral("programm"));
    d.mkpath(QStringLiteral("temp"));
    qputenv("ZETTLORA_ROOT", m_dir.path().toLocal8Bit());
    // Folders, cached settings files and the user name belong to the old root.
    zplatform::ordnerZuruecksetzen();
    zcommon::Ini_CacheLeeren();
    zcommon::Benutzer_Zuruecksetzen();
}

TempWurzel::~TempWurzel()
{
    if (m_hatteAlt)
        qputenv("ZETTLORA_ROOT", m_alt);
    else
        qunsetenv("ZETTLORA_ROOT");
    zplatform::ordnerZuruecksetzen();
    zcommon::Ini_CacheLeeren();
    zcommon::Benutzer_Zuruecksetzen();
}

void TempWurzel::schreiben(const QString& relativ, const QString& text) const
{
    QString pfad = m_dir.path() + QLatin1Char('/') + relativ;
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(zplatform::nachWindows1252(text));
}

QString TempWurzel::lesen(const QString& relativ) const
{
    QFile f(m_dir.path() + QLatin1Char('/') + relativ);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return zplatform::ausWindows1252(f.readAll());
}
