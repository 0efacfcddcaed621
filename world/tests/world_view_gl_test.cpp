// The whole world drawn as the main dialog's two views see it: light grey background, the
// terrain in its height bands, the airplane, the selector sphere and the wire frame.
#include "world_gl_fixture.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const WorldPixel kBackground{0xCC, 0xCC, 0xCC};
const WorldPixel kHighBand{0xFF, 0xFF, 0xFF};
const WorldPixel kMiddleBand{0x22, 0x8B, 0x00};
const WorldPixel kLowBand{0x8B, 0x45, 0x00};
const WorldPixel kSphere{0xFF, 0xFF, 0xFF};
constexpr int kTolerance = 6;

struct ViewCase {
    const char* name;
    WorldCamera camera;
    int width;
    int height;
    // The near edge of the terrain reaches past the big view's bottom corners.
    bool bottomCornersAreBackground;
    // Half the side of a square that holds the airplane's image.
    int airplaneReach;
};

const ViewCase kViews[] = {
    {"BigView", BigViewCamera(), kBigViewWidth, kBigViewHeight, false, 45},
    {"SmallView", SmallViewCamera(), kSmallViewWidth, kSmallViewHeight, true, 20},
};

WorldPixel BandPixel(float height)
{
    if (height > 4.0f) {
        return kHighBand;
    }
    return height < 2.0f ? kLowBand : kMiddleBand;
}

// Rows 0 to 20 at height 5 (white), rows 21 to 42 at 3 (green), the rest at 0 (brown): three
// terraces across the terrain, one per band, far rows high.
float TerraceHeight(int row) { return row <= 20 ? 5.0f : row <= 42 ? 3.0f : 0.0f; }

std::string WriteTerraces()
{
    const std::string path = "terraces.txt";
    std::ofstream file(path);
    for (int row = 0; row < 64; ++row) {
        for (int column = 0; column < 64; ++column) {
            file << TerraceHeight(row) << "\n";
        }
    }
    return path;
}

// The same terraces on a grid of another side, at the same places in the world.
Heightfield Terraces(int side)
{
    Heightfield terraces(side);
    for (int row = 0; row < side; ++row) {
        const int classicRow = row * 64 / (side - 1);
        for (int column = 0; column < side; ++column) {
            terraces.At(row, column) = TerraceHeight(classicRow);
        }
    }
    return terraces;
}

class WorldViewGlTest : public WorldGlTest {
protected:
    WorldImage RenderView(const ViewCase& view) { return Render(view.camera, view.width, view.height); }

