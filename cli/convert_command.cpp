#include "cli/internal/commands.h"
#include "cli/internal/terrain_files.h"

namespace {

// relief convert IN OUT [--height-range LO:HI]
class ConvertCommand : public Command {
public:
    CLI::App* Register(CLI::App& program) override
    {
        CLI::App* command =
            program.add_subcommand("convert", "write a heights file in another format (.txt, .png, .r16, .raw, .exr)");
        command->add_option("input", m_input, "the heights file to read")->required();
        command->add_option("output", m_output, "the heights file to write; its extension names the format")
            ->required();
        AddHeightRangeOption(*command, m_import.range);
        return command;
    }

    Result<> Run(const Console& console) override
    {
        const Result<ImportedHeightmap> imported = ReadTerrainFile(console, m_input, m_import);
        if (!imported) {
            return Failure{imported.reason()};
        }
        // The file's range and seed go along, so that a 16-bit file keeps its levels exactly.
        return WriteTerrainFile(console, m_output, imported.value().heights, imported.value().metadata);
    }

private:
    std::string m_input;
    std::string m_output;
    ImportOptions m_import;
};

} // namespace

std::unique_ptr<Command> MakeConvertCommand() { return std::make_unique<ConvertCommand>(); }
