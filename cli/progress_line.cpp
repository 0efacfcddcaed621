#include "cli/internal/progress_line.h"

#include <algorithm>
#include <cmath>

namespace {

// A plain (not terminal) progress log writes a line at each such step.
constexpr int kLoggedPercentStep = 10;

} // namespace

std::string ProgressLine::Update(std::chrono::milliseconds elapsed, double fraction)
{
    if (elapsed < kSilentProgressTime) {
        return "";
    }
    if (!m_step.measured) {
        if (m_shown) {
            return "";
        }
        m_shown = true;
        return Line(m_step.label + "...");
    }
    const int percent = std::clamp(static_cast<int>(std::floor(fraction * 100.0)), 0, 100);
    const int step = m_terminal ? 1 : kLoggedPercentStep;
    if (m_shown && percent / step == m_shownPercent / step) {
        return "";
    }
    m_shown = true;
    m_shownPercent = percent;
    return Line(m_step.label + " " + std::to_string(percent) + "%");
}

std::string ProgressLine::Finish() const { return m_terminal && m_shown ? "\n" : ""; }

std::string ProgressLine::Line(const std::string& text) const
{
    return m_terminal ? "\rrelief: " + text : "relief: " + text + "\n";
}
