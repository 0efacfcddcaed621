#include "ui/slider_ctrl_with_echo.h"

#include "platform/win/win_api.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

namespace {

constexpr int kEchoWidth = 50;
constexpr int kEchoHeight = 20;
constexpr UINT kEchoId = 0xFFFF;
// The echo shows two decimals.
constexpr float kEchoScale = 100.0f;

} // namespace

int TruncatedEchoValue(float value) { return static_cast<int>(std::round(value * kEchoScale) / kEchoScale); }

TQRMFC_SliderCtrlWithEcho::TQRMFC_SliderCtrlWithEcho() = default;

TQRMFC_SliderCtrlWithEcho::~TQRMFC_SliderCtrlWithEcho() = default;

void TQRMFC_SliderCtrlWithEcho::InitSlider(float min, float max, float initial)
{
    if (!IsWindow(m_hWnd) || !(min < max) || !(min <= initial && initial <= max)) {
        return;
    }
    if (!IsWindow(m_echo.m_hWnd) && GetParent()) {
        CreateEcho();
    }
    m_minimum = min;
    m_span = max - min;
    SetRange(0, m_stepCount, TRUE);
    SetValue(initial);
    UpdateEcho();
}

// The echo takes the rightmost 50 pixels of a horizontal trackbar, or a 50 by 20 strip
// centred over the top of a vertical one; the trackbar shrinks by that much.
void TQRMFC_SliderCtrlWithEcho::CreateEcho()
{
    CWnd* parent = GetParent();
    CRect slider;
    GetWindowRect(&slider);
    CRect echo;
    if (!IsVertical()) {
        echo = CRect(slider.right - kEchoWidth, slider.top, slider.right, slider.bottom);
        slider.right -= kEchoWidth;
    } else {
        const int left = slider.left + slider.Width() / 2 - kEchoWidth / 2;
        echo = CRect(left, slider.top, left + kEchoWidth, slider.top + kEchoHeight);
        slider.top += kEchoHeight;
    }
    parent->ScreenToClient(&slider);
    parent->ScreenToClient(&echo);
    m_echo.Create(L"XXXX", WS_CHILD | WS_VISIBLE | SS_SUNKEN | SS_CENTERIMAGE, echo, parent, kEchoId);
    MoveWindow(&slider, TRUE);
    m_echo.SendMessage(WM_SETFONT, static_cast<WPARAM>(parent->SendMessage(WM_GETFONT)), TRUE);
}

int TQRMFC_SliderCtrlWithEcho::ValueToPosition(float value) const
{
    const float scaled = (value - m_minimum) * static_cast<float>(m_stepCount) / m_span;
    const int position = static_cast<int>(scaled + 0.5);
    return IsVertical() ? m_stepCount - position : position;
}

float TQRMFC_SliderCtrlWithEcho::PositionToValue(int position) const
{
    return static_cast<float>(static_cast<double>(position) / m_stepCount * m_span + m_minimum);
}

float TQRMFC_SliderCtrlWithEcho::GetValue() const
{
    const int position = GetPos();
    return PositionToValue(IsVertical() ? m_stepCount - position : position);
}

bool TQRMFC_SliderCtrlWithEcho::SetValue(float value)
{
    if (value < m_minimum || value > m_minimum + m_span) {
        return false;
    }
    SetPos(ValueToPosition(value));
    UpdateEcho();
    return true;
}

void TQRMFC_SliderCtrlWithEcho::UpdateEcho()
{
    if (!IsWindow(m_echo.m_hWnd)) {
        return;
    }
    // " %.2f", always with a decimal point, as the status texts and height files write
    // numbers: std::to_chars ignores the C and C++ locales that printf would follow.
    char digits[32];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), static_cast<double>(GetValue()),
                                   std::chars_format::fixed, 2)
                         .ptr;
    m_echo.SetWindowText((L" " + std::wstring(digits, end)).c_str());
}

bool TQRMFC_SliderCtrlWithEcho::IsVertical() const { return IsWindow(m_hWnd) && (GetStyle() & TBS_VERT); }

void TQRMFC_SliderCtrlWithEcho::ValueChanged(float) {}

void TQRMFC_SliderCtrlWithEcho::Scrolled()
{
    const float value = GetValue();
    UpdateEcho();
    ValueChanged(value);
}

void TQRMFC_SliderCtrlWithEcho::HScroll(UINT, UINT) { Scrolled(); }

void TQRMFC_SliderCtrlWithEcho::VScroll(UINT, UINT) { Scrolled(); }

void TQRMFC_SliderCtrlWithEcho::OnShowWindow(BOOL show, UINT status)
{
    CSliderCtrl::OnShowWindow(show, status);
    if (IsWindow(m_echo.m_hWnd)) {
        m_echo.ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
}
