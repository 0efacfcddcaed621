// The main window's actions as data: the menu each belongs to, its text, shortcuts and tool
// tip. The menus, the shortcuts and the shortcut help are all made from this one table.
//
// Every shortcut works while the main window is the active window (Qt::WindowShortcut), whatever
// control has the focus, and not in the tool windows or the file dialogs, which are windows of
// their own. A focused button keeps Space (see CTypingGuard), and the buttons take the focus
// only from the Tab key, so Space is the animation switch unless the user tabbed to a button.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

enum class EditorAction {
    New,
    Open,
    Save,
    SaveAs,
    LoadTexture,
    Import,
    Export,
    ExportMesh,
    Quit,
    Undo,
    Redo,
    Resample,
    Erode,
    Statistics,
    Wireframe,
    Selector,
    Airplane,
    Animation,
    LightsPanel,
    ScenePanel,
    ResetCameras,
    BrushPanel,
    Shading,
    SunPanel,
    SlopeOverlay,
    ContourOverlay,
    WaterOverlay,
    OverlaySettings,
    CameraTool,
    BrushTool,
    KeyboardShortcuts,
    About,
};

struct EditorActionInfo {
    EditorAction action;
    QString menu; // "&File", "&Edit", "&Terrain", "&View", "T&ools", "&Help"; "&View/&Overlays" for a submenu
    QString text;
    QList<QKeySequence> shortcuts; // the first is the one the menu shows
    QString toolTip;
    // A switch with a check mark (the main dialog's check boxes).
    bool checkable = false;
};

// In menu order; a menu's actions in the order the menu shows them.
const std::vector<EditorActionInfo>& EditorActionTable();
// One line per action with shortcuts: "Ctrl+Z\tUndo", in table order.
QString ShortcutSummary();
