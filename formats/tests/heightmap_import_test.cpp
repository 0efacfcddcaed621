#include "formats/heightmap.h"

#include "base/testing/child_process.h"
#include "base/testing/temp_folder.h"
#include "formats/exr_heightmap.h"
#include "formats/png_heightmap.h"
#include "formats/raw_heightmap.h"
#include "formats/tests/test_terrain.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>

using namespace std::chrono_literals;

namespace {

// A PNG made by Qt alone, as other programs make them: no text chunks unless given.
std::string ForeignPng(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return data.toStdString();
}

// An 8-bit grey gradient: level = (row + column) % 256.
QImage Grey8(int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            image.scanLine(row)[column] = static_cast<uchar>((row + column) % 256);
        }
    }
    return image;
}

std::string EncodedPng(const Heightfield& heights)
{
    const Result<std::string> bytes = EncodePngHeightmap(heights, {});
    return bytes ? bytes.value() : std::string();
}

std::string EncodedExr(const Heightfield& heights)
{
    const Result<std::string> bytes = EncodeExrHeightmap(heights, {});
    return bytes ? bytes.value() : std::string();
}

std::uint32_t Crc32(std::string_view bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBigEndian(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
    }
}

// png with the IHDR's width and height replaced (and its checksum mended).
std::string WithDeclaredSize(std::string png, std::uint32_t width, std::uint32_t height)
{
    constexpr std::size_t kIhdrType = 12;
    PutBigEndian(png, kIhdrType + 4, width);
    PutBigEndian(png, kIhdrType + 8, height);
    PutBigEndian(png, kIhdrType + 4 + 13, Crc32(std::string_view(png).substr(kIhdrType, 4 + 13)));
    return png;
}

// exr with the data window's maximum corner replaced.
std::string WithDataWindow(std::string exr, std::int32_t maxX, std::int32_t maxY)
{
    const std::string attribute("dataWindow\0box2i\0", 17);
    const std::size_t at = exr.find(attribute) + attribute.size() + 4 + 8;
    for (int i = 0; i < 4; ++i) {
        exr[at + i] = static_cast<char>(maxX >> (8 * i));
        exr[at + 4 + i] = static_cast<char>(maxY >> (8 * i));
    }
    return exr;
}

std::string WithText(const QImage& image, std::initializer_list<std::pair<const char*, const char*>> texts)
{
    QImage tagged = image;
    for (const auto& [key, value] : texts) {
        tagged.setText(key, value);
    }
    return ForeignPng(tagged);
}

std::string Repeated(const std::string& text, int count)
{
    std::string all;
    for (int i = 0; i < count; ++i) {
        all += text;
    }
    return all;
}

} // namespace

TEST(ReadHeightmap, ForeignEightBitPngTakesTheCallersRange)
{
    TempFolder folder;
    TempFolder::Write(folder.Path("grey.png"), ForeignPng(Grey8(65, 65)));
    const Result<ImportedHeightmap> read = ReadHeightmap(folder.Path("grey.png"), {{-1.0f, 254.0f}});
    ASSERT_TRUE(read.ok()) << read.reason();
    const ImportedHeightmap& imported = read.value();
    EXPECT_EQ(imported.scale, HeightScale::FromCaller);
    // Level 255 stands for the top of the range: a level is worth (254 - -1) / 255 = 1.
    EXPECT_FLOAT_EQ(imported.heights.At(0, 0), -1.0f);
    EXPECT_FLOAT_EQ(imported.heights.At(10, 20), 29.0f);
    EXPECT_FLOAT_EQ(imported.heights.At(64, 64), 127.0f);
    EXPECT_EQ(ImportNotice(imported), "heights -1 to 254 as chosen (the file does not say)");
}

