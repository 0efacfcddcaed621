// The generate controls, Terrain > Resample, File > Import, File > Export and File > Export Mesh
// driven through the main window: sizes and seeds, undo across sizes, heightmaps in and out,
// refused files that change nothing, and meshes that read back with the terrain's box.
#include "app/resources/main_dialog_ids.h"
#include "editor/testing/heights_hash.h"
#include "editor_fixture.h"
#include "formats/height_range.h"
#include "formats/tests/obj_test_reader.h"
#include "platform/win/win_api.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

namespace fs = std::filesystem;

struct Terrain {
    int side = 0;
    std::uint64_t hash = 0;
    std::optional<std::uint64_t> seed;

    bool operator==(const Terrain&) const = default;
};

class TerrainFilesTest : public EditorTest {
protected:
    CTerrainWorld& World() { return m_editor->World(); }
    Terrain Now() { return {World().Side(), HeightsHash(World().HeightsSnapshot()), World().CurrentSeed()}; }
    template <typename T> T* Child(const char* name)
    {
        return m_editor->Window().findChild<T*>(QString::fromLatin1(name));
    }
    std::string PathOf(const std::string& name) const { return (m_folder.Path() / name).string(); }
    static std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

    // Generates with the tool bar's size and seed.
    void Generate(int side, const QString& seed)
    {
        auto* size = Child<QComboBox>("sizeChoice");
        size->setCurrentIndex(size->findData(side));
        Child<QLineEdit>("seedField")->setText(seed);
        Child<QAction>("generateAction")->trigger();
    }
    // The next modal dialog is answered by answer (with the dialog) and accepted, or rejected
    // when answer is null. Answered() tells whether a dialog came.
    void AnswerDialog(std::function<void(QWidget&)> answer)
    {
        m_answered = false;
        QTimer::singleShot(0, [this, answer] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            m_answered = true;
            if (answer) {
                answer(*dialog);
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
    }
    void AnswerRange(HeightRange range)
    {
        AnswerDialog([range](QWidget& dialog) {
            dialog.findChild<QDoubleSpinBox*>("lowHeight")->setValue(range.low);
            dialog.findChild<QDoubleSpinBox*>("highHeight")->setValue(range.high);
        });
    }
    void Import(const std::string& name)
    {
        m_editor->AnswerFileDialog(PathOf(name));
        m_editor->Trigger(EditorAction::Import);
        // An answer that found no dialog goes now, not at a later one.
        QApplication::processEvents();
    }
    void Export(const std::string& name, EditorAction action = EditorAction::Export)
    {
        m_editor->AnswerFileDialog(PathOf(name));
        m_editor->Trigger(action);
        QApplication::processEvents();
    }

    bool m_answered = false;
};

// The size and the seed make the terrain: the same choice gives the same heights again, the
// grid label, the seed label and the row and column sliders follow the size, and undo and redo
// bring back each terrain (side, heights, seed) bit for bit.
TEST_F(TerrainFilesTest, SizeAndSeedReproduceTheTerrainAndUndoCrossesSizes)
{
    const struct {
        int side;
        QString seed;
    } choices[] = {{129, "42"}, {33, "7"}, {257, "42"}, {65, " 18446744073709551615 "}};
    std::vector<Terrain> made{Now()};
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.side);
        Generate(choice.side, choice.seed);
        const Terrain first = Now();
        EXPECT_EQ(first.side, choice.side);
        EXPECT_EQ(first.seed, choice.seed.trimmed().toULongLong());
        EXPECT_EQ(Child<QLabel>("seedText")->text(), "Terrain seed " + choice.seed.trimmed());
        EXPECT_EQ(Child<QLabel>("gridText")->text(), QString("Grid %1 x %1").arg(choice.side));
        m_editor->MoveSlider(IDC_ROW_SLIDER, 0, static_cast<float>(choice.side - 3), 0);
        EXPECT_EQ(World().GetSelectedRow(), choice.side - 3) << "the row slider reaches the last rows";
        m_editor->Click(IDC_GENERATE);
        EXPECT_EQ(Now(), first) << "the dialog's Generate uses the same size and seed";
        made.insert(made.end(), 2, first);
    }
    EXPECT_NE(made[1].hash, made[5].hash) << "the same seed at another size is another terrain";
    for (auto it = made.rbegin() + 1; it != made.rend(); ++it) {
        m_editor->Trigger(EditorAction::Undo);
        EXPECT_EQ(Now(), *it);
    }
    for (auto it = made.begin() + 1; it != made.end(); ++it) {
        m_editor->Trigger(EditorAction::Redo);
        EXPECT_EQ(Now(), *it);
    }

    const Terrain before = Now();
    const int steps = m_editor->Document().StepCount();
    Generate(65, "12345678901234567890123");
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(m_editor->Document().StepCount(), steps);
    EXPECT_EQ(m_editor->Status().rfind(L"Generate failed: the seed", 0), 0u) << m_editor->Status().c_str();
}

