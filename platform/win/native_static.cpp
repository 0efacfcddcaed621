// The "Static" class: a text label. Before each paint it asks its parent for colours with
// WM_CTLCOLORSTATIC, so a dialog's OnCtlColor can change the text colour and background mode.
// Text statics only (left, centred, right, vertically centred); no icon, bitmap or frame types.
#include "platform/win/internal/gdi_objects.h"
#include "platform/win/internal/native_window.h"
#include "platform/win/win_api.h"

namespace {

int TextFlags(DWORD style)
{
    int flags = Qt::AlignLeft;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        flags = Qt::AlignHCenter;
        break;
    case SS_RIGHT:
        flags = Qt::AlignRight;
        break;
    default:
        break;
    }
    if (style & SS_CENTERIMAGE) {
        return flags | Qt::AlignVCenter | Qt::TextSingleLine;
    }
    return flags | Qt::AlignTop | Qt::TextWordWrap;
}

class StaticWidget final : public QWidget {
public:
    StaticWidget(QWidget* parent, DWORD style, DWORD exStyle) : QWidget(parent), m_style(style), m_exStyle(exStyle) {}

    void SetHandle(HWND handle) { m_handle = handle; }
    // Repaints only when the text changes: echo labels are rewritten on every timer tick.
    void SetText(const std::wstring& text)
    {
        QString next = QString::fromStdWString(text);
        if (next == m_text) {
            return;
        }
        m_text = std::move(next);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        HDC__ dc;
        dc.painter = &painter;
        const HWND parent = GetParent(m_handle);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(&dc), reinterpret_cast<LPARAM>(m_handle)));
        if (brush) {
            painter.fillRect(rect(), ToQColor(brush->color));
        }
        const int edge = PaintEdge(painter);
        const QRect area = rect().adjusted(edge, edge, -edge, -edge);
        const int flags = TextFlags(m_style);
        if (dc.bkMode == OPAQUE) {
            painter.fillRect(painter.boundingRect(area, flags, m_text), ToQColor(dc.bkColor));
        }
        painter.setPen(ToQColor(dc.textColor));
        painter.drawText(area, flags, m_text);
    }

private:
    // Draws the border styles and returns their width.
    int PaintEdge(QPainter& painter)
    {
        const QRect outline = rect().adjusted(0, 0, -1, -1);
        if (m_style & WS_BORDER) {
            painter.setPen(Qt::black);
            painter.drawRect(outline);
            return 1;
        }
        if ((m_style & SS_SUNKEN) || (m_exStyle & WS_EX_STATICEDGE)) {
            painter.setPen(QColor(160, 160, 160));
            painter.drawLine(outline.topLeft(), outline.topRight());
            painter.drawLine(outline.topLeft(), outline.bottomLeft());
            painter.setPen(Qt::white);
            painter.drawLine(outline.bottomLeft(), outline.bottomRight());
            painter.drawLine(outline.topRight(), outline.bottomRight());
            return 1;
        }
        return 0;
    }

    HWND m_handle = nullptr;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    QString m_text;
};

class StaticWindow final : public NativeWindow {
public:
    explicit StaticWindow(StaticWidget* widget) : NativeWindow(widget), m_widget(widget) {}

    void SetHandle(HWND handle) override
    {
        NativeWindow::SetHandle(handle);
        m_widget->SetHandle(handle);
    }

protected:
    void ApplyText() override
    {
        if (m_widget) {
            m_widget->SetText(Text());
        }
    }

private:
    QPointer<StaticWidget> m_widget;
};

} // namespace

std::unique_ptr<NativeWindow> MakeStaticWindow(const NativeCreateParams& params, QWidget* parentWidget)
{
    return std::make_unique<StaticWindow>(new StaticWidget(parentWidget, params.style, params.exStyle));
}
