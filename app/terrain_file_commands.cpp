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
#include "terrain/resample.h"
#include "world/terrain_world.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace {

constexpr wchar_t kHeightmapFilter[] =
    L"Heightmaps (*.png *.r16 *.raw *.exr *.txt)|*.png;*.r16;*.raw;*.exr;*.txt|All files|*|";
constexpr wchar_t kMeshFilter[] = L"Meshes (*.obj *.glb)|*.obj;*.glb|";

std::wstring Wide(const std::string& text) { return WideFromNarrow(text.c_str()); }

std::optional<std::string> Narrow(const std::wstring& path) { return PathFromWideName(path.c_str()); }

bool IsBigFile(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    return !error && bytes >= static_cast<std::uintmax_t>(kBackgroundFileBytes);
}

// The status line after an export: a cancelled export wrote nothing.
void ShowExported(const Result<>& written, const std::wstring& name)
{
    if (written) {
        ShowStatus(L"Exported " + name);
    } else if (written.reason() == kCancelledReason) {
        ShowStatus(L"Export cancelled");
    } else {
        ShowStatus(L"Export failed: " + Wide(written.reason()));
    }
}

} // namespace

CTerrainFileCommands::CTerrainFileCommands(CEditorCommands& commands) : m_commands(commands) {}

CTerrainDocument& CTerrainFileCommands::Document() const { return m_commands.Document(); }

QWidget* CTerrainFileCommands::OwnerWidget() const
{
    return m_commands.Owner() != nullptr ? WidgetOfWindow(m_commands.Owner()->GetSafeHwnd()) : nullptr;
}

void CTerrainFileCommands::Import()
{
    if (m_commands.RefusedWhileBusy() || !m_commands.MayDiscardChanges(L"importing a heightmap")) {
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
    ReadImport(*path, file.name, ImportOptions{}, true);
}

void CTerrainFileCommands::ReadImport(const std::string& path, const std::wstring& name, const ImportOptions& options,
                                      bool mayAskRange)
{
    const bool inBackground = IsBigFile(path);
    if (inBackground) {
        ShowStatus(L"Importing " + name);
    }
    m_commands.Job().Run<ImportedHeightmap>(
        inBackground, QStringLiteral("Import"), CBackgroundJob::OnCancel::Drop,
        [path, options](Progress* progress) { return ReadHeightmap(path, options, progress); },
        [this, path, name, options, mayAskRange](Result<ImportedHeightmap> imported) {
            if (mayAskRange && imported && imported.value().scale == HeightScale::FromCaller) {
                const std::optional<HeightRange> range =
                    AskHeightRange(OwnerWidget(), QString::fromStdWString(name), options.range);
                if (!range) {
                    ShowStatus(L"Import cancelled");
                    return;
                }
                if (*range != options.range) {
                    ReadImport(path, name, ImportOptions{*range}, false);
                    return;
                }
            }
            FinishImport(imported, name);
        });
}

void CTerrainFileCommands::FinishImport(const Result<ImportedHeightmap>& imported, const std::wstring& name)
{
    if (!imported) {
        ShowStatus(L"Import failed: " + Wide(imported.reason()));
        return;
    }
    const ImportedHeightmap& heightmap = imported.value();
    const Heightfield heights =
        heightmap.classic ? KeepLastRowAndColumn(heightmap, Document().World().HeightsSnapshot()) : heightmap.heights;
    if (const Result<> done = Document().Import(heights, heightmap.metadata.seed, name); !done) {
        ShowStatus(L"Import failed: " + Wide(done.reason()));
        return;
    }
    const std::string notice = ImportNotice(heightmap);
    ShowStatus(L"Imported " + name + (notice.empty() ? L"" : L": " + Wide(notice)));
}

void CTerrainFileCommands::Export()
{
    if (m_commands.RefusedWhileBusy()) {
        return;
    }
    const CEditorCommands::ChosenFile file = m_commands.ChooseFile(false, nullptr, kHeightmapFilter);
    if (file.path.empty()) {
        return;
    }
    const std::optional<std::string> path = Narrow(file.path);
    if (!path) {
        ShowStatus(L"Export failed: the file name is not valid Unicode");
        return;
    }
    const CTerrainWorld& world = Document().World();
    const HeightmapMetadata metadata{std::nullopt, world.CurrentSeed()};
    RunExport([path = *path, heights = world.HeightsSnapshot(),
               metadata](Progress* progress) { return WriteHeightmap(path, heights, metadata, progress); },
              file.name);
}

void CTerrainFileCommands::RunExport(std::function<Result<>(Progress*)> write, const std::wstring& name)
{
    const bool inBackground = Document().World().Side() >= kBackgroundSide;
    if (inBackground) {
        ShowStatus(L"Exporting " + name);
    }
    m_commands.Job().Run<void>(inBackground, QStringLiteral("Export"), CBackgroundJob::OnCancel::Finish,
                               std::move(write), [name](const Result<>& written) { ShowExported(written, name); });
}

void CTerrainFileCommands::ExportMesh()
{
    if (m_commands.RefusedWhileBusy()) {
        return;
    }
    const CEditorCommands::ChosenFile file = m_commands.ChooseFile(false, nullptr, kMeshFilter);
    if (file.path.empty()) {
        return;
    }
    Heightfield heights = Document().World().HeightsSnapshot();
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
    RunExport(
        [path = *path, heights = std::move(heights), options](Progress* progress) {
            MeshExportOptions withProgress = options;
            withProgress.progress = progress;
            return ::ExportMesh(path, heights, withProgress);
        },
        file.name);
}

void CTerrainFileCommands::Resample()
{
    if (m_commands.RefusedWhileBusy()) {
        return;
    }
    const int side = Document().World().Side();
    const std::optional<int> chosen = AskSide(OwnerWidget(), QStringLiteral("Resample"), side);
    if (!chosen || *chosen == side) {
        return;
    }
    const int target = *chosen;
    const bool inBackground = std::max(side, target) >= kBackgroundSide;
    if (inBackground) {
        ShowStatus(L"Resampling to " + std::to_wstring(target) + L" x " + std::to_wstring(target));
    }
    m_commands.Job().Run<Heightfield>(
        inBackground, QStringLiteral("Resample"), CBackgroundJob::OnCancel::Drop,
        [heights = Document().World().HeightsSnapshot(), target](Progress* progress) {
            return ResampleHeightfield(heights, target, progress);
        },
        [this, target](Result<Heightfield> resampled) {
            const Result<> applied =
                resampled ? Document().ApplyResample(resampled.value()) : Result<>(Failure{resampled.reason()});
            ShowStatus(applied ? L"Resampled to " + std::to_wstring(target) + L" x " + std::to_wstring(target)
                               : L"Resample failed: " + Wide(applied.reason()));
        });
}
