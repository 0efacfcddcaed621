#include "world/height_file.h"

#include "base/file_name.h"

#include <array>
#include <functional>
#include <locale>
#include <optional>
#include <span>
#include <sstream>
#include <string_view>

namespace {

// Reading stops after the numbers needed, so the size only bounds how long a file of nothing
// but white space takes to read; it leaves room for every sample of the largest grid.
constexpr std::size_t kMaxHeightFileBytes = std::size_t{512} << 20;
// Far longer than any number the writer makes ("-1.23457e+06"); a longer entry is refused as
// soon as it is seen, so that one endless number neither fills memory nor takes time.
constexpr std::size_t kMaxNumberLength = 64;
// The UTF-8 byte-order mark some editors put at the start of a text file.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Fills the buffer with the next bytes of the text: the count read, 0 at the end.
using ReadChunk = std::function<Result<std::size_t>(std::span<char>)>;

bool IsSpace(char character)
{
    static const std::ctype<char>& classic = std::use_facet<std::ctype<char>>(std::locale::classic());
    return classic.is(std::ctype_base::space, character);
}

// The white-space-separated entries of a height text, read a chunk at a time: memory stays at
// one chunk and one entry whatever the size of the text.
class HeightEntries {
public:
    explicit HeightEntries(ReadChunk read) : m_read(std::move(read)) {}

    // Skips a byte-order mark at the start of the text; call it before anything else.
    Result<> SkipByteOrderMark();
    // The next entry, or nullopt at the end of the text. Fails on a read error and on an entry
    // longer than kMaxNumberLength (entryNumber names it in the reason).
    Result<std::optional<std::string_view>> Next(std::size_t entryNumber);

private:
    // Replaces the chunk with the next bytes of the text; an empty chunk at the end.
    Result<> Fill();

    ReadChunk m_read;
    std::array<char, 64 * 1024> m_chunk{};
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    std::string m_entry;
};

Result<> HeightEntries::Fill()
{
    const Result<std::size_t> count = m_read(m_chunk);
    if (!count) {
        return Failure{count.reason()};
    }
    m_position = 0;
    m_end = count.value();
    return Result<>::Success();
}

Result<> HeightEntries::SkipByteOrderMark()
{
    // Reads until the start of the text can be compared with the whole mark.
    while (m_end < kByteOrderMark.size()) {
        const Result<std::size_t> count = m_read(std::span(m_chunk).subspan(m_end));
        if (!count) {
            return Failure{count.reason()};
        }
        if (count.value() == 0) {
            break;
        }
        m_end += count.value();
    }
    if (std::string_view(m_chunk.data(), m_end).starts_with(kByteOrderMark)) {
        m_position = kByteOrderMark.size();
    }
    return Result<>::Success();
}

Result<std::optional<std::string_view>> HeightEntries::Next(std::size_t entryNumber)
{
    m_entry.clear();
    for (;; ++m_position) {
        if (m_position == m_end) {
            if (const Result<> filled = Fill(); !filled) {
                return Failure{filled.reason()};
            }
            if (m_end == 0) {
                return m_entry.empty() ? std::optional<std::string_view>() : std::optional<std::string_view>(m_entry);
            }
        }
        const char character = m_chunk[m_position];
        if (!IsSpace(character)) {
            if (m_entry.size() == kMaxNumberLength) {
                return Failure{"height " + std::to_string(entryNumber) + " is longer than " +
                               std::to_string(kMaxNumberLength) + " characters"};
            }
            m_entry += character;
        } else if (!m_entry.empty()) {
            return std::optional<std::string_view>(m_entry);
        }
    }
}

// An entry as the classic locale's number reading takes it: the whole entry must be the number
// ("1.5x" is not one), and neither nan nor a value beyond the float range is.
class NumberParser {
public:
    NumberParser() { m_stream.imbue(std::locale::classic()); }

    std::optional<float> Parse(std::string_view entry)
    {
        m_stream.clear();
        m_stream.str(std::string(entry));
        float value = 0.0f;
        if (!(m_stream >> value) || m_stream.peek() != std::char_traits<char>::eof()) {
            return std::nullopt;
        }
        return value;
    }

private:
    std::istringstream m_stream;
};

Result<> ReadHeights(HeightEntries& entries, std::size_t count, std::vector<float>& values)
{
    values.assign(count, 0.0f);
    if (const Result<> mark = entries.SkipByteOrderMark(); !mark) {
        return mark;
    }
    NumberParser parser;
    for (std::size_t index = 0; index < count; ++index) {
        const Result<std::optional<std::string_view>> entry = entries.Next(index + 1);
        if (!entry) {
            return Failure{entry.reason()};
        }
        if (!entry.value()) {
            return Failure{"it holds only " + std::to_string(index) + " of the " + std::to_string(count) + " heights"};
        }
        const std::optional<float> value = parser.Parse(*entry.value());
        if (!value) {
            return Failure{"height " + std::to_string(index + 1) + " is not a number"};
        }
        values[index] = *value;
    }
    return Result<>::Success();
}

} // namespace

std::string HeightFileName(const std::string& chosenPath)
{
    return WithDefaultExtension(chosenPath, kHeightFileExtension);
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
    HeightEntries entries([&in](std::span<char> chunk) -> Result<std::size_t> {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        return static_cast<std::size_t>(in.gcount());
    });
    return ReadHeights(entries, count, values);
}

Result<> ReadHeightFile(const std::string& path, std::size_t count, std::vector<float>& values)
{
    Result<RegularFile> file = RegularFile::Open(path, kMaxHeightFileBytes);
    if (!file) {
        return Failure{"cannot load " + QuotedPath(path) + ": " + file.reason()};
    }
    HeightEntries entries([&file](std::span<char> chunk) { return file.value().ReadSome(chunk); });
    const Result<> read = ReadHeights(entries, count, values);
    if (!read) {
        return Failure{"cannot load " + QuotedPath(path) + ": " + read.reason()};
    }
    return read;
}
