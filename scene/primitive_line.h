// A line segment, drawn from the first colour at its start to the second colour at its end when
// smooth shaded.
#pragma once

#include "scene/bounding_box.h"
#include "scene/primitive.h"

class TQR_PrimitiveLine : public TQR_Primitive {
public:
    void SetStart(float x, float y, float z) { MoveEnds({x, y, z}, m_end); }
    void SetEnd(float x, float y, float z) { MoveEnds(m_start, {x, y, z}); }

    // Both ends move by the velocity times seconds.
    void Update(float seconds) override;
    // Index 0 starts a new segment at (x, y, 0); every index moves the end there.
    void PlaceVertex(int index, float x, float y) override;
    // The end follows the pointer in the plane z = 0.
    void DragVertex(float x, float y) override;
    // The midpoint.
    TQR_Vector3 GetLocation() const override;
    // The box spanned by the two ends.
    const TQR_BoundingVolume* GetBoundingVolume(int levelOfDetail) override;

protected:
    // The base attributes, then the second colour and the shade mode.
    void SetupDrawAttributes(TQR_DrawHelper* drawHelper) override;
    void DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper) override;

private:
    // Marks the primitive changed when either end moves.
    void MoveEnds(const TQR_Vector3& start, const TQR_Vector3& end);

    TQR_Vector3 m_start{0.0f, 0.0f, 0.0f};
    TQR_Vector3 m_end{0.0f, 0.0f, 0.0f};
    TQR_BoundingBox m_box;
};
