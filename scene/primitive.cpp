#include "scene/primitive.h"

#include "scene/bounding_box.h"
#include "scene/draw_helper.h"

void TQR_Primitive::Update(float) {}

void TQR_Primitive::PlaceVertex(int, float, float) {}

void TQR_Primitive::DragVertex(float, float) {}

TQR_Vector3 TQR_Primitive::GetLocation() const { return {0.0f, 0.0f, 0.0f}; }

const TQR_BoundingVolume* TQR_Primitive::GetBoundingVolume(int) { return nullptr; }

void TQR_Primitive::SetVelocityAwayFrom(const TQR_Vector3& point)
{
    const TQR_Vector3 direction = VectorNormalize(GetLocation() - point);
    m_primVelocity = direction * VectorLength(m_primVelocity);
}

void TQR_Primitive::Draw(int levelOfDetail, TQR_DrawHelper* drawHelper)
{
    if (!m_visible || drawHelper == nullptr) {
        return;
    }
    SetupDrawAttributes(drawHelper);
    DrawGeometry(levelOfDetail, drawHelper);
    if (m_showBoundingVolume) {
        DrawBoundingVolume(levelOfDetail, drawHelper, TQR_Color(255, 0, 0, 255));
    }
}

void TQR_Primitive::DrawBoundingVolume(int levelOfDetail, TQR_DrawHelper* drawHelper, const TQR_Color& color)
{
    const TQR_BoundingVolume* volume = GetBoundingVolume(levelOfDetail);
    if (volume == nullptr || drawHelper == nullptr) {
        return;
    }
    drawHelper->ResetAttributes();
    drawHelper->SetColor1(color);
    drawHelper->SetShadeMode(TQR_ShadeMode::Flat);
    drawHelper->SetFillMode(TQR_FillMode::Wireframe);
    volume->Draw(drawHelper);
}

void TQR_Primitive::CollectTextureFileNames(std::set<std::wstring>& names) const
{
    if (!m_textureFileName.empty()) {
        names.insert(m_textureFileName);
    }
}

void TQR_Primitive::SetupDrawAttributes(TQR_DrawHelper* drawHelper)
{
    drawHelper->ResetAttributes();
    drawHelper->SetColor1(m_flatColor);
    drawHelper->SetMaterial(m_material);
    drawHelper->EnableBlending(m_blending);
    drawHelper->SetTextureFileName(m_textureFileName);
    drawHelper->EnableTexture(m_texturing);
    drawHelper->EnableLighting(m_lighting);
}

void TQR_Primitive::SetupSurfaceModes(TQR_DrawHelper* drawHelper) const
{
    drawHelper->SetColor2(m_secondColor);
    drawHelper->SetShadeMode(m_shadeMode);
    drawHelper->SetFillMode(m_fillMode);
}
