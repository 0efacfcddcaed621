#include "platform/d3dx9/internal/stb_input_checks.h"

#include "platform/d3dx9/internal/byte_cursor.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr std::uint64_t kBytesPerPixel = 4; // R, G, B and a shared exponent
constexpr int kChannels = 4;

// A header line as the decoder reads it: up to a newline, which is consumed. Like the decoder,
// a line stops short of the file's last byte and keeps at most 1023 characters.
std::string ReadLine(ByteCursor& cursor)
{
    constexpr std::size_t kLongest = 1023;
    std::string line;
    unsigned c = cursor.U8();
    while (!cursor.AtEnd() && c != '\n') {
        line += static_cast<char>(c);
        if (line.size() == kLongest) {
            while (!cursor.AtEnd() && cursor.U8() != '\n') {
            }
            break;
        }
        c = cursor.U8();
    }
    return line;
}

struct Resolution {
    int width;
    int height;
};

// The "-Y <height> +X <width>" line, read with the decoder's own number parsing; nothing when
// the decoder would refuse the line.
std::optional<Resolution> ParseResolution(const std::string& line)
{
    if (line.rfind("-Y ", 0) != 0) {
        return std::nullopt;
    }
    char* end = nullptr;
    const int height = static_cast<int>(std::strtol(line.c_str() + 3, &end, 10));
    while (*end == ' ') {
        ++end;
    }
    if (std::string(end).rfind("+X ", 0) != 0) {
        return std::nullopt;
    }
    const int width = static_cast<int>(std::strtol(end + 3, nullptr, 10));
    return Resolution{width, height};
}

// Walks one channel of a run-length scanline. A count above 128 repeats the next byte
// (count - 128) times, any other count copies that many bytes. stb_image makes no progress on a
// count of zero, and at the end of the data it reads zeros, so a zero count there never ends.
Result<> WalkChannel(ByteCursor& cursor, const DeclaredImage& image, int row)
{
    const auto inRow = [&](const char* fault) {
        return Failure{std::string("a Radiance HDR scanline (row ") + std::to_string(row + 1) + ") " + fault};
    };
    std::uint64_t filled = 0;
    while (filled < image.width) {
        if (cursor.AtEnd()) {
            return RunLengthDataCutShort(image);
        }
        const unsigned count = cursor.U8();
        const bool repeats = count > 128;
        const std::uint64_t length = repeats ? count - 128 : count;
        if (length == 0) {
            return inRow("holds a run of length zero");
        }
        if (length > image.width - filled) {
            return inRow("holds a run that overflows the scanline");
        }
        const std::uint64_t dataBytes = repeats ? 1 : length;
        if (cursor.Remaining() < dataBytes) {
            return RunLengthDataCutShort(image);
        }
        cursor.Skip(dataBytes);
        filled += length;
    }
    return Result<>::Success();
}

// Scanlines of width 8 and more are run-length encoded when they start with 2, 2 and their
// width in 15 bits. At the first scanline that does not, stb_image reads the rest of the image
// as flat pixels, starting over at the first pixel with the four bytes it has just read.
Result<> WalkScanlines(ByteCursor& cursor, const DeclaredImage& image)
{
    const std::uint64_t flatBytes = image.width * image.height * kBytesPerPixel;
    if (image.width < 8) {
        return RequirePixelBytes(image, flatBytes, cursor.Remaining());
    }
    for (int row = 0; row < static_cast<int>(image.height); ++row) {
        if (cursor.Remaining() < 4) {
            return RunLengthDataCutShort(image);
        }
        const std::uint64_t fromRowStart = cursor.Remaining();
        const unsigned first = cursor.U8();
        const unsigned second = cursor.U8();
        const unsigned widthHigh = cursor.U8();
        if (first != 2 || second != 2 || (widthHigh & 0x80) != 0) {
            return RequirePixelBytes(image, flatBytes, fromRowStart);
        }
        if ((widthHigh << 8 | cursor.U8()) != image.width) {
            return Result<>::Success(); // the decoder refuses a scanline of another width
        }
        for (int channel = 0; channel < kChannels; ++channel) {
            if (Result<> walked = WalkChannel(cursor, image, row); !walked) {
                return walked;
            }
        }
    }
    return Result<>::Success();
}

} // namespace

// The header is a signature line, lines of settings up to an empty line, then the resolution.
// A header the decoder refuses is left to it; so is a side larger than it takes or below 1.
Result<> CheckRadianceData(std::span<const unsigned char> bytes)
{
    ByteCursor cursor(bytes);
    ReadLine(cursor);
    // The decoder reads the line into a C string: a line that starts with a NUL byte ends the
    // settings too.
    while (ReadLine(cursor).c_str()[0] != '\0') {
    }
    const std::optional<Resolution> resolution = ParseResolution(ReadLine(cursor));
    if (!resolution || resolution->width < 1 || resolution->height < 1 || resolution->width > kStbMaxSide ||
        resolution->height > kStbMaxSide) {
        return Result<>::Success();
    }
    const DeclaredImage image{"Radiance HDR", static_cast<std::uint64_t>(resolution->width),
                              static_cast<std::uint64_t>(resolution->height)};
    return WalkScanlines(cursor, image);
}
