// The main dialog: two views of the terrain world, the controls that edit it, and a status
// line, hosted in the main window. A 25 ms timer advances the world and redraws each view whose
// picture changed (every tick while the airplane flies); every control acts on the world at once
// and the next tick shows the result. What changes the
// document (the heights, the texture, the wire frame switch, the files) goes through the
// editor's commands, the one home the menus share; the dialog shows the document after every
// change (labels, check box, selection sliders).
//
// Behaviour chosen so that the controls say what they do:
// - a horizontal slider acts only for itself (moving "Speed" does not rewrite the selected
//   vertex's height or reselect the column);
// - the row and column sliders run from 0 to side - 3 (62 on a 65 grid) and follow the grid's
//   side; they start at that end, which selects row and column 0 as the world does at start;
// - sliders act on the value their echo shows, truncated toward zero: the row and column
//   sliders select their end minus it (on a 65 grid 30.30 selects 31, a thumb showing 1.00
//   selects 61), the Y-level slider sets its height (1.00 sets 1, 3.90 sets 3);
// - "SAVE" offers a save dialog that gives a typed name the ".txt" the file will have; a failed
//   load, save or texture choice is reported on the status line and leaves the labels as they
//   were;
// - a whole drag of the Y-level slider is one undo step;
// - "Quit" closes the main window, which asks about unsaved changes.
#pragma once

#include "platform/win/cdialog.h"
#include "ui/light_control.h"
#include "ui/scene_tree_window.h"
#include "ui/slider_ctrl_with_echo.h"
#include "views/mouse_handlers.h"

#include <functional>
#include <string>

class CEditorCommands;
class CTerrainWorld;

// What the labels of the loaded and the saved height file show at start.
inline constexpr wchar_t kStartFileLabel[] = L"temp.txt";

class CTutorialDlg : public CDialog {
public:
    // The world is the registered application's (GetAppWorld); one must be registered. The
    // commands must outlive the dialog.
    explicit CTutorialDlg(CEditorCommands& commands);
    ~CTutorialDlg() override;

    BOOL OnInitDialog() override;

    // Brings both cameras back to where they start.
    void ResetCameras();
    // Selects the vertex (clamped into the grid) and moves the row and column sliders to it, as
    // if they had selected it.
    void SelectVertex(int row, int column);
    // Called with every text the status line shows.
    void SetStatusListener(std::function<void(const std::wstring&)> listener)
    {
        m_statusListener = std::move(listener);
    }
    // Called after every timer tick.
    void SetFrameListener(std::function<void()> listener) { m_frameListener = std::move(listener); }

    // The views, for their cameras.
    CDrawAndMouseHandler& BigView() { return m_bigView; }
    CSVDrawAndMouseHandler& SmallView() { return m_smallView; }
    // The tool windows the "Lights..." and "Scene..." buttons open.
    LightControl& LightPanel() { return m_lightPanel; }
    CSceneTreeWindow& SceneWindow() { return m_sceneWindow; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // "Quit" and Escape ask the main window to close.
    void OnOK() override;
    void OnCancel() override;
    void OnPaint() override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;
    void OnHScroll(UINT code, UINT position, CWnd* scrollBar) override;
    void OnVScroll(UINT code, UINT position, CWnd* scrollBar) override;

private:
    void InitSliders();
    // The row and column sliders' range for the world's side, both at row and column 0.
    void FitSelectionSliders();
    bool AttachViews();
    void InstallStatusLine();
    // Labels, wire frame box and selection sliders as the document has them.
    void ShowDocument();

    void OnGenerate();
    void OnLoadHeights();
    void OnSaveHeights();
    void OnLoadTexture();
    void OnAnimate();
    void OnEnableTexture();
    void OnSelectorVisible();
    void OnAirplaneVisible();
    void OnWireframe();
    void OnFlyDirection(UINT id);
    // Open the light panel or the scene tree as modeless tool windows; a second click brings
    // the open one to the front.
    void OnLights();
    void OnScene();

    // The check-box pattern: read the controls, pass the box's state on, report
    // "<name> is ON" or "<name> is OFF", write the controls back.
    void ApplyCheckBox(int& check, const std::function<void(bool)>& apply, const wchar_t* onText,
                       const wchar_t* offText);

    static CTerrainWorld& World();

    CEditorCommands& m_commands;
    int m_documentListener = 0;
    std::function<void(const std::wstring&)> m_statusListener;
    std::function<void()> m_frameListener;
    HICON m_hIcon = nullptr;
    CDrawAndMouseHandler m_bigView;
    CSVDrawAndMouseHandler m_smallView;
    std::wstring m_loadFileName = kStartFileLabel;
    std::wstring m_saveFileName = kStartFileLabel;
    TQRMFC_SliderCtrlWithEcho m_roughnessSlider;
    TQRMFC_SliderCtrlWithEcho m_heightSlider;
    TQRMFC_SliderCtrlWithEcho m_rowSlider;
    TQRMFC_SliderCtrlWithEcho m_columnSlider;
    TQRMFC_SliderCtrlWithEcho m_speedSlider;
    float m_heightValue = 0.0f;
    float m_roughnessValue = 0.0f;
    float m_lastSelectable = 62.0f;
    int m_rowValue = 0;
    int m_columnValue = 0;
    float m_speedValue = 0.4f;
    int m_animateCheck = 0;
    std::wstring m_textureFileName;
    int m_textureCheck = 0;
    int m_selectorCheck = 0;
    int m_airplaneCheck = 1;
    int m_wireframeCheck = 0;
    // Created at their first opening; they edit the live world.
    LightControl m_lightPanel;
    CSceneTreeWindow m_sceneWindow;
};
