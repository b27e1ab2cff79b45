#include "addressbook/reservierung.h"

#include "addressbook/adressdatei.h"
#include "addressbook/dateiini.h"
#include "addressbook/sitzung.h"
#include "common/dateien.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/texte.h"
#include "platform/dateisystem.h"
#include "platform/ordner.h"
#include "platform/plattform.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace zadressbuch {

namespace {

const QString ReservierungSektion = QStringLiteral("Reservierung");
// The fields of one holder in the entry.
constexpr qsizetype HalterFelder = 6;

QString EigenerRechner()
{
    const QString rechner = zplatform::plattform().rechnerName();
    return rechner.isEmpty() ? QStringLiteral("unbekannt") : rechner;
}

bool Gleich(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One holder from its fields.
Reservierung Deuten(const QStringList& teile)
{
    Reservierung r;
    r.vorhanden = true;
    r.felder = teile;
    r.benutzer = teile.value(0).trimmed();
    r.rechner = teile.value(1).trimmed();
    r.pid = teile.value(2).trimmed().toLongLong();
    r.zeit = teile.value(3).trimmed();
    r.start = teile.value(4).trimmed().toULongLong();
    r.kennung = teile.value(5).trimmed();
    // Its processes can be looked at only on the computer it was written on:
    // the name, and the system identity where both entries know it.
    const QString eigeneKennung = zplatform::rechnerKennung();
    const bool hier = Gleich(r.rechner, EigenerRechner()) &&
                      (r.kennung.isEmpty() || eigeneKennung.isEmpty() || Gleich(r.kennung, eigeneKennung));
    const qint64 meine = zplatform::eigenePid();
    r.eigene = hier && Gleich(r.benutzer, Eigener_Benutzer()) && r.pid == meine &&
               (r.start == 0 || r.start == zplatform::prozessStart(meine));
    // Whoever wrote it on this computer: the process has ended.
    r.verwaist = hier && !r.eigene && !zplatform::prozessLebt(r.pid, r.start);
    return r;
}

// This process as a holder.
Reservierung Eigene()
{
    const qint64 pid = zplatform::eigenePid();
    return Deuten(QStringList{Eigener_Benutzer(), EigenerRechner(), QString::number(pid),
                              zcommon::Jetzt().toString(QStringLiteral("dd.MM.yyyy hh:mm")),
                              QString::number(zplatform::prozessStart(pid)), zplatform::rechnerKennung()});
}

// The holders that run elsewhere: neither this process nor ended.
std::vector<Reservierung> Andere(const std::vector<Reservierung>& halter)
{
    std::vector<Reservierung> andere;
    for (const Reservierung& r : halter)
        if (!r.eigene && !r.verwaist)
            andere.push_back(r);
    return andere;
}

bool EigeneDarunter(const std::vector<Reservierung>& halter)
{
    return std::any_of(halter.begin(), halter.end(), [](const Reservierung& r) { return r.eigene; });
}

std::vector<Reservierung> AltLesen(const QString& pfad)
{
    return Reservierung_Deuten(zcommon::Ini_Lesen(AlteReservierungsdatei(), ReservierungSektion, pfad));
}

// The entry's file, written as every user who may write its folder may.
QString Datei(const QString& pfad)
{
    const QString datei = Reservierungsdatei(pfad);
    zcommon::Ini_Gemeinsam(datei);
    return datei;
}

// Writes the holders as the file's entry (none: the key goes); false when that failed.
bool Eintragen(const QString& pfad, const std::vector<Reservierung>& halter)
{
    if (halter.empty())
        zcommon::Ini_Loeschen(Datei(pfad), ReservierungSektion, Reservierungsschluessel(pfad));
    else
        zcommon::Ini_Schreiben(Datei(pfad), ReservierungSektion, Reservierungsschluessel(pfad),
                               Reservierung_Wert(halter));
    return zcommon::Ini_Fehler().isEmpty();
}

// "anna am Computer »buero-pc« seit 01.07.2000 08:15", for the question.
QString Wer(const Reservierung& r)
{
    const QString wer = r.benutzer.isEmpty() ? QStringLiteral("einem anderen Benutzer") : r.benutzer;
    const QString wo = r.rechner.isEmpty() ? QString() : QStringLiteral(" am Computer »%1«").arg(r.rechner);
    const QString seit = r.zeit.isEmpty() ? QString() : QStringLiteral(" seit %1").arg(r.zeit);
    return zcommon::Woertlich(wer + wo + seit);
}

void NichtReserviert_Melden(const QString& pfad)
{
    const QString datei = zplatform::pfadAufloesen(pfad);
    zcommon::Meldung(
        QStringLiteral("#SystemHand"),
        QStringLiteral("Die Adressdatei »%1« kann nicht für Sie reserviert werden.~~%2~~Sie wird deshalb "
                       "nur zum Lesen geöffnet: ohne Reservierung würde niemand gefragt, der sie zugleich "
                       "bearbeiten will. Jeder Benutzer der Datei braucht Schreibrechte im Ordner »%3« und an der "
                       "Datei »Reservierungen.ini« darin.")
            .arg(zcommon::Woertlich(datei), zcommon::Woertlich(zcommon::Ini_Fehler()),
                 zcommon::Woertlich(QFileInfo(datei).absolutePath())),
        zplatform::vbExclamation, QStringLiteral("Adressdatei nicht reserviert"));
}

// Why a file opens read-only when the user may not write its folder, once a run for each folder.
void OhneSchreibrecht_Melden(const QString& ordner, const QString& datei)
{
    Sitzung& s = sitzung();
    if (s.OhneSchreibrechtGemeldet == ordner || !zplatform::dateistand(ordner).ordner)
        return;
    s.OhneSchreibrechtGemeldet = ordner;
    zcommon::Meldung(QStringLiteral("#SystemExclamation"),
                     QStringLiteral("Im Ordner »%1« dürfen Sie keine Dateien anlegen oder ändern.~~Die Adressdatei "
                                    "»%2« wird deshalb nur zum Lesen geöffnet; Änderungen könnten weder gespeichert "
                                    "noch für Sie reserviert werden.")
                         .arg(zcommon::Woertlich(ordner), zcommon::Woertlich(QFileInfo(datei).fileName())),
                     zplatform::vbExclamation, QStringLiteral("Nur Leserechte"));
}

} // namespace

QString Eigener_Benutzer()
{
    const QString login = zplatform::plattform().loginName();
    return login.isEmpty() ? QStringLiteral("unbekannt") : login;
}

QString Reservierungsdatei(const QString& pfad)
{
    const QString ordner = QFileInfo(ZuErsetzendeDatei(pfad)).absolutePath();
    return zplatform::pfadAufloesen(ordner + QStringLiteral("/Reservierungen.ini"));
}

QString Reservierungsschluessel(const QString& pfad)
{
    return QFileInfo(ZuErsetzendeDatei(pfad)).fileName();
}

QString AlteReservierungsdatei()
{
    return zplatform::pfadAufloesen(zcommon::Programm_Ordner() + QStringLiteral("/DurIdovi.ini"));
}

std::vector<Reservierung> Reservierung_Deuten(const QString& wert)
{
    std::vector<Reservierung> halter;
    const QStringList teile = wert.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < teile.size(); i += HalterFelder) {
        const QStringList felder = teile.mid(i, HalterFelder);
        if (!zcommon::Trim(felder.join(QString())).isEmpty())
            halter.push_back(Deuten(felder));
    }
    return halter;
}

