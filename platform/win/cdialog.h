// Dialogs built from registered templates (dialog_template.h), and dialog data exchange.
// Implements: CDialog with modal runs (DoModal: a nested Qt event loop, ended by EndDialog,
// returns the EndDialog value, IDOK/IDCANCEL from the standard handlers, -1 when the template
// is missing), modeless creation (Create, child dialogs inside a parent or a Qt widget), the OnInitDialog hook
// (runs once the controls exist; the default exchanges data towards the controls, which binds
// DDX_Control members), OnOK/OnCancel (also Enter/Escape and the frame's close button),
// UpdateData/DoDataExchange, and the DDX helpers DDX_Control, DDX_Check, DDX_Text (strings).
// Leaves out: dialog data validation (DDV), DDX for numbers, radio-group DDX, property sheets,
// dialog navigation messages.
#pragma once

#include "platform/win/cwnd.h"

#include <string>

class QEventLoop;
class QWidget;
struct DialogTemplate;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
};

// Binds the control object to the dialog's control with that id (once).
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
// A check box as 0 or 1.
void DDX_Check(CDataExchange* exchange, int id, int& value);
// A control's text.
void DDX_Text(CDataExchange* exchange, int id, std::wstring& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally and destroys its window afterwards.
    virtual INT_PTR DoModal();
    // Creates the dialog modelessly; it is shown at once when its template has WS_VISIBLE.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Creates the dialog as a hidden child control of a Qt widget that is not a window of this
    // layer (a main window's central widget), whatever frame its template has. Escape and Enter
    // are then the host's keys: they no longer cancel or end the dialog.
    BOOL CreateInWidget(UINT templateId, QWidget* host);
    using CWnd::Create;
    // Ends a modal run with the result; hides a modeless dialog.
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* exchange);
    virtual void OnOK();
    virtual void OnCancel();
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Registered handlers first, then IDOK and IDCANCEL to OnOK and OnCancel.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The template to build the dialog from, with the dialog set up to show it under parent;
    // null, changing nothing, for an unknown template or a dialog that has its window already.
    const DialogTemplate* PrepareCreate(UINT templateId, CWnd* parent);

    UINT m_templateId = 0;
    CWnd* m_parent = nullptr;
    int m_modalResult = -1;
    bool m_ended = false;
    QEventLoop* m_modalLoop = nullptr;
};
