#include "graphics_fixture.h"

#include <QImage>

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
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(static_cast<uint>(argb));
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "png")) << path;
}

void GraphicsTest::TearDown()
{
    DeviceFixture::TearDown();
    EXPECT_EQ(RecordingTexture::LiveCount(), 0) << "a texture was not released";
}
