// The one-line status text of the main window. Graphics resources, views and the dialog report
// through ShowStatus; the main dialog installs the sink that writes into its status line.
#pragma once

#include <functional>
#include <string>

using TQR_StatusSink = std::function<void(const std::wstring&)>;

// Replaces the status line's text; does nothing while no sink is installed.
void ShowStatus(const std::wstring& text);
// Installs the sink (an empty function removes it).
void SetStatusSink(TQR_StatusSink sink);
