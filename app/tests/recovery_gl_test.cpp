// Unsaved work survives a crash: offered at the next start in the window, and the real program
// killed after an edit and started again.
#include "app/resources/main_dialog_ids.h"
#include "editor/recovery_file.h"
#include "editor/testing/heights_hash.h"
#include "editor_fixture.h"
#include "platform/d3d9/testing/device_probe.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QSlider>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

constexpr char kChildVariable[] = "RELIEF_RECOVERY_CHILD";

std::uint64_t KeptHash(const std::string& path)
{
    const Result<RecoveredWork> work = ReadRecoveryFile(path);
    return work ? HeightsHash(work.value().heights) : 0;
}

void DragHeight(EditorDriver& editor, float value)
{
    auto* slider = static_cast<QSlider*>(editor.Widget(IDC_HEIGHT_SLIDER));
    slider->setSliderDown(true);
    editor.MoveSlider(IDC_HEIGHT_SLIDER, -15, 15, value);
    slider->setSliderDown(false);
}

TEST_F(EditorTest, WorkLeftByACrashIsOfferedAtTheNextStart)
{
    const std::string path = m_editor->RecoveryPath();
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "restore" : "discard");
        m_editor->Reopen();
        DragHeight(*m_editor, 11.0f);
        ASSERT_TRUE(m_editor->RecoveryTimer().Fire());
        const std::uint64_t edited = HeightsHash(m_editor->World().HeightsSnapshot());
        ASSERT_EQ(KeptHash(path), edited);

        m_editor->Reopen(); // the window goes without closing, as in a crash
        m_editor->Document().New();
        const std::uint64_t fresh = HeightsHash(m_editor->World().HeightsSnapshot());
        ASSERT_TRUE(fs::exists(path)) << "the next start does not lose it before asking";
        m_editor->Dialogs().QueueMessageBoxAnswer(answer);
        m_editor->Window().HandleRecoveredWork(RecoveryChoice::Ask);
        EXPECT_NE(m_editor->Dialogs().MessageBoxes().back().text.find(L"did not close properly"), std::wstring::npos);
        if (answer == IDYES) {
            EXPECT_EQ(HeightsHash(m_editor->World().HeightsSnapshot()), edited);
            EXPECT_TRUE(m_editor->Window().isWindowModified());
            EXPECT_EQ(KeptHash(path), edited) << "kept until it is saved";
            m_editor->Trigger(EditorAction::Undo);
            EXPECT_EQ(HeightsHash(m_editor->World().HeightsSnapshot()), fresh);
        } else {
            EXPECT_FALSE(fs::exists(path));
            EXPECT_EQ(HeightsHash(m_editor->World().HeightsSnapshot()), fresh);
        }
    }

    std::ofstream(path) << "not a recovery file";
    const std::size_t asked = m_editor->Dialogs().MessageBoxes().size();
    m_editor->Window().HandleRecoveredWork(RecoveryChoice::Ask);
    EXPECT_EQ(m_editor->Dialogs().MessageBoxes().size(), asked) << "nothing to offer";
    EXPECT_TRUE(fs::exists(path + ".damaged")) << "moved aside, not deleted";
    EXPECT_NE(m_editor->Window().statusBar()->currentMessage().indexOf("no recovery header"), -1);
}

// Work is written before each step that could go wrong, not only every 30 seconds: these fail
// here and leave the edit unsaved and kept.
TEST_F(EditorTest, UnsavedWorkIsKeptBeforeRiskySteps)
{
    const fs::path broken = fs::current_path() / "broken.png";
    std::ofstream(broken) << "not an image";
    const struct {
        const char* name;
        int button;
        fs::path answer;
    } steps[] = {
        {"load a missing height file", IDC_LOAD, fs::current_path() / "missing.txt"},
        {"save into a missing folder", IDC_SAVE, fs::current_path() / "no" / "such" / "x.txt"},
        {"decode a broken image", IDC_LOAD_TEXTURE, broken},
    };
    float height = -3.0f;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        fs::remove(m_editor->RecoveryPath());
        DragHeight(*m_editor, height++);
        if (step.button == IDC_LOAD) {
            m_editor->Dialogs().QueueMessageBoxAnswer(IDNO); // go on without saving the edit
        }
        m_editor->AnswerFileDialog(step.answer.string());
        m_editor->Click(step.button);
        EXPECT_TRUE(m_editor->Window().isWindowModified());
        EXPECT_EQ(KeptHash(m_editor->RecoveryPath()), HeightsHash(m_editor->World().HeightsSnapshot()));
    }
}

// The first start of KilledEditorsWorkIsRestoredAtTheNextStart: edits, keeps its work, says so
// and waits to be killed.
TEST(RecoveryChild, EditsKeepsTheWorkAndWaitsToBeKilled)
{
    if (std::getenv(kChildVariable) == nullptr) {
        GTEST_SKIP() << "runs only as the process that KilledEditorsWorkIsRestoredAtTheNextStart kills";
    }
    ScopedWorldFolder folder;
    ASSERT_TRUE(folder.IsReady());
    QCoreApplication::setApplicationName(QStringLiteral("relief"));
    EditorDriver editor(CRecoveryGuard::StandardPath());
    ASSERT_TRUE(editor.Tick());
    DragHeight(editor, -7.0f);
    ASSERT_TRUE(editor.RecoveryTimer().Fire());
    std::printf("HASH %llu\nREADY\n", static_cast<unsigned long long>(HeightsHash(editor.World().HeightsSnapshot())));
    std::fflush(stdout);
    for (int wait = 0; wait < 1200; ++wait) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    FAIL() << "nobody killed this process";
}

class KillAndRestartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CanCreateD3D9Device()) {
            GTEST_SKIP() << kNoDeviceReason;
        }
        ASSERT_TRUE(m_folder.IsReady());
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(m_home.Path("data")));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(m_home.Path("config")));
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    // Runs the program to its end (at most a minute); its output.
    QString RunRelief(const QStringList& arguments, int& exitCode)
    {
        QProcess relief;
        relief.setProcessEnvironment(m_environment);
        relief.setWorkingDirectory(QString::fromStdString(m_folder.Path().string()));
        relief.start(QStringLiteral(RELIEF_PROGRAM), arguments);
        const bool finished = relief.waitForFinished(60000);
        exitCode = finished && relief.exitStatus() == QProcess::NormalExit ? relief.exitCode() : -1;
        if (!finished) {
            relief.kill();
            relief.waitForFinished();
        }
        return QString::fromUtf8(relief.readAllStandardOutput());
    }

    std::string RecoveryPath() const { return m_home.Path("data/relief/recovery.relief"); }

    ScopedWorldFolder m_folder;
    TempFolder m_home;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

// An editor started beside a running one does not discard its work. The running editor is then
// killed (SIGKILL) right after an edit; the next start restores the work
// (--recovery restore answers the offer) and, quitting unattended with it unsaved, keeps it
// for later; a start that discards it removes the file.
TEST_F(KillAndRestartTest, KilledEditorsWorkIsRestoredAtTheNextStart)
{
    QProcessEnvironment childEnvironment = m_environment;
    childEnvironment.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(childEnvironment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryChild.EditsKeepsTheWorkAndWaitsToBeKilled")});
    QString output;
    while (!output.contains(QStringLiteral("READY")) && child.waitForReadyRead(60000)) {
        output += QString::fromUtf8(child.readAllStandardOutput());
    }
    ASSERT_TRUE(output.contains(QStringLiteral("READY"))) << output.toStdString();
    const std::uint64_t edited = output.section(QStringLiteral("HASH "), 1).section('\n', 0, 0).toULongLong();
    int exitCode = -1;
    RunRelief({"--recovery", "discard", "--quit-after", "300"}, exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(KeptHash(RecoveryPath()), edited) << "a second editor leaves the running one's work alone";
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_EQ(KeptHash(RecoveryPath()), edited) << "the killed editor kept its work";

    const QString restored = RunRelief({"--recovery", "restore", "--quit-after", "1500"}, exitCode);
    EXPECT_EQ(exitCode, 0) << restored.toStdString();
    EXPECT_EQ(KeptHash(RecoveryPath()), edited) << "restored, still unsaved at the unattended quit: kept again";

    RunRelief({"--recovery", "discard", "--quit-after", "300"}, exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(fs::exists(RecoveryPath()));
}

// cmake --install puts the program, its data, its menu entry and its icons in place, and the
// installed program started from a home folder (as a desktop's menu does) finds its data.
TEST_F(KillAndRestartTest, InstalledEditorRunsFromTheHomeFolder)
{
    const fs::path prefix = m_home.Path("prefix");
    QProcess install;
    install.start(QStringLiteral(RELIEF_CMAKE_COMMAND),
                  {"--install", RELIEF_BINARY_DIR, "--prefix", QString::fromStdString(prefix.string())});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    for (const char* file : {"bin/relief", "share/relief/MeshFiles/airplane 2.x", "share/relief/MeshFiles/sphere.x",
                             "share/relief/Textures/grass.png", "share/applications/relief.desktop"}) {
        EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
    }
    const std::string desktop = TempFolder::Read((prefix / "share/applications/relief.desktop").string());
    EXPECT_NE(desktop.find("\nExec=relief %f\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nIcon=relief\n"), std::string::npos);
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString icon = QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/relief.png")
                                 .arg(QString::fromStdString(prefix.string()))
                                 .arg(size);
        EXPECT_EQ(QImage(icon).size(), QSize(size, size)) << icon.toStdString();
    }

    const fs::path home = m_home.Path("home");
    fs::create_directories(home);
    QProcess relief;
    m_environment.insert(QStringLiteral("HOME"), QString::fromStdString(home.string()));
    relief.setProcessEnvironment(m_environment);
    relief.setWorkingDirectory(QString::fromStdString(home.string()));
    relief.start(QString::fromStdString((prefix / "bin/relief").string()), {"--quit-after", "1500"});
    ASSERT_TRUE(relief.waitForFinished(60000));
    EXPECT_EQ(relief.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(relief.readAllStandardOutput()).trimmed(),
              QStringLiteral("Status line: OnInitDialog Complete"))
        << "no mesh or texture went missing";
}

} // namespace
