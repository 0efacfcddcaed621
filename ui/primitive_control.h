// The primitive panel: edits the drawing attributes of one primitive (visibility, texturing and
// its texture file, blending, shading, wire frame, bounding-volume display, lighting) and one
// of its colours at a time, or its material's power. The R, G, B and A/N sliders edit the
// colour of the chosen channel; which colour that is depends on the lighting check box: with
// lighting the material's emissive and ambient colours, without it the two flat colours. The
// panel is shown exactly while it has a primitive.
#pragma once

#include <string>

#include "platform/win/cdialog.h"
#include "scene/color.h"
#include "ui/slider_ctrl_with_echo.h"

class TQR_Primitive;

class CPrimitiveControl : public CDialog {
public:
    // Colour channels, in the order of the channel radio group.
    enum Channel { kEmissiveOrFirst = 0, kAmbientOrSecond = 1, kDiffuse = 2, kSpecular = 3, kPower = 4 };

    CPrimitiveControl();

    // The primitive is not owned; null hides the panel.
    void SetPrimitive(TQR_Primitive* primitive);
    // Reads the primitive into the controls and shows or hides the panel.
    void RefreshFromPrimitive();
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnHScroll(UINT code, UINT position, CWnd* scrollBar) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor) override;

private:
    // Where the colour of a channel lives.
    enum class ColourSlot { FlatColor, SecondColor, Emissive, Ambient, Diffuse, Specular };

    ColourSlot SlotOfChannel() const;
    TQR_Color ReadSlot(const TQR_Material& material) const;
    void WriteSlot(TQR_Material& material, const TQR_Color& colour);

    void RefreshColour();
    void WriteColour();
    void EnterColourMode();
    void EnterPowerMode();

    void OnTexture();
    void OnVisibility();
    void OnShading();
    void OnBlending();
    void OnWireframe();
    void OnBoundVol();
    void OnLighting();
    void OnColourChannel(UINT id);
    void OnPowerChannel();
    void OnBrowse();

    int m_colourChannel = kEmissiveOrFirst;
    TQR_Primitive* m_primitive = nullptr;
    TQRMFC_SliderCtrlWithEcho m_redSlider;
    TQRMFC_SliderCtrlWithEcho m_greenSlider;
    TQRMFC_SliderCtrlWithEcho m_blueSlider;
    TQRMFC_SliderCtrlWithEcho m_alphaSlider;
    int m_texture = 0;
    int m_visibility = 1;
    int m_shading = 0;
    int m_blending = 0;
    int m_wireframe = 0;
    int m_boundVol = 0;
    int m_lighting = 0;
    std::wstring m_textureLabel;
};
