// A world registered as the application's for the length of a test, as the panels reach it.
#pragma once

#include "world/terrain_world.h"
#include "world/world_app.h"

class RegisteredWorld : public IWorldApplication {
public:
    RegisteredWorld() { SetWorldApplication(this); }
    ~RegisteredWorld() { SetWorldApplication(nullptr); }
    RegisteredWorld(const RegisteredWorld&) = delete;
    RegisteredWorld& operator=(const RegisteredWorld&) = delete;

    CTerrainWorld& GetWorld() override { return m_world; }

private:
    CTerrainWorld m_world;
};
