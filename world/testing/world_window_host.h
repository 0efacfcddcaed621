// Test windows for drawing the world headless: handles with fixed client sizes that keep the
// last image presented into them. Installs itself as the device's window host for its lifetime.
#pragma once

#include <map>

#include "platform/d3d9/window_host.h"
#include "world/testing/world_image.h"

class WorldWindowHost final : public ID3D9WindowHost {
public:
    WorldWindowHost();
    ~WorldWindowHost() override;
    WorldWindowHost(const WorldWindowHost&) = delete;
    WorldWindowHost& operator=(const WorldWindowHost&) = delete;

    HWND AddWindow(UINT width, UINT height);
    // Empty until something was presented into the window.
    const WorldImage& LastImage(HWND window) const;

    bool IsLiveWindow(HWND window) const override;
    bool GetClientSize(HWND window, UINT* width, UINT* height) const override;
    void PresentImage(HWND window, const D3D9PresentedImage& image) override;

private:
    struct Window {
        UINT width = 0;
        UINT height = 0;
        WorldImage image;
    };
    std::map<HWND, Window> m_windows;
    WorldImage m_noImage;
};
