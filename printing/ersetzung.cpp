#include "printing/ersetzung.h"

#include "common/dateien.h"
#include "common/meldungen.h"
#include "platform/plattform.h"

#include <QStringList>

namespace zdruck {

void Ersetzte_Zeichen_Melden(const QString& datei, const QString& ersetzt, const QString& titel)
{
    if (ersetzt.isEmpty())
        return;
    QStringList zeichen;
    for (qsizetype i = 0; i < ersetzt.size(); ++i) {
        const bool paar = ersetzt.at(i).isHighSurrogate() && i + 1 < ersetzt.size();
        zeichen << ersetzt.mid(i, paar ? 2 : 1);
        if (paar)
            ++i;
    }
    zcommon::MsgBox(QStringLiteral("Die Datei »%1« kann diese Zeichen nicht aufnehmen; dort steht statt ihrer "
                                   "ein „?“:~~%2")
                        .arg(zcommon::Datei_Teil(datei, 3), zeichen.join(u' ')),
                    zplatform::vbInformation | zplatform::vbOKOnly, titel);
}

} // namespace zdruck
