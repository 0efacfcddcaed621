#include "app/unattended_run.h"

#include "app/window_image.h"
#include "platform/win/cdialog.h"
#include "platform/win/win_api.h"

#include <QTimer>

#include <cstdio>

CUnattendedRun::CUnattendedRun(CDialog& dialog, const CRunOptions& options)
    : m_dialog(dialog), m_screenshotPath(options.screenshotPath)
{
    if (options.quitAfterMs < 0) {
        return;
    }
    m_timer = std::make_unique<QTimer>();
    m_timer->setSingleShot(true);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] { Finish(); });
    m_timer->start(options.quitAfterMs);
}

CUnattendedRun::~CUnattendedRun() = default;

void CUnattendedRun::Finish()
{
    if (!IsWindow(m_dialog.GetSafeHwnd())) {
        return;
    }
    if (!m_screenshotPath.empty()) {
        if (const Result<> saved = SaveWindowImage(m_dialog.GetSafeHwnd(), m_screenshotPath)) {
            std::printf("Screenshot saved to %s\n", m_screenshotPath.c_str());
        } else {
            m_screenshotFailed = true;
            std::fprintf(stderr, "Screenshot failed: %s\n", saved.reason().c_str());
        }
        std::fflush(stdout);
    }
    m_dialog.EndDialog(IDOK);
}
