#include "app/editor_settings.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kRecentFilesKey = QStringLiteral("recentFiles");
const QString kLastFolderKey = QStringLiteral("lastFolder");
const QString kGeometryKey = QStringLiteral("mainWindow/geometry");

} // namespace

QStringList CEditorSettings::RecentFiles() const
{
    QStringList files = m_settings.value(kRecentFilesKey).toStringList();
    files.removeDuplicates();
    return files.mid(0, kRecentFileCount);
}

void CEditorSettings::AddRecentFile(const QString& path)
{
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    m_settings.setValue(kRecentFilesKey, files.mid(0, kRecentFileCount));
}

void CEditorSettings::RemoveRecentFile(const QString& path)
{
    QStringList files = RecentFiles();
    files.removeAll(path);
    m_settings.setValue(kRecentFilesKey, files);
}

QString CEditorSettings::LastFolder() const { return m_settings.value(kLastFolderKey).toString(); }

void CEditorSettings::RememberFolderOf(const QString& path)
{
    m_settings.setValue(kLastFolderKey, QFileInfo(path).absolutePath());
}

QByteArray CEditorSettings::WindowGeometry() const { return m_settings.value(kGeometryKey).toByteArray(); }

void CEditorSettings::SetWindowGeometry(const QByteArray& geometry) { m_settings.setValue(kGeometryKey, geometry); }
