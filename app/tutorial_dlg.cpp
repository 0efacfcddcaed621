#include "app/tutorial_dlg.h"

#include "app/editor_commands.h"
#include "app/resources/main_dialog_ids.h"
#include "editor/terrain_document.h"
#include "graphics/graphics_system.h"
#include "platform/win/win_api.h"
#include "scene/status.h"
#include "ui/panel_ids.h"
#include "world/terrain_world.h"
#include "world/world_app.h"

namespace {

constexpr UINT_PTR kFrameTimer = 0;
constexpr UINT kFrameIntervalMs = 25;
// Rows and columns 0 to side - 3 are selectable (0 to 62 on a 65 grid); a slider value v selects
// that last one minus v, truncated as the Y-level's height is (30.30 selects 31 on a 65 grid).
float LastSelectable(int side) { return static_cast<float>(side - 3); }

int SelectionFromSlider(float last, float value) { return TruncatedEchoValue(last - value); }

// Shows the selection on a row or column slider, unless the slider already stands for it.
void ShowSelection(TQRMFC_SliderCtrlWithEcho& slider, float last, int& value, int selection)
{
    if (SelectionFromSlider(last, slider.GetValue()) != selection) {
        slider.SetValue(last - static_cast<float>(selection));
    }
    value = selection;
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'/') + 1); }

// Creates the tool window at its first opening, then shows it in front of the others.
void OpenToolWindow(CDialog& window, UINT templateId, CWnd* owner)
{
    if (!IsWindow(window.m_hWnd) && !window.Create(templateId, owner)) {
        return;
    }
    window.ShowWindow(SW_SHOW);
    window.BringWindowToTop();
}

} // namespace

CTutorialDlg::CTutorialDlg(CEditorCommands& commands) : CDialog(IDD_TUTORIAL_DIALOG), m_commands(commands)
{
    m_hIcon = LoadIcon(IDR_MAINFRAME);
    MapCommand(IDC_GENERATE, &CTutorialDlg::OnGenerate);
    MapCommand(IDC_LOAD, &CTutorialDlg::OnLoadHeights);
    MapCommand(IDC_SAVE, &CTutorialDlg::OnSaveHeights);
    MapCommand(IDC_LOAD_TEXTURE, &CTutorialDlg::OnLoadTexture);
    MapCommand(IDC_ANIMATE, &CTutorialDlg::OnAnimate);
    MapCommand(IDC_ENABLE_TEXTURE, &CTutorialDlg::OnEnableTexture);
    MapCommand(IDC_SELECTOR_VISIBLE, &CTutorialDlg::OnSelectorVisible);
    MapCommand(IDC_AIRPLANE_VISIBLE, &CTutorialDlg::OnAirplaneVisible);
    MapCommand(IDC_WIREFRAME, &CTutorialDlg::OnWireframe);
    MapCommandRange(IDC_FLY_LEFT, IDC_FLY_STRAIGHT, &CTutorialDlg::OnFlyDirection);
    MapCommand(IDC_LIGHTS, &CTutorialDlg::OnLights);
    MapCommand(IDC_SCENE, &CTutorialDlg::OnScene);
}

CTutorialDlg::~CTutorialDlg() = default;

CTerrainWorld& CTutorialDlg::World() { return *GetAppWorld(); }

void CTutorialDlg::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_LOAD_FILE_NAME, m_loadFileName);
    DDX_Text(exchange, IDC_SAVE_FILE_NAME, m_saveFileName);
    DDX_Control(exchange, IDC_ROW_SLIDER, m_rowSlider);
    DDX_Control(exchange, IDC_COLUMN_SLIDER, m_columnSlider);
    DDX_Control(exchange, IDC_ROUGHNESS_SLIDER, m_roughnessSlider);
    DDX_Control(exchange, IDC_HEIGHT_SLIDER, m_heightSlider);
    DDX_Check(exchange, IDC_ANIMATE, m_animateCheck);
    DDX_Text(exchange, IDC_TEXTURE_FILE_NAME, m_textureFileName);
    DDX_Check(exchange, IDC_ENABLE_TEXTURE, m_textureCheck);
    DDX_Check(exchange, IDC_SELECTOR_VISIBLE, m_selectorCheck);
    DDX_Check(exchange, IDC_AIRPLANE_VISIBLE, m_airplaneCheck);
    DDX_Control(exchange, IDC_SPEED_SLIDER, m_speedSlider);
    DDX_Check(exchange, IDC_WIREFRAME, m_wireframeCheck);
}

