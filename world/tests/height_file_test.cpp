#include "world/height_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <fstream>
#include <locale>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/file_access.h"
#include "base/testing/child_process.h"
#include "base/testing/temp_folder.h"
#include "world/terrain_heights.h"

namespace {

constexpr std::size_t kStored = 4096;
const std::string kByteOrderMark = "\xEF\xBB\xBF";

// A terrain generated from seed, so two terrains can be told apart.
std::unique_ptr<CTerrainHeights> Terrain(std::uint64_t seed, float roughness = 1.0f, int side = 65)
{
    auto heights = std::make_unique<CTerrainHeights>();
    EXPECT_TRUE(heights->Generate(side, roughness, seed).ok());
    return heights;
}

std::vector<float> Grid(const CTerrainHeights& heights)
{
    const std::span<const float> samples = heights.GetHeightfield().Samples();
    return {samples.begin(), samples.end()};
}

std::string Numbers(std::size_t count, const std::string& lineEnd)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += std::to_string(i % 50) + ".25" + lineEnd;
    }
    return text;
}

TEST(HeightFileTest, ClassicFileHasSixSignificantDigitsAndOthersReadBackExactly)
{
    TempFolder folder;
    const float values[] = {0.0f, 1.25f, 1.2e6f, -1.0f / 3.0f, 2.5e-5f, 1234.5f};
    for (const int side : {65, 129}) {
        SCOPED_TRACE(side);
        CTerrainHeights heights;
        ASSERT_TRUE(heights.Generate(side, 0.5f, 3).ok());
        for (int column = 0; column < 6; ++column) {
            heights.SetSample(0, column, values[column]);
        }
        const std::string path = folder.Path("h" + std::to_string(side) + ".txt");
        ASSERT_TRUE(heights.SaveHeights(path).ok());
        const std::string text = TempFolder::Read(path);
        const std::size_t count = side == 65 ? 4096 : static_cast<std::size_t>(side) * side;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<std::ptrdiff_t>(count));
        if (side == 65) {
            const std::string firstRow = "0\n1.25\n1.2e+06\n-0.333333\n2.5e-05\n1234.5\n";
            EXPECT_EQ(text.substr(0, firstRow.size()), firstRow);
            continue;
        }
        // Any other side keeps every sample, the last row and column too, bit for bit.
        CTerrainHeights loaded;
        ASSERT_TRUE(loaded.LoadHeights(path).ok());
        EXPECT_EQ(loaded.GetHeightfield(), heights.GetHeightfield());
    }
}

TEST(HeightFileTest, SaveNameGetsTxtOnlyWhenMissing)
{
    const std::pair<std::string, std::string> cases[] = {
        {"heights", "heights.txt"},         {"heights.txt", "heights.txt"},
        {"heights.TXT", "heights.TXT"},     {"heights.Txt", "heights.Txt"},
        {"heights.dat", "heights.dat.txt"}, {"a.b.c", "a.b.c.txt"},
        {"/a/b.txt/h", "/a/b.txt/h.txt"},   {"txt", "txt.txt"},
    };
    for (const auto& [chosen, written] : cases) {
        EXPECT_EQ(HeightFileName(chosen), written) << chosen;
    }
}

TEST(HeightFileTest, LfAndCrLfFilesLoadIdentically)
{
    TempFolder folder;
    TempFolder::Write(folder.Path("lf"), Numbers(kStored, "\n"));
    TempFolder::Write(folder.Path("crlf"), Numbers(kStored, "\r\n"));
    CTerrainHeights fromLf;
    CTerrainHeights fromCrLf;
    ASSERT_TRUE(fromLf.LoadHeights(folder.Path("lf")).ok());
    ASSERT_TRUE(fromCrLf.LoadHeights(folder.Path("crlf")).ok());
    EXPECT_EQ(Grid(fromLf), Grid(fromCrLf));
    EXPECT_EQ(fromLf.GetSample(63, 63), 45.25f);
}

TEST(HeightFileTest, ByteOrderMarkAndNumbersOfSixtyFourCharactersAreRead)
{
    TempFolder folder;
    const std::string valid = Numbers(kStored, "\n");
    const std::pair<const char*, std::string> cases[] = {
        {"mark, LF", kByteOrderMark + valid},
        {"mark, CR LF", kByteOrderMark + Numbers(kStored, "\r\n")},
        {"mark, then white space", kByteOrderMark + "\n \t" + valid},
        {"64 characters", std::string(60, '0') + valid},
    };
    const auto expected = Terrain(4);
    TempFolder::Write(folder.Path("plain"), valid);
    ASSERT_TRUE(expected->LoadHeights(folder.Path("plain")).ok());
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        TempFolder::Write(folder.Path(name), content);
        auto heights = Terrain(4);
        const Result<> result = heights->LoadHeights(folder.Path(name));
        EXPECT_TRUE(result.ok()) << result.reason();
        EXPECT_EQ(Grid(*heights), Grid(*expected));
    }
}

// Peak memory of this process so far, in bytes.
std::size_t PeakMemory()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

