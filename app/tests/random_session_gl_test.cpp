// A long random session at the main window and its tool windows: a seeded sequence of real
// widget actions (clicks, slider moves, mouse drags in both views, timer ticks, height files and
// texture images good and bad, saves that work and saves that cannot, menu entries, shortcuts,
// erosions run to the end or cancelled, the statistics panel, undo and redo, and the questions before unsaved changes
// would go, answered No or Cancel). After every action the window must still be up, the status line must show a text
// the program can show, and every height file the session saved must still be there with what was written into it. At
// the end, undoing every step brings back the terrain the session started with, bit for bit.
//
// RELIEF_SESSION_SEED replays a run (or "random" picks a fresh seed); RELIEF_SESSION_ACTIONS
// sets how many actions a run makes.
#include "app/brush_panel.h"
#include "app/erosion_panel.h"
#include "app/resources/main_dialog_ids.h"
#include "app/statistics_panel.h"
#include "editor/testing/heights_hash.h"
#include "editor_fixture.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"
#include "ui/panel_ids.h"
#include "world/height_file.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr unsigned long kDefaultSeed = 20261207;
constexpr unsigned long kDefaultActions = 2500;
// The heights a file holds: rows and columns 0 to 63.
constexpr int kFileSide = 64;
// How many of the last actions a failure report lists.
constexpr std::size_t kReportedActions = 12;

unsigned long EnvironmentNumber(const char* name, unsigned long fallback)
{
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    if (std::string(text) == "random") {
        return std::random_device{}();
    }
    return std::strtoul(text, nullptr, 10);
}

std::string Narrow(const std::wstring& text) { return QString::fromStdWString(text).toStdString(); }

std::wstring Wide(const std::string& text) { return QString::fromStdString(text).toStdWString(); }

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const fs::path& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

// Every text the main window, the views and the resource loader put on the status line.
bool IsKnownStatus(const std::string& status)
{
    static const std::vector<std::string> exact = {
        "",
        "OnInitDialog Complete",
        "creating new terain",
        "Anime is ON",
        "Anime is OFF",
        "Texture is ON",
        "Texture is OFF",
        "Selector Visible is ON",
        "Selector Visible is OFF",
        "Airplane Visible is ON",
        "Airplane Visible is OFF",
        "WireFrame is On",
        "WireFrame is Off",
        "Set Airplane fly left",
        "Set Airplane fly right",
        "Set Airplane fly straight",
        "Brush Stroke Done",
        "No terrain under the pointer",
        "Brush Tool: the left button paints",
        "Camera Tool: the left button moves the camera",
        "Erode cancelled",
    };
    if (std::find(exact.begin(), exact.end(), status) != exact.end()) {
        return true;
    }
    const std::string d = R"(-?\d+)";
    const std::string f = R"(-?\d+\.\d{6})";
    static const std::vector<std::regex> patterns = {
        std::regex("(Load|Save|Texture load) failed: .+"),
        std::regex("Eroded: .+"),
        std::regex(R"(\*\*ERROR\*\* \[.+\]: (file not found!|open for loading failed!( \(.+\))?))"),
        std::regex("Pointer Position: \\(" + d + " " + d + "\\)"),
        std::regex("(Begin Camera Rotation|Begin Camera Tracking|Camera Rotation To|Camera Tracking To): \\(" + d +
                   " " + d + "\\)"),
        std::regex("(Begin Camera Zooming|Camera Zoom): \\(" + d + "\\)"),
        std::regex("(Begin Camera Track|Begin Camera Tracking|Camera Position To|Camera Tracking To): \\(" + f + " " +
                   f + " " + f + " " + d + " " + d + "\\)"),
        std::regex("(Begin Camera Zooming|Camera Zoom): \\(" + f + " " + d + "\\)"),
        std::regex("(Begin Brush Stroke|Brush Stroke To): \\(" + d + " " + d + "\\)"),
    };
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::regex& p) { return std::regex_match(status, p); });
}

using Grid = std::vector<float>;

Grid GridOf(const CTerrainHeights& heights)
{
    Grid grid;
    for (int row = 0; row < kFileSide; ++row) {
        for (int column = 0; column < kFileSide; ++column) {
            grid.push_back(heights.GetSample(row, column));
        }
    }
    return grid;
}

// Equal as far as a height file's six significant digits keep them.
bool SameHeights(const Grid& a, const Grid& b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::abs(a[i] - b[i]) > 1e-5f * (1.0f + std::abs(a[i]))) {
            return false;
        }
    }
    return a.size() == b.size();
}

// The height files the session saved, with what each holds and the heights it was saved from.
class SavedFiles {
public:
    void Record(const fs::path& path, const Grid& heights) { m_files[path] = {ReadFile(path), heights}; }

    const Grid* HeightsOf(const fs::path& path) const
    {
        const auto found = m_files.find(path);
        return found != m_files.end() ? &found->second.heights : nullptr;
    }

