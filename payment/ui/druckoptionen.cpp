#include "payment/ui/zahlungsfeld.h"

#include "platform/plattform.h"

namespace zzahlung {

Druckwahl Druckoptionen_Zeigen(QWidget* eltern, const QString& job, const QString& titel)
{
    Q_UNUSED(eltern);
    Q_UNUSED(job);
    Q_UNUSED(titel);
    Druckwahl w;
    w.abbruch = false;
    w.drucker = &zplatform::drucker();
    zplatform::plattform().sanduhr(true);
    return w;
}

} // namespace zzahlung
