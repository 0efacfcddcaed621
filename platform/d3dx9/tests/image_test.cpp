#include "platform/d3d9/testing/recording_device.h"
#include "platform/d3dx9/d3dx9.h"
#include "platform/d3dx9/image_file.h"
#include "platform/d3dx9/testing/encoded_images.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 16;
constexpr int kHeight = 16;

fs::path OutputFile(const std::string& name)
{
    const fs::path folder = fs::path(RELIEF_TEST_OUTPUT_DIR) / "d3dx9";
    fs::create_directories(folder);
    return folder / name;
}

void Save(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

Result<DecodedImage> Decode(const std::string& bytes)
{
    return DecodedImage::FromBytes(std::span<const char>(bytes.data(), bytes.size()));
}

// Top half opaque red, bottom half half-transparent blue.
QImage TwoBands()
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(qRgba(255, 0, 0, 255));
    for (int y = kHeight / 2; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            image.setPixel(x, y, qRgba(0, 0, 255, 128));
        }
    }
    return image;
}

// Colours no encoder can store in less than a few kilobytes, so that decoders reading in chunks
// read more than one.
QImage Noise()
{
    QImage image(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgba((x * 97 + y * 13) % 256, (x * y * 31) % 256, (x ^ y) * 5 % 256, 255));
        }
    }
    return image;
}

struct Format {
    const char* name;
    std::string (*encode)(const QImage& image);
    bool keepsAlpha;
    int tolerance;
    // Part of the reason a file cut short is refused with.
    const char* cutShortReason;
};

const Format kFormats[] = {
    {"png", [](const QImage& image) { return EncodedByQt(image, "png"); }, true, 0, "cut short"},
    {"jpeg", [](const QImage& image) { return EncodedByQt(image, "jpeg", 95); }, false, 24, "cut short"},
    {"gif", GifFromImage, false, 0, "cut short"},
    {"bmp", [](const QImage& image) { return EncodedByQt(image, "bmp"); }, false, 0, "cut short"},
    {"webp", [](const QImage& image) { return EncodedByQt(image, "webp", 100); }, true, 0, "cut short"},
    {"tiff", [](const QImage& image) { return EncodedByQt(image, "tiff"); }, true, 0, "cut short"},
    {"ppm", [](const QImage& image) { return EncodedByQt(image, "ppm"); }, false, 0, "cut short"},
    // Cut short, the file loses the footer Qt knows TGA 2.0 files by.
    {"tga", TgaFromImage, true, 0, "the file's format is not an image format the texture loader reads"},
};

void ExpectTexel(const DecodedImage& image, int x, int y, std::vector<int> bgra, int tolerance)
{
    const BYTE* texel = &image.texels[(static_cast<size_t>(y) * image.width + x) * 4];
    for (int c = 0; c < 4; ++c) {
        EXPECT_NEAR(texel[c], bgra[c], tolerance) << "channel " << c << " at " << x << "," << y;
    }
}

// Texels come out as B, G, R, A with the image's top row first, whatever the file's row order.
TEST(ImageFile, DecodesEachFormatIntoTopFirstBgraRows)
{
    for (const Format& format : kFormats) {
        SCOPED_TRACE(format.name);
        const fs::path path = OutputFile(std::string("bands.") + format.name);
        Save(path, format.encode(TwoBands()));
        const Result<DecodedImage> decoded = DecodedImage::FromFile(path.string());
        ASSERT_TRUE(decoded) << decoded.reason();
        const DecodedImage& image = decoded.value();
        ASSERT_EQ(image.width, UINT(kWidth));
        ASSERT_EQ(image.height, UINT(kHeight));
        ASSERT_EQ(image.texels.size(), size_t(kWidth * kHeight * 4));
        ExpectTexel(image, 8, 2, {0, 0, 255, 255}, format.tolerance);
        ExpectTexel(image, 8, 13, {255, 0, 0, format.keepsAlpha ? 128 : 255}, format.tolerance);
    }
}

// Several decoders return what they have of a file that ends too soon (a JPEG padded with grey,
// the part of a GIF frame or of a BMP's rows); each cut is refused, with the reason.
TEST(ImageFile, RefusesEachFormatCutShort)
{
    for (const Format& format : kFormats) {
        const std::string whole = format.encode(Noise());
        ASSERT_TRUE(Decode(whole)) << format.name << ": " << Decode(whole).reason();
        for (const size_t length : {whole.size() / 3, whole.size() / 2, whole.size() - 16}) {
            SCOPED_TRACE(std::string(format.name) + " cut to " + std::to_string(length) + " of " +
                         std::to_string(whole.size()) + " bytes");
            const Result<DecodedImage> image = Decode(whole.substr(0, length));
            EXPECT_FALSE(image);
            EXPECT_NE(image.reason().find(format.cutShortReason), std::string::npos) << image.reason();
        }
    }
}

