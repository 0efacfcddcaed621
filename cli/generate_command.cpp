#include "cli/internal/commands.h"
#include "cli/internal/run_with_progress.h"
#include "cli/internal/terrain_files.h"
#include "terrain/generation.h"

#include <random>

namespace {

// relief generate --size N --seed S --roughness R -o FILE
class GenerateCommand : public Command {
public:
    CLI::App* Register(CLI::App& program) override
    {
        CLI::App* command = program.add_subcommand("generate", "make a new terrain from a size, roughness and seed");
        const std::span<const int> sides = SupportedSides();
        command->add_option("--size", m_parameters.side, "samples a side")
            ->check(CLI::IsMember(std::vector<int>(sides.begin(), sides.end())));
        command->add_option("--roughness", m_parameters.roughness, "0 to 1: how rugged the terrain is");
        m_seedOption = command->add_option("--seed", m_parameters.seed,
                                           "the same size, roughness and seed give the same terrain (default: a new "
                                           "random seed, printed on stderr)");
        m_seedOption->always_capture_default(false);
        command->add_option("-o,--output", m_output, "the heights file to write (.txt, .png, .r16, .raw, .exr)")
            ->required();
        return command;
    }

    Result<> Run(const Console& console) override
    {
        if (m_seedOption->count() == 0) {
            m_parameters.seed = (std::uint64_t{std::random_device()()} << 32) | std::random_device()();
            console.err << "relief: seed " << m_parameters.seed << "\n";
        }
        const std::string size = std::to_string(m_parameters.side);
        Result<Heightfield> heights =
            RunWithProgress(console, {"generating " + size + " x " + size, true},
                            [&](Progress& progress) { return GenerateHeightfield(m_parameters, &progress); });
        if (!heights) {
            return Failure{heights.reason()};
        }
        return WriteTerrainFile(console, m_output, heights.value(), HeightmapMetadata{{}, m_parameters.seed});
    }

private:
    GenerationParameters m_parameters;
    CLI::Option* m_seedOption = nullptr;
    std::string m_output;
};

} // namespace

std::unique_ptr<Command> MakeGenerateCommand() { return std::make_unique<GenerateCommand>(); }
