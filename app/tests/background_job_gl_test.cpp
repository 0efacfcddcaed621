// Heavy work on a worker through the main window: a big generation shows its progress, keeps the
// views ticking and lands as one undo step equal to the synchronous one; Cancel drops every kind
// of job without a trace; terrain commands wait for the job; closing the window mid-job is safe.
#include "app/background_job.h"
#include "app/resources/main_dialog_ids.h"
#include "editor/testing/heights_hash.h"
#include "editor_fixture.h"
#include "formats/heightmap.h"
#include "platform/win/win_api.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

// Holds the job runner's only worker, so that a job started meanwhile waits in the queue and a
// Cancel is sure to come before the job's work begins.
class WorkerHold {
public:
    explicit WorkerHold(QThreadPool& workers)
    {
        m_held = QtConcurrent::run(&workers, [this] { m_release.acquire(); });
    }
    ~WorkerHold() { Release(); }
    void Release()
    {
        if (!m_released) {
            m_released = true;
            m_release.release();
            m_held.waitForFinished();
        }
    }

private:
    QSemaphore m_release;
    QFuture<void> m_held;
    bool m_released = false;
};

struct Terrain {
    int side = 0;
    std::uint64_t hash = 0;
    std::optional<std::uint64_t> seed;
    int steps = 0;

    bool operator==(const Terrain&) const = default;
};

class BackgroundJobTest : public EditorTest {
protected:
    CTerrainWorld& World() { return m_editor->World(); }
    CBackgroundJob& Job() { return m_editor->Window().Commands().Job(); }
    Terrain Now()
    {
        return {World().Side(), HeightsHash(World().HeightsSnapshot()), World().CurrentSeed(),
                m_editor->Document().StepCount()};
    }
    template <typename T> T* Child(const char* name)
    {
        return m_editor->Window().findChild<T*>(QString::fromLatin1(name));
    }
    std::string PathOf(const std::string& name) const { return (m_folder.Path() / name).string(); }

    void Generate(int side, const QString& seed)
    {
        auto* size = Child<QComboBox>("sizeChoice");
        size->setCurrentIndex(size->findData(side));
        Child<QLineEdit>("seedField")->setText(seed);
        Child<QAction>("generateAction")->trigger();
    }
    // Accepts the next modal dialog once answer has filled it in.
    static void AcceptDialog(std::function<void(QWidget&)> answer)
    {
        QTimer::singleShot(0, [answer] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                answer(*dialog);
                dialog->accept();
            }
        });
    }
    // Runs the event loop until the job has ended and its result is applied.
    bool WaitForJob() { return m_editor->WaitForJob(); }
    bool ProgressShown() { return Child<QWidget>("jobProgress")->isVisible(); }
};

TEST_F(BackgroundJobTest, BigGenerationRunsOnAWorkerAndIsOneStepEqualToTheSynchronousOne)
{
    const Terrain before = Now();
    WorkerHold hold(Job().Workers());
    Generate(2049, "42");
    ASSERT_TRUE(Job().IsRunning()) << "2049 a side goes to a worker";
    EXPECT_TRUE(ProgressShown());
    EXPECT_EQ(Now(), before) << "nothing changes before the job is done";
    EXPECT_TRUE(m_editor->Tick()) << "the views keep ticking";
    hold.Release();
    ASSERT_TRUE(WaitForJob());
    EXPECT_FALSE(ProgressShown());
    EXPECT_EQ(m_editor->Status(), L"creating new terain");
    const Heightfield background = World().HeightsSnapshot();
    EXPECT_EQ(World().Side(), 2049);
    EXPECT_EQ(World().CurrentSeed(), 42u);
    EXPECT_EQ(m_editor->Document().StepCount(), before.steps + 1);
    EXPECT_EQ(m_editor->Document().UndoText(), "New Terrain");

    m_editor->Trigger(EditorAction::Undo);
    EXPECT_EQ(Now().hash, before.hash);
    ASSERT_TRUE(m_editor->Document().New(2049, 42));
    const Heightfield synchronous = World().HeightsSnapshot();
    ASSERT_EQ(synchronous.Samples().size(), background.Samples().size());
    EXPECT_EQ(std::memcmp(synchronous.Samples().data(), background.Samples().data(),
                          background.Samples().size() * sizeof(float)),
              0)
        << "the worker's terrain is the synchronous one bit for bit";
}

