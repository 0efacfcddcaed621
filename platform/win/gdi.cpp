#include "platform/win/gdi.h"

#include "platform/win/cwnd.h"
#include "platform/win/internal/gdi_objects.h"
#include "platform/win/internal/window_table.h"

#include <QPen>

#include <map>

namespace {

int TextFlags(UINT format)
{
    int flags = Qt::AlignLeft;
    if (format & DT_CENTER) {
        flags = Qt::AlignHCenter;
    } else if (format & DT_RIGHT) {
        flags = Qt::AlignRight;
    }
    // Vertical placement applies to single lines only, as the platform's DrawText does.
    if (!(format & DT_SINGLELINE)) {
        return flags | Qt::AlignTop;
    }
    flags |= Qt::TextSingleLine;
    if (format & DT_VCENTER) {
        return flags | Qt::AlignVCenter;
    }
    if (format & DT_BOTTOM) {
        return flags | Qt::AlignBottom;
    }
    return flags | Qt::AlignTop;
}

QPainter* PainterOf(HDC dc) { return dc ? dc->painter : nullptr; }

} // namespace

QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

HFONT FontHandle(const QFont& font)
{
    static std::vector<std::unique_ptr<HFONT__>> fonts;
    for (const auto& known : fonts) {
        if (known->font == font) {
            return known.get();
        }
    }
    fonts.push_back(std::make_unique<HFONT__>(HFONT__{font}));
    return fonts.back().get();
}

CPen::CPen() = default;
CPen::CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
CPen::~CPen() = default;

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    m_pen = std::make_unique<HPEN__>(HPEN__{style, width, color});
    return TRUE;
}

HPEN CPen::GetSafeHandle() const { return m_pen.get(); }

CBrush::CBrush() = default;
CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }
CBrush::~CBrush() = default;

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    m_brush = std::make_unique<HBRUSH__>(HBRUSH__{color});
    return TRUE;
}

HBRUSH CBrush::GetSafeHandle() const { return m_brush.get(); }

COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    case COLOR_WINDOWTEXT:
    default:
        return RGB(0, 0, 0);
    }
}

HBRUSH GetSysColorBrush(int index)
{
    static std::map<int, HBRUSH__> brushes;
    auto [it, inserted] = brushes.try_emplace(index, HBRUSH__{GetSysColor(index)});
    return &it->second;
}

CDC* CDC::FromHandle(HDC dc)
{
    if (!dc) {
        return nullptr;
    }
    if (!dc->wrapper) {
        dc->wrapper = std::make_unique<CDC>(dc);
    }
    return dc->wrapper.get();
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) { FillRect(rect, brush ? brush->GetSafeHandle() : nullptr); }

void CDC::FillRect(LPCRECT rect, HBRUSH brush)
{
    if (rect && brush) {
        FillSolidRect(rect, brush->color);
    }
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    if (QPainter* painter = PainterOf(m_hDC); painter && rect) {
        painter->fillRect(ToQRect(*rect), ToQColor(color));
    }
}

CPen* CDC::SelectObject(CPen* pen)
{
    if (!m_hDC) {
        return nullptr;
    }
    CPen* previous = m_hDC->pen;
    m_hDC->pen = pen;
    return previous;
}

