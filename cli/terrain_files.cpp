#include "cli/internal/terrain_files.h"

#include "base/file_access.h"
#include "cli/internal/number_text.h"
#include "cli/internal/run_with_progress.h"

#include <charconv>
#include <cmath>

namespace {

std::optional<float> ParseFinite(std::string_view text)
{
    float value = 0.0f;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || last != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<HeightRange> ParseHeightRange(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<float> low = ParseFinite(text.substr(0, colon));
    const std::optional<float> high = ParseFinite(text.substr(colon + 1));
    if (!low || !high || *low > *high) {
        return std::nullopt;
    }
    return HeightRange{*low, *high};
}

void AddHeightRangeOption(CLI::App& command, HeightRange& range)
{
    const CLI::Validator isRange(
        [](std::string& text) {
            return ParseHeightRange(text) ? std::string()
                                          : "\"" + text + "\" is not LO:HI, two numbers with LO not above HI";
        },
        "");
    command
        .add_option_function<std::string>(
            "--height-range", [&range](const std::string& text) { range = *ParseHeightRange(text); },
            "the heights the lowest and highest level stand for, for a file that does not say (a foreign PNG, "
            "a RAW file)")
        ->type_name("LO:HI")
        ->default_str(HeightText(range.low) + ":" + HeightText(range.high))
        ->check(isRange);
}

Result<ImportedHeightmap> ReadTerrainFile(const Console& console, const std::string& path, const ImportOptions& options)
{
    Result<ImportedHeightmap> imported = RunWithProgress(console, {"reading " + QuotedPath(path)},
                                                         [&](Progress&) { return ReadHeightmap(path, options); });
    if (imported) {
        if (const std::string notice = ImportNotice(imported.value()); !notice.empty()) {
            console.err << "relief: " << QuotedPath(path) << ": " << notice << "\n";
        }
    }
    return imported;
}

Result<> WriteTerrainFile(const Console& console, const std::string& path, const Heightfield& heights,
                          const HeightmapMetadata& metadata)
{
    return RunWithProgress(console, {"writing " + QuotedPath(path)},
                           [&](Progress&) { return WriteHeightmap(path, heights, metadata); });
}
