// Test windows for the device: handles with client sizes, a live flag, and the last image
// presented into each.
#pragma once

#include "platform/d3d9/window_host.h"

#include <cstdint>
#include <map>
#include <vector>

struct PresentedFrame {
    UINT width = 0;
    UINT height = 0;
    std::vector<std::uint8_t> bgra;
};

// Installs itself as the window host for its lifetime.
class FakeWindowHost final : public ID3D9WindowHost {
public:
    FakeWindowHost();
    ~FakeWindowHost() override;
    FakeWindowHost(const FakeWindowHost&) = delete;
    FakeWindowHost& operator=(const FakeWindowHost&) = delete;

    HWND AddWindow(UINT width, UINT height);
    void DestroyWindow(HWND window);
    // Null until something was presented into the window.
    const PresentedFrame* LastFrame(HWND window) const;
    int PresentCount(HWND window) const;

    bool IsLiveWindow(HWND window) const override;
    bool GetClientSize(HWND window, UINT* width, UINT* height) const override;
    void PresentImage(HWND window, const D3D9PresentedImage& image) override;

private:
    struct Window {
        UINT width = 0;
        UINT height = 0;
        bool live = true;
        int presents = 0;
        PresentedFrame frame;
    };
    std::map<HWND, Window> m_windows;
    std::uintptr_t m_nextHandle = 0x100;
};
