#include "ui/light_control.h"

#include "lights/light.h"
#include "platform/win/win_api.h"
#include "ui/panel_ids.h"
#include "world/terrain_world.h"
#include "world/world_app.h"

namespace {

// Radians to degrees, as a 32-bit factor.
constexpr float kDegreesPerRadian = 57.295776f;

constexpr float kPositionLimit = 20.0f;
constexpr float kConeAngleMax = 120.0f;
constexpr float kFalloffMax = 20.0f;

} // namespace

LightControl::LightControl() : CDialog(IDD_LIGHT_CONTROL)
{
    MapCommand(IDC_LIGHT_POINT, &LightControl::OnPointLight);
    MapCommand(IDC_LIGHT_DIRECTIONAL, &LightControl::OnDirectionalLight);
    MapCommand(IDC_LIGHT_SPOT, &LightControl::OnSpotLight);
    MapCommand(IDC_LIGHT_POSITION_MODE, &LightControl::OnPositionMode);
    MapCommand(IDC_LIGHT_DIRECTION_MODE, &LightControl::OnDirectionMode);
    MapCommandRange(IDC_LIGHT_DIFFUSE, IDC_LIGHT_AMBIENT, &LightControl::OnColourChannel);
    MapCommand(IDC_LIGHT_ON, &LightControl::OnLightOn);
    MapCommand(IDC_LIGHT_DRAW, &LightControl::OnDrawLight);
}

void LightControl::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_LIGHT_X, m_xSlider);
    DDX_Control(exchange, IDC_LIGHT_Y, m_ySlider);
    DDX_Control(exchange, IDC_LIGHT_Z, m_zSlider);
    DDX_Control(exchange, IDC_LIGHT_RED, m_redSlider);
    DDX_Control(exchange, IDC_LIGHT_GREEN, m_greenSlider);
    DDX_Control(exchange, IDC_LIGHT_BLUE, m_blueSlider);
    DDX_Control(exchange, IDC_LIGHT_ALPHA, m_alphaSlider);
    DDX_Control(exchange, IDC_LIGHT_THETA, m_thetaSlider);
    DDX_Control(exchange, IDC_LIGHT_PHI, m_phiSlider);
    DDX_Control(exchange, IDC_LIGHT_FALLOFF, m_falloffSlider);
    DDX_Check(exchange, IDC_LIGHT_ON, m_lightOn);
    DDX_Check(exchange, IDC_LIGHT_DRAW, m_drawLight);
}

BOOL LightControl::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckRadioButton(IDC_LIGHT_POSITION_MODE, IDC_LIGHT_DIRECTION_MODE, IDC_LIGHT_POSITION_MODE);
    CheckRadioButton(IDC_LIGHT_DIFFUSE, IDC_LIGHT_AMBIENT, IDC_LIGHT_DIFFUSE);
    CheckRadioButton(IDC_LIGHT_POINT, IDC_LIGHT_SPOT, IDC_LIGHT_POINT);
    m_selectedLight = nullptr;
    m_colourChannel = kDiffuse;
    m_directionMode = 0;
    for (TQRMFC_SliderCtrlWithEcho* slider : {&m_redSlider, &m_greenSlider, &m_blueSlider, &m_alphaSlider}) {
        slider->InitSlider(0.0f, 1.0f, 0.0f);
    }
    for (TQRMFC_SliderCtrlWithEcho* slider : {&m_xSlider, &m_ySlider, &m_zSlider}) {
        slider->InitSlider(-kPositionLimit, kPositionLimit, 0.0f);
    }
    m_thetaSlider.InitSlider(0.0f, kConeAngleMax, 0.0f);
    m_phiSlider.InitSlider(0.0f, kConeAngleMax, 0.0f);
    m_falloffSlider.InitSlider(0.0f, kFalloffMax, 0.0f);
    OnPointLight();
    return TRUE;
}

void LightControl::RefreshFromLight()
{
    if (!m_selectedLight) {
        return;
    }
    const TQR_Color colour = m_colourChannel == kSpecular  ? m_selectedLight->GetSpecular()
                             : m_colourChannel == kAmbient ? m_selectedLight->GetAmbient()
                                                           : m_selectedLight->GetDiffuse();
    m_redSlider.SetValue(colour.GetRed());
    m_greenSlider.SetValue(colour.GetGreen());
    m_blueSlider.SetValue(colour.GetBlue());
    m_alphaSlider.SetValue(colour.GetAlpha());

    const TQR_Vector3 place = m_directionMode == 1 ? m_selectedLight->GetDirection() : m_selectedLight->GetPosition();
    m_xSlider.SetValue(place.x);
    m_ySlider.SetValue(place.y);
    m_zSlider.SetValue(place.z);

    m_thetaSlider.SetValue(m_selectedLight->GetTheta() * kDegreesPerRadian);
    m_phiSlider.SetValue(m_selectedLight->GetPhi() * kDegreesPerRadian);
    m_falloffSlider.SetValue(m_selectedLight->GetFalloff());

    m_lightOn = m_selectedLight->IsOn() ? 1 : 0;
    m_drawLight = m_selectedLight->IsDrawLight() ? 1 : 0;
    UpdateData(FALSE);
}

