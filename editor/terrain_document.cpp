#include "editor/terrain_document.h"

#include "editor/brush_stroke.h"
#include "editor/internal/document_commands.h"
#include "world/height_file.h"
#include "world/terrain_world.h"

#include <QFileInfo>
#include <QUndoStack>

#include <utility>

namespace {

// Paths are UTF-8, the narrow encoding of this platform.
std::wstring FileNameOf(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).fileName().toStdWString();
}

} // namespace

CTerrainDocument::CTerrainDocument(CTerrainWorld& world, std::wstring loadLabel, std::wstring saveLabel)
    : m_model(std::make_unique<DocumentModel>(world, std::move(loadLabel))), m_history(std::make_unique<QUndoStack>()),
      m_saveLabel(std::move(saveLabel))
{
    m_history->setUndoLimit(kUndoLimit);
    QObject::connect(m_history.get(), &QUndoStack::indexChanged, [this](int) { Changed(); });
    QObject::connect(m_history.get(), &QUndoStack::cleanChanged, [this](bool) { Changed(); });
}

CTerrainDocument::~CTerrainDocument()
{
    // The commands refer to the model: they go first, without telling anyone.
    m_history->disconnect();
    m_history.reset();
}

CTerrainWorld& CTerrainDocument::World() const { return m_model->World(); }

DocumentState CTerrainDocument::State() const { return m_model->State(); }

void CTerrainDocument::SetSelectedHeight(float height, bool dragging)
{
    EndStroke();
    const DocumentState state = State();
    const float old = World().HeightAt(state.row, state.column);
    if (old == height) {
        return;
    }
    if (dragging && !m_dragging) {
        ++m_dragSerial;
    }
    m_dragging = dragging;
    m_history->push(new VertexHeightCommand(*m_model, state, old, height, dragging ? m_dragSerial : 0));
}

void CTerrainDocument::EndDrag() { m_dragging = false; }

Result<> CTerrainDocument::BeginStroke(const Brush& brush, DabCentre centre)
{
    EndStroke();
    auto stroke = std::make_unique<CBrushStroke>(World(), brush, centre);
    if (Result<> started = stroke->Start(); !started) {
        return started;
    }
    m_stroke = std::move(stroke);
    return {};
}

Result<> CTerrainDocument::ContinueStroke(DabCentre centre)
{
    if (!m_stroke) {
        return Failure{"no brush stroke is being painted"};
    }
    return m_stroke->MoveTo(centre);
}

void CTerrainDocument::EndStroke()
{
    if (!m_stroke) {
        return;
    }
    StrokeRegion region = std::exchange(m_stroke, nullptr)->Region();
    if (region.before == region.after) {
        return;
    }
    m_dragging = false;
    m_history->push(new RegionHeightsCommand(*m_model, State(), std::move(region), QStringLiteral("Brush Stroke")));
}

SeededHeights CTerrainDocument::Snapshot() const { return {World().HeightsSnapshot(), World().CurrentSeed()}; }

void CTerrainDocument::PushHeights(const DocumentState& before, const DocumentState& after, SeededHeights old,
                                   const QString& text)
{
    m_dragging = false;
    m_history->push(new HeightsCommand(*m_model, before, after, std::move(old), Snapshot(), text));
}

void CTerrainDocument::New() { (void)New(World().Side(), std::nullopt); }

Result<> CTerrainDocument::New(int side, std::optional<std::uint64_t> seed)
{
    BeforeRiskyStep();
    const DocumentState before = State();
    SeededHeights old = Snapshot();
    if (Result<> made = World().NewTerrain(side, World().GetRoughness(), seed); !made) {
        return made;
    }
    PushHeights(before, State(), std::move(old), QStringLiteral("New Terrain"));
    BecomeNew();
    return {};
}

void CTerrainDocument::BecomeNew()
{
    m_filePath.clear();
    m_history->setClean();
    Changed();
}

Result<> CTerrainDocument::ApplyNew(const Heightfield& heights, std::uint64_t seed)
{
    Result<> replaced = ReplaceHeights(heights, seed, QStringLiteral("New Terrain"));
    if (replaced) {
        BecomeNew();
    }
    return replaced;
}

Result<> CTerrainDocument::ApplyResample(const Heightfield& heights)
{
    return ReplaceHeights(heights, std::nullopt, QStringLiteral("Resample"));
}

Result<> CTerrainDocument::ApplyErosion(const Heightfield& heights)
{
    return ReplaceHeights(heights, std::nullopt, QStringLiteral("Erode"));
}

Result<> CTerrainDocument::ReplaceHeights(const Heightfield& heights, std::optional<std::uint64_t> seed,
                                          const QString& text, const std::wstring* loadLabel)
{
    if (!IsSupportedSide(heights.Side())) {
        return Failure{"a terrain cannot have " + std::to_string(heights.Side()) + " samples a side"};
    }
    BeforeRiskyStep();
    const DocumentState before = State();
    SeededHeights old = Snapshot();
    World().RestoreHeights(heights, seed);
    DocumentState after = State();
    if (loadLabel != nullptr) {
        after.loadLabel = *loadLabel;
    }
    PushHeights(before, after, std::move(old), text);
    return {};
}