BOOL CTutorialDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    InitSliders();
    CheckRadioButton(IDC_FLY_LEFT, IDC_FLY_STRAIGHT, IDC_FLY_LEFT);
    m_documentListener = m_commands.Document().AddChangeListener([this] { ShowDocument(); });
    ShowDocument();

    // Without a device nothing can be drawn: the dialog stays up without views or timer.
    if (!GetGraphicsSystem()->CreateGraphicsContext(m_hWnd) || !AttachViews()) {
        return FALSE;
    }
    InstallStatusLine();
    ShowStatus(L"Application Initialization Completed");
    SetTimer(kFrameTimer, kFrameIntervalMs);
    ShowStatus(L"OnInitDialog Complete");
    return TRUE;
}

void CTutorialDlg::InitSliders()
{
    m_roughnessSlider.InitSlider(0.0f, 1.0f, 0.0f);
    m_roughnessValue = 0.0f;
    m_heightSlider.InitSlider(-15.0f, 15.0f, 0.0f);
    m_heightValue = 0.0f;
    FitSelectionSliders();
    m_speedSlider.InitSlider(0.2f, 1.0f, 0.4f);
    m_speedValue = 0.4f;
}

void CTutorialDlg::FitSelectionSliders()
{
    m_lastSelectable = LastSelectable(World().Side());
    m_rowSlider.InitSlider(0.0f, m_lastSelectable, m_lastSelectable);
    m_rowValue = 0;
    m_columnSlider.InitSlider(0.0f, m_lastSelectable, m_lastSelectable);
    m_columnValue = 0;
}

bool CTutorialDlg::AttachViews()
{
    if (!m_bigView.AttachToDialogControl(m_hWnd, IDC_BIG_VIEW) ||
        !m_smallView.AttachToDialogControl(m_hWnd, IDC_SMALL_VIEW)) {
        return false;
    }
    ResetCameras();
    return true;
}

void CTutorialDlg::SelectVertex(int row, int column)
{
    CTerrainWorld& world = World();
    world.SetSelectedRow(row);
    world.SetSelectedColumn(column);
    ShowSelection(m_rowSlider, m_lastSelectable, m_rowValue, world.GetSelectedRow());
    ShowSelection(m_columnSlider, m_lastSelectable, m_columnValue, world.GetSelectedColumn());
}

void CTutorialDlg::ResetCameras()
{
    const auto startAt = [](CMouseCameraHandler& view, float height, float back) {
        TQR_Camera camera;
        camera.SetLookAt(0.0f, 0.0f, 0.0f);
        camera.SetPosition(0.0f, height, back);
        camera.SetProjection(45.0f, 0.5f, 100.0f);
        view.SetCamera(camera);
    };
    startAt(m_bigView, 10.0f, -25.0f);
    startAt(m_smallView, 40.0f, -1.0f);
}

void CTutorialDlg::ShowDocument()
{
    const CTerrainDocument& document = m_commands.Document();
    const DocumentState state = document.State();
    m_loadFileName = state.loadLabel;
    m_saveFileName = document.SaveLabel();
    m_textureFileName = FileNameOf(state.texturePath);
    m_wireframeCheck = state.wireframe ? 1 : 0;
    if (LastSelectable(World().Side()) != m_lastSelectable) {
        FitSelectionSliders();
    }
    ShowSelection(m_rowSlider, m_lastSelectable, m_rowValue, state.row);
    ShowSelection(m_columnSlider, m_lastSelectable, m_columnValue, state.column);
    UpdateData(FALSE);
}

void CTutorialDlg::InstallStatusLine()
{
    CWnd* status = GetDlgItem(IDC_STATUS);
    if (status == nullptr) {
        return;
    }
    const HWND statusWindow = status->GetSafeHwnd();
    SetStatusSink([this, statusWindow](const std::wstring& text) {
        if (IsWindow(statusWindow)) {
            SetWindowTextW(statusWindow, text.c_str());
        }
        if (m_statusListener) {
            m_statusListener(text);
        }
    });
}

void CTutorialDlg::OnTimer(UINT_PTR)
{
    CTerrainWorld& world = World();
    world.Update();
    m_heightValue = world.GetSelectedY();
    m_heightSlider.SetValue(m_heightValue); // refused outside -15..15: the thumb stays
    m_bigView.DrawIfChanged();
    m_smallView.DrawIfChanged();
    if (m_frameListener) {
        m_frameListener();
    }
}

void CTutorialDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

void CTutorialDlg::OnDestroy()
{
    m_commands.Document().RemoveChangeListener(m_documentListener);
    SetStatusSink({});
    GetGraphicsSystem()->ReleaseResources();
    CDialog::OnDestroy();
}

