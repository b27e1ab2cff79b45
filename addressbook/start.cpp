#include "addressbook/start.h"

#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/start.h"
#include "common/texte.h"
#include "common/woerter.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zadressbuch {

namespace {

QString programmDatei(const QString& name)
{
    return zcommon::Programm_Ordner() + QLatin1Char('/') + name;
}

// The path as it stands on disk when it exists in another case.
QString aufDisk(const QString& pfad)
{
    return zplatform::pfadAufloesen(zplatform::normalPfad(pfad));
}

} // namespace

// --- command line --------------------------------------------------------------

Kommandozeile Kommandozeile_Lesen(const QString& befehlszeile)
{
    Kommandozeile k;
    k.text = befehlszeile;
    zcommon::Woerter_Zerlegen(befehlszeile, QString());
    k.datei = zcommon::Wort_Parameter(QStringLiteral("Datei="));
    k.suche = zcommon::Wort_Parameter(QStringLiteral("Suche="));
    k.readonly = befehlszeile.contains(QLatin1String("readonly"), Qt::CaseInsensitive);
    return k;
}

Kommandozeile Kommandozeile_Lesen(const QStringList& argumente)
{
    return Kommandozeile_Lesen(argumente.join(QLatin1Char(' ')));
}

Kommandozeile& kommandozeile()
{
    static Kommandozeile k;
    return k;
}

StartDateien& startDateien()
{
    static StartDateien d;
    return d;
}

// --- folders and files -----------------------------------------------------------

QString DatenOrdner_Ermitteln()
{
    const QString programm = zcommon::Programm_Ordner();
    QString ordner = zcommon::Ini_Lesen(programmDatei(QStringLiteral("DurIdovi.ini")), QStringLiteral("Ordner"),
                                        QStringLiteral("DirData"), QString());
    if (ordner.isEmpty())
        ordner = zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("DirData"), programm);
    ordner = zcommon::Ersetzen(ordner, QStringLiteral("{appdir}"), programm);
    ordner = zplatform::normalPfad(zcommon::Trim(ordner));
    // A relative folder lies inside the program folder (an empty one is the
    // program folder itself), whatever the current folder of the run.
    if (ordner.isEmpty())
        ordner = programm;
    else if (QDir::isRelativePath(ordner))
        ordner = programm + QLatin1Char('/') + ordner;
    if (ordner.size() > 1 && ordner.endsWith(QLatin1Char('/')))
        ordner.chop(1);
    return ordner;
}

void Startpfade_Setzen()
{
    Sitzung& s = sitzung();
    s.ProgrammIniDatei = programmDatei(QStringLiteral("Zettlora.Ini"));
    startDateien().HilfeDatei = programmDatei(QStringLiteral("Zettlora.hlp"));
    s.DatenOrdner = DatenOrdner_Ermitteln();
    s.MaskenOrdner = s.DatenOrdner;
}

QString TkAnlage_Name()
{
    startDateien().TkAnlageIniDatei = programmDatei(QStringLiteral("Export_Tk-Anlage.ini"));
    return zcommon::Ini_Lesen(startDateien().TkAnlageIniDatei, QStringLiteral("Allgemein"),
                              QStringLiteral("Tk-Anlage"), QString());
}

bool DokumentSymbol_Zeigen()
{
    return !zcommon::Ini_Lesen(QString(), QStringLiteral("Verknüpfung"), QStringLiteral("Doc"), QString()).isEmpty();
}

QString Bezeichnung_Lesen(int feld, const QString& aktuell)
{
    if (feld < 0 || feld >= FeldAnzahl)
        return aktuell;
    const QString schluessel = QStringLiteral("Bez_%1").arg(feld, 2, 10, QLatin1Char('0'));
    const QString text =
        zcommon::Ini_Lesen(sitzung().ProgrammIni(), QStringLiteral("Beschriftung"), schluessel, aktuell);
    sitzung().Bezeichnungen[size_t(feld)] = text;
    return text;
}

QString Rahmen_Lesen(int rahmen, const QString& aktuell)
{
    const QString schluessel = QStringLiteral("Rahmen_%1").arg(rahmen, 2, 10, QLatin1Char('0'));
    return zcommon::Ini_Lesen(sitzung().ProgrammIni(), QStringLiteral("Beschriftung"), schluessel, aktuell);
}

QString Uebergabedatei_Vorbereiten()
{
    const QString schluessel = QStringLiteral("Adr_IniSpeichern_In");
    if (zcommon::Ini_Lesen(QString(), QString(), schluessel, QString()).isEmpty())
        zcommon::Ini_Schreiben(QString(), QString(), schluessel,
                               zcommon::Windows_Ordner() + QStringLiteral("/TmpAdrDoc.Tmp"));
    const QString datei = zcommon::Ini_Lesen(QString(), QString(), schluessel, QString());
    startDateien().UebergabeIniDatei = datei;
    if (datei.isEmpty())
        return datei;
    if (zcommon::Datei_Existiert(datei))
        QFile::remove(aufDisk(datei));
    zcommon::Ini_CacheLeeren();
    zcommon::Ini_Schreiben(datei, QStringLiteral("ZuletztNr"), QStringLiteral("99"), QStringLiteral("ja"));
    return datei;
}

