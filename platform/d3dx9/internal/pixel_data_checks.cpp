// The decoder allocates the image its header declares and fills what the data does not cover
// with zeros, so a header of a few bytes that claims 8192 x 8192 texels becomes a black texture
// of a quarter of a gigabyte. These checks compute, from the header fields the decoder reads,
// how many bytes of pixel data it will read, and refuse a file that holds fewer.
#include "platform/d3dx9/internal/stb_input_checks.h"

#include "platform/d3dx9/internal/byte_cursor.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

bool TooLarge(std::uint64_t width, std::uint64_t height) { return width > kStbMaxSide || height > kStbMaxSide; }

bool IsPnmSpace(unsigned c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Blanks and # comments up to the next field; c is the byte last read.
void SkipPnmSpace(ByteCursor& cursor, unsigned& c)
{
    for (;;) {
        while (!cursor.AtEnd() && IsPnmSpace(c)) {
            c = cursor.U8();
        }
        if (cursor.AtEnd() || c != '#') {
            return;
        }
        while (!cursor.AtEnd() && c != '\n' && c != '\r') {
            c = cursor.U8();
        }
    }
}

// A decimal field. The decoder adds its digits up in an int without a check, so a number that
// does not fit one is refused here.
Result<std::uint64_t> PnmNumber(ByteCursor& cursor, unsigned& c)
{
    std::uint64_t value = 0;
    while (!cursor.AtEnd() && c >= '0' && c <= '9') {
        value = value * 10 + (c - '0');
        if (value > INT_MAX) {
            return Failure{"a number in the PNM header is too large"};
        }
        c = cursor.U8();
    }
    return value;
}

enum class RunLengthEnd { Filled, CutShort, Corrupt };

// One channel of PackBits data (PSD): a count n below 128 copies the next n + 1 bytes, above 128
// repeats the next byte 257 - n times, 128 does nothing.
RunLengthEnd WalkPackBits(ByteCursor& cursor, std::uint64_t samples)
{
    std::uint64_t filled = 0;
    while (filled < samples) {
        if (cursor.AtEnd()) {
            return RunLengthEnd::CutShort;
        }
        const unsigned count = cursor.U8();
        if (count == 128) {
            continue;
        }
        const std::uint64_t length = count < 128 ? count + 1 : 257 - count;
        const std::uint64_t dataBytes = count < 128 ? length : 1;
        if (length > samples - filled) {
            return RunLengthEnd::Corrupt;
        }
        if (cursor.Remaining() < dataBytes) {
            return RunLengthEnd::CutShort;
        }
        cursor.Skip(dataBytes);
        filled += length;
    }
    return RunLengthEnd::Filled;
}

// TGA packets: the low seven bits plus one give the pixel count; with the high bit set one pixel
// follows for all of them, otherwise each pixel follows. The last packet may reach past the
// image; the decoder stops at its end.
bool WalkTgaPackets(ByteCursor& cursor, std::uint64_t pixels, std::uint64_t pixelBytes)
{
    std::uint64_t filled = 0;
    while (filled < pixels) {
        if (cursor.AtEnd()) {
            return false;
        }
        const unsigned packet = cursor.U8();
        const std::uint64_t length = std::min<std::uint64_t>(1 + (packet & 0x7F), pixels - filled);
        const std::uint64_t dataBytes = (packet & 0x80) != 0 ? pixelBytes : length * pixelBytes;
        if (cursor.Remaining() < dataBytes) {
            return false;
        }
        cursor.Skip(dataBytes);
        filled += length;
    }
    return true;
}

} // namespace

// "P5" (grey) or "P6" (RGB), width, height and maximum value as text; one blank, then a byte per
// sample. stb_image 2.27 turns samples of two bytes (a maximum above 255) into four-channel
// texels with its 8-bit conversion and then reads twice the buffer it made, so those files are
// refused.
Result<> CheckPnmData(std::span<const unsigned char> bytes)
{
    ByteCursor cursor(bytes, 1);
    const std::uint64_t channels = cursor.U8() == '6' ? 3 : 1;
    unsigned c = cursor.U8();
    std::uint64_t fields[3] = {}; // width, height, maximum value
    for (std::uint64_t& field : fields) {
        SkipPnmSpace(cursor, c);
        Result<std::uint64_t> number = PnmNumber(cursor, c);
        if (!number) {
            return Failure{number.reason()};
        }
        field = number.value();
    }
    const auto [width, height, maxValue] = fields;
    if (TooLarge(width, height) || maxValue > 65535) {
        return Result<>::Success();
    }
    if (maxValue > 255) {
        return Failure{"PNM images with more than 8 bits per sample are not supported"};
    }
    return RequirePixelBytes({"PNM", width, height}, width * height * channels, cursor.Remaining());
}

