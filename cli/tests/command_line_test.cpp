#include "base/testing/temp_folder.h"
#include "cli/internal/terrain_files.h"
#include "cli/tests/command_runner.h"
#include "formats/heightmap.h"
#include "formats/tests/obj_test_reader.h"
#include "terrain/generation.h"

#include <gtest/gtest.h>

namespace {

Heightfield Generated(int side, float roughness, std::uint64_t seed)
{
    return GenerateHeightfield({side, roughness, seed}).value();
}

TEST(CommandLine, GenerateWritesTheGeneratorsTerrainInEveryFormat)
{
    TempFolder folder;
    const Heightfield expected = Generated(129, 0.55f, 42);
    for (const char* name : {"t.txt", "t.png", "t.r16", "t.raw", "t.exr"}) {
        SCOPED_TRACE(name);
        const std::string path = folder.Path(name);
        const CommandRun run =
            RunCommand({"generate", "--size", "129", "--seed", "42", "--roughness", "0.55", "-o", path});
        ASSERT_EQ(run.code, 0) << run.err;
        ImportOptions options;
        options.range = RangeOf(expected).value();
        const Result<ImportedHeightmap> read = ReadHeightmap(path, options);
        ASSERT_TRUE(read.ok()) << read.reason();
        ASSERT_EQ(read.value().heights.Side(), 129);
        float largest = 0.0f;
        for (std::size_t i = 0; i < expected.Samples().size(); ++i) {
            largest = std::max(largest, std::abs(read.value().heights.Samples()[i] - expected.Samples()[i]));
        }
        const HeightRange range = options.range;
        EXPECT_LE(largest, (range.high - range.low) / 65535.0f + 1e-5f);
    }
    // Text and EXR keep floats exactly, PNG keeps the seed.
    EXPECT_EQ(ReadHeightmap(folder.Path("t.txt"), {}).value().heights, expected);
    EXPECT_EQ(ReadHeightmap(folder.Path("t.exr"), {}).value().heights, expected);
    EXPECT_EQ(ReadHeightmap(folder.Path("t.png"), {}).value().metadata.seed, std::uint64_t{42});
}

TEST(CommandLine, GenerateAtTheDefaultSizeIsTheGeneratorsPinnedTerrain)
{
    TempFolder folder;
    const std::string path = folder.Path("t.exr");
    const CommandRun run = RunCommand({"generate", "--seed", "42", "--roughness", "0.55", "-o", path});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ReadHeightmap(path, {}).value().heights, Generated(65, 0.55f, 42));
}

TEST(CommandLine, GenerateWithTheSameSeedMakesTheSameFile)
{
    TempFolder folder;
    for (const char* extension : {".png", ".exr", ".txt"}) {
        SCOPED_TRACE(extension);
        const std::string first = folder.Path(std::string("a") + extension);
        const std::string second = folder.Path(std::string("b") + extension);
        const std::string other = folder.Path(std::string("c") + extension);
        ASSERT_EQ(RunCommand({"generate", "--size", "129", "--seed", "7", "-o", first}).code, 0);
        ASSERT_EQ(RunCommand({"generate", "--size", "129", "--seed", "7", "-o", second}).code, 0);
        ASSERT_EQ(RunCommand({"generate", "--size", "129", "--seed", "8", "-o", other}).code, 0);
        EXPECT_EQ(TempFolder::Read(first), TempFolder::Read(second));
        EXPECT_NE(TempFolder::Read(first), TempFolder::Read(other));
    }
}

TEST(CommandLine, GenerateWithoutSeedNamesTheSeedItChose)
{
    TempFolder folder;
    const CommandRun run = RunCommand({"generate", "--size", "33", "-o", folder.Path("t.exr")});
    ASSERT_EQ(run.code, 0) << run.err;
    ASSERT_EQ(run.err.rfind("relief: seed ", 0), 0u) << run.err;
    const std::uint64_t seed = std::stoull(run.err.substr(13));
    EXPECT_EQ(ReadHeightmap(folder.Path("t.exr"), {}).value().heights, Generated(33, 0.5f, seed));
}