TEST(HeightFileTest, OneEndlessNumberIsRefusedAtOnceInLittleMemory)
{
    TempFolder folder;
    const std::string path = folder.Path("endless");
    {
        std::ofstream out(path, std::ios::binary);
        const std::string digits(std::size_t{1} << 20, '7');
        for (int mebibyte = 0; mebibyte < 64; ++mebibyte) {
            out << digits;
        }
    }
    // Exits with 0 when refused for its length, 1 for another reason, 2 when memory grew by more
    // than a few chunks' worth.
    const ChildOutcome outcome = RunInChild(
        [&path] {
            const std::size_t before = PeakMemory();
            CTerrainHeights heights;
            const Result<> result = heights.LoadHeights(path);
            if (result.reason() != "cannot load \"" + path + "\": height 1 is longer than 64 characters") {
                return 1;
            }
            return PeakMemory() - before > (std::size_t{16} << 20) ? 2 : 0;
        },
        std::chrono::seconds(60));
    EXPECT_TRUE(outcome.ExitedWith(0)) << outcome.Describe();
}

TEST(HeightFileTest, CountGivesTheSideAndAnyOtherCountIsRefused)
{
    TempFolder folder;
    struct Case {
        const char* name;
        std::size_t count;
        int side; // 0: refused with reason
        std::string reason;
    } const cases[] = {
        {"classic", kStored, 65, ""},
        {"full 65", 65 * 65, 65, ""},
        {"full 33", 33 * 33, 33, ""},
        {"full 129", 129 * 129, 129, ""},
        {"one more than classic", kStored + 1, 0,
         "it holds 4097 heights; a height file holds 4096 (the classic 65 x 65 grid) or n x n for n = 2^k + 1 up "
         "to 4097"},
        {"full 17, smaller than any terrain", 17 * 17, 0,
         "it holds a 17 x 17 grid, smaller than the smallest terrain (33 x 33)"},
    };
    const auto before = Terrain(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path(c.name);
        TempFolder::Write(path, Numbers(c.count, "\n"));
        auto heights = Terrain(4);
        const Result<> result = heights->LoadHeights(path);
        if (c.side == 0) {
            EXPECT_EQ(result.reason(), "cannot load \"" + path + "\": " + c.reason);
            EXPECT_EQ(Grid(*heights), Grid(*before));
            EXPECT_EQ(heights->GetSeed(), std::optional<std::uint64_t>(4));
            continue;
        }
        ASSERT_TRUE(result.ok()) << result.reason();
        EXPECT_EQ(heights->GetGridSize(), c.side);
        EXPECT_EQ(heights->GetSeed(), std::nullopt);
        const int fileSide = c.count == kStored ? 64 : c.side;
        EXPECT_EQ(heights->GetSample(fileSide - 1, fileSide - 1), static_cast<float>((c.count - 1) % 50) + 0.25f);
    }
}

TEST(HeightFileTest, SaveThenLoadRestoresRows0To63AndKeepsRow64)
{
    TempFolder folder;
    const auto saved = Terrain(3);
    ASSERT_TRUE(saved->SaveHeights(folder.Path("heights")).ok());
    const std::string text = TempFolder::Read(folder.Path("heights.txt"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4096);

    auto loaded = Terrain(5, 0.5f);
    const std::vector<float> before = Grid(*loaded);
    const Result<> result = loaded->LoadHeights(folder.Path("heights.txt"));
    ASSERT_TRUE(result.ok()) << result.reason();
    for (int row = 0; row < 65; ++row) {
        for (int column = 0; column < 65; ++column) {
            const float actual = loaded->GetSample(row, column);
            if (row < 64 && column < 64) {
                // Six significant digits are stored.
                const float expected = saved->GetSample(row, column);
                ASSERT_NEAR(actual, expected, 5e-6f * std::max(1.0f, std::abs(expected))) << row << "," << column;
            } else {
                ASSERT_EQ(actual, before[static_cast<std::size_t>(row * 65 + column)]) << row << "," << column;
            }
        }
    }
    EXPECT_NE(saved->GetSample(64, 10), loaded->GetSample(64, 10));
}

TEST(HeightFileTest, FailedLoadKeepsEveryHeight)
{
    TempFolder folder;
    const std::string valid = Numbers(kStored, "\n");
    struct Case {
        const char* name;
        std::string content; // not written when empty and the name says missing
        const char* reason;
    } const cases[] = {
        {"short", Numbers(kStored - 1, "\n"), "it holds only 4095 of the 4096 heights"},
        {"empty", "", "it holds only 0 of the 4096 heights"},
        {"garbage", Numbers(99, "\n") + "abc\n" + valid, "height 100 is not a number"},
        {"trailing letters", "1.5x\n" + valid, "height 1 is not a number"},
        {"nan", Numbers(10, "\n") + "nan\n" + valid, "height 11 is not a number"},
        {"too large", "1e999\n" + valid, "height 1 is not a number"},
        {"comma decimal", "1,5\n" + valid, "height 1 is not a number"},
        {"65 characters", std::string(61, '0') + "0.25\n" + valid, "height 1 is longer than 64 characters"},
        {"mark inside", Numbers(5, "\n") + kByteOrderMark + valid, "height 6 is not a number"},
        {"part of a mark", "\xEF\xBB" + valid, "height 1 is not a number"},
    };
    auto heights = Terrain(4);
    const std::vector<float> before = Grid(*heights);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path(c.name);
        TempFolder::Write(path, c.content);
        const Result<> result = heights->LoadHeights(path);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.reason(), "cannot load \"" + path + "\": " + c.reason);
        EXPECT_EQ(Grid(*heights), before);
    }
    const Result<> missing = heights->LoadHeights(folder.Path("missing"));
    EXPECT_EQ(missing.reason(), "cannot load \"" + folder.Path("missing") + "\": No such file or directory");
    const Result<> directory = heights->LoadHeights(folder.Root());
    EXPECT_EQ(directory.reason(), "cannot load \"" + folder.Root() + "\": it is a folder");
    EXPECT_EQ(Grid(*heights), before);
    // A failed load leaves nothing behind: the next load works.
    TempFolder::Write(folder.Path("good"), valid);
    EXPECT_TRUE(heights->LoadHeights(folder.Path("good")).ok());
}

