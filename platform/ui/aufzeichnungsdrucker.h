#pragma once
// The recording printer for tests: keeps every page's drawing operations in
// page centimetres (see AufzeichnungsDruckerBasis) and measures text with the
// real fonts (Arial, Courier New and Times New Roman resolve to metric-equal
// fonts on this platform), so line breaks and columns come out as on paper.

#include "platform/drucker.h"

#include <QFont>
#include <QFontMetricsF>
#include <memory>

namespace zplatform {

class AufzeichnungsDrucker : public AufzeichnungsDruckerBasis
{
public:
    explicit AufzeichnungsDrucker(const QString& name = QStringLiteral("Aufzeichnung"));
    ~AufzeichnungsDrucker() override;

protected:
    double zeilenBreite(const QString& zeile) const override;
    double zeilenHoehe() const override;

private:
    const QFontMetricsF& metrik() const;

    mutable DruckSchrift m_gemessen;
    mutable std::unique_ptr<QFontMetricsF> m_metrik;
};

} // namespace zplatform
