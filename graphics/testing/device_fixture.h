// Shared support of the tests that run the graphics system without OpenGL: the global graphics
// system on the recording device, a scratch working folder and the status texts shown.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/d3d9/testing/recording_device.h"

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

// The global graphics system on the recording device, a scratch working folder and the status
// texts shown. Tear-down releases the graphics system and checks that every device reference
// taken was given back.
class DeviceFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the graphics context on the window and forgets the device set-up calls. The
    // recording device takes any handle as its window.
    void CreateDevice(HWND window = reinterpret_cast<HWND>(0x100));

    RecordingDirect3D m_d3d;
    RecordingDevice& m_device = m_d3d.device;
    std::vector<std::wstring> m_statusTexts;

private:
    ScopedWorkingFolder m_folder;
};
