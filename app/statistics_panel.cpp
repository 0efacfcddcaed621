#include "app/statistics_panel.h"

#include "app/number_field.h"
#include "app/slope_histogram.h"
#include "editor/terrain_document.h"
#include "world/terrain_world.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

namespace {

constexpr double kWaterLevelLimit = 1e6;
// From this side on the figures are computed on the worker: at 1025 a side they take about 40 ms,
// too long to hold the window after every brush stroke.
constexpr int kWorkerSide = 1025;

QString HeightText(double height) { return QString::number(height, 'f', 3); }

} // namespace

CStatisticsPanel::CStatisticsPanel(CTerrainDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_document(document)
{
    setObjectName(QStringLiteral("statisticsPanel"));
    setWindowTitle(QStringLiteral("Statistics"));
    m_worker.setMaxThreadCount(1);
    auto* layout = new QVBoxLayout(this);
    auto* figures = new QFormLayout();
    layout->addLayout(figures);
    m_waterLevel = AddNumberField(
        *figures, {QStringLiteral("waterLevel"), QStringLiteral("Water level"), -kWaterLevelLimit, kWaterLevelLimit, 2,
                   0.25, QStringLiteral("The height of the water whose share of the area is shown")});
    const auto figure = [&](const char* name, const QString& label, const QString& toolTip) {
        auto* text = new QLabel(this);
        text->setObjectName(QString::fromLatin1(name));
        text->setToolTip(toolTip);
        figures->addRow(label, text);
        return text;
    };
    m_minimum = figure("minimumHeight", QStringLiteral("Minimum"), QStringLiteral("The lowest height"));
    m_maximum = figure("maximumHeight", QStringLiteral("Maximum"), QStringLiteral("The highest height"));
    m_mean = figure("meanHeight", QStringLiteral("Mean"), QStringLiteral("The mean height of the samples"));
    m_waterShare = figure("waterShare", QStringLiteral("Under water"),
                          QStringLiteral("The share of the terrain's area below the water level"));
    layout->addWidget(new QLabel(QStringLiteral("Slopes (share of the samples)"), this));
    m_histogram = new CSlopeHistogram(this);
    layout->addWidget(m_histogram);
    m_failure = new QLabel(this);
    m_failure->setObjectName(QStringLiteral("statisticsFailure"));
    m_failure->setWordWrap(true);
    m_failure->hide();
    layout->addWidget(m_failure);

    QObject::connect(m_waterLevel, &QDoubleSpinBox::valueChanged, this, [this](double level) {
        Refresh();
        if (m_waterLevelListener) {
            m_waterLevelListener(static_cast<float>(level));
        }
    });
    QObject::connect(&m_watcher, &QFutureWatcher<void>::finished, this, [this] { Finished(); });
    m_listener = m_document.AddChangeListener([this] { Refresh(); });
}

CStatisticsPanel::~CStatisticsPanel()
{
    m_document.RemoveChangeListener(m_listener);
    if (m_progress != nullptr) {
        m_progress->Cancel();
        m_watcher.disconnect();
        m_watcher.waitForFinished();
    }
}

void CStatisticsPanel::SetWaterLevel(float level) { m_waterLevel->setValue(static_cast<double>(level)); }

float CStatisticsPanel::WaterLevel() const { return static_cast<float>(m_waterLevel->value()); }

void CStatisticsPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Refresh();
}

void CStatisticsPanel::Refresh()
{
    if (!isVisible()) {
        return;
    }
    if (m_progress != nullptr) {
        m_progress->Cancel();
        m_stale = true;
        return;
    }
    Heightfield heights = m_document.World().HeightsSnapshot();
    const float level = WaterLevel();
    const std::size_t samples = heights.Samples().size();
    if (heights.Side() < kWorkerSide) {
        Show(ComputeTerrainStatistics(heights, level), samples);
        return;
    }
    for (QLabel* text : {m_minimum, m_maximum, m_mean, m_waterShare}) {
        text->setText(QStringLiteral("..."));
    }
    m_progress = std::make_shared<Progress>();
    m_outcome = std::make_shared<Outcome>();
    m_pendingSamples = samples;
    m_watcher.setFuture(
        QtConcurrent::run(&m_worker, [progress = m_progress, outcome = m_outcome, heights = std::move(heights), level] {
            outcome->emplace(ComputeTerrainStatistics(heights, level, progress.get()));
        }));
}

void CStatisticsPanel::Finished()
{
    m_progress.reset();
    const std::shared_ptr<Outcome> outcome = std::exchange(m_outcome, nullptr);
    if (std::exchange(m_stale, false)) {
        Refresh();
        return;
    }
    Show(**outcome, m_pendingSamples);
}

void CStatisticsPanel::Show(const Result<TerrainStatistics>& statistics, std::size_t samples)
{
    m_failure->setVisible(!statistics);
    if (!statistics) {
        m_failure->setText(QStringLiteral("No statistics: ") + QString::fromStdString(statistics.reason()));
        for (QLabel* text : {m_minimum, m_maximum, m_mean, m_waterShare}) {
            text->clear();
        }
        m_histogram->SetShares({});
        return;
    }
    const TerrainStatistics& s = statistics.value();
    m_minimum->setText(HeightText(static_cast<double>(s.minimum)));
    m_maximum->setText(HeightText(static_cast<double>(s.maximum)));
    m_mean->setText(HeightText(s.mean));
    m_waterShare->setText(QString::number(100.0 * s.waterShare, 'f', 2) + QLatin1Char('%'));
    std::array<double, kSlopeBins> shares{};
    for (std::size_t bin = 0; bin < shares.size(); ++bin) {
        shares[bin] = static_cast<double>(s.slopeHistogram[bin]) / static_cast<double>(samples);
    }
    m_histogram->SetShares(shares);
}
