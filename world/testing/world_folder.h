// A scratch working directory for tests that draw the world: the meshes are looked up relative
// to the working directory ("MeshFiles/..."), and files the tests write land there.
#pragma once

#include <filesystem>

// Creates a fresh folder with a "MeshFiles" link to the committed mesh data and makes it the
// working directory; restores the previous working directory and removes the folder afterwards.
class ScopedWorldFolder {
public:
    ScopedWorldFolder();
    ~ScopedWorldFolder();
    ScopedWorldFolder(const ScopedWorldFolder&) = delete;
    ScopedWorldFolder& operator=(const ScopedWorldFolder&) = delete;

    // False when the folder could not be made or entered, or the mesh data is missing.
    bool IsReady() const { return m_ready; }
    const std::filesystem::path& Path() const { return m_folder; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_folder;
    bool m_ready = false;
};
