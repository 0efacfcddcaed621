// The commands that exchange terrains with other programs: File > Import and File > Export
// (heightmaps: text, 16-bit PNG, RAW16, OpenEXR, chosen by the extension), File > Export Mesh
// (OBJ, binary glTF) and Terrain > Resample. Each replacing command is one undo step; a failure
// is reported on the status line and changes nothing. Big grids and files are read, written and
// resampled on a worker (CBackgroundJob), and the result applied when the work is done.
#pragma once

#include "base/result.h"
#include "formats/heightmap.h"
#include "terrain/progress.h"

#include <functional>
#include <string>

class CEditorCommands;
class CTerrainDocument;
class QWidget;

class CTerrainFileCommands {
public:
    // The commands must outlive these; their document is the one changed.
    explicit CTerrainFileCommands(CEditorCommands& commands);

    // Asks about unsaved changes, then for a heightmap; a file that does not say its height
    // range asks for one. A side that is not a terrain's is resampled to the nearest one, and the
    // status line says so.
    void Import();
    // Asks for a file name and writes the heights in the format its extension names (a PNG keeps
    // the side, the height range and the seed).
    void Export();
    // Asks for a file name and a triangle count and writes the terrain as a mesh, with the
    // floor's texture when one is chosen and shown.
    void ExportMesh();
    // Asks for a side and resamples the terrain to it.
    void Resample();

private:
    QWidget* OwnerWidget() const;
    CTerrainDocument& Document() const;
    // Reads the heightmap at path, asking for its height range when it needs one and
    // mayAskRange, then imports it as the file name.
    void ReadImport(const std::string& path, const std::wstring& name, const ImportOptions& options, bool mayAskRange);
    void FinishImport(const Result<ImportedHeightmap>& imported, const std::wstring& name);
    // Runs write, which writes the file name names, and says how it went.
    void RunExport(std::function<Result<>(Progress*)> write, const std::wstring& name);

    CEditorCommands& m_commands;
};
