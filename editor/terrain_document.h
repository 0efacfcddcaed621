// The open document: the world's terrain as the editor edits it. Every change of the heights,
// the floor's texture or the wire frame switch is one step of the undo history; the document
// knows the file it was opened from or saved to, whether it differs from that file, and tells
// its listener after every change so that the windows can show it.
//
// Undo restores the heights bit for bit (side and seed too), the selected vertex and the label
// of the loaded file. A vertex height keeps only what changed (its old and new height); a
// generation, a load, a resample or an import keeps the grids from before and after it; a brush
// stroke keeps the rectangle it touched, before and after.
#pragma once

#include "base/file_access.h"
#include "editor/document_state.h"
#include "editor/recovered_work.h"
#include "terrain/brush.h"
#include "terrain/heightfield.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class CBrushStroke;
class CTerrainWorld;
class DocumentModel;
class QUndoStack;
struct SeededHeights;

class CTerrainDocument {
public:
    // Steps the history keeps. A whole-grid step of 65 x 65 samples keeps two grids of 17 KiB,
    // so a full history stays far below 256 MiB.
    static constexpr int kUndoLimit = 1000;

    // The world must outlive the document. loadLabel and saveLabel are what the labels of the
    // loaded and the saved file show at first.
    CTerrainDocument(CTerrainWorld& world, std::wstring loadLabel, std::wstring saveLabel);
    ~CTerrainDocument();
    CTerrainDocument(const CTerrainDocument&) = delete;
    CTerrainDocument& operator=(const CTerrainDocument&) = delete;

    CTerrainWorld& World() const;
    // The state now, the selection as the world has it.
    DocumentState State() const;

    // Sets the selected vertex's height, as one step. Heights of one vertex set while dragging
    // merge into one step until EndDrag; a height the vertex already has is no step.
    void SetSelectedHeight(float height, bool dragging);
    void EndDrag();
    // A brush stroke, painted as it goes (press, drag, release): it starts with a dab at centre
    // (in samples), each move paints dabs along the way, and its end makes it one step ("Brush
    // Stroke") unless it changed nothing. A brush or centre out of range is refused with a
    // reason and paints nothing. Any other step, an undo or a redo ends a stroke first.
    Result<> BeginStroke(const Brush& brush, DabCentre centre);
    Result<> ContinueStroke(DabCentre centre);
    void EndStroke();
    bool InStroke() const { return m_stroke != nullptr; }
    // A new, untitled document: a generation at the world's side from a new seed (one step),
    // after which nothing is unsaved.
    void New();
    // The same at side x side samples from seed, or a new seed when none is given. A side that
    // is not supported is refused with a reason and changes nothing.
    Result<> New(int side, std::optional<std::uint64_t> seed);
    // The terrain at another side, resampled bilinearly, as one step with unsaved changes.
    // Refused, changing nothing, for a side that is not supported.
    Result<> Resample(int side);
    // The same steps with heights made elsewhere (on a worker thread) from this document's
    // terrain: a generation from seed, as New makes it, or a resample, as Resample makes it.
    // Heights of a side the world does not hold are refused, changing nothing.
    Result<> ApplyNew(const Heightfield& heights, std::uint64_t seed);
    Result<> ApplyResample(const Heightfield& heights);
    // Heights eroded elsewhere from this document's terrain, as one step ("Erode"); the seed no
    // longer makes them, so it is unknown afterwards.
    Result<> ApplyErosion(const Heightfield& heights);
    // Heights from a file of another format as one step: the document is untitled afterwards,
    // with unsaved changes (the heights are not in a height file yet); label names the file.
    // seed is the one the file keeps, if any. Refused, changing nothing, for a side the world
    // does not hold.
    Result<> Import(const Heightfield& heights, std::optional<std::uint64_t> seed, const std::wstring& label);
    // Loads the heights at path as one step; the document then belongs to that file and label
    // names it. A failure is no step and changes nothing.
    Result<> Open(const std::string& path, const std::wstring& label);
    // Writes the heights to HeightFileName(path); the document then belongs to that file and
    // nothing is unsaved. A failure changes nothing.
    Result<> SaveTo(const std::string& path);
    // A texture image for the floor, as one step. Choosing the current image again reads it
    // again and is no step.
    void ChooseTexture(const std::wstring& path);
    void SetWireframe(bool wireframe);
    // Recovered work as one step: the heights (of any supported side) and the texture; the
    // document belongs to the work's file again and has unsaved changes. Work of a side the
    // world cannot hold is refused.
    Result<> Restore(const RecoveredWork& work);
    // The work as the recovery file keeps it.
    RecoveredWork Work() const;

    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    // What the next undo or redo takes back or does again ("Set Height", "Generate", ...).
    QString UndoText() const;
    QString RedoText() const;
    int StepCount() const;
    // Memory the history keeps.
    std::size_t HistoryBytes() const;

    bool IsModified() const;
    // The file the document belongs to; empty for a new document.
    const std::string& FilePath() const { return m_filePath; }
    // The file's name without its folder, or "Untitled".
    std::wstring DisplayName() const;
    // The name the label of the saved file shows.
    const std::wstring& SaveLabel() const { return m_saveLabel; }

    // Listeners are called after every change: a step done, undone or redone, a save. The id
    // removes the listener again.
    int AddChangeListener(std::function<void()> listener);
    void RemoveChangeListener(int id);
    // Called before each step that replaces the whole grid or touches files, so that unsaved
    // work can be secured first.
    void SetBeforeRiskyStep(std::function<void()> hook) { m_beforeRiskyStep = std::move(hook); }
    // Runs that hook: for risky work outside the document, such as decoding a chosen image.
    void BeforeRiskyStep();

private:
    // The world's terrain and seed as a step keeps them.
    SeededHeights Snapshot() const;
    void PushHeights(const DocumentState& before, const DocumentState& after, SeededHeights old, const QString& text);
    // After a new terrain's step: the document is untitled and nothing is unsaved.
    void BecomeNew();
    // Replaces the heights with heights and seed as one step named text; a load label, when
    // given, is the one the step leaves shown.
    Result<> ReplaceHeights(const Heightfield& heights, std::optional<std::uint64_t> seed, const QString& text,
                            const std::wstring* loadLabel = nullptr);
    void Changed();

    std::unique_ptr<DocumentModel> m_model;
    std::unique_ptr<QUndoStack> m_history;
    std::unique_ptr<CBrushStroke> m_stroke;
    std::string m_filePath;
    std::wstring m_saveLabel;
    int m_dragSerial = 0;
    bool m_dragging = false;
    std::map<int, std::function<void()>> m_listeners;
    int m_nextListener = 1;
    std::function<void()> m_beforeRiskyStep;
};