TEST(CommandLine, ConvertKeepsHeightsAndSeedAcrossFormats)
{
    TempFolder folder;
    ASSERT_EQ(RunCommand({"generate", "--seed", "5", "-o", folder.Path("a.png")}).code, 0);
    const CommandRun toExr = RunCommand({"convert", folder.Path("a.png"), folder.Path("b.exr")});
    ASSERT_EQ(toExr.code, 0) << toExr.err;
    const CommandRun toPng = RunCommand({"convert", folder.Path("b.exr"), folder.Path("c.png")});
    ASSERT_EQ(toPng.code, 0) << toPng.err;
    const ImportedHeightmap original = ReadHeightmap(folder.Path("a.png"), {}).value();
    const ImportedHeightmap converted = ReadHeightmap(folder.Path("b.exr"), {}).value();
    EXPECT_EQ(converted.heights, original.heights);
    EXPECT_EQ(converted.metadata.seed, std::uint64_t{5});
    EXPECT_EQ(ReadHeightmap(folder.Path("c.png"), {}).value().heights, original.heights);
}

TEST(CommandLine, ConvertScalesARawFileByTheGivenRangeAndSaysSo)
{
    TempFolder folder;
    // A 33 x 33 RAW file: level 0 everywhere, 65535 in the first sample.
    std::string raw(33 * 33 * 2, '\0');
    raw[0] = raw[1] = '\xff';
    TempFolder::Write(folder.Path("a.r16"), raw);
    const CommandRun run =
        RunCommand({"convert", folder.Path("a.r16"), folder.Path("b.exr"), "--height-range", "-5:10"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find("heights -5 to 10 as chosen"), std::string::npos) << run.err;
    const Heightfield heights = ReadHeightmap(folder.Path("b.exr"), {}).value().heights;
    EXPECT_EQ(heights.At(0, 0), 10.0f);
    EXPECT_EQ(heights.At(16, 16), -5.0f);
}

TEST(CommandLine, ExportMeshWritesMeshesThatFollowTheTriangleTarget)
{
    TempFolder folder;
    ASSERT_EQ(RunCommand({"generate", "--seed", "3", "-o", folder.Path("t.exr")}).code, 0);
    const CommandRun full = RunCommand({"export-mesh", folder.Path("t.exr"), folder.Path("full.obj")});
    ASSERT_EQ(full.code, 0) << full.err;
    const CommandRun simple =
        RunCommand({"export-mesh", folder.Path("t.exr"), folder.Path("simple.obj"), "--triangles", "500"});
    ASSERT_EQ(simple.code, 0) << simple.err;
    const ObjContents fullObj = ReadObj(TempFolder::Read(folder.Path("full.obj")));
    const ObjContents simpleObj = ReadObj(TempFolder::Read(folder.Path("simple.obj")));
    ASSERT_TRUE(fullObj.error.empty() && simpleObj.error.empty()) << fullObj.error << simpleObj.error;
    EXPECT_EQ(fullObj.positions.size(), 65u * 65u);
    EXPECT_EQ(fullObj.faces.size(), 2u * 64u * 64u);
    EXPECT_LE(simpleObj.faces.size(), 500u);
    EXPECT_GT(simpleObj.faces.size(), 0u);

    const CommandRun glb = RunCommand({"export-mesh", folder.Path("t.exr"), folder.Path("t.glb"), "--error", "0.1"});
    ASSERT_EQ(glb.code, 0) << glb.err;
    EXPECT_EQ(TempFolder::Read(folder.Path("t.glb")).substr(0, 4), "glTF");
}

TEST(CommandLine, InfoDescribesTheFile)
{
    TempFolder folder;
    ASSERT_EQ(RunCommand({"generate", "--size", "129", "--seed", "42", "-o", folder.Path("t.png")}).code, 0);
    const HeightRange range = RangeOf(ReadHeightmap(folder.Path("t.png"), {}).value().heights).value();
    const CommandRun run = RunCommand({"info", folder.Path("t.png")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "format: PNG\nside: 129\nheight range: " + DescribeRange(range) +
                           "\nstored height range: " + DescribeRange(range) + "\nseed: 42\n");

    TempFolder::Write(folder.Path("r.raw"), std::string(1000 * 1000 * 2, '\0'));
    const CommandRun raw = RunCommand({"info", folder.Path("r.raw"), "--height-range", "2:4"});
    ASSERT_EQ(raw.code, 0) << raw.err;
    EXPECT_EQ(raw.out, "format: RAW16\nside: 1025\nstored side: 1000\nheight range: 2 to 2\n"
                       "assumed height range: 2 to 4\n");
}

TEST(CommandLine, InfoStatsPrintsOneNameAndValueALine)
{
    TempFolder folder;
    // A ramp rising 15 units over the 30 of the terrain: every slope is atan(0.5), 26.6 degrees.
    Heightfield ramp(65);
    for (int row = 0; row < 65; ++row) {
        for (int column = 0; column < 65; ++column) {
            ramp.At(row, column) = 15.0f * static_cast<float>(column) / 64.0f;
        }
    }
    ASSERT_TRUE(WriteHeightmap(folder.Path("ramp.exr"), ramp, {}).ok());
    const CommandRun run = RunCommand({"info", "--stats", "--water-level", "3.75", folder.Path("ramp.exr")});
    ASSERT_EQ(run.code, 0) << run.err;
    std::string expected = "format: OpenEXR\nside: 65\nheight range: 0 to 15\n"
                           "minimum: 0\nmaximum: 15\nmean: 7.5\nwater level: 3.75\nwater share: 25.0%\n";
    for (int bin = 0; bin < 18; ++bin) {
        expected += "slope " + std::to_string(5 * bin) + "-" + std::to_string(5 * bin + 5) + ": " +
                    (bin == 5 ? "100.0%" : "0.0%") + "\n";
    }
    EXPECT_EQ(run.out, expected);
}

TEST(CommandLine, HelpShowsEachCommandsOptionsWithTheirDefaults)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"generate", {"--size", "--roughness", "0.5", "--seed", "--output"}},
        {"convert", {"--height-range", "0:15"}},
        {"export-mesh", {"--triangles", "--error", "--texture"}},
        {"info", {"--stats", "--water-level"}},
        {"erode",
         {"--hydraulic",
          "--thermal",
          "--droplets",
          "100000",
          "--erosion-radius",
          "--inertia",
          "0.05",
          "--sediment-capacity",
          "--min-slope",
          "0.01",
          "--erosion",
          "--deposition",
          "--evaporation",
          "--gravity",
          "--max-lifetime",
          "30",
          "--talus",
          "35",
          "--iterations",
          "50",
          "--rate"}},
    };
    for (const auto& [command, expected] : cases) {
        SCOPED_TRACE(command);
        const CommandRun run = RunCommand({command, "--help"});
        EXPECT_EQ(run.code, 0);
        for (const std::string& text : expected) {
            EXPECT_NE(run.out.find(text), std::string::npos) << text << " in\n" << run.out;
        }
    }
    const std::string overview = CommandLineOverview();
    for (const char* command : {"generate", "convert", "export-mesh", "info", "erode"}) {
        EXPECT_TRUE(IsCommandLineCommand(command)) << command;
        EXPECT_NE(overview.find(command), std::string::npos) << command;
    }
    EXPECT_FALSE(IsCommandLineCommand("--help"));
    EXPECT_FALSE(IsCommandLineCommand("terrain.png"));
}

TEST(CommandLine, ParseHeightRangeTakesTwoOrderedNumbers)
{
    const std::vector<std::pair<std::string, std::optional<HeightRange>>> cases = {
        {"0:15", HeightRange{0, 15}}, {"-5.5:1e2", HeightRange{-5.5f, 100}},
        {"3:3", HeightRange{3, 3}},   {"5:1", std::nullopt},
        {"3", std::nullopt},          {"a:b", std::nullopt},
        {"1:2:3", std::nullopt},      {":4", std::nullopt},
        {"0:inf", std::nullopt},      {"nan:1", std::nullopt},
        {" 1:2", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseHeightRange(text), expected);
    }
}

} // namespace
