#include "cli/internal/commands.h"
#include "cli/internal/number_text.h"
#include "cli/internal/run_with_progress.h"
#include "cli/internal/terrain_files.h"
#include "terrain/erosion_hydraulic.h"
#include "terrain/erosion_thermal.h"

namespace {

// relief erode IN OUT --hydraulic [droplet options] | --thermal [talus options]
class ErodeCommand : public Command {
public:
    CLI::App* Register(CLI::App& program) override
    {
        CLI::App* command = program.add_subcommand("erode", "erode a heights file by water (droplets) or by "
                                                            "slumping (talus angle); slopes use the real spacing");
        command->add_option("input", m_input, "the heights file to read")->required();
        command->add_option("output", m_output, "the heights file to write")->required();
        AddHeightRangeOption(*command, m_import.range);

        CLI::Option_group* kind = command->add_option_group("Erosion", "one of them");
        CLI::Option* hydraulic = kind->add_flag("--hydraulic", m_hydraulic, "droplets of water carry material down");
        CLI::Option* thermal =
            kind->add_flag("--thermal", m_thermal, "material slides down where slopes are steeper than the talus");
        hydraulic->always_capture_default(false);
        thermal->always_capture_default(false);
        kind->require_option(1);

        AddHydraulicOptions(*command->add_option_group("Hydraulic erosion"))->excludes(thermal);
        AddThermalOptions(*command->add_option_group("Thermal erosion"))->excludes(hydraulic);
        return command;
    }

    Result<> Run(const Console& console) override
    {
        const Result<ImportedHeightmap> imported = ReadTerrainFile(console, m_input, m_import);
        if (!imported) {
            return Failure{imported.reason()};
        }
        const Result<Heightfield> eroded = m_hydraulic ? ErodeByWater(console, imported.value().heights)
                                                       : ErodeBySlumping(console, imported.value().heights);
        if (!eroded) {
            return Failure{eroded.reason()};
        }
        // The eroded terrain is no longer the one its seed makes, and its heights have moved.
        return WriteTerrainFile(console, m_output, eroded.value(), HeightmapMetadata{});
    }

private:
    CLI::Option_group* AddHydraulicOptions(CLI::Option_group& group)
    {
        HydraulicErosionParameters& p = m_hydraulicParameters;
        group.add_option("--droplets", p.droplets, "droplets, one after another (1 to 10,000,000)");
        group.add_option("--seed", p.seed, "where the droplets start: the same seed erodes the same way");
        group.add_option("--erosion-radius", p.erosionRadius, "samples around a droplet that it erodes (1 to 8)");
        group.add_option("--inertia", p.inertia, "0 to 1: how much of its direction a droplet keeps");
        group.add_option("--sediment-capacity", p.sedimentCapacity,
                         "0 to 64: sediment carried per unit of slope, speed and water");
        group.add_option("--min-slope", p.minSlope, "0 to 1: the slope the capacity assumes on flatter ground");
        group.add_option("--erosion", p.erosion, "0 to 1: share of its spare capacity a droplet takes up per step");
        group.add_option("--deposition", p.deposition, "0 to 1: share of its excess sediment laid down per step");
        group.add_option("--evaporation", p.evaporation, "0 to 1: share of its water a droplet loses per step");
        group.add_option("--gravity", p.gravity, "0 to 64: how fast droplets gain speed going down");
        group.add_option("--max-lifetime", p.maxLifetime, "1 to 1000: steps before a droplet lays everything down");
        return &group;
    }

    CLI::Option_group* AddThermalOptions(CLI::Option_group& group)
    {
        ThermalErosionParameters& p = m_thermalParameters;
        group.add_option("--talus", p.talusAngleDegrees, "0 to 89 degrees: the steepest slope that stays");
        group.add_option("--iterations", p.iterations, "1 to 10000 sweeps over the terrain");
        group.add_option("--rate", p.rate, "0 to 1: share of a slope's excess one sweep settles");
        return &group;
    }

    Result<Heightfield> ErodeByWater(const Console& console, const Heightfield& heights) const
    {
        Result<HydraulicErosion> eroded = RunWithProgress(
            console, {"eroding with " + std::to_string(m_hydraulicParameters.droplets) + " droplets", true},
            [&](Progress& progress) { return ErodeHydraulically(heights, m_hydraulicParameters, &progress); });
        if (!eroded) {
            return Failure{eroded.reason()};
        }
        const ErosionReport& report = eroded.value().report;
        console.out << "material removed: " << AmountText(report.removed) << "\n"
                    << "material deposited: " << AmountText(report.deposited) << "\n"
                    << "material carried away: " << AmountText(report.carriedAway) << "\n";
        return std::move(eroded.value().field);
    }

    Result<Heightfield> ErodeBySlumping(const Console& console, const Heightfield& heights) const
    {
        return RunWithProgress(
            console, {"eroding at a talus of " + HeightText(m_thermalParameters.talusAngleDegrees) + " degrees", true},
            [&](Progress& progress) { return ErodeThermally(heights, m_thermalParameters, &progress); });
    }

    std::string m_input;
    std::string m_output;
    ImportOptions m_import;
    bool m_hydraulic = false;
    bool m_thermal = false;
    HydraulicErosionParameters m_hydraulicParameters;
    ThermalErosionParameters m_thermalParameters;
};

} // namespace

std::unique_ptr<Command> MakeErodeCommand() { return std::make_unique<ErodeCommand>(); }
