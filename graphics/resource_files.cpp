#include "graphics/resource_files.h"

#include "base/wide_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>

namespace {

constexpr std::array<const wchar_t*, 4> kSearchFolders = {L"./Textures", L"Textures", L"./MeshFiles", L"MeshFiles"};

// Only a readable regular file counts as found: a folder cannot be loaded, and opening a pipe
// would wait for a writer.
bool OpensForReading(const std::wstring& candidate)
{
    const std::optional<std::string> path = PathFromWideName(candidate.c_str());
    struct stat info {};
    return path && ::stat(path->c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path->c_str(), R_OK) == 0;
}

// Length of the UTF-8 sequence starting at text (its lead byte is at least 0xC2), and the
// code point it encodes; 0 when the bytes are not a well-formed sequence.
int DecodeUtf8Sequence(const unsigned char* text, char32_t& codePoint)
{
    const unsigned char lead = text[0];
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4) {
        return 0;
    }
    char32_t value = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (text[i] & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    codePoint = value;
    return length;
}

} // namespace

std::optional<std::wstring> LocateResourceFile(const std::wstring& fileName)
{
    if (OpensForReading(fileName)) {
        return fileName;
    }
    for (const wchar_t* folder : kSearchFolders) {
        std::wstring candidate = std::wstring(folder) + L"/" + fileName;
        if (OpensForReading(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::wstring FolderOfPath(const std::wstring& path)
{
    std::size_t separator = path.rfind(L'/');
    if (separator == std::wstring::npos) {
        separator = path.rfind(L'\\');
    }
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator) + L"/";
}

std::wstring WideFromNarrow(const char* text)
{
    std::wstring wide;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    while (*bytes != 0) {
        char32_t codePoint = *bytes;
        const int length = *bytes < 0x80 ? 1 : DecodeUtf8Sequence(bytes, codePoint);
        wide += static_cast<wchar_t>(codePoint);
        bytes += length == 0 ? 1 : length;
    }
    return wide;
}
