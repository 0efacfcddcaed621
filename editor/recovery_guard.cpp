#include "editor/recovery_guard.h"

#include "editor/recovery_file.h"
#include "editor/terrain_document.h"

#include <QLockFile>
#include <QStandardPaths>
#include <QString>

#include <filesystem>

namespace {

// The lock beside the file when no other running editor holds it; null otherwise.
std::unique_ptr<QLockFile> LockFileAt(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(path + ".lock"));
    // However long an editor runs, its lock holds; only the lock of an editor that is no longer
    // running counts as stale.
    lock->setStaleLockTime(std::chrono::milliseconds(0));
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}

} // namespace

CRecoveryGuard::CRecoveryGuard(CTerrainDocument& document, std::string path, std::unique_ptr<IIntervalTimer> timer)
    : m_document(document), m_path(std::move(path)), m_timer(std::move(timer)), m_lock(LockFileAt(m_path))
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
    if (!OwnsFile() || !m_document.IsModified()) {
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
    if (!OwnsFile()) {
        return;
    }
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
