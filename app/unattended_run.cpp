#include "app/unattended_run.h"

#include "app/main_window.h"
#include "app/resources/main_dialog_ids.h"
#include "app/window_image.h"
#include "platform/win/win_api.h"

#include <QString>
#include <QTimer>

#include <cstdio>

CUnattendedRun::CUnattendedRun(CMainWindow& window, const CRunOptions& options)
    : m_window(window), m_screenshotPath(options.screenshotPath)
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
    if (!m_window.isVisible()) {
        return;
    }
    if (!m_screenshotPath.empty()) {
        if (const Result<> saved = SaveWidgetImage(m_window, m_screenshotPath)) {
            std::printf("Screenshot saved to %s\n", m_screenshotPath.c_str());
        } else {
            m_screenshotFailed = true;
            std::fprintf(stderr, "Screenshot failed: %s\n", saved.reason().c_str());
        }
    }
    const std::wstring status = GetWindowTextString(::GetDlgItem(m_window.Dialog().GetSafeHwnd(), IDC_STATUS));
    std::printf("Status line: %s\n", QString::fromStdWString(status).toUtf8().constData());
    std::fflush(stdout);
    m_window.CloseUnattended();
}