TEST(ImageFile, UnreadableImagesFailWithAReason)
{
    const std::string png = EncodedByQt(Noise(), "png");
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "the image file is empty"},
        {"not an image", "just some text, nothing like an image header",
         "the file's format is not an image format the texture loader reads (it reads PNG, JPEG, GIF, BMP, WebP, "
         "TIFF, PBM/PGM/PPM and uncompressed TGA 2.0)"},
        {"png signature only", png.substr(0, 8), "the PNG image is cut short: its header ends early"},
        {"png header damaged", png.substr(0, 12) + "IHDX" + png.substr(16),
         "the PNG image is damaged or cut short: its header cannot be read"},
        {"truncated png", png.substr(0, png.size() / 2),
         "the PNG image is cut short: its data ends before its 64 x 64 pixels are complete"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<DecodedImage> image = Decode(c.bytes);
        ASSERT_FALSE(image);
        EXPECT_NE(image.reason().find(c.reason), std::string::npos) << image.reason();
    }
    const Result<DecodedImage> missing = DecodedImage::FromFile(OutputFile("absent.png").string());
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.reason().find("No such file or directory"), std::string::npos) << missing.reason();
}

// A JPEG whose Huffman table lists more codes than a table holds (found by fuzzing an earlier
// decoder, which wrote past its code list).
TEST(ImageFile, RefusesJpegWithOversizedHuffmanTable)
{
    const Result<DecodedImage> image = DecodedImage::FromFile(std::string(RELIEF_SOURCE_DIR) +
                                                              "/platform/d3dx9/tests/data/oversized_huffman_table.jpg");
    EXPECT_FALSE(image);
    EXPECT_NE(image.reason().find("the JPEG image is damaged"), std::string::npos) << image.reason();
}

// Sides up to 8192 texels decode; a larger side is refused before the decoder allocates for it.
// Headers of a few bytes that declare larger images are in the refusal tests.
TEST(ImageFile, RefusesImagesWiderOrTallerThan8192Texels)
{
    struct Size {
        int width;
        int height;
        bool decodes;
    };
    for (const Size size : {Size{8192, 1, true}, Size{8193, 1, false}, Size{1, 8193, false}}) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        QImage grey(size.width, size.height, QImage::Format_Grayscale8);
        grey.fill(200);
        const Result<DecodedImage> image = Decode(EncodedByQt(grey, "png"));
        ASSERT_EQ(image.ok(), size.decodes) << image.reason();
        if (image) {
            EXPECT_EQ(image.value().width, UINT(size.width));
        } else {
            EXPECT_NE(image.reason().find("a texture is at most 8192 pixels a side"), std::string::npos)
                << image.reason();
        }
    }
}

TEST(Texture, FileBecomesAManagedTextureWithRowsAtThePitch)
{
    // A wide name with a non-ASCII letter reaches the file by its UTF-8 path.
    const std::string folder = OutputFile("").string();
    Save(folder + "b\xC3\xA4nder.png", EncodedByQt(TwoBands(), "png"));
    const std::wstring wideName = std::wstring(folder.begin(), folder.end()) + L"b\u00E4nder.png";
    RecordingDevice device;
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileW(&device, wideName.c_str(), &texture), D3D_OK) << D3DXGetLastErrorMessage();
    ASSERT_EQ(texture, device.lastTexture);
    EXPECT_EQ(device.lastTexture->width, UINT(kWidth));
    EXPECT_EQ(device.lastTexture->unlocks, 1);
    EXPECT_EQ(device.lastTexture->Texel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(device.lastTexture->Texel(kWidth - 1, kHeight - 1), 0x800000FFu);
    texture->Release();

    device.refuseTextures = true;
    texture = reinterpret_cast<IDirect3DTexture9*>(1);
    EXPECT_EQ(D3DXCreateTextureFromFileW(&device, wideName.c_str(), &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    EXPECT_NE(std::string(D3DXGetLastErrorMessage()).find("could not make a 16 x 16 texture"), std::string::npos);
    EXPECT_EQ(D3DXCreateTextureFromFileW(&device, OutputFile("absent.png").wstring().c_str(), &texture),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXCreateTextureFromFileW(nullptr, wideName.c_str(), &texture), D3DERR_INVALIDCALL);
}

} // namespace