TEST_F(TerrainFilesTest, ResampleIsOneStepAndACancelledChoiceChangesNothing)
{
    Generate(129, "3");
    const Terrain generated = Now();
    const Heightfield heights = World().HeightsSnapshot();
    AnswerDialog(nullptr);
    m_editor->Trigger(EditorAction::Resample);
    EXPECT_TRUE(m_answered);
    EXPECT_EQ(Now(), generated);

    AnswerDialog([](QWidget& dialog) { static_cast<QInputDialog&>(dialog).setTextValue("513"); });
    m_editor->Trigger(EditorAction::Resample);
    EXPECT_EQ(World().Side(), 513);
    EXPECT_EQ(World().CurrentSeed(), std::nullopt);
    EXPECT_EQ(Child<QLabel>("seedText")->text(), "Terrain seed unknown");
    EXPECT_EQ(World().HeightAt(512, 512), heights.At(128, 128)) << "corners kept";
    EXPECT_EQ(m_editor->Status(), L"Resampled to 513 x 513");
    EXPECT_TRUE(m_editor->Document().IsModified());
    m_editor->Trigger(EditorAction::Undo);
    EXPECT_EQ(Now(), generated);
}

// Exported heightmaps import back: a PNG with its range and seed without a question, the files
// that carry no range (RAW16) with the range the user confirms, EXR and text exactly.
TEST_F(TerrainFilesTest, ExportedHeightmapsImportBackAsOneStep)
{
    const struct {
        std::string name;
        bool asksRange;
        bool keepsSeed;
        float tolerance; // in units of the height range
    } files[] = {
        {"t.png", false, true, 1.0f / 65535},
        {"t.r16", true, false, 1.0f / 65535},
        {"t.exr", false, true, 0.0f},
        {"t.txt", false, false, 0.0f},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        Generate(129, "99");
        const Heightfield exported = World().HeightsSnapshot();
        const HeightRange range = RangeOf(exported).value();
        Export(file.name);
        EXPECT_EQ(m_editor->Status(), L"Exported " + fs::path(file.name).wstring());
        Generate(33, "1");
        const int steps = m_editor->Document().StepCount();
        AnswerRange(range);
        Import(file.name);
        EXPECT_EQ(m_answered, file.asksRange);
        ASSERT_EQ(World().Side(), 129) << m_editor->Status().c_str();
        EXPECT_EQ(World().CurrentSeed(), file.keepsSeed ? std::optional<std::uint64_t>(99) : std::nullopt);
        const float bound = file.tolerance * (range.high - range.low) * 1.0001f;
        for (int i = 0; i < 129 * 129; i += 97) {
            EXPECT_NEAR(World().HeightAt(i / 129, i % 129), exported.At(i / 129, i % 129), bound) << i;
        }
        EXPECT_EQ(m_editor->Document().StepCount(), steps + 1);
        EXPECT_TRUE(m_editor->Document().IsModified());
        m_editor->Trigger(EditorAction::Undo);
        EXPECT_EQ(World().Side(), 33);
        EXPECT_EQ(World().CurrentSeed(), 1u);
        m_editor->Document().Redo();
        // The next generation may discard the import without a question.
        m_editor->Dialogs().QueueMessageBoxAnswer(IDNO);
    }
}

