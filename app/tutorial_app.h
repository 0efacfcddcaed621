// The application object: owns the one world model, registers itself as the application the
// world is reached through, and runs the main dialog modally. The application ends when the
// dialog closes.
#pragma once

#include "app/run_options.h"
#include "platform/win/win_app.h"
#include "world/terrain_world.h"
#include "world/world_app.h"

class CTutorialApp : public CWinApp, public IWorldApplication {
public:
    explicit CTutorialApp(CRunOptions options = {});
    ~CTutorialApp() override;

    // Initialises the common controls, registers the program's resources, runs the main dialog
    // modally and returns FALSE, so no message loop follows the dialog.
    BOOL InitInstance() override;
    // The program's exit code: 0, or 1 when an unattended run could not save its screenshot.
    int ExitInstance() override { return m_exitCode; }
    CTerrainWorld& GetWorld() override { return m_world; }

private:
    CRunOptions m_options;
    CTerrainWorld m_world;
    int m_exitCode = 0;
};
