// Feeds arbitrary bytes to the X file reader and the mesh builder, checks the promises they
// make about what they return, and loads every input that builds a mesh once more through
// D3DXLoadMeshFromXW with a null device, and once more after writing it back out as text.
#include "fuzz/fuzz_support.h"
#include "platform/d3dx9/d3dx9.h"
#include "platform/d3dx9/x_file_parser.h"
#include "platform/d3dx9/x_file_writer.h"
#include "platform/d3dx9/x_mesh_builder.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

namespace {

bool AllBelow(const std::vector<DWORD>& indices, size_t limit)
{
    return std::all_of(indices.begin(), indices.end(), [limit](DWORD i) { return i < limit; });
}

void CheckMesh(const XMesh& mesh)
{
    const size_t positions = mesh.positions.size();
    for (const std::vector<DWORD>& face : mesh.faces) {
        Require(face.size() >= 3 && AllBelow(face, positions), "faces have three corners inside the positions");
    }
    if (mesh.HasNormals()) {
        Require(mesh.normalFaces.size() == mesh.faces.size(), "one normal face per face");
        for (size_t f = 0; f < mesh.faces.size(); ++f) {
            Require(mesh.normalFaces[f].size() == mesh.faces[f].size() &&
                        AllBelow(mesh.normalFaces[f], mesh.normals.size()),
                    "normal faces match their faces and stay inside the normals");
        }
    }
    Require(mesh.texCoords.empty() || mesh.texCoords.size() == positions, "one texture coordinate per position");
    Require(mesh.vertexColors.empty() || mesh.vertexColors.size() == positions, "one colour per position");
    // A mesh without faces may still carry a material list; its face materials are then empty.
    Require(mesh.materials.empty() ? mesh.faceMaterials.empty() : mesh.faceMaterials.size() == mesh.faces.size(),
            "one material per face when there are materials, none otherwise");
    Require(AllBelow(mesh.faceMaterials, mesh.materials.size()), "face materials name existing materials");
}

void CheckContent(const XFileContent& content)
{
    for (size_t f = 0; f < content.frames.size(); ++f) {
        const int parent = content.frames[f].parent;
        Require(parent >= -1 && parent < static_cast<int>(f), "a frame's parent comes before it");
    }
    for (const XMesh& mesh : content.meshes) {
        Require(mesh.frame >= -1 && mesh.frame < static_cast<int>(content.frames.size()), "meshes sit in frames");
        CheckMesh(mesh);
    }
}

void CheckGeometry(const MeshGeometry& geometry)
{
    const size_t vertices = geometry.positions.size();
    Require(geometry.indices.size() % 3 == 0 && geometry.indices.size() / 3 == geometry.attributes.size(),
            "three indices and one attribute per triangle");
    Require(AllBelow(geometry.indices, vertices), "triangles use existing vertices");
    Require(!geometry.materials.empty() && AllBelow(geometry.attributes, geometry.materials.size()),
            "every triangle's subset has a material");
    Require(geometry.normals.empty() || geometry.normals.size() == vertices, "one normal per vertex");
    Require(geometry.texCoords.empty() || geometry.texCoords.size() == vertices, "one texture coordinate per vertex");
    Require(geometry.colors.empty() || geometry.colors.size() == vertices, "one colour per vertex");
}

// The number of triangles the file gives through the public loader, or -1 when it fails.
long LoadThroughFile(const char* data, size_t size)
{
    static const ScratchFile file("mesh.x");
    if (!file.Write(data, size)) {
        return -1;
    }
    const std::string path = file.Path().string();
    const std::wstring wide(path.begin(), path.end());
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    DWORD materialCount = 0;
    if (FAILED(D3DXLoadMeshFromXW(wide.c_str(), D3DXMESH_SYSTEMMEM, nullptr, nullptr, &materials, nullptr,
                                  &materialCount, &mesh))) {
        return -1;
    }
    Require(materials != nullptr && materialCount > 0, "a loaded mesh has materials");
    const long faces = static_cast<long>(mesh->GetNumFaces());
    materials->Release();
    mesh->Release();
    return faces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const char> bytes(reinterpret_cast<const char*>(data), size);
    const Result<XFileContent> parsed = ParseXFile(bytes);
    Require(parsed.ok() == parsed.reason().empty(), "a failure has a reason and a success none");
    if (!parsed) {
        return 0;
    }
    CheckContent(parsed.value());
    const Result<MeshGeometry> built = BuildMeshGeometry(parsed.value());
    if (!built) {
        Require(!built.reason().empty(), "a failed build has a reason");
        return 0;
    }
    const MeshGeometry& geometry = built.value();
    CheckGeometry(geometry);
    const long triangles = static_cast<long>(geometry.TriangleCount());
    Require(LoadThroughFile(bytes.data(), bytes.size()) == triangles, "the loader reads what the builder built");
    const std::string rewritten = WriteXText(geometry);
    Require(LoadThroughFile(rewritten.data(), rewritten.size()) == triangles, "a written mesh reads back whole");
    return 0;
}
