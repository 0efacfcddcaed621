// Heavy whole-grid work (a generation, a resample, an import or an export of a big terrain) on a
// worker thread, one job at a time, so that the window keeps ticking while it runs. The work
// gets a Progress to report to and to stop at; its result comes back on the user-interface
// thread, where the caller applies it. A cancelled job's result is dropped there, so cancelling
// a job that changes the terrain changes nothing, however far the worker got.
//
// Implements: one running job, progress as a fraction, Cancel, the work at once on the calling
// thread when it is small. Leaves out: queues of jobs, jobs that apply partial results.
#pragma once

#include "base/result.h"
#include "terrain/progress.h"

#include <QFutureWatcher>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

// Work on grids of this side and more runs on a worker; smaller grids are done at once.
inline constexpr int kBackgroundSide = 2049;
// Files of this size and more are imported on a worker (a 16-bit grid of about 1450 a side).
inline constexpr long long kBackgroundFileBytes = 4LL << 20;

class CBackgroundJob {
public:
    // What becomes of a job's result when the job was cancelled.
    enum class OnCancel {
        Drop,   // never applied: the work only computes (a generation, a resample, an import)
        Finish, // handed to finish all the same: the work wrote a file before it saw the cancel,
                // or failed with "cancelled" when it stopped first, and finish says which
    };

    // The job runs on a worker of the runner's own: the application's global pool is Qt's,
    // which waits for it while painting.
    CBackgroundJob();
    // Cancels a running job and waits for its worker; its result is never applied.
    ~CBackgroundJob();
    CBackgroundJob(const CBackgroundJob&) = delete;
    CBackgroundJob& operator=(const CBackgroundJob&) = delete;

    bool IsRunning() const { return m_progress != nullptr; }
    // What the running job does ("Generate", "Export"), empty when none runs.
    const QString& Title() const { return m_title; }
    // How far the running job is, 0..1.
    double Fraction() const { return m_progress != nullptr ? m_progress->Fraction() : 0.0; }
    // Asks the running job to stop; the status line says so when the result is dropped.
    void Cancel();
    // The one worker thread jobs run on; a test may hold it busy to keep a job queued.
    QThreadPool& Workers() { return m_workers; }
    // Called on the user-interface thread when a job starts and when it has ended.
    void SetStateListener(std::function<void()> listener) { m_stateChanged = std::move(listener); }

    // Runs work (Result<T>(Progress*)) on a worker, then finish(Result<T>) on this thread (for a
    // cancelled job as onCancel says). False, starting nothing, while another job runs.
    template <typename T, typename Work, typename Finish>
    bool Start(const QString& title, OnCancel onCancel, Work work, Finish finish)
    {
        auto result = std::make_shared<std::optional<Result<T>>>();
        return StartWork(
            title, onCancel, [result, work = std::move(work)](Progress& progress) { result->emplace(work(&progress)); },
            [result, finish = std::move(finish)] { finish(std::move(**result)); });
    }
    // As Start when inBackground; otherwise work and finish at once, on this thread.
    template <typename T, typename Work, typename Finish>
    bool Run(bool inBackground, const QString& title, OnCancel onCancel, Work work, Finish finish)
    {
        if (inBackground) {
            return Start<T>(title, onCancel, std::move(work), std::move(finish));
        }
        finish(work(nullptr));
        return true;
    }

private:
    bool StartWork(const QString& title, OnCancel onCancel, std::function<void(Progress&)> work,
                   std::function<void()> finish);
    void Finished();

    QThreadPool m_workers;
    QFutureWatcher<void> m_watcher;
    std::shared_ptr<Progress> m_progress;
    QString m_title;
    OnCancel m_onCancel = OnCancel::Drop;
    std::function<void()> m_finish;
    std::function<void()> m_stateChanged;
};
