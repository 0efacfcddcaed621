// Scenes, clearing and drawing of the device.
#include "platform/d3d9/internal/device.h"

#include "platform/d3d9/internal/enum_mapping.h"
#include "platform/d3d9/internal/gl_driver.h"
#include "platform/d3d9/internal/gl_lighting.h"
#include "platform/d3d9/internal/primitive_draw.h"

#include <algorithm>

namespace {

// More primitives in one call than this is taken for a corrupt count.
constexpr UINT kMaxPrimitiveCount = 1u << 24;
constexpr DWORD kClearFlags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;

GLbitfield ClearMask(DWORD flags)
{
    GLbitfield mask = 0;
    mask |= (flags & D3DCLEAR_TARGET) != 0 ? GL_COLOR_BUFFER_BIT : 0;
    mask |= (flags & D3DCLEAR_ZBUFFER) != 0 ? GL_DEPTH_BUFFER_BIT : 0;
    mask |= (flags & D3DCLEAR_STENCIL) != 0 ? GL_STENCIL_BUFFER_BIT : 0;
    return mask;
}

// A rectangle given from the top-left corner as an OpenGL scissor box from the bottom-left;
// nullopt when nothing of it lies on the target.
std::optional<GlViewport> ScissorFor(const D3DRECT& rect, UINT width, UINT height)
{
    const LONG left = std::max<LONG>(rect.x1, 0);
    const LONG top = std::max<LONG>(rect.y1, 0);
    const LONG right = std::min<LONG>(rect.x2, static_cast<LONG>(width));
    const LONG bottom = std::min<LONG>(rect.y2, static_cast<LONG>(height));
    if (left >= right || top >= bottom) {
        return std::nullopt;
    }
    return GlViewport{left, static_cast<GLint>(height) - bottom, right - left, bottom - top};
}

} // namespace

HRESULT Device9::BeginScene()
{
    if (m_inScene) {
        return D3DERR_INVALIDCALL;
    }
    m_inScene = true;
    return D3D_OK;
}

HRESULT Device9::EndScene()
{
    if (!m_inScene) {
        return D3DERR_INVALIDCALL;
    }
    m_inScene = false;
    return D3D_OK;
}

HRESULT Device9::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil)
{
    const bool validFlags = flags != 0 && (flags & ~kClearFlags) == 0;
    if (!validFlags || (count > 0 && rects == nullptr) || !(z >= 0.0f && z <= 1.0f) || m_renderTarget == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    GlStateCache& cache = BindRenderTarget();
    // Clearing the depth buffer ignores the z-write state, as on the platform.
    cache.DepthMask(true);
    const GlColour colour = ToGlColour(color);
    glClearColor(colour[0], colour[1], colour[2], colour[3]);
    glClearDepth(z);
    glClearStencil(static_cast<GLint>(stencil & 0xFFu));
    const GLbitfield mask = ClearMask(flags);
    if (count == 0) {
        cache.Enable(GL_SCISSOR_TEST, false);
        glClear(mask);
        return D3D_OK;
    }
    const GlFramebuffer& target = m_renderTarget->Chain().Framebuffer();
    cache.Enable(GL_SCISSOR_TEST, true);
    for (DWORD i = 0; i < count; ++i) {
        if (const auto box = ScissorFor(rects[i], target.Width(), target.Height())) {
            glScissor(box->x, box->y, box->width, box->height);
            glClear(mask);
        }
    }
    cache.Enable(GL_SCISSOR_TEST, false);
    return D3D_OK;
}

HRESULT Device9::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData, UINT stride)
{
    const auto vertices = CheckDraw(type, primitiveCount, vertexData, stride);
    if (!vertices) {
        return D3DERR_INVALIDCALL;
    }
    if (primitiveCount > 0) {
        DrawVertexArrays(PrepareDraw(), *GlPrimitiveMode(type), *vertices, *VertexCountOf(type, primitiveCount));
    }
    return D3D_OK;
}

HRESULT Device9::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices,
                                        UINT primitiveCount, const void* indexData, D3DFORMAT indexFormat,
                                        const void* vertexData, UINT stride)
{
    const auto vertices = CheckDraw(type, primitiveCount, vertexData, stride);
    const auto indexSize = IndexSizeOf(indexFormat);
    if (!vertices || !indexSize || indexData == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const IndexSource indices{static_cast<const BYTE*>(indexData), *indexSize, *VertexCountOf(type, primitiveCount)};
    // An index outside the vertices the caller names would read beyond its memory.
    if (!IndicesWithin(indices, minVertexIndex, numVertices)) {
        return D3DERR_INVALIDCALL;
    }
    if (primitiveCount > 0) {
        DrawIndexedVertexArrays(PrepareDraw(), *GlPrimitiveMode(type), *vertices, indices);
    }
    return D3D_OK;
}

std::optional<VertexSource> Device9::CheckDraw(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                                               UINT stride) const
{
    const auto layout = LayoutOfFvf(m_state.FVF());
    const bool valid = m_inScene && m_renderTarget != nullptr && vertexData != nullptr && layout &&
                       stride >= layout->size && GlPrimitiveMode(type) && primitiveCount <= kMaxPrimitiveCount;
    if (!valid) {
        return std::nullopt;
    }
    return VertexSource{static_cast<const BYTE*>(vertexData), stride, *layout};
}

GlStateCache& Device9::PrepareDraw()
{
    GlStateCache& cache = BindRenderTarget();
    Driver().ApplyState(m_state);
    return cache;
}

GlStateCache& Device9::BindRenderTarget()
{
    GlStateCache& cache = Driver().Use();
    const GlFramebuffer& target = m_renderTarget->Chain().Framebuffer();
    cache.BindFramebuffer(target.Name());
    cache.Viewport(GlViewport{0, 0, static_cast<GLsizei>(target.Width()), static_cast<GLsizei>(target.Height())});
    return cache;
}
