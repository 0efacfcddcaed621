#include "platform/d3dx9/file_access.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

std::string Reason(const std::string& action, const std::string& path, int error)
{
    return "cannot " + action + " '" + path + "': " + std::strerror(error);
}

void AppendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

// wchar_t holds UTF-32 code points on this platform.
std::optional<std::string> PathFromWideName(LPCWSTR name)
{
    if (name == nullptr) {
        return std::nullopt;
    }
    std::string path;
    for (const wchar_t* p = name; *p != L'\0'; ++p) {
        const auto c = static_cast<char32_t>(*p);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return std::nullopt;
        }
        AppendUtf8(c, path);
    }
    return path;
}

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes, std::string& error)
{
    const FilePointer file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = Reason("open", path, errno);
        return false;
    }
    bytes.clear();
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get()) != 0) {
        error = Reason("read", path, errno);
        return false;
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view contents, std::string& error)
{
    const std::string temporary = path + ".tmp";
    FilePointer file(std::fopen(temporary.c_str(), "wb"));
    if (!file) {
        error = Reason("write", path, errno);
        return false;
    }
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file.get()) == contents.size();
    const int writeError = errno;
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        error = Reason("write", path, written ? errno : writeError);
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = Reason("replace", path, errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