// Foreign images: a PNG without a range takes the confirmed one, a side that is not a
// terrain's is resampled and the status line says so; refused or cancelled imports change
// nothing.
TEST_F(TerrainFilesTest, ForeignFilesAskForARangeResampleOrAreRefused)
{
    QImage grey16(65, 65, QImage::Format_Grayscale16);
    grey16.fill(QColor::fromRgba64(65535, 65535, 65535));
    grey16.save(QString::fromStdString(PathOf("white16.png")));
    QImage grey8(100, 100, QImage::Format_Grayscale8);
    grey8.fill(0);
    grey8.save(QString::fromStdString(PathOf("black8.png")));
    std::ofstream(PathOf("oblong.r16"), std::ios::binary) << std::string(2 * 65 * 64, '\1');
    std::ofstream(PathOf("broken.png"), std::ios::binary) << "\x89PNG\r\n\x1a\n broken";

    const struct {
        std::string name;
        std::optional<HeightRange> answer; // none: the range dialog is cancelled
        int side;                          // 0: nothing changes
        float corner;
        std::wstring status;
    } cases[] = {
        {"white16.png", HeightRange{-2, 30}, 65, 30.0f, L"Imported white16.png: heights -2 to 30 as chosen"},
        {"black8.png", HeightRange{5, 9}, 129, 5.0f, L"Imported black8.png: resampled from 100 x 100 to 129 x 129"},
        {"white16.png", std::nullopt, 0, 0.0f, L"Import cancelled"},
        {"oblong.r16", HeightRange{0, 15}, 0, 0.0f, L"Import failed: cannot load"},
        {"broken.png", HeightRange{0, 15}, 0, 0.0f, L"Import failed: cannot load"},
        {"missing.exr", HeightRange{0, 15}, 0, 0.0f, L"Import failed: cannot load"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Generate(33, "5");
        const Terrain before = Now();
        const int steps = m_editor->Document().StepCount();
        if (c.answer) {
            AnswerRange(*c.answer);
        } else {
            AnswerDialog(nullptr);
        }
        Import(c.name);
        EXPECT_EQ(m_editor->Status().rfind(c.status, 0), 0u) << m_editor->Status().c_str();
        if (c.side == 0) {
            EXPECT_EQ(Now(), before);
            EXPECT_EQ(m_editor->Document().StepCount(), steps);
            continue;
        }
        EXPECT_EQ(World().Side(), c.side);
        EXPECT_EQ(World().HeightAt(0, 0), c.corner);
        EXPECT_EQ(m_editor->Document().StepCount(), steps + 1);
        m_editor->Dialogs().QueueMessageBoxAnswer(IDNO);
    }
}

struct Box {
    float low[3] = {1e30f, 1e30f, 1e30f};
    float high[3] = {-1e30f, -1e30f, -1e30f};

    void Add(const float* point)
    {
        for (int i = 0; i < 3; ++i) {
            low[i] = std::min(low[i], point[i]);
            high[i] = std::max(high[i], point[i]);
        }
    }
};

Box ObjBox(const std::string& path)
{
    std::ifstream in(path);
    const ObjContents obj = ReadObj(std::string(std::istreambuf_iterator<char>(in), {}));
    EXPECT_EQ(obj.error, "");
    Box box;
    for (const auto& position : obj.positions) {
        box.Add(position.data());
    }
    return box;
}

Box GlbBox(const std::string& path)
{
    tinygltf::Model model;
    std::string error;
    std::string warning;
    tinygltf::TinyGLTF loader;
    EXPECT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, path)) << error;
    Box box;
    if (model.meshes.empty()) {
        return box;
    }
    const tinygltf::Accessor& positions =
        model.accessors.at(static_cast<std::size_t>(model.meshes[0].primitives.at(0).attributes.at("POSITION")));
    const tinygltf::BufferView& view = model.bufferViews.at(static_cast<std::size_t>(positions.bufferView));
    const unsigned char* data = model.buffers.at(0).data.data() + view.byteOffset + positions.byteOffset;
    for (std::size_t i = 0; i < positions.count; ++i) {
        float point[3];
        std::memcpy(point, data + i * 3 * sizeof(float), sizeof(point));
        box.Add(point);
    }
    return box;
}

// Meshes written from the menu read back with the terrain's bounding box, simplified or not;
// a name of no mesh format is refused.
TEST_F(TerrainFilesTest, ExportedMeshesReadBackWithTheTerrainsBox)
{
    Generate(129, "21");
    const HeightRange range = RangeOf(World().HeightsSnapshot()).value();
    const struct {
        std::string name;
        int triangles;
        std::function<Box(const std::string&)> read;
    } meshes[] = {
        {"full.obj", 0, ObjBox},
        {"small.obj", 500, ObjBox},
        {"full.glb", 0, GlbBox},
        {"small.glb", 500, GlbBox},
    };
    for (const auto& mesh : meshes) {
        SCOPED_TRACE(mesh.name);
        AnswerDialog([&](QWidget& dialog) { static_cast<QInputDialog&>(dialog).setIntValue(mesh.triangles); });
        Export(mesh.name, EditorAction::ExportMesh);
        ASSERT_EQ(m_editor->Status(), L"Exported " + fs::path(mesh.name).wstring());
        const Box box = mesh.read(PathOf(mesh.name));
        const float expectedLow[3] = {-15.0f, range.low, -15.0f};
        const float expectedHigh[3] = {15.0f, range.high, 15.0f};
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(box.low[i], expectedLow[i]) << i;
            EXPECT_FLOAT_EQ(box.high[i], expectedHigh[i]) << i;
        }
    }
    // The texture goes with an OBJ only while the floor shows it.
    QImage texture(8, 8, QImage::Format_RGB32);
    texture.fill(Qt::green);
    texture.save(QString::fromStdString(PathOf("grass.png")));
    m_editor->Document().ChooseTexture(Wide(PathOf("grass.png")));
    for (const bool shown : {false, true}) {
        if (shown) {
            m_editor->Click(IDC_ENABLE_TEXTURE);
        }
        const std::string name = shown ? "shown.obj" : "hidden.obj";
        AnswerDialog([](QWidget&) {});
        Export(name, EditorAction::ExportMesh);
        EXPECT_EQ(fs::exists(PathOf(name.substr(0, name.size() - 4) + ".mtl")), shown) << name;
    }

    AnswerDialog([](QWidget&) {});
    Export("mesh.stl", EditorAction::ExportMesh);
    EXPECT_EQ(m_editor->Status().rfind(L"Export failed: ", 0), 0u) << m_editor->Status().c_str();
    EXPECT_FALSE(fs::exists(PathOf("mesh.stl")));
}

} // namespace