TEST(ReadHeightmap, ResamplesToTheNearestSupportedSideAndSaysSo)
{
    TempFolder folder;
    const Heightfield exrHeights = TestTerrain(700);
    QImage colour(100, 100, QImage::Format_RGB32);
    colour.fill(QColor(40, 40, 40));
    struct Case {
        const char* name;
        std::string bytes;
        int side;
        std::string notice;
    } const cases[] = {
        {"grey.png", ForeignPng(Grey8(100, 100)), 129,
         "resampled from 100 x 100 to 129 x 129 samples; heights 0 to 15 as chosen (the file does not say)"},
        {"colour.png", ForeignPng(colour), 129,
         "resampled from 100 x 100 to 129 x 129 samples; heights 0 to 15 as chosen (the file does not say)"},
        {"small.raw", std::string(2 * 50 * 50, '\0'), 65,
         "resampled from 50 x 50 to 65 x 65 samples; heights 0 to 15 as chosen (the file does not say)"},
        {"tiny.txt", Repeated("2.5\n", 17 * 17), 33, "resampled from 17 x 17 to 33 x 33 samples"},
        {"large.exr", EncodedExr(exrHeights), 513, "resampled from 700 x 700 to 513 x 513 samples"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder::Write(folder.Path(c.name), c.bytes);
        const Result<ImportedHeightmap> read = ReadHeightmap(folder.Path(c.name), {});
        ASSERT_TRUE(read.ok()) << read.reason();
        EXPECT_EQ(read.value().heights.Side(), c.side);
        EXPECT_TRUE(read.value().Resampled());
        EXPECT_EQ(ImportNotice(read.value()), c.notice);
    }
    // Bilinear resampling keeps the corners and stays within the source's heights.
    const Heightfield resampled = ReadHeightmap(folder.Path("large.exr"), {}).value().heights;
    EXPECT_EQ(resampled.At(0, 0), exrHeights.At(0, 0));
    EXPECT_EQ(resampled.At(512, 512), exrHeights.At(699, 699));
    EXPECT_EQ(resampled.At(0, 512), exrHeights.At(0, 699));
    EXPECT_EQ(RangeOf(resampled).value().low >= RangeOf(exrHeights).value().low, true);
    // A grey colour of 40 in 255 is level 40.
    EXPECT_FLOAT_EQ(ReadHeightmap(folder.Path("colour.png"), {}).value().heights.At(7, 9), 15.0f * 40 / 255);
}

TEST(ReadHeightmap, BadFilesGetAClearReason)
{
    TempFolder folder;
    const Heightfield heights = TestTerrain(65);
    const std::string png = EncodedPng(heights);
    const std::string exr = EncodedExr(heights);
    std::string brokenCrc = png;
    brokenCrc[29] ^= 0x55;
    struct Case {
        const char* name;
        std::string bytes;
        std::string reason;
    } const cases[] = {
        {"truncated.png", png.substr(0, png.size() / 2), "its image data cannot be read ("},
        {"header_only.png", png.substr(0, 40), "it is a damaged PNG image"},
        {"broken_crc.png", brokenCrc, "it is a damaged PNG image"},
        {"text.png", "not a picture", "it is not a PNG image"},
        {"huge.png", WithDeclaredSize(png, 100000, 100000), "it is 100000 x 100000 pixels, larger than 16384 a side"},
        {"wide.png", ForeignPng(Grey8(30, 20)), "it is 30 x 20 pixels, not square"},
        {"dot.png", ForeignPng(Grey8(1, 1)), "it is 1 x 1 pixels; a heightmap is at least 2 x 2"},
        {"side.png", WithText(Grey8(33, 33), {{"relief:side", "65"}}),
         "its relief:side text says \"65\" but the image is 33 pixels wide"},
        {"min.png", WithText(Grey8(33, 33), {{"relief:min", "low"}, {"relief:max", "3"}}),
         "its relief:min text is not valid"},
        {"max.png", WithText(Grey8(33, 33), {{"relief:min", "4"}, {"relief:max", "3"}}),
         "its relief:max text is not valid"},
        {"half.png", WithText(Grey8(33, 33), {{"relief:min", "4"}}), "its relief:max text is not valid"},
        {"nan.png", WithText(Grey8(33, 33), {{"relief:min", "nan"}, {"relief:max", "3"}}),
         "its relief:min text is not valid"},
        {"seed.png", WithText(Grey8(33, 33), {{"relief:seed", "-1"}}), "its relief:seed text is not valid"},
        {"truncated.exr", exr.substr(0, exr.size() / 2), "it is not a readable OpenEXR image ("},
        {"header.exr", exr.substr(0, 100), "it is not a readable OpenEXR image ("},
        {"huge.exr", WithDataWindow(exr, 99999, 99999), "it is not a readable OpenEXR image ("},
        {"wide.exr", WithDataWindow(exr, 64, 30), "it is 65 x 31 pixels, not square"},
        {"version.exr", "v/1\x01 and more", "it is not a readable OpenEXR image ("},
        {"text.exr", "not an image", "it is not an OpenEXR image"},
        {"odd.raw", std::string(2 * 64 * 64 + 1, '\0'), "it holds 8193 bytes, an odd number; RAW heights are 16-bit"},
        {"oblong.r16", std::string(2 * 64 * 65, '\0'), "it is not square: 4160 samples"},
        {"empty.raw", "", "it is 0 x 0 pixels; a heightmap is at least 2 x 2"},
        {"count.txt", "1 2 3 4 5 6", "it holds only 6 of the 4096 heights"},
        {"heights.bmp", png, "its name does not end in .txt, .png, .r16, .raw or .exr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path(c.name);
        TempFolder::Write(path, c.bytes);
        // A decoder may misbehave on a damaged file: each one reads in a child with a time limit.
        const ChildOutcome outcome = RunInChild(
            [&] {
                const Result<ImportedHeightmap> read = ReadHeightmap(path, {});
                return !read.ok() && read.reason().starts_with("cannot load \"" + path + "\": " + c.reason) ? 0 : 1;
            },
            10s);
        const Result<ImportedHeightmap> read = ReadHeightmap(path, {});
        EXPECT_TRUE(outcome.ExitedWith(0)) << outcome.Describe() << ": " << read.reason();
        EXPECT_EQ(TempFolder::Read(path), c.bytes);
    }
}

TEST(ReadHeightmap, RefusesFoldersMissingFilesAndBadRanges)
{
    TempFolder folder;
    TempFolder::Write(folder.Path("h.raw"), std::string(2 * 33 * 33, '\0'));
    std::filesystem::create_directory(folder.Path("folder.png"));
    struct Case {
        std::string path;
        HeightRange range;
        std::string reason;
    } const cases[] = {
        {folder.Path("missing.png"), {0, 15}, "No such file or directory"},
        {folder.Path("folder.png"), {0, 15}, "it is a folder"},
        {folder.Path("h.raw"), {3, 1}, "the height range 3 to 1 is not a range"},
        {folder.Path("h.raw"), {0, std::numeric_limits<float>::infinity()}, "the height range 0 to inf is not a range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Result<ImportedHeightmap> read = ReadHeightmap(c.path, {c.range});
        EXPECT_EQ(read.reason(), "cannot load \"" + c.path + "\": " + c.reason);
    }
}
