#include "platform/ui/schriftwahl.h"

#include "platform/ui/qtdrucker.h"

#include <QFontDialog>

namespace zplatform {

bool druckSchriftWaehlen(QWidget* eltern, QFont& schrift, const QString& titel)
{
    QFont vorschlag = schrift;
    vorschlag.setFamily(druckFamilie(schrift.family()));
    bool ok = false;
    QFont gewaehlt = QFontDialog::getFont(&ok, vorschlag, eltern, titel);
    if (!ok)
        return false;
    gewaehlt.setFamily(schriftAnzeigename(gewaehlt.family()));
    schrift = gewaehlt;
    return true;
}

} // namespace zplatform
