// Shared by the fuzz targets: failing loudly when a reader breaks its own promises, and a
// scratch file for the entry points that only take a path.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// Aborts with the broken promise, so libFuzzer keeps the input as a crash.
inline void Require(bool holds, const char* promise)
{
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

// A file in the temporary folder, one per process and target, removed at exit.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name)
        : m_path(std::filesystem::temp_directory_path() / ("relief_fuzz_" + std::to_string(getpid()) + "_" + name))
    {
    }
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Replaces the file's contents; false when it cannot be written.
    bool Write(const char* data, size_t size) const
    {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(data, static_cast<std::streamsize>(size));
        return static_cast<bool>(out.flush());
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
