#include "fake_window_host.h"

FakeWindowHost::FakeWindowHost() { D3D9SetWindowHost(this); }

FakeWindowHost::~FakeWindowHost() { D3D9SetWindowHost(nullptr); }

HWND FakeWindowHost::AddWindow(UINT width, UINT height)
{
    const auto window = reinterpret_cast<HWND>(m_nextHandle);
    m_nextHandle += 0x10;
    Window added;
    added.width = width;
    added.height = height;
    m_windows[window] = added;
    return window;
}

void FakeWindowHost::DestroyWindow(HWND window) { m_windows.at(window).live = false; }

const PresentedFrame* FakeWindowHost::LastFrame(HWND window) const
{
    const auto found = m_windows.find(window);
    return found == m_windows.end() || found->second.presents == 0 ? nullptr : &found->second.frame;
}

int FakeWindowHost::PresentCount(HWND window) const
{
    const auto found = m_windows.find(window);
    return found == m_windows.end() ? 0 : found->second.presents;
}

bool FakeWindowHost::IsLiveWindow(HWND window) const
{
    const auto found = m_windows.find(window);
    return found != m_windows.end() && found->second.live;
}

bool FakeWindowHost::GetClientSize(HWND window, UINT* width, UINT* height) const
{
    if (!IsLiveWindow(window)) {
        return false;
    }
    const Window& found = m_windows.at(window);
    *width = found.width;
    *height = found.height;
    return true;
}

void FakeWindowHost::PresentImage(HWND window, const D3D9PresentedImage& image)
{
    Window& target = m_windows.at(window);
    ++target.presents;
    target.frame.width = image.width;
    target.frame.height = image.height;
    target.frame.bgra.assign(image.bgra, image.bgra + static_cast<std::size_t>(image.width) * image.height * 4);
}
