// An unattended run of the main window: after a delay, save a screenshot of the window (when a
// path is given), print the status line's last text, and close the window without a question,
// unsaved work staying in the recovery file. A screenshot that cannot be saved is reported on
// the error output and makes the run a failure, so scripts notice.
#pragma once

#include "app/run_options.h"

#include <memory>

class CMainWindow;
class QTimer;

class CUnattendedRun {
public:
    // Arms the timer when the options ask for a quit; otherwise does nothing. The window must
    // outlive this object.
    CUnattendedRun(CMainWindow& window, const CRunOptions& options);
    ~CUnattendedRun();
    CUnattendedRun(const CUnattendedRun&) = delete;
    CUnattendedRun& operator=(const CUnattendedRun&) = delete;

    bool IsArmed() const { return m_timer != nullptr; }
    // The exit code of the program: 0, or 1 when the screenshot could not be saved.
    int ExitCode() const { return m_screenshotFailed ? 1 : 0; }

private:
    void Finish();

    CMainWindow& m_window;
    std::string m_screenshotPath;
    bool m_screenshotFailed = false;
    std::unique_ptr<QTimer> m_timer;
};
