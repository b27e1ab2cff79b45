#include "printing/druckvorgabe.h"

#include "common/dateien.h"
#include "common/ini.h"
#include "common/start.h"
#include "common/texte.h"

#include <cmath>

namespace zdruck {

namespace {
const QString Allgemein = QStringLiteral("Allgemein");
} // namespace

QString& DruckJobName()
{
    static QString name;
    return name;
}

QString JobListe(const QString& maske)
{
    return QStringLiteral("Zettlora_") + maske;
}

QString KontPrnDatei()
{
    return zcommon::Windows_Ordner() + QStringLiteral("/KontPrn.ini");
}

QString Rand_Text(int index)
{
    return zcommon::Format(index / 10.0, QStringLiteral("0.0")) + QStringLiteral(" cm");
}

double Vorgabe_Zahl(const QString& text)
{
    const double z = zcommon::Val(text);
    return std::isfinite(z) ? z : 0.0;
}

int Vorgabe_Index(const QString& text, int eintraege)
{
    const double z = std::trunc(Vorgabe_Zahl(text));
    if (z < 0 || z > eintraege - 1)
        return 0;
    return int(z);
}

bool Druckerauswahl_An()
{
    return Vorgabe_Zahl(zcommon::Ini_Lesen(KontPrnDatei(), Allgemein, QStringLiteral("Druckerauswahl"),
                                           QStringLiteral("0"))) != 0;
}

QString Druckerauswahl_Setzen(bool an)
{
    zcommon::Ini_Schreiben(KontPrnDatei(), Allgemein, QStringLiteral("Druckerauswahl"),
                           an ? QStringLiteral("1") : QStringLiteral("0"));
    return zcommon::Ini_Fehler();
}

Druckvorgabe Vorgabe_Laden(const QString& job, bool mitDrucker, const QString& aktuellerDrucker)
{
    Druckvorgabe v;
    const QString j = job.trimmed();
    if (j.isEmpty())
        return v;
    const QString datei = KontPrnDatei();
    auto lesen = [&](const char* schluessel, const QString& vorgabe) {
        return zcommon::Ini_Lesen(datei, j, QString::fromLatin1(schluessel), vorgabe);
    };
    const QString null = QStringLiteral("0");
    v.bereich = Vorgabe_Zahl(lesen("Bereich", null)) == 0 ? 0 : 1;
    v.ausrichtung = Vorgabe_Zahl(lesen("Ausrichtung", null)) == 0 ? 0 : 1;
    v.randX = Vorgabe_Index(lesen("RandX", null), RandEintraege);
    v.randY = Vorgabe_Index(lesen("RandY", null), RandEintraege);
    v.anzahl = Vorgabe_Index(lesen("Anzahl", null), AnzahlEintraege);
    if (mitDrucker)
        v.drucker = lesen("Drucker", aktuellerDrucker);
    v.automatisch = std::abs(Vorgabe_Zahl(lesen("Automatisch", null))) == 1;
    return v;
}

QString Vorgabe_Sichern(const QString& job, const Druckvorgabe& v, bool mitDrucker)
{
    const QString j = job.trimmed();
    if (j.isEmpty())
        return QString();
    const QString datei = KontPrnDatei();
    zcommon::Ini_Stapel stapel(datei);
    auto schreiben = [&](const char* schluessel, const QString& wert) {
        zcommon::Ini_Schreiben(datei, j, QString::fromLatin1(schluessel), wert);
    };
    if (mitDrucker)
        schreiben("Drucker", v.drucker);
    schreiben("Ausrichtung", v.ausrichtung == 0 ? QStringLiteral("0") : QStringLiteral("1"));
    schreiben("RandX", QString::number(v.randX));
    schreiben("RandY", QString::number(v.randY));
    schreiben("Anzahl", QString::number(v.anzahl));
    schreiben("Automatisch", v.automatisch ? QStringLiteral("1") : QStringLiteral("0"));
    schreiben("LastSave", zcommon::DatumText(zcommon::Heute()));
    schreiben("LastUser", zcommon::Benutzer_Ermitteln());
    return stapel.schreiben() ? QString() : zcommon::Ini_Fehler();
}

} // namespace zdruck
