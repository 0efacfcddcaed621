// The main window driven as a user would: menus, shortcuts, resizing, the title and status bar,
// the questions before unsaved work would go, and what persists between runs.
#include "app/editor_settings.h"
#include "app/resources/main_dialog_ids.h"
#include "app/resources/resources.h"
#include "app/window_image.h"
#include "editor/recovery_file.h"
#include "editor/testing/heights_hash.h"
#include "editor_fixture.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

namespace {

namespace fs = std::filesystem;

class MainWindowTest : public EditorTest {
protected:
    CMainWindow& Window() { return m_editor->Window(); }
    std::uint64_t Hash() { return HeightsHash(m_editor->World().HeightsSnapshot()); }
    QString Label(const char* name) { return Window().findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    std::wstring LastBox() const { return m_editor->Dialogs().MessageBoxes().back().text; }
    std::size_t Boxes() const { return m_editor->Dialogs().MessageBoxes().size(); }

    void Activate()
    {
        Window().activateWindow();
        QApplication::setActiveWindow(&Window());
    }
    void Press(QKeySequence keys)
    {
        Activate();
        QTest::keySequence(&Window(), keys);
    }
    // A drag of the Y-level slider's thumb from one value to another.
    void DragHeight(std::initializer_list<float> values)
    {
        auto* slider = static_cast<QSlider*>(m_editor->Widget(IDC_HEIGHT_SLIDER));
        slider->setSliderDown(true);
        for (const float value : values) {
            m_editor->MoveSlider(IDC_HEIGHT_SLIDER, -15, 15, value);
        }
        slider->setSliderDown(false);
    }
    // A drag that changes the selected vertex's height, whatever height it had.
    void Edit()
    {
        const CTerrainWorld& world = m_editor->World();
        DragHeight({world.HeightAt(world.GetSelectedRow(), world.GetSelectedColumn()) == 9.0f ? 8.0f : 9.0f});
    }
};

TEST_F(MainWindowTest, MenusHoldEveryActionWithItsShortcutAndToolTip)
{
    const struct {
        EditorAction action;
        QString menu;
        QStringList keys;
    } cases[] = {
        {EditorAction::New, "File", {"Ctrl+N"}},
        {EditorAction::Open, "File", {"Ctrl+O"}},
        {EditorAction::Save, "File", {"Ctrl+S"}},
        {EditorAction::SaveAs, "File", {"Ctrl+Shift+S"}},
        {EditorAction::LoadTexture, "File", {}},
        {EditorAction::Import, "File", {"Ctrl+I"}},
        {EditorAction::Export, "File", {"Ctrl+E"}},
        {EditorAction::ExportMesh, "File", {"Ctrl+Shift+E"}},
        {EditorAction::Quit, "File", {"Ctrl+Q"}},
        {EditorAction::Undo, "Edit", {"Ctrl+Z"}},
        {EditorAction::Redo, "Edit", {"Ctrl+Y", "Ctrl+Shift+Z"}},
        {EditorAction::Resample, "Terrain", {"Ctrl+R"}},
        {EditorAction::Erode, "Terrain", {}},
        {EditorAction::Statistics, "Terrain", {}},
        {EditorAction::Wireframe, "View", {"W"}},
        {EditorAction::Selector, "View", {"S"}},
        {EditorAction::Airplane, "View", {}},
        {EditorAction::Animation, "View", {"Space"}},
        {EditorAction::LightsPanel, "View", {}},
        {EditorAction::ScenePanel, "View", {}},
        {EditorAction::ResetCameras, "View", {}},
        {EditorAction::BrushPanel, "View", {}},
        {EditorAction::CameraTool, "Tools", {"C"}},
        {EditorAction::BrushTool, "Tools", {"B"}},
        {EditorAction::KeyboardShortcuts, "Help", {}},
        {EditorAction::About, "Help", {}},
    };
    for (const auto& c : cases) {
        QAction* action = Window().Action(c.action);
        SCOPED_TRACE(action->text().toStdString());
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts()) {
            keys << key.toString();
        }
        EXPECT_EQ(keys, c.keys);
        EXPECT_FALSE(action->toolTip().isEmpty());
        const auto* menu = qobject_cast<QMenu*>(action->associatedObjects().value(0));
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title().remove('&'), c.menu);
    }
    EXPECT_EQ(Window().RecentFilesMenu()->menuAction()->associatedObjects().value(0),
              Window().Action(EditorAction::Quit)->associatedObjects().value(0))
        << "the recent files are in the File menu";
}