QString Vorlagen_Pruefen()
{
    const QString datei = programmDatei(QStringLiteral("Vorlagen.ini"));
    startDateien().VorlagenIniDatei = zcommon::Datei_Existiert(datei) ? datei : QString();
    return startDateien().VorlagenIniDatei;
}

QString Logo_Datei()
{
    const QString datei = programmDatei(QStringLiteral("Logo.Bmp"));
    return zcommon::Datei_Existiert(datei) ? aufDisk(datei) : QString();
}

QString AdressDatei_Ermitteln(const Kommandozeile& k)
{
    Sitzung& s = sitzung();
    QString name;
    if (!k.datei.isEmpty()) {
        name = zcommon::Datei_Teil(k.datei, 1) + QStringLiteral(".Dat");
        if (!zcommon::Datei_Existiert(s.DatenOrdner + QLatin1Char('/') + name)) {
            zcommon::Ton_Ausgeben(QStringLiteral("#SystemExclamation"));
            zplatform::plattform().meldung(QStringLiteral("Angegebene Datei ") + zcommon::UCase(name) +
                                               QStringLiteral(" nicht gefunden.\r\nBenutze Standarddatei."),
                                           zplatform::vbOKOnly | zplatform::vbExclamation,
                                           QStringLiteral("Datei öffnen"));
            name.clear();
        }
    }
    if (name.isEmpty())
        name = QStringLiteral("zettlora.dat");
    s.AdressDateiName = aufDisk(s.DatenOrdner + QLatin1Char('/') + name);
    return s.AdressDateiName;
}

ErsterAnstrich ErsterAnstrich_Aktionen(const Kommandozeile& k)
{
    ErsterAnstrich e;
    e.dateiAuswahl = k.datei.isEmpty() &&
                     zcommon::Val(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AuswahlÖffnen"),
                                                     QStringLiteral("0"))) != 0;
    e.tipp = zcommon::Val(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AutoTip"), QStringLiteral("1"))) != 0;
    return e;
}

ErsterAnstrich ErsterAnstrich_Aktionen()
{
    return ErsterAnstrich_Aktionen(kommandozeile());
}

// --- the order of Form_Load ----------------------------------------------------------

QString StartSchritt_Name(StartSchritt schritt)
{
    static const char* const namen[StartSchrittAnzahl] = {
        "Laendereinstellung", "Konfiguration", "Instanz",     "Statistik",  "Uhr",          "Pfade",
        "MenuePopUp",         "TkAnlage",      "DokumentSymbol", "Bezeichnungen", "Rahmen",  "Uebergabe",
        "Vorlagen",           "KarteLeeren",   "Feldtrenner", "Status",     "Logo",         "TabStops",
        "Kommandozeile",      "DatenLaden",    "Einstellungen", "Suche"};
    const int i = int(schritt);
    return i >= 0 && i < StartSchrittAnzahl ? QString::fromLatin1(namen[i]) : QString();
}

void StartAblauf::setzen(StartSchritt schritt, std::function<bool()> aktion)
{
    m_schritte[size_t(schritt)] = std::move(aktion);
}

void StartAblauf::setzen(StartSchritt schritt, std::function<void()> aktion)
{
    if (!aktion) {
        m_schritte[size_t(schritt)] = nullptr;
        return;
    }
    m_schritte[size_t(schritt)] = [a = std::move(aktion)]() {
        a();
        return true;
    };
}

bool StartAblauf::gesetzt(StartSchritt schritt) const
{
    return bool(m_schritte[size_t(schritt)]);
}

bool StartAblauf::ausfuehren()
{
    for (int i = 0; i < StartSchrittAnzahl; ++i) {
        const auto& schritt = m_schritte[size_t(i)];
        if (!schritt)
            continue;
        m_protokoll << StartSchritt_Name(StartSchritt(i));
        bool weiter = true;
        try {
            weiter = schritt();
        } catch (...) {
            // A failing step is skipped; start-up goes on with the next one.
            weiter = true;
        }
        if (!weiter)
            return false;
    }
    return true;
}

StartAblauf StartAblauf_Standard(const QStringList& argumente)
{
    StartAblauf a;
    a.setzen(StartSchritt::Laendereinstellung,
             std::function<void()>([] { zcommon::Laendereinstellung_Pruefen(true); }));
    a.setzen(StartSchritt::Konfiguration, std::function<bool()>([] { return !zcommon::Konfiguration_Anpassen(); }));
    a.setzen(StartSchritt::Instanz, std::function<bool()>([] { return !zcommon::Instanz_Pruefen(); }));
    a.setzen(StartSchritt::Statistik, std::function<void()>([] { zcommon::Statistik_Start(); }));
    a.setzen(StartSchritt::Pfade, std::function<void()>([] { Startpfade_Setzen(); }));
    a.setzen(StartSchritt::Uebergabe, std::function<void()>([] { Uebergabedatei_Vorbereiten(); }));
    a.setzen(StartSchritt::Vorlagen, std::function<void()>([] { Vorlagen_Pruefen(); }));
    a.setzen(StartSchritt::Feldtrenner, std::function<void()>([] { sitzung().PopupFeldIndex = -1; }));
    a.setzen(StartSchritt::Kommandozeile, std::function<void()>([argumente] {
                 kommandozeile() = Kommandozeile_Lesen(argumente);
                 sitzung().KommandozeileReadonly = kommandozeile().readonly;
                 AdressDatei_Ermitteln(kommandozeile());
             }));
    return a;
}

} // namespace zadressbuch