void CTutorialDlg::OnHScroll(UINT code, UINT position, CWnd* scrollBar)
{
    const HWND sender = scrollBar != nullptr ? scrollBar->GetSafeHwnd() : nullptr;
    CTerrainWorld& world = World();
    if (sender == m_roughnessSlider.GetSafeHwnd()) {
        m_roughnessValue = m_roughnessSlider.GetValue();
        world.SetRoughness(m_roughnessValue);
    } else if (sender == m_heightSlider.GetSafeHwnd()) {
        m_heightValue = m_heightSlider.GetValue();
        // A drag's moves are one step: they merge until the thumb is let go.
        CTerrainDocument& document = m_commands.Document();
        document.SetSelectedHeight(static_cast<float>(TruncatedEchoValue(m_heightValue)), code == TB_THUMBTRACK);
        if (code == TB_ENDTRACK) {
            document.EndDrag();
        }
    } else if (sender == m_columnSlider.GetSafeHwnd()) {
        m_columnValue = SelectionFromSlider(m_lastSelectable, m_columnSlider.GetValue());
        world.SetSelectedColumn(m_columnValue);
    } else if (sender == m_speedSlider.GetSafeHwnd()) {
        m_speedValue = m_speedSlider.GetValue();
        world.SetSpeed(m_speedValue);
    }
    UpdateData(TRUE);
    CDialog::OnHScroll(code, position, scrollBar);
}

void CTutorialDlg::OnVScroll(UINT code, UINT position, CWnd* scrollBar)
{
    m_rowValue = SelectionFromSlider(m_lastSelectable, m_rowSlider.GetValue());
    World().SetSelectedRow(m_rowValue);
    CDialog::OnVScroll(code, position, scrollBar);
}

void CTutorialDlg::OnGenerate() { m_commands.New(); }

void CTutorialDlg::OnLoadHeights() { m_commands.Open(); }

void CTutorialDlg::OnSaveHeights() { m_commands.SaveAs(); }

void CTutorialDlg::OnLoadTexture() { m_commands.LoadTexture(); }

void CTutorialDlg::OnOK() { m_commands.Quit(); }

void CTutorialDlg::OnCancel() { m_commands.Escape(); }

void CTutorialDlg::ApplyCheckBox(int& check, const std::function<void(bool)>& apply, const wchar_t* onText,
                                 const wchar_t* offText)
{
    UpdateData(TRUE);
    const bool on = check != 0;
    apply(on);
    ShowStatus(on ? onText : offText);
    UpdateData(FALSE);
}

void CTutorialDlg::OnAnimate()
{
    ApplyCheckBox(
        m_animateCheck, [](bool on) { World().SetAnimate(on); }, L"Anime is ON", L"Anime is OFF");
}

void CTutorialDlg::OnEnableTexture()
{
    ApplyCheckBox(
        m_textureCheck, [](bool on) { World().EnableFloorTexture(on); }, L"Texture is ON", L"Texture is OFF");
}

void CTutorialDlg::OnSelectorVisible()
{
    ApplyCheckBox(
        m_selectorCheck, [](bool on) { World().ShowSelector(on); }, L"Selector Visible is ON",
        L"Selector Visible is OFF");
}

void CTutorialDlg::OnAirplaneVisible()
{
    ApplyCheckBox(
        m_airplaneCheck, [](bool on) { World().ShowAirplane(on); }, L"Airplane Visible is ON",
        L"Airplane Visible is OFF");
}

void CTutorialDlg::OnWireframe()
{
    ApplyCheckBox(
        m_wireframeCheck, [this](bool on) { m_commands.Document().SetWireframe(on); }, L"WireFrame is On",
        L"WireFrame is Off");
}

void CTutorialDlg::OnFlyDirection(UINT)
{
    struct FlyChoice {
        int id;
        TQR_FlyDirection direction;
        const wchar_t* status;
    };
    static constexpr FlyChoice kChoices[] = {
        {IDC_FLY_LEFT, TQR_FlyDirection::Left, L"Set Airplane fly left"},
        {IDC_FLY_RIGHT, TQR_FlyDirection::Right, L"Set Airplane fly right"},
        {IDC_FLY_STRAIGHT, TQR_FlyDirection::Straight, L"Set Airplane fly straight"},
    };
    const int checked = GetCheckedRadioButton(IDC_FLY_LEFT, IDC_FLY_STRAIGHT);
    for (const FlyChoice& choice : kChoices) {
        if (choice.id == checked) {
            World().SetFlyDirection(choice.direction);
            ShowStatus(choice.status);
            return;
        }
    }
    ShowStatus(L"");
}

void CTutorialDlg::OnLights() { OpenToolWindow(m_lightPanel, IDD_LIGHT_CONTROL, this); }

void CTutorialDlg::OnScene() { OpenToolWindow(m_sceneWindow, IDD_SCENE_TREE_WINDOW, this); }
