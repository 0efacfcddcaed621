// The document without a device: undo and redo of every kind of step, drags as one step, the
// modified state around saves and opens, and the size of the history.
#include "base/testing/temp_folder.h"
#include "editor/terrain_document.h"
#include "editor/testing/heights_hash.h"
#include "world/terrain_world.h"
#include "world/testing/manual_time.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

class TerrainDocumentTest : public ::testing::Test {
protected:
    TerrainDocumentTest() : m_world(m_time.MakeClock()), m_document(m_world, L"temp.txt", L"temp.txt") {}

    std::uint64_t Hash() const { return HeightsHash(m_world.HeightsSnapshot()); }
    void Select(int row, int column)
    {
        m_world.SetSelectedRow(row);
        m_world.SetSelectedColumn(column);
    }
    std::string HeightFile(const std::string& name, float height)
    {
        const std::string path = m_folder.Path(name);
        std::ofstream out(path);
        for (int i = 0; i < 64 * 64; ++i) {
            out << height + static_cast<float>(i % 5) << '\n';
        }
        return path;
    }

    // A stroke along a row, from one column to another, as a drag paints it.
    void Stroke(const Brush& brush, float row, float fromColumn, float toColumn)
    {
        ASSERT_TRUE(m_document.BeginStroke(brush, {row, fromColumn}).ok());
        for (float column = fromColumn; column <= toColumn; column += 3.0f) {
            ASSERT_TRUE(m_document.ContinueStroke({row, column}).ok());
        }
        m_document.EndStroke();
    }

    ManualTime m_time;
    TempFolder m_folder;
    CTerrainWorld m_world;
    CTerrainDocument m_document;
};

// Each kind of step, undone and redone: heights bit for bit, the selection the step was made
// at, the labels, the texture and the wire frame come back as they were.
TEST_F(TerrainDocumentTest, UndoAndRedoRestoreEveryKindOfStep)
{
    const std::string file = HeightFile("a.txt", 2.5f);
    struct Step {
        std::string name;
        int row;
        int column;
        std::function<void()> run;
    };
    const Step steps[] = {
        {"vertex", 3, 4, [&] { m_document.SetSelectedHeight(7.0f, false); }},
        {"new", 10, 1, [&] { m_document.New(); }},
        {"open", 2, 2, [&] { ASSERT_TRUE(m_document.Open(file, L"a.txt").ok()); }},
        {"texture", 2, 9, [&] { m_document.ChooseTexture(L"/images/grass.png"); }},
        {"wireframe", 0, 9, [&] { m_document.SetWireframe(true); }},
        {"new at 129 from a seed", 64, 30, [&] { ASSERT_TRUE(m_document.New(129, 42).ok()); }},
        {"resample", 100, 120, [&] { ASSERT_TRUE(m_document.Resample(33).ok()); }},
        {"import", 20, 3, [&] { ASSERT_TRUE(m_document.Import(Heightfield(257, 1.5f), 9, L"i.png").ok()); }},
        {"brush stroke", 100, 90,
         [&] {
             Stroke({BrushKind::Raise, BrushFalloff::Smooth, 10.0f, 0.5f}, 100, 90, 140);
         }},
        {"erosion", 7, 8, [&] { ASSERT_TRUE(m_document.ApplyErosion(Heightfield(257, 0.5f)).ok()); }},
        {"vertex again", 60, 61, [&] { m_document.SetSelectedHeight(-3.0f, false); }},
    };
    struct Seen {
        std::uint64_t hash;
        DocumentState state;
        std::optional<std::uint64_t> seed;
    };
    std::vector<std::pair<Seen, Seen>> seen;
    for (const Step& step : steps) {
        Select(step.row, step.column);
        const Seen before{Hash(), m_document.State(), m_world.CurrentSeed()};
        step.run();
        seen.push_back({before, {Hash(), m_document.State(), m_world.CurrentSeed()}});
    }
    ASSERT_EQ(m_document.StepCount(), static_cast<int>(std::size(steps)));
    EXPECT_EQ(m_world.GetFloorMesh().GetTextureFileName(), std::wstring(L"/images/grass.png"));
    for (std::size_t i = std::size(steps); i-- > 0;) {
        SCOPED_TRACE("undo " + steps[i].name);
        Select(0, 0);
        m_document.Undo();
        EXPECT_EQ(Hash(), seen[i].first.hash);
        EXPECT_EQ(m_document.State(), seen[i].first.state);
        EXPECT_EQ(m_world.CurrentSeed(), seen[i].first.seed);
    }
    EXPECT_EQ(m_document.State().loadLabel, L"temp.txt");
    EXPECT_EQ(m_world.GetFloorMesh().GetTextureFileName(), std::wstring());
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE("redo " + steps[i].name);
        Select(0, 0);
        m_document.Redo();
        EXPECT_EQ(Hash(), seen[i].second.hash);
        EXPECT_EQ(m_document.State(), seen[i].second.state);
        EXPECT_EQ(m_world.CurrentSeed(), seen[i].second.seed);
    }
    EXPECT_FALSE(m_document.CanRedo());
}

