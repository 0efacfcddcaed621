#include "world/testing/world_folder.h"

#include <stdlib.h>

#include <string>

ScopedWorldFolder::ScopedWorldFolder()
{
    std::error_code error;
    m_previous = std::filesystem::current_path(error);
    std::string pattern = (std::filesystem::temp_directory_path(error) / "relief-world-view-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    m_folder = pattern;
    const std::filesystem::path meshes = std::filesystem::path(RELIEF_SOURCE_DIR) / "data" / "MeshFiles";
    std::filesystem::create_directory_symlink(meshes, m_folder / "MeshFiles", error);
    if (error || !std::filesystem::exists(meshes / "sphere.x")) {
        return;
    }
    std::filesystem::current_path(m_folder, error);
    m_ready = !error;
}

ScopedWorldFolder::~ScopedWorldFolder()
{
    std::error_code ignored;
    if (!m_previous.empty()) {
        std::filesystem::current_path(m_previous, ignored);
    }
    if (!m_folder.empty()) {
        // Removes the link, not the mesh data it points to.
        std::filesystem::remove_all(m_folder, ignored);
    }
}
