#include "app/tutorial_dlg.h"

#include "app/resources/main_dialog_ids.h"
#include "base/wide_path.h"
#include "graphics/graphics_system.h"
#include "graphics/resource_files.h"
#include "platform/d3dx9/image_file.h"
#include "platform/win/dialog_service.h"
#include "platform/win/win_api.h"
#include "scene/status.h"
#include "ui/panel_ids.h"
#include "world/height_file.h"
#include "world/terrain_world.h"
#include "world/world_app.h"

#include <optional>

namespace {

constexpr UINT_PTR kFrameTimer = 0;
constexpr UINT kFrameIntervalMs = 25;
// Rows and columns 0 to 62 are selectable; a slider value v selects 62 - v, truncated as the
// Y-level's height is (30.30 selects 31).
constexpr float kLastSelectable = 62.0f;

int SelectionFromSlider(float value) { return TruncatedEchoValue(kLastSelectable - value); }

std::wstring Wide(const std::string& text) { return WideFromNarrow(text.c_str()); }

// File names go to the file streams as UTF-8, the narrow encoding of this platform.
std::optional<std::string> NarrowPath(const std::wstring& path) { return PathFromWideName(path.c_str()); }

const std::string kNotUnicode = "the file name is not valid Unicode";

// Success when the image can serve as a texture, or why not.
Result<> CheckTextureImage(const std::wstring& path)
{
    const std::optional<std::string> narrow = NarrowPath(path);
    if (!narrow) {
        return Failure{kNotUnicode};
    }
    const Result<DecodedImage> image = DecodedImage::FromFile(*narrow);
    return image ? Result<>::Success() : Result<>(Failure{image.reason()});
}

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

CTutorialDlg::CTutorialDlg(CWnd* parent) : CDialog(IDD_TUTORIAL_DIALOG, parent)
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
    m_rowSlider.InitSlider(0.0f, kLastSelectable, kLastSelectable);
    m_rowValue = 0;
    m_columnSlider.InitSlider(0.0f, kLastSelectable, kLastSelectable);
    m_columnValue = 0;
    m_speedSlider.InitSlider(0.2f, 1.0f, 0.4f);
    m_speedValue = 0.4f;
}

bool CTutorialDlg::AttachViews()
{
    if (!m_bigView.AttachToDialogControl(m_hWnd, IDC_BIG_VIEW)) {
        return false;
    }
    TQR_Camera& big = m_bigView.GetCamera();
    big.SetLookAt(0.0f, 0.0f, 0.0f);
    big.SetPosition(0.0f, 10.0f, -25.0f);
    big.SetProjection(45.0f, 0.5f, 100.0f);

    if (!m_smallView.AttachToDialogControl(m_hWnd, IDC_SMALL_VIEW)) {
        return false;
    }
    TQR_Camera& small = m_smallView.GetCamera();
    small.SetLookAt(0.0f, 0.0f, 0.0f);
    small.SetPosition(0.0f, 40.0f, -1.0f);
    small.SetProjection(45.0f, 0.5f, 100.0f);
    return true;
}

void CTutorialDlg::InstallStatusLine()
{
    CWnd* status = GetDlgItem(IDC_STATUS);
    if (status == nullptr) {
        return;
    }
    const HWND statusWindow = status->GetSafeHwnd();
    SetStatusSink([statusWindow](const std::wstring& text) {
        if (IsWindow(statusWindow)) {
            SetWindowTextW(statusWindow, text.c_str());
        }
    });
}

void CTutorialDlg::OnTimer(UINT_PTR)
{
    CTerrainWorld& world = World();
    world.Update();
    m_heightValue = world.GetSelectedY();
    m_heightSlider.SetValue(m_heightValue); // refused outside -15..15: the thumb stays
    m_bigView.DrawGraphics();
    m_smallView.DrawGraphics();
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
        world.SetSelectedHeight(TruncatedEchoValue(m_heightValue));
    } else if (sender == m_columnSlider.GetSafeHwnd()) {
        m_columnValue = SelectionFromSlider(m_columnSlider.GetValue());
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
    m_rowValue = SelectionFromSlider(m_rowSlider.GetValue());
    World().SetSelectedRow(m_rowValue);
    CDialog::OnVScroll(code, position, scrollBar);
}

