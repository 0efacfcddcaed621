// A debug count of the device objects alive now (Direct3D objects, devices, swap chains,
// textures), so tests can check that releasing every reference frees everything.
// System-memory buffers are not counted.
#pragma once

#include "base/win_types.h"

ULONG D3D9LiveObjectCount();

// Base of every counted object: counts itself from construction to destruction.
class D3D9LiveObject {
protected:
    D3D9LiveObject();
    ~D3D9LiveObject();

public:
    D3D9LiveObject(const D3D9LiveObject&) = delete;
    D3D9LiveObject& operator=(const D3D9LiveObject&) = delete;
};
