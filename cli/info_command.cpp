#include "base/file_access.h"
#include "cli/internal/commands.h"
#include "cli/internal/number_text.h"
#include "cli/internal/run_with_progress.h"
#include "cli/internal/terrain_files.h"
#include "terrain/statistics.h"

namespace {

// "name: value" lines about a heights file: what it holds and, with --stats, its statistics.
class InfoCommand : public Command {
public:
    CLI::App* Register(CLI::App& program) override
    {
        CLI::App* command =
            program.add_subcommand("info", "print what a heights file holds, one \"name: value\" a line");
        command->add_option("file", m_path, "the heights file to read")->required();
        CLI::Option* stats = command->add_flag(
            "--stats", m_stats, "add the minimum, maximum and mean height, the share under water and the slopes");
        stats->always_capture_default(false);
        command->add_option("--water-level", m_waterLevel, "with --stats: the height of the water")->needs(stats);
        AddHeightRangeOption(*command, m_import.range);
        return command;
    }

    Result<> Run(const Console& console) override
    {
        const Result<ImportedHeightmap> imported = ReadTerrainFile(console, m_path, m_import);
        if (!imported) {
            return Failure{imported.reason()};
        }
        const Result<HeightRange> range = RangeOf(imported.value().heights);
        if (!range) {
            return Failure{QuotedPath(m_path) + ": " + range.reason()};
        }
        PrintFile(console, imported.value(), range.value());
        return m_stats ? PrintStatistics(console, imported.value().heights) : Result<>{};
    }

private:
    void PrintFile(const Console& console, const ImportedHeightmap& imported, HeightRange range) const
    {
        std::ostream& out = console.out;
        out << "format: " << HeightmapFormatName(m_path) << (imported.classic ? " (classic 64 x 64)" : "") << "\n";
        out << "side: " << imported.heights.Side() << "\n";
        if (imported.Resampled()) {
            out << "stored side: " << imported.storedSide << "\n";
        }
        out << "height range: " << DescribeRange(range) << "\n";
        if (imported.metadata.range && imported.scale == HeightScale::FromFile) {
            out << "stored height range: " << DescribeRange(*imported.metadata.range) << "\n";
        }
        if (imported.metadata.range && imported.scale == HeightScale::FromCaller) {
            out << "assumed height range: " << DescribeRange(*imported.metadata.range) << "\n";
        }
        if (imported.metadata.seed) {
            out << "seed: " << *imported.metadata.seed << "\n";
        }
    }

    Result<> PrintStatistics(const Console& console, const Heightfield& heights) const
    {
        const Result<TerrainStatistics> statistics =
            RunWithProgress(console, {"computing statistics", true}, [&](Progress& progress) {
                return ComputeTerrainStatistics(heights, m_waterLevel, &progress);
            });
        if (!statistics) {
            return Failure{statistics.reason()};
        }
        const TerrainStatistics& s = statistics.value();
        std::ostream& out = console.out;
        out << "minimum: " << HeightText(s.minimum) << "\n";
        out << "maximum: " << HeightText(s.maximum) << "\n";
        out << "mean: " << HeightText(static_cast<float>(s.mean)) << "\n";
        out << "water level: " << HeightText(m_waterLevel) << "\n";
        out << "water share: " << PercentText(s.waterShare) << "\n";
        const double samples = static_cast<double>(heights.Samples().size());
        for (int bin = 0; bin < kSlopeBins; ++bin) {
            out << "slope " << bin * kSlopeBinDegrees << "-" << (bin + 1) * kSlopeBinDegrees << ": "
                << PercentText(static_cast<double>(s.slopeHistogram[static_cast<std::size_t>(bin)]) / samples) << "\n";
        }
        return {};
    }

    std::string m_path;
    bool m_stats = false;
    float m_waterLevel = 0.0f;
    ImportOptions m_import;
};

} // namespace

std::unique_ptr<Command> MakeInfoCommand() { return std::make_unique<InfoCommand>(); }
