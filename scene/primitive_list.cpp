#include "scene/primitive_list.h"

#include <algorithm>

void TQR_PrimitiveList::AddPrimitive(TQR_Primitive* primitive)
{
    if (primitive == nullptr || primitive == this) {
        return;
    }
    m_primitives.Append(primitive);
    MarkChanged();
}

void TQR_PrimitiveList::Update(float seconds)
{
    for (int index = 0; index < NumPrimitives(); ++index) {
        GetPrimitiveAt(index)->Update(seconds);
    }
}

void TQR_PrimitiveList::CollectTextureFileNames(std::set<std::wstring>& names) const
{
    TQR_Primitive::CollectTextureFileNames(names);
    for (int index = 0; index < NumPrimitives(); ++index) {
        GetPrimitiveAt(index)->CollectTextureFileNames(names);
    }
}

TQR_ChangeNumber TQR_PrimitiveList::LastChange() const
{
    TQR_ChangeNumber latest = TQR_Primitive::LastChange();
    for (int index = 0; index < NumPrimitives(); ++index) {
        latest = std::max(latest, GetPrimitiveAt(index)->LastChange());
    }
    return latest;
}

void TQR_PrimitiveList::DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper)
{
    for (int index = 0; index < NumPrimitives(); ++index) {
        GetPrimitiveAt(index)->Draw(levelOfDetail, drawHelper);
    }
}
