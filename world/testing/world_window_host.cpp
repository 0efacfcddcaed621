#include "world/testing/world_window_host.h"

#include <cstdint>

namespace {

// Away from the handles other test hosts hand out.
constexpr std::uintptr_t kFirstHandle = 0x7000;

} // namespace

WorldWindowHost::WorldWindowHost() { D3D9SetWindowHost(this); }

WorldWindowHost::~WorldWindowHost() { D3D9SetWindowHost(nullptr); }

HWND WorldWindowHost::AddWindow(UINT width, UINT height) {
    const auto window = reinterpret_cast<HWND>(kFirstHandle + 0x10 * m_windows.size());
    m_windows[window] = Window{width, height, {}};
    return window;
}

const WorldImage& WorldWindowHost::LastImage(HWND window) const {
    const auto found = m_windows.find(window);
    return found != m_windows.end() ? found->second.image : m_noImage;
}

bool WorldWindowHost::IsLiveWindow(HWND window) const { return m_windows.count(window) != 0; }

bool WorldWindowHost::GetClientSize(HWND window, UINT* width, UINT* height) const {
    const auto found = m_windows.find(window);
    if (found == m_windows.end()) {
        return false;
    }
    *width = found->second.width;
    *height = found->second.height;
    return true;
}

void WorldWindowHost::PresentImage(HWND window, const D3D9PresentedImage& image) {
    const auto found = m_windows.find(window);
    if (found == m_windows.end()) {
        return;
    }
    WorldImage& kept = found->second.image;
    kept.width = static_cast<int>(image.width);
    kept.height = static_cast<int>(image.height);
    kept.bgra.assign(image.bgra, image.bgra + static_cast<std::size_t>(image.width) * image.height * 4);
}