// Each kind of job, cancelled from the status bar's button, changes neither the terrain nor the
// undo history nor the file it was to write.
TEST_F(BackgroundJobTest, CancelChangesNothing)
{
    ASSERT_TRUE(m_editor->Document().New(2049, 5));
    const std::string oldFile = PathOf("old.exr");
    const std::string bigFile = PathOf("big.r16");
    ASSERT_TRUE(WriteHeightmap(oldFile, World().HeightsSnapshot(), {}));
    ASSERT_TRUE(WriteHeightmap(bigFile, World().HeightsSnapshot(), {}));
    const std::string oldBytes = TempFolder::Read(oldFile);
    const struct {
        const char* name;
        std::function<void()> start;
        std::wstring status;
    } jobs[] = {
        {"generate", [&] { Generate(2049, "6"); }, L"Generate cancelled"},
        {"resample",
         [&] {
             AcceptDialog([](QWidget& dialog) { static_cast<QInputDialog&>(dialog).setTextValue("1025"); });
             m_editor->Trigger(EditorAction::Resample);
         },
         L"Resample cancelled"},
        {"import",
         [&] {
             m_editor->AnswerFileDialog(bigFile);
             m_editor->Trigger(EditorAction::Import);
         },
         L"Import cancelled"},
        {"export",
         [&] {
             m_editor->AnswerFileDialog(oldFile);
             m_editor->Trigger(EditorAction::Export);
         },
         L"Export cancelled"},
        {"export mesh",
         [&] {
             m_editor->AnswerFileDialog(PathOf("mesh.obj"));
             AcceptDialog([](QWidget&) {});
             m_editor->Trigger(EditorAction::ExportMesh);
         },
         L"Export cancelled"},
    };
    for (const auto& job : jobs) {
        SCOPED_TRACE(job.name);
        const Terrain before = Now();
        WorkerHold hold(Job().Workers());
        job.start();
        ASSERT_TRUE(Job().IsRunning()) << m_editor->Status().c_str();
        Child<QPushButton>("jobCancel")->click();
        hold.Release();
        ASSERT_TRUE(WaitForJob());
        EXPECT_EQ(Now(), before);
        EXPECT_EQ(m_editor->Status(), job.status);
        EXPECT_EQ(TempFolder::Read(oldFile), oldBytes);
        EXPECT_FALSE(fs::exists(PathOf("mesh.obj")));
    }
}

TEST_F(BackgroundJobTest, TerrainCommandsWaitForTheJob)
{
    m_editor->MoveSlider(IDC_HEIGHT_SLIDER, 0, 15, 9);
    ASSERT_TRUE(m_editor->Document().CanUndo());
    WorkerHold hold(Job().Workers());
    m_editor->Dialogs().QueueMessageBoxAnswer(IDNO);
    Generate(2049, "8");
    ASSERT_TRUE(Job().IsRunning());
    const Terrain during = Now();
    for (const EditorAction action : {EditorAction::New, EditorAction::Open, EditorAction::Import, EditorAction::Export,
                                      EditorAction::ExportMesh, EditorAction::Resample, EditorAction::Undo}) {
        SCOPED_TRACE(static_cast<int>(action));
        EXPECT_FALSE(m_editor->Window().Action(action)->isEnabled());
    }
    EXPECT_FALSE(m_editor->Widget(IDC_HEIGHT_SLIDER)->isEnabled());
    EXPECT_FALSE(m_editor->Widget(IDC_GENERATE)->isEnabled());
    CEditorCommands& commands = m_editor->Window().Commands();
    const struct {
        const char* name;
        std::function<void()> command;
    } refused[] = {
        {"new", [&] { commands.New(); }},
        {"undo", [&] { commands.Undo(); }},
        {"open", [&] { commands.OpenFile(L"/nonexistent.txt"); }},
    };
    for (const auto& command : refused) {
        SCOPED_TRACE(command.name);
        command.command();
        EXPECT_EQ(Now(), during);
        EXPECT_EQ(m_editor->Status(), L"Busy: Generate is running; wait for it or cancel it");
    }
    hold.Release();
    ASSERT_TRUE(WaitForJob());
    EXPECT_EQ(World().Side(), 2049);
    EXPECT_TRUE(m_editor->Window().Action(EditorAction::Undo)->isEnabled());
    EXPECT_TRUE(m_editor->Widget(IDC_HEIGHT_SLIDER)->isEnabled());
}

TEST_F(BackgroundJobTest, ClosingTheWindowDuringAJobDropsIt)
{
    const Terrain before = Now();
    Generate(4097, "9");
    ASSERT_TRUE(Job().IsRunning());
    m_editor->Window().close();
    // The window goes while its worker may still run: the job is cancelled and waited for.
    m_editor->Reopen();
    QApplication::processEvents();
    EXPECT_EQ(Now().hash, before.hash);
    EXPECT_EQ(World().Side(), before.side);
}

} // namespace
