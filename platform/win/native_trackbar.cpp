// The trackbar class over QSlider, with the platform's integer semantics: a range and a
// position, line and page sizes, a vertical trackbar with its minimum at the top (QSlider puts
// it at the bottom, so the vertical slider is shown and driven inverted). User moves send
// WM_HSCROLL or WM_VSCROLL to the parent with the scroll code and the trackbar's handle;
// setting the position by message sends nothing. Tick marks follow TBS_NOTICKS, TBS_BOTH,
// TBS_TOP/TBS_LEFT and TBS_AUTOTICKS (ticks at the tick frequency; otherwise only at the ends).
// Left out: selection ranges, custom tick positions, tool tips, buddy windows.
#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

#include <QSlider>

namespace {

UINT ScrollCode(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return TB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub:
        return TB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return TB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return TB_PAGEUP;
    case QAbstractSlider::SliderToMinimum:
        return TB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return TB_BOTTOM;
    case QAbstractSlider::SliderMove:
    default:
        return TB_THUMBTRACK;
    }
}

QSlider::TickPosition TickPositionOf(DWORD style)
{
    if (style & TBS_NOTICKS) {
        return QSlider::NoTicks;
    }
    if (style & TBS_BOTH) {
        return QSlider::TicksBothSides;
    }
    // TBS_TOP and TBS_LEFT share one bit; QSlider's TicksAbove and TicksLeft are the same too.
    return (style & TBS_TOP) ? QSlider::TicksAbove : QSlider::TicksBelow;
}

class TrackbarWindow final : public NativeWindow {
public:
    TrackbarWindow(QSlider* slider, DWORD style) : NativeWindow(slider), m_slider(slider), m_style(style)
    {
        slider->setRange(0, 100); // the platform's initial range
        slider->setTickPosition(TickPositionOf(style));
        if (style & TBS_VERT) {
            slider->setInvertedAppearance(true);
            slider->setInvertedControls(true);
        }
        ApplySizes();
    }

    void SetHandle(HWND handle) override
    {
        NativeWindow::SetHandle(handle);
        QObject::connect(m_slider, &QAbstractSlider::actionTriggered, m_slider, [handle](int action) {
            Of(handle, [action](TrackbarWindow& t) { t.m_pendingCode = ScrollCode(action); });
        });
        QObject::connect(m_slider, &QAbstractSlider::valueChanged, m_slider,
                         [handle](int) { Of(handle, [](TrackbarWindow& t) { t.UserMoved(); }); });
        QObject::connect(m_slider, &QAbstractSlider::sliderReleased, m_slider, [handle] {
            Of(handle, [](TrackbarWindow& t) {
                t.Notify(TB_THUMBPOSITION);
                t.Notify(TB_ENDTRACK);
            });
        });
    }

    LRESULT DefProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_slider) {
            return 0;
        }
        switch (message) {
        case TBM_GETPOS:
            return m_slider->value();
        case TBM_GETRANGEMIN:
            return m_slider->minimum();
        case TBM_GETRANGEMAX:
            return m_slider->maximum();
        case TBM_SETPOS:
            Quietly([&] { m_slider->setValue(static_cast<int>(lParam)); });
            return 0;
        case TBM_SETRANGE:
            SetRange(static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                     static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam))));
            return 0;
        case TBM_SETRANGEMIN:
            SetRange(static_cast<int>(lParam), m_slider->maximum());
            return 0;
        case TBM_SETRANGEMAX:
            SetRange(m_slider->minimum(), static_cast<int>(lParam));
            return 0;
        case TBM_SETTICFREQ:
            m_ticFrequency = std::max(1, static_cast<int>(wParam));
            ApplySizes();
            return 0;
        case TBM_SETLINESIZE:
            return Exchange(m_lineSize, static_cast<int>(lParam));
        case TBM_GETLINESIZE:
            return m_lineSize;
        case TBM_SETPAGESIZE:
            return Exchange(m_pageSize, static_cast<int>(lParam));
        case TBM_GETPAGESIZE:
            return PageSize();
        default:
            return NativeWindow::DefProc(message, wParam, lParam);
        }
    }

private:
    template <class Action> static void Of(HWND handle, Action action)
    {
        if (const WindowRecord* record = WindowTable::Instance().Find(handle)) {
            action(static_cast<TrackbarWindow&>(*record->native));
        }
    }

    template <class Change> void Quietly(Change change)
    {
        const bool wasQuiet = m_quiet;
        m_quiet = true;
        change();
        m_quiet = wasQuiet;
    }

    void SetRange(int minimum, int maximum)
    {
        Quietly([&] { m_slider->setRange(minimum, maximum); });
        ApplySizes();
    }

    LRESULT Exchange(int& size, int value)
    {
        const int previous = size == kUnset ? PageSize() : size;
        size = value;
        ApplySizes();
        return previous;
    }

    // Without an explicit page size the platform pages by a fifth of the range.
    int PageSize() const
    {
        return m_pageSize != kUnset ? m_pageSize : std::max(1, (m_slider->maximum() - m_slider->minimum()) / 5);
    }

    // Ticks closer than a widget can show (a frequency of 1 over 100000 steps) are thinned to
    // at most kMaxTicks; the position semantics do not depend on them.
    void ApplySizes()
    {
        m_slider->setSingleStep(m_lineSize);
        m_slider->setPageStep(PageSize());
        const int span = std::max(1, m_slider->maximum() - m_slider->minimum());
        const int autoInterval = std::max(m_ticFrequency, span / kMaxTicks);
        m_slider->setTickInterval((m_style & TBS_AUTOTICKS) ? autoInterval : span);
    }

    void UserMoved()
    {
        if (!m_quiet) {
            Notify(m_pendingCode);
        }
        m_pendingCode = TB_THUMBTRACK;
    }

    void Notify(UINT code)
    {
        const HWND self = Handle();
        const bool thumb = code == TB_THUMBTRACK || code == TB_THUMBPOSITION;
        const auto position = static_cast<WORD>(thumb ? m_slider->value() : 0);
        SendMessageW(GetParent(self), (m_style & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL,
                     MAKEWPARAM(static_cast<WORD>(code), position), reinterpret_cast<LPARAM>(self));
    }

    static constexpr int kUnset = -1;
    static constexpr int kMaxTicks = 100;

    QPointer<QSlider> m_slider;
    DWORD m_style = 0;
    int m_lineSize = 1;
    int m_pageSize = kUnset;
    int m_ticFrequency = 1;
    UINT m_pendingCode = TB_THUMBTRACK;
    bool m_quiet = false;
};

} // namespace

std::unique_ptr<NativeWindow> MakeTrackbarWindow(const NativeCreateParams& params, QWidget* parentWidget)
{
    auto* slider = new QSlider((params.style & TBS_VERT) ? Qt::Vertical : Qt::Horizontal, parentWidget);
    return std::make_unique<TrackbarWindow>(slider, params.style);
}