    // Empty when every file is there as it was written, otherwise what went missing.
    std::string Problem() const
    {
        for (const auto& [path, saved] : m_files) {
            if (!fs::is_regular_file(path)) {
                return "saved file " + path.string() + " is gone";
            }
            if (ReadFile(path) != saved.content) {
                return "saved file " + path.string() + " changed";
            }
        }
        return {};
    }

    std::size_t Count() const { return m_files.size(); }

private:
    struct Saved {
        std::string content;
        Grid heights;
    };
    std::map<fs::path, Saved> m_files;
};

// Which way a file command should go with the file it is given.
enum class Expect { Success, Failure, Either };

struct FileChoice {
    fs::path path;
    Expect expect;
};

// One random session at an open main window.
class RandomSession {
public:
    RandomSession(EditorDriver& editor, const fs::path& folder, unsigned long seed)
        : m_editor(editor), m_folder(folder), m_random(seed)
    {
    }

    void MakeInputFiles();
    // Does one random action; returns what went wrong, or nothing.
    std::string Step();
    std::string RecentActions() const;
    std::size_t SavedFileCount() const { return m_saved.Count(); }
    const std::map<std::string, int>& ActionCounts() const { return m_counts; }
    int StrokeCount() const { return m_strokes; }

private:
    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    template <typename T> const T& Pick(const std::vector<T>& items)
    {
        return items[static_cast<std::size_t>(Uniform(0, static_cast<int>(items.size()) - 1))];
    }
    void Note(const std::string& action);
    std::string CheckWindow();

    std::string ClickCheckBox();
    std::string ClickRadioButton();
    std::string Generate();
    std::string MoveMainSlider();
    std::string Tick();
    std::string MouseInView();
    std::string LoadHeights();
    std::string SaveHeights();
    std::string LoadTexture();
    std::string OpenToolWindow();
    std::string CloseToolWindow();
    std::string UseLightPanel();
    std::string UseScenePanel();
    std::string UndoOrRedo();
    std::string PressShortcut();
    std::string UseViewMenu();
    std::string ChooseTool();
    std::string Erode();
    std::string ShowStatistics();

    // Before a command that replaces the terrain: with unsaved changes its question comes, and
    // the answer queued is No (go on, discarding) or Cancel. True when the command goes on.
    bool AnswerUnsavedQuestion();
    std::uint64_t Hash() const { return HeightsHash(m_editor.World().HeightsSnapshot()); }
    // Runs a file command with the chosen answer (cancelled when the path is empty); false when
    // the command asked for no file.
    bool RunFileCommand(CWnd& window, int button, const fs::path& answer);
    // Moves or clicks one of the panel's controls.
    std::string UseControl(const std::string& action, CWnd& panel, const std::vector<int>& ids);
    void MoveSlider(QSlider& slider);
    fs::path SavedPathFor(const fs::path& chosen) const;

    EditorDriver& m_editor;
    fs::path m_folder;
    std::mt19937 m_random;
    SavedFiles m_saved;
    std::vector<FileChoice> m_heightFiles;
    std::vector<FileChoice> m_saveTargets;
    std::vector<FileChoice> m_images;
    Grid m_goodHeights;
    std::deque<std::string> m_recent;
    std::map<std::string, int> m_counts;
    // Brush strokes that became undo steps.
    int m_strokes = 0;
};

void RandomSession::MakeInputFiles()
{
    std::ostringstream good;
    for (int i = 0; i < kFileSide * kFileSide; ++i) {
        m_goodHeights.push_back(static_cast<float>(Uniform(-40, 40)) * 0.25f);
        good << m_goodHeights.back() << '\n';
    }
    const std::string heights = good.str();
    WriteFile(m_folder / "good.txt", heights);
    // Cut before the last number starts: at most 4095 numbers are left.
    const std::size_t lastLine = heights.rfind('\n', heights.size() - 2) + 1;
    WriteFile(m_folder / "short.txt",
              heights.substr(0, static_cast<std::size_t>(Uniform(0, static_cast<int>(lastLine) - 1))));
    std::string garbage = "x";
    for (int i = 0; i < 3000; ++i) {
        garbage += static_cast<char>(Uniform(0, 255));
    }
    WriteFile(m_folder / "garbage.txt", garbage);
    fs::create_directories(m_folder / "folder.txt");
    m_heightFiles = {{m_folder / "good.txt", Expect::Success},    {m_folder / "short.txt", Expect::Failure},
                     {m_folder / "garbage.txt", Expect::Failure}, {m_folder / "missing.txt", Expect::Failure},
                     {m_folder / "folder.txt", Expect::Failure},  {m_folder / "saved-a.txt", Expect::Either},
                     {m_folder / "saved-b.txt", Expect::Either}};

    fs::create_directories(m_folder / "out");
    m_saveTargets = {{m_folder / "saved-a.txt", Expect::Success},
                     {m_folder / "saved-b", Expect::Success},
                     {m_folder / "out" / "saved-c.txt", Expect::Success},
                     {m_folder / "no-such-folder" / "x.txt", Expect::Failure},
                     {m_folder / "folder.txt", Expect::Failure},
                     {m_folder / "saved-a.txt" / "inside.txt", Expect::Failure},
                     {m_folder / (std::string(300, 'n') + ".txt"), Expect::Failure}};

    QImage image(Uniform(1, 64), Uniform(1, 64), QImage::Format_RGB32);
    image.fill(QColor(Uniform(0, 255), Uniform(0, 255), Uniform(0, 255)));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    WriteFile(m_folder / "good.png", png.toStdString());
    WriteFile(m_folder / "half.png", png.left(png.size() / 2).toStdString());
    WriteFile(m_folder / "noise.png", garbage);
    m_images = {{m_folder / "good.png", Expect::Success},
                {m_folder / "half.png", Expect::Either},
                {m_folder / "noise.png", Expect::Failure},
                {m_folder / "missing.png", Expect::Failure}};
}