TEST_F(TerrainDocumentTest, RefusedSizesChangeNothingAndASeedMakesTheSameTerrainAgain)
{
    ASSERT_TRUE(m_document.New(129, 7).ok());
    const std::uint64_t seven = Hash();
    const struct {
        std::string name;
        std::function<Result<>()> run;
        std::string reason;
    } refused[] = {
        {"new", [&] { return m_document.New(100, 1); }, "100"},
        {"resample", [&] { return m_document.Resample(4098); }, "4098"},
        {"import", [&] { return m_document.Import(Heightfield(64), 1, L"x"); }, "64"},
    };
    for (const auto& step : refused) {
        SCOPED_TRACE(step.name);
        const Result<> result = step.run();
        EXPECT_NE(result.reason().find(step.reason), std::string::npos) << result.reason();
        EXPECT_EQ(Hash(), seven);
        EXPECT_EQ(m_world.CurrentSeed(), 7u);
        EXPECT_EQ(m_document.StepCount(), 1);
    }
    ASSERT_TRUE(m_document.New(129, 8).ok());
    EXPECT_NE(Hash(), seven);
    ASSERT_TRUE(m_document.New(129, 7).ok());
    EXPECT_EQ(Hash(), seven);
}

TEST_F(TerrainDocumentTest, ADragIsOneStepAndNothingChangedIsNoStep)
{
    Select(5, 5);
    const float start = m_world.HeightAt(5, 5);
    for (const float height : {start + 1, start + 2, start + 3}) {
        m_document.SetSelectedHeight(height, true);
    }
    m_document.EndDrag();
    EXPECT_EQ(m_document.StepCount(), 1);
    m_document.SetSelectedHeight(start + 4, true);
    EXPECT_EQ(m_document.StepCount(), 2) << "a new drag is a new step";
    m_document.EndDrag();
    m_document.SetSelectedHeight(start + 4, false);
    EXPECT_EQ(m_document.StepCount(), 2) << "the height it already has";
    m_document.SetSelectedHeight(start + 5, false);
    m_document.SetSelectedHeight(start + 6, false);
    EXPECT_EQ(m_document.StepCount(), 4) << "moves outside a drag are steps of their own";

    m_document.SetSelectedHeight(start + 9, true);
    m_document.SetSelectedHeight(start + 6, true);
    EXPECT_EQ(m_document.StepCount(), 4) << "a drag that ends where it began leaves no step";
    Select(6, 6);
    m_document.SetSelectedHeight(start + 9, true);
    EXPECT_EQ(m_document.StepCount(), 5) << "another vertex, another step";

    m_document.Undo();
    m_document.Undo();
    EXPECT_EQ(m_world.HeightAt(5, 5), start + 5);
    EXPECT_EQ(m_document.State().row, 5) << "undo selects the vertex it changed";
}

