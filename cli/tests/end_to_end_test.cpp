// The real program, started with an environment that has no display and no Qt platform: the
// commands must not need either.
#include "base/testing/child_process.h"
#include "base/testing/temp_folder.h"
#include "formats/heightmap.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ProgramRun {
    ChildOutcome outcome;
    std::string out;
    std::string err;
};

ProgramRun RunProgram(const TempFolder& folder, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), RELIEF_EXECUTABLE);
    const std::string outPath = folder.Path("stdout.txt");
    const std::string errPath = folder.Path("stderr.txt");
    ProgramRun run;
    run.outcome = RunInChild(
        [&] {
            std::vector<char*> argv;
            for (std::string& argument : arguments) {
                argv.push_back(argument.data());
            }
            argv.push_back(nullptr);
            char path[] = "PATH=/usr/bin:/bin";
            char* environment[] = {path, nullptr};
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (out < 0 || err < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0) {
                return 126;
            }
            ::execve(argv[0], argv.data(), environment);
            return 127;
        },
        std::chrono::seconds(60));
    run.out = TempFolder::Read(outPath);
    run.err = TempFolder::Read(errPath);
    return run;
}

TEST(EndToEnd, CommandsRunWithoutADisplay)
{
    TempFolder folder;
    const std::string terrain = folder.Path("t.png");
    const ProgramRun generate = RunProgram(folder, {"generate", "--size", "33", "--seed", "9", "-o", terrain});
    ASSERT_TRUE(generate.outcome.ExitedWith(0)) << generate.outcome.Describe() << "\n" << generate.err;
    EXPECT_EQ(ReadHeightmap(terrain, {}).value().metadata.seed, std::uint64_t{9});

    const ProgramRun info = RunProgram(folder, {"info", terrain});
    ASSERT_TRUE(info.outcome.ExitedWith(0)) << info.outcome.Describe() << "\n" << info.err;
    EXPECT_NE(info.out.find("side: 33\n"), std::string::npos) << info.out;

    const ProgramRun failed = RunProgram(folder, {"convert", folder.Path("missing.png"), folder.Path("t.exr")});
    EXPECT_TRUE(failed.outcome.ExitedWith(1)) << failed.outcome.Describe();
    EXPECT_EQ(failed.err.rfind("relief: cannot load", 0), 0u) << failed.err;
}

TEST(EndToEnd, HelpListsTheCommandsAndTheEditorsOptions)
{
    TempFolder folder;
    const ProgramRun help = RunProgram(folder, {"--help"});
    ASSERT_TRUE(help.outcome.ExitedWith(0)) << help.outcome.Describe() << "\n" << help.err;
    for (const char* text : {"--quit-after", "generate", "convert", "export-mesh", "info", "erode"}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text << " in\n" << help.out;
    }
}

} // namespace
