// The holders of a reservation entry: written back, the entry names the same
// holders with the same fields; taking one out (its release) leaves the
// others as they were; and an older version, which reads the first six
// fields, reads the first holder.
#include "fuzzhilfe.h"

#include "addressbook/reservierung.h"
#include "common/texte.h"

#include <vector>

namespace {

QStringList felder(const std::vector<zadressbuch::Reservierung>& halter)
{
    QStringList f;
    for (const zadressbuch::Reservierung& r : halter)
        f << r.felder.join(QChar(0x2016)) + QChar(0x2017);
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zadressbuch::Reservierung_Deuten;
    using zadressbuch::Reservierung_Wert;
    using zfuzz::pruefen;
    zfuzz::wurzel();
    const QString wert = zfuzz::text1252(daten, groesse);
    const std::vector<zadressbuch::Reservierung> halter = Reservierung_Deuten(wert);

    const QStringList ersteSechs = wert.split(u'|').mid(0, 6);
    if (!zcommon::Trim(ersteSechs.join(QString())).isEmpty())
        pruefen(!halter.empty() && halter.front().felder == ersteSechs, "der erste Halter wie eine ältere Fassung",
                wert, halter.empty() ? QString() : halter.front().felder.join(u'|'));
    for (const zadressbuch::Reservierung& r : halter)
        pruefen(r.vorhanden && r.felder.size() <= 6, "Halter mit höchstens sechs Feldern", wert, r.felder.join(u'|'));

    const QString geschrieben = Reservierung_Wert(halter);
    pruefen(felder(Reservierung_Deuten(geschrieben)) == felder(halter), "geschrieben dieselben Halter", wert,
            geschrieben);
    for (size_t weg = 0; weg < halter.size() && weg < 8; ++weg) {
        std::vector<zadressbuch::Reservierung> rest = halter;
        rest.erase(rest.begin() + qsizetype(weg));
        const QString ohne = Reservierung_Wert(rest);
        pruefen(felder(Reservierung_Deuten(ohne)) == felder(rest), "ohne einen Halter dieselben übrigen", wert, ohne);
    }
    return 0;
}
