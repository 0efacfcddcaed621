// Three axis lines from the origin, red along X, green along Y and blue along Z. Drawn at a
// node's origin when the node shows its pivot; with lighting off the lines take their colours
// unshaded.
#pragma once

#include "scene/primitive.h"

class TQR_PrimitiveAxisFrame : public TQR_Primitive {
public:
    static constexpr float kAxisLength = 1.0f;

protected:
    // The base attributes, then flat shading so each line keeps one colour.
    void SetupDrawAttributes(TQR_DrawHelper* drawHelper) override;
    void DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper) override;
};
