// Whole-file reading and writing for every loader and writer of the program.
// Implements: reads that take only regular files and never more than a stated number of bytes
// (a pipe, a device or a folder is refused before anything is read, so it can neither block
// nor fill memory); writes that replace a file only once its new contents are complete and on
// disk, given whole or made piece by piece; the quoting of paths in messages.
// Leaves out: partial reads, appending, file locking.
#pragma once

#include "base/result.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The path in double quotes, as file messages show it.
std::string QuotedPath(const std::string& path);

// A regular file open for reading, read piece by piece, never past the size it was opened with.
class RegularFile {
public:
    // Fails when path cannot be opened, is not a regular file (a folder, a pipe, a device, a
    // socket) or holds more than maxBytes. The reason says what is wrong with the file ("it is a
    // folder", "No such file or directory"); the caller names the file and what it was doing.
    static Result<RegularFile> Open(const std::string& path, std::size_t maxBytes);

    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    std::uint64_t Size() const { return m_size; }
    // Reads up to buffer.size() bytes; 0 at the end of the file. Fails when the file has grown
    // past the limit it was opened with, or on a read error.
    Result<std::size_t> ReadSome(std::span<char> buffer);

private:
    RegularFile(int fd, std::uint64_t size, std::size_t maxBytes) : m_fd(fd), m_size(size), m_maxBytes(maxBytes) {}

    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::size_t m_maxBytes = 0;
    std::size_t m_read = 0;
};

// The whole contents of the regular file at path; fails as RegularFile::Open and ReadSome do.
Result<std::vector<char>> ReadRegularFile(const std::string& path, std::size_t maxBytes);

// Writes contents to path. A regular file (or a new one) is replaced only after the whole
// contents have been written and synced to a temporary file with a short unique name in the
// same folder, then renamed over it, and the folder synced; any failure removes the temporary
// file and leaves the old file as it was. A symbolic link is followed: its target is replaced,
// the link stays. A read-only file is refused, whoever runs the program. A character device
// (/dev/null) is written directly; a pipe, socket or block device is refused.
// The reason names the path: "cannot write "h.txt": the file is read-only".
Result<> WriteFileReplacing(const std::string& path, std::string_view contents);

// Takes a file's new contents piece by piece.
class ContentSink {
public:
    virtual ~ContentSink() = default;
    virtual void Write(std::string_view bytes) = 0;
    // True once a write has failed; later writes are dropped, so a producer may stop early.
    virtual bool Failed() const { return false; }
};

// Collects the contents in memory.
class StringSink : public ContentSink {
public:
    void Write(std::string_view bytes) override { m_contents.append(bytes); }
    const std::string& Contents() const { return m_contents; }

private:
    std::string m_contents;
};

// As WriteFileReplacing, with contents that produce hands to the sink piece by piece, so that a
// large file never has to be held in memory whole. When produce fails, its reason is returned as
// it is and everything stays as after any failed write.
Result<> WriteFileReplacingWith(const std::string& path, const std::function<Result<>(ContentSink&)>& produce);
