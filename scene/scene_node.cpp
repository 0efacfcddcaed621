#include "scene/scene_node.h"

#include <algorithm>
#include <utility>

#include "scene/draw_helper.h"
#include "scene/primitive_axis_frame.h"

namespace {

constexpr float kPivotDiscRadius = 0.2f;
constexpr float kPivotAxisScale = 1.3f;

} // namespace

TQR_SceneNode::TQR_SceneNode(std::wstring name) : m_name(std::move(name)) {}

// The members then go in reverse order of declaration: the name, then the children.
TQR_SceneNode::~TQR_SceneNode() { m_primitive.reset(); }

void TQR_SceneNode::SetPrimitive(TQR_Primitive* primitive)
{
    // Resetting to the pointer already held would delete it and keep it dangling.
    if (primitive == m_primitive.get()) {
        return;
    }
    m_primitive.reset(primitive);
    m_changed.Touch();
}

void TQR_SceneNode::AddChild(TQR_SceneNode* child)
{
    if (child == nullptr || child == this) {
        return;
    }
    m_children.Append(child);
    m_changed.Touch();
}

void TQR_SceneNode::UpdatePosition(float seconds)
{
    const TQR_Vector3 moved = m_xformInfo.GetTranslation() + m_velocity * seconds;
    TQR_XformInfo xform = m_xformInfo;
    xform.SetTranslation(moved.x, moved.y, moved.z);
    SetXformInfo(xform);
}

void TQR_SceneNode::Draw(int levelOfDetail, TQR_DrawHelper* drawHelper)
{
    if (drawHelper == nullptr) {
        return;
    }
    drawHelper->PushModelTransform();
    m_xformInfo.SetupModelTransform(drawHelper);
    if (m_primitive != nullptr) {
        m_primitive->Draw(levelOfDetail, drawHelper);
    }
    const int childCount = NumChildren();
    for (int index = 0; index < childCount; ++index) {
        GetChild(index)->Draw(levelOfDetail, drawHelper);
    }
    if (m_showPivot) {
        DrawPivotDisplay(levelOfDetail, drawHelper);
    }
    drawHelper->PopModelTransform();
}

void TQR_SceneNode::CollectTextureFileNames(std::set<std::wstring>& names) const
{
    if (m_primitive != nullptr) {
        m_primitive->CollectTextureFileNames(names);
    }
    for (int index = 0; index < NumChildren(); ++index) {
        GetChild(index)->CollectTextureFileNames(names);
    }
}

TQR_ChangeNumber TQR_SceneNode::LastChangeInSubtree() const
{
    TQR_ChangeNumber latest = m_changed.Get();
    if (m_primitive != nullptr) {
        latest = std::max(latest, m_primitive->LastChange());
    }
    for (int index = 0; index < NumChildren(); ++index) {
        latest = std::max(latest, GetChild(index)->LastChangeInSubtree());
    }
    return latest;
}

void TQR_SceneNode::DrawPivotDisplay(int levelOfDetail, TQR_DrawHelper* drawHelper) const
{
    m_xformInfo.DrawPivot(drawHelper, kPivotDiscRadius);

    TQR_PrimitiveAxisFrame axisFrame;
    axisFrame.SetLighting(false);
    TQR_XformInfo axisScale;
    axisScale.SetScale(kPivotAxisScale, kPivotAxisScale, kPivotAxisScale);

    drawHelper->PushModelTransform();
    axisScale.SetupModelTransform(drawHelper);
    axisFrame.Draw(levelOfDetail, drawHelper);
    drawHelper->PopModelTransform();
}
