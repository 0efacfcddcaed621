// What the two views show: the floor with and without its texture, in wire frame, and a
// screenshot of the whole main window with a generated terrain.
#include "app/resources/main_dialog_ids.h"
#include "app/window_image.h"
#include "editor_fixture.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr QRgb kBackground = 0xFFCCCCCC;

bool IsBackground(QRgb pixel)
{
    return std::abs(qRed(pixel) - qRed(kBackground)) < 8 && std::abs(qGreen(pixel) - qGreen(kBackground)) < 8 &&
           std::abs(qBlue(pixel) - qBlue(kBackground)) < 8;
}

// A square of the big view just below its centre: floor, away from the airplane.
QRect FloorPatch(const QImage& view) { return QRect(view.width() / 2 - 20, view.height() / 2 + 20, 40, 40); }

double BackgroundShare(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += IsBackground(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return static_cast<double>(count) / (area.width() * area.height());
}

QColor MeanColour(const QImage& image, const QRect& area)
{
    long r = 0;
    long g = 0;
    long b = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            r += qRed(image.pixel(x, y));
            g += qGreen(image.pixel(x, y));
            b += qBlue(image.pixel(x, y));
        }
    }
    const long n = static_cast<long>(area.width()) * area.height();
    return QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

class EditorViewsTest : public EditorTest {
protected:
    QImage FrameOfBigView()
    {
        m_editor->Tick();
        return m_editor->BigViewImage();
    }
};

TEST_F(EditorViewsTest, FloorShowsItsTextureOnlyWhileEnableTextureIsChecked)
{
    QImage blue(16, 16, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    const std::string path = (m_folder.Path() / "blue.png").string();
    ASSERT_TRUE(blue.save(QString::fromStdString(path)));
    m_editor->AnswerFileDialog(path);
    m_editor->Click(IDC_LOAD_TEXTURE);

    const QImage plain = FrameOfBigView();
    const QRect patch = FloorPatch(plain);
    const QColor plainColour = MeanColour(plain, patch);
    EXPECT_LT(BackgroundShare(plain, patch), 0.05) << "the patch shows the floor";

    m_editor->Click(IDC_ENABLE_TEXTURE);
    const QImage textured = FrameOfBigView();
    const QColor texturedColour = MeanColour(textured, patch);
    EXPECT_GT(texturedColour.blue(), plainColour.blue() + 40) << "the blue texture shows";

    m_editor->Click(IDC_ENABLE_TEXTURE);
    const QColor againColour = MeanColour(FrameOfBigView(), patch);
    EXPECT_NEAR(againColour.blue(), plainColour.blue(), 4) << "switched off: the plain floor again";
    EXPECT_NEAR(againColour.red(), plainColour.red(), 4);
}

TEST_F(EditorViewsTest, WireframeShowsTheBackgroundBetweenTheGridLines)
{
    const QImage solid = FrameOfBigView();
    const QRect patch = FloorPatch(solid);
    EXPECT_LT(BackgroundShare(solid, patch), 0.05);

    m_editor->Click(IDC_WIREFRAME);
    EXPECT_EQ(m_editor->Status(), L"WireFrame is On");
    EXPECT_GT(BackgroundShare(FrameOfBigView(), patch), 0.3);

    m_editor->Click(IDC_WIREFRAME);
    EXPECT_EQ(m_editor->Status(), L"WireFrame is Off");
    EXPECT_LT(BackgroundShare(FrameOfBigView(), patch), 0.05);
}

// Saves build/test-output/editor_main_window.png for a look at the layout and both views.
TEST_F(EditorViewsTest, ScreenshotShowsBothViewsOfAGeneratedTerrain)
{
    m_editor->MoveSlider(IDC_ROUGHNESS_SLIDER, 0, 1, 0.7f);
    m_editor->Click(IDC_GENERATE);
    m_editor->Click(IDC_SELECTOR_VISIBLE);
    m_editor->MoveSlider(IDC_COLUMN_SLIDER, 0, 62, 31);
    m_editor->MoveSlider(IDC_ROW_SLIDER, 0, 62, 31);
    for (int tick = 0; tick < 3; ++tick) {
        m_editor->Time().AdvanceSeconds(0.025);
        m_editor->Tick();
    }

    for (const QImage& view : {m_editor->BigViewImage(), m_editor->SmallViewImage()}) {
        ASSERT_FALSE(view.isNull());
        EXPECT_LT(BackgroundShare(
                      view, QRect(view.width() * 3 / 8, view.height() * 3 / 8, view.width() / 4, view.height() / 4)),
                  0.5)
            << "the terrain fills the middle of the view";
    }
    std::filesystem::create_directories(RELIEF_TEST_OUTPUT_DIR);
    const std::string path = std::string(RELIEF_TEST_OUTPUT_DIR) + "/editor_main_window.png";
    const Result<> saved = SaveWindowImage(m_editor->Dialog().GetSafeHwnd(), path);
    EXPECT_TRUE(saved.ok()) << saved.reason();
    EXPECT_TRUE(std::filesystem::exists(path));
}

} // namespace
