#include "platform/d3dx9/internal/stb_input_checks.h"

#include "platform/d3dx9/internal/byte_cursor.h"

namespace {

constexpr unsigned kFill = 0xFF;
constexpr unsigned kStartOfImage = 0xD8;
constexpr unsigned kEndOfImage = 0xD9;
constexpr unsigned kDefineHuffmanTable = 0xC4;

// The byte at index, or 0 past the end, as the decoder reads it.
unsigned ByteAt(std::span<const unsigned char> bytes, size_t index) { return ByteCursor(bytes, index).U8(); }

// True when one of the Huffman tables of the DHT segment at start (its length field) lists more
// than 256 codes. Tables are walked as the decoder walks them; where the decoder would refuse
// the segment first (a bad table class or slot), the walk stops.
bool DefinesOversizedHuffmanTable(std::span<const unsigned char> bytes, size_t start)
{
    constexpr unsigned kMaxCodes = 256;
    long remaining = static_cast<long>(ByteAt(bytes, start) << 8 | ByteAt(bytes, start + 1)) - 2;
    size_t table = start + 2;
    while (remaining > 0) {
        const unsigned classAndSlot = ByteAt(bytes, table);
        if ((classAndSlot >> 4) > 1 || (classAndSlot & 15) > 3) {
            return false;
        }
        unsigned codes = 0;
        for (size_t length = 1; length <= 16; ++length) {
            codes += ByteAt(bytes, table + length);
        }
        if (codes > kMaxCodes) {
            return true;
        }
        table += 17 + codes;
        remaining -= static_cast<long>(17 + codes);
    }
    return false;
}

} // namespace

// stb_image 2.27 builds a Huffman table's code-size list (257 entries) from a DHT segment's
// sixteen code counts without checking that they add up to at most 256, so a corrupt JPEG
// writes past the list. Such files are refused here before the decoder sees them.
// The walk goes from marker to marker as the decoder does: fill bytes 0xFF before a marker,
// segments skipped by their length, scan data searched for the next marker (0xFF 0x00 is a
// stuffed byte, restart markers carry no length). Where the decoder would give up on the file
// anyway, the walk just goes on, so it never passes over a table the decoder would build.
Result<> CheckJpegHuffmanTables(std::span<const unsigned char> bytes)
{
    size_t at = 0;
    const auto nextMarker = [&]() {
        while (at < bytes.size() && bytes[at] != kFill) {
            ++at;
        }
        while (at < bytes.size() && bytes[at] == kFill) {
            ++at;
        }
        return at < bytes.size() ? bytes[at++] : kEndOfImage;
    };
    if (ByteAt(bytes, 0) != kFill || nextMarker() != kStartOfImage) {
        return Result<>::Success();
    }
    for (unsigned marker = nextMarker(); marker != kEndOfImage; marker = nextMarker()) {
        const bool withoutLength = marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= kStartOfImage);
        if (withoutLength) {
            continue;
        }
        if (marker == kDefineHuffmanTable && DefinesOversizedHuffmanTable(bytes, at)) {
            return Failure{"a JPEG Huffman table lists more than 256 codes"};
        }
        at += ByteAt(bytes, at) << 8 | ByteAt(bytes, at + 1);
    }
    return Result<>::Success();
}
