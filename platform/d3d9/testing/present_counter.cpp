#include "platform/d3d9/testing/present_counter.h"

PresentCounter::PresentCounter() : m_next(D3D9GetWindowHost()) { D3D9SetWindowHost(this); }

PresentCounter::~PresentCounter() { D3D9SetWindowHost(m_next); }

int PresentCounter::Count(HWND window) const
{
    const auto found = m_counts.find(window);
    return found == m_counts.end() ? 0 : found->second;
}

bool PresentCounter::IsLiveWindow(HWND window) const { return m_next != nullptr && m_next->IsLiveWindow(window); }

bool PresentCounter::GetClientSize(HWND window, UINT* width, UINT* height) const
{
    return m_next != nullptr && m_next->GetClientSize(window, width, height);
}

void PresentCounter::PresentImage(HWND window, const D3D9PresentedImage& image)
{
    ++m_counts[window];
    if (m_next != nullptr) {
        m_next->PresentImage(window, image);
    }
}
