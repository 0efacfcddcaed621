// What the editor keeps between runs, in QSettings: the main window's geometry, the folder of
// the last file chosen and the eight most recently used height files.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSettings;

class CEditorSettings {
public:
    static constexpr int kRecentFileCount = 8;

    // The settings object must outlive this one.
    explicit CEditorSettings(QSettings& settings) : m_settings(settings) {}

    // Most recent first, at most kRecentFileCount, each path once.
    QStringList RecentFiles() const;
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);
    // Empty until a file was chosen.
    QString LastFolder() const;
    // The folder of path becomes the last folder.
    void RememberFolderOf(const QString& path);
    QByteArray WindowGeometry() const;
    void SetWindowGeometry(const QByteArray& geometry);

private:
    QSettings& m_settings;
};
