#include "world/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

CFileResult ErrorFailure(const std::string& what, const std::string& path, int error)
{
    return CFileResult::Failure(what + " " + QuotedPath(path) + ": " + std::strerror(error));
}

bool WriteAll(int fd, const std::string& content)
{
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t count = ::write(fd, content.data() + written, content.size() - written);
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

// A symbolic link is followed, so that saving through it replaces the file it points to
// rather than the link.
std::string ResolveLink(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

CFileResult WriteDirectly(const std::string& path, const std::string& content)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return ErrorFailure("cannot open", path, errno);
    }
    const bool written = WriteAll(fd, content);
    const int error = errno;
    ::close(fd);
    return written ? CFileResult::Success() : ErrorFailure("cannot write", path, error);
}

// Permissions of the new file: those of the file it replaces, or the usual ones for a new
// file under the process's umask.
mode_t NewFileMode(const struct stat* existing)
{
    if (existing != nullptr) {
        return existing->st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

CFileResult WriteThroughTemporary(const std::string& path, const std::string& content, const struct stat* existing)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return ErrorFailure("cannot create a file beside", path, errno);
    }
    bool ok = ::fchmod(fd, NewFileMode(existing)) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (ok) {
        return CFileResult::Success();
    }
    ::unlink(temporary.c_str());
    return ErrorFailure("cannot write", path, error);
}

} // namespace

std::string QuotedPath(const std::string& path) { return "\"" + path + "\""; }

CFileResult WriteFileReplacing(const std::string& requestedPath, const std::string& content)
{
    const std::string path = ResolveLink(requestedPath);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return WriteThroughTemporary(path, content, nullptr);
    }
    if (S_ISDIR(info.st_mode)) {
        return CFileResult::Failure("cannot write " + QuotedPath(requestedPath) + ": it is a folder");
    }
    if (!S_ISREG(info.st_mode)) {
        return WriteDirectly(path, content);
    }
    return WriteThroughTemporary(path, content, &info);
}
