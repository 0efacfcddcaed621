#include "app/background_job.h"

#include "scene/status.h"

#include <QtConcurrent/QtConcurrentRun>

CBackgroundJob::CBackgroundJob()
{
    m_workers.setMaxThreadCount(1);
    QObject::connect(&m_watcher, &QFutureWatcher<void>::finished, &m_watcher, [this] { Finished(); });
}

CBackgroundJob::~CBackgroundJob()
{
    if (IsRunning()) {
        m_progress->Cancel();
        m_watcher.disconnect();
        m_watcher.waitForFinished();
    }
}

void CBackgroundJob::Cancel()
{
    if (IsRunning()) {
        m_progress->Cancel();
    }
}

bool CBackgroundJob::StartWork(const QString& title, OnCancel onCancel, std::function<void(Progress&)> work,
                               std::function<void()> finish)
{
    if (IsRunning()) {
        return false;
    }
    // The worker holds the progress too: it may still report after the runner has gone.
    std::shared_ptr<Progress> progress = std::make_shared<Progress>();
    m_progress = progress;
    m_title = title;
    m_onCancel = onCancel;
    m_finish = std::move(finish);
    m_watcher.setFuture(QtConcurrent::run(&m_workers, [progress, work = std::move(work)] { work(*progress); }));
    if (m_stateChanged) {
        m_stateChanged();
    }
    return true;
}

void CBackgroundJob::Finished()
{
    // The job is over before its result is applied, so that the result may start the next job.
    const bool cancelled = m_progress->IsCancelled();
    const QString title = std::exchange(m_title, QString());
    const std::function<void()> finish = std::exchange(m_finish, {});
    m_progress.reset();
    if (m_stateChanged) {
        m_stateChanged();
    }
    if (cancelled && m_onCancel == OnCancel::Drop) {
        ShowStatus((title + QStringLiteral(" cancelled")).toStdWString());
        return;
    }
    finish();
}
