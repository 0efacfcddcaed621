#include "terrain/resample.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "terrain/internal/parameter_check.h"

namespace {

// Rows between progress reports and cancellation checks.
constexpr int kProgressRows = 64;

// Where a target sample falls between two source samples.
struct SourceSpan {
    int first;   // the source sample before it, 0..sourceSide-2
    double part; // 0..1 of the way to the next one
};

// For each of side target positions along one axis, its place on a source axis of sourceSide
// samples; both axes span the same extent.
std::vector<SourceSpan> SourceSpans(int sourceSide, int side)
{
    std::vector<SourceSpan> spans(static_cast<std::size_t>(side));
    for (int i = 0; i < side; ++i) {
        // One rounding only, so the last target sample lands exactly on the last source sample.
        const double position = static_cast<double>(i) * (sourceSide - 1) / (side - 1);
        const int first = std::min(static_cast<int>(std::floor(position)), sourceSide - 2);
        spans[static_cast<std::size_t>(i)] = {first, position - first};
    }
    return spans;
}

double Lerp(double from, double to, double part) { return from + (to - from) * part; }

} // namespace

Result<Heightfield> ResampleHeightfield(const Heightfield& source, int side, Progress* progress)
{
    if (const Result<> check = CheckHeights("resample the terrain", source); !check.ok()) {
        return Failure{check.reason()};
    }
    if (side < 2 || side > kLargestResampledSide) {
        return Failure{"cannot resample the terrain: side " + std::to_string(side) + " is not between 2 and " +
                       std::to_string(kLargestResampledSide)};
    }
    const std::vector<SourceSpan> spans = SourceSpans(source.Side(), side);
    Heightfield target(side);
    for (int row = 0; row < side; ++row) {
        const SourceSpan& down = spans[static_cast<std::size_t>(row)];
        for (int column = 0; column < side; ++column) {
            const SourceSpan& across = spans[static_cast<std::size_t>(column)];
            const int r = down.first;
            const int c = across.first;
            const double upper = Lerp(source.At(r, c), source.At(r, c + 1), across.part);
            const double lower = Lerp(source.At(r + 1, c), source.At(r + 1, c + 1), across.part);
            target.At(row, column) = static_cast<float>(Lerp(upper, lower, down.part));
        }
        if ((row + 1) % kProgressRows == 0) {
            ReportProgress(progress, static_cast<double>(row + 1) / side);
            if (IsCancelled(progress)) {
                return Failure{kCancelledReason};
            }
        }
    }
    ReportProgress(progress, 1.0);
    return target;
}
