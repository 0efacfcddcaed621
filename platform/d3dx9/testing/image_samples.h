// Image files made byte by byte for tests and fuzzing seeds: small complete images in formats
// whose headers declare their size (PNM, BMP, TGA, GIF, and Radiance HDR and Photoshop, which
// textures are not read from), and hostile ones: HDR run-length data on which a decoder could
// make no progress, files cut short after a header that declares 8192 x 8192 pixels, and
// headers that declare more than a texture may have.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

struct ImageSample {
    std::string name;    // a file name for the corpus: "hdr_zero_run.hdr"
    std::string bytes;   // the whole file
    std::string refusal; // a part of the reason it is refused with; empty when it decodes
};

namespace image_samples {

inline std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values) {
        bytes += static_cast<char>(value);
    }
    return bytes;
}
inline std::string Le16(unsigned value) { return Bytes({int(value & 0xFF), int(value >> 8 & 0xFF)}); }
inline std::string Le32(unsigned value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }
inline std::string Be16(unsigned value) { return Bytes({int(value >> 8 & 0xFF), int(value & 0xFF)}); }
inline std::string Be32(unsigned value) { return Be16(value >> 16) + Be16(value & 0xFFFF); }
inline std::string Repeat(const std::string& piece, int times)
{
    std::string bytes;
    for (int i = 0; i < times; ++i) {
        bytes += piece;
    }
    return bytes;
}

inline std::string Radiance(int width, int height, const std::string& data)
{
    return "#?RADIANCE\n# made by hand\nFORMAT=32-bit_rle_rgbe\n\n-Y " + std::to_string(height) + " +X " +
           std::to_string(width) + "\n" + data;
}
// The start of a run-length scanline 16 pixels wide.
inline const std::string kScanline16 = Bytes({2, 2, 0, 16});
// One channel of a 16-pixel scanline: a run of 16 copies of the value.
inline std::string Run16(int value) { return Bytes({128 + 16, value}); }

// "P5" grey or "P6" RGB.
inline std::string Pnm(char kind, int width, int height, int maxValue, const std::string& data)
{
    return std::string("P") + kind + "\n# made by hand\n" + std::to_string(width) + " " + std::to_string(height) +
           "\n" + std::to_string(maxValue) + "\n" + data;
}

// A 2 x 2 image of one colour.
inline std::string OneColourPpm(int red, int green, int blue)
{
    return Pnm('6', 2, 2, 255, Repeat(Bytes({red, green, blue}), 4));
}

// 24 bits per pixel, rows bottom first, each padded to four bytes.
inline std::string Bmp24(int width, int height, const std::string& data)
{
    const unsigned dataOffset = 54;
    return "BM" + Le32(dataOffset + unsigned(data.size())) + Le32(0) + Le32(dataOffset) + Le32(40) + Le32(width) +
           Le32(height) + Le16(1) + Le16(24) + Le32(0) + Le32(unsigned(data.size())) + Le32(2835) + Le32(2835) +
           Le32(0) + Le32(0) + data;
}

// Three 8-bit RGB channels one after the other, raw or PackBits (after a table of row lengths
// that the decoder skips).
inline std::string Psd(int width, int height, bool packBits, const std::string& data)
{
    const std::string rowLengths = packBits ? std::string(size_t(height) * 3 * 2, '\0') : "";
    return "8BPS" + Be16(1) + std::string(6, '\0') + Be16(3) + Be32(height) + Be32(width) + Be16(8) + Be16(3) +
           Be32(0) + Be32(0) + Be32(0) + Be16(packBits ? 1 : 0) + rowLengths + data;
}

// 24 bits per pixel, raw (type 2) or run-length packets (type 10), rows bottom first.
inline std::string Tga24(int width, int height, bool runLength, const std::string& data)
{
    return Bytes({0, 0, runLength ? 10 : 2}) + Le16(0) + Le16(0) + Bytes({0}) + Le16(0) + Le16(0) + Le16(width) +
           Le16(height) + Bytes({24, 0}) + data;
}
// The footer of a TGA 2.0 file, without extension or developer areas.
inline std::string TgaFooter() { return Le32(0) + Le32(0) + "TRUEVISION-XFILE." + Bytes({0}); }

// An image of indices into a colour table of up to 256 RGB entries (three bytes each), rows top
// first. The LZW data holds every index as a code of its own, nine bits wide: a clear code every
// 254 codes keeps the decoder's table from growing past nine bits.
inline std::string Gif(int width, int height, const std::string& colours, const std::string& indices)
{
    const std::string table = colours + std::string(768 - colours.size(), '\0');
    std::string codes;
    unsigned bits = 0;
    int pending = 0;
    const auto put = [&](unsigned code) {
        bits |= code << pending;
        for (pending += 9; pending >= 8; pending -= 8, bits >>= 8) {
            codes += static_cast<char>(bits & 0xFF);
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % 254 == 0) {
            put(256);
        }
        put(static_cast<unsigned char>(indices[i]));
    }
    put(257);
    if (pending > 0) {
        codes += static_cast<char>(bits & 0xFF);
    }
    std::string blocks;
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::string block = codes.substr(at, 255);
        blocks += static_cast<char>(block.size()) + block;
    }
    return "GIF89a" + Le16(width) + Le16(height) + Bytes({0xF7, 0, 0}) + table + Bytes({0x2C}) + Le32(0) + Le16(width) +
           Le16(height) + Bytes({0, 8}) + blocks + Bytes({0, 0x3B});
}

} // namespace image_samples