TEST_F(MainWindowTest, ShortcutsRunTheirCommands)
{
    const fs::path file = m_folder.Path() / "keys.txt";
    const struct {
        QKeySequence keys;
        std::function<void()> before;
        std::function<void()> check;
    } cases[] = {
        {QKeySequence("W"), [] {}, [&] { EXPECT_EQ(m_editor->Status(), L"WireFrame is On"); }},
        {QKeySequence("S"), [] {}, [&] { EXPECT_TRUE(m_editor->IsChecked(IDC_SELECTOR_VISIBLE)); }},
        {QKeySequence("Space"), [] {}, [&] { EXPECT_TRUE(m_editor->World().IsAnimating()); }},
        {QKeySequence("B"), [] {}, [&] { EXPECT_TRUE(Window().IsBrushToolChosen()); }},
        {QKeySequence("B"), [] {}, [&] { EXPECT_FALSE(Window().IsBrushToolChosen()) << "B again: the camera"; }},
        {QKeySequence("B"), [] {}, [] {}},
        {QKeySequence("C"), [] {}, [&] { EXPECT_FALSE(Window().IsBrushToolChosen()); }},
        {QKeySequence("Ctrl+Z"), [] {},
         [&] { EXPECT_FALSE(m_editor->IsChecked(IDC_WIREFRAME)) << "wire frame undone"; }},
        {QKeySequence("Ctrl+Y"), [] {}, [&] { EXPECT_TRUE(m_editor->IsChecked(IDC_WIREFRAME)); }},
        {QKeySequence("Ctrl+Z"), [] {}, [] {}},
        {QKeySequence("Ctrl+Shift+Z"), [] {}, [&] { EXPECT_TRUE(m_editor->IsChecked(IDC_WIREFRAME)); }},
        {QKeySequence("Ctrl+N"),
         [&] {
             Edit();
             m_editor->Dialogs().QueueMessageBoxAnswer(IDNO);
         },
         [&] { EXPECT_FALSE(m_editor->Document().IsModified()) << "a new terrain after discarding"; }},
        {QKeySequence("Ctrl+O"), [] {},
         [&] { EXPECT_TRUE(m_editor->Dialogs().FileDialogs().back().open) << "a file to open was asked for"; }},
        {QKeySequence("Ctrl+Shift+S"), [&] { m_editor->AnswerFileDialog(file.string()); },
         [&] { EXPECT_TRUE(fs::exists(file)); }},
        {QKeySequence("Ctrl+S"), [&] { Edit(), fs::remove(file); },
         [&] { EXPECT_TRUE(fs::exists(file)) << "saved to the terrain's file without asking"; }},
        {QKeySequence("Ctrl+Q"), [] {}, [&] { EXPECT_FALSE(Window().isVisible()) << "nothing unsaved: no question"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys.toString().toStdString());
        c.before();
        Press(c.keys);
        c.check();
    }
    EXPECT_EQ(Boxes(), 1u) << "only the question before the new terrain";
}

TEST_F(MainWindowTest, ViewAndHelpActionsDoWhatTheButtonsDo)
{
    const struct {
        EditorAction action;
        std::wstring status;
    } switches[] = {
        {EditorAction::Wireframe, L"WireFrame is On"},
        {EditorAction::Selector, L"Selector Visible is ON"},
        {EditorAction::Airplane, L"Airplane Visible is OFF"},
        {EditorAction::Animation, L"Anime is ON"},
    };
    for (const auto& s : switches) {
        m_editor->Trigger(s.action);
        EXPECT_EQ(m_editor->Status(), s.status);
        EXPECT_TRUE(Window().Action(s.action)->isChecked() == (s.action != EditorAction::Airplane));
    }
    m_editor->Trigger(EditorAction::LightsPanel);
    EXPECT_TRUE(m_editor->Dialog().LightPanel().IsWindowVisible());
    m_editor->Trigger(EditorAction::ScenePanel);
    EXPECT_TRUE(m_editor->Dialog().SceneWindow().IsWindowVisible());

    QWidget* big = WidgetOfWindow(m_editor->Dialog().BigView().GetViewWindow().GetSafeHwnd());
    QTest::mousePress(big, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPoint(140, 90), big->mapToGlobal(QPoint(140, 90)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(big, &move);
    QTest::mouseRelease(big, Qt::LeftButton, Qt::NoModifier, QPoint(140, 90));
    ASSERT_NE(m_editor->Dialog().BigView().GetCamera().GetYaw(), 0.0f);
    m_editor->Trigger(EditorAction::ResetCameras);
    EXPECT_EQ(m_editor->Dialog().BigView().GetCamera().GetYaw(), 0.0f);
    EXPECT_EQ(m_editor->Dialog().BigView().GetCamera().GetPosition(), TQR_Vector3(0.0f, 10.0f, -25.0f));

    m_editor->Trigger(EditorAction::KeyboardShortcuts);
    EXPECT_NE(LastBox().find(L"Ctrl+Shift+Z\tRedo"), std::wstring::npos);
    for (const wchar_t* line : {L"Space\tAnimation", L"Ctrl+I\tImport", L"Ctrl+E\tExport", L"Ctrl+Shift+E\tExport Mesh",
                                L"Ctrl+R\tResample", L"C\tCamera Tool", L"B\tBrush Tool"}) {
        EXPECT_NE(LastBox().find(line), std::wstring::npos) << line;
    }
    m_editor->Trigger(EditorAction::About);
    EXPECT_EQ(m_editor->Dialogs().MessageBoxes().back().caption, L"About Relief");
}

// File > Load Texture does what "Load Texture" does, and the choice is an undo step like the
// wire frame switch: the label, the check box and the floor follow undo and redo.
TEST_F(MainWindowTest, TextureFromTheMenuAndTheWireFrameAreUndoSteps)
{
    const fs::path image = m_folder.Path() / "green.png";
    QImage green(8, 8, QImage::Format_RGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(QString::fromStdString(image.string())));
    m_editor->AnswerFileDialog(image.string());
    m_editor->Trigger(EditorAction::LoadTexture);
    m_editor->Click(IDC_WIREFRAME);
    const struct {
        EditorAction action;
        std::wstring label;
        bool wireframe;
    } steps[] = {
        {EditorAction::Undo, L"green.png", false},
        {EditorAction::Undo, L"", false},
        {EditorAction::Redo, L"green.png", false},
        {EditorAction::Redo, L"green.png", true},
    };
    EXPECT_EQ(m_editor->Text(IDC_TEXTURE_FILE_NAME), L"green.png");
    for (const auto& step : steps) {
        m_editor->Trigger(step.action);
        SCOPED_TRACE(Window().Action(EditorAction::Undo)->text().toStdString());
        EXPECT_EQ(m_editor->Text(IDC_TEXTURE_FILE_NAME), step.label);
        EXPECT_EQ(m_editor->World().GetFloorMesh().GetTextureFileName(),
                  step.label.empty() ? std::wstring() : QString::fromStdString(image.string()).toStdWString());
        EXPECT_EQ(m_editor->IsChecked(IDC_WIREFRAME), step.wireframe);
    }
}

// Space belongs to a button the user tabbed to; a click does not give a button the focus.
TEST_F(MainWindowTest, FocusedButtonKeepsSpaceAndClickedOnesDoNotTakeTheFocus)
{
    QWidget* texture = m_editor->Widget(IDC_ENABLE_TEXTURE);
    EXPECT_EQ(texture->focusPolicy(), Qt::TabFocus);
    Activate();
    texture->setFocus(Qt::TabFocusReason);
    QTest::keyClick(texture, Qt::Key_Space);
    EXPECT_TRUE(m_editor->IsChecked(IDC_ENABLE_TEXTURE));
    EXPECT_FALSE(m_editor->World().IsAnimating());

    QWidget* slider = m_editor->Widget(IDC_ROW_SLIDER);
    slider->setFocus(Qt::TabFocusReason);
    QTest::keyClick(slider, Qt::Key_Space);
    EXPECT_TRUE(m_editor->World().IsAnimating()) << "a slider has no use for Space";
}

TEST_F(MainWindowTest, ResizingGrowsTheBigViewAndKeepsTheControlsAnchored)
{
    const auto place = [&](int id) { return m_editor->Widget(id)->geometry(); };
    const int ids[] = {IDC_BIG_VIEW, IDC_SMALL_VIEW, IDOK, IDC_GENERATE, IDC_LOAD_TEXTURE, IDC_ROW_SLIDER, IDC_STATUS};
    std::map<int, QRect> before;
    for (const int id : ids) {
        before[id] = place(id);
    }
    const TQR_Camera camera = m_editor->Dialog().BigView().GetCamera();
    Window().resize(1600, 1000);
    QApplication::processEvents();
    m_editor->Tick();
    const QSize grown = place(IDC_BIG_VIEW).size() - before[IDC_BIG_VIEW].size();
    ASSERT_GT(grown.width(), 300);
    ASSERT_GT(grown.height(), 200);
    const QPoint right(grown.width(), 0);
    const QPoint down(0, grown.height());
    const std::pair<int, QPoint> moves[] = {{IDC_SMALL_VIEW, right}, {IDC_ROW_SLIDER, right},  {IDOK, right + down},
                                            {IDC_GENERATE, down},    {IDC_LOAD_TEXTURE, down}, {IDC_STATUS, down}};
    for (const auto& [id, offset] : moves) {
        SCOPED_TRACE(id);
        EXPECT_EQ(place(id).size(), before[id].size());
        EXPECT_EQ(place(id).topLeft(), before[id].topLeft() + offset);
    }
    EXPECT_EQ(place(IDC_BIG_VIEW).topLeft(), before[IDC_BIG_VIEW].topLeft());
    EXPECT_EQ(m_editor->Dialog().BigView().GetCamera().GetPosition(), camera.GetPosition());
    for (CDrawOnlyHandler* view : {static_cast<CDrawOnlyHandler*>(&m_editor->Dialog().BigView()),
                                   static_cast<CDrawOnlyHandler*>(&m_editor->Dialog().SmallView())}) {
        int width = 0;
        int height = 0;
        view->GetBackBufferSize(width, height);
        int clientWidth = 0;
        int clientHeight = 0;
        view->GetWindowSize(clientWidth, clientHeight);
        EXPECT_EQ(QSize(width, height), QSize(clientWidth, clientHeight)) << "frames are drawn at the view's size";
        EXPECT_NEAR(view->GetAspectRatio(), static_cast<double>(clientWidth) / clientHeight, 1e-6);
    }
    fs::create_directories(RELIEF_TEST_OUTPUT_DIR);
    const Result<> saved =
        SaveWidgetImage(Window(), std::string(RELIEF_TEST_OUTPUT_DIR) + "/main_window_1600x1000.png");
    EXPECT_TRUE(saved.ok()) << saved.reason();

    Window().resize(200, 200);
    QApplication::processEvents();
    EXPECT_EQ(place(IDC_BIG_VIEW), before[IDC_BIG_VIEW]) << "never smaller than the dialog";
}

// Every tick asks for the selection's labels; they are set again only when the row, the column
// or the height changed. A mark written into them shows whether a tick set them.
TEST_F(MainWindowTest, SelectionLabelsAreSetOnlyWhenTheSelectionChanged)
{
    CTerrainWorld& world = m_editor->World();
    struct Case {
        const char* what;
        std::function<void()> change;
        QString vertex;
        QString height;
    };
    const QString mark = QStringLiteral("mark");
    const Case cases[] = {
        {"nothing", [] {}, mark, mark},
        {"the height", [&world] { world.SetHeightAt(0, 0, 4.5f); }, "Vertex 0, 0", "Height 4.50"},
        {"the row", [&world] { world.SetSelectedRow(7); }, "Vertex 7, 0", "Height 3.25"},
        {"the column", [&world] { world.SetSelectedColumn(2); }, "Vertex 7, 2", "Height -1.00"},
        {"the same column again", [&world] { world.SetSelectedColumn(2); }, mark, mark},
    };
    world.SetSelectedRow(0);
    world.SetSelectedColumn(0);
    world.SetHeightAt(7, 0, 3.25f);
    world.SetHeightAt(7, 2, -1.0f);
    m_editor->Tick();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* name : {"vertexText", "heightText"}) {
            Window().findChild<QLabel*>(QString::fromLatin1(name))->setText(mark);
        }
        c.change();
        m_editor->Tick();
        EXPECT_EQ(Label("vertexText"), c.vertex);
        EXPECT_EQ(Label("heightText"), c.height);
    }
}

TEST_F(MainWindowTest, TitleStatusBarAndToolTipsShowWhatIsGoingOn)
{
    EXPECT_EQ(Window().windowTitle(), "Untitled[*] - Relief");
    EXPECT_FALSE(Window().isWindowModified());
    EXPECT_EQ(Label("gridText"), "Grid 65 x 65");
    m_editor->MoveSlider(IDC_ROW_SLIDER, 0, 62, 10);
    Edit();
    m_editor->Tick();
    EXPECT_TRUE(Window().isWindowModified());
    EXPECT_EQ(Label("vertexText"), "Vertex 52, 0");
    EXPECT_EQ(Label("heightText"), "Height 9.00");
    m_editor->Click(IDC_WIREFRAME);
    EXPECT_EQ(Label("statusText").toStdWString(), m_editor->Status());

    m_editor->AnswerFileDialog((m_folder.Path() / "named").string());
    m_editor->Click(IDC_SAVE);
    EXPECT_EQ(Window().windowTitle(), "named.txt[*] - Relief");
    EXPECT_FALSE(Window().isWindowModified());

    for (const DialogControl& control : MainDialogTemplate().controls) {
        if (control.id != IDC_STATIC) {
            EXPECT_FALSE(m_editor->Widget(control.id)->toolTip().isEmpty()) << "control " << control.id;
        }
    }
}

// Every way out and every replacing command, with and without unsaved changes, and each
// answer: Yes saves (and goes on), No discards (and goes on), Cancel stays.
TEST_F(MainWindowTest, UnsavedChangesAreAskedAboutAndNothingAsksWithoutThem)
{
    const fs::path saved = m_folder.Path() / "asked.txt";
    enum class Way { Close, Quit, QuitButton, Escape, New, Open };
    const struct {
        Way way;
        bool modified;
        std::vector<int> answers;
        std::size_t boxes;
        bool goesOn;
    } cases[] = {
        {Way::Close, false, {}, 0, true},       {Way::Quit, false, {}, 0, true},
        {Way::New, false, {}, 0, true},         {Way::Escape, false, {IDNO}, 1, false},
        {Way::Escape, false, {IDYES}, 1, true}, {Way::Close, true, {IDCANCEL}, 1, false},
        {Way::Quit, true, {IDNO}, 1, true},     {Way::QuitButton, true, {IDCANCEL}, 1, false},
        {Way::Escape, true, {IDYES}, 1, true},  {Way::New, true, {IDCANCEL}, 1, false},
        {Way::New, true, {IDNO}, 1, true},      {Way::Open, true, {IDCANCEL}, 1, false},
        {Way::Open, true, {IDYES}, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "way " << static_cast<int>(c.way) << (c.modified ? " modified" : ""));
        m_editor->Reopen();
        fs::remove(saved);
        fs::remove(m_editor->RecoveryPath());
        if (c.modified) {
            Edit();
            ASSERT_TRUE(m_editor->RecoveryTimer().Fire());
        }
        const std::uint64_t heights = Hash();
        const std::size_t asked = Boxes();
        const auto opens = [&] {
            const std::vector<FileDialogRequest>& requests = m_editor->Dialogs().FileDialogs();
            return std::count_if(requests.begin(), requests.end(), [](const FileDialogRequest& r) { return r.open; });
        };
        const auto opensBefore = opens();
        for (const int answer : c.answers) {
            m_editor->Dialogs().QueueMessageBoxAnswer(answer);
        }
        m_editor->AnswerFileDialog(saved.string()); // for a save, or for the file to open
        switch (c.way) {
        case Way::Close:
            Window().close();
            break;
        case Way::Quit:
            m_editor->Trigger(EditorAction::Quit);
            break;
        case Way::QuitButton:
            m_editor->Click(IDOK);
            break;
        case Way::Escape:
            Press(QKeySequence(Qt::Key_Escape));
            break;
        case Way::New:
            m_editor->Trigger(EditorAction::New);
            break;
        case Way::Open:
            m_editor->Trigger(EditorAction::Open);
            break;
        }
        EXPECT_EQ(Boxes() - asked, c.boxes);
        if (c.way == Way::New) {
            EXPECT_EQ(Hash() != heights, c.goesOn) << "the terrain was replaced";
        } else if (c.way == Way::Open) {
            EXPECT_EQ(opens() > opensBefore, c.goesOn) << "a file to open was asked for";
        } else {
            EXPECT_EQ(!Window().isVisible(), c.goesOn);
            EXPECT_EQ(fs::exists(m_editor->RecoveryPath()), !c.goesOn && c.modified) << "a clean close removes it";
        }
        const bool savedFirst = c.modified && !c.answers.empty() && c.answers[0] == IDYES;
        EXPECT_EQ(fs::exists(saved), savedFirst);
        m_editor->Dialogs().ShowFileDialog({}); // takes an unused answer back
    }
}

TEST_F(MainWindowTest, GeometryRecentFilesAndTheLastFolderPersist)
{
    fs::create_directories(m_folder.Path() / "maps");
    for (int i = 0; i < 10; ++i) {
        m_editor->AnswerFileDialog((m_folder.Path() / "maps" / ("map" + std::to_string(i))).string());
        m_editor->Trigger(EditorAction::SaveAs);
    }
    Window().resize(1100, 760);
    Window().close();
    m_editor->Reopen();
    EXPECT_EQ(Window().size(), QSize(1100, 760));
    const QList<QAction*> recent = Window().RecentFilesMenu()->actions();
    ASSERT_EQ(recent.size(), CEditorSettings::kRecentFileCount);
    EXPECT_EQ(recent[0]->text(), "&1 map9.txt");
    EXPECT_EQ(recent[7]->text(), "&8 map2.txt");

    m_editor->Trigger(EditorAction::Open);
    EXPECT_EQ(m_editor->Dialogs().FileDialogs().back().fileName,
              QString::fromStdString((m_folder.Path() / "maps").string() + "/").toStdWString())
        << "the file dialog starts in the last folder";
    recent[3]->trigger();
    EXPECT_EQ(m_editor->Text(IDC_LOAD_FILE_NAME), L"map6.txt");
    EXPECT_EQ(Window().windowTitle(), "map6.txt[*] - Relief");

    fs::remove(m_folder.Path() / "maps" / "map5.txt");
    Window().RecentFilesMenu()->actions()[4]->trigger();
    EXPECT_EQ(m_editor->Status().rfind(L"Load failed: ", 0), 0u);
    EXPECT_EQ(Window().RecentFilesMenu()->actions().size(), 7) << "a file that is gone leaves the list";
}

// Undo and redo through the real widgets: a whole slider drag is one step.
TEST_F(MainWindowTest, SliderDragIsOneUndoStepAndUndoShowsTheStateAgain)
{
    CTerrainWorld& world = m_editor->World();
    m_editor->MoveSlider(IDC_COLUMN_SLIDER, 0, 62, 2);
    const float start = world.HeightAt(0, 60);
    const std::uint64_t startHash = Hash();
    DragHeight({1.0f, 4.0f, 8.5f, 12.0f});
    EXPECT_EQ(world.HeightAt(0, 60), 12.0f);
    EXPECT_EQ(m_editor->Document().StepCount(), 1);
    EXPECT_EQ(Window().Action(EditorAction::Undo)->text(), "&Undo Set Height");

    m_editor->MoveSlider(IDC_COLUMN_SLIDER, 0, 62, 40);
    m_editor->Trigger(EditorAction::Undo);
    EXPECT_EQ(world.HeightAt(0, 60), start);
    EXPECT_EQ(Hash(), startHash);
    EXPECT_EQ(world.GetSelectedColumn(), 60) << "undo selects the vertex it changed";
    EXPECT_NEAR(m_editor->SliderValue(IDC_COLUMN_SLIDER, 0, 62), 2.0f, 1e-3) << "and the slider shows it";
    EXPECT_FALSE(Window().Action(EditorAction::Undo)->isEnabled());
    m_editor->Trigger(EditorAction::Redo);
    EXPECT_EQ(world.HeightAt(0, 60), 12.0f);
}

} // namespace
