#include "world/world_app.h"

namespace {
IWorldApplication* g_application = nullptr;
}

void SetWorldApplication(IWorldApplication* application) { g_application = application; }

CTerrainWorld* GetAppWorld() { return g_application != nullptr ? &g_application->GetWorld() : nullptr; }
