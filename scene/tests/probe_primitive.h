// Test support: primitives and recorded-call helpers shared by the scene's tests.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "scene/bounding_box.h"
#include "scene/draw_helper.h"
#include "scene/primitive.h"
#include "scene/testing/recording_draw_helper.h"

// Its geometry is one point at (tag, 0, 0), so the drawing order can be read off the recorded
// calls; it may carry a box, sums the seconds of Update and counts its destructions.
class TQR_ProbePrimitive : public TQR_Primitive {
public:
    explicit TQR_ProbePrimitive(float tag = 0.0f, int* destructions = nullptr)
        : m_tag(tag), m_destructions(destructions)
    {
    }
    ~TQR_ProbePrimitive() override
    {
        if (m_destructions != nullptr) {
            ++*m_destructions;
        }
    }

    void GiveBox(float x0, float y0, float z0, float x1, float y1, float z1)
    {
        m_box.SetCorners(x0, y0, z0, x1, y1, z1);
        m_hasBox = true;
    }
    const TQR_BoundingVolume* GetBoundingVolume(int) override { return m_hasBox ? &m_box : nullptr; }
    void Update(float seconds) override { m_updatedSeconds += seconds; }
    float UpdatedSeconds() const { return m_updatedSeconds; }

protected:
    void DrawGeometry(int, TQR_DrawHelper* drawHelper) override { drawHelper->DrawPoint(m_tag, 0.0f, 0.0f); }

private:
    float m_tag;
    int* m_destructions;
    bool m_hasBox = false;
    TQR_BoundingBox m_box;
    float m_updatedSeconds = 0.0f;
};

// "Name", "Name arg" or "Name text": a call with its first argument (colours as their ARGB word).
inline std::string Sig(const std::string& name, double arg)
{
    char text[32];
    std::snprintf(text, sizeof text, " %.10g", arg);
    return name + text;
}

inline std::string Sig(const TQR_RecordedCall& call)
{
    if (!call.text.empty()) {
        return call.name + " " + std::string(call.text.begin(), call.text.end());
    }
    return call.args.empty() ? call.name : Sig(call.name, call.args[0]);
}

// The signatures of the recorded calls whose names are in the filter (all when it is empty).
inline std::vector<std::string> Sigs(const TQR_RecordingDrawHelper& helper, const std::vector<std::string>& filter = {})
{
    std::vector<std::string> sigs;
    for (const TQR_RecordedCall& call : helper.Calls()) {
        if (filter.empty() || std::find(filter.begin(), filter.end(), call.name) != filter.end()) {
            sigs.push_back(Sig(call));
        }
    }
    return sigs;
}
