#include "scene/primitive_axis_frame.h"

#include "scene/draw_helper.h"

void TQR_PrimitiveAxisFrame::SetupDrawAttributes(TQR_DrawHelper* drawHelper)
{
    TQR_Primitive::SetupDrawAttributes(drawHelper);
    drawHelper->SetShadeMode(TQR_ShadeMode::Flat);
}

void TQR_PrimitiveAxisFrame::DrawGeometry(int, TQR_DrawHelper* drawHelper)
{
    drawHelper->SetColor1(TQR_Color(255, 0, 0, 255));
    drawHelper->DrawLine(0.0f, 0.0f, 0.0f, kAxisLength, 0.0f, 0.0f);
    drawHelper->SetColor1(TQR_Color(0, 255, 0, 255));
    drawHelper->DrawLine(0.0f, 0.0f, 0.0f, 0.0f, kAxisLength, 0.0f);
    drawHelper->SetColor1(TQR_Color(0, 0, 255, 255));
    drawHelper->DrawLine(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, kAxisLength);
}
