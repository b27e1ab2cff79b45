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

namespace zadressbuch {

namespace {

const QString ReservierungSektion = QStringLiteral("Reservierung");

// The own identity in a reservation.
QString EigenerBenutzer()
{
    const QString login = zplatform::plattform().loginName();
    return login.isEmpty() ? QStringLiteral("unbekannt") : login;
}

QString EigenerRechner()
{
    const QString rechner = zplatform::plattform().rechnerName();
    return rechner.isEmpty() ? QStringLiteral("unbekannt") : rechner;
}

bool Gleich(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// An entry as it stands in either place.
Reservierung Deuten(const QString& wert)
{
    Reservierung r;
    if (zcommon::Trim(wert).isEmpty())
        return r;
    const QStringList teile = wert.split(QLatin1Char('|'));
    r.vorhanden = true;
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
    r.eigene = hier && Gleich(r.benutzer, EigenerBenutzer()) && r.pid == meine &&
               (r.start == 0 || r.start == zplatform::prozessStart(meine));
    // Whoever wrote it on this computer: the process has ended.
    r.verwaist = hier && !r.eigene && !zplatform::prozessLebt(r.pid, r.start);
    return r;
}

Reservierung AltLesen(const QString& pfad)
{
    return Deuten(zcommon::Ini_Lesen(AlteReservierungsdatei(), ReservierungSektion, pfad));
}

} // namespace

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

Reservierung Reservierung_Lesen(const QString& pfad)
{
    const Reservierung r =
        Deuten(zcommon::Ini_Lesen(Reservierungsdatei(pfad), ReservierungSektion, Reservierungsschluessel(pfad)));
    return r.vorhanden ? r : AltLesen(pfad);
}

void Reservierung_Schreiben(const QString& pfad)
{
    const QString zeit = zcommon::Jetzt().toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    const qint64 pid = zplatform::eigenePid();
    const QString wert = QStringList{EigenerBenutzer(),
                                     EigenerRechner(),
                                     QString::number(pid),
                                     zeit,
                                     QString::number(zplatform::prozessStart(pid)),
                                     zplatform::rechnerKennung()}
                             .join(QLatin1Char('|'));
    zcommon::Ini_Schreiben(Reservierungsdatei(pfad), ReservierungSektion, Reservierungsschluessel(pfad), wert);
    // The entry of an earlier version is replaced by this one.
    if (AltLesen(pfad).vorhanden)
        zcommon::Ini_Loeschen(AlteReservierungsdatei(), ReservierungSektion, pfad);
}

void Reservierung_Freigeben(const QString& pfad)
{
    if (pfad.isEmpty())
        return;
    {
        const QString datei = Reservierungsdatei(pfad);
        zcommon::Ini_Sperre sperre(datei);
        const QString schluessel = Reservierungsschluessel(pfad);
        if (Deuten(zcommon::Ini_Lesen(datei, ReservierungSektion, schluessel)).eigene)
            zcommon::Ini_Loeschen(datei, ReservierungSektion, schluessel);
    }
    const Reservierung alt = AltLesen(pfad);
    if (alt.eigene || alt.verwaist)
        zcommon::Ini_Loeschen(AlteReservierungsdatei(), ReservierungSektion, pfad);
}

bool Reservierung_Pruefen(const QString& pfad)
{
    Reservierung r;
    {
        // Check and write as one step: a second instance waits here and then
        // finds this one's entry.
        zcommon::Ini_Sperre sperre(Reservierungsdatei(pfad));
        r = Reservierung_Lesen(pfad);
        if (!r.vorhanden || r.eigene || r.verwaist) {
            Reservierung_Schreiben(pfad);
            return true;
        }
    }
    const QString wer = r.benutzer.isEmpty() ? QStringLiteral("einem anderen Benutzer") : r.benutzer;
    const QString wo = r.rechner.isEmpty() ? QString() : QStringLiteral(" am Computer »%1«").arg(r.rechner);
    const QString seit = r.zeit.isEmpty() ? QString() : QStringLiteral(" seit %1").arg(r.zeit);
    const int antwort = zcommon::Meldung(
        QStringLiteral("#SystemQuestion"),
        QStringLiteral("Die Adressdatei »%1« wird%2 von %3%4 bearbeitet.~~Möchten Sie die Datei nur zum Lesen "
                       "öffnen?~~Ja: nur lesen; Sie können nichts ändern.~Nein: trotzdem bearbeiten; die "
                       "Reservierung geht auf Sie über, und was der andere Benutzer speichert, kann "
                       "verloren gehen.")
            .arg(zcommon::Woertlich(pfad), seit, zcommon::Woertlich(wer), zcommon::Woertlich(wo)),
        zplatform::vbYesNo | zplatform::vbQuestion, QStringLiteral("Adressdatei reserviert"), 0,
        // Closed by the program (a termination signal, the idle exit): read-only,
        // the other instance keeps its reservation.
        zplatform::vbYes);
    if (antwort != zplatform::vbNo)
        return false;
    zcommon::Ini_Sperre sperre(Reservierungsdatei(pfad));
    Reservierung_Schreiben(pfad);
    return true;
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
        if (zplatform::dateistand(datei).vorhanden && !zplatform::beschreibbar(datei))
            nurLesen = true;
        else if (!zplatform::beschreibbar(ordner))
            nurLesen = true;
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
