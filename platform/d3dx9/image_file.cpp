#include "platform/d3dx9/image_file.h"

#include "base/file_access.h"
#include "platform/d3dx9/internal/image_bytes.h"
#include "platform/d3dx9/internal/texture_formats.h"

#include <QImage>
#include <QImageReader>

#include <bit>
#include <climits>
#include <cstring>

namespace {

// Many devices take no larger texture, and a terrain needs nothing near this size.
constexpr int kMaxSide = 8192;
// An uncompressed 8192 x 8192 image of 32-bit texels, with room for its header.
constexpr std::size_t kMaxImageFileBytes = std::size_t{257} << 20;
// What a decoder may allocate for one image: 8192 x 8192 pixels of 16 bits a channel.
constexpr int kAllocationLimitMegabytes = 512;

static_assert(std::endian::native == std::endian::little, "ARGB32 pixels are B, G, R, A in memory");

std::string SizeText(QSize size) { return std::to_string(size.width()) + " x " + std::to_string(size.height()); }

std::string ImageName(const TextureFormat& format) { return std::string("the ") + format.name + " image"; }

bool CameShort(const TextureFormat& format, const ImageBytes& device)
{
    switch (format.cutShort) {
    case CutShortSign::DecoderFails:
        return false;
    case CutShortSign::ReadAtEnd:
        return device.ReadAtEnd();
    case CutShortSign::ShortRead:
        return device.ShortRead();
    }
    return false;
}

// The size the header declares, checked before anything is allocated for the pixels: a few
// bytes can declare an image of gigabytes.
Result<QSize> DeclaredSize(const TextureFormat& format, QImageReader& reader, ImageBytes& device)
{
    device.ForgetReads();
    const QSize size = reader.size();
    const std::string image = ImageName(format);
    if (!size.isValid()) {
        return Failure{image + (CameShort(format, device) ? " is cut short: its header ends early"
                                                          : " is damaged or cut short: its header cannot be read")};
    }
    if (size.isEmpty()) {
        return Failure{image + " has no pixels"};
    }
    if (size.width() > kMaxSide || size.height() > kMaxSide) {
        return Failure{image + " is " + SizeText(size) + " pixels; a texture is at most " + std::to_string(kMaxSide) +
                       " pixels a side"};
    }
    return size;
}

// Qt keeps one allocation limit for all readers, 128 MB unless set, too little for the largest
// texture. It is raised, never lowered, so that another reader that set more keeps it.
void AllowLargestTexture()
{
    const int limit = QImageReader::allocationLimit();
    if (limit != 0 && limit < kAllocationLimitMegabytes) {
        QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
    }
}

Result<QImage> Decode(const TextureFormat& format, ImageBytes& device)
{
    if (format.checkBeforeDecoding != nullptr) {
        if (const Result<> checked = format.checkBeforeDecoding(device.Bytes()); !checked) {
            return Failure{checked.reason()};
        }
    }
    QImageReader reader(&device, format.qtName);
    reader.setAutoDetectImageFormat(false);
    const Result<QSize> size = DeclaredSize(format, reader, device);
    if (!size) {
        return Failure{size.reason()};
    }
    const std::uint64_t least =
        LeastPixelDataBytes(format, device.Bytes(), size.value().width(), size.value().height());
    if (device.Bytes().size() < least) {
        return Failure{ImageName(format) + " is cut short: its " + SizeText(size.value()) + " pixels need at least " +
                       std::to_string(least) + " bytes, the file holds " + std::to_string(device.Bytes().size())};
    }
    AllowLargestTexture();
    device.ForgetReads();
    QImage image;
    const bool read = reader.read(&image);
    const std::string name = ImageName(format);
    if (CameShort(format, device)) {
        return Failure{name + " is cut short: its data ends before its " + SizeText(size.value()) +
                       " pixels are complete"};
    }
    if (!read || image.isNull()) {
        return Failure{name + " is damaged or cut short: its pixels cannot be read"};
    }
    if (image.width() > kMaxSide || image.height() > kMaxSide) {
        return Failure{name + " decodes to " + SizeText(image.size()) + " pixels; a texture is at most " +
                       std::to_string(kMaxSide) + " pixels a side"};
    }
    return image;
}

Result<DecodedImage> Texels(const QImage& decoded)
{
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull()) {
        return Failure{"there is not enough memory for the image's " + SizeText(decoded.size()) + " texels"};
    }
    DecodedImage image;
    image.width = static_cast<UINT>(argb.width());
    image.height = static_cast<UINT>(argb.height());
    const std::size_t rowBytes = std::size_t{image.width} * 4;
    image.texels.resize(rowBytes * image.height);
    for (int row = 0; row < argb.height(); ++row) {
        std::memcpy(image.texels.data() + row * rowBytes, argb.constScanLine(row), rowBytes);
    }
    return image;
}

} // namespace

Result<DecodedImage> DecodedImage::FromBytes(std::span<const char> bytes)
{
    if (bytes.empty() || bytes.size() > INT_MAX) {
        return Failure{"the image file is empty or too large"};
    }
    ImageBytes device(bytes);
    const Result<TextureFormat> format = DetectTextureFormat(device);
    if (!format) {
        return Failure{"the image cannot be decoded: " + format.reason()};
    }
    const Result<QImage> image = Decode(format.value(), device);
    if (!image) {
        return Failure{"the image cannot be decoded: " + image.reason()};
    }
    return Texels(image.value());
}

Result<DecodedImage> DecodedImage::FromFile(const std::string& path)
{
    const Result<std::vector<char>> bytes = ReadRegularFile(path, kMaxImageFileBytes);
    if (!bytes) {
        return Failure{"cannot open " + QuotedPath(path) + ": " + bytes.reason()};
    }
    Result<DecodedImage> image = FromBytes(bytes.value());
    if (!image) {
        return Failure{path + ": " + image.reason()};
    }
    return image;
}
