// A node of the scene graph: a name, a transform relative to the parent, at most one primitive,
// any number of children and a velocity for simple motion. A node owns its primitive and its
// children; deleting a node deletes its whole subtree and every primitive in it. There is no
// parent pointer.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "scene/change_stamp.h"
#include "scene/containers.h"
#include "scene/primitive.h"
#include "scene/transform.h"
#include "scene/vector_math.h"

class TQR_DrawHelper;

class TQR_SceneNode {
public:
    explicit TQR_SceneNode(std::wstring name);
    // Deletes the primitive, then the name, then every child.
    virtual ~TQR_SceneNode();

    TQR_SceneNode(const TQR_SceneNode&) = delete;
    TQR_SceneNode& operator=(const TQR_SceneNode&) = delete;

    // Valid while the node lives and keeps its name. Names need not be unique.
    virtual const wchar_t* GetName() const { return m_name.c_str(); }

    // Deletes the current primitive and takes ownership of the new one (which may be null).
    // Handing over the primitive the node already holds changes nothing.
    void SetPrimitive(TQR_Primitive* primitive);
    TQR_Primitive* GetPrimitive() const { return m_primitive.get(); }

    // Takes ownership of the child, created with new by the caller, and appends it. A null
    // child or the node itself is refused.
    void AddChild(TQR_SceneNode* child);
    int NumChildren() const { return m_children.Count(); }
    // Null when the index is negative or not less than NumChildren().
    TQR_SceneNode* GetChild(int index) const { return m_children.Get(index); }

    // A copy: callers edit it and store it back.
    TQR_XformInfo GetXformInfo() const { return m_xformInfo; }
    void SetXformInfo(const TQR_XformInfo& xformInfo) { m_changed.Assign(m_xformInfo, xformInfo); }

    // Units per second, used only by UpdatePosition.
    void SetVelocity(float x, float y, float z) { m_velocity = {x, y, z}; }
    // Translation += velocity * seconds; nothing else changes.
    void UpdatePosition(float seconds);

    // Drawing then also shows the pivot disc and an axis frame at the node's origin.
    void SetPivotVisible(bool visible) { m_changed.Assign(m_showPivot, visible); }
    bool IsPivotVisible() const { return m_showPivot; }

    // Within one pushed model matrix: the node's transform, its primitive, its children in
    // index order and, when shown, the pivot display. The level of detail is passed down
    // unchanged. Nothing without a draw helper.
    void Draw(int levelOfDetail, TQR_DrawHelper* drawHelper);

    // Adds the texture file names of the primitives in the subtree to names.
    void CollectTextureFileNames(std::set<std::wstring>& names) const;

    // The number of the latest change anywhere in the subtree: a transform, the pivot display,
    // a primitive handed over or changed, a child added (see change_stamp.h).
    TQR_ChangeNumber LastChangeInSubtree() const;

private:
    // The pivot disc, then a temporary unlit axis frame scaled to 1.3, both in the node's frame.
    void DrawPivotDisplay(int levelOfDetail, TQR_DrawHelper* drawHelper) const;

    TQR_ChangeStamp m_changed;
    std::unique_ptr<TQR_Primitive> m_primitive;
    TQR_PointerArray<TQR_SceneNode*> m_children;
    TQR_Vector3 m_velocity{0.0f, 0.0f, 0.0f};
    TQR_XformInfo m_xformInfo;
    bool m_showPivot = false;
    std::wstring m_name;
};
