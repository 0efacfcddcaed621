// Test windows for the device: handles with client sizes, a live flag, and the last image
// presented into each (a copy, as a real window keeps one).
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
class TestWindowHost final : public ID3D9WindowHost {
public:
    // Handles count up from firstHandle, so that hosts of different test helpers hand out
    // different numbers.
    explicit TestWindowHost(std::uintptr_t firstHandle = 0x100);
    ~TestWindowHost() override;
    TestWindowHost(const TestWindowHost&) = delete;
    TestWindowHost& operator=(const TestWindowHost&) = delete;

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
    std::uintptr_t m_nextHandle;
};