QString Reservierung_Wert(const std::vector<Reservierung>& halter)
{
    QStringList teile;
    for (size_t i = 0; i < halter.size(); ++i) {
        QStringList felder = halter[i].felder;
        while (i + 1 < halter.size() && felder.size() < HalterFelder)
            felder << QString();
        teile << felder;
    }
    return teile.join(QLatin1Char('|'));
}

std::vector<Reservierung> Reservierung_Halter(const QString& pfad)
{
    std::vector<Reservierung> halter =
        Reservierung_Deuten(zcommon::Ini_Lesen(Datei(pfad), ReservierungSektion, Reservierungsschluessel(pfad)));
    return halter.empty() ? AltLesen(pfad) : halter;
}

Reservierung Reservierung_Lesen(const QString& pfad)
{
    const std::vector<Reservierung> halter = Reservierung_Halter(pfad);
    return halter.empty() ? Reservierung() : halter.front();
}

bool Reservierung_Schreiben(const QString& pfad)
{
    zcommon::Ini_Sperre sperre(Datei(pfad));
    std::vector<Reservierung> halter = Andere(Reservierung_Halter(pfad));
    halter.insert(halter.begin(), Eigene());
    if (!Eintragen(pfad, halter))
        return false;
    // The entry of an earlier version is replaced by this one.
    if (!AltLesen(pfad).empty())
        zcommon::Ini_Loeschen(AlteReservierungsdatei(), ReservierungSektion, pfad);
    return true;
}

