// Shared support of the graphics tests: test windows, a scratch working folder, writers for
// the X files and images the resources load, and the global graphics system on the device
// double with the status line captured.
#pragma once

#include "platform/d3d9/testing/recording_device.h"
#include "platform/d3d9/testing/test_window_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A fresh working directory for its lifetime; the previous one is restored and the folder
// removed afterwards.
class ScopedWorkingFolder {
public:
    ScopedWorkingFolder();
    ~ScopedWorkingFolder();

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_folder;
};

// A text X file with one triangle (0, 0, i), (size, 0, i), (0, size, i) per material i; material
// i has the face colour (0.1 (i + 1), 0.5, 0.25, 1), power 5 and the texture named (none when
// empty). Creates the folders on the way.
void WriteMeshFile(const std::filesystem::path& path, float size, const std::vector<std::string>& textures = {""});
// A PNG of one colour (0xAARRGGBB).
void WriteImageFile(const std::filesystem::path& path, int width, int height, DWORD argb);

// The global graphics system with the device double once CreateContext has run. Tear-down
// releases it and checks that every device and texture reference taken was given back.
class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates the context on the main window and forgets the device set-up calls.
    void CreateContext();

    static constexpr std::uintptr_t kFirstWindowHandle = 0x1000;

    ScopedWorkingFolder m_folder;
    RecordingDirect3D m_d3d;
    RecordingDevice& m_device = m_d3d.device;
    TestWindowHost m_windows{kFirstWindowHandle};
    HWND m_mainWindow = nullptr;
    std::vector<std::wstring> m_statusTexts;
};
