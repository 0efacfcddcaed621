#include "app/terrain_file_commands.h"

#include "app/editor_commands.h"
#include "app/terrain_dialogs.h"
#include "base/wide_path.h"
#include "editor/terrain_document.h"
#include "formats/heightmap.h"
#include "formats/mesh_export.h"
#include "graphics/resource_files.h"
#include "platform/win/cwnd.h"
#include "platform/win/qt_bridge.h"
#include "scene/status.h"
#include "world/terrain_world.h"

#include <optional>

namespace {

constexpr wchar_t kHeightmapFilter[] =
    L"Heightmaps (*.png *.r16 *.raw *.exr *.txt)|*.png;*.r16;*.raw;*.exr;*.txt|All files|*|";
constexpr wchar_t kMeshFilter[] = L"Meshes (*.obj *.glb)|*.obj;*.glb|";

std::wstring Wide(const std::string& text) { return WideFromNarrow(text.c_str()); }

std::optional<std::string> Narrow(const std::wstring& path) { return PathFromWideName(path.c_str()); }

} // namespace

CTerrainFileCommands::CTerrainFileCommands(CEditorCommands& commands) : m_commands(commands) {}

CTerrainDocument& CTerrainFileCommands::Document() const { return m_commands.Document(); }

QWidget* CTerrainFileCommands::OwnerWidget() const
{
    return m_commands.Owner() != nullptr ? WidgetOfWindow(m_commands.Owner()->GetSafeHwnd()) : nullptr;
}

void CTerrainFileCommands::Import()
{
    if (!m_commands.MayDiscardChanges(L"importing a heightmap")) {
        return;
    }
    const CEditorCommands::ChosenFile file = m_commands.ChooseFile(true, nullptr, kHeightmapFilter);
    if (file.path.empty()) {
        return;
    }
    const std::optional<std::string> path = Narrow(file.path);
    if (!path) {
        ShowStatus(L"Import failed: the file name is not valid Unicode");
        return;
    }
    // Decoding a file from elsewhere is risky: unsaved work is secured first.
    Document().BeforeRiskyStep();
    ImportOptions options;
    Result<ImportedHeightmap> imported = ReadHeightmap(*path, options);
    if (imported && imported.value().scale == HeightScale::FromCaller) {
        const std::optional<HeightRange> range =
            AskHeightRange(OwnerWidget(), QString::fromStdWString(file.name), options.range);
        if (!range) {
            ShowStatus(L"Import cancelled");
            return;
        }
        if (*range != options.range) {
            options.range = *range;
            imported = ReadHeightmap(*path, options);
        }
    }
    if (!imported) {
        ShowStatus(L"Import failed: " + Wide(imported.reason()));
        return;
    }
    const ImportedHeightmap& heightmap = imported.value();
    const Heightfield heights =
        heightmap.classic ? KeepLastRowAndColumn(heightmap, Document().World().HeightsSnapshot()) : heightmap.heights;
    if (const Result<> done = Document().Import(heights, heightmap.metadata.seed, file.name); !done) {
        ShowStatus(L"Import failed: " + Wide(done.reason()));
        return;
    }
    const std::string notice = ImportNotice(heightmap);
    ShowStatus(L"Imported " + file.name + (notice.empty() ? L"" : L": " + Wide(notice)));
}

void CTerrainFileCommands::Export()
{
    const CEditorCommands::ChosenFile file = m_commands.ChooseFile(false, nullptr, kHeightmapFilter);
    if (file.path.empty()) {
        return;
    }
    const std::optional<std::string> path = Narrow(file.path);
    const CTerrainWorld& world = Document().World();
    const Result<> written = path ? WriteHeightmap(*path, world.HeightsSnapshot(), {std::nullopt, world.CurrentSeed()})
                                  : Result<>(Failure{"the file name is not valid Unicode"});
    ShowStatus(written ? L"Exported " + file.name : L"Export failed: " + Wide(written.reason()));
}

void CTerrainFileCommands::ExportMesh()
{
    const CEditorCommands::ChosenFile file = m_commands.ChooseFile(false, nullptr, kMeshFilter);
    if (file.path.empty()) {
        return;
    }
    const Heightfield heights = Document().World().HeightsSnapshot();
    const int fullCount = 2 * (heights.Side() - 1) * (heights.Side() - 1);
    const std::optional<int> triangles = AskTriangleCount(OwnerWidget(), fullCount);
    if (!triangles) {
        return;
    }
    // The texture goes with the mesh only when the floor shows it.
    const bool draped = Document().World().GetFloorMesh().IsTexturing();
    const std::optional<std::string> path = Narrow(file.path);
    const std::optional<std::string> texture = Narrow(draped ? Document().State().texturePath : std::wstring());
    if (!path || !texture) {
        ShowStatus(L"Export failed: the file name is not valid Unicode");
        return;
    }
    MeshExportOptions options;
    options.texturePath = *texture;
    options.simplification.targetTriangles = static_cast<std::size_t>(*triangles);
    const Result<> written = ::ExportMesh(*path, heights, options);
    ShowStatus(written ? L"Exported " + file.name : L"Export failed: " + Wide(written.reason()));
}

void CTerrainFileCommands::Resample()
{
    const int side = Document().World().Side();
    const std::optional<int> chosen = AskSide(OwnerWidget(), QStringLiteral("Resample"), side);
    if (!chosen || *chosen == side) {
        return;
    }
    const Result<> resampled = Document().Resample(*chosen);
    ShowStatus(resampled ? L"Resampled to " + std::to_wstring(*chosen) + L" x " + std::to_wstring(*chosen)
                         : L"Resample failed: " + Wide(resampled.reason()));
}
