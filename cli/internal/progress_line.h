// The progress a command shows on stderr while one of its steps runs: nothing during the first
// second, then on a terminal a single line rewritten in place ("relief: eroding 45%"), elsewhere
// (a log file, a pipe) a plain line at every tenth of the way, so that a log stays short.
#pragma once

#include <chrono>
#include <string>

// A step of a command as its progress names it.
struct ProgressStep {
    std::string label;     // "generating 1025 x 1025", "reading "in.png""
    bool measured = false; // the step reports how far it is; otherwise only that it is running
};

// Steps that end sooner show nothing.
inline constexpr std::chrono::milliseconds kSilentProgressTime{1000};

class ProgressLine {
public:
    ProgressLine(ProgressStep step, bool terminal) : m_step(std::move(step)), m_terminal(terminal) {}

    // The text to print once the step has run for elapsed and is at fraction (0..1) of its
    // work, or "" when nothing changed that is worth showing.
    std::string Update(std::chrono::milliseconds elapsed, double fraction);
    // The text to print when the step ends: the end of a terminal line that was shown, else "".
    std::string Finish() const;

private:
    std::string Line(const std::string& text) const;

    ProgressStep m_step;
    bool m_terminal;
    bool m_shown = false;
    int m_shownPercent = 0;
};
