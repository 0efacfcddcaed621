// A small bar chart of a terrain's slopes: one bar per slope band of kSlopeBinDegrees, as high as
// the share of samples in it, with the band edges in degrees beneath. Its tool tip lists every
// band with its share.
#pragma once

#include "terrain/statistics.h"

#include <QWidget>

#include <array>

class CSlopeHistogram final : public QWidget {
public:
    explicit CSlopeHistogram(QWidget* parent);

    // Shares 0..1 of the samples in each band.
    void SetShares(const std::array<double, kSlopeBins>& shares);
    const std::array<double, kSlopeBins>& Shares() const { return m_shares; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<double, kSlopeBins> m_shares{};
};
