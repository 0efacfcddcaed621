#include "base/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace {

// Closes the descriptor it holds when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }
    // Closes now and reports whether the close succeeded (a delayed write error shows here).
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

Failure ErrorFailure(const std::string& what, const std::string& path, int error)
{
    return Failure{what + " " + QuotedPath(path) + ": " + std::strerror(error)};
}

std::string SizeText(std::size_t bytes)
{
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MiB" : std::to_string(bytes) + " bytes";
}

Failure TooLarge(std::size_t maxBytes) { return Failure{"it is larger than " + SizeText(maxBytes)}; }

bool WriteAll(int fd, std::string_view contents)
{
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t count = ::write(fd, contents.data() + written, contents.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            errno = count == 0 ? EIO : errno;
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

// Writes to a descriptor through a buffer, so that many small pieces make few system calls.
// Remembers the first failure and drops what comes after it.
class DescriptorSink : public ContentSink {
public:
    explicit DescriptorSink(int fd) : m_fd(fd) { m_buffer.reserve(kBufferBytes); }

    void Write(std::string_view bytes) override
    {
        if (Failed()) {
            return;
        }
        if (m_buffer.size() + bytes.size() > kBufferBytes) {
            Flush();
        }
        if (bytes.size() >= kBufferBytes) {
            Send(bytes);
        } else {
            m_buffer.append(bytes);
        }
    }
    bool Failed() const override { return m_error != 0; }

    // Writes what is buffered; false (with Error()) when this or an earlier write failed.
    bool Flush()
    {
        if (!Failed()) {
            Send(m_buffer);
        }
        m_buffer.clear();
        return !Failed();
    }
    int Error() const { return m_error; }

private:
    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

    void Send(std::string_view bytes)
    {
        if (!Failed() && !WriteAll(m_fd, bytes)) {
            m_error = errno;
        }
    }

    int m_fd;
    std::string m_buffer;
    int m_error = 0;
};

using Producer = std::function<Result<>(ContentSink&)>;

// The file a chain of symbolic links ends at (dangling or not), so that saving through a link
// replaces its target rather than the link. Gives up after as many links as the kernel follows.
std::string LinkTarget(const std::string& path)
{
    constexpr int kMaxLinks = 40;
    std::filesystem::path current(path);
    for (int link = 0; link < kMaxLinks; ++link) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) {
            break;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error) {
            break;
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current.string();
}

Result<> WriteDirectly(const std::string& path, const Producer& produce)
{
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (file.Get() < 0) {
        return ErrorFailure("cannot open", path, errno);
    }
    DescriptorSink sink(file.Get());
    const Result<> produced = produce(sink);
    if (!sink.Flush()) {
        return ErrorFailure("cannot write", path, sink.Error());
    }
    return produced;
}

// Permissions of the new file: those of the file it replaces, or the usual ones for a new file
// under the process's umask.
mode_t NewFileMode(const struct stat* existing)
{
    if (existing != nullptr) {
        return existing->st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Syncs the folder holding path, so that a rename into it survives a crash. Some file systems
// cannot sync a folder; the file itself is already on disk then, so this is not a failure.
void SyncFolderOf(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    FileDescriptor directory(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0) {
        ::fsync(directory.Get());
    }
}

Result<> WriteThroughTemporary(const std::string& path, const Producer& produce, const struct stat* existing)
{
    // A short name of its own in the target's folder: any name that fits there leaves room for it,
    // and two writers of one file never share a temporary.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::string temporary = (folder / ".relief-XXXXXX").string();
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.Get() < 0) {
        return ErrorFailure("cannot create a file beside", path, errno);
    }
    if (::fchmod(file.Get(), NewFileMode(existing)) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return ErrorFailure("cannot write", path, error);
    }
    DescriptorSink sink(file.Get());
    const Result<> produced = produce(sink);
    bool ok = sink.Flush() && produced.ok() && ::fsync(file.Get()) == 0;
    int error = sink.Failed() ? sink.Error() : errno;
    if (!file.Close() && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        if (!sink.Failed() && !produced.ok()) {
            return produced;
        }
        return ErrorFailure("cannot write", path, error);
    }
    SyncFolderOf(path);
    return Result<>::Success();
}

} // namespace

std::string QuotedPath(const std::string& path) { return "\"" + path + "\""; }

Result<RegularFile> RegularFile::Open(const std::string& path, std::size_t maxBytes)
{
    // Without O_NONBLOCK, opening a pipe that nobody writes to waits for a writer forever.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        return Failure{std::strerror(errno)};
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        return Failure{std::strerror(errno)};
    }
    if (S_ISDIR(info.st_mode)) {
        return Failure{"it is a folder"};
    }
    if (!S_ISREG(info.st_mode)) {
        return Failure{"it is not a regular file"};
    }
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        return TooLarge(maxBytes);
    }
    return RegularFile(file.Release(), static_cast<std::uint64_t>(info.st_size), maxBytes);
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size), m_maxBytes(other.m_maxBytes), m_read(other.m_read)
{
}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept
{
    if (this != &other) {
        FileDescriptor closed(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
        m_maxBytes = other.m_maxBytes;
        m_read = other.m_read;
    }
    return *this;
}

RegularFile::~RegularFile() { FileDescriptor closed(m_fd); }

Result<std::size_t> RegularFile::ReadSome(std::span<char> buffer)
{
    // One byte past the limit may be read, to notice a file that grew after it was opened.
    const std::size_t allowed = std::min(buffer.size(), m_maxBytes + 1 - m_read);
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer.data(), allowed);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return Failure{std::strerror(errno)};
        }
        m_read += static_cast<std::size_t>(count);
        if (m_read > m_maxBytes) {
            return TooLarge(m_maxBytes);
        }
        return static_cast<std::size_t>(count);
    }
}

