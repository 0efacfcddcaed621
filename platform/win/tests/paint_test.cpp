// Painting: label colours chosen by the parent's OnCtlColor, and frames presented through the
// device's window host. Images are grabbed from the real widgets.
#include "platform/d3d9/window_host.h"
#include "platform/win/cdialog.h"
#include "platform/win/dialog_template.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr UINT kTemplateId = 9300;
constexpr int kRedLabel = 5046;
constexpr int kPlainLabel = 5047;

int CountPixels(const QImage& image, const std::function<bool(QColor)>& matches)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += matches(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool IsRed(QColor c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; }
bool IsDark(QColor c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; }

QImage Grab(HWND window) { return WidgetOfWindow(window)->grab().toImage(); }

class LabelDialog : public CDialog {
public:
    LabelDialog() : CDialog(kTemplateId) {}

protected:
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) override
    {
        const HBRUSH brush = CDialog::OnCtlColor(dc, control, ctlColor);
        if (control->GetDlgCtrlID() == kRedLabel) {
            dc->SetTextColor(RGB(255, 0, 0));
            dc->SetBkMode(TRANSPARENT);
        }
        return brush;
    }
};

TEST(PaintTest, ParentChoosesTheTextColourOfOneLabelAndLeavesTheOthersDefault)
{
    DialogTemplate t;
    t.id = kTemplateId;
    t.cx = 100;
    t.cy = 60;
    t.fontPointSize = 14;
    t.controls = {
        {kRedLabel, DialogControlKind::Static, L"RRR", {5, 5, 60, 20}},
        {kPlainLabel, DialogControlKind::Static, L"GGG", {5, 30, 60, 20}},
    };
    RegisterDialogTemplate(t);
    LabelDialog dialog;
    ASSERT_TRUE(dialog.Create(kTemplateId));

    const QImage red = Grab(::GetDlgItem(dialog.m_hWnd, kRedLabel));
    const QImage plain = Grab(::GetDlgItem(dialog.m_hWnd, kPlainLabel));
    EXPECT_GT(CountPixels(red, IsRed), 10);
    EXPECT_EQ(CountPixels(red, IsDark), 0);
    EXPECT_GT(CountPixels(plain, IsDark), 10);
    EXPECT_EQ(CountPixels(plain, IsRed), 0);
}

class PresentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(D3D9GetWindowHost(), nullptr) << "the window system installs the host";
        ASSERT_TRUE(m_top.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(m_view.Create(nullptr, nullptr, WS_VISIBLE | WS_BORDER, CRect(10, 10, 110, 60), &m_top, 1));
    }

    // A frame of one colour as the device hands it over: B, G, R, A with alpha 0.
    static std::vector<std::uint8_t> Frame(UINT width, UINT height, QColor colour)
    {
        std::vector<std::uint8_t> pixels;
        for (UINT i = 0; i < width * height; ++i) {
            pixels.insert(pixels.end(),
                          {static_cast<std::uint8_t>(colour.blue()), static_cast<std::uint8_t>(colour.green()),
                           static_cast<std::uint8_t>(colour.red()), 0});
        }
        return pixels;
    }

    CWnd m_top;
    CWnd m_view;
};

TEST_F(PresentTest, ClientSizeExcludesTheBorderAndThePresentedFrameFillsTheClientArea)
{
    ID3D9WindowHost& host = *D3D9GetWindowHost();
    UINT width = 0;
    UINT height = 0;
    ASSERT_TRUE(host.GetClientSize(m_view.m_hWnd, &width, &height));
    EXPECT_EQ(width, 98u);
    EXPECT_EQ(height, 48u);

    const QColor orange(224, 128, 32);
    const std::vector<std::uint8_t> pixels = Frame(width, height, orange);
    host.PresentImage(m_view.m_hWnd, D3D9PresentedImage{width, height, pixels.data()});
    QImage image = Grab(m_view.m_hWnd);
    EXPECT_EQ(image.pixelColor(50, 25), orange);
    EXPECT_EQ(image.pixelColor(1, 1), orange);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black)) << "the border stays";

    // A frame of another size is scaled to the client area.
    const std::vector<std::uint8_t> small = Frame(4, 4, Qt::blue);
    host.PresentImage(m_view.m_hWnd, D3D9PresentedImage{4, 4, small.data()});
    image = Grab(m_view.m_hWnd);
    EXPECT_EQ(image.pixelColor(96, 46), QColor(Qt::blue));
}

TEST_F(PresentTest, DeadWindowIsNotLiveAndIgnoresFrames)
{
    ID3D9WindowHost& host = *D3D9GetWindowHost();
    const HWND view = m_view.m_hWnd;
    EXPECT_TRUE(host.IsLiveWindow(view));
    m_view.DestroyWindow();
    EXPECT_FALSE(host.IsLiveWindow(view));
    UINT width = 7;
    EXPECT_FALSE(host.GetClientSize(view, &width, nullptr));
    const std::vector<std::uint8_t> pixels = Frame(2, 2, Qt::red);
    host.PresentImage(view, D3D9PresentedImage{2, 2, pixels.data()});
    EXPECT_FALSE(IsWindow(view));
}

} // namespace

namespace {

class IconWindow : public CWnd {
public:
    HICON icon = nullptr;

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        dc.DrawIcon(4, 4, icon);
    }
};

TEST(IconTest, RegisteredIconBecomesTheWindowIconAndPaintsAtIconSize)
{
    constexpr std::uint32_t kRed = 0xFFFF0000;
    ASSERT_TRUE(RegisterIconResource(128, IconImage{2, 2, {kRed, kRed, kRed, kRed}}));
    EXPECT_FALSE(RegisterIconResource(129, IconImage{2, 2, {kRed}})) << "pixel count must match the size";
    EXPECT_EQ(LoadIcon(129), nullptr);

    IconWindow window;
    window.icon = LoadIcon(128);
    ASSERT_NE(window.icon, nullptr);
    ASSERT_TRUE(window.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 60, 60), nullptr, 0));
    EXPECT_EQ(window.SetIcon(window.icon, TRUE), nullptr);
    EXPECT_EQ(window.SetIcon(window.icon, TRUE), window.icon) << "returns the previous big icon";
    EXPECT_EQ(window.GetIcon(FALSE), nullptr);
    EXPECT_FALSE(WidgetOfWindow(window.m_hWnd)->windowIcon().isNull());

    const QImage image = Grab(window.m_hWnd);
    EXPECT_EQ(image.pixelColor(4 + 31, 4 + 31), QColor(Qt::red)) << "scaled to 32 by 32";
    EXPECT_NE(image.pixelColor(4 + 33, 4 + 33), QColor(Qt::red));
}

} // namespace
