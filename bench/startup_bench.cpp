// From start to the first frame shown: a new world (a 65 x 65 terrain generated), the editor's
// main window made and shown offscreen, and the event loop run until both views have presented
// a frame (the first timer tick draws them). Settings and the recovery file go to a scratch
// folder; the working folder has the mesh data.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>

#include <cstdlib>
#include <memory>

#include "app/main_window.h"
#include "app/resources/resources.h"
#include "base/testing/temp_folder.h"
#include "platform/d3d9/testing/device_probe.h"
#include "platform/d3d9/testing/present_counter.h"
#include "platform/win/win_app.h"
#include "world/terrain_world.h"
#include "world/testing/world_folder.h"
#include "world/world_app.h"

namespace {

// Longer than any start should take: a start that shows nothing by then is reported, not waited on.
constexpr qint64 kGiveUpMs = 10000;

class BenchApplication final : public IWorldApplication {
public:
    BenchApplication() { SetWorldApplication(this); }
    ~BenchApplication() { SetWorldApplication(nullptr); }
    BenchApplication(const BenchApplication&) = delete;
    BenchApplication& operator=(const BenchApplication&) = delete;

    CTerrainWorld& GetWorld() override { return m_world; }

private:
    CTerrainWorld m_world;
};

// Runs the event loop until both views of the window have presented a frame; false when that
// does not happen within kGiveUpMs.
bool WaitForFirstFrames(CMainWindow& window, const PresentCounter& presents)
{
    const HWND big = window.Dialog().BigView().GetWindow();
    const HWND small = window.Dialog().SmallView().GetWindow();
    QElapsedTimer waited;
    waited.start();
    while (presents.Count(big) == 0 || presents.Count(small) == 0) {
        if (waited.elapsed() > kGiveUpMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

void BM_StartToFirstFrame(benchmark::State& state)
{
    ScopedWorldFolder folder;
    TempFolder places;
    if (!folder.IsReady() || !CanCreateD3D9Device()) {
        state.SkipWithError("no mesh data or no OpenGL device");
        return;
    }
    QSettings settings(QString::fromStdString(places.Path("settings.ini")), QSettings::IniFormat);
    for (auto _ : state) {
        PresentCounter presents;
        auto application = std::make_unique<BenchApplication>();
        auto window = std::make_unique<CMainWindow>(application->GetWorld(), settings, places.Path("recovery.relief"));
        window->show();
        const bool shown = WaitForFirstFrames(*window, presents);
        state.PauseTiming();
        window.reset();
        application.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        if (!shown) {
            state.SkipWithError("the views showed no frame");
            return;
        }
    }
}

} // namespace

BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// The window system comes up once, offscreen unless QT_QPA_PLATFORM says otherwise, as the
// editor's own start brings it up before the main window.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    WinSystem system(argc, argv);
    RegisterReliefResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
