// The real-valued slider with its echo label, on real trackbars inside a dialog.
#include "platform/win/cdialog.h"
#include "platform/win/dialog_template.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"
#include "ui/slider_ctrl_with_echo.h"

#include <QLocale>
#include <QSlider>

#include <gtest/gtest.h>

#include <locale>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace {

constexpr UINT kTemplateId = 9400;
constexpr int kSliderId = 50;
constexpr int kEchoId = 0xFFFF;

class RecordingSlider : public TQRMFC_SliderCtrlWithEcho {
public:
    void ValueChanged(float value) override { changes.push_back(value); }
    std::vector<float> changes;
};

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DialogTemplate t;
        t.id = kTemplateId;
        t.cx = 300;
        t.cy = 200;
        RegisterDialogTemplate(t);
        ASSERT_TRUE(m_dialog.Create(kTemplateId));
        m_dialog.ShowWindow(SW_SHOW);
    }

    void CreateSlider(DWORD style, const CRect& rect)
    {
        ASSERT_TRUE(m_slider.Create(style | WS_VISIBLE, rect, &m_dialog, kSliderId));
    }

    // The slider's and the echo's rectangles in the dialog's client coordinates.
    CRect PlaceOf(HWND window) const
    {
        CRect rect;
        GetWindowRect(window, &rect);
        m_dialog.ScreenToClient(&rect);
        return rect;
    }

    HWND Echo() const { return ::GetDlgItem(m_dialog.m_hWnd, kEchoId); }
    std::wstring EchoText() const { return GetWindowTextString(Echo()); }

    int EchoCount() const
    {
        int count = 0;
        for (const QWidget* child : WidgetOfWindow(m_dialog.m_hWnd)->findChildren<QWidget*>()) {
            const HWND window = WindowOfWidget(child);
            count += (window && GetDlgCtrlID(window) == kEchoId) ? 1 : 0;
        }
        return count;
    }

    CDialog m_dialog{kTemplateId};
    RecordingSlider m_slider;
};

TEST(TruncatedEchoValueTest, RoundsToTheEchosTwoDecimalsThenTruncatesTowardZero)
{
    for (const auto& [value, whole] : {std::pair{3.9f, 3}, std::pair{-2.7f, -2}, std::pair{31.7f, 31},
                                       std::pair{0.99998f, 1}, std::pair{-0.99998f, -1}, std::pair{60.99994f, 61},
                                       std::pair{0.994f, 0}, std::pair{0.0f, 0}, std::pair{62.0f, 62}}) {
        SCOPED_TRACE(testing::Message() << "value " << value);
        EXPECT_EQ(TruncatedEchoValue(value), whole);
    }
}

TEST_F(SliderTest, FirstInitGivesTheRightmostFiftyPixelsToTheEchoOnce)
{
    CreateSlider(TBS_HORZ, CRect(10, 10, 210, 40));
    m_slider.InitSlider(0, 1, 0);
    EXPECT_EQ(PlaceOf(m_slider.m_hWnd), CRect(10, 10, 160, 40));
    ASSERT_NE(Echo(), nullptr);
    EXPECT_EQ(PlaceOf(Echo()), CRect(160, 10, 210, 40));
    EXPECT_EQ(EchoText(), L" 0.00");
    EXPECT_EQ(SendMessageW(Echo(), WM_GETFONT, 0, 0), m_dialog.SendMessage(WM_GETFONT))
        << "the echo takes the dialog's font";
    EXPECT_EQ(GetWindowLongW(Echo(), GWL_STYLE), static_cast<LONG>(0x50001200));

    m_slider.InitSlider(-1, 1, 0.5f);
    EXPECT_EQ(PlaceOf(m_slider.m_hWnd), CRect(10, 10, 160, 40)) << "a second init must not shrink again";
    EXPECT_EQ(EchoCount(), 1) << "a second init must not make another echo";
    EXPECT_EQ(EchoText(), L" 0.50");
}

TEST_F(SliderTest, ValuesMapOntoTheStepRangeAndOutOfRangeValuesAreRefused)
{
    CreateSlider(TBS_HORZ, CRect(10, 10, 210, 40));
    m_slider.InitSlider(-20, 20, 0);
    EXPECT_EQ(m_slider.GetPos(), 50000);
    EXPECT_EQ(EchoText(), L" 0.00");

    EXPECT_TRUE(m_slider.SetValue(20));
    EXPECT_EQ(m_slider.GetPos(), 100000);
    EXPECT_EQ(EchoText(), L" 20.00");
    EXPECT_FLOAT_EQ(m_slider.GetValue(), 20.0f);

    EXPECT_FALSE(m_slider.SetValue(20.01f));
    EXPECT_FALSE(m_slider.SetValue(-20.5f));
    EXPECT_EQ(m_slider.GetPos(), 100000);
    EXPECT_EQ(EchoText(), L" 20.00");

    EXPECT_TRUE(m_slider.SetValue(-2.7f));
    EXPECT_EQ(EchoText(), L" -2.70");
}

