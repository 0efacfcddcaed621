#include "platform/d3d9/live_objects.h"

namespace {

ULONG& LiveCount()
{
    static ULONG count = 0;
    return count;
}

} // namespace

ULONG D3D9LiveObjectCount() { return LiveCount(); }

D3D9LiveObject::D3D9LiveObject() { ++LiveCount(); }

D3D9LiveObject::~D3D9LiveObject() { --LiveCount(); }
