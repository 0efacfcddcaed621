// Height files and texture images chosen in the main window: the round trip, cancelling, and
// failures that must change nothing but the status line.
#include "app/resources/main_dialog_ids.h"
#include "editor_fixture.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

class EditorFilesTest : public EditorTest {
protected:
    std::string PathOf(const std::string& name) const { return (m_folder.Path() / name).string(); }

    // Saves through the main window's "SAVE" with name chosen in the file dialog.
    void Save(const std::string& name)
    {
        m_editor->AnswerFileDialog(PathOf(name));
        m_editor->Click(IDC_SAVE);
    }

    void Generate(float roughness)
    {
        m_editor->MoveSlider(IDC_ROUGHNESS_SLIDER, 0, 1, roughness);
        m_editor->Click(IDC_GENERATE);
    }

    std::vector<float> GridSamples() const
    {
        const CTerrainHeights& grid = m_editor->World().GetHeights();
        std::vector<float> samples;
        for (int row = 0; row < 64; row += 9) {
            for (int column = 0; column < 64; column += 7) {
                samples.push_back(grid.GetSample(row, column));
            }
        }
        return samples;
    }
};

TEST_F(EditorFilesTest, SavedHeightsLoadBackIntoTheGridAndTheFloor)
{
    Generate(0.5f);
    const std::vector<float> saved = GridSamples();
    m_editor->AnswerFileDialog(PathOf("heights"));
    m_editor->Click(IDC_SAVE);
    ASSERT_EQ(m_editor->Dialogs().FileDialogs().size(), 1u);
    EXPECT_FALSE(m_editor->Dialogs().FileDialogs()[0].open) << "a save dialog, so a new name can be typed";
    EXPECT_NE(m_editor->Dialogs().FileDialogs()[0].flags & OFN_OVERWRITEPROMPT, 0u);
    EXPECT_EQ(m_editor->Dialogs().FileDialogs()[0].defaultExtension, L"txt") << "the name typed is the file written";
    EXPECT_EQ(m_editor->Text(IDC_SAVE_FILE_NAME), L"heights.txt");
    ASSERT_TRUE(fs::exists(PathOf("heights.txt")));

    Generate(0.9f);
    ASSERT_NE(GridSamples(), saved);
    m_editor->AnswerFileDialog(PathOf("heights.txt"));
    m_editor->Click(IDC_LOAD);
    EXPECT_TRUE(m_editor->Dialogs().FileDialogs()[1].open);
    EXPECT_EQ(m_editor->Text(IDC_LOAD_FILE_NAME), L"heights.txt");
    for (std::size_t i = 0; i < saved.size(); ++i) {
        ASSERT_NEAR(GridSamples()[i], saved[i], 1e-4f * (1.0f + std::abs(saved[i]))) << "sample " << i;
    }
    EXPECT_FLOAT_EQ(FloorHeights()[6], m_editor->World().GetHeights().GetSample(15, 15))
        << "the floor shows the loaded heights";
}

TEST_F(EditorFilesTest, CancelledFileDialogsChangeNothing)
{
    for (const int id : {IDC_LOAD, IDC_SAVE, IDC_LOAD_TEXTURE}) {
        m_editor->Click(id); // no answer queued: the dialog is cancelled
    }
    EXPECT_EQ(m_editor->Dialogs().FileDialogs().size(), 3u);
    EXPECT_EQ(m_editor->Text(IDC_LOAD_FILE_NAME), L"temp.txt");
    EXPECT_EQ(m_editor->Text(IDC_SAVE_FILE_NAME), L"temp.txt");
    EXPECT_EQ(m_editor->Text(IDC_TEXTURE_FILE_NAME), L"");
    EXPECT_EQ(m_editor->Status(), L"OnInitDialog Complete");
}

TEST_F(EditorFilesTest, FailedLoadOrSaveKeepsTerrainAndLabelsAndShowsTheReason)
{
    Generate(0.5f);
    const std::vector<float> grid = GridSamples();
    const std::vector<float> floor = FloorHeights();
    WriteText(PathOf("short.txt"), "1\n2\n3\n");
    WriteText(PathOf("garbage.txt"), "these are not heights\n");
    struct Case {
        int button;
        std::string name;
        std::wstring failure;
    };
    for (const Case& c :
         {Case{IDC_LOAD, "short.txt", L"Load failed: "}, Case{IDC_LOAD, "garbage.txt", L"Load failed: "},
          Case{IDC_LOAD, "missing.txt", L"Load failed: "},
          Case{IDC_SAVE, "no-such-folder/heights", L"Save failed: "}}) {
        SCOPED_TRACE(c.name);
        m_editor->AnswerFileDialog(PathOf(c.name));
        m_editor->Click(c.button);
        const std::wstring status = m_editor->Status();
        EXPECT_EQ(status.rfind(c.failure, 0), 0u) << std::string(status.begin(), status.end());
        EXPECT_GT(status.size(), c.failure.size()) << "with the reason";
        EXPECT_EQ(m_editor->Text(IDC_LOAD_FILE_NAME), L"temp.txt");
        EXPECT_EQ(m_editor->Text(IDC_SAVE_FILE_NAME), L"temp.txt");
        EXPECT_EQ(GridSamples(), grid);
        EXPECT_EQ(FloorHeights(), floor);
    }
}

