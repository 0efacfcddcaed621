#include "formats/heightmap.h"

#include "base/file_access.h"
#include "formats/exr_heightmap.h"
#include "formats/import_resample.h"
#include "formats/internal/image_limits.h"
#include "formats/png_heightmap.h"
#include "formats/raw_heightmap.h"
#include "formats/text_heightmap.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>

namespace {

enum class HeightmapFormat { Text, Png, Raw, Exr };

std::optional<HeightmapFormat> FormatOf(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".txt") {
        return HeightmapFormat::Text;
    }
    if (extension == ".png") {
        return HeightmapFormat::Png;
    }
    if (extension == ".r16" || extension == ".raw") {
        return HeightmapFormat::Raw;
    }
    if (extension == ".exr") {
        return HeightmapFormat::Exr;
    }
    return std::nullopt;
}

const char kUnknownFormat[] = "its name does not end in .txt, .png, .r16, .raw or .exr";

// The largest RAW file is the largest square image's levels.
constexpr std::size_t kMaxRawBytes = kMaxImageSide * kMaxImageSide * 2;

Result<ImportedHeightmap> DecodeFile(const std::string& path, HeightmapFormat format, const ImportOptions& options)
{
    if (format == HeightmapFormat::Text) {
        return ReadTextHeightmap(path);
    }
    const Result<std::vector<char>> bytes =
        ReadRegularFile(path, format == HeightmapFormat::Raw ? kMaxRawBytes : kMaxImageFileBytes);
    if (!bytes) {
        return Failure{bytes.reason()};
    }
    switch (format) {
    case HeightmapFormat::Png:
        return DecodePngHeightmap(bytes.value(), options);
    case HeightmapFormat::Raw:
        return DecodeRawHeightmap(bytes.value(), options);
    case HeightmapFormat::Exr:
        return DecodeExrHeightmap(bytes.value());
    case HeightmapFormat::Text:
        break;
    }
    return Failure{kUnknownFormat};
}

Result<ImportedHeightmap> Import(const std::string& path, const ImportOptions& options)
{
    const std::optional<HeightmapFormat> format = FormatOf(path);
    if (!format) {
        return Failure{kUnknownFormat};
    }
    if (!IsValidRange(options.range)) {
        return Failure{"the height range " + DescribeRange(options.range) + " is not a range"};
    }
    Result<ImportedHeightmap> imported = DecodeFile(path, *format, options);
    if (imported && !IsSupportedSide(imported.value().heights.Side())) {
        Heightfield& heights = imported.value().heights;
        heights = ResampleForImport(heights, NearestSupportedSide(heights.Side()));
    }
    return imported;
}

Result<std::string> Encode(HeightmapFormat format, const Heightfield& heights, const HeightmapMetadata& metadata)
{
    switch (format) {
    case HeightmapFormat::Png:
        return EncodePngHeightmap(heights, metadata);
    case HeightmapFormat::Raw:
        return EncodeRawHeightmap(heights, metadata);
    case HeightmapFormat::Exr:
        return EncodeExrHeightmap(heights, metadata);
    case HeightmapFormat::Text:
        break;
    }
    return Failure{kUnknownFormat};
}

std::string SizeText(int side) { return std::to_string(side) + " x " + std::to_string(side); }

// Writes the file in the format path names; stops, writing nothing, when progress is cancelled
// before the file is complete.
Result<> WriteFile(const std::string& path, const Heightfield& heights, const HeightmapMetadata& metadata,
                   Progress* progress)
{
    const std::string cannot = "cannot save " + QuotedPath(path) + ": ";
    const std::optional<HeightmapFormat> format = FormatOf(path);
    if (!format) {
        return Failure{cannot + kUnknownFormat};
    }
    if (*format == HeightmapFormat::Text) {
        return WriteFileReplacingWith(path, [&](ContentSink& sink) -> Result<> {
            const Result<> written = WriteTextHeights(heights, sink);
            if (IsCancelled(progress)) {
                return Result<>(Failure{kCancelledReason});
            }
            return written ? written : Failure{cannot + written.reason()};
        });
    }
    const Result<std::string> bytes = Encode(*format, heights, metadata);
    if (!bytes) {
        return Failure{cannot + bytes.reason()};
    }
    if (IsCancelled(progress)) {
        return Failure{kCancelledReason};
    }
    ReportProgress(progress, 0.5);
    return WriteFileReplacing(path, bytes.value());
}

} // namespace

Result<ImportedHeightmap> ReadHeightmap(const std::string& path, const ImportOptions& options, Progress* progress)
{
    ReportProgress(progress, 0.0);
    Result<ImportedHeightmap> imported = Import(path, options);
    if (IsCancelled(progress)) {
        return Failure{kCancelledReason};
    }
    ReportProgress(progress, 1.0);
    if (!imported) {
        return Failure{"cannot load " + QuotedPath(path) + ": " + imported.reason()};
    }
    return imported;
}

std::string HeightmapFormatName(const std::string& path)
{
    const std::optional<HeightmapFormat> format = FormatOf(path);
    if (!format) {
        return "";
    }
    switch (*format) {
    case HeightmapFormat::Text:
        return "text height file";
    case HeightmapFormat::Png:
        return "PNG";
    case HeightmapFormat::Raw:
        return "RAW16";
    case HeightmapFormat::Exr:
        return "OpenEXR";
    }
    return "";
}

Result<> WriteHeightmap(const std::string& path, const Heightfield& heights, const HeightmapMetadata& metadata,
                        Progress* progress)
{
    if (IsCancelled(progress)) {
        return Failure{kCancelledReason};
    }
    ReportProgress(progress, 0.0);
    Result<> written = WriteFile(path, heights, metadata, progress);
    if (written) {
        ReportProgress(progress, 1.0);
    }
    return written;
}

std::string ImportNotice(const ImportedHeightmap& imported)
{
    std::string notice;
    if (imported.Resampled()) {
        notice =
            "resampled from " + SizeText(imported.storedSide) + " to " + SizeText(imported.heights.Side()) + " samples";
    }
    if (imported.scale == HeightScale::FromCaller && imported.metadata.range) {
        notice += (notice.empty() ? "" : "; ") + std::string("heights ") + DescribeRange(*imported.metadata.range) +
                  " as chosen (the file does not say)";
    }
    return notice;
}

Heightfield KeepLastRowAndColumn(const ImportedHeightmap& imported, const Heightfield& current)
{
    Heightfield heights = imported.heights;
    if (!imported.classic || current.Side() != heights.Side()) {
        return heights;
    }
    const int last = heights.Side() - 1;
    for (int i = 0; i <= last; ++i) {
        heights.At(last, i) = current.At(last, i);
        heights.At(i, last) = current.At(i, last);
    }
    return heights;
}
