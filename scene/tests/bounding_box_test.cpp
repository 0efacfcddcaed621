#include "scene/bounding_box.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scene/testing/recording_draw_helper.h"

namespace {

TQR_BoundingBox Box(float x0, float y0, float z0, float x1, float y1, float z1)
{
    TQR_BoundingBox box;
    box.SetCorners(x0, y0, z0, x1, y1, z1);
    return box;
}

TQR_BoundingBox EmptyBox()
{
    TQR_BoundingBox box;
    box.MakeEmpty();
    return box;
}

// A volume of another kind, which boxes must ignore.
class Sphere final : public TQR_BoundingVolume {
public:
    int GetVolumeType() const override { return 1; }
    TQR_Vector3 GetCenter() const override { return {}; }
    void Add(const TQR_BoundingVolume*) override {}
    bool Intersects(const TQR_BoundingVolume*) const override { return true; }
    bool Contains(float, float, float) const override { return true; }
    void Draw(TQR_DrawHelper*) const override {}
};

void ExpectCorners(const TQR_BoundingBox& box, const TQR_Vector3& min, const TQR_Vector3& max)
{
    EXPECT_EQ(box.GetMin(), min);
    EXPECT_EQ(box.GetMax(), max);
}

TEST(BoundingBoxTest, SetCornersSortsEachAxis)
{
    const TQR_BoundingBox box = Box(1, 5, -2, -1, 3, 4);
    ExpectCorners(box, {-1, 3, -2}, {1, 5, 4});
    EXPECT_EQ(box.GetCenter(), (TQR_Vector3{0, 4, 1}));
    EXPECT_EQ(box.Width(), 2.0f);
    EXPECT_EQ(box.Height(), 2.0f);
    EXPECT_EQ(box.Depth(), 6.0f);
}

TEST(BoundingBoxTest, EmptyBoxIsInvalidWithMinusTwoExtent)
{
    const TQR_BoundingBox empty = EmptyBox();
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.Width(), -2.0f);
    EXPECT_EQ(empty.Height(), -2.0f);
    EXPECT_EQ(empty.Depth(), -2.0f);
    EXPECT_TRUE(TQR_BoundingBox().IsValid());
}

TEST(BoundingBoxTest, UnionRules)
{
    const TQR_BoundingBox away = Box(2, 3, 4, 5, 6, 7);
    const Sphere sphere;
    const TQR_BoundingBox empty = EmptyBox();
    struct Case {
        const char* name;
        TQR_BoundingBox start;
        const TQR_BoundingVolume* added;
        TQR_Vector3 min;
        TQR_Vector3 max;
    } const cases[] = {
        {"empty takes a copy", EmptyBox(), &away, {2, 3, 4}, {5, 6, 7}},
        {"adding an empty box changes nothing", Box(0, 0, 0, 1, 1, 1), &empty, {0, 0, 0}, {1, 1, 1}},
        {"new box keeps the origin", TQR_BoundingBox(), &away, {0, 0, 0}, {5, 6, 7}},
        {"null changes nothing", Box(-1, -1, -1, 0, 0, 0), nullptr, {-1, -1, -1}, {0, 0, 0}},
        {"other kind changes nothing", Box(-1, -1, -1, 0, 0, 0), &sphere, {-1, -1, -1}, {0, 0, 0}},
        {"overlapping boxes", Box(3, 0, 5, 9, 4, 6), &away, {2, 0, 4}, {9, 6, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TQR_BoundingBox box = c.start;
        box.Add(c.added);
        ExpectCorners(box, c.min, c.max);
    }
}

TEST(BoundingBoxTest, OverlapRules)
{
    const TQR_BoundingBox box = Box(0, 0, 0, 1, 1, 1);
    struct Case {
        const char* name;
        TQR_BoundingBox other;
        bool intersects;
    } const cases[] = {
        {"shared face", Box(1, 0, 0, 2, 1, 1), true},
        {"shared corner", Box(1, 1, 1, 2, 2, 2), true},
        {"inside", Box(0.2f, 0.2f, 0.2f, 0.3f, 0.3f, 0.3f), true},
        {"apart in z only", Box(0, 0, 1.01f, 1, 1, 2), false},
        {"below in x", Box(-2, 0, 0, -0.5f, 1, 1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(box.Intersects(&c.other), c.intersects);
        EXPECT_EQ(c.other.Intersects(&box), c.intersects);
    }
    const Sphere sphere;
    EXPECT_FALSE(box.Intersects(&sphere));
    EXPECT_FALSE(box.Intersects(nullptr));
}

TEST(BoundingBoxTest, ContainsIncludesTheFaces)
{
    const TQR_BoundingBox box = Box(0, 0, 0, 1, 2, 3);
    EXPECT_TRUE(box.Contains(1, 2, 3));
    EXPECT_TRUE(box.Contains(0, 1, 1.5f));
    EXPECT_FALSE(box.Contains(0, 2.001f, 1));
    EXPECT_FALSE(EmptyBox().Contains(0, 0, 0));
}

TEST(BoundingBoxTest, DrawsTwelveEdgesMinZFaceFirst)
{
    const TQR_BoundingBox box = Box(0, 0, 0, 1, 2, 3);
    TQR_RecordingDrawHelper helper;
    box.Draw(&helper);
    ASSERT_EQ(helper.CountCalls("DrawLine"), 12);
    ASSERT_EQ(helper.Calls().size(), 12u);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        const std::vector<double>& a = helper.Calls()[static_cast<std::size_t>(i)].args;
        const double length = std::abs(a[0] - a[3]) + std::abs(a[1] - a[4]) + std::abs(a[2] - a[5]);
        EXPECT_GT(length, 0.0) << "a degenerate edge";
        if (i < 4) {
            EXPECT_TRUE(a[2] == 0.0 && a[5] == 0.0);
        } else if (i < 8) {
            EXPECT_TRUE(a[2] == 3.0 && a[5] == 3.0);
        } else {
            EXPECT_TRUE(a[0] == a[3] && a[1] == a[4] && a[2] == 0.0 && a[5] == 3.0);
        }
    }
    box.Draw(nullptr);
}

} // namespace
