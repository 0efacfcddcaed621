#include "app/tutorial_app.h"

#include "app/main_window.h"
#include "app/resources/resources.h"
#include "app/unattended_run.h"
#include "platform/win/win_api.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace {

RecoveryChoice ChoiceOf(const CRunOptions& options)
{
    if (options.recovery == "restore") {
        return RecoveryChoice::Restore;
    }
    if (options.recovery == "discard") {
        return RecoveryChoice::Discard;
    }
    // Nobody is there to answer in an unattended run.
    return options.quitAfterMs >= 0 ? RecoveryChoice::Keep : RecoveryChoice::Ask;
}

} // namespace

CTutorialApp::CTutorialApp(CRunOptions options, EditorPlaces places)
    : CWinApp(L"Relief"), m_options(std::move(options)), m_places(std::move(places))
{
    SetWorldApplication(this);
}

CTutorialApp::~CTutorialApp() { SetWorldApplication(nullptr); }

BOOL CTutorialApp::InitInstance()
{
    InitCommonControls();
    CWinApp::InitInstance();
    RegisterReliefResources();
    // Names the user's data folder, where the recovery file lives.
    QCoreApplication::setApplicationName(QStringLiteral("relief"));
    m_settings = m_places.settingsFile.empty()
                     ? std::make_unique<QSettings>(QStringLiteral("relief"), QStringLiteral("relief"))
                     : std::make_unique<QSettings>(QString::fromStdString(m_places.settingsFile), QSettings::IniFormat);
    const std::string recovery = m_places.recoveryFile.empty() ? CRecoveryGuard::StandardPath() : m_places.recoveryFile;
    m_window = std::make_unique<CMainWindow>(m_world, *m_settings, recovery);
    m_window->SetClosedListener([] { QCoreApplication::quit(); });
    m_pMainWnd = &m_window->Dialog();
    m_window->show();
    if (!m_options.file.empty()) {
        m_window->Commands().OpenFile(
            QFileInfo(QString::fromStdString(m_options.file)).absoluteFilePath().toStdWString());
    }
    m_window->HandleRecoveredWork(ChoiceOf(m_options));
    m_unattended = std::make_unique<CUnattendedRun>(*m_window, m_options);
    return TRUE;
}

int CTutorialApp::ExitInstance()
{
    const int exitCode = m_unattended ? m_unattended->ExitCode() : 0;
    m_unattended.reset();
    m_pMainWnd = nullptr;
    m_window.reset();
    m_settings.reset();
    return exitCode;
}
