#include "base/testing/temp_folder.h"
#include "cli/tests/command_runner.h"
#include "formats/heightmap.h"
#include "terrain/erosion_thermal.h"
#include "terrain/generation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <sstream>

namespace {

double Sum(const Heightfield& heights)
{
    return std::accumulate(heights.Samples().begin(), heights.Samples().end(), 0.0);
}

// The value of the "name: value" line in text.
double ValueOf(const std::string& text, const std::string& name)
{
    const std::size_t at = text.find(name + ": ");
    return at == std::string::npos ? std::nan("") : std::stod(text.substr(at + name.size() + 2));
}

class ErodeCommand : public testing::Test {
protected:
    void SetUp() override
    {
        m_input = m_folder.Path("in.exr");
        ASSERT_TRUE(WriteHeightmap(m_input, GenerateHeightfield({129, 0.6f, 11}).value(), {}).ok());
        m_before = ReadHeightmap(m_input, {}).value().heights;
    }

    Heightfield Output(const std::string& name) { return ReadHeightmap(m_folder.Path(name), {}).value().heights; }

    TempFolder m_folder;
    std::string m_input;
    Heightfield m_before;
};

TEST_F(ErodeCommand, HydraulicAccountsForTheMaterialItMoves)
{
    const CommandRun run =
        RunCommand({"erode", m_input, m_folder.Path("out.exr"), "--hydraulic", "--droplets", "20000", "--seed", "4"});
    ASSERT_EQ(run.code, 0) << run.err;
    const double removed = ValueOf(run.out, "material removed");
    const double deposited = ValueOf(run.out, "material deposited");
    const double carriedAway = ValueOf(run.out, "material carried away");
    ASSERT_GT(removed, 0.0) << run.out;
    const double change = Sum(Output("out.exr")) - Sum(m_before);
    // The printed figures have six digits; the heights' sum changes by what was laid down less what
    // was taken up, and what was taken up is laid down again or carried off the border.
    EXPECT_NEAR(change, deposited - removed, 1e-3 * removed);
    EXPECT_NEAR(removed, deposited + carriedAway, 1e-3 * removed);
    EXPECT_NE(Output("out.exr"), m_before);
}

TEST_F(ErodeCommand, ThermalKeepsTheMaterialAndFollowsTheTerrainOperation)
{
    const CommandRun run =
        RunCommand({"erode", m_input, m_folder.Path("out.exr"), "--thermal", "--talus", "30", "--iterations", "20"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Heightfield eroded = Output("out.exr");
    EXPECT_NEAR(Sum(eroded), Sum(m_before), 1e-4 * static_cast<double>(m_before.Samples().size()));
    EXPECT_EQ(eroded, ErodeThermally(m_before, {30.0f, 20, ThermalErosionParameters{}.rate}).value());
}

TEST_F(ErodeCommand, IsDeterministicForASeed)
{
    const std::vector<std::string> hydraulic = {"--hydraulic", "--droplets", "5000", "--inertia", "0.2"};
    const std::vector<std::pair<std::string, std::vector<std::string>>> runs = {
        {"a.exr", hydraulic}, {"b.exr", hydraulic}, {"c.exr", {"--hydraulic", "--droplets", "5000", "--seed", "1"}}};
    for (const auto& [name, options] : runs) {
        std::vector<std::string> arguments = {"erode", m_input, m_folder.Path(name)};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const CommandRun run = RunCommand(arguments);
        ASSERT_EQ(run.code, 0) << run.err;
    }
    EXPECT_EQ(TempFolder::Read(m_folder.Path("a.exr")), TempFolder::Read(m_folder.Path("b.exr")));
    EXPECT_NE(Output("a.exr"), Output("c.exr"));
}

} // namespace