void CTutorialDlg::OnGenerate()
{
    World().GenerateTerrain();
    ShowStatus(L"creating new terain");
}

CTutorialDlg::ChosenFile CTutorialDlg::ChooseFile(bool open)
{
    // A saved height file is a ".txt" file: the dialog adds the extension to a name without it
    // and asks about, and returns, the file the save then writes, so the label names that file.
    static const std::wstring kHeightExtension = Wide(kHeightFileExtension);
    CFileDialog dialog(open ? TRUE : FALSE, open ? nullptr : kHeightExtension.c_str(), nullptr,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, this);
    if (dialog.DoModal() != IDOK) {
        return {};
    }
    return {dialog.GetPathName(), dialog.GetFileName()};
}

void CTutorialDlg::RunHeightFileCommand(bool open, const HeightFileOperation& operation, std::wstring& label,
                                        const std::wstring& failure)
{
    const ChosenFile file = ChooseFile(open);
    if (file.path.empty()) {
        return;
    }
    const std::optional<std::string> narrow = NarrowPath(file.path);
    const Result<> result = narrow ? operation(World(), *narrow) : Failure{kNotUnicode};
    if (!result.ok()) {
        ShowStatus(failure + Wide(result.reason()));
        return;
    }
    label = file.name;
    UpdateData(FALSE);
}

void CTutorialDlg::OnLoadHeights()
{
    RunHeightFileCommand(
        true, [](CTerrainWorld& world, const std::string& path) { return world.LoadHeights(path); }, m_loadFileName,
        L"Load failed: ");
}

void CTutorialDlg::OnSaveHeights()
{
    RunHeightFileCommand(
        false, [](CTerrainWorld& world, const std::string& path) { return world.SaveHeights(path); }, m_saveFileName,
        L"Save failed: ");
}

void CTutorialDlg::OnLoadTexture()
{
    const ChosenFile file = ChooseFile(true);
    if (file.path.empty()) {
        return;
    }
    // The floor looks its texture up at the next draw and reports a failure there; checking
    // now keeps the label and the floor's texture as they were when the image is unusable.
    if (const Result<> usable = CheckTextureImage(file.path); !usable) {
        ShowStatus(L"Texture load failed: " + Wide(usable.reason()));
        return;
    }
    m_textureFileName = file.name;
    World().SetTextureFile(file.path);
    UpdateData(FALSE);
}

void CTutorialDlg::ApplyCheckBox(int& check, void (CTerrainWorld::*setter)(bool), const wchar_t* onText,
                                 const wchar_t* offText)
{
    UpdateData(TRUE);
    const bool on = check != 0;
    (World().*setter)(on);
    ShowStatus(on ? onText : offText);
    UpdateData(FALSE);
}

void CTutorialDlg::OnAnimate()
{
    ApplyCheckBox(m_animateCheck, &CTerrainWorld::SetAnimate, L"Anime is ON", L"Anime is OFF");
}

void CTutorialDlg::OnEnableTexture()
{
    ApplyCheckBox(m_textureCheck, &CTerrainWorld::EnableFloorTexture, L"Texture is ON", L"Texture is OFF");
}

void CTutorialDlg::OnSelectorVisible()
{
    ApplyCheckBox(m_selectorCheck, &CTerrainWorld::ShowSelector, L"Selector Visible is ON", L"Selector Visible is OFF");
}

void CTutorialDlg::OnAirplaneVisible()
{
    ApplyCheckBox(m_airplaneCheck, &CTerrainWorld::ShowAirplane, L"Airplane Visible is ON", L"Airplane Visible is OFF");
}

void CTutorialDlg::OnWireframe()
{
    ApplyCheckBox(m_wireframeCheck, &CTerrainWorld::SetWireframe, L"WireFrame is On", L"WireFrame is Off");
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
