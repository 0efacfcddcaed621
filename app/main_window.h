// The editor's main window: a menu bar, the main dialog hosted as its central area, and a
// status bar. It owns the open document, the commands the menus and the dialog's buttons share,
// and the guard that keeps unsaved work in the recovery file.
//
// - Resizing: the big view grows with the window; the small view and the controls keep their
//   size and stay anchored to the right and bottom edges (CAnchoredLayout). The window cannot
//   become smaller than the dialog's own size.
// - The title is "<file name>[*] - Relief", with "*" while there are unsaved changes.
// - A tool bar above the views holds the size and seed of the next generation (CGenerateBar).
// - The tool bar "Tools" chooses what the left button does in the views: the Camera tool (as
//   the views always did) or the Brush tool (CBrushTool), whose brush the Brush panel chooses.
// - The status bar repeats the status line's text and shows the selected vertex, its height
//   and the grid's size.
// - While heavy work runs on a worker (CBackgroundJob), the status bar shows its progress and a
//   Cancel button, and the commands and controls that would change the terrain are disabled.
// - Closing the window (the frame's button, File > Quit, "Quit", Escape) asks about unsaved
//   changes; closing cleanly removes the recovery file. Window geometry, the last folder and the
//   recent files persist in the settings.
#pragma once

#include "app/anchored_layout.h"
#include "app/brush_tool.h"
#include "app/editor_actions.h"
#include "app/editor_commands.h"
#include "app/editor_settings.h"
#include "app/relief_settings.h"
#include "app/terrain_file_commands.h"
#include "app/tutorial_dlg.h"
#include "editor/interval_timer.h"
#include "editor/recovery_guard.h"
#include "editor/terrain_document.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QSettings;
class QToolBar;
class CBrushPanel;
class CErosionPanel;
class CGenerateBar;
class CJobProgress;
class CStatisticsPanel;
class CTerrainWorld;
class CTypingGuard;

// What to do with work a crash left in the recovery file.
enum class RecoveryChoice {
    Ask,     // offer it: restore or discard
    Restore, // restore it without asking
    Discard, // remove it without asking
    Keep,    // leave it for a later start
};

class CMainWindow final : public QMainWindow {
public:
    // The world, the settings and the timer's owner must outlive the window. The recovery
    // timer fires every CRecoveryGuard::kInterval.
    CMainWindow(CTerrainWorld& world, QSettings& settings, std::string recoveryPath,
                std::unique_ptr<IIntervalTimer> recoveryTimer = std::make_unique<QtIntervalTimer>());
    ~CMainWindow() override;

    // True once the main dialog exists inside the window.
    bool HasDialog() const;
    CTutorialDlg& Dialog() { return m_dialog; }
    CTerrainDocument& Document() { return m_document; }
    CEditorCommands& Commands() { return m_commands; }
    CRecoveryGuard& Recovery() { return m_recovery; }
    // The floor's shading and overlays, with the water level a panel may bind to.
    CReliefSettings& Relief() { return m_relief; }
    // The sun and overlay panel; null until View > Sun... or Overlay Settings... opened it.
    QWidget* ReliefPanel() const { return m_reliefPanel; }
    QAction* Action(EditorAction action) const { return m_actions.at(action); }
    QMenu* RecentFilesMenu() const { return m_recentMenu; }
    CBrushTool& BrushTool() { return m_brushTool; }
    CBrushPanel& BrushPanel() { return *m_brushPanel; }
    // The Brush tool (true) or the Camera tool takes the views' left button.
    void ChooseBrushTool(bool brush);
    bool IsBrushToolChosen() const { return m_brushChosen; }
    // The tool windows of Terrain > Erode... and Terrain > Statistics.
    CErosionPanel& ErosionPanel() { return *m_erosionPanel; }
    CStatisticsPanel& StatisticsPanel() { return *m_statisticsPanel; }

    // Deals with work a crash left in the recovery file: a file that cannot be read is moved
    // aside (".damaged") and the status bar says why. While another editor owns the file it is
    // not offered, and the status bar says that this window's work is not kept.
    void HandleRecoveredWork(RecoveryChoice choice);
    // Called once the window has closed for good.
    void SetClosedListener(std::function<void()> listener) { m_closed = std::move(listener); }
    // Closes without a question, for unattended runs: unsaved work stays in the recovery file.
    void CloseUnattended();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class DialogHost;
    // What the vertex and height labels show; they are set again only when it changes, since
    // every 25 ms tick asks.
    struct ShownSelection {
        int row = 0;
        int column = 0;
        float height = 0.0f;
        bool operator==(const ShownSelection&) const = default;
    };

    void HostDialog();
    void ApplyToolTips();
    void BuildMenus();
    void RunAction(EditorAction action);
    // Clicks one of the dialog's buttons, as the mouse would: its own handler runs.
    void ClickDialogButton(int id);
    void ShowRecentFiles();
    void ShowDocumentState();
    void ShowJobState();
    void ShowSelection();
    void SetWindowIcon();
    void SyncViewChecks();
    // Shows a tool window in front, where it was last.
    void ShowPanel(QWidget& panel);
    // Turns one of the relief style's switches over.
    void ToggleRelief(bool TerrainReliefStyle::*field);
    void ShowReliefPanel();
    // The statistics panel's water level and the water plane's are one value.
    void BindWaterLevel();
    void RestoreGeometry();
    void BuildToolBar(QSettings& settings);

    CEditorSettings m_settings;
    CReliefSettings m_relief;
    int m_reliefListener = 0;
    CTerrainDocument m_document;
    CEditorCommands m_commands;
    CTerrainFileCommands m_fileCommands;
    CRecoveryGuard m_recovery;
    CTutorialDlg m_dialog;
    CAnchoredLayout m_layout;
    std::unique_ptr<CTypingGuard> m_typingGuard;
    DialogHost* m_host = nullptr;
    CGenerateBar* m_generateBar = nullptr;
    CBrushTool m_brushTool;
    CBrushPanel* m_brushPanel = nullptr;
    bool m_brushChosen = false;
    CJobProgress* m_jobProgress = nullptr;
    CErosionPanel* m_erosionPanel = nullptr;
    CStatisticsPanel* m_statisticsPanel = nullptr;
    QWidget* m_reliefPanel = nullptr;
    std::map<EditorAction, QAction*> m_actions;
    QMenu* m_recentMenu = nullptr;
    QLabel* m_statusText = nullptr;
    QLabel* m_vertexText = nullptr;
    QLabel* m_heightText = nullptr;
    QLabel* m_gridText = nullptr;
    std::optional<ShownSelection> m_shownSelection;
    int m_documentListener = 0;
    bool m_unattended = false;
    std::function<void()> m_closed;
};
