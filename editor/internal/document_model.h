// Internal to editor/: what the undo steps change. The world holds the heights and the
// selection; the model adds the labels, the texture and the wire frame switch, and passes each
// change of them on to the world.
#pragma once

#include "editor/document_state.h"

class CTerrainWorld;

class DocumentModel {
public:
    DocumentModel(CTerrainWorld& world, std::wstring loadLabel) : m_world(world)
    {
        m_state.loadLabel = std::move(loadLabel);
    }

    CTerrainWorld& World() const { return m_world; }
    // The state, with the selection as the world has it now.
    DocumentState State() const;
    // Selects the state's vertex and gives the world the state's texture and fill mode where
    // they differ from the current ones (a texture is read again only when its path changes).
    void Apply(const DocumentState& state);

private:
    CTerrainWorld& m_world;
    DocumentState m_state;
};
