// Volumes that enclose geometry. The axis-aligned box is the only kind.
#pragma once

#include "scene/vector_math.h"

class TQR_DrawHelper;

class TQR_BoundingVolume {
public:
    // 0 for a box.
    virtual int GetVolumeType() const = 0;
    virtual TQR_Vector3 GetCenter() const = 0;
    // Grows to enclose another volume.
    virtual void Add(const TQR_BoundingVolume* volume) = 0;
    virtual bool Intersects(const TQR_BoundingVolume* volume) const = 0;
    // Bounds included.
    virtual bool Contains(float x, float y, float z) const = 0;
    virtual void Draw(TQR_DrawHelper* drawHelper) const = 0;

protected:
    // Volumes are held by value or owned by their primitive or resource, never deleted through
    // this interface.
    ~TQR_BoundingVolume() = default;
};

// An axis-aligned box given by its minimum and maximum corners. A new box has both corners at
// the origin, a valid box of zero size. A box is valid when max >= min on all three axes.
class TQR_BoundingBox final : public TQR_BoundingVolume {
public:
    static constexpr int kVolumeType = 0;

    int GetVolumeType() const override { return kVolumeType; }
    TQR_Vector3 GetCenter() const override;
    // Union. A null volume, a volume of another kind or an invalid box changes nothing; an
    // invalid box takes on the other box's corners.
    void Add(const TQR_BoundingVolume* volume) override;
    // Boxes that only touch intersect. A null volume or one of another kind does not.
    bool Intersects(const TQR_BoundingVolume* volume) const override;
    bool Contains(float x, float y, float z) const override;
    // The twelve edges as lines: the four at min z, the four at max z, then the four parallel
    // to the z axis. A null draw helper draws nothing.
    void Draw(TQR_DrawHelper* drawHelper) const override;

    // On each axis the smaller value becomes the minimum, so the corners may come in any order.
    void SetCorners(float x0, float y0, float z0, float x1, float y1, float z1);
    // The invalid box min (1, 1, 1), max (-1, -1, -1), which Add treats as empty.
    void MakeEmpty();
    bool IsValid() const;

    float Width() const { return m_max.x - m_min.x; }
    float Height() const { return m_max.y - m_min.y; }
    float Depth() const { return m_max.z - m_min.z; }
    TQR_Vector3 GetMin() const { return m_min; }
    TQR_Vector3 GetMax() const { return m_max; }

private:
    TQR_Vector3 m_min;
    TQR_Vector3 m_max;
};
