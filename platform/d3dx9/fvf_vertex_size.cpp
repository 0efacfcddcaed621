// Vertex sizes of every flexible vertex format, including those meshes do not draw.
#include "platform/d3dx9/d3dx9.h"

#include <algorithm>

namespace {

constexpr UINT kFloat = 4;
constexpr DWORD kXyzrhw = 0x004;
constexpr DWORD kXyzw = 0x4002;

UINT PositionSize(DWORD fvf)
{
    switch (fvf & D3DFVF_POSITION_MASK) {
    case 0:
        return 0;
    case D3DFVF_XYZ:
        return 3 * kFloat;
    case kXyzrhw:
    case kXyzw:
        return 4 * kFloat;
    default:
        // XYZB1 (0x6) to XYZB5 (0xE): the position plus one to five blend weights.
        return (3 + ((fvf & D3DFVF_POSITION_MASK) - 4) / 2) * kFloat;
    }
}

// At most eight coordinate sets; larger counts in the four count bits are not valid formats.
UINT TexCoordCount(DWORD fvf) { return std::min((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT, 8u); }

// Two format bits per coordinate set from bit 16: 0 = two floats, 1 = three, 2 = four, 3 = one.
UINT TexCoordSetSize(DWORD fvf, UINT set)
{
    constexpr UINT kComponents[4] = {2, 3, 4, 1};
    return kComponents[(fvf >> (16 + 2 * set)) & 3u] * kFloat;
}

} // namespace

UINT D3DXGetFVFVertexSize(DWORD fvf)
{
    UINT size = PositionSize(fvf);
    size += (fvf & D3DFVF_NORMAL) != 0 ? 3 * kFloat : 0;
    size += (fvf & D3DFVF_PSIZE) != 0 ? kFloat : 0;
    size += (fvf & D3DFVF_DIFFUSE) != 0 ? 4 : 0;
    size += (fvf & D3DFVF_SPECULAR) != 0 ? 4 : 0;
    for (UINT set = 0; set < TexCoordCount(fvf); ++set) {
        size += TexCoordSetSize(fvf, set);
    }
    return size;
}
