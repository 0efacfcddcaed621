#include "app/job_progress.h"

#include "app/background_job.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>

namespace {

constexpr int kSteps = 1000;
constexpr int kPollMs = 100;

} // namespace

CJobProgress::CJobProgress(CBackgroundJob& job, QWidget* parent) : QWidget(parent), m_job(job)
{
    setObjectName(QStringLiteral("jobProgress"));
    m_title = new QLabel(this);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("jobProgressBar"));
    m_bar->setRange(0, kSteps);
    m_bar->setMaximumWidth(160);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("jobCancel"));
    m_cancel->setToolTip(QStringLiteral("Stop the running job; the terrain and the files stay as they were"));
    // The button takes no focus, so that Space stays the animation switch.
    m_cancel->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel);
    QObject::connect(m_cancel, &QPushButton::clicked, this, [this] { m_job.Cancel(); });
    QObject::connect(&m_poll, &QTimer::timeout, this, [this] { ShowFraction(); });
    m_poll.setInterval(kPollMs);
    Follow();
}

void CJobProgress::Follow()
{
    const bool running = m_job.IsRunning();
    setVisible(running);
    if (running) {
        m_title->setText(m_job.Title());
        ShowFraction();
        m_poll.start();
    } else {
        m_poll.stop();
    }
}

void CJobProgress::ShowFraction() { m_bar->setValue(static_cast<int>(std::lround(m_job.Fraction() * kSteps))); }