// A global locale whose decimal point is a comma and whose thousands are grouped, as a German
// desktop would have it.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(HeightFileTest, NumbersUseTheClassicLocaleWhateverTheGlobalOne)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    TempFolder folder;
    CTerrainHeights heights;
    heights.SetSample(0, 0, 1234.5f);
    heights.SetSample(0, 1, 1.25f);
    const Result<> saved = heights.SaveHeights(folder.Path("h"));
    const std::string text = TempFolder::Read(folder.Path("h.txt"));
    heights.SetSample(0, 0, 0.0f);
    const Result<> loaded = heights.LoadHeights(folder.Path("h.txt"));
    std::locale::global(previous);

    ASSERT_TRUE(saved.ok()) << saved.reason();
    ASSERT_TRUE(loaded.ok()) << loaded.reason();
    EXPECT_EQ(text.substr(0, 12), "1234.5\n1.25\n");
    EXPECT_EQ(heights.GetSample(0, 0), 1234.5f);
}

TEST(HeightFileTest, SaveToAnUnwritablePlaceFailsWithAReason)
{
    TempFolder folder;
    TempFolder::Write(folder.Path("plain"), "x");
    const auto heights = Terrain(3);
    const std::pair<std::string, std::string> cases[] = {
        {folder.Path("no/such/folder/h"), "No such file or directory"},
        {folder.Path("plain/h"), "Not a directory"},
    };
    for (const auto& [path, reason] : cases) {
        const Result<> result = heights->SaveHeights(path);
        EXPECT_FALSE(result.ok()) << path;
        EXPECT_EQ(result.reason(), "cannot create a file beside \"" + path + ".txt\": " + reason);
    }
}

TEST(HeightFileTest, SaveIntoAFolderWithoutWriteRightFails)
{
    TempFolder folder;
    std::string locked = folder.Path("locked");
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(locked.c_str(), W_OK) == 0) {
        // Root may write into read-only folders; nobody may create files in sysfs.
        locked = "/sys";
    }
    const Result<> result = Terrain(3)->SaveHeights(locked + "/h");
    EXPECT_EQ(result.reason(), "cannot create a file beside \"" + locked + "/h.txt\": Permission denied");
}

TEST(HeightFileTest, SaveToAFullDeviceFails)
{
    const Result<> direct = WriteFileReplacing("/dev/full", "1\n");
    EXPECT_EQ(direct.reason(), "cannot write \"/dev/full\": No space left on device");
    // Through the save, with a chosen name that links to the full device.
    TempFolder folder;
    std::filesystem::create_symlink("/dev/full", folder.Path("full.txt"));
    const Result<> saved = Terrain(3)->SaveHeights(folder.Path("full"));
    EXPECT_EQ(saved.reason(), "cannot write \"/dev/full\": No space left on device");
}

// Limits the size of files this process may write, so that a write fails half-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

TEST(HeightFileTest, ExistingFileSurvivesAFailedSave)
{
    TempFolder folder;
    const std::string target = folder.Path("keep.txt");
    TempFolder::Write(target, "the old heights\n");
    Result<> result;
    {
        const FileSizeLimit limit(1000);
        result = Terrain(3)->SaveHeights(target);
    }
    EXPECT_EQ(result.reason(), "cannot write \"" + target + "\": File too large");
    EXPECT_EQ(TempFolder::Read(target), "the old heights\n");
    // The temporary file is gone too.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), std::filesystem::directory_iterator()),
              1);
}

TEST(HeightFileTest, SaveReplacesAnExistingFileAndKeepsItsPermissions)
{
    TempFolder folder;
    const std::string target = folder.Path("h.txt");
    TempFolder::Write(target, "old\n");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    ASSERT_TRUE(Terrain(3)->SaveHeights(target).ok());
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms::owner_read |
                                                                 std::filesystem::perms::owner_write |
                                                                 std::filesystem::perms::group_read);
    EXPECT_NE(TempFolder::Read(target), "old\n");
}

} // namespace
