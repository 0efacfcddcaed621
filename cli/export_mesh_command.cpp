#include "base/file_access.h"
#include "cli/internal/commands.h"
#include "cli/internal/run_with_progress.h"
#include "cli/internal/terrain_files.h"
#include "formats/mesh_export.h"

namespace {

// relief export-mesh IN OUT [--triangles N] [--error E] [--texture IMAGE] [--height-range LO:HI]
class ExportMeshCommand : public Command {
public:
    CLI::App* Register(CLI::App& program) override
    {
        CLI::App* command =
            program.add_subcommand("export-mesh", "write a heights file as a mesh (.obj, .glb), optionally simplified");
        command->add_option("input", m_input, "the heights file to read")->required();
        command->add_option("output", m_output, "the mesh file to write (.obj, .glb)")->required();
        command->add_option("--triangles", m_options.simplification.targetTriangles,
                            "simplify to at most this many triangles where the border allows (0: all)");
        command
            ->add_option("--error", m_options.simplification.targetError,
                         "simplify as far as the surface moves at most this far, in world units (0: no limit)")
            ->check(CLI::NonNegativeNumber);
        command->add_option("--texture", m_options.texturePath,
                            "an image to drape over the terrain: copied beside an OBJ, embedded in a GLB");
        AddHeightRangeOption(*command, m_import.range);
        return command;
    }

    Result<> Run(const Console& console) override
    {
        const Result<ImportedHeightmap> imported = ReadTerrainFile(console, m_input, m_import);
        if (!imported) {
            return Failure{imported.reason()};
        }
        return RunWithProgress(console, {"exporting " + QuotedPath(m_output)},
                               [&](Progress&) { return ExportMesh(m_output, imported.value().heights, m_options); });
    }

private:
    std::string m_input;
    std::string m_output;
    MeshExportOptions m_options;
    ImportOptions m_import;
};

} // namespace

std::unique_ptr<Command> MakeExportMeshCommand() { return std::make_unique<ExportMeshCommand>(); }