TEST_F(SliderTest, InvalidInitChangesNothing)
{
    CreateSlider(TBS_HORZ, CRect(10, 10, 210, 40));
    m_slider.InitSlider(0, 10, 5);
    for (const auto& [min, max, initial] : {std::tuple{1.0f, 1.0f, 1.0f}, std::tuple{0.0f, 1.0f, 2.0f},
                                            std::tuple{3.0f, 2.0f, 2.5f}, std::tuple{0.0f, 1.0f, -0.1f}}) {
        SCOPED_TRACE(testing::Message() << min << ".." << max << " at " << initial);
        m_slider.InitSlider(min, max, initial);
        EXPECT_FLOAT_EQ(m_slider.GetValue(), 5.0f);
        EXPECT_EQ(EchoText(), L" 5.00");
        EXPECT_TRUE(m_slider.SetValue(10.0f)) << "the range stays 0..10";
        m_slider.SetValue(5.0f);
    }

    TQRMFC_SliderCtrlWithEcho unbound;
    unbound.InitSlider(0, 10, 5);
    EXPECT_FALSE(unbound.SetValue(2.0f)) << "without a window the default range 0..1 is kept";
}

TEST_F(SliderTest, VerticalSliderGrowsUpwardsWithItsEchoAbove)
{
    CreateSlider(TBS_VERT, CRect(100, 20, 131, 220));
    m_slider.InitSlider(0, 62, 62);
    EXPECT_EQ(m_slider.GetPos(), 0) << "the maximum is at the top";
    EXPECT_FLOAT_EQ(m_slider.GetValue(), 62.0f);
    EXPECT_EQ(EchoText(), L" 62.00");
    // Width 31: the echo's left edge is 100 + 31 / 2 - 25 = 90.
    EXPECT_EQ(PlaceOf(Echo()), CRect(90, 20, 140, 40));
    EXPECT_EQ(PlaceOf(m_slider.m_hWnd), CRect(100, 40, 131, 220));

    static_cast<QSlider*>(WidgetOfWindow(m_slider.m_hWnd))->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_FLOAT_EQ(m_slider.GetValue(), 0.0f) << "the bottom end is the minimum";
}

TEST_F(SliderTest, UserMoveIsReflectedToTheSliderWhichRefreshesItsEcho)
{
    CreateSlider(TBS_HORZ, CRect(10, 10, 210, 40));
    m_slider.InitSlider(0, 1, 0);
    EXPECT_TRUE(m_slider.changes.empty()) << "setting values is not a move";
    static_cast<QSlider*>(WidgetOfWindow(m_slider.m_hWnd))->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_EQ(m_slider.changes.size(), 1u);
    EXPECT_FLOAT_EQ(m_slider.changes[0], 0.2f) << "a page is a fifth of the range";
    EXPECT_EQ(EchoText(), L" 0.20");
}

TEST_F(SliderTest, EchoWritesADecimalPointUnderACommaDecimalLocale)
{
    // Both the C/C++ global locale and Qt's default locale write "0,40" in German.
    std::locale german;
    try {
        german = std::locale("de_DE.UTF-8");
    } catch (const std::runtime_error&) {
        FAIL() << "the locale de_DE.UTF-8 is missing (scripts/setup installs locales-all)";
    }
    const std::locale previous = std::locale::global(german);
    const QLocale previousQt;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    CreateSlider(TBS_HORZ, CRect(10, 10, 210, 40));
    m_slider.InitSlider(0.2f, 1.0f, 0.4f);
    const std::wstring text = EchoText();

    QLocale::setDefault(previousQt);
    std::locale::global(previous);
    EXPECT_EQ(text, L" 0.40");
}

TEST_F(SliderTest, HidingTheSliderHidesItsEchoAndShowingShowsIt)
{
    CreateSlider(TBS_HORZ, CRect(10, 10, 210, 40));
    m_slider.InitSlider(0, 1, 0);
    m_slider.ShowWindow(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(Echo()));
    m_slider.ShowWindow(SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(Echo()));
}

} // namespace
