// The light panel: edits the world's three lights, one at a time. Ten echo sliders show the
// selected light's position or direction, one of its colours (diffuse, specular or ambient),
// its cone angles in degrees and its fall-off; two check boxes switch the light and its marker.
// Moving any slider writes the whole state the panel shows into the light; choosing a light,
// a colour or position/direction reads the light back into the controls. The lights are
// reached through the application's world and belong to it.
#pragma once

#include "platform/win/cdialog.h"
#include "ui/slider_ctrl_with_echo.h"

class CTerrainWorld;
class TQRD3D_Light;

class LightControl : public CDialog {
public:
    // The colour the R, G, B, A sliders edit.
    enum Channel { kDiffuse = 0, kSpecular = 1, kAmbient = 2 };

    LightControl();

    // Reads the selected light into the controls; nothing while no light is selected.
    void RefreshFromLight();
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnHScroll(UINT code, UINT position, CWnd* scrollBar) override;

private:
    bool IsOneOfTheSliders(const CWnd* control) const;
    void WriteLight();
    // Selects the world's light that pick names, or none without a world, and refreshes.
    void SelectWorldLight(TQRD3D_Light& (*pick)(CTerrainWorld&));

    void OnPointLight();
    void OnDirectionalLight();
    void OnSpotLight();
    void OnPositionMode();
    void OnDirectionMode();
    void OnColourChannel(UINT id);
    void OnLightOn();
    void OnDrawLight();

    TQRD3D_Light* m_selectedLight = nullptr;
    int m_colourChannel = kDiffuse;
    int m_directionMode = 0;
    TQRMFC_SliderCtrlWithEcho m_xSlider;
    TQRMFC_SliderCtrlWithEcho m_ySlider;
    TQRMFC_SliderCtrlWithEcho m_zSlider;
    TQRMFC_SliderCtrlWithEcho m_redSlider;
    TQRMFC_SliderCtrlWithEcho m_greenSlider;
    TQRMFC_SliderCtrlWithEcho m_blueSlider;
    TQRMFC_SliderCtrlWithEcho m_alphaSlider;
    TQRMFC_SliderCtrlWithEcho m_thetaSlider;
    TQRMFC_SliderCtrlWithEcho m_phiSlider;
    TQRMFC_SliderCtrlWithEcho m_falloffSlider;
    int m_lightOn = 0;
    int m_drawLight = 0;
};
