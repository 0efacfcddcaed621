#include "app/slope_histogram.h"

#include <QPainter>

#include <algorithm>

namespace {

// Band edges labelled beneath the bars: every third one (0, 15, .. 90 degrees).
constexpr int kLabelEvery = 3;

} // namespace

CSlopeHistogram::CSlopeHistogram(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("slopeHistogram"));
    setMinimumSize(sizeHint());
}

QSize CSlopeHistogram::sizeHint() const { return {kSlopeBins * 14 + 20, 130}; }

void CSlopeHistogram::SetShares(const std::array<double, kSlopeBins>& shares)
{
    m_shares = shares;
    QString tip = QStringLiteral("Share of the samples by slope:");
    for (int bin = 0; bin < kSlopeBins; ++bin) {
        tip += QStringLiteral("\n%1-%2 degrees: %3%")
                   .arg(bin * kSlopeBinDegrees)
                   .arg((bin + 1) * kSlopeBinDegrees)
                   .arg(100.0 * m_shares[static_cast<std::size_t>(bin)], 0, 'f', 1);
    }
    setToolTip(tip);
    update();
}

void CSlopeHistogram::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const int labelHeight = fontMetrics().height() + 2;
    const QRectF chart = QRectF(rect()).adjusted(10, 6, -10, -labelHeight - 2);
    const double tallest = std::max(*std::max_element(m_shares.begin(), m_shares.end()), 1e-9);
    const double barWidth = chart.width() / kSlopeBins;
    for (int bin = 0; bin < kSlopeBins; ++bin) {
        const double height = chart.height() * m_shares[static_cast<std::size_t>(bin)] / tallest;
        painter.fillRect(QRectF(chart.left() + bin * barWidth + 1, chart.bottom() - height, barWidth - 2, height),
                         palette().highlight());
    }
    painter.setPen(palette().text().color());
    painter.drawLine(chart.bottomLeft(), chart.bottomRight());
    for (int edge = 0; edge <= kSlopeBins; edge += kLabelEvery) {
        const double x = chart.left() + edge * barWidth;
        painter.drawText(QRectF(x - 20, chart.bottom() + 2, 40, labelHeight), Qt::AlignHCenter | Qt::AlignTop,
                         QString::number(edge * kSlopeBinDegrees) + QChar(0x00B0));
    }
}
