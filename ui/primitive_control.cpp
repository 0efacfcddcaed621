#include "ui/primitive_control.h"

#include "platform/win/dialog_service.h"
#include "platform/win/win_api.h"
#include "scene/primitive.h"
#include "ui/panel_ids.h"
#include "world/terrain_world.h"
#include "world/world_app.h"

namespace {

constexpr float kPowerMax = 200.0f;
constexpr float kPowerStart = 10.0f;
constexpr float kAlphaStart = 0.8f;

int AsCheck(bool on) { return on ? 1 : 0; }

} // namespace

CPrimitiveControl::CPrimitiveControl() : CDialog(IDD_PRIMITIVE_CONTROL)
{
    MapCommand(IDC_PRIM_TEXTURE, &CPrimitiveControl::OnTexture);
    MapCommand(IDC_PRIM_VISIBILITY, &CPrimitiveControl::OnVisibility);
    MapCommand(IDC_PRIM_SHADING, &CPrimitiveControl::OnShading);
    MapCommand(IDC_PRIM_BLENDING, &CPrimitiveControl::OnBlending);
    MapCommand(IDC_PRIM_WIREFRAME, &CPrimitiveControl::OnWireframe);
    MapCommand(IDC_PRIM_BOUND_VOL, &CPrimitiveControl::OnBoundVol);
    MapCommand(IDC_PRIM_LIGHTING, &CPrimitiveControl::OnLighting);
    MapCommand(IDC_PRIM_BROWSE, &CPrimitiveControl::OnBrowse);
    MapCommandRange(IDC_PRIM_EMISSIVE_C1, IDC_PRIM_SPECULAR, &CPrimitiveControl::OnColourChannel);
    MapCommand(IDC_PRIM_POWER, &CPrimitiveControl::OnPowerChannel);
}

void CPrimitiveControl::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_PRIM_RED, m_redSlider);
    DDX_Control(exchange, IDC_PRIM_GREEN, m_greenSlider);
    DDX_Control(exchange, IDC_PRIM_BLUE, m_blueSlider);
    DDX_Control(exchange, IDC_PRIM_ALPHA, m_alphaSlider);
    DDX_Check(exchange, IDC_PRIM_TEXTURE, m_texture);
    DDX_Check(exchange, IDC_PRIM_VISIBILITY, m_visibility);
    DDX_Check(exchange, IDC_PRIM_SHADING, m_shading);
    DDX_Check(exchange, IDC_PRIM_BLENDING, m_blending);
    DDX_Check(exchange, IDC_PRIM_WIREFRAME, m_wireframe);
    DDX_Check(exchange, IDC_PRIM_BOUND_VOL, m_boundVol);
    DDX_Check(exchange, IDC_PRIM_LIGHTING, m_lighting);
    DDX_Text(exchange, IDC_PRIM_TEXTURE_LABEL, m_textureLabel);
}

BOOL CPrimitiveControl::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_redSlider.InitSlider(0.0f, 1.0f, 1.0f);
    m_greenSlider.InitSlider(0.0f, 1.0f, 0.8f);
    m_blueSlider.InitSlider(0.0f, 1.0f, 0.8f);
    EnterColourMode();
    RefreshFromPrimitive();
    CheckRadioButton(IDC_PRIM_EMISSIVE_C1, IDC_PRIM_POWER, IDC_PRIM_EMISSIVE_C1);
    return TRUE;
}

void CPrimitiveControl::SetPrimitive(TQR_Primitive* primitive)
{
    m_primitive = primitive;
    RefreshFromPrimitive();
}