TEST_F(EditorFilesTest, ChosenTextureGoesToTheFloorAndAnUnreadableOneIsRefused)
{
    QImage blue(16, 16, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(QString::fromStdString(PathOf("blue.png"))));
    m_editor->AnswerFileDialog(PathOf("blue.png"));
    m_editor->Click(IDC_LOAD_TEXTURE);
    EXPECT_EQ(m_editor->Text(IDC_TEXTURE_FILE_NAME), L"blue.png");
    const std::wstring chosen = m_editor->World().GetFloorMesh().GetTextureFileName();
    const std::string bluePath = PathOf("blue.png");
    EXPECT_EQ(chosen, std::wstring(bluePath.begin(), bluePath.end())) << "the full path";

    WriteText(PathOf("broken.png"), "not an image");
    m_editor->AnswerFileDialog(PathOf("broken.png"));
    m_editor->Click(IDC_LOAD_TEXTURE);
    const std::wstring status = m_editor->Status();
    EXPECT_EQ(status.rfind(L"Texture load failed: ", 0), 0u) << std::string(status.begin(), status.end());
    EXPECT_EQ(m_editor->Text(IDC_TEXTURE_FILE_NAME), L"blue.png");
    EXPECT_EQ(std::wstring(m_editor->World().GetFloorMesh().GetTextureFileName()), chosen);
}

// The overwrite question, the file written and the label name one and the same file.
TEST_F(EditorFilesTest, SaveAsksAboutWritesAndShowsTheSameName)
{
    const std::pair<std::string, std::string> cases[] = {
        {"heights", "heights.txt"},         {"heights.txt", "heights.txt"}, {"heights.TXT", "heights.TXT"},
        {"heights.dat", "heights.dat.txt"}, {"a.b.c", "a.b.c.txt"},
    };
    for (const auto& [typed, written] : cases) {
        SCOPED_TRACE(typed);
        fs::remove_all(PathOf("names"));
        fs::create_directory(PathOf("names"));
        WriteText(PathOf("names/" + written), "old\n");
        if (typed != written) {
            WriteText(PathOf("names/" + typed), "other\n");
        }
        const std::size_t asked = m_editor->Dialogs().MessageBoxes().size();
        Save("names/" + typed);
        ASSERT_EQ(m_editor->Dialogs().MessageBoxes().size(), asked + 1);
        EXPECT_EQ(m_editor->Dialogs().MessageBoxes().back().text,
                  Wide(written) + L" already exists.\nDo you want to replace it?");
        const std::string saved = ReadText(PathOf("names/" + written));
        EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 4096) << "the heights replace the old file";
        if (typed != written) {
            EXPECT_EQ(ReadText(PathOf("names/" + typed)), "other\n");
        }
        EXPECT_EQ(m_editor->Text(IDC_SAVE_FILE_NAME), Wide(written));
    }
}

TEST_F(EditorFilesTest, ReadOnlyFileIsAskedAboutThenRefusedAndKept)
{
    WriteText(PathOf("kept.txt"), "the old heights\n");
    fs::permissions(PathOf("kept.txt"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Save("kept.txt");
    EXPECT_EQ(m_editor->Dialogs().MessageBoxes().size(), 1u) << "the usual overwrite question";
    EXPECT_EQ(m_editor->Status(),
              Wide("Save failed: cannot write \"" + PathOf("kept.txt") + "\": the file is read-only"));
    EXPECT_EQ(ReadText(PathOf("kept.txt")), "the old heights\n");
    EXPECT_EQ(m_editor->Text(IDC_SAVE_FILE_NAME), L"temp.txt");
}

TEST_F(EditorFilesTest, LongNameSavesAndALinkKeepsPointingToTheReplacedFile)
{
    const std::string longName = std::string(241, 'n') + ".txt";
    Save(longName);
    EXPECT_EQ(m_editor->Text(IDC_SAVE_FILE_NAME), Wide(longName));
    EXPECT_TRUE(fs::is_regular_file(PathOf(longName)));

    WriteText(PathOf("target.txt"), "old\n");
    fs::create_symlink("target.txt", PathOf("link.txt"));
    Save("link.txt");
    EXPECT_EQ(m_editor->Text(IDC_SAVE_FILE_NAME), L"link.txt");
    EXPECT_TRUE(fs::is_symlink(PathOf("link.txt")));
    EXPECT_EQ(fs::read_symlink(PathOf("link.txt")), "target.txt");
    EXPECT_EQ(ReadText(PathOf("target.txt")), ReadText(PathOf(longName)));
}

} // namespace