void RandomSession::Note(const std::string& action)
{
    m_recent.push_back(action);
    if (m_recent.size() > kReportedActions) {
        m_recent.pop_front();
    }
    ++m_counts[action.substr(0, action.find(' '))];
}

std::string RandomSession::RecentActions() const
{
    std::string text;
    for (const std::string& action : m_recent) {
        text += "  " + action + "\n";
    }
    return text;
}

std::string RandomSession::Step()
{
    using Action = std::string (RandomSession::*)();
    static const std::vector<std::pair<int, Action>> actions = {
        {10, &RandomSession::ClickCheckBox},  {6, &RandomSession::ClickRadioButton},
        {3, &RandomSession::Generate},        {12, &RandomSession::MoveMainSlider},
        {14, &RandomSession::Tick},           {14, &RandomSession::MouseInView},
        {5, &RandomSession::LoadHeights},     {5, &RandomSession::SaveHeights},
        {4, &RandomSession::LoadTexture},     {2, &RandomSession::OpenToolWindow},
        {1, &RandomSession::CloseToolWindow}, {8, &RandomSession::UseLightPanel},
        {8, &RandomSession::UseScenePanel},   {6, &RandomSession::UndoOrRedo},
        {5, &RandomSession::PressShortcut},   {3, &RandomSession::UseViewMenu},
        {4, &RandomSession::ChooseTool},      {3, &RandomSession::Erode},
        {1, &RandomSession::ShowStatistics},
    };
    int total = 0;
    for (const auto& action : actions) {
        total += action.first;
    }
    int roll = Uniform(0, total - 1);
    for (const auto& [weight, action] : actions) {
        if (roll < weight) {
            const std::string problem = (this->*action)();
            return problem.empty() ? CheckWindow() : problem;
        }
        roll -= weight;
    }
    return {};
}

std::string RandomSession::CheckWindow()
{
    if (!m_editor.IsOpen() || !m_editor.Dialog().IsWindowVisible()) {
        return "the main window is gone";
    }
    const std::string status = Narrow(m_editor.Status());
    if (!IsKnownStatus(status)) {
        return "unknown status text \"" + status + "\"";
    }
    // A save over an existing file asks first, and so does replacing unsaved changes; any
    // other box is a fault.
    for (const ScriptedDialogService::MessageBoxRequest& box : m_editor.Dialogs().MessageBoxes()) {
        if (!box.text.ends_with(L" already exists.\nDo you want to replace it?") &&
            box.text.find(L"\" has unsaved changes.\nSave them before ") == std::wstring::npos) {
            return "a message box came up: " + Narrow(box.text);
        }
    }
    return m_saved.Problem();
}

std::string RandomSession::ClickCheckBox()
{
    struct Box {
        int id;
        std::string on;
        std::string off;
    };
    static const std::vector<Box> boxes = {
        {IDC_ANIMATE, "Anime is ON", "Anime is OFF"},
        {IDC_ENABLE_TEXTURE, "Texture is ON", "Texture is OFF"},
        {IDC_SELECTOR_VISIBLE, "Selector Visible is ON", "Selector Visible is OFF"},
        {IDC_AIRPLANE_VISIBLE, "Airplane Visible is ON", "Airplane Visible is OFF"},
        {IDC_WIREFRAME, "WireFrame is On", "WireFrame is Off"},
    };
    const Box& box = Pick(boxes);
    Note("check " + std::to_string(box.id));
    m_editor.Click(box.id);
    const std::string status = Narrow(m_editor.Status());
    return status == (m_editor.IsChecked(box.id) ? box.on : box.off)
               ? std::string()
               : "check box " + std::to_string(box.id) + " shows \"" + status + "\" for its state";
}