void CPrimitiveControl::RefreshFromPrimitive()
{
    if (m_primitive) {
        m_texture = AsCheck(m_primitive->IsTexturing());
        m_blending = AsCheck(m_primitive->IsBlending());
        m_visibility = AsCheck(m_primitive->IsVisible());
        m_boundVol = AsCheck(m_primitive->IsShowBoundingVolume());
        m_shading = AsCheck(m_primitive->GetShadeMode() == TQR_ShadeMode::Smooth);
        m_wireframe = AsCheck(m_primitive->GetFillMode() == TQR_FillMode::Wireframe);
        m_lighting = AsCheck(m_primitive->IsLighting());
        m_textureLabel = m_primitive->GetTextureFileName();
        RefreshColour();
        UpdateData(FALSE);
    }
    if (IsWindow(m_hWnd)) {
        ShowWindow(m_primitive ? SW_SHOW : SW_HIDE);
    }
}

CPrimitiveControl::ColourSlot CPrimitiveControl::SlotOfChannel() const
{
    const bool lit = m_lighting != 0;
    switch (m_colourChannel) {
    case kEmissiveOrFirst:
        return lit ? ColourSlot::Emissive : ColourSlot::FlatColor;
    case kAmbientOrSecond:
        return lit ? ColourSlot::Ambient : ColourSlot::SecondColor;
    case kDiffuse:
        return ColourSlot::Diffuse;
    default:
        return ColourSlot::Specular;
    }
}

TQR_Color CPrimitiveControl::ReadSlot(const TQR_Material& material) const
{
    switch (SlotOfChannel()) {
    case ColourSlot::FlatColor:
        return m_primitive->GetFlatColor();
    case ColourSlot::SecondColor:
        return m_primitive->GetSecondColor();
    case ColourSlot::Emissive:
        return material.m_emissive;
    case ColourSlot::Ambient:
        return material.m_ambient;
    case ColourSlot::Diffuse:
        return material.m_diffuse;
    case ColourSlot::Specular:
        return material.m_specular;
    }
    return {};
}

void CPrimitiveControl::WriteSlot(TQR_Material& material, const TQR_Color& colour)
{
    switch (SlotOfChannel()) {
    case ColourSlot::FlatColor:
        m_primitive->SetFlatColor(colour);
        break;
    case ColourSlot::SecondColor:
        m_primitive->SetSecondColor(colour);
        break;
    case ColourSlot::Emissive:
        material.m_emissive = colour;
        break;
    case ColourSlot::Ambient:
        material.m_ambient = colour;
        break;
    case ColourSlot::Diffuse:
        material.m_diffuse = colour;
        break;
    case ColourSlot::Specular:
        material.m_specular = colour;
        break;
    }
}

void CPrimitiveControl::RefreshColour()
{
    if (!m_primitive) {
        return;
    }
    const TQR_Material material = m_primitive->GetMaterial();
    if (m_colourChannel == kPower) {
        m_alphaSlider.SetValue(material.m_power);
    } else {
        const TQR_Color colour = ReadSlot(material);
        m_redSlider.SetValue(colour.GetRed());
        m_greenSlider.SetValue(colour.GetGreen());
        m_blueSlider.SetValue(colour.GetBlue());
        m_alphaSlider.SetValue(colour.GetAlpha());
    }
    UpdateData(FALSE);
}

void CPrimitiveControl::WriteColour()
{
    if (!m_primitive) {
        return;
    }
    const float red = m_redSlider.GetValue();
    const float green = m_greenSlider.GetValue();
    const float blue = m_blueSlider.GetValue();
    const float alpha = m_alphaSlider.GetValue();
    TQR_Material material = m_primitive->GetMaterial();
    if (m_colourChannel == kPower) {
        material.m_power = alpha;
    } else {
        WriteSlot(material, TQR_Color(red, green, blue, alpha));
    }
    m_primitive->SetMaterial(material);
}

void CPrimitiveControl::EnterColourMode()
{
    m_redSlider.EnableWindow(TRUE);
    m_greenSlider.EnableWindow(TRUE);
    m_blueSlider.EnableWindow(TRUE);
    m_alphaSlider.InitSlider(0.0f, 1.0f, kAlphaStart);
}

