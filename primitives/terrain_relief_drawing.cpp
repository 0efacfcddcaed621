#include "primitives/terrain_relief_drawing.h"

#include <cstring>
#include <utility>

namespace {

// The texture of ContourTexels (the texels computed once); null when the device cannot make it.
// It is made per draw: 32 KiB cost next to nothing to upload, and no texture outlives the device
// it came from.
ComPtr<IDirect3DTexture9> MakeContourTexture(IDirect3DDevice9& device)
{
    ComPtr<IDirect3DTexture9> texture;
    if (FAILED(device.CreateTexture(kContourTexels, kContourRows, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                    texture.ReleaseAndGetAddressOf(), nullptr))) {
        return {};
    }
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) {
        return {};
    }
    static const std::vector<std::uint32_t> texels = ContourTexels();
    for (int row = 0; row < kContourRows; ++row) {
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + static_cast<std::ptrdiff_t>(row) * locked.Pitch,
                    texels.data() + static_cast<std::ptrdiff_t>(row) * kContourTexels,
                    kContourTexels * sizeof(std::uint32_t));
    }
    texture->UnlockRect(0);
    return texture;
}

} // namespace

bool TerrainReliefDrawing::SetStyle(const TerrainReliefStyle& style)
{
    const TerrainReliefStyle sanitised = style.Sanitised();
    if (sanitised == m_style) {
        return false;
    }
    m_style = sanitised;
    ++m_styleRevision;
    return true;
}

const std::vector<TQRD3D_ColorVertex>& TerrainReliefDrawing::VerticesFor(const TerrainBatch& batch)
{
    if (!m_style.RecoloursVertices()) {
        return batch.Vertices();
    }
    StyledBatch* styled = nullptr;
    for (StyledBatch& candidate : m_styled) {
        if (candidate.batch == &batch) {
            styled = &candidate;
        }
    }
    if (styled == nullptr) {
        styled = &m_styled[m_nextSlot];
        m_nextSlot = 1 - m_nextSlot;
        styled->batch = &batch;
        styled->styleRevision = m_styleRevision - 1;
    }
    if (styled->batchRevision != batch.Revision() || styled->styleRevision != m_styleRevision) {
        styled->vertices.resize(batch.Vertices().size());
        StyleReliefVertices(batch.Vertices(), m_style, styled->vertices);
        styled->batchRevision = batch.Revision();
        styled->styleRevision = m_styleRevision;
    }
    return styled->vertices;
}

void TerrainReliefDrawing::BindContours(DeviceStateScope& states, IDirect3DDevice9& device) const
{
    if (!m_style.contours) {
        return;
    }
    ComPtr<IDirect3DTexture9> texture = MakeContourTexture(device);
    if (!texture) {
        return;
    }
    states.SetTexture(std::move(texture));
    states.SetStageState(D3DTSS_COLOROP, D3DTOP_MODULATE);
    states.SetStageState(D3DTSS_COLORARG1, D3DTA_TEXTURE);
    states.SetStageState(D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    states.SetStageState(D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    states.SetStageState(D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

void TerrainReliefDrawing::DrawWater(IDirect3DDevice9& device) const
{
    if (!m_style.water) {
        return;
    }
    DeviceStateScope states(device);
    states.SetTexture({});
    states.SetStageState(D3DTSS_COLOROP, D3DTOP_DISABLE);
    states.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    states.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    states.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    states.SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    // The terrain and whatever is drawn later stay visible through the plane, from above and
    // from below.
    states.SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    states.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    const float y = m_style.waterLevel;
    const auto corner = [y](float x, float z) {
        return TQRD3D_ColorVertex{x, y, z, 0.0f, 1.0f, 0.0f, kWaterColour, 0.0f, 0.0f};
    };
    const TQRD3D_ColorVertex quad[6] = {corner(-1.0f, 1.0f),  corner(1.0f, 1.0f), corner(-1.0f, -1.0f),
                                        corner(-1.0f, -1.0f), corner(1.0f, 1.0f), corner(1.0f, -1.0f)};
    device.SetFVF(TQRD3D_ColorVertex::kFvf);
    device.DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad, sizeof(TQRD3D_ColorVertex));
}
