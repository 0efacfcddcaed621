#include "cli/internal/run_with_progress.h"

namespace {

// How often the progress line is brought up to date.
constexpr std::chrono::milliseconds kProgressTick{100};

} // namespace

void ShowProgressUntilDone(const Console& console, const ProgressStep& step, const Progress& progress,
                           const std::function<bool(std::chrono::milliseconds)>& waitDone)
{
    ProgressLine line(step, console.errIsTerminal);
    const auto start = std::chrono::steady_clock::now();
    while (!waitDone(kProgressTick)) {
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        console.err << line.Update(elapsed, progress.Fraction()) << std::flush;
    }
    console.err << line.Finish() << std::flush;
}
