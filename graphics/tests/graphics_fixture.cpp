#include "graphics_fixture.h"

#include <stb_image_write.h>

#include <fstream>

void WriteMeshFile(const std::filesystem::path& path, float size, const std::vector<std::string>& textures)
{
    std::filesystem::create_directories(path.parent_path().empty() ? "." : path.parent_path());
    const std::size_t n = textures.size();
    std::ofstream file(path);
    file << "xof 0303txt 0032\nMesh {\n" << 3 * n << ";\n";
    for (std::size_t i = 0; i < n; ++i) {
        file << "0;0;" << i << ";,\n"
             << size << ";0;" << i << ";,\n0;" << size << ";" << i << (i + 1 < n ? ";,\n" : ";;\n");
    }
    file << n << ";\n";
    for (std::size_t i = 0; i < n; ++i) {
        file << "3;" << 3 * i << "," << 3 * i + 1 << "," << 3 * i + 2 << (i + 1 < n ? ";,\n" : ";;\n");
    }
    file << "MeshMaterialList {\n" << n << ";\n" << n << ";\n";
    for (std::size_t i = 0; i < n; ++i) {
        file << i << (i + 1 < n ? ",\n" : ";;\n");
    }
    for (std::size_t i = 0; i < n; ++i) {
        file << "Material {\n" << 0.1 * static_cast<double>(i + 1) << ";0.5;0.25;1.0;;\n5.0;\n0;0;0;;\n0;0;0;;\n";
        if (!textures[i].empty()) {
            file << "TextureFilename { \"" << textures[i] << "\"; }\n";
        }
        file << "}\n";
    }
    file << "}\n}\n";
}

void WriteImageFile(const std::filesystem::path& path, int width, int height, DWORD argb)
{
    std::filesystem::create_directories(path.parent_path().empty() ? "." : path.parent_path());
    const std::vector<DWORD> rgba(static_cast<std::size_t>(width * height),
                                  (argb & 0xFF00FF00u) | ((argb >> 16) & 0xFFu) | ((argb & 0xFFu) << 16));
    ASSERT_NE(stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4), 0) << path;
}

void GraphicsTest::TearDown()
{
    DeviceFixture::TearDown();
    EXPECT_EQ(RecordingTexture::LiveCount(), 0) << "a texture was not released";
}
