#include "editor/recovery_file.h"

#include "base/file_access.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kMagic = "Relief recovery 1";
// Two paths and the keywords: far more than any header needs.
constexpr std::size_t kMaxHeaderBytes = 64 * 1024;

std::string Utf8(const std::wstring& text) { return QString::fromStdWString(text).toUtf8().toStdString(); }

std::wstring Wide(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdWString();
}

void AppendField(std::string& out, std::string_view keyword, std::string_view value)
{
    out.append(keyword).append(" ").append(std::to_string(value.size())).append("\n").append(value).append("\n");
}

// Reads the header a piece at a time; every read fails once the bytes do not fit.
class HeaderReader {
public:
    explicit HeaderReader(std::span<const char> bytes) : m_rest(bytes.data(), bytes.size()) {}

    std::optional<std::string_view> Line()
    {
        const std::size_t end = m_rest.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view line = m_rest.substr(0, end);
        m_rest.remove_prefix(end + 1);
        return line;
    }

    // "<keyword> <number>" as a line.
    std::optional<std::size_t> Number(std::string_view keyword)
    {
        const std::optional<std::string_view> line = Line();
        if (!line || !line->starts_with(keyword) || line->size() <= keyword.size() || (*line)[keyword.size()] != ' ') {
            return std::nullopt;
        }
        const std::string_view digits = line->substr(keyword.size() + 1);
        std::size_t value = 0;
        const auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || last != digits.data() + digits.size()) {
            return std::nullopt;
        }
        return value;
    }

    // "<keyword> <count>", then count bytes and a line end.
    std::optional<std::string_view> Field(std::string_view keyword)
    {
        const std::optional<std::size_t> size = Number(keyword);
        if (!size || *size >= m_rest.size() || m_rest[*size] != '\n') {
            return std::nullopt;
        }
        const std::string_view value = m_rest.substr(0, *size);
        m_rest.remove_prefix(*size + 1);
        return value;
    }

    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

Failure Damaged(const std::string& what) { return Failure{"it is not a whole recovery file (" + what + ")"}; }

} // namespace

std::string EncodeRecoveredWork(const RecoveredWork& work)
{
    std::string out;
    const std::span<const float> samples = work.heights.Samples();
    out.reserve(256 + samples.size() * sizeof(float));
    out.append(kMagic).append("\nside ").append(std::to_string(work.heights.Side())).append("\n");
    AppendField(out, "texture", Utf8(work.texturePath));
    AppendField(out, "document", work.documentPath);
    out.append("heights\n");
    for (const float sample : samples) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &sample, sizeof(bits));
        for (int byte = 0; byte < 4; ++byte) {
            out.push_back(static_cast<char>((bits >> (8 * byte)) & 0xFFu));
        }
    }
    return out;
}

Result<RecoveredWork> DecodeRecoveredWork(std::span<const char> bytes)
{
    const std::span<const char> header = bytes.first(std::min(bytes.size(), kMaxHeaderBytes));
    HeaderReader reader(header);
    if (reader.Line() != kMagic) {
        return Damaged("no recovery header");
    }
    const std::optional<std::size_t> side = reader.Number("side");
    if (!side || *side > static_cast<std::size_t>(SupportedSides().back()) ||
        !IsSupportedSide(static_cast<int>(*side))) {
        return Damaged("no side of a supported size");
    }
    const std::optional<std::string_view> texture = reader.Field("texture");
    const std::optional<std::string_view> document = texture ? reader.Field("document") : std::nullopt;
    if (!document || reader.Line() != "heights") {
        return Damaged("the paths are cut short");
    }
    const std::size_t headerSize = header.size() - reader.Rest().size();
    const std::size_t count = *side * *side;
    if (bytes.size() - headerSize != count * sizeof(float)) {
        return Damaged("the heights are cut short or too long");
    }
    RecoveredWork work{Heightfield(static_cast<int>(*side)), Wide(*texture), std::string(*document)};
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data() + headerSize);
    std::span<float> samples = work.heights.Samples();
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t bits = 0;
        for (int byte = 0; byte < 4; ++byte) {
            bits |= static_cast<std::uint32_t>(data[4 * i + static_cast<std::size_t>(byte)]) << (8 * byte);
        }
        std::memcpy(&samples[i], &bits, sizeof(bits));
    }
    return work;
}

Result<> WriteRecoveryFile(const std::string& path, const RecoveredWork& work)
{
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return WriteFileReplacing(path, EncodeRecoveredWork(work));
}

Result<RecoveredWork> ReadRecoveryFile(const std::string& path)
{
    const std::size_t maxSide = static_cast<std::size_t>(SupportedSides().back());
    const Result<std::vector<char>> bytes = ReadRegularFile(path, kMaxHeaderBytes + maxSide * maxSide * sizeof(float));
    if (!bytes) {
        return Failure{"cannot read " + QuotedPath(path) + ": " + bytes.reason()};
    }
    Result<RecoveredWork> work = DecodeRecoveredWork(bytes.value());
    if (!work) {
        return Failure{"cannot read " + QuotedPath(path) + ": " + work.reason()};
    }
    return work;
}
