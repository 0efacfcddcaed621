#include "formats/mesh_export.h"

#include "base/file_access.h"
#include "formats/height_range.h"
#include "formats/internal/mesh_writers.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

constexpr std::size_t kMaxTextureBytes = std::size_t{256} << 20;

Result<DrapedTexture> ReadTexture(const std::string& path)
{
    const std::string cannot = "the texture " + QuotedPath(path) + " cannot be read: ";
    Result<std::vector<char>> bytes = ReadRegularFile(path, kMaxTextureBytes);
    if (!bytes) {
        return Failure{cannot + bytes.reason()};
    }
    DrapedTexture texture{path, std::move(bytes.value()), {}, {}};
    QByteArray data = QByteArray::fromRawData(texture.bytes.data(), static_cast<qsizetype>(texture.bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // The extension is a hint (Qt only recognises TGA files by it); the contents decide otherwise.
    const std::string suffix = std::filesystem::path(path).extension().string();
    QImageReader reader(&buffer, suffix.empty() ? QByteArray() : QByteArray::fromStdString(suffix.substr(1)));
    texture.image = reader.read();
    texture.format = reader.format().toLower().toStdString();
    if (texture.format == "jpg") {
        texture.format = "jpeg";
    }
    if (texture.image.isNull()) {
        return Failure{cannot + reader.errorString().toStdString()};
    }
    return texture;
}

} // namespace

Result<> ExportMesh(const std::string& path, const Heightfield& heights, const MeshExportOptions& options)
{
    const std::string cannot = "cannot export " + QuotedPath(path) + ": ";
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".obj" && extension != ".glb") {
        return Failure{cannot + "its name does not end in .obj or .glb"};
    }
    if (const Result<HeightRange> range = RangeOf(heights); !range) {
        return Failure{cannot + range.reason()};
    }
    std::optional<DrapedTexture> texture;
    if (!options.texturePath.empty()) {
        Result<DrapedTexture> read = ReadTexture(options.texturePath);
        if (!read) {
            return Failure{cannot + read.reason()};
        }
        texture = std::move(read.value());
    }
    if (IsCancelled(options.progress)) {
        return Failure{kCancelledReason};
    }
    ReportProgress(options.progress, 0.0);
    const TerrainMesh mesh = BuildTerrainMesh(heights, options.simplification);
    if (IsCancelled(options.progress)) {
        return Failure{kCancelledReason};
    }
    ReportProgress(options.progress, 0.5);
    Result<> written = extension == ".obj" ? WriteObj(path, mesh, texture) : WriteGlb(path, mesh, texture);
    if (written) {
        ReportProgress(options.progress, 1.0);
    }
    return written;
}
