// Internal to editor/: the undo steps. Each keeps the document state from before and after it
// and what it did to the heights: a single vertex keeps its old and new height, a whole-grid
// step both grids.
#pragma once

#include "editor/brush_stroke.h"
#include "editor/internal/document_model.h"
#include "terrain/heightfield.h"

#include <QUndoCommand>

#include <cstddef>
#include <cstdint>
#include <optional>

class DocumentCommand : public QUndoCommand {
public:
    void undo() final;
    void redo() final;
    // Memory the step keeps, for the history's budget.
    virtual std::size_t Bytes() const;

protected:
    DocumentCommand(DocumentModel& model, const DocumentState& before, const DocumentState& after, const QString& text);

    DocumentModel& Model() const { return m_model; }
    void SetAfter(const DocumentState& after) { m_after = after; }
    virtual void UndoHeights() {}
    virtual void RedoHeights() {}

private:
    DocumentModel& m_model;
    DocumentState m_before;
    DocumentState m_after;
};

// One vertex's height. Heights of one vertex set during one slider drag merge into one step.
class VertexHeightCommand final : public DocumentCommand {
public:
    static constexpr int kId = 1;

    // dragId 0: not part of a drag, never merged.
    VertexHeightCommand(DocumentModel& model, const DocumentState& state, float oldHeight, float newHeight, int dragId);

    int id() const override { return kId; }
    bool mergeWith(const QUndoCommand* other) override;
    std::size_t Bytes() const override { return sizeof(*this); }

protected:
    void UndoHeights() override;
    void RedoHeights() override;

private:
    int m_row;
    int m_column;
    float m_oldHeight;
    float m_newHeight;
    int m_dragId;
};

// A whole terrain with the seed it was generated from, when known.
struct SeededHeights {
    Heightfield heights;
    std::optional<std::uint64_t> seed;
};

// The whole grid replaced (a generation, a load, a resample, an import, recovered work), side
// and seed included. The step has been done when it is pushed, so its first redo leaves the
// heights alone.
class HeightsCommand final : public DocumentCommand {
public:
    HeightsCommand(DocumentModel& model, const DocumentState& before, const DocumentState& after,
                   SeededHeights oldHeights, SeededHeights newHeights, const QString& text);

    std::size_t Bytes() const override;

protected:
    void UndoHeights() override;
    void RedoHeights() override;

private:
    SeededHeights m_old;
    SeededHeights m_new;
    bool m_done = true;
};

// A rectangle of the grid painted over (a brush stroke): only its heights from before and after
// are kept, not the whole grid. The stroke has been painted when it is pushed, so its first redo
// leaves the heights alone.
class RegionHeightsCommand final : public DocumentCommand {
public:
    RegionHeightsCommand(DocumentModel& model, const DocumentState& state, StrokeRegion region, const QString& text);

    std::size_t Bytes() const override;

protected:
    void UndoHeights() override;
    void RedoHeights() override;

private:
    StrokeRegion m_region;
    bool m_done = true;
};

// Only the state changes: a texture choice, the wire frame switch.
class StateCommand final : public DocumentCommand {
public:
    StateCommand(DocumentModel& model, const DocumentState& before, const DocumentState& after, const QString& text)
        : DocumentCommand(model, before, after, text)
    {
    }
};
