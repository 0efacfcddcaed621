// The Terrain > Statistics tool window: the terrain's lowest, highest and mean height, the share
// of its area under the water level (shared with the water plane) and its slopes as a bar chart,
// the figures of ComputeTerrainStatistics (those of `relief info --stats`). While it is shown it
// follows the document, computing again after every change; from 1025 samples a side it computes
// on a worker of its own and shows "..." meanwhile, so the window never waits, and a change
// during a computation cancels it and starts again with the new terrain.
#pragma once

#include "terrain/progress.h"
#include "terrain/statistics.h"

#include <QFutureWatcher>
#include <QThreadPool>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CSlopeHistogram;
class CTerrainDocument;
class QDoubleSpinBox;
class QLabel;

class CStatisticsPanel final : public QWidget {
public:
    // The document must outlive the panel.
    CStatisticsPanel(CTerrainDocument& document, QWidget* parent);
    ~CStatisticsPanel() override;

    // The height of the water whose share the panel shows.
    void SetWaterLevel(float level);
    float WaterLevel() const;
    // Called when the user changes the water level here, so that the level can be shared.
    void SetWaterLevelListener(std::function<void(float)> listener) { m_waterLevelListener = std::move(listener); }
    // True while a computation on the worker runs.
    bool IsComputing() const { return m_progress != nullptr; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    using Outcome = std::optional<Result<TerrainStatistics>>;

    // Computes the figures of the terrain now, if the panel is shown.
    void Refresh();
    void Finished();
    void Show(const Result<TerrainStatistics>& statistics, std::size_t samples);

    CTerrainDocument& m_document;
    int m_listener = 0;
    QDoubleSpinBox* m_waterLevel = nullptr;
    std::function<void(float)> m_waterLevelListener;
    QLabel* m_minimum = nullptr;
    QLabel* m_maximum = nullptr;
    QLabel* m_mean = nullptr;
    QLabel* m_waterShare = nullptr;
    QLabel* m_failure = nullptr;
    CSlopeHistogram* m_histogram = nullptr;
    QThreadPool m_worker;
    QFutureWatcher<void> m_watcher;
    std::shared_ptr<Progress> m_progress;
    std::shared_ptr<Outcome> m_outcome;
    std::size_t m_pendingSamples = 0;
    // A change came while the worker computed: compute again when it is done.
    bool m_stale = false;
};
