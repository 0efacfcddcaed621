#include "ui/xform_info_control.h"

#include "platform/win/win_api.h"
#include "scene/scene_node.h"
#include "ui/panel_ids.h"

CXformInfoControl::CXformInfoControl() : CDialog(IDD_XFORM_INFO_CONTROL)
{
    MapCommandRange(IDC_XFORM_TRANSLATE, IDC_XFORM_PIVOT, &CXformInfoControl::OnMode);
    MapCommand(IDC_XFORM_RESET, &CXformInfoControl::OnReset);
    MapCommand(IDC_XFORM_SHOW_PIVOT, &CXformInfoControl::OnShowPivot);
}

void CXformInfoControl::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_XFORM_X, m_xSlider);
    DDX_Control(exchange, IDC_XFORM_Y, m_ySlider);
    DDX_Control(exchange, IDC_XFORM_Z, m_zSlider);
    DDX_Check(exchange, IDC_XFORM_SHOW_PIVOT, m_showPivot);
}

BOOL CXformInfoControl::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_node = nullptr;
    CheckRadioButton(IDC_XFORM_TRANSLATE, IDC_XFORM_PIVOT, IDC_XFORM_TRANSLATE);
    RefreshFromNode();
    return TRUE;
}

void CXformInfoControl::SetSceneNode(TQR_SceneNode* node)
{
    m_node = node;
    RefreshFromNode();
}

void CXformInfoControl::SetRanges(float translationMin, float translationMax, float scaleMin, float scaleMax,
                                  float rotationMin, float rotationMax)
{
    m_translationRange = {translationMin, translationMax};
    m_scaleRange = {scaleMin, scaleMax};
    m_rotationRange = {rotationMin, rotationMax};
    RefreshFromNode();
}

void CXformInfoControl::InitSliders(SliderRange range, float x, float y, float z)
{
    m_xSlider.InitSlider(range.min, range.max, x);
    m_ySlider.InitSlider(range.min, range.max, y);
    m_zSlider.InitSlider(range.min, range.max, z);
}

void CXformInfoControl::RefreshFromNode()
{
    if (!m_node || !IsWindow(m_hWnd)) {
        return;
    }
    const TQR_XformInfo xform = m_node->GetXformInfo();
    switch (GetCheckedRadioButton(IDC_XFORM_TRANSLATE, IDC_XFORM_PIVOT)) {
    case IDC_XFORM_TRANSLATE: {
        const TQR_Vector3 t = xform.GetTranslation();
        InitSliders(m_translationRange, t.x, t.y, t.z);
        break;
    }
    case IDC_XFORM_SCALE: {
        const TQR_Vector3 s = xform.GetScale();
        InitSliders(m_scaleRange, s.x, s.y, s.z);
        break;
    }
    case IDC_XFORM_ROTATE:
        for (float& last : m_lastRotation) {
            last = 0.0f;
        }
        InitSliders(m_rotationRange, 0.0f, 0.0f, 0.0f);
        break;
    case IDC_XFORM_PIVOT: {
        const TQR_Vector3 p = xform.GetPivot();
        InitSliders(m_translationRange, p.x, p.y, p.z);
        break;
    }
    default:
        break;
    }
    m_showPivot = m_node->IsPivotVisible() ? 1 : 0;
    UpdateData(FALSE);
}

void CXformInfoControl::OnHScroll(UINT code, UINT position, CWnd* scrollBar)
{
    if (!m_node) {
        return;
    }
    const float x = m_xSlider.GetValue();
    const float y = m_ySlider.GetValue();
    const float z = m_zSlider.GetValue();
    TQR_XformInfo xform = m_node->GetXformInfo();
    switch (GetCheckedRadioButton(IDC_XFORM_TRANSLATE, IDC_XFORM_PIVOT)) {
    case IDC_XFORM_TRANSLATE:
        xform.SetTranslation(x, y, z);
        break;
    case IDC_XFORM_SCALE:
        xform.SetScale(x, y, z);
        break;
    case IDC_XFORM_ROTATE: {
        const float dx = x - m_lastRotation[0];
        const float dy = y - m_lastRotation[1];
        const float dz = z - m_lastRotation[2];
        m_lastRotation[0] = x;
        m_lastRotation[1] = y;
        m_lastRotation[2] = z;
        xform.RotateX(dx);
        xform.RotateY(dy);
        xform.RotateZ(dz);
        break;
    }
    case IDC_XFORM_PIVOT:
        xform.SetPivot(x, y, z);
        break;
    default:
        break;
    }
    m_node->SetXformInfo(xform);
    CDialog::OnHScroll(code, position, scrollBar);
}

void CXformInfoControl::OnMode(UINT) { RefreshFromNode(); }

void CXformInfoControl::OnReset()
{
    if (!m_node) {
        return;
    }
    // A fresh transform, so the pivot goes back to the origin too.
    TQR_XformInfo identity;
    identity.Reset();
    m_node->SetXformInfo(identity);
    RefreshFromNode();
}

void CXformInfoControl::OnShowPivot()
{
    UpdateData(TRUE);
    if (m_node) {
        m_node->SetPivotVisible(m_showPivot == 1);
    }
}
