// The commands that exchange terrains with other programs: File > Import and File > Export
// (heightmaps: text, 16-bit PNG, RAW16, OpenEXR, chosen by the extension), File > Export Mesh
// (OBJ, binary glTF) and Terrain > Resample. Each replacing command is one undo step; a failure
// is reported on the status line and changes nothing.
#pragma once

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

    CEditorCommands& m_commands;
};
