#include "platform/d3d9/testing/test_window_host.h"

TestWindowHost::TestWindowHost(std::uintptr_t firstHandle) : m_nextHandle(firstHandle) { D3D9SetWindowHost(this); }

TestWindowHost::~TestWindowHost() { D3D9SetWindowHost(nullptr); }

HWND TestWindowHost::AddWindow(UINT width, UINT height)
{
    const auto window = reinterpret_cast<HWND>(m_nextHandle);
    m_nextHandle += 0x10;
    Window added;
    added.width = width;
    added.height = height;
    m_windows[window] = added;
    return window;
}

void TestWindowHost::DestroyWindow(HWND window) { m_windows.at(window).live = false; }

const PresentedFrame* TestWindowHost::LastFrame(HWND window) const
{
    const auto found = m_windows.find(window);
    return found == m_windows.end() || found->second.presents == 0 ? nullptr : &found->second.frame;
}

int TestWindowHost::PresentCount(HWND window) const
{
    const auto found = m_windows.find(window);
    return found == m_windows.end() ? 0 : found->second.presents;
}

bool TestWindowHost::IsLiveWindow(HWND window) const
{
    const auto found = m_windows.find(window);
    return found != m_windows.end() && found->second.live;
}

bool TestWindowHost::GetClientSize(HWND window, UINT* width, UINT* height) const
{
    if (!IsLiveWindow(window)) {
        return false;
    }
    const Window& found = m_windows.at(window);
    *width = found.width;
    *height = found.height;
    return true;
}

void TestWindowHost::PresentImage(HWND window, const D3D9PresentedImage& image)
{
    Window& target = m_windows.at(window);
    ++target.presents;
    target.frame.width = image.width;
    target.frame.height = image.height;
    target.frame.bgra.assign(image.bgra, image.bgra + static_cast<std::size_t>(image.width) * image.height * 4);
}
