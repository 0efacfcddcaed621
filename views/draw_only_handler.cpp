#include "views/draw_only_handler.h"

#include "world/terrain_world.h"
#include "world/world_app.h"

namespace {

constexpr D3DCOLOR kBackground = 0x00CCCCCC;

} // namespace

CDrawOnlyHandler::CDrawOnlyHandler() : m_viewWindow(true) {}

CDrawOnlyHandler::~CDrawOnlyHandler() { m_viewWindow.DestroyWindow(); }

bool CDrawOnlyHandler::AttachToDialogControl(HWND dialog, int controlId)
{
    return m_viewWindow.ReplaceDialogControl(dialog, controlId) && m_viewWindow.AttachViewport(this);
}

void CDrawOnlyHandler::DrawGraphics()
{
    // Without its own swap chain a view would clear and draw into whatever target the other
    // view left set.
    if (!IsInitialized()) {
        return;
    }
    IDirect3DDevice9* device = GetDevice();
    BeginDraw();
    SetViewTransform();
    SetProjectionTransform();
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0);
    if (CTerrainWorld* world = GetAppWorld()) {
        world->Draw();
    }
    EndDraw();
}