bool LightControl::IsOneOfTheSliders(const CWnd* control) const
{
    if (!control || !control->m_hWnd) {
        return false;
    }
    for (const TQRMFC_SliderCtrlWithEcho* slider :
         {&m_xSlider, &m_ySlider, &m_zSlider, &m_redSlider, &m_greenSlider, &m_blueSlider, &m_alphaSlider,
          &m_thetaSlider, &m_phiSlider, &m_falloffSlider}) {
        if (slider->m_hWnd == control->m_hWnd) {
            return true;
        }
    }
    return false;
}

void LightControl::OnHScroll(UINT code, UINT position, CWnd* scrollBar)
{
    if (!m_selectedLight || !IsOneOfTheSliders(scrollBar)) {
        return;
    }
    WriteLight();
    CDialog::OnHScroll(code, position, scrollBar);
}

// Every slider movement rewrites the whole light from the controls. The sliders keep the raw
// direction; the light gets it normalised.
void LightControl::WriteLight()
{
    const TQR_Color colour(m_redSlider.GetValue(), m_greenSlider.GetValue(), m_blueSlider.GetValue(),
                           m_alphaSlider.GetValue());
    switch (m_colourChannel) {
    case kSpecular:
        m_selectedLight->SetSpecular(colour);
        break;
    case kAmbient:
        m_selectedLight->SetAmbient(colour);
        break;
    default:
        m_selectedLight->SetDiffuse(colour);
        break;
    }

    const TQR_Vector3 place{m_xSlider.GetValue(), m_ySlider.GetValue(), m_zSlider.GetValue()};
    if (m_directionMode == 1) {
        m_selectedLight->SetDirection(VectorNormalize(place));
    } else {
        m_selectedLight->SetPosition(place);
    }

    OnLightOn();
    OnDrawLight();

    m_selectedLight->SetTheta(m_thetaSlider.GetValue() * kRadiansPerDegree);
    m_selectedLight->SetPhi(m_phiSlider.GetValue() * kRadiansPerDegree);
    m_selectedLight->SetFalloff(m_falloffSlider.GetValue());
}

void LightControl::SelectWorldLight(TQRD3D_Light& (*pick)(CTerrainWorld&))
{
    CTerrainWorld* world = GetAppWorld();
    m_selectedLight = world ? &pick(*world) : nullptr;
    RefreshFromLight();
}

void LightControl::OnPointLight()
{
    SelectWorldLight([](CTerrainWorld& world) -> TQRD3D_Light& { return world.GetPointLight(); });
}

void LightControl::OnDirectionalLight()
{
    SelectWorldLight([](CTerrainWorld& world) -> TQRD3D_Light& { return world.GetDirectionalLight(); });
}

void LightControl::OnSpotLight()
{
    SelectWorldLight([](CTerrainWorld& world) -> TQRD3D_Light& { return world.GetSpotLight(); });
}

void LightControl::OnPositionMode()
{
    UpdateData(TRUE);
    m_directionMode = 0;
    RefreshFromLight();
}

void LightControl::OnDirectionMode()
{
    UpdateData(TRUE);
    m_directionMode = 1;
    RefreshFromLight();
}

void LightControl::OnColourChannel(UINT id)
{
    UpdateData(TRUE);
    m_colourChannel = static_cast<int>(id) - IDC_LIGHT_DIFFUSE;
    RefreshFromLight();
}

void LightControl::OnLightOn()
{
    UpdateData(TRUE);
    if (!m_selectedLight) {
        return;
    }
    if (m_lightOn != 0) {
        m_selectedLight->SwitchOn();
    } else {
        m_selectedLight->SwitchOff();
    }
}

void LightControl::OnDrawLight()
{
    UpdateData(TRUE);
    if (!m_selectedLight) {
        return;
    }
    if (m_drawLight != 0) {
        m_selectedLight->EnableDrawLight();
    } else {
        m_selectedLight->DisableDrawLight();
    }
}
