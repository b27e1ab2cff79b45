#include "testplattform.h"

#include "common/ini.h"
#include "common/start.h"
#include "platform/codec.h"
#include "platform/ordner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestPlattform::TestPlattform()
{
    zplatform::plattformSetzen(this);
}

TestPlattform::~TestPlattform()
{
    zplatform::plattformSetzen(nullptr);
}

int TestPlattform::meldung(const QString& text, int stil, const QString& titel)
{
    int antwort = antworten.isEmpty() ? zplatform::standardAntwort(stil) : antworten.dequeue();
    meldungen.push_back({text, stil, titel, antwort});
    return antwort;
}

QString TestPlattform::eingabe(const QString& prompt, const QString& titel, const QString& vorgabe, bool* abgebrochen)
{
    Q_UNUSED(titel);
    eingabePrompts << prompt;
    QString antwort = eingaben.isEmpty() ? vorgabe : eingaben.dequeue();
    bool abbruch = antwort == QStringLiteral("<abbruch>");
    if (abgebrochen)
        *abgebrochen = abbruch;
    return abbruch ? QString() : antwort;
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

bool TestPlattform::dokumentOeffnen(const QString& pfad)
{
    geoeffneteAdressen << pfad;
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
