#include "scene/draw_helper.h"

TQR_DrawHelper::TQR_DrawHelper()
{
    // The base class's own operations: construction touches no device state.
    TQR_DrawHelper::ResetAttributes();
}

bool TQR_DrawHelper::DrawPoint(float, float, float) { return false; }

bool TQR_DrawHelper::DrawLine(float, float, float, float, float, float) { return false; }

bool TQR_DrawHelper::DrawCircle(float, float, float, float) { return false; }

bool TQR_DrawHelper::DrawRectangleXY(float, float, float, float, float, float) { return false; }

bool TQR_DrawHelper::DrawRectangleXZ(float, float, float, float, float, float) { return false; }

void TQR_DrawHelper::ResetAttributes()
{
    const TQR_Color opaqueWhite(255, 255, 255, 255);
    m_pointSize = 1.0f;
    m_color1 = opaqueWhite;
    m_color2 = opaqueWhite;
    EnableBlending(false);
    EnableTexture(false);
}

bool TQR_DrawHelper::SetTransformation(float, float, float, float, float, float, float, float, float, float, float,
                                       float, float, float, float, float, float, float)
{
    return false;
}

bool TQR_DrawHelper::PushModelTransform() { return false; }

bool TQR_DrawHelper::PopModelTransform() { return false; }

bool TQR_DrawHelper::InitializeModelTransform() { return false; }

bool TQR_DrawHelper::TransformPoint(TQR_Vector3&) { return false; }

void TQR_DrawHelper::SetShadeMode(TQR_ShadeMode mode) { m_shadeMode = mode; }

void TQR_DrawHelper::SetFillMode(TQR_FillMode mode) { m_fillMode = mode; }

bool TQR_DrawHelper::EnableBlending(bool) { return false; }

void TQR_DrawHelper::SetTextureFileName(const std::wstring& fileName) { m_textureFileName = fileName; }

bool TQR_DrawHelper::EnableTexture(bool) { return false; }

bool TQR_DrawHelper::EnableLighting(bool) { return false; }

TQR_Color TQR_DrawHelper::SetColor1(const TQR_Color& color)
{
    const TQR_Color previous = m_color1;
    m_color1 = color;
    OnAttributeSet(TQR_DrawAttribute::Color1);
    return previous;
}

TQR_Color TQR_DrawHelper::SetColor2(const TQR_Color& color)
{
    const TQR_Color previous = m_color2;
    m_color2 = color;
    OnAttributeSet(TQR_DrawAttribute::Color2);
    return previous;
}

float TQR_DrawHelper::SetPointSize(float size)
{
    const float previous = m_pointSize;
    m_pointSize = size;
    OnAttributeSet(TQR_DrawAttribute::PointSize);
    return previous;
}

TQR_Material TQR_DrawHelper::SetMaterial(const TQR_Material& material)
{
    const TQR_Material previous = m_material;
    m_material = material;
    OnAttributeSet(TQR_DrawAttribute::Material);
    return previous;
}

void TQR_DrawHelper::OnAttributeSet(TQR_DrawAttribute) {}
