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
    // The placeholder is already gone and callers only learn "false": the box over the parent
    // tells the user why the embedded panel is missing, as this helper's contract has it.
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
