#include "editor/internal/document_commands.h"

#include "world/terrain_world.h"

#include <utility>

DocumentCommand::DocumentCommand(DocumentModel& model, const DocumentState& before, const DocumentState& after,
                                 const QString& text)
    : QUndoCommand(text), m_model(model), m_before(before), m_after(after)
{
}

void DocumentCommand::undo()
{
    UndoHeights();
    m_model.Apply(m_before);
}

void DocumentCommand::redo()
{
    RedoHeights();
    m_model.Apply(m_after);
}

std::size_t DocumentCommand::Bytes() const
{
    const auto labels = [](const DocumentState& state) {
        return (state.loadLabel.capacity() + state.texturePath.capacity()) * sizeof(wchar_t);
    };
    return sizeof(*this) + labels(m_before) + labels(m_after);
}

VertexHeightCommand::VertexHeightCommand(DocumentModel& model, const DocumentState& state, float oldHeight,
                                         float newHeight, int dragId)
    : DocumentCommand(model, state, state, QStringLiteral("Set Height")), m_row(state.row), m_column(state.column),
      m_oldHeight(oldHeight), m_newHeight(newHeight), m_dragId(dragId)
{
}

bool VertexHeightCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const VertexHeightCommand*>(other);
    if (m_dragId == 0 || next->m_dragId != m_dragId || next->m_row != m_row || next->m_column != m_column) {
        return false;
    }
    m_newHeight = next->m_newHeight;
    // A drag that ends where it began changed nothing: the step goes.
    setObsolete(m_newHeight == m_oldHeight);
    return true;
}

void VertexHeightCommand::UndoHeights() { Model().World().SetHeightAt(m_row, m_column, m_oldHeight); }

void VertexHeightCommand::RedoHeights() { Model().World().SetHeightAt(m_row, m_column, m_newHeight); }

HeightsCommand::HeightsCommand(DocumentModel& model, const DocumentState& before, const DocumentState& after,
                               SeededHeights oldHeights, SeededHeights newHeights, const QString& text)
    : DocumentCommand(model, before, after, text), m_old(std::move(oldHeights)), m_new(std::move(newHeights))
{
}

std::size_t HeightsCommand::Bytes() const
{
    return DocumentCommand::Bytes() + (m_old.heights.Samples().size() + m_new.heights.Samples().size()) * sizeof(float);
}

void HeightsCommand::UndoHeights() { Model().World().RestoreHeights(m_old.heights, m_old.seed); }

void HeightsCommand::RedoHeights()
{
    if (!std::exchange(m_done, false)) {
        Model().World().RestoreHeights(m_new.heights, m_new.seed);
    }
}

RegionHeightsCommand::RegionHeightsCommand(DocumentModel& model, const DocumentState& state, StrokeRegion region,
                                           const QString& text)
    : DocumentCommand(model, state, state, text), m_region(std::move(region))
{
}

std::size_t RegionHeightsCommand::Bytes() const
{
    return DocumentCommand::Bytes() + (m_region.before.size() + m_region.after.size()) * sizeof(float);
}

namespace {

void WriteRegion(DocumentModel& model, const SampleRect& rect, const std::vector<float>& heights)
{
    // The rectangle was cut from a grid of this side, which the history keeps while the step lives.
    static_cast<void>(model.World().SetHeightsInRegion(BoundsOf(rect), heights));
}

} // namespace

void RegionHeightsCommand::UndoHeights() { WriteRegion(Model(), m_region.rect, m_region.before); }

void RegionHeightsCommand::RedoHeights()
{
    if (!std::exchange(m_done, false)) {
        WriteRegion(Model(), m_region.rect, m_region.after);
    }
}
