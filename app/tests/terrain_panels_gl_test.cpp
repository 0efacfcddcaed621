// Terrain > Erode... and Terrain > Statistics through their tool windows.
#include "app/erosion_panel.h"
#include "app/relief_settings.h"
#include "app/slope_histogram.h"
#include "app/statistics_panel.h"
#include "editor/testing/heights_hash.h"
#include "editor_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

struct Terrain {
    std::uint64_t hash = 0;
    int steps = 0;
    bool operator==(const Terrain&) const = default;
};

// How one kind of erosion is chosen in the panel, and what the operation makes of the terrain.
struct ErosionCase {
    const char* name;
    int kind;
    std::vector<std::pair<const char*, double>> values;
    std::function<Heightfield(const Heightfield&)> direct;
    std::wstring status;
};

std::vector<ErosionCase> ErosionCases()
{
    return {
        {"hydraulic",
         0,
         {{"droplets", 3000}, {"inertia", 0.2}},
         [](const Heightfield& heights) {
             HydraulicErosionParameters p;
             p.droplets = 3000;
             p.inertia = 0.2f;
             p.seed = 11;
             return ErodeHydraulically(heights, p).value().field;
         },
         L"Eroded: 3000 droplets, seed 11"},
        {"thermal",
         1,
         {{"talusAngle", 20}, {"iterations", 15}},
         [](const Heightfield& heights) {
             return ErodeThermally(heights, {20.0f, 15, ThermalErosionParameters{}.rate}).value();
         },
         L"Eroded: talus 20 degrees, 15 iterations"},
    };
}

class TerrainPanelsTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        if (!IsSkipped()) {
            ASSERT_TRUE(m_editor->Document().New(65, 7));
        }
    }
    CTerrainWorld& World() { return m_editor->World(); }
    Terrain Now() { return {HeightsHash(World().HeightsSnapshot()), m_editor->Document().StepCount()}; }
    template <typename T> T* Child(const char* name)
    {
        return m_editor->Window().findChild<T*>(QString::fromLatin1(name));
    }
    void Choose(const ErosionCase& erosion)
    {
        m_editor->Trigger(EditorAction::Erode);
        ASSERT_TRUE(m_editor->Window().ErosionPanel().isVisible());
        Child<QComboBox>("erosionKind")->setCurrentIndex(erosion.kind);
        Child<QLineEdit>("erosionSeed")->setText(QStringLiteral("11"));
        for (const auto& [name, value] : erosion.values) {
            Child<QDoubleSpinBox>(name)->setValue(value);
        }
    }
    double Figure(const char* name) { return Child<QLabel>(name)->text().remove(QLatin1Char('%')).toDouble(); }
};

// Each kind, cancelled first and then run to its end: the commands wait meanwhile, the Cancel
// leaves terrain and history as they were, the end is one step equal to the direct call.
TEST_F(TerrainPanelsTest, ErosionIsOneUndoStepEqualToTheDirectCallAndCancelChangesNothing)
{
    for (const ErosionCase& erosion : ErosionCases()) {
        SCOPED_TRACE(erosion.name);
        const Heightfield before = World().HeightsSnapshot();
        const Terrain start = Now();
        Choose(erosion);
        for (const bool cancel : {true, false}) {
            Child<QPushButton>("erodeButton")->click();
            ASSERT_TRUE(m_editor->Window().Commands().Job().IsRunning()) << "erosion always runs on the worker";
            EXPECT_FALSE(Child<QPushButton>("erodeButton")->isEnabled());
            EXPECT_FALSE(m_editor->Window().Action(EditorAction::Undo)->isEnabled());
            if (cancel) {
                // The result comes back through the event loop, so this Cancel always comes first.
                Child<QPushButton>("jobCancel")->click();
            }
            ASSERT_TRUE(m_editor->WaitForJob());
            EXPECT_TRUE(Child<QPushButton>("erodeButton")->isEnabled());
            EXPECT_EQ(m_editor->Status(), cancel ? L"Erode cancelled" : erosion.status);
        }
        EXPECT_EQ(m_editor->Document().StepCount(), start.steps + 1);
        EXPECT_EQ(m_editor->Document().UndoText(), "Erode");
        const Heightfield expected = erosion.direct(before);
        const Heightfield eroded = World().HeightsSnapshot();
        ASSERT_EQ(eroded.Samples().size(), expected.Samples().size());
        EXPECT_NE(eroded, before);
        EXPECT_EQ(std::memcmp(eroded.Samples().data(), expected.Samples().data(), eroded.Samples().size() * 4), 0);
        m_editor->Trigger(EditorAction::Undo);
        EXPECT_EQ(Now().hash, start.hash) << "one undo takes the whole erosion back";
        // A step of its own drops the undone erosion from the history before the next case.
        m_editor->Document().SetSelectedHeight(3.5f + static_cast<float>(erosion.kind), false);
    }
}

