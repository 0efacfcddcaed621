// A primitive made of an ordered list of member primitives that it owns.
#pragma once

#include "scene/containers.h"
#include "scene/primitive.h"

class TQR_PrimitiveList : public TQR_Primitive {
public:
    // Takes ownership of the primitive, created with new by the caller, and appends it. A null
    // primitive or the list itself is refused.
    void AddPrimitive(TQR_Primitive* primitive);
    int NumPrimitives() const { return m_primitives.Count(); }
    // Null when the index is negative or not less than NumPrimitives().
    TQR_Primitive* GetPrimitiveAt(int index) const { return m_primitives.Get(index); }

    // Moves every member.
    void Update(float seconds) override;
    // The list's own name and every member's.
    void CollectTextureFileNames(std::set<std::wstring>& names) const override;
    // The latest change of the list itself or of any member.
    TQR_ChangeNumber LastChange() const override;

protected:
    // Each member draws itself with its own attributes, in list order.
    void DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper) override;

private:
    TQR_PointerArray<TQR_Primitive*> m_primitives;
};
