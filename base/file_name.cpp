#include "base/file_name.h"

#include <algorithm>

namespace {

template <typename Char> Char AsciiLower(Char c) { return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c; }

template <typename Char>
std::basic_string<Char> AddMissingExtension(const std::basic_string<Char>& name,
                                            const std::basic_string<Char>& extension)
{
    if (extension.empty()) {
        return name;
    }
    const std::basic_string<Char> suffix = Char('.') + extension;
    const bool present =
        name.size() >= suffix.size() && std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(),
                                                   [](Char a, Char b) { return AsciiLower(a) == AsciiLower(b); });
    return present ? name : name + suffix;
}

} // namespace

std::string WithDefaultExtension(const std::string& name, const std::string& extension)
{
    return AddMissingExtension(name, extension);
}

std::wstring WithDefaultExtension(const std::wstring& name, const std::wstring& extension)
{
    return AddMissingExtension(name, extension);
}