std::string RandomSession::ClickRadioButton()
{
    static const std::vector<std::pair<int, std::string>> radios = {{IDC_FLY_LEFT, "Set Airplane fly left"},
                                                                    {IDC_FLY_RIGHT, "Set Airplane fly right"},
                                                                    {IDC_FLY_STRAIGHT, "Set Airplane fly straight"}};
    const auto& [id, text] = Pick(radios);
    Note("radio " + std::to_string(id));
    m_editor.Click(id);
    if (m_editor.Dialog().GetCheckedRadioButton(IDC_FLY_LEFT, IDC_FLY_STRAIGHT) != id) {
        return "radio button " + std::to_string(id) + " is not checked after its click";
    }
    return Narrow(m_editor.Status()) == text ? std::string()
                                             : "radio button " + std::to_string(id) + " shows the wrong status";
}

bool RandomSession::AnswerUnsavedQuestion()
{
    if (!m_editor.Document().IsModified()) {
        return true;
    }
    const bool goOn = Uniform(0, 3) != 0;
    m_editor.Dialogs().QueueMessageBoxAnswer(goOn ? IDNO : IDCANCEL);
    return goOn;
}

std::string RandomSession::Generate()
{
    const bool goesOn = AnswerUnsavedQuestion();
    Note(goesOn ? "generate" : "generate (cancelled)");
    const std::uint64_t before = Hash();
    m_editor.Dialog().SetDlgItemText(IDC_STATUS, L"");
    m_editor.Click(IDC_GENERATE);
    if (!goesOn) {
        return Hash() == before ? std::string() : "a cancelled Generate changed the terrain";
    }
    return m_editor.Status() == L"creating new terain" ? std::string()
                                                       : "Generate shows \"" + Narrow(m_editor.Status()) + "\"";
}

void RandomSession::MoveSlider(QSlider& slider)
{
    // Mostly anywhere, sometimes right at an end.
    const int roll = Uniform(0, 9);
    slider.setValue(roll == 0   ? slider.minimum()
                    : roll == 1 ? slider.maximum()
                                : Uniform(slider.minimum(), slider.maximum()));
}

std::string RandomSession::MoveMainSlider()
{
    const int id = Pick(
        std::vector<int>{IDC_ROUGHNESS_SLIDER, IDC_HEIGHT_SLIDER, IDC_ROW_SLIDER, IDC_COLUMN_SLIDER, IDC_SPEED_SLIDER});
    Note("slider " + std::to_string(id));
    auto* slider = qobject_cast<QSlider*>(m_editor.Widget(id));
    if (slider == nullptr) {
        return "slider " + std::to_string(id) + " is missing";
    }
    MoveSlider(*slider);
    return {};
}

std::string RandomSession::Tick()
{
    const int milliseconds = Pick(std::vector<int>{0, 25, 25, 100, 2000});
    Note("tick " + std::to_string(milliseconds) + " ms");
    m_editor.Time().AdvanceSeconds(milliseconds / 1000.0);
    return m_editor.Tick() ? std::string() : "the frame timer stopped";
}