void Reservierung_Freigeben(const QString& pfad)
{
    if (pfad.isEmpty())
        return;
    {
        zcommon::Ini_Sperre sperre(Datei(pfad));
        const std::vector<Reservierung> halter =
            Reservierung_Deuten(zcommon::Ini_Lesen(Datei(pfad), ReservierungSektion, Reservierungsschluessel(pfad)));
        if (EigeneDarunter(halter))
            Eintragen(pfad, Andere(halter));
    }
    const std::vector<Reservierung> alt = AltLesen(pfad);
    if (!alt.empty() && (alt.front().eigene || alt.front().verwaist))
        zcommon::Ini_Loeschen(AlteReservierungsdatei(), ReservierungSektion, pfad);
}

std::vector<Reservierung> Reservierung_Erneuern(const QString& pfad)
{
    zcommon::Ini_Sperre sperre(Datei(pfad));
    const std::vector<Reservierung> halter = Reservierung_Halter(pfad);
    if (!EigeneDarunter(halter))
        Reservierung_Schreiben(pfad);
    return Andere(halter);
}

bool Reservierung_Pruefen(const QString& pfad)
{
    std::vector<Reservierung> andere;
    {
        // Check and write as one step: a second instance waits here and then
        // finds this one's entry.
        zcommon::Ini_Sperre sperre(Datei(pfad));
        andere = Andere(Reservierung_Halter(pfad));
        if (andere.empty()) {
            if (Reservierung_Schreiben(pfad))
                return true;
            NichtReserviert_Melden(pfad);
            return false;
        }
    }
    QStringList wer;
    for (const Reservierung& r : andere)
        wer << Wer(r);
    const QString alle =
        wer.size() == 1 ? wer.front()
                        : wer.mid(0, wer.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" und ") + wer.back();
    const int antwort = zcommon::Meldung(
        QStringLiteral("#SystemQuestion"),
        QStringLiteral("Die Adressdatei »%1« wird von %2 bearbeitet.~~Möchten Sie die Datei nur zum Lesen "
                       "öffnen?~~Ja: nur lesen; Sie können nichts ändern.~Nein: trotzdem bearbeiten; Sie arbeiten "
                       "dann zugleich an der Datei, und wer speichert, nachdem ein anderer gespeichert hat, wird "
                       "vorher gefragt.")
            .arg(zcommon::Woertlich(pfad), alle),
        zplatform::vbYesNo | zplatform::vbQuestion, QStringLiteral("Adressdatei reserviert"), 0,
        // Closed by the program (a termination signal, the idle exit): read-only,
        // the other instance keeps its reservation.
        zplatform::vbYes);
    if (antwort != zplatform::vbNo)
        return false;
    if (Reservierung_Schreiben(pfad))
        return true;
    NichtReserviert_Melden(pfad);
    return false;
}

// ---------------------------------------------------------------------------

bool NurLesen_Entscheiden(bool reservieren)
{
    Sitzung& s = sitzung();
    const QString pfad = s.AdressDateiName;
    const QString datei = zplatform::pfadAufloesen(pfad);
    const QString ordner = QFileInfo(datei).absolutePath();

    bool nurLesen = s.KommandozeileReadonly || s.LadeNurLesen || pfad.isEmpty();
    if (!nurLesen && zcommon::Val(DateiIni_Lesen(QStringLiteral("ReadOnly"))) != 0)
        nurLesen = true;
    if (!nurLesen) {
        for (const QString& o : {s.DatenOrdner, ordner}) {
            if (!o.isEmpty() && zcommon::Datei_Existiert(o + QStringLiteral("/READONLY.TXT"))) {
                nurLesen = true;
                break;
            }
        }
    }
    if (!nurLesen) {
        if (zplatform::dateistand(datei).vorhanden && !zplatform::beschreibbar(datei)) {
            nurLesen = true;
        } else if (!zplatform::beschreibbar(ordner)) {
            nurLesen = true;
            OhneSchreibrecht_Melden(ordner, datei);
        }
    }
    if (!nurLesen && reservieren) {
        if (Reservierung_Pruefen(pfad)) {
            s.ReservierteDatei = pfad;
        } else {
            nurLesen = true;
            s.LadeNurLesen = true;
        }
    }
    if (nurLesen && !s.ReservierteDatei.isEmpty() && s.ReservierteDatei == pfad) {
        // Read-only mode holds no reservation.
        Reservierung_Freigeben(pfad);
        s.ReservierteDatei.clear();
    }
    s.NurLesen = nurLesen;
    return nurLesen;
}

} // namespace zadressbuch
