// Test support: a dialog from a small template with the two view placeholders of the main
// dialog, and the status line captured for the test's lifetime.
#pragma once

#include "platform/win/cdialog.h"

#include <string>
#include <vector>

inline constexpr int kBigViewPlaceholder = 1000;
inline constexpr int kSmallViewPlaceholder = 1010;

// Creates and shows the dialog; check IsWindow(m_hWnd) before use.
class ViewTestDialog : public CDialog {
public:
    ViewTestDialog();
};

// Records every status text while it lives.
class StatusCapture {
public:
    StatusCapture();
    ~StatusCapture();
    StatusCapture(const StatusCapture&) = delete;
    StatusCapture& operator=(const StatusCapture&) = delete;

    const std::vector<std::wstring>& Texts() const { return m_texts; }
    // The last text shown; "<none>" when nothing was shown.
    std::wstring Last() const { return m_texts.empty() ? L"<none>" : m_texts.back(); }

private:
    std::vector<std::wstring> m_texts;
};
