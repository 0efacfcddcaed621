#include "platform/d3d9/testing/recording_device.h"
#include "platform/d3dx9/d3dx9.h"
#include "platform/d3dx9/image_file.h"

#include <gtest/gtest.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include <cstdlib>
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

// Top half opaque red, bottom half half-transparent blue (as RGBA bytes).
std::vector<unsigned char> TwoBandPixels()
{
    std::vector<unsigned char> rgba;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool top = y < kHeight / 2;
            const unsigned char red = top ? 255 : 0;
            const unsigned char alpha = top ? 255 : 128;
            rgba.insert(rgba.end(), {red, 0, static_cast<unsigned char>(255 - red), alpha});
        }
    }
    return rgba;
}

struct Format {
    const char* name;
    int (*write)(const char* path, const std::vector<unsigned char>& rgba);
    bool keepsAlpha;
    int tolerance;
};

int WritePng(const char* path, const std::vector<unsigned char>& rgba)
{
    return stbi_write_png(path, kWidth, kHeight, 4, rgba.data(), kWidth * 4);
}
int WriteBmp(const char* path, const std::vector<unsigned char>& rgba)
{
    return stbi_write_bmp(path, kWidth, kHeight, 4, rgba.data());
}
int WriteTga(const char* path, const std::vector<unsigned char>& rgba)
{
    return stbi_write_tga(path, kWidth, kHeight, 4, rgba.data());
}
int WriteJpg(const char* path, const std::vector<unsigned char>& rgba)
{
    return stbi_write_jpg(path, kWidth, kHeight, 4, rgba.data(), 95);
}

// JPEG keeps no alpha and is lossy.
const Format kFormats[] = {
    {"png", WritePng, true, 0},
    {"bmp", WriteBmp, true, 0},
    {"tga", WriteTga, true, 0},
    {"jpg", WriteJpg, false, 24},
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
        ASSERT_NE(format.write(path.c_str(), TwoBandPixels()), 0);
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

TEST(ImageFile, UnreadableImagesFailWithAReason)
{
    const fs::path png = OutputFile("whole.png");
    ASSERT_NE(kFormats[0].write(png.c_str(), TwoBandPixels()), 0);
    std::ifstream in(png, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    const std::vector<std::pair<const char*, std::string>> corrupt = {
        {"empty", ""},
        {"not an image", "just some text, nothing like an image header"},
        {"truncated png", bytes.substr(0, bytes.size() / 2)},
        {"png signature only", bytes.substr(0, 8)},
    };
    for (const auto& [name, content] : corrupt) {
        SCOPED_TRACE(name);
        const Result<DecodedImage> image =
            DecodedImage::FromBytes(std::span<const char>(content.data(), content.size()));
        EXPECT_FALSE(image);
        EXPECT_FALSE(image.reason().empty());
    }
    const Result<DecodedImage> missing = DecodedImage::FromFile(OutputFile("absent.png").string());
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.reason().find("No such file or directory"), std::string::npos) << missing.reason();
}

// A JPEG whose Huffman table lists more codes than a table holds (found by fuzzing): the decoder
// would write past its code list, so the file is refused before decoding.
TEST(ImageFile, RefusesJpegWithOversizedHuffmanTable)
{
    const Result<DecodedImage> image = DecodedImage::FromFile(std::string(RELIEF_SOURCE_DIR) +
                                                              "/platform/d3dx9/tests/data/oversized_huffman_table.jpg");
    EXPECT_FALSE(image);
    EXPECT_NE(image.reason().find("Huffman table lists more than 256 codes"), std::string::npos) << image.reason();
}

void AppendBytes(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

// Sides up to 8192 texels decode; a larger side is refused before the decoder allocates for it,
// like the 30-byte run-length TGA (found by fuzzing) that declared 65284 x 2048 texels and took
// half a minute to fill.
TEST(ImageFile, RefusesImagesWiderOrTallerThan8192Texels)
{
    struct Size {
        int width;
        int height;
        bool decodes;
    };
    for (const Size size : {Size{8192, 1, true}, Size{8193, 1, false}, Size{1, 8193, false}}) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        const std::vector<unsigned char> rgba(static_cast<size_t>(size.width) * size.height * 4, 200);
        std::string tga;
        ASSERT_NE(stbi_write_tga_to_func(AppendBytes, &tga, size.width, size.height, 4, rgba.data()), 0);
        const Result<DecodedImage> image = DecodedImage::FromBytes(std::span<const char>(tga.data(), tga.size()));
        ASSERT_EQ(image.ok(), size.decodes) << image.reason();
        if (image) {
            EXPECT_EQ(image.value().width, UINT(size.width));
        }
    }
    const unsigned char hugeRunLengthTga[] = {0x00, 0x00, 0x0a, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02,
                                              0x00, 0x00, 0x04, 0xff, 0x00, 0x08, 0x20, 0x08, 0xc8, 0x00,
                                              0x3c, 0xff, 0xc8, 0xff, 0x78, 0xff, 0xc8, 0x00, 0xab, 0xff};
    const Result<DecodedImage> image = DecodedImage::FromBytes(
        std::span<const char>(reinterpret_cast<const char*>(hugeRunLengthTga), sizeof hugeRunLengthTga));
    EXPECT_FALSE(image);
    EXPECT_NE(image.reason().find("Very large image"), std::string::npos) << image.reason();
}

TEST(Texture, FileBecomesAManagedTextureWithRowsAtThePitch)
{
    // A wide name with a non-ASCII letter reaches the file by its UTF-8 path.
    const std::string folder = OutputFile("").string();
    ASSERT_NE(kFormats[0].write((folder + "b\xC3\xA4nder.png").c_str(), TwoBandPixels()), 0);
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
