// Driving the panels through their widgets: a shown host window for child panels, clicks on
// buttons, user moves of echo sliders, control texts.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "platform/win/cdialog.h"
#include "scene/primitive.h"
#include "ui/slider_ctrl_with_echo.h"
#include "world/terrain_world.h"
#include "world/world_app.h"

// Slider values come back on the trackbar's steps, a hundred-thousandth of the range: a
// tolerance that covers ranges up to 50 wide and still tells colour bytes apart.
inline constexpr float kSliderStep = 5e-4f;

// A primitive that draws nothing: the panels only read and write its attributes.
class PlainPrimitive : public TQR_Primitive {
protected:
    void DrawGeometry(int, TQR_DrawHelper*) override {}
};

// Registers the panel templates and shows a plain pop-up host for child panels.
class PanelHost {
public:
    PanelHost();
    CDialog& Window() { return m_host; }

private:
    CDialog m_host;
};

// A world registered as the application's for as long as it lives, as the panels reach it.
class RegisteredWorld : public IWorldApplication {
public:
    RegisteredWorld() { SetWorldApplication(this); }
    ~RegisteredWorld() { SetWorldApplication(nullptr); }
    RegisteredWorld(const RegisteredWorld&) = delete;
    RegisteredWorld& operator=(const RegisteredWorld&) = delete;

    CTerrainWorld& GetWorld() override { return m_world; }

private:
    CTerrainWorld m_world;
};

// The panel's echo slider bound to the control id.
TQRMFC_SliderCtrlWithEcho& SliderOf(const CWnd& panel, int id);
// A left click in the middle of the dialog's control; fails the test when there is none.
void ClickControl(const CWnd& dialog, int id);
// Moves the thumb as the user would, so that the owner receives WM_HSCROLL; fails the test when
// the value is outside the slider's range.
void MoveSliderTo(TQRMFC_SliderCtrlWithEcho& slider, float value);
std::wstring ControlText(const CWnd& dialog, int id);
bool IsControlEnabled(const CWnd& dialog, int id);

// A panel made from its template inside a shown host, over a registered world.
template <class Panel, unsigned int kTemplateId> class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_panel.Create(kTemplateId, &m_host.Window()));
        m_panel.ShowWindow(SW_SHOW);
    }

    TQRMFC_SliderCtrlWithEcho& Slider(int id) { return SliderOf(m_panel, id); }
    CTerrainWorld& World() { return m_world.GetWorld(); }

    PanelHost m_host;
    RegisteredWorld m_world;
    Panel m_panel;
};
