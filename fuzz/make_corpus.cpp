// Writes the seed corpora of the fuzz targets into <folder>/xfile, <folder>/heights,
// <folder>/texture and <folder>/heightmaps: a few valid files of each kind and a few that are
// nearly valid. Everything
// is made here, by the project's own writers or by hand. The corpora committed in fuzz/corpus
// are this program's output.
//
// Usage: relief_fuzz_make_corpus <folder>
#include "formats/exr_heightmap.h"
#include "formats/png_heightmap.h"
#include "formats/raw_heightmap.h"
#include "formats/text_heightmap.h"
#include "platform/d3dx9/testing/binary_x_file.h"
#include "platform/d3dx9/testing/image_samples.h"
#include "platform/d3dx9/x_file_writer.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include <QBuffer>
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool Save(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// Two quads sharing an edge, with every optional array and two materials.
MeshGeometry TwoQuads()
{
    MeshGeometry geometry;
    geometry.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}, {2, 1, 0}};
    geometry.normals.assign(geometry.positions.size(), D3DXVECTOR3(0, 0, 1));
    geometry.colors = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF, 0xFF000000, 0xFF808080};
    geometry.texCoords = {{0, 0}, {0.5f, 0}, {0.5f, 1}, {0, 1}, {1, 0}, {1, 1}};
    geometry.indices = {0, 1, 2, 0, 2, 3, 1, 4, 5, 1, 5, 2};
    geometry.attributes = {0, 0, 1, 1};
    MeshMaterial plain = MeshMaterial::Default();
    MeshMaterial textured = MeshMaterial::Default();
    textured.textureFileName = "grass.bmp";
    geometry.materials = {plain, textured};
    return geometry;
}

const std::string kTextHeader = "xof 0303txt 0032\n";

// Frames, a template, a named material referenced from the list, and loose separators.
const std::string kFramedPyramid = kTextHeader + R"(template Unused { <11111111-2222-3333-4444-555555555555> DWORD x; }
Material Stone { 0.5;0.5;0.5;1.0;; 10.0; 0.2;0.2;0.2;; 0.0;0.0;0.0;; TextureFilename { "stone.png"; } }
Frame Root {
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 5,0,0,1;; }
 Frame Child {
  FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 0,0,0,1;; }
  Mesh Pyramid {
   5;
   0;0;0;, 1;0;0;, 1;0;1;, 0;0;1;, 0.5;1;0.5;;
   5;
   4;0,1,2,3;, 3;0,4,1;, 3;1,4,2;, 3;2,4,3;, 3;3,4,0;;
   MeshNormals { 2; 0;-1;0;, 0;1;0;; 5; 4;0,0,0,0;, 3;1,1,1;, 3;1,1,1;, 3;1,1,1;, 3;1,1,1;; }
   MeshMaterialList { 1; 5; 0,0,0,0,0;; { Stone } }
  }
 }
}
)";

// One triangle with a material, in the binary encoding.
std::string BinaryTriangle()
{
    BinaryXFile file;
    file.Name("Frame").Name("F").Open();
    file.Name("Mesh").Name("tri").Open().Integers({3}).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0});
    file.Integers({1, 3, 0, 1, 2});
    file.Name("MeshTextureCoords").Open().Integers({3}).Floats({0, 0, 1, 0, 0, 1}).Close();
    file.Name("MeshMaterialList").Open().Integers({1, 1, 0});
    file.Name("Material").Open().Floats({1, 0.5f, 0.25f, 1, 8, 0, 0, 0, 0, 0, 0});
    file.Name("TextureFilename").Open().String("tri.png").Close().Close().Close().Close().Close();
    return file.Bytes();
}

