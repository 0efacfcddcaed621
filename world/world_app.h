// The world is reached through the application object: the application registers itself when it
// is constructed, and views and panels ask it for the world. Tests register a fixture.
#pragma once

class CTerrainWorld;

class IWorldApplication {
public:
    virtual CTerrainWorld& GetWorld() = 0;

protected:
    ~IWorldApplication() = default;
};

// Not owned; null removes the registration.
void SetWorldApplication(IWorldApplication* application);
// The registered application's world, or null when no application is registered.
CTerrainWorld* GetAppWorld();
