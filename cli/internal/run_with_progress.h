// Runs a command's heavy step on a worker thread with a Progress and shows how far it is on
// stderr from the calling thread, so that the step itself never writes to the console.
#pragma once

#include "cli/command_line.h"
#include "cli/internal/progress_line.h"
#include "terrain/progress.h"

#include <chrono>
#include <functional>
#include <future>
#include <type_traits>
#include <utility>

// Shows progress of step until waitDone (which waits at most the time it is given) says the step
// has ended.
void ShowProgressUntilDone(const Console& console, const ProgressStep& step, const Progress& progress,
                           const std::function<bool(std::chrono::milliseconds)>& waitDone);

// work(Progress&) -> Result<T>, run on a worker thread; its result.
template <typename Work>
std::invoke_result_t<Work, Progress&> RunWithProgress(const Console& console, const ProgressStep& step, Work&& work)
{
    Progress progress;
    auto done = std::async(std::launch::async, [&] { return std::forward<Work>(work)(progress); });
    ShowProgressUntilDone(console, step, progress, [&](std::chrono::milliseconds wait) {
        return done.wait_for(wait) == std::future_status::ready;
    });
    return done.get();
}
