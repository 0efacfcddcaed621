// Painting: device contexts, brushes, pens, icons and cursors of the window system, drawn with
// Qt's painter.
// Implements: CDC (fill, solid pens with MoveTo/LineTo, text and background colours,
// transparent/opaque background mode, DrawText with the alignment and single-line flags, icons),
// CPaintDC (the device context of the window being painted), CBrush and CPen (solid), system
// colours and brushes, icons registered as pixel images under a resource id (LoadIcon), the
// arrow and cross cursors (LoadCursorW), icon metrics.
// Leaves out: fonts as objects (windows exchange HFONT handles through WM_GETFONT/WM_SETFONT),
// bitmaps, regions, hatched brushes, dashed pens, mapping modes, printing. Drawing outside a
// paint (a CPaintDC made when the window is not painting) draws nothing.
#pragma once

#include "platform/win/win_defs.h"
#include "platform/win/win_geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CWnd;

class CPen {
public:
    CPen();
    CPen(int style, int width, COLORREF color);
    ~CPen();
    CPen(const CPen&) = delete;
    CPen& operator=(const CPen&) = delete;

    BOOL CreatePen(int style, int width, COLORREF color);
    HPEN GetSafeHandle() const;
    operator HPEN() const { return GetSafeHandle(); }

private:
    std::unique_ptr<HPEN__> m_pen;
};

class CBrush {
public:
    CBrush();
    explicit CBrush(COLORREF color);
    ~CBrush();
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    BOOL CreateSolidBrush(COLORREF color);
    HBRUSH GetSafeHandle() const;
    operator HBRUSH() const { return GetSafeHandle(); }

private:
    std::unique_ptr<HBRUSH__> m_brush;
};

COLORREF GetSysColor(int index);
// Shared brushes of the system colours; never deleted.
HBRUSH GetSysColorBrush(int index);

class CDC {
public:
    explicit CDC(HDC dc = nullptr) : m_hDC(dc) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // The object for a device-context handle; it lives as long as the device context.
    static CDC* FromHandle(HDC dc);
    HDC GetSafeHdc() const { return m_hDC; }

    void FillRect(LPCRECT rect, CBrush* brush);
    void FillRect(LPCRECT rect, HBRUSH brush);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    // Returns the previously selected pen; null stands for the default black pen.
    CPen* SelectObject(CPen* pen);
    int SetBkMode(int mode);
    int GetBkMode() const;
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    // Returns the height of the drawn text, 0 when nothing could be drawn.
    int DrawText(const std::wstring& text, LPRECT rect, UINT format);
    BOOL DrawIcon(int x, int y, HICON icon);

    HDC m_hDC = nullptr;
};

// The device context of a window's WM_PAINT. Outside of a paint it draws nothing.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

private:
    std::unique_ptr<HDC__> m_detached;
};

// An icon image: rows top first, pixels 0xAARRGGBB.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// Makes an icon available under a resource id; false for an image whose pixel count does not
// match its size. A later registration under the same id replaces the image.
BOOL RegisterIconResource(UINT resourceId, const IconImage& image);
// The icon registered under the id, or null.
HICON LoadIcon(UINT resourceId);
// Cursors the system knows by name (IDC_ARROW, IDC_CROSS); null for any other name.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
// SM_CXICON and SM_CYICON (32); 0 for other indices.
int GetSystemMetrics(int index);
