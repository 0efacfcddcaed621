#include "platform/d3d9/vertex_layout.h"

namespace {

constexpr DWORD kKnownBits =
    D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_PSIZE | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK;
constexpr DWORD kMaxTexCoordSets = 8;
constexpr UINT kFloatSize = 4;

// Appends a part of the given size when the format has it, returning its offset.
std::optional<UINT> Place(DWORD fvf, DWORD bit, UINT partSize, UINT* offset)
{
    if ((fvf & bit) == 0) {
        return std::nullopt;
    }
    const UINT at = *offset;
    *offset += partSize;
    return at;
}

} // namespace

std::optional<VertexLayout> LayoutOfFvf(DWORD fvf)
{
    const DWORD texCoordCount = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if ((fvf & ~kKnownBits) != 0 || (fvf & D3DFVF_POSITION_MASK) != D3DFVF_XYZ || texCoordCount > kMaxTexCoordSets) {
        return std::nullopt;
    }
    VertexLayout layout;
    UINT offset = 3 * kFloatSize;
    layout.normal = Place(fvf, D3DFVF_NORMAL, 3 * kFloatSize, &offset);
    layout.pointSize = Place(fvf, D3DFVF_PSIZE, kFloatSize, &offset);
    layout.diffuse = Place(fvf, D3DFVF_DIFFUSE, sizeof(D3DCOLOR), &offset);
    layout.specular = Place(fvf, D3DFVF_SPECULAR, sizeof(D3DCOLOR), &offset);
    if (texCoordCount > 0) {
        layout.texCoord0 = offset;
        offset += texCoordCount * 2 * kFloatSize;
    }
    layout.size = offset;
    return layout;
}
