// The recovery file and the guard that writes it: a round trip bit for bit, every damaged file
// refused with its reason, and when the guard writes and removes the file.
#include "base/testing/temp_folder.h"
#include "editor/recovery_file.h"
#include "editor/recovery_guard.h"
#include "editor/terrain_document.h"
#include "editor/testing/heights_hash.h"
#include "editor/testing/manual_interval_timer.h"
#include "world/terrain_world.h"
#include "world/testing/manual_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace {

RecoveredWork SampleWork()
{
    RecoveredWork work{Heightfield(33), L"/home/ann/Bilder/gr\u00fcn\nzwei.png", "/home/ann/h\u00f6hen.txt"};
    std::span<float> samples = work.heights.Samples();
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<float>(i) * 0.37f - 100.0f;
    }
    samples[0] = -0.0f;
    samples[1] = std::numeric_limits<float>::quiet_NaN();
    samples[2] = std::numeric_limits<float>::denorm_min();
    return work;
}

TEST(RecoveryFileTest, WorkComesBackBitForBit)
{
    const RecoveredWork work = SampleWork();
    const std::string bytes = EncodeRecoveredWork(work);
    const Result<RecoveredWork> decoded = DecodeRecoveredWork(bytes);
    ASSERT_TRUE(decoded.ok()) << decoded.reason();
    EXPECT_EQ(HeightsHash(decoded.value().heights), HeightsHash(work.heights));
    EXPECT_EQ(decoded.value().texturePath, work.texturePath);
    EXPECT_EQ(decoded.value().documentPath, work.documentPath);
}

TEST(RecoveryFileTest, DamagedFilesAreRefusedWithTheReason)
{
    const std::string good = EncodeRecoveredWork(SampleWork());
    const std::size_t heights = good.find("heights\n") + 8;
    const struct {
        std::string name;
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"empty", "", "no recovery header"},
        {"another file", "1.5\n2.5\n", "no recovery header"},
        {"side missing", "Relief recovery 1\nsode 33\n", "no side of a supported size"},
        {"side not supported", "Relief recovery 1\nside 34\n", "no side of a supported size"},
        {"side too large", "Relief recovery 1\nside 99999999999999999999\n", "no side of a supported size"},
        {"path cut short", good.substr(0, good.find("texture") + 12), "the paths are cut short"},
        {"path longer than told", std::string(good).replace(good.find("texture ") + 8, 2, "99"),
         "the paths are cut short"},
        {"heights cut short", good.substr(0, good.size() - 1), "the heights are cut short or too long"},
        {"heights too long", good + "x", "the heights are cut short or too long"},
        {"no heights", good.substr(0, heights), "the heights are cut short or too long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<RecoveredWork> decoded = DecodeRecoveredWork(c.bytes);
        EXPECT_FALSE(decoded.ok());
        EXPECT_EQ(decoded.reason(), "it is not a whole recovery file (" + c.reason + ")");
    }
}

class RecoveryGuardTest : public ::testing::Test {
protected:
    RecoveryGuardTest()
        : m_world(m_time.MakeClock()), m_document(m_world, L"", L""), m_path(m_folder.Path("data/recovery.relief"))
    {
        auto timer = std::make_unique<ManualIntervalTimer>();
        m_timer = timer.get();
        m_guard = std::make_unique<CRecoveryGuard>(m_document, m_path, std::move(timer));
    }

    bool Exists() const { return std::filesystem::exists(m_path); }
    std::uint64_t KeptHash() const
    {
        const Result<RecoveredWork> work = ReadRecoveryFile(m_path);
        return work ? HeightsHash(work.value().heights) : 0;
    }

    ManualTime m_time;
    TempFolder m_folder;
    CTerrainWorld m_world;
    CTerrainDocument m_document;
    std::string m_path;
    ManualIntervalTimer* m_timer = nullptr;
    std::unique_ptr<CRecoveryGuard> m_guard;
};

TEST_F(RecoveryGuardTest, WritesEveryIntervalWhileModifiedAndBeforeRiskySteps)
{
    EXPECT_EQ(m_timer->Interval(), std::chrono::seconds(30));
    ASSERT_TRUE(m_timer->Fire());
    EXPECT_FALSE(Exists()) << "nothing unsaved, nothing written";

    m_document.SetSelectedHeight(12.0f, false);
    m_document.ChooseTexture(L"/t/sand.png");
    EXPECT_FALSE(Exists()) << "written by the timer, not by every step";
    m_timer->Fire();
    ASSERT_TRUE(Exists()) << "the folder is made";
    EXPECT_EQ(KeptHash(), HeightsHash(m_world.HeightsSnapshot()));
    EXPECT_EQ(ReadRecoveryFile(m_path).value().texturePath, L"/t/sand.png");

    m_document.SetSelectedHeight(13.0f, false);
    const std::uint64_t edited = HeightsHash(m_world.HeightsSnapshot());
    EXPECT_NE(KeptHash(), edited);
    EXPECT_FALSE(m_document.Open(m_folder.Path("missing.txt"), L"missing.txt").ok());
    EXPECT_EQ(KeptHash(), edited) << "written before the risky step, kept when it failed";
    m_document.New();
    EXPECT_FALSE(Exists()) << "a new terrain leaves nothing unsaved: the file goes";

    m_document.Undo();
    EXPECT_TRUE(m_document.IsModified());
    ASSERT_TRUE(m_guard->Secure().ok());
    ASSERT_TRUE(m_document.SaveTo(m_folder.Path("h")).ok());
    EXPECT_FALSE(Exists()) << "a clean save removes it";
}

