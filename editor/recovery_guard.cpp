#include "editor/recovery_guard.h"

#include "editor/recovery_file.h"
#include "editor/terrain_document.h"

#include <QStandardPaths>

#include <filesystem>

CRecoveryGuard::CRecoveryGuard(CTerrainDocument& document, std::string path, std::unique_ptr<IIntervalTimer> timer)
    : m_document(document), m_path(std::move(path)), m_timer(std::move(timer))
{
    m_timer->Start(kInterval, [this] { (void)Secure(); });
    m_document.SetBeforeRiskyStep([this] { (void)Secure(); });
    m_listener = m_document.AddChangeListener([this] { DocumentChanged(); });
}

CRecoveryGuard::~CRecoveryGuard()
{
    m_document.SetBeforeRiskyStep({});
    m_document.RemoveChangeListener(m_listener);
}

Result<> CRecoveryGuard::Secure()
{
    if (!m_document.IsModified()) {
        return {};
    }
    Result<> written = WriteRecoveryFile(m_path, m_document.Work());
    if (!written && m_onFailure) {
        m_onFailure(written.reason());
    }
    m_wrote = m_wrote || written.ok();
    return written;
}

void CRecoveryGuard::Release()
{
    if (m_wrote) {
        Remove();
    }
}

void CRecoveryGuard::Remove()
{
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
    m_wrote = false;
}

void CRecoveryGuard::DocumentChanged()
{
    if (!m_document.IsModified()) {
        Release();
    }
}

std::string CRecoveryGuard::StandardPath()
{
    return (QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery.relief"))
        .toStdString();
}