// Every spin box at its lowest and highest value (and when asked for more) gives parameters the
// operation accepts, so no value out of its range can be entered; a bad seed names its reason.
TEST_F(TerrainPanelsTest, SpinBoxesHoldTheOperationsRanges)
{
    m_editor->Trigger(EditorAction::Erode);
    CErosionPanel& panel = m_editor->Window().ErosionPanel();
    const Heightfield heights = World().HeightsSnapshot();
    int boxes = 0;
    for (const int kind : {0, 1}) {
        Child<QComboBox>("erosionKind")->setCurrentIndex(kind);
        for (QDoubleSpinBox* box : panel.findChildren<QDoubleSpinBox*>()) {
            boxes += box->isVisible() ? 1 : 0;
            for (const double value : {box->minimum(), box->maximum(), box->maximum() + 1.0}) {
                SCOPED_TRACE(box->objectName().toStdString() + " " + std::to_string(value));
                box->setValue(value);
                Progress cancelled;
                cancelled.Cancel();
                // Accepted parameters stop at the cancel, or end first with too little to do.
                const Result<Heightfield> eroded = ErodedHeights(heights, panel.Choice().value(), &cancelled);
                EXPECT_TRUE(eroded || eroded.reason() == kCancelledReason) << eroded.reason();
            }
        }
    }
    EXPECT_EQ(boxes, 13) << "every parameter but the seed has a spin box";
    Child<QComboBox>("erosionKind")->setCurrentIndex(0);
    Child<QLineEdit>("erosionSeed")->setText(QStringLiteral("99999999999999999999"));
    Child<QPushButton>("erodeButton")->click();
    EXPECT_FALSE(m_editor->Window().Commands().Job().IsRunning());
    EXPECT_EQ(m_editor->Status(), L"Erode failed: the seed \"99999999999999999999\" is not a whole number from 0 to "
                                  L"18446744073709551615");
}

TEST_F(TerrainPanelsTest, StatisticsPanelShowsTheTerrainsFiguresAndFollowsTheDocument)
{
    const struct {
        int side;
        float waterLevel;
    } cases[] = {{65, 0.0f}, {65, 6.5f}, {2049, 2.0f}};
    CStatisticsPanel& panel = m_editor->Window().StatisticsPanel();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.side) + " at " + std::to_string(c.waterLevel));
        ASSERT_TRUE(m_editor->Document().New(c.side, 21));
        m_editor->Trigger(EditorAction::Statistics);
        ASSERT_TRUE(panel.isVisible());
        panel.SetWaterLevel(c.waterLevel);
        for (const float peak : {0.0f, 99.0f}) {
            if (peak != 0.0f) {
                m_editor->Document().SetSelectedHeight(peak, false);
            }
            while (panel.IsComputing()) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
            }
            const Heightfield heights = World().HeightsSnapshot();
            const TerrainStatistics expected = ComputeTerrainStatistics(heights, c.waterLevel).value();
            EXPECT_NEAR(Figure("minimumHeight"), expected.minimum, 1e-3);
            EXPECT_NEAR(Figure("maximumHeight"), expected.maximum, 1e-3);
            EXPECT_NEAR(Figure("meanHeight"), expected.mean, 1e-3);
            EXPECT_NEAR(Figure("waterShare"), 100.0 * expected.waterShare, 1e-2);
            const auto& shares = Child<CSlopeHistogram>("slopeHistogram")->Shares();
            for (std::size_t bin = 0; bin < shares.size(); ++bin) {
                EXPECT_DOUBLE_EQ(shares[bin], static_cast<double>(expected.slopeHistogram[bin]) /
                                                  static_cast<double>(heights.Samples().size()));
            }
        }
        EXPECT_NEAR(Figure("maximumHeight"), 99.0, 1e-3) << "the panel follows the edit";
    }
}

TEST_F(TerrainPanelsTest, StatisticsAndWaterPlaneShareOneWaterLevel)
{
    CStatisticsPanel& panel = m_editor->Window().StatisticsPanel();
    CReliefSettings& relief = m_editor->Window().Relief();
    panel.findChild<QDoubleSpinBox*>(QStringLiteral("waterLevel"))->setValue(3.25);
    EXPECT_EQ(relief.WaterLevel(), 3.25f) << "the statistics panel sets the water plane's level";
    relief.SetWaterLevel(-2.5f);
    EXPECT_EQ(panel.WaterLevel(), -2.5f) << "the water plane's level reaches the statistics panel";
}

} // namespace