Result<std::vector<char>> ReadRegularFile(const std::string& path, std::size_t maxBytes)
{
    Result<RegularFile> file = RegularFile::Open(path, maxBytes);
    if (!file) {
        return Failure{file.reason()};
    }
    std::vector<char> bytes(static_cast<std::size_t>(file.value().Size()) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            bytes.resize(std::min(maxBytes + 1, bytes.size() * 2));
        }
        const Result<std::size_t> count = file.value().ReadSome(std::span(bytes).subspan(got));
        if (!count) {
            return Failure{count.reason()};
        }
        if (count.value() == 0) {
            break;
        }
        got += count.value();
    }
    bytes.resize(got);
    return bytes;
}

Result<> WriteFileReplacingWith(const std::string& requestedPath, const Producer& produce)
{
    const std::string path = LinkTarget(requestedPath);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return WriteThroughTemporary(path, produce, nullptr);
    }
    if (S_ISDIR(info.st_mode)) {
        return Failure{"cannot write " + QuotedPath(requestedPath) + ": it is a folder"};
    }
    if (S_ISCHR(info.st_mode)) {
        return WriteDirectly(path, produce);
    }
    if (!S_ISREG(info.st_mode)) {
        return Failure{"cannot write " + QuotedPath(requestedPath) + ": it is not a regular file"};
    }
    // The permission bits decide, not who asks: root could write anyway, but a file marked
    // read-only is one its owner wants kept.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return Failure{"cannot write " + QuotedPath(requestedPath) + ": the file is read-only"};
    }
    if (::access(path.c_str(), W_OK) != 0) {
        return ErrorFailure("cannot write", requestedPath, errno);
    }
    return WriteThroughTemporary(path, produce, &info);
}

Result<> WriteFileReplacing(const std::string& path, std::string_view contents)
{
    return WriteFileReplacingWith(path, [contents](ContentSink& sink) {
        sink.Write(contents);
        return Result<>::Success();
    });
}
