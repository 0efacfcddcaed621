#include "base/file_access.h"

#include "base/testing/child_process.h"
#include "base/testing/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string ReadText(const std::string& path, std::size_t maxBytes)
{
    const Result<std::vector<char>> bytes = ReadRegularFile(path, maxBytes);
    return bytes ? std::string(bytes.value().begin(), bytes.value().end()) : "refused: " + bytes.reason();
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(ReadRegularFile, TakesOnlyRegularFilesWithinTheLimit)
{
    TempFolder folder;
    TempFolder::Write(folder.Path("ten"), "0123456789");
    TempFolder::Write(folder.Path("empty"), "");
    ::mkfifo(folder.Path("pipe").c_str(), 0600);
    struct Case {
        std::string path;
        std::size_t limit;
        std::string expected;
    } const cases[] = {
        {folder.Path("ten"), 10, "0123456789"},
        {folder.Path("empty"), 10, ""},
        {folder.Path("ten"), 9, "refused: it is larger than 9 bytes"},
        {folder.Path("ten"), 0, "refused: it is larger than 0 MiB"},
        {folder.Path("missing"), 10, "refused: No such file or directory"},
        {folder.Root(), 10, "refused: it is a folder"},
        {folder.Path("pipe"), 10, "refused: it is not a regular file"},
        {"/dev/zero", std::size_t{1} << 20, "refused: it is not a regular file"},
        {"/dev/urandom", std::size_t{1} << 20, "refused: it is not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        // A pipe or a device must be refused at once, not read from: the child gets two seconds.
        const ChildOutcome outcome =
            RunInChild([&] { return ReadText(c.path, c.limit) == c.expected ? 0 : 1; }, std::chrono::seconds(2));
        EXPECT_TRUE(outcome.ExitedWith(0)) << outcome.Describe() << ", read: " << ReadText(c.path, c.limit);
    }
}

TEST(WriteFileReplacing, ReplacesOnlyWhatMayBeReplaced)
{
    TempFolder folder;
    const std::string longName = std::string(245, 'n') + ".txt";
    TempFolder::Write(folder.Path("old"), "old");
    fs::permissions(folder.Path("old"), fs::perms(0640));
    TempFolder::Write(folder.Path("locked"), "kept");
    fs::permissions(folder.Path("locked"), fs::perms(0444));
    TempFolder::Write(folder.Path("target"), "old");
    fs::create_symlink("target", folder.Path("link"));
    fs::create_symlink("created", folder.Path("dangling"));
    fs::create_directory(folder.Path("folder"));
    ::mkfifo(folder.Path("pipe").c_str(), 0600);
    struct Case {
        std::string path;     // written to
        std::string readBack; // then read from
        std::string expected; // what it holds, or the reason of the refusal
    } const cases[] = {
        {folder.Path("new"), folder.Path("new"), "new"},
        {folder.Path(longName), folder.Path(longName), "new"},
        {folder.Path("old"), folder.Path("old"), "new"},
        {folder.Path("locked"), folder.Path("locked"),
         "cannot write \"" + folder.Path("locked") + "\": the file is read-only"},
        {folder.Path("link"), folder.Path("target"), "new"},
        {folder.Path("dangling"), folder.Path("created"), "new"},
        {folder.Path("folder"), folder.Path("folder"),
         "cannot write \"" + folder.Path("folder") + "\": it is a folder"},
        {folder.Path("pipe"), folder.Path("pipe"),
         "cannot write \"" + folder.Path("pipe") + "\": it is not a regular file"},
        {"/dev/full", "/dev/full", "cannot write \"/dev/full\": No space left on device"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::function<std::string()> write = [&] {
            const Result<> written = WriteFileReplacing(c.path, "new");
            return written ? ReadText(c.readBack, 100) : written.reason();
        };
        const ChildOutcome outcome = RunInChild([&] { return write() == c.expected ? 0 : 1; }, std::chrono::seconds(2));
        EXPECT_TRUE(outcome.ExitedWith(0)) << outcome.Describe();
    }
    EXPECT_EQ(TempFolder::Read(folder.Path("locked")), "kept");
    EXPECT_EQ(fs::status(folder.Path("old")).permissions(), fs::perms(0640));
    EXPECT_TRUE(fs::is_symlink(folder.Path("link")));
    // Nothing else is left in the folder: no temporary file of any write.
    std::vector<std::string> expected = {"created", "dangling", "folder", "link", "locked",
                                         longName,  "new",      "old",    "pipe", "target"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderEntries(folder.Root()), expected);
}

TEST(WriteFileReplacingWith, StreamsPiecesOrKeepsTheOldFile)
{
    TempFolder folder;
    const std::string path = folder.Path("streamed");
    // Pieces around the sink's buffer size: many small ones, then one larger than the buffer.
    const std::string big(std::size_t{3} << 20, 'b');
    struct Case {
        const char* name;
        std::function<Result<>(ContentSink&)> produce;
        std::string expected; // the file afterwards, or the reason of the failure
    } const cases[] = {
        {"pieces",
         [&](ContentSink& sink) {
             for (int i = 0; i < 100000; ++i) {
                 sink.Write("0123456789");
             }
             sink.Write(big);
             return Result<>::Success();
         },
         [&] {
             std::string all;
             for (int i = 0; i < 100000; ++i) {
                 all += "0123456789";
             }
             return all + big;
         }()},
        {"producer fails",
         [](ContentSink& sink) {
             sink.Write("partial");
             return Result<>(Failure{"the producer gave up"});
         },
         "the producer gave up"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder::Write(path, "old");
        const Result<> written = WriteFileReplacingWith(path, c.produce);
        EXPECT_EQ(written ? TempFolder::Read(path) : written.reason(), c.expected);
        EXPECT_EQ(FolderEntries(folder.Root()), std::vector<std::string>{"streamed"});
    }
    EXPECT_EQ(TempFolder::Read(path), "old");
}

TEST(WriteFileReplacingWith, TellsTheProducerThatWritesFail)
{
    bool sawFailure = false;
    const Result<> written = WriteFileReplacingWith("/dev/full", [&](ContentSink& sink) {
        for (int i = 0; i < 1000 && !sink.Failed(); ++i) {
            sink.Write(std::string(std::size_t{1} << 20, 'x'));
        }
        sawFailure = sink.Failed();
        return Result<>::Success();
    });
    EXPECT_TRUE(sawFailure);
    EXPECT_EQ(written.reason(), "cannot write \"/dev/full\": No space left on device");
}

TEST(RunInChild, ReportsExitCrashAndHang)
{
    EXPECT_EQ(RunInChild([] { return 3; }, 2s).Describe(), "exited with 3");
    const ChildOutcome crashed = RunInChild(
        [] {
            ::raise(SIGSEGV);
            return 0;
        },
        2s);
    EXPECT_EQ(crashed.signal, SIGSEGV);
    const ChildOutcome hung = RunInChild(
        [] {
            for (;;) {
                ::pause();
            }
            return 0;
        },
        100ms);
    EXPECT_TRUE(hung.timedOut);
}
