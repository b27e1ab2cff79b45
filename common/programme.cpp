// Companion programs, web pages, the product information and the help.

#include "common/programme.h"

#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/plattform.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zcommon {

namespace {

const QString Begleitprogramme = QStringLiteral("Begleitprogramme");

QString programmIni()
{
    return Programm_Ordner() + QStringLiteral("/Zettlora.Ini");
}

void hinweis(const QString& text)
{
    Meldung(QStringLiteral("#SystemExclamation"), text, zplatform::vbOKOnly + zplatform::vbExclamation);
}

} // namespace

QString Begleitprogramm_Name(int index)
{
    if (index == 0)
        return QStringLiteral("Zettlora");
    if (index < 1 || index >= BegleitprogrammAnzahl)
        return QString();
    static const char* const namen[] = {"Zettlora", "Quirlan", "Vesmor", "Lindoras"};
    const QString name = Trim(Ini_Lesen(QString(), Begleitprogramme, QStringLiteral("Name%1").arg(index)));
    return name.isEmpty() ? QString::fromLatin1(namen[index]) : name;
}

int Begleitprogramm_Laufend()
{
    return 0;
}

bool Begleitprogramm_Starten(int index)
{
    if (index < 0 || index >= BegleitprogrammAnzahl)
        return false;
    auto& p = zplatform::plattform();
    QString programm;
    if (index == 0) {
        programm = QCoreApplication::applicationFilePath();
    } else {
        const QString eingetragen =
            Trim(Ini_Lesen(QString(), Begleitprogramme, QStringLiteral("Programm%1").arg(index)));
        if (!eingetragen.isEmpty() && Datei_Existiert(eingetragen))
            programm = Pfad(eingetragen);
    }
    if (programm.isEmpty() || !QFileInfo(programm).isFile()) {
        hinweis(QStringLiteral("%1 ist auf diesem Computer nicht installiert.").arg(Begleitprogramm_Name(index)));
        return false;
    }
    if (p.programmStarten(programm, {}, QFileInfo(programm).absolutePath()))
        return true;
    hinweis(QStringLiteral("%1 konnte nicht gestartet werden.").arg(Begleitprogramm_Name(index)));
    return false;
}

QString Internetadresse(const QString& seitenSchluessel)
{
    const QString schluessel = Trim(seitenSchluessel);
    if (schluessel.isEmpty())
        return QString();
    QString vorgabe;
    if (schluessel.compare(QStringLiteral("Ze32UpInfo"), Qt::CaseInsensitive) == 0)
        vorgabe = QStringLiteral("https://www.zettlora.de/update");
    else if (schluessel.compare(QStringLiteral("Homepage"), Qt::CaseInsensitive) == 0)
        vorgabe = QStringLiteral("https://www.zettlora.de");
    return Trim(Ini_Lesen(programmIni(), QStringLiteral("Internet"), schluessel, vorgabe));
}

bool Internetseite_Aufrufen(const QString& seitenSchluessel)
{
    const QString adresse = Internetadresse(seitenSchluessel);
    if (adresse.isEmpty()) {
        hinweis(QStringLiteral("Für diese Seite ist keine Internetadresse hinterlegt."));
        return false;
    }
    if (zplatform::plattform().adresseOeffnen(adresse))
        return true;
    hinweis(QStringLiteral("Die Internetseite~%1~konnte nicht geöffnet werden.").arg(Woertlich(adresse)));
    return false;
}

namespace {

// Opens a document of the program folder at the anchor; says fehlt when there is none.
bool dokumentZeigen(const QString& name, const QString& fehlt, const QString& anker = QString())
{
    const QString datei = Pfad(Programm_Ordner() + QLatin1Char('/') + name);
    if (!Datei_Existiert(datei)) {
        hinweis(fehlt);
        return false;
    }
    if (zplatform::plattform().dokumentOeffnen(datei, anker))
        return true;
    hinweis(QStringLiteral("Die Datei~%1~konnte nicht geöffnet werden.").arg(Woertlich(datei)));
    return false;
}

} // namespace

bool Werbung_Zeigen()
{
    return dokumentZeigen(QStringLiteral("werbung.html"), QStringLiteral("Kann leider keine Werbung finden!"));
}

QString Hilfe_Abschnitt(int thema)
{
    return thema > 0 ? QStringLiteral("thema%1").arg(thema) : QString();
}

bool Hilfe_Zeigen(int thema)
{
    return Hilfe_AbschnittZeigen(Hilfe_Abschnitt(thema));
}

bool Hilfe_AbschnittZeigen(const QString& abschnitt)
{
    return dokumentZeigen(QStringLiteral("Zettlora.html"), QStringLiteral("Keine Hilfedatei gefunden."), abschnitt);
}

} // namespace zcommon
