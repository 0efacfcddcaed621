// The view window: a child window that takes the place of a placeholder control in a dialog
// and hosts a view. It draws nothing of its own; it forwards painting and mouse input to the
// attached window handler, and shows the frames the handler's swap chain presents into it.
#pragma once

#include "platform/win/cwnd.h"
#include "ui/iwindow_handler.h"

class TQRMFC_UIWindow : public CWnd {
public:
    // With ownerDraws true, painting never asks the handler to draw: the owner redraws the
    // view by other means (a timer).
    explicit TQRMFC_UIWindow(bool ownerDraws);
    ~TQRMFC_UIWindow() override;

    // Creates this window in place of the dialog's control, taking over its rectangle, id and
    // styles. False, silently, when the dialog has no such control; false with a message box
    // when the window cannot be created (the placeholder is gone by then).
    bool ReplaceDialogControl(HWND dialog, int controlId);
    // Attaches a handler (not owned): detaches the previous one and binds the new one to this
    // window. False with a message box when the handler refuses the window; no handler is
    // attached then. Before the window exists the handler is only recorded.
    bool AttachViewport(TQR_IWindowHandler* handler);
    TQR_IWindowHandler* GetHandler() const { return m_handler; }

protected:
    // Registers the view class (redraw on resize, double clicks, own device context, arrow
    // cursor, no background) and clips siblings and children.
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMButtonDown(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMButtonUp(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;

private:
    void ButtonDown(UINT flags, CPoint point);
    // The platform clears the released button's flag; it is set again so that the handler
    // knows which button went up.
    void ButtonUp(UINT releasedFlag, UINT flags, CPoint point);
    void PaintPlaceholder(CDC& dc);

    TQR_IWindowHandler* m_handler = nullptr;
    bool m_ownerDraws = false;
};
