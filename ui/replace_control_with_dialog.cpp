#include "ui/replace_control_with_dialog.h"

bool ReplaceControlWithDialog(CWnd* parent, int placeholderId, CDialog* child, UINT templateId)
{
    CWnd* placeholder = parent->GetDlgItem(placeholderId);
    if (!placeholder) {
        return false;
    }
    CRect rect;
    placeholder->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    placeholder->DestroyWindow();
    if (!child->Create(templateId, parent)) {
        parent->MessageBox(L"Creation of control Dialog Failed!!");
        return false;
    }
    child->MoveWindow(&rect, FALSE);
    child->BringWindowToTop();
    child->ShowWindow(SW_SHOWDEFAULT);
    child->UpdateWindow();
    return true;
}
