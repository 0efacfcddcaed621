#include "formats/raw_heightmap.h"

#include "formats/internal/image_limits.h"

#include <cmath>
#include <cstdint>

Result<ImportedHeightmap> DecodeRawHeightmap(std::span<const char> bytes, const ImportOptions& options)
{
    if (bytes.size() % 2 != 0) {
        return Failure{"it holds " + std::to_string(bytes.size()) + " bytes, an odd number; RAW heights are 16-bit"};
    }
    const std::size_t count = bytes.size() / 2;
    auto side = static_cast<long long>(std::sqrt(static_cast<double>(count)));
    while (static_cast<std::size_t>(side * side) > count) {
        --side;
    }
    while (static_cast<std::size_t>((side + 1) * (side + 1)) <= count) {
        ++side;
    }
    if (static_cast<std::size_t>(side * side) != count) {
        return Failure{"it is not square: " + std::to_string(count) + " samples"};
    }
    if (const Result<int> square = SquareSide(side, side); !square) {
        return Failure{square.reason()};
    }
    ImportedHeightmap imported;
    imported.scale = HeightScale::FromCaller;
    imported.metadata.range = options.range;
    imported.heights = Heightfield(static_cast<int>(side));
    imported.storedSide = static_cast<int>(side);
    auto samples = imported.heights.Samples();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned level = data[2 * i] | (unsigned{data[2 * i + 1]} << 8);
        samples[i] = HeightOfLevel(level, kTopLevel16, options.range);
    }
    return imported;
}

Result<std::string> EncodeRawHeightmap(const Heightfield& heights, const HeightmapMetadata& metadata)
{
    const Result<HeightRange> range = LevelRangeFor(heights, metadata.range);
    if (!range) {
        return Failure{range.reason()};
    }
    const auto samples = heights.Samples();
    std::string bytes(samples.size() * 2, '\0');
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::uint16_t level = LevelOf(samples[i], range.value());
        bytes[2 * i] = static_cast<char>(level & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(level >> 8);
    }
    return bytes;
}
