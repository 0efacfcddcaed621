// An unattended run of a modal dialog: after a delay, save a screenshot of the dialog (when a
// path is given) and end the dialog as its OK button would.
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

private:
    void Finish();

    CDialog& m_dialog;
    std::string m_screenshotPath;
    std::unique_ptr<QTimer> m_timer;
};
