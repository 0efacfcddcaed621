#include "platform/d3dx9/internal/stb_input_checks.h"

#include "platform/d3dx9/internal/byte_cursor.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// True when the bytes from the cursor on start with text.
bool Reads(ByteCursor cursor, std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [&](char c) { return cursor.U8() == static_cast<unsigned char>(c); });
}

bool IsBmp(std::span<const unsigned char> bytes)
{
    ByteCursor cursor(bytes, 14);
    const std::uint32_t headerSize = cursor.U32Le();
    return Reads(ByteCursor(bytes), "BM") &&
           (headerSize == 12 || headerSize == 40 || headerSize == 56 || headerSize == 108 || headerSize == 124);
}

bool IsGif(std::span<const unsigned char> bytes)
{
    return Reads(ByteCursor(bytes), "GIF87a") || Reads(ByteCursor(bytes), "GIF89a");
}

bool IsPic(std::span<const unsigned char> bytes)
{
    return Reads(ByteCursor(bytes), "\x53\x80\xF6\x34") && Reads(ByteCursor(bytes, 88), "PICT");
}

// A start-of-image marker, after any number of fill bytes.
bool IsJpeg(std::span<const unsigned char> bytes)
{
    ByteCursor cursor(bytes);
    unsigned marker = cursor.U8();
    if (marker != 0xFF) {
        return false;
    }
    while (marker == 0xFF) {
        marker = cursor.U8();
    }
    return marker == 0xD8;
}

bool IsPnm(std::span<const unsigned char> bytes)
{
    return Reads(ByteCursor(bytes), "P5") || Reads(ByteCursor(bytes), "P6");
}

bool IsHdr(std::span<const unsigned char> bytes)
{
    return Reads(ByteCursor(bytes), "#?RADIANCE\n") || Reads(ByteCursor(bytes), "#?RGBE\n");
}

bool OneOf(unsigned value, std::initializer_list<unsigned> allowed)
{
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

// The decoder's test has no signature to go by: the header's types, sizes and depths must make
// sense together.
bool IsTga(std::span<const unsigned char> bytes)
{
    ByteCursor cursor(bytes, 1);
    const unsigned colorMapType = cursor.U8();
    const unsigned imageType = cursor.U8();
    if (colorMapType > 1) {
        return false;
    }
    if (colorMapType == 1) {
        cursor.Skip(4);
        if (!OneOf(imageType, {1, 9}) || !OneOf(cursor.U8(), {8, 15, 16, 24, 32})) {
            return false;
        }
        cursor.Skip(4);
    } else {
        if (!OneOf(imageType, {2, 3, 10, 11})) {
            return false;
        }
        cursor.Skip(9);
    }
    if (cursor.U16Le() < 1 || cursor.U16Le() < 1) {
        return false;
    }
    const unsigned bitsPerPixel = cursor.U8();
    return (colorMapType == 0 || OneOf(bitsPerPixel, {8, 16})) && OneOf(bitsPerPixel, {8, 15, 16, 24, 32});
}

} // namespace

StbImageFormat DetectStbImageFormat(std::span<const unsigned char> bytes)
{
    struct Test {
        StbImageFormat format;
        bool (*passes)(std::span<const unsigned char>);
    };
    static constexpr Test kTests[] = {
        {StbImageFormat::Png,
         [](std::span<const unsigned char> b) { return Reads(ByteCursor(b), "\x89PNG\r\n\x1A\n"); }},
        {StbImageFormat::Bmp, IsBmp},
        {StbImageFormat::Gif, IsGif},
        {StbImageFormat::Psd, [](std::span<const unsigned char> b) { return Reads(ByteCursor(b), "8BPS"); }},
        {StbImageFormat::Pic, IsPic},
        {StbImageFormat::Jpeg, IsJpeg},
        {StbImageFormat::Pnm, IsPnm},
        {StbImageFormat::Hdr, IsHdr},
        {StbImageFormat::Tga, IsTga},
    };
    for (const Test& test : kTests) {
        if (test.passes(bytes)) {
            return test.format;
        }
    }
    return StbImageFormat::Unknown;
}

Result<> CheckBeforeDecoding(std::span<const unsigned char> bytes)
{
    switch (DetectStbImageFormat(bytes)) {
    case StbImageFormat::Jpeg:
        return CheckJpegHuffmanTables(bytes);
    case StbImageFormat::Hdr:
        return CheckRadianceData(bytes);
    case StbImageFormat::Pnm:
        return CheckPnmData(bytes);
    case StbImageFormat::Bmp:
        return CheckBmpData(bytes);
    case StbImageFormat::Psd:
        return CheckPsdData(bytes);
    case StbImageFormat::Tga:
        return CheckTgaData(bytes);
    case StbImageFormat::Png:
    case StbImageFormat::Gif:
    case StbImageFormat::Pic:
    case StbImageFormat::Unknown:
        return Result<>::Success();
    }
    return Result<>::Success();
}

Result<> RequirePixelBytes(const DeclaredImage& image, std::uint64_t needed, std::uint64_t available)
{
    if (available >= needed) {
        return Result<>::Success();
    }
    return Failure{std::string("the ") + image.format + " image is cut short: its " + std::to_string(image.width) +
                   " x " + std::to_string(image.height) + " pixels need " + std::to_string(needed) +
                   " bytes, the file holds " + std::to_string(available)};
}

Failure RunLengthDataCutShort(const DeclaredImage& image)
{
    return Failure{std::string("the ") + image.format + " image is cut short: its run-length data ends before its " +
                   std::to_string(image.width) + " x " + std::to_string(image.height) + " pixels are filled"};
}
