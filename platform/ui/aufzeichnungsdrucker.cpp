#include "platform/ui/aufzeichnungsdrucker.h"

#include "platform/ui/qtdrucker.h"

#include <QImage>

namespace zplatform {

namespace {

// Text is measured as on a 1200 dpi printer.
constexpr double k_dpi = 1200.0;

QPaintDevice* messGeraet()
{
    static QImage bild = [] {
        QImage b(1, 1, QImage::Format_ARGB32);
        b.setDotsPerMeterX(int(k_dpi / 0.0254 + 0.5));
        b.setDotsPerMeterY(int(k_dpi / 0.0254 + 0.5));
        return b;
    }();
    return &bild;
}

bool gleich(const DruckSchrift& a, const DruckSchrift& b)
{
    return a.name == b.name && a.groesse == b.groesse && a.fett == b.fett && a.kursiv == b.kursiv &&
           a.unterstrichen == b.unterstrichen && a.durchgestrichen == b.durchgestrichen;
}

} // namespace

AufzeichnungsDrucker::AufzeichnungsDrucker(const QString& name) : AufzeichnungsDruckerBasis(name) {}

AufzeichnungsDrucker::~AufzeichnungsDrucker() = default;

const QFontMetricsF& AufzeichnungsDrucker::metrik() const
{
    for (size_t i = 0; i < m_metriken.size(); ++i) {
        if (gleich(m_metriken[i].schrift, schrift)) {
            if (i != 0)
                std::swap(m_metriken[i], m_metriken[0]); // most recent first
            return *m_metriken[0].metrik;
        }
    }
    constexpr size_t Behalten = 8;
    if (m_metriken.size() >= Behalten)
        m_metriken.pop_back();
    m_metriken.insert(m_metriken.begin(), Metrik{schrift, std::make_unique<QFontMetricsF>(
                                                              QFont(alsQFont(schrift), messGeraet()), messGeraet())});
    return *m_metriken[0].metrik;
}

double AufzeichnungsDrucker::zeilenBreite(const QString& zeile) const
{
    return metrik().horizontalAdvance(zeile) / k_dpi * 2.54;
}

double AufzeichnungsDrucker::zeilenHoehe() const
{
    return metrik().height() / k_dpi * 2.54;
}

} // namespace zplatform
