#include "editor_fixture.h"

#include "app/resources/main_dialog_ids.h"
#include "app/resources/resources.h"
#include "platform/d3d9/testing/device_probe.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QAction>
#include <QEventLoop>
#include <QPixmap>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cmath>

namespace {

// The echo slider's integer range.
constexpr int kStepCount = 100000;

QImage Grab(HWND window)
{
    QWidget* widget = WidgetOfWindow(window);
    return widget != nullptr ? widget->grab().toImage() : QImage();
}

} // namespace

TestWorldApplication::TestWorldApplication(const ManualTime& time) : m_world(time.MakeClock())
{
    SetWorldApplication(this);
}

TestWorldApplication::~TestWorldApplication() { SetWorldApplication(nullptr); }

EditorDriver::RegisteredResources::RegisteredResources() { RegisterReliefResources(); }

EditorDriver::EditorDriver(std::string recoveryPath)
    : m_application(m_time), m_settings(QString::fromStdString(m_places.Path("settings.ini")), QSettings::IniFormat),
      m_recoveryPath(recoveryPath.empty() ? m_places.Path("data/recovery.relief") : std::move(recoveryPath))
{
    Reopen();
}

EditorDriver::~EditorDriver() = default;

void EditorDriver::Reopen()
{
    m_window.reset();
    auto timer = std::make_unique<ManualIntervalTimer>();
    m_recoveryTimer = timer.get();
    m_window = std::make_unique<CMainWindow>(m_application.GetWorld(), m_settings, m_recoveryPath, std::move(timer));
    m_window->show();
}

bool EditorDriver::IsOpen() const { return m_window->isVisible() && IsWindow(m_window->Dialog().GetSafeHwnd()); }

QWidget* EditorDriver::Widget(int id) const
{
    return WidgetOfWindow(::GetDlgItem(m_window->Dialog().GetSafeHwnd(), id));
}

void EditorDriver::Trigger(EditorAction action) { m_window->Action(action)->trigger(); }

bool EditorDriver::WaitForJob()
{
    constexpr int kJobLimitMs = 300000;
    CBackgroundJob& job = m_window->Commands().Job();
    for (int waited = 0; job.IsRunning() && waited < kJobLimitMs; waited += 20) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return !job.IsRunning();
}

void EditorDriver::Click(int id)
{
    QWidget* button = Widget(id);
    if (button != nullptr) {
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    }
}

bool EditorDriver::Tick() { return m_timers.Fire(Dialog().GetSafeHwnd(), 0); }

bool EditorDriver::IsVertical(int id) const
{
    return (GetWindowLongW(::GetDlgItem(m_window->Dialog().GetSafeHwnd(), id), GWL_STYLE) & TBS_VERT) != 0;
}

void EditorDriver::MoveSlider(int id, float minimum, float maximum, float value)
{
    auto* slider = static_cast<QSlider*>(Widget(id));
    if (slider == nullptr) {
        return;
    }
    const int position = static_cast<int>(std::lround((value - minimum) / (maximum - minimum) * kStepCount));
    // A vertical trackbar has its minimum at the top.
    slider->setValue(IsVertical(id) ? kStepCount - position : position);
}

float EditorDriver::SliderValue(int id, float minimum, float maximum) const
{
    const auto* slider = static_cast<const QSlider*>(Widget(id));
    if (slider == nullptr) {
        return std::nanf("");
    }
    const int position = IsVertical(id) ? kStepCount - slider->value() : slider->value();
    return minimum + (maximum - minimum) * static_cast<float>(position) / kStepCount;
}

std::wstring EditorDriver::Text(int id) const
{
    return GetWindowTextString(::GetDlgItem(m_window->Dialog().GetSafeHwnd(), id));
}

bool EditorDriver::IsChecked(int id) const { return m_window->Dialog().IsDlgButtonChecked(id) == BST_CHECKED; }

void EditorDriver::AnswerFileDialog(const std::string& path)
{
    m_dialogs.QueueFileAnswer({true, std::wstring(path.begin(), path.end())});
}

QImage EditorDriver::BigViewImage() { return Grab(Dialog().BigView().GetViewWindow().GetSafeHwnd()); }

QImage EditorDriver::SmallViewImage() { return Grab(Dialog().SmallView().GetViewWindow().GetSafeHwnd()); }

void EditorTest::SetUp()
{
    if (!CanCreateD3D9Device()) {
        GTEST_SKIP() << kNoDeviceReason;
    }
    ASSERT_TRUE(m_folder.IsReady());
    m_editor = std::make_unique<EditorDriver>();
    ASSERT_TRUE(m_editor->IsOpen());
    ASSERT_TRUE(m_editor->Tick()) << "the first tick makes the floor mesh";
}

std::vector<float> EditorTest::FloorHeights()
{
    CTerrainWorld& world = m_editor->World();
    std::vector<float> heights;
    for (int row = 0; row <= 60; row += 15) {
        for (int column = 0; column <= 60; column += 15) {
            world.SetSelectedRow(row);
            world.SetSelectedColumn(column);
            heights.push_back(world.GetSelectedY());
        }
    }
    return heights;
}
