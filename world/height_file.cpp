#include "world/height_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>

namespace {

constexpr char kExtension[] = ".txt";

bool IsSpaceOrEnd(int character)
{
    return character == std::char_traits<char>::eof() ||
           std::isspace(static_cast<char>(character), std::locale::classic());
}

} // namespace

std::string HeightFileName(const std::string& chosenPath)
{
    return chosenPath.ends_with(kExtension) ? chosenPath : chosenPath + kExtension;
}

std::string FormatHeightValues(const std::vector<float>& values)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    for (const float value : values) {
        out << value << '\n';
    }
    return out.str();
}

CFileResult ReadHeightValues(std::istream& in, std::size_t count, std::vector<float>& values)
{
    in.imbue(std::locale::classic());
    values.assign(count, 0.0f);
    for (std::size_t index = 0; index < count; ++index) {
        if ((in >> std::ws).eof()) {
            return CFileResult::Failure("it holds only " + std::to_string(index) + " of the " + std::to_string(count) +
                                        " heights");
        }
        // A number must end at white space or at the end: "1.5x" is not a number.
        if (!(in >> values[index]) || !IsSpaceOrEnd(in.peek())) {
            return CFileResult::Failure("height " + std::to_string(index + 1) + " is not a number");
        }
    }
    return CFileResult::Success();
}

CFileResult ReadHeightFile(const std::string& path, std::size_t count, std::vector<float>& values)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return CFileResult::Failure("cannot load " + QuotedPath(path) + ": it is a folder");
    }
    errno = 0;
    std::ifstream in(path);
    if (!in.is_open()) {
        const std::string reason = errno != 0 ? std::strerror(errno) : "it cannot be opened";
        return CFileResult::Failure("cannot load " + QuotedPath(path) + ": " + reason);
    }
    const CFileResult read = ReadHeightValues(in, count, values);
    if (!read.ok) {
        return CFileResult::Failure("cannot load " + QuotedPath(path) + ": " + read.reason);
    }
    return read;
}
