// The mesh file writers behind ExportMesh.
#pragma once

#include "base/result.h"
#include "formats/terrain_mesh.h"

#include <QImage>

#include <optional>
#include <string>
#include <vector>

// The image draped over the terrain, read and checked before anything is written.
struct DrapedTexture {
    std::string path;
    std::vector<char> bytes;
    std::string format; // Qt's name for it: "png", "jpeg", "bmp", ...
    QImage image;
};

Result<> WriteObj(const std::string& path, const TerrainMesh& mesh, const std::optional<DrapedTexture>& texture);
Result<> WriteGlb(const std::string& path, const TerrainMesh& mesh, const std::optional<DrapedTexture>& texture);
