// The status bar's part for a background job: what it does, a progress bar and a Cancel
// button, shown only while a job runs. The bar follows the job's fraction a few times a second.
#pragma once

#include <QTimer>
#include <QWidget>

class CBackgroundJob;
class QLabel;
class QProgressBar;
class QPushButton;

class CJobProgress final : public QWidget {
public:
    // The job must outlive the widget.
    CJobProgress(CBackgroundJob& job, QWidget* parent);

    // Shows or hides the widget as the job runs or not; called when the job starts or ends.
    void Follow();

private:
    void ShowFraction();

    CBackgroundJob& m_job;
    QLabel* m_title = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer m_poll;
};
