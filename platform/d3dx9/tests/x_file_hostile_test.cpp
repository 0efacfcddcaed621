#include "base/testing/child_process.h"
#include "platform/d3dx9/testing/binary_x_file.h"
#include "platform/d3dx9/x_file_parser.h"
#include "platform/d3dx9/x_mesh_builder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

// Why the file does not load as a mesh; empty when it does.
std::string ReasonOf(const std::string& bytes)
{
    const Result<XFileContent> parsed = ParseXFile(std::span<const char>(bytes.data(), bytes.size()));
    return parsed ? BuildMeshGeometry(parsed.value()).reason() : parsed.reason();
}

std::string Repeated(const std::string& piece, size_t count)
{
    std::string result;
    for (size_t i = 0; i < count; ++i) {
        result += piece;
    }
    return result;
}

struct HostileFile {
    const char* name;
    std::string bytes;
    std::string reason; // a part of the reason it is refused with; empty when it loads
};

// Files made to exhaust the stack: each is read in a child process with a time limit, so a crash
// or a hang fails its row only. Once the child has come back, the reason is read here.
TEST(XFileHostileInput, EndsWithAReasonOrLoads)
{
    const std::string text = "xof 0303txt 0032\n";
    const std::string triangle = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }";
    BinaryXFile listsAround;
    listsAround.Name("Mesh").Open().Integers({3}).EmptyLists(50'000).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0});
    listsAround.EmptyLists(10).Integers({1, 3, 0, 1, 2}).Close();
    const std::string tooDeep = "objects nested more than 128 deep";
    const std::vector<HostileFile> files = {
        {"300 KB of empty number lists", BinaryXFile().EmptyLists(50'000).Bytes(), "the file holds no mesh"},
        {"empty number lists between a mesh's numbers", listsAround.Bytes(), ""},
        {"binary frames 100,000 deep", BinaryXFile().OpenNested("Frame", 100'000).Bytes(), tooDeep},
        {"binary unknown objects 100,000 deep", BinaryXFile().OpenNested("Unknown", 100'000).Bytes(), tooDeep},
        {"text frames 100,000 deep", text + Repeated("Frame { ", 100'000), tooDeep},
        {"text objects 100,000 deep in a mesh",
         text + triangle.substr(0, triangle.size() - 1) + Repeated("Extra { ", 100'000), tooDeep},
        {"text mesh in frames 127 deep", text + Repeated("Frame { ", 127) + triangle + Repeated(" }", 127), ""},
        {"text mesh in frames 128 deep", text + Repeated("Frame { ", 128) + triangle + Repeated(" }", 128), tooDeep},
    };
    for (const HostileFile& file : files) {
        SCOPED_TRACE(file.name);
        const ChildOutcome outcome =
            RunInChild([&] { return ReasonOf(file.bytes).empty() ? 0 : 1; }, std::chrono::seconds(10));
        if (!outcome.exited) {
            ADD_FAILURE() << outcome.Describe();
            continue;
        }
        const std::string reason = ReasonOf(file.bytes);
        EXPECT_TRUE(file.reason.empty() ? reason.empty() : reason.find(file.reason) != std::string::npos) << reason;
    }
}

} // namespace
