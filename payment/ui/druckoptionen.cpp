#include "payment/ui/zahlungsfeld.h"

#include "printing/ui/druckauftrag.h"

#include <memory>

namespace zzahlung {

Druckwahl Druckoptionen_Zeigen(QWidget* eltern, const QString& job, const QString& titel)
{
    Druckwahl w;
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
    return w;
}

} // namespace zzahlung
