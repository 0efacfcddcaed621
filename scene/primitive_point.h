// A single point, drawn at the primitive's point size.
#pragma once

#include "scene/bounding_box.h"
#include "scene/primitive.h"

class TQR_PrimitivePoint : public TQR_Primitive {
public:
    // Moves the point and shrinks its box onto the new location.
    void SetLocation(float x, float y, float z);

    void Update(float seconds) override;
    // The point jumps to (x, y, 0) whatever the index.
    void PlaceVertex(int index, float x, float y) override;
    void DragVertex(float x, float y) override;
    TQR_Vector3 GetLocation() const override { return m_location; }
    // The box of zero size at the location.
    const TQR_BoundingVolume* GetBoundingVolume(int levelOfDetail) override;

protected:
    // The base attributes, then the point size.
    void SetupDrawAttributes(TQR_DrawHelper* drawHelper) override;
    void DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper) override;

private:
    TQR_Vector3 m_location{0.0f, 0.0f, 0.0f};
    TQR_BoundingBox m_box;
};
