// Writers given a cancelled progress stop with "cancelled": a file that was there stays byte for
// byte, none appears where there was none, and no temporary is left behind.
#include "base/testing/temp_folder.h"
#include "formats/heightmap.h"
#include "formats/mesh_export.h"
#include "formats/tests/test_terrain.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>

namespace {

std::size_t FilesIn(const std::string& folder)
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

using Write = std::function<Result<>(const std::string& path, const Heightfield& heights, Progress* progress)>;

Result<> WriteHeights(const std::string& path, const Heightfield& heights, Progress* progress)
{
    return WriteHeightmap(path, heights, {std::nullopt, 5}, progress);
}

Result<> WriteMesh(const std::string& path, const Heightfield& heights, Progress* progress)
{
    MeshExportOptions options;
    options.progress = progress;
    return ExportMesh(path, heights, options);
}

TEST(CancelledWriteTest, CancelledWritesLeaveTheFolderAsItWas)
{
    const struct {
        const char* name;
        Write write;
    } writes[] = {
        {"h.txt", WriteHeights}, {"h.png", WriteHeights}, {"h.r16", WriteHeights},
        {"h.exr", WriteHeights}, {"m.obj", WriteMesh},    {"m.glb", WriteMesh},
    };
    const Heightfield heights = TestTerrain(65);
    for (const auto& write : writes) {
        for (const bool existing : {false, true}) {
            SCOPED_TRACE(std::string(write.name) + (existing ? " over a file" : " into an empty folder"));
            TempFolder folder;
            const std::string path = folder.Path(write.name);
            if (existing) {
                TempFolder::Write(path, "kept");
            }
            Progress progress;
            progress.Cancel();
            const Result<> written = write.write(path, heights, &progress);
            ASSERT_FALSE(written);
            EXPECT_EQ(written.reason(), kCancelledReason);
            EXPECT_EQ(FilesIn(folder.Root()), existing ? 1u : 0u);
            if (existing) {
                EXPECT_EQ(TempFolder::Read(path), "kept");
            }
            Progress running;
            EXPECT_TRUE(write.write(path, heights, &running)) << "the same write goes through uncancelled";
            EXPECT_EQ(running.Fraction(), 1.0);
        }
    }
}

} // namespace
