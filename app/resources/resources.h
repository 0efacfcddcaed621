// The program's resources as data: dialog templates and icons, made available to the window
// system under their ids. Each template lives in a file of its own and is listed here.
#pragma once

#include "platform/win/dialog_template.h"
#include "platform/win/gdi.h"

// The main window (IDD_TUTORIAL_DIALOG).
DialogTemplate MainDialogTemplate();
// The program's icon (IDR_MAINFRAME), 32 by 32: a green relief under a sky with a sun.
IconImage ReliefIconImage();

// Registers every template and icon above, and the panels' templates; call once before the first dialog is created.
void RegisterReliefResources();
