// Loading and saving meshes as X files.
#include "base/file_access.h"
#include "base/wide_path.h"
#include "platform/d3dx9/d3dx9.h"
#include "platform/d3dx9/last_error.h"
#include "platform/d3dx9/mesh_geometry.h"
#include "platform/d3dx9/x_file_parser.h"
#include "platform/d3dx9/x_file_writer.h"
#include "platform/d3dx9/x_mesh_builder.h"

#include <algorithm>

namespace {

// Far above any mesh the program draws, and small enough to read into memory at once.
constexpr std::size_t kMaxMeshFileBytes = std::size_t{256} << 20;

template <typename T> void ClearOutput(T** output)
{
    if (output != nullptr) {
        *output = nullptr;
    }
}

// The materials a file is written with: those given, or one default material for all faces.
HRESULT ChooseMaterials(const D3DXMATERIAL* materials, DWORD numMaterials, MeshGeometry& geometry)
{
    if (numMaterials == 0) {
        geometry.materials = {MeshMaterial::Default()};
        std::fill(geometry.attributes.begin(), geometry.attributes.end(), 0u);
        return D3D_OK;
    }
    if (materials == nullptr) {
        return Failed(D3DERR_INVALIDCALL, "materials missing for a material count of " + std::to_string(numMaterials));
    }
    for (DWORD i = 0; i < numMaterials; ++i) {
        const char* texture = materials[i].pTextureFilename;
        geometry.materials.push_back(MeshMaterial{materials[i].MatD3D, texture == nullptr ? "" : texture});
    }
    const auto beyond = std::find_if(geometry.attributes.begin(), geometry.attributes.end(),
                                     [numMaterials](DWORD attribute) { return attribute >= numMaterials; });
    if (beyond != geometry.attributes.end()) {
        return Failed(D3DERR_INVALIDCALL, "a face uses subset " + std::to_string(*beyond) + " of only " +
                                              std::to_string(numMaterials) + " materials");
    }
    return D3D_OK;
}

} // namespace

// Adjacency and effect instances are not produced; their outputs are set to null.
HRESULT D3DXLoadMeshFromXW(LPCWSTR fileName, DWORD options, IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                           ID3DXBuffer** materials, ID3DXBuffer** effectInstances, DWORD* numMaterials,
                           ID3DXMesh** mesh)
{
    ClearOutput(adjacency);
    ClearOutput(materials);
    ClearOutput(effectInstances);
    ClearOutput(mesh);
    if (numMaterials != nullptr) {
        *numMaterials = 0;
    }
    const std::optional<std::string> path = PathFromWideName(fileName);
    if (mesh == nullptr || !path) {
        return Failed(D3DERR_INVALIDCALL, "no mesh output or no valid file name");
    }
    const Result<std::vector<char>> bytes = ReadRegularFile(*path, kMaxMeshFileBytes);
    if (!bytes) {
        return Failed(E_FAIL, "cannot open " + QuotedPath(*path) + ": " + bytes.reason());
    }
    const Result<XFileContent> parsed = ParseXFile(bytes.value());
    if (!parsed) {
        return Failed(D3DXERR_INVALIDDATA, *path + ": " + parsed.reason());
    }
    const Result<MeshGeometry> built = BuildMeshGeometry(parsed.value());
    if (!built) {
        return Failed(D3DXERR_INVALIDDATA, *path + ": " + built.reason());
    }
    const MeshGeometry& geometry = built.value();
    if (FAILED(CreateMeshFromGeometry(geometry, options, device, mesh))) {
        return Failed(E_OUTOFMEMORY, *path + ": the mesh could not be created");
    }
    if (materials != nullptr) {
        *materials = CreateMaterialBuffer(geometry.materials);
    }
    if (numMaterials != nullptr) {
        *numMaterials = static_cast<DWORD>(geometry.materials.size());
    }
    return Succeeded();
}

// Writes the text format only; adjacency and effect instances are not written.
HRESULT D3DXSaveMeshToXW(LPCWSTR fileName, ID3DXMesh* mesh, const DWORD* /*adjacency*/, const D3DXMATERIAL* materials,
                         const D3DXEFFECTINSTANCE* /*effectInstances*/, DWORD numMaterials, DWORD format)
{
    const std::optional<std::string> path = PathFromWideName(fileName);
    if (mesh == nullptr || !path) {
        return Failed(D3DERR_INVALIDCALL, "no mesh or no valid file name");
    }
    if ((format & D3DXF_FILEFORMAT_TEXT) == 0 || (format & D3DXF_FILEFORMAT_COMPRESSED) != 0) {
        return Failed(E_NOTIMPL, "only uncompressed text X files are written");
    }
    MeshGeometry geometry;
    if (FAILED(ReadMeshGeometry(mesh, geometry))) {
        return Failed(D3DERR_INVALIDCALL, "the mesh's vertex format cannot be written");
    }
    const size_t vertexCount = geometry.positions.size();
    if (std::any_of(geometry.indices.begin(), geometry.indices.end(), [&](DWORD i) { return i >= vertexCount; })) {
        return Failed(D3DXERR_INVALIDMESH,
                      "the mesh has indices beyond its " + std::to_string(vertexCount) + " vertices");
    }
    const HRESULT chosen = ChooseMaterials(materials, numMaterials, geometry);
    if (FAILED(chosen)) {
        return chosen;
    }
    const Result<> written = WriteFileReplacing(*path, WriteXText(geometry));
    if (!written) {
        return Failed(E_FAIL, written.reason());
    }
    return Succeeded();
}
