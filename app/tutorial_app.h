// The application object: owns the one world model, registers itself as the application the
// world is reached through, and runs the main window until it closes.
#pragma once

#include "app/run_options.h"
#include "platform/win/win_app.h"
#include "world/terrain_world.h"
#include "world/world_app.h"

#include <memory>
#include <string>

class CMainWindow;
class CUnattendedRun;
class QSettings;

// Where the editor keeps what outlives a run.
struct EditorPlaces {
    // An INI file for the settings; empty for the user's own (~/.config/relief/relief.conf).
    std::string settingsFile;
    // The recovery file; empty for the user's data folder (CRecoveryGuard::StandardPath).
    std::string recoveryFile;
};

class CTutorialApp : public CWinApp, public IWorldApplication {
public:
    explicit CTutorialApp(CRunOptions options = {}, EditorPlaces places = {});
    ~CTutorialApp() override;

    // Initialises the common controls, registers the program's resources, shows the main
    // window, opens the height file of the command line and deals with work a crash left
    // behind. TRUE: the event loop runs until the window closes.
    BOOL InitInstance() override;
    // Closes down the main window. The program's exit code: 0, or 1 when an unattended run
    // could not save its screenshot.
    int ExitInstance() override;
    CTerrainWorld& GetWorld() override { return m_world; }
    // Null before InitInstance and after ExitInstance.
    CMainWindow* MainWindow() const { return m_window.get(); }

private:
    CRunOptions m_options;
    EditorPlaces m_places;
    CTerrainWorld m_world;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<CMainWindow> m_window;
    std::unique_ptr<CUnattendedRun> m_unattended;
};
