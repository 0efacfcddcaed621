// A draw helper for tests of the scene and the layers above it: it records every call (name
// and arguments, in order) and keeps a real model matrix stack, so tests can check drawing
// protocols and the transforms composed through SetTransformation without a device.
#pragma once

#include <string>
#include <vector>

#include "scene/draw_helper.h"
#include "scene/testing/model_matrix_stack.h"

struct TQR_RecordedCall {
    // The operation's name, e.g. "DrawLine", "SetColor1".
    std::string name;
    // Numeric arguments in order: bools as 0 or 1, colours as their packed ARGB word, a material
    // as its diffuse, ambient, specular and emissive words and its power. SetTransformation
    // records its 18 floats.
    std::vector<double> args;
    // The text argument of SetTextureFileName.
    std::wstring text;
    // The top of the model matrix stack when the call was made (after it, for stack operations).
    TQR_Matrix4 model;
};

class TQR_RecordingDrawHelper : public TQR_DrawHelper {
public:
    bool DrawPoint(float x, float y, float z) override;
    bool DrawLine(float x1, float y1, float z1, float x2, float y2, float z2) override;
    bool DrawCircle(float x, float y, float z, float radius) override;
    bool DrawRectangleXY(float x1, float y1, float z1, float x2, float y2, float z2) override;
    bool DrawRectangleXZ(float x1, float y1, float z1, float x2, float y2, float z2) override;
    void ResetAttributes() override;
    bool SetTransformation(float tx, float ty, float tz, float sx, float sy, float sz, float r00, float r01, float r02,
                           float r10, float r11, float r12, float r20, float r21, float r22, float px, float py,
                           float pz) override;
    bool PushModelTransform() override;
    // False (and nothing popped) when only the base matrix is left.
    bool PopModelTransform() override;
    bool InitializeModelTransform() override;
    bool TransformPoint(TQR_Vector3& point) override;
    void SetShadeMode(TQR_ShadeMode mode) override;
    void SetFillMode(TQR_FillMode mode) override;
    bool EnableBlending(bool on) override;
    void SetTextureFileName(const std::wstring& fileName) override;
    bool EnableTexture(bool on) override;
    bool EnableLighting(bool on) override;

    const std::vector<TQR_RecordedCall>& Calls() const { return m_calls; }
    // The recorded names in order.
    std::vector<std::string> CallNames() const;
    int CountCalls(const std::string& name) const;
    void ClearCalls() { m_calls.clear(); }

    const TQR_Matrix4& ModelMatrix() const { return m_stack.Top(); }
    // 1 when every push has been popped.
    int StackDepth() const { return m_stack.Depth(); }

protected:
    void OnAttributeSet(TQR_DrawAttribute attribute) override;

private:
    void Record(std::string name, std::vector<double> args, std::wstring text = {});

    std::vector<TQR_RecordedCall> m_calls;
    TQR_ModelMatrixStack m_stack;
};
