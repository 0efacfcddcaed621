#include "app/erosion_command.h"

#include "app/editor_commands.h"
#include "editor/terrain_document.h"
#include "scene/status.h"
#include "world/terrain_world.h"

#include <QString>

namespace {

std::wstring Describe(const HydraulicErosionParameters& p)
{
    return std::to_wstring(p.droplets) + L" droplets, seed " + std::to_wstring(p.seed);
}

std::wstring Describe(const ThermalErosionParameters& p)
{
    return L"talus " + QString::number(static_cast<double>(p.talusAngleDegrees)).toStdWString() + L" degrees, " +
           std::to_wstring(p.iterations) + L" iterations";
}

Result<Heightfield> Eroded(const Heightfield& heights, const HydraulicErosionParameters& p, Progress* progress)
{
    Result<HydraulicErosion> eroded = ErodeHydraulically(heights, p, progress);
    if (!eroded) {
        return Failure{eroded.reason()};
    }
    return std::move(eroded.value().field);
}

Result<Heightfield> Eroded(const Heightfield& heights, const ThermalErosionParameters& p, Progress* progress)
{
    return ErodeThermally(heights, p, progress);
}

} // namespace

Result<Heightfield> ErodedHeights(const Heightfield& heights, const ErosionChoice& choice, Progress* progress)
{
    return std::visit([&](const auto& p) { return Eroded(heights, p, progress); }, choice);
}

void Erode(CEditorCommands& commands, const ErosionChoice& choice)
{
    if (commands.RefusedWhileBusy()) {
        return;
    }
    const std::wstring what = std::visit([](const auto& p) { return Describe(p); }, choice);
    ShowStatus(L"Eroding: " + what);
    CTerrainDocument& document = commands.Document();
    commands.Job().Start<Heightfield>(
        QStringLiteral("Erode"), CBackgroundJob::OnCancel::Drop,
        [heights = document.World().HeightsSnapshot(), choice](Progress* progress) {
            return ErodedHeights(heights, choice, progress);
        },
        [&document, what](Result<Heightfield> eroded) {
            const Result<> applied =
                eroded ? document.ApplyErosion(eroded.value()) : Result<>(Failure{eroded.reason()});
            ShowStatus(applied ? L"Eroded: " + what
                               : L"Erode failed: " + QString::fromStdString(applied.reason()).toStdWString());
        });
}
