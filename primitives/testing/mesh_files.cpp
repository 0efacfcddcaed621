#include "primitives/testing/mesh_files.h"

#include <fstream>

bool CopyMarkerMeshes()
{
    const std::filesystem::path data = std::filesystem::path(RELIEF_SOURCE_DIR) / "data" / "MeshFiles";
    std::filesystem::create_directories("MeshFiles");
    for (const char* name : {"sphere.x", "cylinder.x", "cone.x"}) {
        std::error_code error;
        std::filesystem::copy_file(data / name, std::filesystem::path("MeshFiles") / name,
                                   std::filesystem::copy_options::overwrite_existing, error);
        if (error) {
            return false;
        }
    }
    return true;
}

void WriteBoxMesh(const std::filesystem::path& path, const TQR_Vector3& min, const TQR_Vector3& max)
{
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path());
    }
    std::ofstream file(path);
    file << "xof 0303txt 0032\nMesh {\n8;\n";
    for (int corner = 0; corner < 8; ++corner) {
        file << ((corner & 1) != 0 ? max.x : min.x) << ";" << ((corner & 2) != 0 ? max.y : min.y) << ";"
             << ((corner & 4) != 0 ? max.z : min.z) << (corner == 7 ? ";;\n" : ";,\n");
    }
    // Two triangles per side: -z, +z, -y, +y, -x, +x.
    const int faces[12][3] = {{0, 1, 3}, {0, 3, 2}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
                              {2, 3, 7}, {2, 7, 6}, {0, 2, 6}, {0, 6, 4}, {1, 3, 7}, {1, 7, 5}};
    file << "12;\n";
    for (int face = 0; face < 12; ++face) {
        file << "3;" << faces[face][0] << "," << faces[face][1] << "," << faces[face][2]
             << (face == 11 ? ";;\n" : ";,\n");
    }
    file << "MeshMaterialList {\n1;\n1;\n0;;\nMaterial {\n1.0;1.0;1.0;1.0;;\n1.0;\n0;0;0;;\n0;0;0;;\n}\n}\n}\n";
}
