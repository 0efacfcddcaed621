#include "scene/testing/recording_draw_helper.h"

#include <algorithm>
#include <utility>

namespace {

double Flag(bool on) { return on ? 1.0 : 0.0; }

} // namespace

void TQR_RecordingDrawHelper::Record(std::string name, std::vector<double> args, std::wstring text)
{
    m_calls.push_back({std::move(name), std::move(args), std::move(text), m_stack.Top()});
}

bool TQR_RecordingDrawHelper::DrawPoint(float x, float y, float z)
{
    Record("DrawPoint", {x, y, z});
    return true;
}

bool TQR_RecordingDrawHelper::DrawLine(float x1, float y1, float z1, float x2, float y2, float z2)
{
    Record("DrawLine", {x1, y1, z1, x2, y2, z2});
    return true;
}

bool TQR_RecordingDrawHelper::DrawCircle(float x, float y, float z, float radius)
{
    Record("DrawCircle", {x, y, z, radius});
    return true;
}

bool TQR_RecordingDrawHelper::DrawRectangleXY(float x1, float y1, float z1, float x2, float y2, float z2)
{
    Record("DrawRectangleXY", {x1, y1, z1, x2, y2, z2});
    return true;
}

bool TQR_RecordingDrawHelper::DrawRectangleXZ(float x1, float y1, float z1, float x2, float y2, float z2)
{
    Record("DrawRectangleXZ", {x1, y1, z1, x2, y2, z2});
    return true;
}

void TQR_RecordingDrawHelper::ResetAttributes()
{
    Record("ResetAttributes", {});
    TQR_DrawHelper::ResetAttributes();
}

bool TQR_RecordingDrawHelper::SetTransformation(float tx, float ty, float tz, float sx, float sy, float sz, float r00,
                                                float r01, float r02, float r10, float r11, float r12, float r20,
                                                float r21, float r22, float px, float py, float pz)
{
    TQR_Matrix3 rotation;
    const float rows[3][3] = {{r00, r01, r02}, {r10, r11, r12}, {r20, r21, r22}};
    std::copy(&rows[0][0], &rows[0][0] + 9, &rotation.m[0][0]);
    const TQR_Vector3 pivot{px, py, pz};
    m_stack.MultiplyLocal(TQR_Matrix4::Translation({tx, ty, tz}));
    m_stack.MultiplyLocal(TQR_Matrix4::Translation(pivot));
    m_stack.MultiplyLocal(TQR_Matrix4::Rotation(rotation));
    m_stack.MultiplyLocal(TQR_Matrix4::Scaling({sx, sy, sz}));
    m_stack.MultiplyLocal(TQR_Matrix4::Translation(pivot * -1.0f));
    Record("SetTransformation", {tx, ty, tz, sx, sy, sz, r00, r01, r02, r10, r11, r12, r20, r21, r22, px, py, pz});
    return true;
}

bool TQR_RecordingDrawHelper::PushModelTransform()
{
    m_stack.Push();
    Record("PushModelTransform", {});
    return true;
}

bool TQR_RecordingDrawHelper::PopModelTransform()
{
    const bool popped = m_stack.Pop();
    Record("PopModelTransform", {});
    return popped;
}

bool TQR_RecordingDrawHelper::InitializeModelTransform()
{
    m_stack.LoadIdentity();
    Record("InitializeModelTransform", {});
    return true;
}

bool TQR_RecordingDrawHelper::TransformPoint(TQR_Vector3& point)
{
    Record("TransformPoint", {point.x, point.y, point.z});
    point = m_stack.Top().TransformCoord(point);
    return true;
}

void TQR_RecordingDrawHelper::SetShadeMode(TQR_ShadeMode mode)
{
    TQR_DrawHelper::SetShadeMode(mode);
    Record("SetShadeMode", {static_cast<double>(static_cast<int>(mode))});
}

void TQR_RecordingDrawHelper::SetFillMode(TQR_FillMode mode)
{
    TQR_DrawHelper::SetFillMode(mode);
    Record("SetFillMode", {static_cast<double>(static_cast<int>(mode))});
}

bool TQR_RecordingDrawHelper::EnableBlending(bool on)
{
    Record("EnableBlending", {Flag(on)});
    return true;
}

void TQR_RecordingDrawHelper::SetTextureFileName(const std::wstring& fileName)
{
    TQR_DrawHelper::SetTextureFileName(fileName);
    Record("SetTextureFileName", {}, fileName);
}

bool TQR_RecordingDrawHelper::EnableTexture(bool on)
{
    Record("EnableTexture", {Flag(on)});
    return true;
}

bool TQR_RecordingDrawHelper::EnableLighting(bool on)
{
    Record("EnableLighting", {Flag(on)});
    return true;
}

void TQR_RecordingDrawHelper::OnAttributeSet(TQR_DrawAttribute attribute)
{
    switch (attribute) {
    case TQR_DrawAttribute::Color1:
        Record("SetColor1", {static_cast<double>(GetColor1().GetARGB())});
        return;
    case TQR_DrawAttribute::Color2:
        Record("SetColor2", {static_cast<double>(GetColor2().GetARGB())});
        return;
    case TQR_DrawAttribute::PointSize:
        Record("SetPointSize", {GetPointSize()});
        return;
    case TQR_DrawAttribute::Material: {
        const TQR_Material& material = GetMaterial();
        Record("SetMaterial",
               {static_cast<double>(material.m_diffuse.GetARGB()), static_cast<double>(material.m_ambient.GetARGB()),
                static_cast<double>(material.m_specular.GetARGB()), static_cast<double>(material.m_emissive.GetARGB()),
                material.m_power});
        return;
    }
    }
}

std::vector<std::string> TQR_RecordingDrawHelper::CallNames() const
{
    std::vector<std::string> names;
    names.reserve(m_calls.size());
    for (const TQR_RecordedCall& call : m_calls) {
        names.push_back(call.name);
    }
    return names;
}

int TQR_RecordingDrawHelper::CountCalls(const std::string& name) const
{
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(),
                                          [&name](const TQR_RecordedCall& call) { return call.name == name; }));
}
