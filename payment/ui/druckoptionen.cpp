#include "payment/ui/zahlungsfeld.h"

#include "platform/plattform.h"

// ZAHLUNG_DRUCKAUFTRAG is set by the build when the print-options dialog is built in.
#ifdef ZAHLUNG_DRUCKAUFTRAG
#include "printing/ui/druckauftrag.h"
#endif

#include <memory>

namespace zzahlung {

Druckwahl Druckoptionen_Zeigen(QWidget* eltern, const QString& job, const QString& titel)
{
    Druckwahl w;
#ifdef ZAHLUNG_DRUCKAUFTRAG
    // The program's print-job protocol: the options dialog under the job's
    // name, one copy, the preset's orientation; the layouts place the margins.
    auto auftrag = std::make_shared<zdruck::Druckauftrag>(job, titel, QStringLiteral("Es ist ein Fehler aufgetreten."));
    auftrag->anzahlSperren();
    auftrag->ausrichtungSperren();
    if (!auftrag->abfragen(eltern))
        return w;
    w.abbruch = false;
    w.drucker = &auftrag->beginnen(false);
    w.randX = auftrag->randX();
    w.randY = auftrag->randY();
    w.beenden = [auftrag] { return auftrag->beenden(); };
#else
    // Without the print-options dialog: the current printer, no margins.
    Q_UNUSED(eltern);
    Q_UNUSED(job);
    Q_UNUSED(titel);
    w.abbruch = false;
    w.drucker = &zplatform::drucker();
    zplatform::plattform().sanduhr(true);
#endif
    return w;
}

} // namespace zzahlung
