#include "ui/tests/panel_test_support.h"

#include <QSlider>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "app/resources/panel_templates.h"
#include "platform/win/dialog_template.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

namespace {

constexpr UINT kHostTemplate = 9800;

DialogTemplate HostTemplate()
{
    DialogTemplate t;
    t.id = kHostTemplate;
    t.cx = 400;
    t.cy = 300;
    return t;
}

} // namespace

PanelHost::PanelHost() : m_host(kHostTemplate)
{
    RegisterPanelTemplates();
    RegisterDialogTemplate(HostTemplate());
    EXPECT_TRUE(m_host.Create(kHostTemplate));
    m_host.ShowWindow(SW_SHOW);
}

TQRMFC_SliderCtrlWithEcho& SliderOf(const CWnd& panel, int id)
{
    return *static_cast<TQRMFC_SliderCtrlWithEcho*>(panel.GetDlgItem(id));
}

void ClickControl(const CWnd& dialog, int id)
{
    QWidget* button = WidgetOfWindow(::GetDlgItem(dialog.m_hWnd, id));
    ASSERT_NE(button, nullptr) << "no control " << id;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void MoveSliderTo(TQRMFC_SliderCtrlWithEcho& slider, float value)
{
    auto* widget = static_cast<QSlider*>(WidgetOfWindow(slider.m_hWnd));
    ASSERT_NE(widget, nullptr) << "the slider has no window";
    const int before = slider.GetPos();
    ASSERT_TRUE(slider.SetValue(value)) << value << " is outside the slider's range";
    const int target = slider.GetPos();
    // Setting the position by message notifies nobody; the widget's own move then does.
    slider.SetPos(target == before ? (target == 0 ? 1 : target - 1) : before);
    widget->setValue(target);
}

std::wstring ControlText(const CWnd& dialog, int id) { return GetWindowTextString(::GetDlgItem(dialog.m_hWnd, id)); }

bool IsControlEnabled(const CWnd& dialog, int id) { return IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, id)) != FALSE; }
