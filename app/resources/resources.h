// The program's resources as data: dialog templates and icons, made available to the window
// system under their ids. Each template lives in a file of its own and is listed here.
#pragma once

#include "platform/win/dialog_template.h"
#include "platform/win/gdi.h"

#include <span>

// The main window (IDD_TUTORIAL_DIALOG).
DialogTemplate MainDialogTemplate();
// The tool tip of each of the main dialog's controls that has an id.
struct ControlToolTip {
    int id;
    const wchar_t* text;
};
std::span<const ControlToolTip> MainDialogToolTips();
// The program's icon (IDR_MAINFRAME), 32 by 32, or size by size for the desktop's icon sizes
// (the same picture, each pixel the average of 3 x 3 samples): a green relief under a sky with
// a sun.
IconImage ReliefIconImage(int size = 32);

// Registers every template and icon above, and the panels' templates; call once before the first dialog is created.
void RegisterReliefResources();
