// How far a long operation is, and whether the user asked it to stop. The worker thread that
// runs the operation reports; the user-interface thread reads the fraction and may cancel. Both
// sides only touch atomics, so neither ever waits for the other.
#pragma once

#include <atomic>

// The reason an operation gives when it stopped because progress was cancelled.
inline constexpr const char* kCancelledReason = "cancelled";

class Progress {
public:
    // fraction in 0..1 of the whole operation.
    void Report(double fraction) { m_fraction.store(fraction, std::memory_order_relaxed); }
    double Fraction() const { return m_fraction.load(std::memory_order_relaxed); }

    void Cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool IsCancelled() const { return m_cancelled.load(std::memory_order_relaxed); }

private:
    std::atomic<double> m_fraction{0.0};
    std::atomic<bool> m_cancelled{false};
};

// Reports to progress, which may be null (nobody is watching and nobody can cancel).
inline void ReportProgress(Progress* progress, double fraction)
{
    if (progress != nullptr) {
        progress->Report(fraction);
    }
}
inline bool IsCancelled(const Progress* progress) { return progress != nullptr && progress->IsCancelled(); }
