// Keeps unsaved work safe. While the document has unsaved changes, its work is written to the
// recovery file every 30 seconds and before each risky step (a new terrain, an open, a save);
// once nothing is unsaved (after a save, or an undo back to the saved state) the file goes.
// The editor removes it too when it closes cleanly, so a file found at start is work a crash
// left behind. Such a file is left alone until the editor has dealt with it: the guard only
// ever removes on its own a file it wrote.
//
// One editor at a time owns the file: the guard holds a lock beside it (QLockFile, which a
// crashed editor's lock does not outlive). A second editor running at the same time neither
// writes nor removes the file, so it cannot overwrite or discard the first one's work.
#pragma once

#include "base/result.h"
#include "editor/interval_timer.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class CTerrainDocument;
class QLockFile;

class CRecoveryGuard {
public:
    static constexpr std::chrono::seconds kInterval{30};

    // The document must outlive the guard.
    CRecoveryGuard(CTerrainDocument& document, std::string path, std::unique_ptr<IIntervalTimer> timer);
    ~CRecoveryGuard();
    CRecoveryGuard(const CRecoveryGuard&) = delete;
    CRecoveryGuard& operator=(const CRecoveryGuard&) = delete;

    // False when another editor owns the recovery file; this guard then keeps nothing.
    bool OwnsFile() const { return m_lock != nullptr; }
    // Writes the work when there are unsaved changes and the guard owns the file. A failure is
    // also passed to the failure listener.
    Result<> Secure();
    // The editor closes cleanly: the file goes when it holds work of this session.
    void Release();
    // The user discarded the work: the file goes whoever wrote it (when the guard owns it).
    void Remove();
    const std::string& Path() const { return m_path; }
    void SetFailureListener(std::function<void(const std::string&)> listener) { m_onFailure = std::move(listener); }

    // recovery.relief in the user's data folder of the application (QStandardPaths'
    // AppDataLocation: $XDG_DATA_HOME/<application name>).
    static std::string StandardPath();

private:
    void DocumentChanged();

    CTerrainDocument& m_document;
    std::string m_path;
    std::unique_ptr<IIntervalTimer> m_timer;
    // Held while this guard owns the file; null when another editor does.
    std::unique_ptr<QLockFile> m_lock;
    std::function<void(const std::string&)> m_onFailure;
    int m_listener = 0;
    bool m_wrote = false;
};
