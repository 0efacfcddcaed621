#include "formats/text_heightmap.h"

#include "formats/internal/numbers.h"
#include "formats/internal/piece_writer.h"

#include <cstddef>

namespace {

constexpr std::size_t kMaxNumberLength = 64;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kClassicSide = 65;
constexpr std::size_t kClassicCount = 64 * 64;
constexpr int kLargestSide = 4097;
constexpr std::size_t kMaxCount = std::size_t{kLargestSide} * kLargestSide;
// Room for every sample of the largest grid with plenty of white space; the file is streamed, so
// this bounds the time a read takes, not its memory.
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;

// The classic locale's white space.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// n when count is n^2 with n = 2^k + 1 in 3..4097, else 0.
int FullGridSide(std::size_t count)
{
    for (int side = 3; side <= kLargestSide; side = 2 * side - 1) {
        if (static_cast<std::size_t>(side) * side == count) {
            return side;
        }
    }
    return 0;
}

bool IsWrittenSide(int side) { return side == kClassicSide || FullGridSide(std::size_t(side) * side) == side; }

// A 65 grid from the classic file's 64 x 64 numbers; the last row and column repeat their
// neighbours until the caller gives them the values they keep.
Heightfield ClassicGrid(const std::vector<float>& values)
{
    constexpr int kFileSide = kClassicSide - 1;
    Heightfield heights(kClassicSide);
    for (int row = 0; row < kClassicSide; ++row) {
        for (int column = 0; column < kClassicSide; ++column) {
            const int fileRow = std::min(row, kFileSide - 1);
            const int fileColumn = std::min(column, kFileSide - 1);
            heights.At(row, column) = values[static_cast<std::size_t>(fileRow) * kFileSide + fileColumn];
        }
    }
    return heights;
}

} // namespace

bool TextHeightParser::Fail(std::string reason)
{
    if (m_failure.empty()) {
        m_failure = std::move(reason);
    }
    return false;
}

bool TextHeightParser::EndNumber()
{
    m_atStart = false;
    if (m_number.empty()) {
        return true;
    }
    const std::optional<float> value = ParseFiniteFloat(m_number);
    if (!value) {
        return Fail("height " + std::to_string(m_values.size() + 1) + " is not a number");
    }
    if (m_values.size() == kMaxCount) {
        return Fail("it holds more than the " + std::to_string(kMaxCount) + " heights of the largest grid");
    }
    m_values.push_back(*value);
    m_number.clear();
    return true;
}

bool TextHeightParser::Feed(std::string_view piece)
{
    if (!m_failure.empty()) {
        return false;
    }
    for (const char c : piece) {
        if (IsSpace(c)) {
            if (!EndNumber()) {
                return false;
            }
            continue;
        }
        m_number += c;
        if (m_atStart && m_number == kByteOrderMark) {
            m_number.clear();
            m_atStart = false;
        }
        if (m_number.size() > kMaxNumberLength) {
            return Fail("height " + std::to_string(m_values.size() + 1) + " is longer than " +
                        std::to_string(kMaxNumberLength) + " characters");
        }
    }
    return true;
}

Result<ImportedHeightmap> TextHeightParser::Finish()
{
    if (m_failure.empty()) {
        EndNumber();
    }
    if (!m_failure.empty()) {
        return Failure{m_failure};
    }
    ImportedHeightmap imported;
    if (m_values.size() == kClassicCount) {
        imported.heights = ClassicGrid(m_values);
        imported.classic = true;
    } else if (const int side = FullGridSide(m_values.size()); side != 0) {
        imported.heights = Heightfield(side);
        std::copy(m_values.begin(), m_values.end(), imported.heights.Samples().begin());
    } else if (m_values.size() < kClassicCount) {
        // Fewer numbers than the classic file holds: most likely one cut short.
        return Failure{"it holds only " + std::to_string(m_values.size()) + " of the " + std::to_string(kClassicCount) +
                       " heights"};
    } else {
        return Failure{"it holds " + std::to_string(m_values.size()) +
                       " heights; a height file holds 4096 (the classic 65 x 65 grid) or n x n for n = 2^k + 1 up "
                       "to 4097"};
    }
    imported.storedSide = imported.heights.Side();
    return imported;
}

Result<ImportedHeightmap> ReadTextHeightmap(const std::string& path)
{
    Result<RegularFile> file = RegularFile::Open(path, kMaxFileBytes);
    if (!file) {
        return Failure{file.reason()};
    }
    TextHeightParser parser;
    std::vector<char> buffer(std::size_t{1} << 16);
    for (;;) {
        const Result<std::size_t> count = file.value().ReadSome(buffer);
        if (!count) {
            return Failure{count.reason()};
        }
        if (count.value() == 0 || !parser.Feed(std::string_view(buffer.data(), count.value()))) {
            break;
        }
    }
    return parser.Finish();
}

Result<> WriteTextHeights(const Heightfield& heights, ContentSink& sink)
{
    if (!IsWrittenSide(heights.Side())) {
        return Failure{"a height file holds grids of side 2^k + 1 only, not " + std::to_string(heights.Side())};
    }
    if (const Result<HeightRange> range = RangeOf(heights); !range) {
        return Failure{range.reason()};
    }
    // The classic file leaves out the last row and column and keeps six significant digits.
    const bool classic = heights.Side() == kClassicSide;
    const int count = classic ? kClassicSide - 1 : heights.Side();
    PieceWriter writer(sink);
    for (int row = 0; row < count && !writer.Failed(); ++row) {
        for (int column = 0; column < count; ++column) {
            if (classic) {
                writer.AppendGeneral(heights.At(row, column), 6);
            } else {
                writer.Append(heights.At(row, column));
            }
            writer.Append('\n');
        }
    }
    return Result<>::Success();
}