// Work a crash left behind is not the guard's to remove until the editor has dealt with it.
TEST_F(RecoveryGuardTest, LeftoverFileStaysUntilRemovedOnPurpose)
{
    ASSERT_TRUE(WriteRecoveryFile(m_path, {Heightfield(65, 3.0f), L"", ""}).ok());
    m_document.SetSelectedHeight(5.0f, false);
    m_document.Undo();
    m_guard->Release();
    EXPECT_TRUE(Exists()) << "a clean document and a clean close leave the crash's work alone";
    m_guard->Remove();
    EXPECT_FALSE(Exists());
}

TEST_F(RecoveryGuardTest, FailureIsReportedAndRemoveForgetsTheWork)
{
    std::string reported;
    m_guard->SetFailureListener([&](const std::string& reason) { reported = reason; });
    m_document.SetSelectedHeight(4.0f, false);
    ASSERT_TRUE(m_guard->Secure().ok());
    m_guard->Remove();
    EXPECT_FALSE(Exists());

    std::filesystem::create_directories(m_path); // a folder where the file should be
    EXPECT_FALSE(m_guard->Secure().ok());
    EXPECT_NE(reported.find("recovery.relief"), std::string::npos) << reported;
}

// A second editor at the same time must not overwrite or discard the first one's work; once
// the first has gone, the next editor owns the file.
TEST_F(RecoveryGuardTest, SecondEditorLeavesTheFirstOnesFileAlone)
{
    m_document.SetSelectedHeight(6.0f, false);
    ASSERT_TRUE(m_guard->Secure().ok());
    const std::uint64_t first = KeptHash();
    CTerrainWorld otherWorld(m_time.MakeClock());
    CTerrainDocument other(otherWorld, L"", L"");
    other.New();
    other.SetSelectedHeight(-6.0f, false);
    {
        CRecoveryGuard second(other, m_path, std::make_unique<ManualIntervalTimer>());
        EXPECT_TRUE(m_guard->OwnsFile());
        EXPECT_FALSE(second.OwnsFile());
        EXPECT_TRUE(second.Secure().ok());
        second.Remove();
        EXPECT_EQ(KeptHash(), first) << "neither written nor removed by the second editor";
    }
    m_guard.reset();
    CRecoveryGuard next(other, m_path, std::make_unique<ManualIntervalTimer>());
    EXPECT_TRUE(next.OwnsFile());
    ASSERT_TRUE(next.Secure().ok());
    EXPECT_EQ(KeptHash(), HeightsHash(otherWorld.HeightsSnapshot()));
}

TEST_F(RecoveryGuardTest, RestoredWorkIsAStepWithUnsavedChanges)
{
    RecoveredWork work{m_world.HeightsSnapshot(), L"/t/rock.png", m_folder.Path("old.txt")};
    work.heights.At(1, 2) = 42.0f;
    const std::uint64_t start = HeightsHash(m_world.HeightsSnapshot());
    ASSERT_TRUE(m_document.Restore(work).ok());
    EXPECT_EQ(HeightsHash(m_world.HeightsSnapshot()), HeightsHash(work.heights));
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ(m_document.FilePath(), m_folder.Path("old.txt"));
    EXPECT_EQ(m_document.State().texturePath, L"/t/rock.png");
    m_document.Undo();
    EXPECT_EQ(HeightsHash(m_world.HeightsSnapshot()), start);

    // Work kept at another side comes back at its side, and undo brings the side back too.
    const std::uint64_t before = HeightsHash(m_world.HeightsSnapshot());
    ASSERT_TRUE(m_document.Restore({Heightfield(33), L"", ""}).ok());
    EXPECT_EQ(m_world.Side(), 33);
    m_document.Undo();
    EXPECT_EQ(HeightsHash(m_world.HeightsSnapshot()), before);
    EXPECT_EQ(m_document.Restore({Heightfield(34), L"", ""}).reason(),
              "the kept terrain has 34 samples a side, which a terrain cannot have");
}

} // namespace
