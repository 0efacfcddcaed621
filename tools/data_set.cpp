#include "tools/data_set.h"

#include "tools/airplane_model.h"
#include "tools/airplane_skin_layout.h"
#include "tools/mesh_file.h"
#include "tools/primitive_shapes.h"
#include "tools/procedural_textures.h"

#include <functional>
#include <system_error>
#include <vector>

namespace {

using FileWriter = std::function<Result<>(const std::filesystem::path&)>;

struct DataFile {
    const char* folder;
    const char* name;
    FileWriter write;
};

// White-ish, for the selector sphere and the light markers.
MaterialEntry MarkerMaterial() { return MakeMaterial(0.92f, 0.92f, 0.88f, 0.5f, 0.2f, 10.0f); }

FileWriter Mesh(MeshBuilder (*build)(), std::vector<MaterialEntry> materials)
{
    return [build, materials](const std::filesystem::path& path) { return SaveMeshFile(path, build(), materials); };
}

FileWriter Png(RgbImage (*paint)())
{
    return [paint](const std::filesystem::path& path) { return WritePngFile(path, paint()); };
}

std::vector<DataFile> DataFiles()
{
    return {
        {kMeshFolder, "sphere.x", Mesh(BuildSphere, {MarkerMaterial()})},
        {kMeshFolder, "cylinder.x", Mesh(BuildCylinder, {MarkerMaterial()})},
        {kMeshFolder, "cone.x", Mesh(BuildCone, {MarkerMaterial()})},
        {kMeshFolder, "airplane 2.x", Mesh(BuildAirplane, AirplaneMaterials())},
        {kMeshFolder, kAirplaneSkinFileName, Png(PaintAirplaneSkin)},
        {kTextureFolder, "grass.png", Png(PaintGrass)},
    };
}

} // namespace

Result<> WriteDataSet(const std::filesystem::path& root)
{
    for (const DataFile& file : DataFiles()) {
        const std::filesystem::path folder = root / file.folder;
        std::error_code failure;
        std::filesystem::create_directories(folder, failure);
        if (failure) {
            return Failure{"cannot create folder " + folder.string() + ": " + failure.message()};
        }
        if (Result<> written = file.write(folder / file.name); !written) {
            return written;
        }
    }
    return {};
}