void CPrimitiveControl::EnterPowerMode()
{
    m_alphaSlider.InitSlider(0.0f, kPowerMax, kPowerStart);
    m_redSlider.EnableWindow(FALSE);
    m_greenSlider.EnableWindow(FALSE);
    m_blueSlider.EnableWindow(FALSE);
}

void CPrimitiveControl::OnHScroll(UINT code, UINT position, CWnd* scrollBar)
{
    const HWND sender = scrollBar ? scrollBar->m_hWnd : nullptr;
    if (sender && (sender == m_redSlider.m_hWnd || sender == m_greenSlider.m_hWnd || sender == m_blueSlider.m_hWnd ||
                   sender == m_alphaSlider.m_hWnd)) {
        WriteColour();
    }
    CDialog::OnHScroll(code, position, scrollBar);
}

HBRUSH CPrimitiveControl::OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor)
{
    const HBRUSH brush = CDialog::OnCtlColor(dc, control, ctlColor);
    COLORREF labelColour = 0;
    switch (control ? control->GetDlgCtrlID() : 0) {
    case IDC_PRIM_RED_LABEL:
        labelColour = RGB(255, 0, 0);
        break;
    case IDC_PRIM_GREEN_LABEL:
        labelColour = RGB(0, 255, 0);
        break;
    case IDC_PRIM_BLUE_LABEL:
        labelColour = RGB(0, 0, 255);
        break;
    default:
        return brush;
    }
    dc->SetTextColor(labelColour);
    dc->SetBkMode(TRANSPARENT);
    return brush;
}

void CPrimitiveControl::OnTexture()
{
    UpdateData(TRUE);
    if (m_primitive) {
        m_primitive->SetTexturing(m_texture == 1);
    }
}

void CPrimitiveControl::OnVisibility()
{
    UpdateData(TRUE);
    if (m_primitive) {
        m_primitive->SetVisible(m_visibility == 1);
    }
}

void CPrimitiveControl::OnShading()
{
    UpdateData(TRUE);
    if (m_primitive) {
        m_primitive->SetShadeMode(m_shading != 0 ? TQR_ShadeMode::Smooth : TQR_ShadeMode::Flat);
    }
}

void CPrimitiveControl::OnBlending()
{
    UpdateData(TRUE);
    if (m_primitive) {
        m_primitive->SetBlending(m_blending == 1);
    }
}

void CPrimitiveControl::OnWireframe()
{
    UpdateData(TRUE);
    if (m_primitive) {
        m_primitive->SetFillMode(m_wireframe != 0 ? TQR_FillMode::Wireframe : TQR_FillMode::Solid);
    }
}

void CPrimitiveControl::OnBoundVol()
{
    UpdateData(TRUE);
    if (m_primitive) {
        m_primitive->SetShowBoundingVolume(m_boundVol == 1);
    }
}

void CPrimitiveControl::OnLighting()
{
    UpdateData(TRUE);
    if (m_primitive) {
        m_primitive->SetLighting(m_lighting == 1);
        // The sliders now show the colour that this lighting state edits.
        RefreshColour();
    }
}

void CPrimitiveControl::OnColourChannel(UINT id)
{
    if (m_colourChannel == kPower) {
        EnterColourMode();
    }
    m_colourChannel = static_cast<int>(id) - IDC_PRIM_EMISSIVE_C1;
    RefreshColour();
}

void CPrimitiveControl::OnPowerChannel()
{
    EnterPowerMode();
    m_colourChannel = kPower;
    RefreshColour();
}

void CPrimitiveControl::OnBrowse()
{
    if (!m_primitive) {
        return;
    }
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, this);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    m_textureLabel = dialog.GetFileName();
    if (CTerrainWorld* world = GetAppWorld()) {
        world->ChooseTexture(*m_primitive, dialog.GetPathName());
    } else {
        m_primitive->SetTextureFileName(dialog.GetPathName());
    }
    SetDlgItemText(IDC_PRIM_TEXTURE_LABEL, m_textureLabel.c_str());
}