// Inputs that once cost stack per element or per level: 50,000 empty number lists (300 KB),
// a triangle whose lists are separated by empty ones, and objects nested past the reader's
// limit in both encodings.
bool WriteHostileXFiles(const fs::path& folder)
{
    BinaryXFile listsAround;
    listsAround.Name("Mesh").Open().Integers({3}).EmptyLists(1'000).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0});
    listsAround.EmptyLists(1'000).Integers({1, 3, 0, 1, 2}).Close();
    std::string deepText = kTextHeader;
    for (int i = 0; i < 200; ++i) {
        deepText += "Frame { ";
    }
    return Save(folder / "empty_lists.x", BinaryXFile().EmptyLists(50'000).Bytes()) &&
           Save(folder / "empty_lists_around_triangle.x", listsAround.Bytes()) &&
           Save(folder / "deep_text_frames.x", deepText) &&
           Save(folder / "deep_binary_frames.x", BinaryXFile().OpenNested("Frame", 200).Bytes());
}

bool WriteXFiles(const fs::path& folder)
{
    const std::string written = WriteXText(TwoQuads());
    return Save(folder / "two_quads.x", written) && Save(folder / "framed_pyramid.x", kFramedPyramid) &&
           Save(folder / "binary_triangle.x", BinaryTriangle()) &&
           Save(folder / "truncated_quads.x", written.substr(0, written.size() / 2)) &&
           Save(folder / "header_only.x", kTextHeader) && WriteHostileXFiles(folder);
}

std::string WithCrLf(const std::string& text)
{
    std::string result;
    for (char c : text) {
        if (c == '\n') {
            result += '\r';
        }
        result += c;
    }
    return result;
}

// One number per line, with six significant digits, as the editor saves a 65 grid.
std::string HeightLines(const std::vector<float>& values)
{
    std::string text;
    for (const float value : values) {
        char number[32];
        std::snprintf(number, sizeof number, "%g\n", static_cast<double>(value));
        text += number;
    }
    return text;
}

// One full grid of mostly one-digit numbers (so the file stays small) with a few of every other
// shape a saved file has, the same behind a UTF-8 byte-order mark, and short files: in CRLF
// lines, and with an entry that is no number.
bool WriteHeightFiles(const fs::path& folder)
{
    constexpr size_t kGridNumbers = 64 * 64;
    const float kOtherShapes[] = {-3.25f, 0.0001f, 1.5e6f, -0.5f, 12.75f, 1e-7f, -250.0f, 7.125f};
    std::vector<float> values(kGridNumbers);
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = i % 512 == 0 ? kOtherShapes[i / 512] : static_cast<float>(i * 7 % 10);
    }
    const std::string grid = HeightLines(values);
    const std::vector<float> first(values.begin(), values.begin() + 16);
    std::string badEntry = HeightLines(first);
    badEntry.insert(badEntry.find('\n', badEntry.size() / 2) + 1, "1.5x\n");
    return Save(folder / "grid.txt", grid) && Save(folder / "grid_bom.txt", "\xEF\xBB\xBF" + grid) &&
           Save(folder / "short_crlf.txt", WithCrLf(HeightLines(first))) && Save(folder / "bad_entry.txt", badEntry);
}

void Append(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

// A small gradient with a transparent corner, in the given number of channels.
std::vector<unsigned char> Gradient(int width, int height, int channels)
{
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char rgba[4] = {static_cast<unsigned char>(x * 60), static_cast<unsigned char>(y * 80),
                                           static_cast<unsigned char>(200),
                                           static_cast<unsigned char>(x + y == 0 ? 0 : 255)};
            pixels.insert(pixels.end(), rgba, rgba + channels);
        }
    }
    return pixels;
}

bool WriteImages(const fs::path& folder)
{
    constexpr int kWidth = 4;
    constexpr int kHeight = 3;
    const std::vector<unsigned char> rgba = Gradient(kWidth, kHeight, 4);
    const std::vector<unsigned char> rgb = Gradient(kWidth, kHeight, 3);
    std::string png, bmp, tga, rleTga, jpeg;
    stbi_write_png_to_func(Append, &png, kWidth, kHeight, 4, rgba.data(), kWidth * 4);
    stbi_write_bmp_to_func(Append, &bmp, kWidth, kHeight, 3, rgb.data());
    stbi_write_tga_with_rle = 0;
    stbi_write_tga_to_func(Append, &tga, kWidth, kHeight, 4, rgba.data());
    stbi_write_tga_with_rle = 1;
    stbi_write_tga_to_func(Append, &rleTga, kWidth, kHeight, 4, rgba.data());
    stbi_write_jpg_to_func(Append, &jpeg, kWidth, kHeight, 3, rgb.data(), 90);
    return Save(folder / "gradient.png", png) && Save(folder / "gradient.bmp", bmp) &&
           Save(folder / "gradient.tga", tga) && Save(folder / "gradient_rle.tga", rleTga) &&
           Save(folder / "gradient.jpg", jpeg) && Save(folder / "truncated.png", png.substr(0, png.size() / 2)) &&
           Save(folder / "truncated.jpg", jpeg.substr(0, jpeg.size() * 2 / 3));
}

// One white pixel: the screen with a colour table of two entries (white, black), the image at
// (0, 0), a two-byte LZW block with minimum code size 2, the trailer.
std::string OnePixelGif()
{
    using namespace image_samples;
    return "GIF89a" + Le16(1) + Le16(1) + Bytes({0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0}) + Bytes({0x2C}) + Le32(0) +
           Le16(1) + Le16(1) + Bytes({0, 2, 2, 0x44, 1, 0, 0x3B});
}

// The small complete images of the formats whose headers declare their size, the hostile
// Radiance HDR files and the files cut short after a header declaring 8192 x 8192 pixels.
bool WriteImageSamples(const fs::path& folder)
{
    std::vector<ImageSample> samples = RadianceSamples();
    const std::vector<ImageSample> declaredSize = DeclaredSizeSamples();
    samples.insert(samples.end(), declaredSize.begin(), declaredSize.end());
    for (const ImageSample& sample : samples) {
        if (!Save(folder / sample.name, sample.bytes)) {
            return false;
        }
    }
    return Save(folder / "one_pixel.gif", OnePixelGif());
}

// An 8-bit grey PNG without our text chunks, as other programs write them.
std::string ForeignGreyPng()
{
    QImage image(17, 17, QImage::Format_Grayscale8);
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            image.scanLine(row)[column] = static_cast<uchar>(row * 15 + column);
        }
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return data.toStdString();
}

// One heightmap of each format from the formats' own writers, small (side 33, so one file of
// each fits the fuzzer's length limit), and a PNG cut short.
bool WriteHeightmaps(const fs::path& folder)
{
    Heightfield heights(33);
    for (int row = 0; row < heights.Side(); ++row) {
        for (int column = 0; column < heights.Side(); ++column) {
            heights.At(row, column) = static_cast<float>((row * 7 + column * 3) % 11) * 0.75f - 2.0f;
        }
    }
    const HeightmapMetadata metadata{std::nullopt, 42};
    StringSink text;
    const Result<std::string> png = EncodePngHeightmap(heights, metadata);
    const Result<std::string> raw = EncodeRawHeightmap(heights, {HeightRange{-2.0f, 6.0f}, std::nullopt});
    const Result<std::string> exr = EncodeExrHeightmap(heights, metadata);
    if (!WriteTextHeights(heights, text).ok() || !png || !raw || !exr) {
        std::fprintf(stderr, "a heightmap could not be encoded\n");
        return false;
    }
    return Save(folder / "grid33.txt", text.Contents()) && Save(folder / "grid33.png", png.value()) &&
           Save(folder / "grid33.r16", raw.value()) && Save(folder / "grid33.exr", exr.value()) &&
           Save(folder / "truncated.png", png.value().substr(0, png.value().size() / 2)) &&
           Save(folder / "foreign8.png", ForeignGreyPng());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    for (const char* target : {"xfile", "heights", "texture", "heightmaps"}) {
        std::error_code error;
        fs::create_directories(root / target, error);
    }
    const bool written = WriteXFiles(root / "xfile") && WriteHeightFiles(root / "heights") &&
                         WriteImages(root / "texture") && WriteImageSamples(root / "texture") &&
                         WriteHeightmaps(root / "heightmaps");
    // The world loads full grids too: the text file of side 33 seeds the height file target.
    std::error_code copied;
    fs::copy_file(root / "heightmaps" / "grid33.txt", root / "heights" / "grid33.txt",
                  fs::copy_options::overwrite_existing, copied);
    return written && !copied ? 0 : 1;
}
