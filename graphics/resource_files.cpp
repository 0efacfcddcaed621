#include "graphics/resource_files.h"

#include "base/wide_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

// The data folder of an installed editor, found from the program's own path: <prefix>/bin/relief
// has its data in <prefix>/share/relief. A program started from the desktop's menu runs in the
// user's home folder, where the working-directory folders do not exist.
std::wstring InstalledDataFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return WideFromNarrow((program.parent_path().parent_path() / "share" / "relief").c_str());
}

// The working directory's folders first, then the installed ones.
const std::vector<std::wstring>& SearchFolders()
{
    static const std::vector<std::wstring> folders = [] {
        std::vector<std::wstring> list = {L"./Textures", L"Textures", L"./MeshFiles", L"MeshFiles"};
        if (const std::wstring installed = InstalledDataFolder(); !installed.empty()) {
            list.push_back(installed + L"/Textures");
            list.push_back(installed + L"/MeshFiles");
        }
        return list;
    }();
    return folders;
}

// Only a readable regular file counts as found: a folder cannot be loaded, and opening a pipe
// would wait for a writer.
bool OpensForReading(const std::wstring& candidate)
{
    const std::optional<std::string> path = PathFromWideName(candidate.c_str());
    struct stat info {};
    return path && ::stat(path->c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path->c_str(), R_OK) == 0;
}

std::optional<std::wstring> FirstThatOpens(const std::vector<std::wstring>& candidates)
{
    const auto found = std::find_if(candidates.begin(), candidates.end(), OpensForReading);
    return found == candidates.end() ? std::nullopt : std::optional<std::wstring>(*found);
}

bool HasDrivePrefix(const std::wstring& name)
{
    return name.size() >= 2 && name[1] == L':' &&
           ((name[0] >= L'A' && name[0] <= L'Z') || (name[0] >= L'a' && name[0] <= L'z'));
}

bool IsSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

// "C:\art\skin.tga", "C:skin.tga" and "art/skin.tga" all end in "skin.tga".
std::wstring LastComponent(const std::wstring& name)
{
    const std::size_t separator = name.find_last_of(L"/\\");
    if (separator != std::wstring::npos) {
        return name.substr(separator + 1);
    }
    return HasDrivePrefix(name) ? name.substr(2) : name;
}

void AddCandidate(std::vector<std::wstring>& candidates, std::wstring candidate)
{
    if (std::find(candidates.begin(), candidates.end(), candidate) == candidates.end()) {
        candidates.push_back(std::move(candidate));
    }
}

// The candidates of LocateMeshTexture in order, each path once.
std::vector<std::wstring> MeshTextureCandidates(const std::wstring& meshFolder, const std::wstring& textureName)
{
    std::vector<std::wstring> candidates;
    AddCandidate(candidates, meshFolder + textureName);
    if (!HasDrivePrefix(textureName) && !textureName.empty() && !IsSeparator(textureName[0])) {
        std::wstring slashes = textureName;
        std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
        AddCandidate(candidates, meshFolder + slashes);
    }
    const std::wstring last = LastComponent(textureName);
    if (last.empty()) {
        return candidates;
    }
    AddCandidate(candidates, meshFolder + last);
    for (const std::wstring& folder : SearchFolders()) {
        AddCandidate(candidates, folder + L"/" + last);
    }
    return candidates;
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
    std::vector<std::wstring> candidates = {fileName};
    for (const std::wstring& folder : SearchFolders()) {
        candidates.push_back(folder + L"/" + fileName);
    }
    return FirstThatOpens(candidates);
}

std::optional<std::wstring> LocateMeshTexture(const std::wstring& meshFolder, const std::wstring& textureName)
{
    return FirstThatOpens(MeshTextureCandidates(meshFolder, textureName));
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
