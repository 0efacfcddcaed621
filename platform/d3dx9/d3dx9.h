// The mesh and math utility library, with the platform's names, written for this system.
// Implements: system-memory meshes (vertex, index and attribute buffers, subsets drawn through
// the device), X files read in text and binary form and written in text form by our own code
// (all meshes of a file merged into one, placed by their frames), normals, bounding boxes,
// vertex sizes, textures from image files (PNG, JPEG, BMP, TGA, ...), the matrix stack with its
// Local operations, the vector and matrix functions the views use, and the reason for the last
// file failure (D3DXGetLastErrorMessage, an addition of ours).
// Leaves out: effects, skinning, animation, progressive meshes, optimisation, adjacency,
// compressed X files, writing binary X files, mipmaps, fonts, sprites and every function
// nothing here calls.
#pragma once

#include "platform/d3d9/d3d9.h"

struct D3DXVECTOR3 : D3DVECTOR {
    D3DXVECTOR3() = default;
    D3DXVECTOR3(float x_, float y_, float z_) : D3DVECTOR{x_, y_, z_} {}
    D3DXVECTOR3 operator+(const D3DXVECTOR3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    D3DXVECTOR3 operator-(const D3DXVECTOR3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    D3DXVECTOR3 operator*(float s) const { return {x * s, y * s, z * s}; }
    bool operator==(const D3DXVECTOR3& o) const { return x == o.x && y == o.y && z == o.z; }
};

struct D3DXMATRIX : D3DMATRIX {
    D3DXMATRIX() : D3DMATRIX{} {}
    explicit D3DXMATRIX(const D3DMATRIX& m) : D3DMATRIX(m) {}
    // Row-vector product: (a * b) applies a first, then b.
    D3DXMATRIX operator*(const D3DXMATRIX& other) const;
    float& operator()(UINT row, UINT column) { return m[row][column]; }
    float operator()(UINT row, UINT column) const { return m[row][column]; }
};

struct D3DXMATERIAL {
    D3DMATERIAL9 MatD3D;
    char* pTextureFilename = nullptr; // null when the material names no texture
};

struct D3DXEFFECTINSTANCE;

inline constexpr DWORD D3DXMESH_32BIT = 0x001;
inline constexpr DWORD D3DXMESH_SYSTEMMEM = 0x110;
inline constexpr DWORD D3DXMESH_MANAGED = 0x220;

inline constexpr DWORD D3DXF_FILEFORMAT_BINARY = 0;
inline constexpr DWORD D3DXF_FILEFORMAT_TEXT = 1;
inline constexpr DWORD D3DXF_FILEFORMAT_COMPRESSED = 2;

inline constexpr HRESULT D3DXERR_INVALIDMESH = static_cast<HRESULT>(0x88760B55u);
inline constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59u);

class ID3DXBuffer : public IUnknown {
public:
    virtual void* GetBufferPointer() = 0;
    virtual DWORD GetBufferSize() = 0;
};

class ID3DXBaseMesh : public IUnknown {
public:
    // Draws the faces whose attribute equals attribId, through the mesh's device.
    virtual HRESULT DrawSubset(DWORD attribId) = 0;
    virtual DWORD GetNumFaces() = 0;
    virtual DWORD GetNumVertices() = 0;
    virtual DWORD GetFVF() = 0;
    virtual DWORD GetNumBytesPerVertex() = 0;
    virtual DWORD GetOptions() = 0;
    virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
    virtual HRESULT GetVertexBuffer(IDirect3DVertexBuffer9** buffer) = 0;
    virtual HRESULT GetIndexBuffer(IDirect3DIndexBuffer9** buffer) = 0;
    virtual HRESULT LockVertexBuffer(DWORD flags, void** data) = 0;
    virtual HRESULT UnlockVertexBuffer() = 0;
    virtual HRESULT LockIndexBuffer(DWORD flags, void** data) = 0;
    virtual HRESULT UnlockIndexBuffer() = 0;
};

class ID3DXMesh : public ID3DXBaseMesh {
public:
    // One DWORD per face: the face's subset (material index).
    virtual HRESULT LockAttributeBuffer(DWORD flags, DWORD** data) = 0;
    virtual HRESULT UnlockAttributeBuffer() = 0;
};

class ID3DXMatrixStack : public IUnknown {
public:
    virtual HRESULT Pop() = 0;
    virtual HRESULT Push() = 0;
    virtual HRESULT LoadIdentity() = 0;
    virtual HRESULT LoadMatrix(const D3DXMATRIX* matrix) = 0;
    // Plain forms multiply on the world side (top = top * M), Local forms on the object side
    // (top = M * top).
    virtual HRESULT MultMatrix(const D3DXMATRIX* matrix) = 0;
    virtual HRESULT MultMatrixLocal(const D3DXMATRIX* matrix) = 0;
    virtual HRESULT Scale(float x, float y, float z) = 0;
    virtual HRESULT ScaleLocal(float x, float y, float z) = 0;
    virtual HRESULT Translate(float x, float y, float z) = 0;
    virtual HRESULT TranslateLocal(float x, float y, float z) = 0;
    virtual D3DXMATRIX* GetTop() = 0;
};

// Meshes: a null device gives a mesh that holds data but cannot draw (DrawSubset fails).
HRESULT D3DXCreateMeshFVF(DWORD numFaces, DWORD numVertices, DWORD options, DWORD fvf, IDirect3DDevice9* device,
                          ID3DXMesh** mesh);
HRESULT D3DXLoadMeshFromXW(LPCWSTR fileName, DWORD options, IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                           ID3DXBuffer** materials, ID3DXBuffer** effectInstances, DWORD* numMaterials,
                           ID3DXMesh** mesh);
HRESULT D3DXSaveMeshToXW(LPCWSTR fileName, ID3DXMesh* mesh, const DWORD* adjacency, const D3DXMATERIAL* materials,
                         const D3DXEFFECTINSTANCE* effectInstances, DWORD numMaterials, DWORD format);
HRESULT D3DXComputeNormals(ID3DXBaseMesh* mesh, const DWORD* adjacency);
HRESULT D3DXComputeBoundingBox(const D3DXVECTOR3* firstPosition, DWORD numVertices, DWORD stride, D3DXVECTOR3* min,
                               D3DXVECTOR3* max);
UINT D3DXGetFVFVertexSize(DWORD fvf);
HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer);

// Why the last D3DXLoadMeshFromXW, D3DXSaveMeshToXW or D3DXCreateTextureFromFileW failed (file,
// place and reason); empty after a success. An addition of this library, for messages and tests.
const char* D3DXGetLastErrorMessage();

// Textures: decodes the image file and uploads it as an A8R8G8B8 texture of the device.
HRESULT D3DXCreateTextureFromFileW(IDirect3DDevice9* device, LPCWSTR fileName, IDirect3DTexture9** texture);

HRESULT D3DXCreateMatrixStack(DWORD flags, ID3DXMatrixStack** stack);

// Math, row-vector convention; each returns its output pointer.
D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle);
D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at, const D3DXVECTOR3* up);
D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovY, float aspect, float zNear, float zFar);
// Null when the matrix is singular.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b);
float D3DXVec3Length(const D3DXVECTOR3* v);
