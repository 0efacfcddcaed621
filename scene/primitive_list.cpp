#include "scene/primitive_list.h"

void TQR_PrimitiveList::AddPrimitive(TQR_Primitive* primitive)
{
    if (primitive == nullptr || primitive == this) {
        return;
    }
    m_primitives.Append(primitive);
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

void TQR_PrimitiveList::DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper)
{
    for (int index = 0; index < NumPrimitives(); ++index) {
        GetPrimitiveAt(index)->Draw(levelOfDetail, drawHelper);
    }
}
