// Shared support of the graphics tests: the graphics system on a recording device double, test
// windows, a scratch working folder, a captured status line, and writers for the X files and
// images the resources load.
#pragma once

#include "fake_device.h"
#include "platform/d3d9/window_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Windows with fixed client sizes; installs itself as the device's window host.
class FakeWindows final : public ID3D9WindowHost {
public:
    FakeWindows();
    ~FakeWindows() override;
    FakeWindows(const FakeWindows&) = delete;
    FakeWindows& operator=(const FakeWindows&) = delete;

    HWND Add(UINT width, UINT height);
    bool IsLiveWindow(HWND window) const override { return m_sizes.count(window) != 0; }
    bool GetClientSize(HWND window, UINT* width, UINT* height) const override;
    void PresentImage(HWND, const D3D9PresentedImage&) override {}

private:
    std::map<HWND, std::pair<UINT, UINT>> m_sizes;
};

// Makes a fresh folder the working directory for its lifetime, then restores the previous
// working directory and removes the folder.
class ScopedWorkingFolder {
public:
    ScopedWorkingFolder();
    ~ScopedWorkingFolder();
    ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
    ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_folder;
};

// A text X file with one triangle per material, (0, 0, 0), (size, 0, 0), (0, size, 0) shifted
// along z by the material's index, each material named by a texture (an empty name for none).
// The face colour of material i is (0.1 * (i + 1), 0.5, 0.25, 1) with power 5. Folders on the
// way are created.
void WriteMeshFile(const std::filesystem::path& path, float size, const std::vector<std::string>& textureNames = {""});
// A PNG of one colour (0xAARRGGBB).
void WriteImageFile(const std::filesystem::path& path, int width, int height, DWORD argb);

// The global graphics system with a recording device (once CreateContext has run), test windows,
// a scratch working folder and the status texts shown. Tear-down releases the graphics system
// and checks that every device and texture reference taken was given back.
class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the graphics context on the main window and forgets the device set-up calls.
    void CreateContext();

    FakeDirect3D m_d3d;
    FakeDevice& m_device = m_d3d.device;
    FakeWindows m_windows;
    HWND m_mainWindow = nullptr;
    std::vector<std::wstring> m_statusTexts;

private:
    ScopedWorkingFolder m_folder;
    int m_texturesBefore = 0;
};