Result<> CTerrainDocument::Resample(int side)
{
    BeforeRiskyStep();
    const DocumentState before = State();
    SeededHeights old = Snapshot();
    if (Result<> resampled = World().Resample(side); !resampled) {
        return resampled;
    }
    PushHeights(before, State(), std::move(old), QStringLiteral("Resample"));
    return {};
}

Result<> CTerrainDocument::Import(const Heightfield& heights, std::optional<std::uint64_t> seed,
                                  const std::wstring& label)
{
    if (Result<> replaced = ReplaceHeights(heights, seed, QStringLiteral("Import"), &label); !replaced) {
        return replaced;
    }
    m_filePath.clear();
    Changed();
    return {};
}

Result<> CTerrainDocument::Open(const std::string& path, const std::wstring& label)
{
    BeforeRiskyStep();
    const DocumentState before = State();
    SeededHeights old = Snapshot();
    if (Result<> loaded = World().LoadHeights(path); !loaded) {
        return loaded;
    }
    DocumentState after = State();
    after.loadLabel = label;
    PushHeights(before, after, std::move(old), QStringLiteral("Open"));
    m_filePath = path;
    m_history->setClean();
    Changed();
    return {};
}

Result<> CTerrainDocument::SaveTo(const std::string& path)
{
    BeforeRiskyStep();
    if (Result<> saved = World().SaveHeights(path); !saved) {
        return saved;
    }
    m_filePath = HeightFileName(path);
    m_saveLabel = FileNameOf(m_filePath);
    m_history->setClean();
    Changed();
    return {};
}

void CTerrainDocument::ChooseTexture(const std::wstring& path)
{
    EndStroke();
    if (path == State().texturePath) {
        // The image may have changed on disk: it is read again, and nothing else changes.
        World().SetTextureFile(path);
        return;
    }
    DocumentState after = State();
    after.texturePath = path;
    m_dragging = false;
    m_history->push(new StateCommand(*m_model, State(), after, QStringLiteral("Texture")));
}

void CTerrainDocument::SetWireframe(bool wireframe)
{
    EndStroke();
    DocumentState after = State();
    if (after.wireframe == wireframe) {
        return;
    }
    after.wireframe = wireframe;
    m_dragging = false;
    m_history->push(new StateCommand(*m_model, State(), after, QStringLiteral("Wireframe")));
}

Result<> CTerrainDocument::Restore(const RecoveredWork& work)
{
    EndStroke();
    if (!IsSupportedSide(work.heights.Side())) {
        return Failure{"the kept terrain has " + std::to_string(work.heights.Side()) +
                       " samples a side, which a terrain cannot have"};
    }
    const DocumentState before = State();
    SeededHeights old = Snapshot();
    World().RestoreHeights(work.heights);
    DocumentState after = State();
    after.texturePath = work.texturePath;
    PushHeights(before, after, std::move(old), QStringLiteral("Recover"));
    m_filePath = work.documentPath;
    Changed();
    return {};
}

RecoveredWork CTerrainDocument::Work() const { return {World().HeightsSnapshot(), State().texturePath, m_filePath}; }

bool CTerrainDocument::CanUndo() const { return m_history->canUndo(); }

bool CTerrainDocument::CanRedo() const { return m_history->canRedo(); }

void CTerrainDocument::Undo()
{
    EndStroke();
    m_dragging = false;
    m_history->undo();
}

void CTerrainDocument::Redo()
{
    EndStroke();
    m_dragging = false;
    m_history->redo();
}

QString CTerrainDocument::UndoText() const { return m_history->undoText(); }

QString CTerrainDocument::RedoText() const { return m_history->redoText(); }

int CTerrainDocument::StepCount() const { return m_history->count(); }

std::size_t CTerrainDocument::HistoryBytes() const
{
    std::size_t bytes = 0;
    for (int i = 0; i < m_history->count(); ++i) {
        bytes += static_cast<const DocumentCommand*>(m_history->command(i))->Bytes();
    }
    return bytes;
}

bool CTerrainDocument::IsModified() const { return !m_history->isClean(); }

std::wstring CTerrainDocument::DisplayName() const { return m_filePath.empty() ? L"Untitled" : FileNameOf(m_filePath); }

void CTerrainDocument::BeforeRiskyStep()
{
    EndStroke();
    if (m_beforeRiskyStep) {
        m_beforeRiskyStep();
    }
}

int CTerrainDocument::AddChangeListener(std::function<void()> listener)
{
    m_listeners.emplace(m_nextListener, std::move(listener));
    return m_nextListener++;
}

void CTerrainDocument::RemoveChangeListener(int id) { m_listeners.erase(id); }

void CTerrainDocument::Changed()
{
    // A listener may add or remove listeners.
    const std::map<int, std::function<void()>> listeners = m_listeners;
    for (const auto& [id, listener] : listeners) {
        listener();
    }
}
