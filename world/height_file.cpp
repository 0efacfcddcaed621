#include "world/height_file.h"

#include <locale>
#include <sstream>

namespace {

constexpr char kExtension[] = ".txt";
// Room for every sample of the largest grid written with full precision.
constexpr std::size_t kMaxHeightFileBytes = std::size_t{512} << 20;

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

Result<> ReadHeightValues(std::istream& in, std::size_t count, std::vector<float>& values)
{
    in.imbue(std::locale::classic());
    values.assign(count, 0.0f);
    for (std::size_t index = 0; index < count; ++index) {
        if ((in >> std::ws).eof()) {
            return Failure{"it holds only " + std::to_string(index) + " of the " + std::to_string(count) + " heights"};
        }
        // A number must end at white space or at the end: "1.5x" is not a number.
        if (!(in >> values[index]) || !IsSpaceOrEnd(in.peek())) {
            return Failure{"height " + std::to_string(index + 1) + " is not a number"};
        }
    }
    return Result<>::Success();
}

Result<> ReadHeightFile(const std::string& path, std::size_t count, std::vector<float>& values)
{
    const Result<std::vector<char>> bytes = ReadRegularFile(path, kMaxHeightFileBytes);
    if (!bytes) {
        return Failure{"cannot load " + QuotedPath(path) + ": " + bytes.reason()};
    }
    std::istringstream in(std::string(bytes.value().begin(), bytes.value().end()));
    const Result<> read = ReadHeightValues(in, count, values);
    if (!read.ok()) {
        return Failure{"cannot load " + QuotedPath(path) + ": " + read.reason()};
    }
    return read;
}
