// Internal to platform/win: what the painting handles stand for.
#pragma once

#include "platform/win/gdi.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

// A device context: the painter of the window being painted (null outside a paint, then
// drawing does nothing) with the drawing attributes the system sets on it. Coordinates are
// client coordinates: the painter is already moved to the client area.
struct HDC__ {
    QPainter* painter = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    CPen* pen = nullptr;
    QPoint position;
    std::unique_ptr<CDC> wrapper;
};

struct HBRUSH__ {
    COLORREF color = 0;
};

struct HPEN__ {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct HFONT__ {
    QFont font;
};

struct HICON__ {
    QImage image;
};

struct HCURSOR__ {
    Qt::CursorShape shape = Qt::ArrowCursor;
};

QColor ToQColor(COLORREF color);
inline QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
// One shared handle per distinct font; handles live until the program ends.
HFONT FontHandle(const QFont& font);
