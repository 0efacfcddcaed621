#include "platform/win/cdialog.h"

#include "platform/win/dialog_template.h"
#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

#include <QEventLoop>

void DDX_Control(CDataExchange* exchange, int id, CWnd& control)
{
    if (!control.m_hWnd) {
        control.SubclassDlgItem(static_cast<UINT>(id), exchange->m_pDlgWnd);
    }
}

void DDX_Check(CDataExchange* exchange, int id, int& value)
{
    if (exchange->m_bSaveAndValidate) {
        value = static_cast<int>(exchange->m_pDlgWnd->IsDlgButtonChecked(id));
    } else {
        exchange->m_pDlgWnd->CheckDlgButton(id, value ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DDX_Text(CDataExchange* exchange, int id, std::wstring& value)
{
    const HWND control = ::GetDlgItem(exchange->m_pDlgWnd->m_hWnd, id);
    if (exchange->m_bSaveAndValidate) {
        value = GetWindowTextString(control);
    } else {
        SetWindowTextW(control, value.c_str());
    }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_templateId);
    if (!dialogTemplate || m_hWnd) {
        return -1;
    }
    m_modalResult = -1;
    m_ended = false;
    const HWND owner = m_parent ? m_parent->m_hWnd : nullptr;
    if (!CreateDialogWindow(*dialogTemplate, owner, this, true)) {
        return -1;
    }
    if (!m_ended && m_hWnd) {
        QWidget* widget = WindowTable::Instance().Find(m_hWnd)->native->Widget();
        widget->setWindowModality(Qt::ApplicationModal);
        QEventLoop loop;
        m_modalLoop = &loop;
        widget->show();
        loop.exec();
        m_modalLoop = nullptr;
    }
    DestroyWindow();
    return m_modalResult;
}

const DialogTemplate* CDialog::PrepareCreate(UINT templateId, CWnd* parent)
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId);
    if (!dialogTemplate || m_hWnd) {
        return nullptr;
    }
    m_templateId = templateId;
    m_parent = parent;
    m_ended = false;
    return dialogTemplate;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    const DialogTemplate* dialogTemplate = PrepareCreate(templateId, parent);
    if (!dialogTemplate) {
        return FALSE;
    }
    if (!CreateDialogWindow(*dialogTemplate, parent ? parent->m_hWnd : nullptr, this, false)) {
        return FALSE;
    }
    if (dialogTemplate->style & WS_VISIBLE) {
        ShowWindow(SW_SHOW);
    }
    return TRUE;
}

BOOL CDialog::CreateInWidget(UINT templateId, QWidget* host)
{
    const DialogTemplate* dialogTemplate = PrepareCreate(templateId, nullptr);
    return dialogTemplate && CreateDialogWindowInWidget(*dialogTemplate, host, this) != nullptr;
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    m_ended = true;
    if (m_modalLoop) {
        m_modalLoop->exit();
    } else {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog() { return UpdateData(FALSE); }

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK()
{
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_INITDIALOG) {
        *result = OnInitDialog();
        return TRUE;
    }
    if (message == WM_DESTROY && m_modalLoop) {
        // A modal dialog destroyed from inside its run ends the run.
        m_modalLoop->exit();
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam)) {
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}