int CDC::SetBkMode(int mode)
{
    if (!m_hDC || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    const int previous = m_hDC->bkMode;
    m_hDC->bkMode = mode;
    return previous;
}

int CDC::GetBkMode() const { return m_hDC ? m_hDC->bkMode : 0; }

COLORREF CDC::SetTextColor(COLORREF color)
{
    if (!m_hDC) {
        return 0;
    }
    const COLORREF previous = m_hDC->textColor;
    m_hDC->textColor = color;
    return previous;
}

COLORREF CDC::GetTextColor() const { return m_hDC ? m_hDC->textColor : 0; }

COLORREF CDC::SetBkColor(COLORREF color)
{
    if (!m_hDC) {
        return 0;
    }
    const COLORREF previous = m_hDC->bkColor;
    m_hDC->bkColor = color;
    return previous;
}

COLORREF CDC::GetBkColor() const { return m_hDC ? m_hDC->bkColor : 0; }

CPoint CDC::MoveTo(int x, int y)
{
    if (!m_hDC) {
        return CPoint();
    }
    const CPoint previous(m_hDC->position.x(), m_hDC->position.y());
    m_hDC->position = QPoint(x, y);
    return previous;
}

BOOL CDC::LineTo(int x, int y)
{
    if (!m_hDC) {
        return FALSE;
    }
    const QPoint from = m_hDC->position;
    m_hDC->position = QPoint(x, y);
    QPainter* painter = m_hDC->painter;
    const HPEN pen = m_hDC->pen ? m_hDC->pen->GetSafeHandle() : nullptr;
    const HPEN__ stockBlack;
    const HPEN__& use = pen ? *pen : stockBlack;
    if (!painter || use.style == PS_NULL) {
        return painter != nullptr;
    }
    painter->save();
    painter->setPen(QPen(ToQColor(use.color), std::max(1, use.width)));
    painter->drawLine(from, m_hDC->position);
    painter->restore();
    return TRUE;
}

int CDC::DrawText(const std::wstring& text, LPRECT rect, UINT format)
{
    QPainter* painter = PainterOf(m_hDC);
    if (!painter || !rect) {
        return 0;
    }
    const QRect area = ToQRect(*rect);
    const int flags = TextFlags(format);
    const QString string = QString::fromStdWString(text);
    const QRect bounds = painter->boundingRect(area, flags, string);
    painter->save();
    if (m_hDC->bkMode == OPAQUE) {
        painter->fillRect(bounds, ToQColor(m_hDC->bkColor));
    }
    painter->setPen(ToQColor(m_hDC->textColor));
    painter->drawText(area, flags, string);
    painter->restore();
    return bounds.height();
}

BOOL CDC::DrawIcon(int x, int y, HICON icon)
{
    QPainter* painter = PainterOf(m_hDC);
    if (!painter || !icon) {
        return FALSE;
    }
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    painter->drawImage(QRect(x, y, cx, cy), icon->image);
    return TRUE;
}

CPaintDC::CPaintDC(CWnd* window)
{
    const WindowRecord* record = window ? WindowTable::Instance().Find(window->m_hWnd) : nullptr;
    if (record && record->paintDc) {
        m_hDC = record->paintDc;
        return;
    }
    m_detached = std::make_unique<HDC__>();
    m_hDC = m_detached.get();
}

CPaintDC::~CPaintDC() = default;

namespace {

std::map<UINT, std::unique_ptr<HICON__>>& Icons()
{
    static std::map<UINT, std::unique_ptr<HICON__>> icons;
    return icons;
}

} // namespace

BOOL RegisterIconResource(UINT resourceId, const IconImage& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.argb.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        return FALSE;
    }
    QImage pixels(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(pixels.scanLine(y));
        std::copy_n(image.argb.begin() + static_cast<std::ptrdiff_t>(y) * image.width, image.width, row);
    }
    auto& slot = Icons()[resourceId];
    if (!slot) {
        slot = std::make_unique<HICON__>();
    }
    slot->image = pixels;
    return TRUE;
}

HICON LoadIcon(UINT resourceId)
{
    const auto it = Icons().find(resourceId);
    return it == Icons().end() ? nullptr : it->second.get();
}

HCURSOR LoadCursorW(HINSTANCE, LPCWSTR name)
{
    static HCURSOR__ arrow{Qt::ArrowCursor};
    static HCURSOR__ cross{Qt::CrossCursor};
    if (name == IDC_ARROW) {
        return &arrow;
    }
    if (name == IDC_CROSS) {
        return &cross;
    }
    return nullptr;
}

int GetSystemMetrics(int index)
{
    constexpr int kIconSize = 32;
    return (index == SM_CXICON || index == SM_CYICON) ? kIconSize : 0;
}
