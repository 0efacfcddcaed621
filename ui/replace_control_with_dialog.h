// Embeds a child dialog in place of a placeholder control of a parent dialog.
#pragma once

#include "platform/win/cdialog.h"

// Creates the child from its template in the placeholder's rectangle and shows it. False,
// silently, when the parent has no such control; false with a message box when the child
// cannot be created (the placeholder is gone by then).
bool ReplaceControlWithDialog(CWnd* parent, int placeholderId, CDialog* child, UINT templateId);
