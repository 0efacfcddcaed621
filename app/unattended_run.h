// An unattended run of a modal dialog: after a delay, save a screenshot of the dialog (when a
// path is given) and end the dialog as its OK button would. A screenshot that cannot be saved
// is reported on the error output and makes the run a failure, so scripts notice.
#pragma once

#include "app/run_options.h"

#include <memory>

class CDialog;
class QTimer;

class CUnattendedRun {
public:
    // Arms the timer when the options ask for a quit; otherwise does nothing. The dialog must
    // outlive this object.
    CUnattendedRun(CDialog& dialog, const CRunOptions& options);
    ~CUnattendedRun();
    CUnattendedRun(const CUnattendedRun&) = delete;
    CUnattendedRun& operator=(const CUnattendedRun&) = delete;

    // The exit code of the program: 0, or 1 when the screenshot could not be saved.
    int ExitCode() const { return m_screenshotFailed ? 1 : 0; }

private:
    void Finish();

    CDialog& m_dialog;
    std::string m_screenshotPath;
    bool m_screenshotFailed = false;
    std::unique_ptr<QTimer> m_timer;
};