std::string RandomSession::MouseInView()
{
    const bool big = Uniform(0, 1) == 0;
    CDrawOnlyHandler& handler = big ? static_cast<CDrawOnlyHandler&>(m_editor.Dialog().BigView())
                                    : static_cast<CDrawOnlyHandler&>(m_editor.Dialog().SmallView());
    QWidget* view = WidgetOfWindow(handler.GetViewWindow().GetSafeHwnd());
    if (view == nullptr) {
        return "a view window is missing";
    }
    const auto point = [&] { return QPoint(Uniform(-20, view->width() + 20), Uniform(-20, view->height() + 20)); };
    const Qt::MouseButton button =
        Pick(std::vector<Qt::MouseButton>{Qt::NoButton, Qt::LeftButton, Qt::MiddleButton, Qt::RightButton});
    const int moves = Uniform(1, 6);
    Note(std::string("mouse ") + (big ? "big" : "small") + " button " + std::to_string(static_cast<int>(button)) +
         " moves " + std::to_string(moves));
    const int steps = m_editor.Document().StepCount();
    // A brush press mostly lands on the terrain: the cameras are brought back to where they start,
    // where the terrain fills the middle of either view (the session's drags move them anywhere).
    const bool onTerrain = button == Qt::LeftButton && m_editor.Window().IsBrushToolChosen() && Uniform(0, 3) != 0;
    const QPoint middle(Uniform(view->width() / 4, view->width() * 3 / 4),
                        Uniform(view->height() / 4, view->height() * 3 / 4));
    if (onTerrain) {
        m_editor.Trigger(EditorAction::ResetCameras);
    }
    if (button != Qt::NoButton) {
        QTest::mousePress(view, button, Qt::NoModifier, onTerrain ? middle : point());
    }
    for (int i = 0; i < moves; ++i) {
        const QPoint to = point();
        QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    if (button != Qt::NoButton && Uniform(0, 3) != 0) {
        QTest::mouseRelease(view, button, Qt::NoModifier, point());
    } else if (button != Qt::NoButton) {
        // Released outside the view: the press ends without a release reaching it.
        QTest::mouseRelease(view, button, Qt::NoModifier, QPoint(-50, -50));
    }
    if (m_editor.Document().StepCount() > steps && m_editor.Document().UndoText() == QStringLiteral("Brush Stroke")) {
        ++m_strokes;
    }
    return {};
}

bool RandomSession::RunFileCommand(CWnd& window, int button, const fs::path& answer)
{
    ScriptedDialogService& dialogs = m_editor.Dialogs();
    // A command that succeeds may leave the status line alone: clear it so that an earlier
    // failure's text is not read as this command's.
    m_editor.Dialog().SetDlgItemText(IDC_STATUS, L"");
    const std::size_t asked = dialogs.FileDialogs().size();
    if (!answer.empty()) {
        dialogs.QueueFileAnswer({true, Wide(answer.string())});
    }
    QWidget* control = WidgetOfWindow(::GetDlgItem(window.GetSafeHwnd(), button));
    if (control != nullptr) {
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
    }
    const bool shown = dialogs.FileDialogs().size() > asked;
    if (!shown && !answer.empty()) {
        dialogs.ShowFileDialog({}); // takes the unused answer back
    }
    return shown;
}

std::string RandomSession::LoadHeights()
{
    const bool goesOn = AnswerUnsavedQuestion();
    const bool cancel = !goesOn || Uniform(0, 9) == 0;
    const FileChoice choice = cancel ? FileChoice{{}, Expect::Either} : Pick(m_heightFiles);
    Note("load " + (cancel ? std::string("(cancelled)") : choice.path.filename().string()));
    const Grid before = GridOf(m_editor.World().GetHeights());
    const std::wstring label = m_editor.Text(IDC_LOAD_FILE_NAME);
    if (RunFileCommand(m_editor.Dialog(), IDC_LOAD, choice.path) != goesOn) {
        return goesOn ? "Load asked for no file" : "Load asked for a file after Cancel";
    }
    const Grid after = GridOf(m_editor.World().GetHeights());
    const bool failed = Narrow(m_editor.Status()).starts_with("Load failed: ");
    const Grid* saved = m_saved.HeightsOf(choice.path);
    // A file the session may save loads once it has been saved.
    const Expect expect = choice.expect != Expect::Either ? choice.expect
                          : saved != nullptr              ? Expect::Success
                                                          : Expect::Failure;
    if (cancel || failed) {
        if (failed && expect == Expect::Success) {
            return "loading a good file failed: " + Narrow(m_editor.Status());
        }
        return after == before && m_editor.Text(IDC_LOAD_FILE_NAME) == label
                   ? std::string()
                   : "a cancelled or failed load changed the terrain or the label";
    }
    if (expect == Expect::Failure) {
        return "loading " + choice.path.filename().string() + " should have failed";
    }
    if (m_editor.Text(IDC_LOAD_FILE_NAME) != Wide(choice.path.filename().string())) {
        return "the load label does not name the loaded file";
    }
    return SameHeights(after, saved != nullptr ? *saved : m_goodHeights) ? std::string()
                                                                         : "the loaded heights are not the file's";
}

fs::path RandomSession::SavedPathFor(const fs::path& chosen) const { return HeightFileName(chosen.string()); }

std::string RandomSession::SaveHeights()
{
    const bool cancel = Uniform(0, 9) == 0;
    const FileChoice choice = cancel ? FileChoice{{}, Expect::Either} : Pick(m_saveTargets);
    Note("save " + (cancel ? std::string("(cancelled)") : choice.path.filename().string().substr(0, 40)));
    const std::wstring label = m_editor.Text(IDC_SAVE_FILE_NAME);
    if (!RunFileCommand(m_editor.Dialog(), IDC_SAVE, choice.path)) {
        return "Save asked for no file";
    }
    const bool failed = Narrow(m_editor.Status()).starts_with("Save failed: ");
    if (cancel || failed) {
        if (failed && choice.expect == Expect::Success) {
            return "saving to a writable path failed: " + Narrow(m_editor.Status());
        }
        return m_editor.Text(IDC_SAVE_FILE_NAME) == label ? std::string()
                                                          : "a cancelled or failed save changed the label";
    }
    if (choice.expect == Expect::Failure) {
        return "saving to " + choice.path.string() + " should have failed";
    }
    const fs::path written = SavedPathFor(choice.path);
    if (!fs::is_regular_file(written)) {
        return "the saved file " + written.string() + " is not there";
    }
    m_saved.Record(written, GridOf(m_editor.World().GetHeights()));
    return m_editor.Text(IDC_SAVE_FILE_NAME) == Wide(written.filename().string())
               ? std::string()
               : "the save label does not name the file written";
}

std::string RandomSession::LoadTexture()
{
    const bool cancel = Uniform(0, 9) == 0;
    const FileChoice choice = cancel ? FileChoice{{}, Expect::Either} : Pick(m_images);
    Note("texture " + (cancel ? std::string("(cancelled)") : choice.path.filename().string()));
    const std::wstring label = m_editor.Text(IDC_TEXTURE_FILE_NAME);
    if (!RunFileCommand(m_editor.Dialog(), IDC_LOAD_TEXTURE, choice.path)) {
        return "Load Texture asked for no file";
    }
    const bool failed = Narrow(m_editor.Status()).starts_with("Texture load failed: ");
    if (cancel || failed) {
        if (failed && choice.expect == Expect::Success) {
            return "a good image was refused: " + Narrow(m_editor.Status());
        }
        return m_editor.Text(IDC_TEXTURE_FILE_NAME) == label ? std::string() : "a refused texture changed the label";
    }
    if (choice.expect == Expect::Failure) {
        return "the image " + choice.path.filename().string() + " should have been refused";
    }
    return m_editor.Text(IDC_TEXTURE_FILE_NAME) == Wide(choice.path.filename().string())
               ? std::string()
               : "the texture label does not name the image";
}

std::string RandomSession::OpenToolWindow()
{
    const int id = Uniform(0, 1) == 0 ? IDC_LIGHTS : IDC_SCENE;
    Note("open " + std::to_string(id));
    m_editor.Click(id);
    CWnd& window =
        id == IDC_LIGHTS ? static_cast<CWnd&>(m_editor.Dialog().LightPanel()) : m_editor.Dialog().SceneWindow();
    return window.IsWindowVisible() ? std::string() : "button " + std::to_string(id) + " opened no window";
}

std::string RandomSession::CloseToolWindow()
{
    const bool lights = Uniform(0, 1) == 0;
    CWnd& window = lights ? static_cast<CWnd&>(m_editor.Dialog().LightPanel()) : m_editor.Dialog().SceneWindow();
    Note(std::string("close ") + (lights ? "lights" : "scene"));
    if (IsWindow(window.GetSafeHwnd())) {
        window.SendMessage(WM_CLOSE, 0, 0);
    }
    return {};
}

std::string RandomSession::UseControl(const std::string& action, CWnd& panel, const std::vector<int>& ids)
{
    const int id = Pick(ids);
    Note(action + " " + std::to_string(id));
    QWidget* control = WidgetOfWindow(::GetDlgItem(panel.GetSafeHwnd(), id));
    if (control == nullptr) {
        return "control " + std::to_string(id) + " of an open panel is missing";
    }
    if (auto* slider = qobject_cast<QSlider*>(control)) {
        MoveSlider(*slider);
    } else {
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
    }
    return {};
}

std::string RandomSession::UseLightPanel()
{
    static const std::vector<int> controls = {
        IDC_LIGHT_ON,  IDC_LIGHT_DRAW,    IDC_LIGHT_DIFFUSE,       IDC_LIGHT_SPECULAR,       IDC_LIGHT_AMBIENT,
        IDC_LIGHT_RED, IDC_LIGHT_GREEN,   IDC_LIGHT_BLUE,          IDC_LIGHT_ALPHA,          IDC_LIGHT_X,
        IDC_LIGHT_Y,   IDC_LIGHT_Z,       IDC_LIGHT_POSITION_MODE, IDC_LIGHT_DIRECTION_MODE, IDC_LIGHT_THETA,
        IDC_LIGHT_PHI, IDC_LIGHT_FALLOFF, IDC_LIGHT_POINT,         IDC_LIGHT_DIRECTIONAL,    IDC_LIGHT_SPOT};
    LightControl& panel = m_editor.Dialog().LightPanel();
    if (!panel.IsWindowVisible()) {
        m_editor.Click(IDC_LIGHTS);
    }
    return UseControl("lights", panel, controls);
}

std::string RandomSession::UseScenePanel()
{
    static const std::vector<int> primitiveControls = {
        IDC_PRIM_RED,        IDC_PRIM_GREEN,    IDC_PRIM_BLUE,       IDC_PRIM_ALPHA,
        IDC_PRIM_TEXTURE,    IDC_PRIM_BLENDING, IDC_PRIM_VISIBILITY, IDC_PRIM_SHADING,
        IDC_PRIM_BOUND_VOL,  IDC_PRIM_LIGHTING, IDC_PRIM_WIREFRAME,  IDC_PRIM_EMISSIVE_C1,
        IDC_PRIM_AMBIENT_C2, IDC_PRIM_DIFFUSE,  IDC_PRIM_SPECULAR,   IDC_PRIM_POWER};
    static const std::vector<int> transformControls = {IDC_XFORM_TRANSLATE, IDC_XFORM_SCALE, IDC_XFORM_ROTATE,
                                                       IDC_XFORM_PIVOT,     IDC_XFORM_X,     IDC_XFORM_Y,
                                                       IDC_XFORM_Z,         IDC_XFORM_RESET, IDC_XFORM_SHOW_PIVOT};
    CSceneTreeWindow& window = m_editor.Dialog().SceneWindow();
    if (!window.IsWindowVisible()) {
        m_editor.Click(IDC_SCENE);
    }
    CSceneTreeControl& panel = window.GetPanel();
    switch (Uniform(0, 4)) {
    case 0: {
        // Select a node: walk down from the root, taking a random child at each level.
        auto& tree = *static_cast<CTreeCtrl*>(panel.GetDlgItem(IDC_SCENE_TREE));
        HTREEITEM item = tree.GetRootItem();
        for (HTREEITEM child = item; child != nullptr && Uniform(0, 3) != 0;) {
            item = child;
            child = tree.GetChildItem(item);
            for (int skip = Uniform(0, 4); child != nullptr && skip > 0; --skip) {
                HTREEITEM next = tree.GetNextSiblingItem(child);
                child = next != nullptr ? next : child;
            }
        }
        Note("scene select " + Narrow(item != nullptr ? tree.GetItemText(item) : L"(none)"));
        if (item != nullptr) {
            tree.SelectItem(item);
        }
        return {};
    }
    case 1:
        return UseControl("scene", panel, {IDC_SCENE_NTH_SLIDER});
    case 2: {
        const bool cancel = Uniform(0, 3) == 0;
        const FileChoice choice = cancel ? FileChoice{{}, Expect::Either} : Pick(m_images);
        Note("scene browse " + (cancel ? std::string("(cancelled)") : choice.path.filename().string()));
        RunFileCommand(panel.GetPrimitivePanel(), IDC_PRIM_BROWSE, choice.path);
        return {};
    }
    case 3:
        return UseControl("primitive", panel.GetPrimitivePanel(), primitiveControls);
    default:
        return UseControl("transform", panel.GetTransformPanel(), transformControls);
    }
}

std::string RandomSession::UndoOrRedo()
{
    CTerrainDocument& document = m_editor.Document();
    const std::uint64_t before = Hash();
    const bool couldRedo = document.CanRedo();
    const bool both = document.CanUndo() && Uniform(0, 1) == 0;
    Note(both ? "undo+redo" : "undo");
    m_editor.Trigger(EditorAction::Undo);
    if (!both) {
        return {};
    }
    m_editor.Trigger(EditorAction::Redo);
    if (Hash() != before) {
        return "undo and redo did not give the heights back bit for bit";
    }
    return document.CanRedo() == couldRedo ? std::string() : "undo and redo changed what can be redone";
}

std::string RandomSession::PressShortcut()
{
    const QKeySequence keys = Pick(std::vector<QKeySequence>{
        QKeySequence("W"), QKeySequence("S"), QKeySequence("Space"), QKeySequence("Ctrl+Z"), QKeySequence("Ctrl+Y"),
        QKeySequence("Ctrl+Shift+Z"), QKeySequence("B"), QKeySequence("C")});
    Note("key " + keys.toString().toStdString());
    m_editor.Window().activateWindow();
    QApplication::setActiveWindow(&m_editor.Window());
    QTest::keySequence(&m_editor.Window(), keys);
    return {};
}

std::string RandomSession::UseViewMenu()
{
    const EditorAction action = Pick(std::vector<EditorAction>{
        EditorAction::Wireframe, EditorAction::Selector, EditorAction::Airplane, EditorAction::Animation,
        EditorAction::ResetCameras, EditorAction::Shading, EditorAction::SlopeOverlay, EditorAction::ContourOverlay,
        EditorAction::WaterOverlay});
    Note("menu " + m_editor.Window().Action(action)->text().remove('&').toStdString());
    m_editor.Trigger(action);
    return {};
}

// The Camera or the Brush tool, with a random brush: the mouse in the views then paints with it.
std::string RandomSession::ChooseTool()
{
    const bool brush = Uniform(0, 2) != 0;
    Brush chosen;
    chosen.kind = static_cast<BrushKind>(Uniform(0, 5));
    chosen.falloff = static_cast<BrushFalloff>(Uniform(0, 2));
    chosen.radius = static_cast<float>(Pick(std::vector<int>{1, 2, 5, 12, 40, 256}));
    chosen.strength = static_cast<float>(Uniform(0, 10)) / 10.0f;
    chosen.height = static_cast<float>(Uniform(-20, 20));
    Note(std::string("tool ") + (brush ? "brush kind " + std::to_string(static_cast<int>(chosen.kind)) + " radius " +
                                             std::to_string(static_cast<int>(chosen.radius))
                                       : "camera"));
    m_editor.Window().BrushPanel().ShowBrush(chosen);
    m_editor.Trigger(brush ? EditorAction::BrushPanel : EditorAction::CameraTool);
    if (brush) {
        m_editor.Window().ChooseBrushTool(true);
    }
    return m_editor.Window().IsBrushToolChosen() == brush ? std::string() : "the chosen tool is not the active one";
}

std::string RandomSession::Erode()
{
    CMainWindow& window = m_editor.Window();
    if (!window.ErosionPanel().isVisible()) {
        m_editor.Trigger(EditorAction::Erode);
    }
    const bool thermal = Uniform(0, 1) == 1;
    const bool cancel = Uniform(0, 3) == 0;
    window.findChild<QComboBox*>("erosionKind")->setCurrentIndex(thermal ? 1 : 0);
    // Few droplets or sweeps keep an erosion quick; the other parameters go anywhere in range.
    window.findChild<QDoubleSpinBox*>("droplets")->setValue(Uniform(1, 400));
    window.findChild<QDoubleSpinBox*>("iterations")->setValue(Uniform(1, 8));
    window.findChild<QLineEdit*>("erosionSeed")->setText(QString::number(Uniform(0, 1000)));
    const QList<QDoubleSpinBox*> boxes = window.ErosionPanel().findChildren<QDoubleSpinBox*>();
    QDoubleSpinBox* other = boxes[Uniform(0, static_cast<int>(boxes.size()) - 1)];
    if (other->objectName() != "droplets" && other->objectName() != "iterations") {
        other->setValue(other->minimum() + (other->maximum() - other->minimum()) * Uniform(0, 100) / 100.0);
    }
    Note(std::string("erode ") + (thermal ? "thermal" : "hydraulic") + (cancel ? " (cancelled)" : "") + " " +
         other->objectName().toStdString());
    const std::uint64_t before = Hash();
    const int steps = m_editor.Document().StepCount();
    window.findChild<QPushButton*>("erodeButton")->click();
    if (!window.Commands().Job().IsRunning()) {
        return "Erode started no job: " + Narrow(m_editor.Status());
    }
    if (cancel) {
        window.findChild<QPushButton*>("jobCancel")->click();
    }
    if (!m_editor.WaitForJob()) {
        return "the erosion did not end";
    }
    if (cancel) {
        return Hash() == before && m_editor.Document().StepCount() == steps
                   ? std::string()
                   : "a cancelled erosion changed the terrain or the history";
    }
    return m_editor.Document().UndoText() == "Erode" && Narrow(m_editor.Status()).starts_with("Eroded: ")
               ? std::string()
               : "an erosion left no Erode step: " + Narrow(m_editor.Status());
}

std::string RandomSession::ShowStatistics()
{
    const float level = static_cast<float>(Uniform(-20, 20)) * 0.5f;
    Note("statistics " + std::to_string(level));
    m_editor.Trigger(EditorAction::Statistics);
    CStatisticsPanel& panel = m_editor.Window().StatisticsPanel();
    panel.SetWaterLevel(level);
    return panel.isVisible() && panel.WaterLevel() == level ? std::string() : "the statistics panel is not shown";
}

TEST_F(EditorTest, RandomSessionKeepsTheWindowUpTheStatusKnownAndEverySavedFile)
{
    const unsigned long seed = EnvironmentNumber("RELIEF_SESSION_SEED", kDefaultSeed);
    const unsigned long count = EnvironmentNumber("RELIEF_SESSION_ACTIONS", kDefaultActions);
    SCOPED_TRACE(testing::Message() << "replay with RELIEF_SESSION_SEED=" << seed);
    const fs::path folder = m_folder.Path() / "session";
    ASSERT_TRUE(fs::create_directories(folder));
    RandomSession session(*m_editor, folder, seed);
    session.MakeInputFiles();
    const std::uint64_t first = HeightsHash(m_editor->World().HeightsSnapshot());

    for (unsigned long action = 0; action < count; ++action) {
        const std::string problem = session.Step();
        ASSERT_EQ(problem, "") << "seed " << seed << ", action " << action + 1 << " of " << count
                               << "; the last actions:\n"
                               << session.RecentActions();
    }
    std::string summary;
    for (const auto& [name, times] : session.ActionCounts()) {
        summary += " " + name + "=" + std::to_string(times);
    }
    std::printf("random session: seed %lu, %lu actions (%s ), %zu height files saved, %d brush strokes\n", seed, count,
                summary.c_str(), session.SavedFileCount(), session.StrokeCount());
    EXPECT_GT(session.SavedFileCount(), 0u) << "the session saved no height file, so none could be lost";
    EXPECT_GT(session.StrokeCount(), 0) << "the session painted no brush stroke";

    CTerrainDocument& document = m_editor->Document();
    ASSERT_LT(document.StepCount(), CTerrainDocument::kUndoLimit) << "every step is still in the history";
    while (document.CanUndo()) {
        m_editor->Trigger(EditorAction::Undo);
    }
    EXPECT_EQ(HeightsHash(m_editor->World().HeightsSnapshot()), first) << "undoing everything gives the first terrain";
}

} // namespace
