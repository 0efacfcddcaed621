// Windows for benchmarks: handles with fixed client sizes that take presented frames and drop
// them, so that a benchmark measures the drawing and not the keeping of images. Installs itself
// as the device's window host for its lifetime.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <utility>

#include "platform/d3d9/d3d9.h"
#include "platform/d3d9/window_host.h"

class BenchWindowHost final : public ID3D9WindowHost {
public:
    BenchWindowHost() { D3D9SetWindowHost(this); }
    ~BenchWindowHost() override { D3D9SetWindowHost(nullptr); }
    BenchWindowHost(const BenchWindowHost&) = delete;
    BenchWindowHost& operator=(const BenchWindowHost&) = delete;

    HWND AddWindow(UINT width, UINT height)
    {
        const auto window = reinterpret_cast<HWND>(0x100 + 0x10 * m_sizes.size());
        m_sizes[window] = {width, height};
        return window;
    }
    bool IsLiveWindow(HWND window) const override { return m_sizes.contains(window); }
    bool GetClientSize(HWND window, UINT* width, UINT* height) const override
    {
        const auto found = m_sizes.find(window);
        if (found == m_sizes.end()) {
            return false;
        }
        *width = found->second.first;
        *height = found->second.second;
        return true;
    }
    void PresentImage(HWND, const D3D9PresentedImage& image) override { benchmark::DoNotOptimize(image.bgra[0]); }

private:
    std::map<HWND, std::pair<UINT, UINT>> m_sizes;
};
