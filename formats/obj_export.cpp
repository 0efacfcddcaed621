#include "base/file_access.h"
#include "formats/internal/mesh_writers.h"
#include "formats/internal/piece_writer.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

constexpr char kMaterialName[] = "terrain";

// The material file: a white surface showing the texture, as the views drape it.
std::string MaterialText(const std::string& textureName)
{
    return std::string("# Relief terrain material\nnewmtl ") + kMaterialName +
           "\nKa 1 1 1\nKd 1 1 1\nKs 0 0 0\nd 1\nillum 1\nmap_Kd " + textureName + "\n";
}

// Copies the texture beside the OBJ (unless it is already that file) and writes the material
// file naming it. Returns the material file's name for the OBJ's mtllib line.
Result<std::string> WriteMaterial(const fs::path& obj, const DrapedTexture& texture)
{
    const fs::path folder = obj.parent_path();
    const std::string stem = obj.stem().string();
    const std::string textureName = stem + "_texture" + fs::path(texture.path).extension().string();
    const fs::path copy = folder / textureName;
    std::error_code error;
    if (!fs::equivalent(copy, texture.path, error)) {
        const Result<> copied =
            WriteFileReplacing(copy.string(), std::string_view(texture.bytes.data(), texture.bytes.size()));
        if (!copied) {
            return Failure{copied.reason()};
        }
    }
    const std::string materialName = stem + ".mtl";
    const Result<> written = WriteFileReplacing((folder / materialName).string(), MaterialText(textureName));
    if (!written) {
        return Failure{written.reason()};
    }
    return materialName;
}

void AppendTriple(PieceWriter& writer, const char* tag, const float* values)
{
    writer.Append(tag);
    for (int i = 0; i < 3; ++i) {
        writer.Append(' ');
        writer.Append(values[i]);
    }
    writer.Append('\n');
}

void WriteMesh(PieceWriter& writer, const TerrainMesh& mesh, const std::string& materialName)
{
    writer.Append("# Relief terrain: ");
    writer.Append(std::uint64_t{mesh.VertexCount()});
    writer.Append(" vertices, ");
    writer.Append(std::uint64_t{mesh.TriangleCount()});
    writer.Append(" triangles\n");
    if (!materialName.empty()) {
        writer.Append("mtllib " + materialName + "\nusemtl " + kMaterialName + "\n");
    }
    for (std::size_t vertex = 0; vertex < mesh.VertexCount() && !writer.Failed(); ++vertex) {
        AppendTriple(writer, "v", &mesh.positions[3 * vertex]);
        AppendTriple(writer, "vn", &mesh.normals[3 * vertex]);
        // OBJ's texture origin is the image's bottom-left corner; the mesh's is its top-left.
        writer.Append("vt ");
        writer.Append(mesh.texCoords[2 * vertex]);
        writer.Append(' ');
        writer.Append(1.0f - mesh.texCoords[2 * vertex + 1]);
        writer.Append('\n');
    }
    for (std::size_t corner = 0; corner < mesh.indices.size() && !writer.Failed(); corner += 3) {
        writer.Append('f');
        for (std::size_t i = 0; i < 3; ++i) {
            // One-based, the same index for position, texture coordinate and normal.
            const std::uint64_t index = std::uint64_t{mesh.indices[corner + i]} + 1;
            writer.Append(' ');
            writer.Append(index);
            writer.Append('/');
            writer.Append(index);
            writer.Append('/');
            writer.Append(index);
        }
        writer.Append('\n');
    }
}

} // namespace

Result<> WriteObj(const std::string& path, const TerrainMesh& mesh, const std::optional<DrapedTexture>& texture)
{
    std::string materialName;
    if (texture) {
        const Result<std::string> material = WriteMaterial(fs::path(path), *texture);
        if (!material) {
            return Failure{material.reason()};
        }
        materialName = material.value();
    }
    return WriteFileReplacingWith(path, [&](ContentSink& sink) {
        PieceWriter writer(sink);
        WriteMesh(writer, mesh, materialName);
        return Result<>::Success();
    });
}