// 200 random steps of every kind, undone to the start and redone to the end, bit for bit.
TEST_F(TerrainDocumentTest, TwoHundredRandomStepsUndoneAndRedoneKeepTheHashes)
{
    std::mt19937 random(20261207);
    const auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string file = HeightFile("b.txt", -1.25f);
    std::vector<std::uint64_t> hashes = {Hash()};
    for (int step = 0; step < 200; ++step) {
        const int kind = uniform(0, 9);
        if (kind < 6) {
            Select(uniform(0, 62), uniform(0, 62));
            m_document.SetSelectedHeight(static_cast<float>(uniform(-15, 15)) + 0.5f, kind == 0);
            m_document.EndDrag();
        } else if (kind == 6) {
            m_document.New();
        } else if (kind == 7) {
            ASSERT_TRUE(m_document.Open(file, L"b.txt").ok());
        } else if (kind == 8) {
            m_document.SetWireframe(!m_document.State().wireframe);
        } else {
            m_document.ChooseTexture(L"/t/" + std::to_wstring(step) + L".png");
        }
        hashes.push_back(Hash());
    }
    ASSERT_EQ(m_document.StepCount(), 200);
    for (int step = 200; step-- > 0;) {
        m_document.Undo();
        ASSERT_EQ(Hash(), hashes[static_cast<std::size_t>(step)]) << "after undoing step " << step + 1;
    }
    while (m_document.CanRedo()) {
        m_document.Redo();
    }
    EXPECT_EQ(Hash(), hashes.back());
}

TEST_F(TerrainDocumentTest, HistoryKeepsAThousandStepsWithinItsMemoryBudget)
{
    for (int step = 0; step < CTerrainDocument::kUndoLimit + 10; ++step) {
        m_document.New();
    }
    EXPECT_EQ(m_document.StepCount(), CTerrainDocument::kUndoLimit) << "the oldest steps go";
    EXPECT_LT(m_document.HistoryBytes(), 256u << 20);
    const std::size_t grids = m_document.HistoryBytes();

    CTerrainDocument vertices(m_world, L"", L"");
    for (int step = 0; step < 600; ++step) {
        Select(step % 60, step / 60);
        vertices.SetSelectedHeight(static_cast<float>(step % 20) + 0.25f, false);
    }
    EXPECT_EQ(vertices.StepCount(), 600);
    EXPECT_LT(vertices.HistoryBytes(), 600u * 512) << "a vertex keeps its change, not the grid";
    EXPECT_GT(grids / CTerrainDocument::kUndoLimit, 2u * 65 * 65 * sizeof(float)) << "a new terrain keeps both grids";
}

TEST_F(TerrainDocumentTest, ModifiedFollowsTheSavedStateAndFailuresChangeNothing)
{
    std::vector<std::wstring> titles;
    m_document.AddChangeListener(
        [&] { titles.push_back(m_document.DisplayName() + (m_document.IsModified() ? L"*" : L"")); });
    EXPECT_FALSE(m_document.IsModified());
    m_document.SetSelectedHeight(9.0f, false);
    EXPECT_TRUE(m_document.IsModified());
    ASSERT_TRUE(m_document.SaveTo(m_folder.Path("saved")).ok());
    EXPECT_EQ(m_document.FilePath(), m_folder.Path("saved.txt"));
    EXPECT_EQ(m_document.SaveLabel(), L"saved.txt");
    EXPECT_FALSE(m_document.IsModified());
    m_document.Undo();
    EXPECT_TRUE(m_document.IsModified()) << "the saved heights are on the redo side";
    m_document.Redo();
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_EQ(titles.back(), L"saved.txt");

    const std::uint64_t before = Hash();
    EXPECT_FALSE(m_document.Open(m_folder.Path("missing.txt"), L"missing.txt").ok());
    EXPECT_FALSE(m_document.SaveTo(m_folder.Path("no/such/folder/x")).ok());
    EXPECT_EQ(Hash(), before);
    EXPECT_EQ(m_document.StepCount(), 1);
    EXPECT_EQ(m_document.FilePath(), m_folder.Path("saved.txt"));

    m_document.New();
    EXPECT_FALSE(m_document.IsModified()) << "a new terrain has nothing unsaved";
    EXPECT_EQ(m_document.DisplayName(), L"Untitled");
    ASSERT_TRUE(m_document.Open(HeightFile("c.txt", 1.0f), L"c.txt").ok());
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_EQ(m_document.DisplayName(), L"c.txt");
    EXPECT_EQ(m_document.UndoText(), QStringLiteral("Open"));
}

} // namespace
