// Counts the frames presented into each window while it lives, handing every call on to the
// window host installed before it (and installing that one again when it goes): tests check
// whether a tick drew without replacing the real window layer.
#pragma once

#include "platform/d3d9/window_host.h"

#include <map>

class PresentCounter final : public ID3D9WindowHost {
public:
    PresentCounter();
    ~PresentCounter() override;
    PresentCounter(const PresentCounter&) = delete;
    PresentCounter& operator=(const PresentCounter&) = delete;

    int Count(HWND window) const;
    void Clear() { m_counts.clear(); }

    bool IsLiveWindow(HWND window) const override;
    bool GetClientSize(HWND window, UINT* width, UINT* height) const override;
    void PresentImage(HWND window, const D3D9PresentedImage& image) override;

private:
    ID3D9WindowHost* m_next;
    std::map<HWND, int> m_counts;
};