    ::testing::AssertionResult PixelAt(const WorldImage& image, const ViewCase& view, const TQR_Vector3& point,
                                       const WorldPixel& expected) const
    {
        const auto [x, y] = ProjectToImage(view.camera, view.width, view.height, point);
        const WorldPixel actual = image.At(x, y);
        if (image.Contains(x, y) && PixelNear(actual, expected, kTolerance)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is (" << actual.r << ", " << actual.g << ", " << actual.b
               << "), expected (" << expected.r << ", " << expected.g << ", " << expected.b << ")";
    }

    // Both views show the terraces: each band where it lies, the background in the corners.
    void ExpectTerraces()
    {
        for (const ViewCase& view : kViews) {
            SCOPED_TRACE(view.name);
            const WorldImage image = RenderView(view);
            ASSERT_EQ(image.width, view.width);
            ASSERT_EQ(image.height, view.height);
            ExpectBackgroundCorners(image, view);
            for (int column : {22, 42}) {
                EXPECT_TRUE(PixelAt(image, view, {30.0f * column / 64.0f - 15.0f, 5.0f, 10.3125f}, kHighBand));
                EXPECT_TRUE(PixelAt(image, view, {30.0f * column / 64.0f - 15.0f, 3.0f, 0.0f}, kMiddleBand));
                EXPECT_TRUE(PixelAt(image, view, {30.0f * column / 64.0f - 15.0f, 0.0f, -10.3125f}, kLowBand));
            }
        }
    }

    void ExpectBackgroundCorners(const WorldImage& image, const ViewCase& view) const
    {
        const int right = view.width - 3;
        const int bottom = view.height - 3;
        EXPECT_TRUE(PixelNear(image.At(2, 2), kBackground, kTolerance));
        EXPECT_TRUE(PixelNear(image.At(right, 2), kBackground, kTolerance));
        if (view.bottomCornersAreBackground) {
            EXPECT_TRUE(PixelNear(image.At(2, bottom), kBackground, kTolerance));
            EXPECT_TRUE(PixelNear(image.At(right, bottom), kBackground, kTolerance));
        }
    }
};

// Pixels of the square of half side reach around (x, y) that match the colour.
int CountNear(const WorldImage& image, int x, int y, int reach, const WorldPixel& colour)
{
    int count = 0;
    for (int row = y - reach; row <= y + reach; ++row) {
        for (int column = x - reach; column <= x + reach; ++column) {
            count += image.Contains(column, row) && PixelNear(image.At(column, row), colour, kTolerance) ? 1 : 0;
        }
    }
    return count;
}

// The classic file on the 65 grid, and a grid large enough for 32-bit indices.
TEST_F(WorldViewGlTest, TerracesShowTheirBandColoursOnLightGrey)
{
    for (const int side : {65, 513}) {
        SCOPED_TRACE(side);
        if (side == 65) {
            ASSERT_TRUE(m_world->LoadHeights(WriteTerraces()).ok());
        } else {
            m_world->RestoreHeights(Terraces(side));
        }
        ASSERT_EQ(m_world->Side(), side);
        ExpectTerraces();
    }
}

TEST_F(WorldViewGlTest, WireFrameShowsTheBackgroundBetweenTheEdges)
{
    ASSERT_TRUE(m_world->LoadHeights(WriteTerraces()).ok());
    const TQR_Vector3 middle{4.6875f, 3.0f, 0.0f};
    for (const ViewCase& view : kViews) {
        SCOPED_TRACE(view.name);
        const auto [x, y] = ProjectToImage(view.camera, view.width, view.height, middle);
        const int reach = 12;
        m_world->SetWireframe(false);
        const WorldImage solid = RenderView(view);
        EXPECT_EQ(CountNear(solid, x, y, reach, kBackground), 0);
        EXPECT_EQ(CountNear(solid, x, y, reach, kMiddleBand), (2 * reach + 1) * (2 * reach + 1));
        m_world->SetWireframe(true);
        const WorldImage wire = RenderView(view);
        EXPECT_GT(CountNear(wire, x, y, reach, kBackground), reach * reach);
        EXPECT_GT(CountNear(wire, x, y, reach, kMiddleBand), 2 * reach);
    }
}

TEST_F(WorldViewGlTest, AirplaneIsDrawnWhereItFliesOnlyWhileVisible)
{
    ASSERT_TRUE(m_world->LoadHeights(WriteTerraces()).ok());
    for (const ViewCase& view : kViews) {
        SCOPED_TRACE(view.name);
        m_world->ShowAirplane(true);
        const WorldImage shown = RenderView(view);
        m_world->ShowAirplane(false);
        const WorldImage hidden = RenderView(view);
        const auto [x, y] = ProjectToImage(view.camera, view.width, view.height, {-2.0f, 6.0f, -2.0f});
        int inside = 0;
        int outside = 0;
        for (int row = 0; row < view.height; ++row) {
            for (int column = 0; column < view.width; ++column) {
                if (PixelNear(shown.At(column, row), hidden.At(column, row), 0)) {
                    continue;
                }
                const bool near = std::abs(column - x) <= view.airplaneReach && std::abs(row - y) <= view.airplaneReach;
                ++(near ? inside : outside);
            }
        }
        EXPECT_GT(inside, 50) << "pixels changed by the airplane";
        EXPECT_EQ(outside, 0) << "pixels changed away from the airplane";
    }
}

TEST_F(WorldViewGlTest, SelectorSphereMarksTheSelectedVertexWhenShown)
{
    ASSERT_TRUE(m_world->LoadHeights(WriteTerraces()).ok());
    m_world->SetSelectedRow(54);
    m_world->SetSelectedColumn(42);
    Tick(0.025);
    const TQR_Vector3 sphere{4.6875f, 0.5f, -10.3125f};
    for (const ViewCase& view : kViews) {
        SCOPED_TRACE(view.name);
        m_world->ShowSelector(false);
        EXPECT_TRUE(PixelAt(RenderView(view), view, sphere, kLowBand));
        m_world->ShowSelector(true);
        EXPECT_TRUE(PixelAt(RenderView(view), view, sphere, kSphere));
    }
}

TEST_F(WorldViewGlTest, FloorShowsItsTextureOnlyWithBothFileAndFlag)
{
    struct Case {
        bool file;
        bool flag;
    };
    ASSERT_TRUE(m_world->LoadHeights(WriteTerraces()).ok());
    const WorldPixel blue{0x00, 0x00, 0xFF};
    WorldImage texture{4, 4, std::vector<std::uint8_t>(4 * 4 * 4, 0)};
    for (std::size_t pixel = 0; pixel < texture.bgra.size(); pixel += 4) {
        texture.bgra[pixel] = 0xFF;
    }
    const std::filesystem::path path = std::filesystem::current_path() / "blue.png";
    ASSERT_TRUE(SaveImagePng(texture, path.string()));
    const ViewCase& view = kViews[1];
    const TQR_Vector3 green{4.6875f, 3.0f, 0.0f};
    for (const Case& setting : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(testing::Message() << "file " << setting.file << ", flag " << setting.flag);
        m_world->SetTextureFile(setting.file ? path.wstring() : std::wstring());
        m_world->EnableFloorTexture(setting.flag);
        const bool textured = setting.file && setting.flag;
        EXPECT_TRUE(PixelAt(RenderView(view), view, green, textured ? blue : kMiddleBand));
    }
}

TEST_F(WorldViewGlTest, GeneratedTerrainWithAirplaneAndSelectorInBothViews)
{
    m_world->SetRoughness(0.4f);
    m_world->GenerateTerrain();
    m_world->SetSelectedRow(40);
    m_world->SetSelectedColumn(24);
    m_world->ShowSelector(true);
    Tick(0.025);
    for (const ViewCase& view : kViews) {
        SCOPED_TRACE(view.name);
        const WorldImage image = RenderView(view);
        SaveImage(image, view.name);
        ExpectBackgroundCorners(image, view);
        // Vertices in the picture inside a patch of one band show that band's colour, unless a
        // hill in front, the airplane or the sphere hides them.
        int patches = 0;
        int matching = 0;
        for (int row = 4; row <= 60; row += 4) {
            for (int column = 4; column <= 60; column += 4) {
                const WorldPixel band = BandPixel(GridPoint(row, column).y);
                const auto [x, y] = ProjectToImage(view.camera, view.width, view.height, GridPoint(row, column));
                bool uniform = image.Contains(x, y);
                for (int dr = -1; dr <= 1; ++dr) {
                    for (int dc = -1; dc <= 1; ++dc) {
                        uniform = uniform && PixelNear(BandPixel(GridPoint(row + dr, column + dc).y), band, 0);
                    }
                }
                if (uniform) {
                    ++patches;
                    matching += PixelAt(image, view, GridPoint(row, column), band) ? 1 : 0;
                }
            }
        }
        ASSERT_GT(patches, 80);
        EXPECT_GE(matching * 10, patches * 9) << matching << " of " << patches << " patches in their band colour";
    }
}

} // namespace
