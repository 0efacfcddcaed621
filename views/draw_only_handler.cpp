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

void CDrawOnlyHandler::DetachWindow()
{
    m_frames.Forget();
    TQRD3D_WindowHandler::DetachWindow();
}

CViewFrame CDrawOnlyHandler::CurrentFrame()
{
    int width = 0;
    int height = 0;
    GetWindowSize(width, height);
    return CViewFrame::Of(GetAppWorld(), ComputeViewMatrix(), ComputeProjectionMatrix(), width, height);
}

bool CDrawOnlyHandler::DrawIfChanged()
{
    if (!IsInitialized() || !m_frames.NeedsDrawing(CurrentFrame())) {
        return false;
    }
    DrawGraphics();
    return true;
}

void CDrawOnlyHandler::DrawGraphics()
{
    // Without its own swap chain a view would clear and draw into whatever target the other
    // view left set.
    if (!IsInitialized()) {
        return;
    }
    // Taken before drawing: a change made while drawing shows in the next frame as well.
    const CViewFrame frame = CurrentFrame();
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
    m_frames.Drawn(frame);
}
