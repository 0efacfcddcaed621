// Test support: the main window driven through its real widgets, with a world whose clock moves
// only when the test says so, window timers and the recovery timer fired by hand, file dialogs
// and message boxes answered from scripts, and settings and the recovery file in a scratch
// folder.
#pragma once

#include "app/main_window.h"
#include "app/tutorial_dlg.h"
#include "base/testing/temp_folder.h"
#include "editor/testing/manual_interval_timer.h"
#include "platform/win/dialog_service.h"
#include "platform/win/timer_source.h"
#include "world/terrain_world.h"
#include "world/testing/manual_time.h"
#include "world/testing/world_folder.h"
#include "world/world_app.h"

#include <QImage>
#include <QSettings>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class QWidget;

// The world of the test, registered as the application's while it lives.
class TestWorldApplication : public IWorldApplication {
public:
    explicit TestWorldApplication(const ManualTime& time);
    ~TestWorldApplication();
    TestWorldApplication(const TestWorldApplication&) = delete;
    TestWorldApplication& operator=(const TestWorldApplication&) = delete;

    CTerrainWorld& GetWorld() override { return m_world; }

private:
    CTerrainWorld m_world;
};

// The main window with its dialog, shown; its resources are registered first. The window goes
// with the driver without a question.
class EditorDriver {
public:
    // The recovery file in a scratch folder unless a path is given.
    explicit EditorDriver(std::string recoveryPath = "");
    ~EditorDriver();
    EditorDriver(const EditorDriver&) = delete;
    EditorDriver& operator=(const EditorDriver&) = delete;

    bool IsOpen() const;
    CMainWindow& Window() { return *m_window; }
    CTutorialDlg& Dialog() { return m_window->Dialog(); }
    CTerrainDocument& Document() { return m_window->Document(); }
    ManualIntervalTimer& RecoveryTimer() { return *m_recoveryTimer; }
    const std::string& RecoveryPath() const { return m_recoveryPath; }
    QSettings& Settings() { return m_settings; }
    // A new main window in place of this one, over the same world, settings and recovery file
    // (as the next start of the editor).
    void Reopen();
    CTerrainWorld& World() { return m_application.GetWorld(); }
    ManualTime& Time() { return m_time; }
    ScriptedDialogService& Dialogs() { return m_dialogs; }
    ManualTimerSource& Timers() { return m_timers; }

    // Clicks the control with the left mouse button.
    void Click(int id);
    // One timer tick; false when the frame timer does not run.
    bool Tick();
    // Drags the slider's thumb to the position of the value, as the user would.
    void MoveSlider(int id, float minimum, float maximum, float value);
    // The value the slider's thumb stands for.
    float SliderValue(int id, float minimum, float maximum) const;
    std::wstring Text(int id) const;
    bool IsChecked(int id) const;
    // The status line.
    std::wstring Status() const { return Text(1001); }
    // Chooses this path in the next file dialog.
    void AnswerFileDialog(const std::string& path);

    QWidget* Widget(int id) const;
    // Runs the menu action as a click on its menu entry does.
    void Trigger(EditorAction action);
    // Runs the event loop until the background job has ended and its result is applied; false
    // when it is still running after a generous limit that only a hung job reaches.
    bool WaitForJob();
    // What the view window shows.
    QImage BigViewImage();
    QImage SmallViewImage();

private:
    bool IsVertical(int id) const;

    ManualTime m_time;
    TestWorldApplication m_application;
    ManualTimerSource m_timers;
    ScriptedDialogService m_dialogs;
    // The dialog loads its icon when it is constructed.
    struct RegisteredResources {
        RegisteredResources();
    } m_resources;
    TempFolder m_places;
    QSettings m_settings;
    std::string m_recoveryPath;
    ManualIntervalTimer* m_recoveryTimer = nullptr;
    std::unique_ptr<CMainWindow> m_window;
};

// A fresh working folder with the mesh data, and the main window open after its first tick,
// which makes the floor mesh. Skips without an OpenGL context.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Heights of a spread of floor vertices (rows and columns 0, 15, .., 60), read through the
    // world's selector.
    std::vector<float> FloorHeights();

    ScopedWorldFolder m_folder;
    std::unique_ptr<EditorDriver> m_editor;
};