// Rows from the data offset on, bottom first or top first, each padded to four bytes; the last
// row's padding is not read. The decoder reads 4 bytes per pixel for any depth above 16 but 24.
Result<> CheckBmpData(std::span<const unsigned char> bytes)
{
    ByteCursor cursor(bytes, 10);
    const std::int32_t dataOffset = cursor.I32Le();
    const std::uint32_t headerSize = cursor.U32Le();
    const bool oldHeader = headerSize == 12;
    const std::uint64_t width = oldHeader ? cursor.U16Le() : cursor.U32Le();
    const std::int64_t signedHeight = oldHeader ? cursor.U16Le() : cursor.I32Le();
    const std::uint64_t height = static_cast<std::uint64_t>(signedHeight < 0 ? -signedHeight : signedHeight);
    cursor.U16Le(); // planes
    const unsigned bitsPerPixel = cursor.U16Le();
    if (dataOffset < 0 || TooLarge(width, height)) {
        return Result<>::Success();
    }
    std::uint64_t rowBytes = 0;
    switch (bitsPerPixel) {
    case 1:
        rowBytes = (width + 7) / 8;
        break;
    case 4:
        rowBytes = (width + 1) / 2;
        break;
    case 8:
        rowBytes = width;
        break;
    case 16:
        rowBytes = 2 * width;
        break;
    case 24:
        rowBytes = 3 * width;
        break;
    default:
        if (bitsPerPixel < 16) {
            return Result<>::Success(); // a depth the decoder refuses
        }
        rowBytes = 4 * width;
    }
    const std::uint64_t stride = (rowBytes + 3) / 4 * 4;
    const std::uint64_t needed = height == 0 ? 0 : stride * (height - 1) + rowBytes;
    const std::uint64_t start = std::max<std::uint64_t>(static_cast<std::uint64_t>(dataOffset), 14 + headerSize);
    return RequirePixelBytes({"BMP", width, height}, needed, bytes.size() > start ? bytes.size() - start : 0);
}

// After the header, three sections skipped by their lengths (a length of 2 GiB or more sends
// the decoder to the end of the data), then the compression: planes one after the other, raw
// or PackBits after a table of row lengths. The decoder reads at most four channels.
Result<> CheckPsdData(std::span<const unsigned char> bytes)
{
    ByteCursor cursor(bytes, 4);
    const unsigned version = cursor.U16Be();
    cursor.Skip(6);
    const unsigned channels = cursor.U16Be();
    const std::int32_t height = cursor.I32Be();
    const std::int32_t width = cursor.I32Be();
    const unsigned depth = cursor.U16Be();
    const unsigned colorMode = cursor.U16Be();
    if (version != 1 || channels > 16 || width < 0 || height < 0 || TooLarge(width, height) ||
        (depth != 8 && depth != 16) || colorMode != 3) {
        return Result<>::Success();
    }
    for (int section = 0; section < 3; ++section) {
        const std::int32_t length = cursor.I32Be();
        if (length < 0) {
            cursor.SkipToEnd();
        } else {
            cursor.Skip(static_cast<std::uint64_t>(length));
        }
    }
    const unsigned compression = cursor.U16Be();
    const DeclaredImage image{"PSD", static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height)};
    const std::uint64_t samples = image.width * image.height;
    const unsigned channelsRead = std::min(channels, 4u);
    if (compression == 0) {
        return RequirePixelBytes(image, channelsRead * samples * (depth / 8), cursor.Remaining());
    }
    if (compression > 1) {
        return Result<>::Success();
    }
    cursor.Skip(image.height * channels * 2);
    for (unsigned channel = 0; channel < channelsRead; ++channel) {
        switch (WalkPackBits(cursor, samples)) {
        case RunLengthEnd::Filled:
            break;
        case RunLengthEnd::CutShort:
            return RunLengthDataCutShort(image);
        case RunLengthEnd::Corrupt:
            return Result<>::Success(); // the decoder refuses a run past the channel's end
        }
    }
    return Result<>::Success();
}

// An 18-byte header, an identification field, the colour map of indexed images (placed after
// as many bytes as the index of its first entry, as the decoder reads it), then raw pixels or,
// for image types 9 to 11, packets. Pixels and colour map entries take their bits rounded up to
// whole bytes.
Result<> CheckTgaData(std::span<const unsigned char> bytes)
{
    ByteCursor header(bytes);
    const unsigned idLength = header.U8();
    const bool indexed = header.U8() == 1;
    const unsigned imageType = header.U8();
    const unsigned firstEntry = header.U16Le();
    const unsigned entries = header.U16Le();
    const unsigned entryBits = header.U8();
    header.Skip(4); // origin
    const DeclaredImage image{"TGA", header.U16Le(), header.U16Le()};
    const std::uint64_t pixelBytes = (header.U8() + 7) / 8;
    if (TooLarge(image.width, image.height) || (indexed && entries == 0)) {
        return Result<>::Success();
    }
    const std::uint64_t colorMapBytes = indexed ? firstEntry + std::uint64_t{entries} * ((entryBits + 7) / 8) : 0;
    ByteCursor cursor(bytes, 18 + idLength + colorMapBytes);
    const std::uint64_t pixels = image.width * image.height;
    if (imageType < 8) {
        return RequirePixelBytes(image, pixels * pixelBytes, cursor.Remaining());
    }
    if (!WalkTgaPackets(cursor, pixels, pixelBytes)) {
        return RunLengthDataCutShort(image);
    }
    return Result<>::Success();
}
