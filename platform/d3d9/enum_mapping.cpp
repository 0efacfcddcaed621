#include "platform/d3d9/internal/enum_mapping.h"

std::optional<GLenum> GlPolygonMode(DWORD fillMode)
{
    switch (static_cast<D3DFILLMODE>(fillMode)) {
    case D3DFILL_POINT:
        return GL_POINT;
    case D3DFILL_WIREFRAME:
        return GL_LINE;
    case D3DFILL_SOLID:
        return GL_FILL;
    default:
        return std::nullopt;
    }
}

std::optional<GLenum> GlShadeModel(DWORD shadeMode)
{
    switch (static_cast<D3DSHADEMODE>(shadeMode)) {
    case D3DSHADE_FLAT:
        return GL_FLAT;
    case D3DSHADE_GOURAUD:
        return GL_SMOOTH;
    default:
        return std::nullopt;
    }
}

std::optional<GLenum> GlCompareFunction(DWORD compare)
{
    switch (static_cast<D3DCMPFUNC>(compare)) {
    case D3DCMP_NEVER:
        return GL_NEVER;
    case D3DCMP_LESS:
        return GL_LESS;
    case D3DCMP_EQUAL:
        return GL_EQUAL;
    case D3DCMP_LESSEQUAL:
        return GL_LEQUAL;
    case D3DCMP_GREATER:
        return GL_GREATER;
    case D3DCMP_NOTEQUAL:
        return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL:
        return GL_GEQUAL;
    case D3DCMP_ALWAYS:
        return GL_ALWAYS;
    default:
        return std::nullopt;
    }
}

std::optional<GLenum> GlBlendFactor(DWORD blend)
{
    switch (static_cast<D3DBLEND>(blend)) {
    case D3DBLEND_ZERO:
        return GL_ZERO;
    case D3DBLEND_ONE:
        return GL_ONE;
    case D3DBLEND_SRCCOLOR:
        return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
        return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
        return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
        return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
        return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
        return GL_ONE_MINUS_DST_COLOR;
    default:
        return std::nullopt;
    }
}

std::optional<GLenum> GlBlendEquation(DWORD blendOp)
{
    switch (static_cast<D3DBLENDOP>(blendOp)) {
    case D3DBLENDOP_ADD:
        return GL_FUNC_ADD;
    case D3DBLENDOP_SUBTRACT:
        return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT:
        return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN:
        return GL_MIN;
    case D3DBLENDOP_MAX:
        return GL_MAX;
    default:
        return std::nullopt;
    }
}

std::optional<GLenum> GlPrimitiveMode(DWORD primitiveType)
{
    switch (static_cast<D3DPRIMITIVETYPE>(primitiveType)) {
    case D3DPT_POINTLIST:
        return GL_POINTS;
    case D3DPT_LINELIST:
        return GL_LINES;
    case D3DPT_LINESTRIP:
        return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST:
        return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP:
        return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN:
        return GL_TRIANGLE_FAN;
    default:
        return std::nullopt;
    }
}

std::optional<GLenum> GlCombineSource(DWORD textureArgument)
{
    switch (textureArgument) {
    case D3DTA_DIFFUSE:
        return GL_PRIMARY_COLOR;
    case D3DTA_CURRENT:
        return GL_PREVIOUS;
    case D3DTA_TEXTURE:
        return GL_TEXTURE;
    default:
        return std::nullopt;
    }
}

std::optional<GLenum> GlCombineFunction(DWORD textureOp)
{
    switch (static_cast<D3DTEXTUREOP>(textureOp)) {
    case D3DTOP_DISABLE:
        return GL_NONE;
    case D3DTOP_SELECTARG1:
    case D3DTOP_SELECTARG2:
        return GL_REPLACE;
    case D3DTOP_MODULATE:
        return GL_MODULATE;
    default:
        return std::nullopt;
    }
}

std::optional<GLenum> GlCulledFace(DWORD cullMode)
{
    switch (static_cast<D3DCULL>(cullMode)) {
    case D3DCULL_NONE:
        return GL_NONE;
    case D3DCULL_CW:
        return GL_FRONT;
    case D3DCULL_CCW:
        return GL_BACK;
    default:
        return std::nullopt;
    }
}

std::optional<bool> DepthTestEnabled(DWORD zBufferType)
{
    switch (static_cast<D3DZBUFFERTYPE>(zBufferType)) {
    case D3DZB_FALSE:
        return false;
    case D3DZB_TRUE:
        return true;
    default:
        return std::nullopt;
    }
}

bool IsMaterialColorSource(DWORD source)
{
    switch (static_cast<D3DMATERIALCOLORSOURCE>(source)) {
    case D3DMCS_MATERIAL:
    case D3DMCS_COLOR1:
    case D3DMCS_COLOR2:
        return true;
    default:
        return false;
    }
}

std::optional<UINT> VertexCountOf(DWORD primitiveType, UINT primitiveCount)
{
    switch (static_cast<D3DPRIMITIVETYPE>(primitiveType)) {
    case D3DPT_POINTLIST:
        return primitiveCount;
    case D3DPT_LINELIST:
        return primitiveCount * 2;
    case D3DPT_LINESTRIP:
        return primitiveCount + 1;
    case D3DPT_TRIANGLELIST:
        return primitiveCount * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
        return primitiveCount + 2;
    default:
        return std::nullopt;
    }
}

std::optional<UINT> IndexSizeOf(DWORD indexFormat)
{
    switch (static_cast<D3DFORMAT>(indexFormat)) {
    case D3DFMT_INDEX16:
        return 2;
    case D3DFMT_INDEX32:
        return 4;
    default:
        return std::nullopt;
    }
}
