#include "formats/png_heightmap.h"

#include "formats/internal/image_limits.h"
#include "formats/internal/numbers.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <optional>
#include <string_view>

namespace {

const QString kSideKey = QStringLiteral("relief:side");
const QString kMinKey = QStringLiteral("relief:min");
const QString kMaxKey = QStringLiteral("relief:max");
const QString kSeedKey = QStringLiteral("relief:seed");

// The text chunk under key, if the file has one.
std::optional<std::string> TextChunk(const QImage& image, const QString& key)
{
    if (!image.textKeys().contains(key)) {
        return std::nullopt;
    }
    return image.text(key).toStdString();
}

Failure BadChunk(const QString& key) { return Failure{"its " + key.toStdString() + " text is not valid"}; }

// The range and seed of a file written by us, checked against its side; no range when the file
// has none of our chunks.
Result<HeightmapMetadata> ReadChunks(const QImage& image, int side)
{
    HeightmapMetadata metadata;
    const std::optional<std::string> sideText = TextChunk(image, kSideKey);
    const std::optional<std::string> minText = TextChunk(image, kMinKey);
    const std::optional<std::string> maxText = TextChunk(image, kMaxKey);
    if (sideText) {
        const std::optional<std::uint64_t> stored = ParseUnsigned(*sideText);
        if (!stored || *stored != static_cast<std::uint64_t>(side)) {
            return Failure{"its " + kSideKey.toStdString() + " text says \"" + sideText->substr(0, 20) +
                           "\" but the image is " + std::to_string(side) + " pixels wide"};
        }
    }
    if (minText.has_value() != maxText.has_value()) {
        return BadChunk(minText ? kMaxKey : kMinKey);
    }
    if (minText) {
        const std::optional<float> low = ParseFiniteFloat(*minText);
        const std::optional<float> high = ParseFiniteFloat(*maxText);
        if (!low) {
            return BadChunk(kMinKey);
        }
        if (!high || *high < *low) {
            return BadChunk(kMaxKey);
        }
        metadata.range = HeightRange{*low, *high};
    }
    if (const std::optional<std::string> seedText = TextChunk(image, kSeedKey)) {
        metadata.seed = ParseUnsigned(*seedText);
        if (!metadata.seed) {
            return BadChunk(kSeedKey);
        }
    }
    return metadata;
}

// Decodes after checking the declared size, so a small file that claims a huge image is
// refused before anything is allocated.
Result<QImage> DecodeImage(std::span<const char> bytes)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid()) {
        constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
        const bool signed_ = std::string_view(bytes.data(), bytes.size()).starts_with(kSignature);
        return Failure{signed_ ? "it is a damaged PNG image" : "it is not a PNG image"};
    }
    if (const Result<int> side = SquareSide(size.width(), size.height()); !side) {
        return Failure{side.reason()};
    }
    reader.setAllocationLimit(static_cast<int>(kMaxDecodedBytes >> 20));
    QImage image = reader.read();
    if (image.isNull()) {
        return Failure{"its image data cannot be read (" + reader.errorString().toStdString() + ")"};
    }
    return image;
}

} // namespace

Result<ImportedHeightmap> DecodePngHeightmap(std::span<const char> bytes, const ImportOptions& options)
{
    Result<QImage> decoded = DecodeImage(bytes);
    if (!decoded) {
        return Failure{decoded.reason()};
    }
    const QImage& image = decoded.value();
    const int side = image.width();
    const Result<HeightmapMetadata> metadata = ReadChunks(image, side);
    if (!metadata) {
        return Failure{metadata.reason()};
    }
    ImportedHeightmap imported;
    imported.metadata = metadata.value();
    imported.scale = imported.metadata.range ? HeightScale::FromFile : HeightScale::FromCaller;
    if (!imported.metadata.range) {
        imported.metadata.range = options.range;
    }
    const HeightRange range = *imported.metadata.range;
    // 16-bit images keep their 65536 levels, the others (grey, palette or colour, at most 8 bits
    // a channel) their 256; colour becomes its grey value.
    const bool sixteenBit = image.format() == QImage::Format_Grayscale16 || image.depth() > 32;
    const QImage grey = image.convertToFormat(sixteenBit ? QImage::Format_Grayscale16 : QImage::Format_Grayscale8);
    imported.heights = Heightfield(side);
    imported.storedSide = side;
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            imported.heights.At(row, column) =
                sixteenBit ? HeightOfLevel(reinterpret_cast<const quint16*>(grey.constScanLine(row))[column],
                                           kTopLevel16, range)
                           : HeightOfLevel(grey.constScanLine(row)[column], 255, range);
        }
    }
    return imported;
}

Result<std::string> EncodePngHeightmap(const Heightfield& heights, const HeightmapMetadata& metadata)
{
    const Result<HeightRange> range = LevelRangeFor(heights, metadata.range);
    if (!range) {
        return Failure{range.reason()};
    }
    const int side = heights.Side();
    QImage image(side, side, QImage::Format_Grayscale16);
    if (image.isNull()) {
        return Failure{"there is not enough memory for a " + std::to_string(side) + " x " + std::to_string(side) +
                       " image"};
    }
    for (int row = 0; row < side; ++row) {
        auto* levels = reinterpret_cast<quint16*>(image.scanLine(row));
        for (int column = 0; column < side; ++column) {
            levels[column] = LevelOf(heights.At(row, column), range.value());
        }
    }
    image.setText(kSideKey, QString::number(side));
    image.setText(kMinKey, QString::fromStdString(ShortestText(range.value().low)));
    image.setText(kMaxKey, QString::fromStdString(ShortestText(range.value().high)));
    if (metadata.seed) {
        image.setText(kSeedKey, QString::number(*metadata.seed));
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // zlib's fastest level: several times quicker than its default on large terrains.
    writer.setCompression(1);
    if (!writer.write(image)) {
        return Failure{"the PNG image cannot be made (" + writer.errorString().toStdString() + ")"};
    }
    return data.toStdString();
}
