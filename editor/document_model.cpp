#include "editor/internal/document_model.h"

#include "world/terrain_world.h"

DocumentState DocumentModel::State() const
{
    DocumentState state = m_state;
    state.row = m_world.GetSelectedRow();
    state.column = m_world.GetSelectedColumn();
    return state;
}

void DocumentModel::Apply(const DocumentState& state)
{
    if (state.row != m_world.GetSelectedRow()) {
        m_world.SetSelectedRow(state.row);
    }
    if (state.column != m_world.GetSelectedColumn()) {
        m_world.SetSelectedColumn(state.column);
    }
    if (state.texturePath != m_state.texturePath) {
        m_world.SetTextureFile(state.texturePath);
    }
    if (state.wireframe != m_state.wireframe) {
        m_world.SetWireframe(state.wireframe);
    }
    m_state = state;
}
