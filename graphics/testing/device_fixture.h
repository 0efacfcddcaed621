// Shared support of the primitive and light tests without OpenGL: the global graphics system on
// the recording device, a scratch working folder, the status texts shown, and writers for the
// mesh files the tests load.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/d3d9/testing/recording_device.h"
#include "scene/vector_math.h"

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

// The committed marker meshes ("sphere.x", "cylinder.x", "cone.x") copied into "MeshFiles" of
// the working directory. False when the data folder does not have them.
bool CopyMarkerMeshes();

// A text X file of an axis-aligned box between two corners, with one material. Corners that
// share a z give a flat box of zero depth. Folders on the way are created.
void WriteBoxMesh(const std::filesystem::path& path, const TQR_Vector3& min, const TQR_Vector3& max);

// The global graphics system on the recording device, a scratch working folder and the status
// texts shown. Tear-down releases the graphics system and checks that every device reference
// taken was given back.
class DeviceFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the graphics context and forgets the device set-up calls.
    void CreateDevice();

    RecordingDirect3D m_d3d;
    RecordingDevice& m_device = m_d3d.device;
    std::vector<std::wstring> m_statusTexts;

private:
    ScopedWorkingFolder m_folder;
};
