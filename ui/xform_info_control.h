// The transform panel: three sliders edit the translation, scale, rotation or pivot of one
// scene node, chosen by a radio group; "Reset" returns the transform to identity and "Show
// Pivot" switches the node's pivot display. Rotation is edited in steps: the sliders start at 0
// whenever the panel refreshes in rotate mode and each move applies only the change since the
// previous move, so the node keeps its existing rotation.
#pragma once

#include "platform/win/cdialog.h"
#include "ui/slider_ctrl_with_echo.h"

class TQR_SceneNode;

class CXformInfoControl : public CDialog {
public:
    CXformInfoControl();

    // The node is not owned; null leaves the panel without a node.
    void SetSceneNode(TQR_SceneNode* node);
    void SetRanges(float translationMin, float translationMax, float scaleMin, float scaleMax, float rotationMin,
                   float rotationMax);
    // Reads the node's transform into the sliders by the selected mode. Nothing without a node
    // or before the panel's window exists. A component outside the mode's range leaves its
    // slider as it was.
    void RefreshFromNode();
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnHScroll(UINT code, UINT position, CWnd* scrollBar) override;

private:
    struct SliderRange {
        float min;
        float max;
    };

    void OnMode(UINT id);
    void OnReset();
    void OnShowPivot();
    void InitSliders(SliderRange range, float x, float y, float z);

    TQRMFC_SliderCtrlWithEcho m_xSlider;
    TQRMFC_SliderCtrlWithEcho m_ySlider;
    TQRMFC_SliderCtrlWithEcho m_zSlider;
    float m_lastRotation[3] = {0.0f, 0.0f, 0.0f};
    int m_showPivot = 0;
    TQR_SceneNode* m_node = nullptr;
    SliderRange m_translationRange{-10.0f, 10.0f};
    SliderRange m_scaleRange{0.1f, 10.0f};
    SliderRange m_rotationRange{-180.0f, 180.0f};
};
