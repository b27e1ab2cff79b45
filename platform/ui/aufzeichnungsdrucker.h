#pragma once
// The recording printer for tests: keeps every page's drawing operations in
// page centimetres (see AufzeichnungsDruckerBasis) and measures text with the
// real fonts (Arial, Courier New and Times New Roman resolve to metric-equal
// fonts on this platform), so line breaks and columns come out as on paper.

#include "platform/drucker.h"

#include <QFont>
#include <QFontMetricsF>
#include <memory>
#include <vector>

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

    // The metrics of the last few fonts used (a list switches between its
    // font, the page start's and the footer's on every page).
    struct Metrik
    {
        DruckSchrift schrift;
        std::unique_ptr<QFontMetricsF> metrik;
    };
    mutable std::vector<Metrik> m_metriken;
};

} // namespace zplatform
