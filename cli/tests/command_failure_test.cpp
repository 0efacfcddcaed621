#include "base/testing/temp_folder.h"
#include "cli/tests/command_runner.h"
#include "formats/heightmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

struct FailureCase {
    const char* name;
    std::vector<std::string> arguments; // "{in}", "{raw}" and "{out}" stand for files in the test's folder
    int code;
    std::string message; // a part of stderr
};

TEST(CommandFailures, GiveAReasonAnExitCodeAndNoOutputFile)
{
    const std::vector<FailureCase> cases = {
        {"missing input", {"convert", "{missing}", "{out}.png"}, 1, "relief: cannot load \""},
        {"unknown input extension", {"info", "{in}.bmp"}, 1, "does not end in .txt, .png, .r16, .raw or .exr"},
        {"unknown output extension", {"convert", "{in}.exr", "{out}.bmp"}, 1, "relief: cannot save \""},
        {"unknown mesh extension", {"export-mesh", "{in}.exr", "{out}.stl"}, 1, "does not end in .obj or .glb"},
        {"generate to an unknown extension", {"generate", "-o", "{out}.bmp"}, 1, "cannot save"},
        {"non-square RAW", {"convert", "{raw}", "{out}.png"}, 1, "it is not square: 1056 samples"},
        {"output folder missing",
         {"convert", "{in}.exr", "{out}/none/t.png"},
         1,
         "relief: cannot create a file beside"},
        {"missing texture", {"export-mesh", "{in}.exr", "{out}.glb", "--texture", "{missing}"}, 1, "the texture"},
        {"erosion parameter out of range",
         {"erode", "{in}.exr", "{out}.exr", "--thermal", "--talus", "95"},
         1,
         "relief: cannot erode the terrain: talus angle 95 is not between 0 and 89"},
        {"roughness out of range", {"generate", "--roughness", "2", "-o", "{out}.exr"}, 1, "roughness"},
        {"height range reversed", {"convert", "{raw}", "{out}.png", "--height-range", "5:1"}, 2, "--height-range"},
        {"height range not numbers", {"info", "{raw}", "--height-range", "low:high"}, 2, "not LO:HI"},
        {"height range one number", {"info", "{raw}", "--height-range", "3"}, 2, "not LO:HI"},
        {"unsupported size", {"generate", "--size", "100", "-o", "{out}.exr"}, 2, "relief: --size"},
        {"no output", {"generate", "--size", "33"}, 2, "--output is required"},
        {"unknown option", {"info", "{in}.exr", "--colour"}, 2, "Run \"relief info --help\""},
        {"no erosion chosen", {"erode", "{in}.exr", "{out}.exr"}, 2, "Exactly 1 option from [--hydraulic,--thermal]"},
        {"both erosions", {"erode", "{in}.exr", "{out}.exr", "--thermal", "--hydraulic"}, 2, "2 were given"},
        {"thermal with a droplet option",
         {"erode", "{in}.exr", "{out}.exr", "--thermal", "--droplets", "5"},
         2,
         "excludes"},
        {"water level without stats", {"info", "{in}.exr", "--water-level", "2"}, 2, "--stats"},
        {"no command", {}, 2, "relief: A subcommand is required"},
    };
    TempFolder folder;
    ASSERT_TRUE(WriteHeightmap(folder.Path("in.exr"), Heightfield(33, 1.0f), {}).ok());
    TempFolder::Write(folder.Path("in.bmp"), "BM");
    TempFolder::Write(folder.Path("a.raw"), std::string(2 * 32 * 33, '\0'));
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments;
        for (std::string argument : c.arguments) {
            for (const auto& [key, value] : {std::pair<std::string, std::string>{"{in}", folder.Path("in")},
                                             {"{out}", folder.Path("out")},
                                             {"{raw}", folder.Path("a.raw")},
                                             {"{missing}", folder.Path("missing.png")}}) {
                if (argument.rfind(key, 0) == 0) {
                    argument = value + argument.substr(key.size());
                }
            }
            arguments.push_back(argument);
        }
        const CommandRun run = RunCommand(arguments);
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Root())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "in.exr" || name == "in.bmp" || name == "a.raw") << "left behind: " << name;
        }
    }
}

// An output that exists stays as it was when the command fails, whether the input is bad, the
// output cannot be written (a folder in the way) or the format is unknown; no stray file is left.
TEST(CommandFailures, LeaveAnExistingOutputAsItWas)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments; // the output file is always the last
    };
    TempFolder folder;
    TempFolder::Write(folder.Path("a.raw"), std::string(2 * 32 * 33, '\0'));
    ASSERT_TRUE(WriteHeightmap(folder.Path("in.exr"), Heightfield(33, 1.0f), {}).ok());
    const std::string raw = folder.Path("a.raw");
    const std::string in = folder.Path("in.exr");
    const std::vector<Case> cases = {
        {"bad input to convert", {"convert", raw, folder.Path("old.png")}},
        {"bad input to export-mesh", {"export-mesh", raw, folder.Path("old.obj")}},
        {"unknown output format", {"convert", in, folder.Path("old.bmp")}},
        {"missing texture", {"export-mesh", in, "--texture", folder.Path("none.png"), folder.Path("old.glb")}},
        {"a folder where the terrain goes", {"generate", "--size", "33", "-o", folder.Path("taken.exr")}},
        {"a folder where the mesh goes", {"export-mesh", in, folder.Path("taken.obj")}},
        {"a folder where the eroded terrain goes", {"erode", in, "--thermal", folder.Path("taken.png")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string output = c.arguments.back();
        const bool folderInTheWay = output.find("taken") != std::string::npos;
        if (folderInTheWay) {
            std::filesystem::create_directory(output);
            TempFolder::Write(output + "/inside.txt", "the old contents");
        } else {
            TempFolder::Write(output, "the old contents");
        }
        const CommandRun run = RunCommand(c.arguments);
        EXPECT_EQ(run.code, 1) << run.err;
        EXPECT_EQ(run.err.rfind("relief: ", 0), 0u) << run.err;
        EXPECT_EQ(TempFolder::Read(folderInTheWay ? output + "/inside.txt" : output), "the old contents");
    }
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Root())) {
        names.insert(entry.path().filename().string());
    }
    // Nothing half written beside them.
    EXPECT_EQ(names, (std::set<std::string>{"a.raw", "in.exr", "old.png", "old.obj", "old.bmp", "old.glb", "taken.exr",
                                            "taken.obj", "taken.png"}));
}

} // namespace