// Radiance HDR files, complete and hostile: a decoder that makes no progress on a run-length
// count of zero, or reads zeros past the end of the data, loops for ever on some of these.
// Textures are not read from HDR files, so all are refused by their format.
inline std::vector<ImageSample> RadianceSamples()
{
    using namespace image_samples;
    const std::string row = kScanline16 + Run16(200) + Run16(100) + Run16(50) + Run16(129);
    const std::string notRead = "Radiance HDR is not an image format the texture loader reads";
    return {
        {"complete.hdr", Radiance(16, 2, row + row), notRead},
        {"complete_flat.hdr", Radiance(4, 2, Repeat(Bytes({200, 100, 50, 129}), 8)), notRead},
        {"hdr_zero_run_at_end.hdr", Radiance(16, 2, kScanline16 + Bytes({0})), notRead},
        {"hdr_zero_run_inside.hdr", Radiance(16, 1, kScanline16 + Bytes({0}) + row.substr(4)), notRead},
        {"hdr_ends_inside_scanline.hdr", Radiance(16, 1, kScanline16 + Run16(200)), notRead},
        {"hdr_ends_before_last_scanline.hdr", Radiance(16, 3, row + row), notRead},
        {"hdr_run_overflows.hdr", Radiance(16, 1, kScanline16 + Bytes({128 + 17, 7})), notRead},
        {"hdr_copy_overflows.hdr", Radiance(16, 1, kScanline16 + Bytes({17}) + std::string(17, 'x')), notRead},
        {"hdr_flat_cut_short.hdr", Radiance(4, 4, std::string(10, 'x')), notRead},
        {"hdr_flat_after_scanline_cut_short.hdr", Radiance(16, 2, row + Bytes({0x80, 0x80, 0x80, 0x80})), notRead},
    };
}

// Files whose headers declare their size: complete small ones; ones that end a few bytes after a
// header declaring 8192 x 8192 pixels, which a decoder could fill with zeros or read byte by
// byte from nothing; headers declaring more than 8192 pixels a side, a number beyond an int or
// no rows; and Photoshop and TGA files of the kinds textures are not read from.
inline std::vector<ImageSample> DeclaredSizeSamples()
{
    using namespace image_samples;
    constexpr int kHuge = 8192;
    const std::string someBytes(12, '\x40');
    const std::string packBitsChannel = Bytes({257 - 6, 0x40}); // 6 samples of one value
    const std::string redBlue = Bytes({255, 0, 0, 0, 0, 255});
    const std::string tooLarge = "a texture is at most 8192 pixels a side";
    const std::string psd = "Photoshop (PSD) is not an image format the texture loader reads";
    const std::string runLengthTga = "the TGA image is of type 10 with 24 bits a pixel";
    return {
        {"complete.ppm", Pnm('6', 3, 2, 255, std::string(18, '\x40')), ""},
        {"complete.pgm", Pnm('5', 3, 2, 255, std::string(6, '\x40')), ""},
        {"sixteen_bits.pgm", Pnm('5', 3, 2, 65535, std::string(12, '\x40')), ""},
        {"complete.bmp", Bmp24(3, 2, std::string(24, '\x40')), ""},
        {"complete.tga", Tga24(3, 2, false, std::string(18, '\x40')) + TgaFooter(), ""},
        {"complete.gif", Gif(3, 2, redBlue, Bytes({0, 1, 0, 1, 0, 1})), ""},
        {"complete.psd", Psd(3, 2, false, std::string(18, '\x40')), psd},
        {"complete_packbits.psd", Psd(3, 2, true, Repeat(packBitsChannel, 3)), psd},
        {"complete_rle.tga", Tga24(3, 2, true, Bytes({0x80 + 5, 1, 2, 3})) + TgaFooter(), runLengthTga},
        {"tga_without_footer.tga", Tga24(3, 2, false, std::string(18, '\x40')),
         "the file's format is not an image format the texture loader reads"},
        {"no_rows.pgm", Pnm('5', 4, 0, 255, ""), "its header cannot be read"},
        {"ppm_cut_short.ppm", Pnm('6', kHuge, kHuge, 255, someBytes), "cut short"},
        {"pgm_cut_short.pgm", Pnm('5', kHuge, kHuge, 255, someBytes), "cut short"},
        {"pnm_number_too_large.pgm", "P5\n99999999999 1\n255\n" + someBytes, "its header cannot be read"},
        {"bmp_cut_short.bmp", Bmp24(kHuge, kHuge, someBytes), "cut short"},
        {"psd_cut_short.psd", Psd(kHuge, kHuge, false, someBytes), psd},
        {"psd_packbits_cut_short.psd", Psd(kHuge, kHuge, true, Repeat(Bytes({257 - 128, 0x40}), 6)), psd},
        {"tga_cut_short.tga", Tga24(kHuge, kHuge, false, someBytes) + TgaFooter(),
         "the TGA image is cut short: its 8192 x 8192 pixels need 201326592 bytes, the file holds 12"},
        {"tga_rle_cut_short.tga", Tga24(kHuge, kHuge, true, Repeat(Bytes({0xFF, 1, 2, 3}), 3)) + TgaFooter(),
         runLengthTga},
        {"pgm_too_large.pgm", Pnm('5', kHuge + 1, 1, 255, someBytes),
         "the PBM/PGM/PPM image is 8193 x 1 pixels; " + tooLarge},
        {"bmp_too_large.bmp", Bmp24(65284, 2048, someBytes), tooLarge},
        {"gif_too_large.gif", Gif(1, kHuge + 1, redBlue, someBytes), tooLarge},
    };
}
