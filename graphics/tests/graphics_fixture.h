// Shared support of the graphics tests: writers for the X files and images the resources load,
// and the global graphics system on the device double with test windows.
#pragma once

#include "graphics/testing/device_fixture.h"
#include "platform/d3d9/testing/test_window_host.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A text X file with one triangle (0, 0, i), (size, 0, i), (0, size, i) per material i; material
// i has the face colour (0.1 (i + 1), 0.5, 0.25, 1), power 5 and the texture named (none when
// empty). Creates the folders on the way.
void WriteMeshFile(const std::filesystem::path& path, float size, const std::vector<std::string>& textures = {""});
// A PNG of one colour (0xAARRGGBB).
void WriteImageFile(const std::filesystem::path& path, int width, int height, DWORD argb);

// The graphics system on the recording device with a main window. Tear-down also checks that
// every texture made was released.
class GraphicsTest : public DeviceFixture {
protected:
    void TearDown() override;

    static constexpr std::uintptr_t kFirstWindowHandle = 0x1000;

    TestWindowHost m_windows{kFirstWindowHandle};
    HWND m_mainWindow = m_windows.AddWindow(640, 480);
};
