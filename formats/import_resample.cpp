#include "formats/import_resample.h"

#include <algorithm>
#include <vector>

namespace {

// Where output index i falls between two source samples: the lower one and the weight of the
// upper one.
struct Tap {
    int lower;
    float weight;
};

std::vector<Tap> Taps(int from, int to)
{
    std::vector<Tap> taps(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from - 1) / (to - 1);
    for (int i = 0; i < to; ++i) {
        const double position = i * scale;
        const int lower = std::min(static_cast<int>(position), from - 2);
        taps[static_cast<std::size_t>(i)] = {lower, static_cast<float>(position - lower)};
    }
    return taps;
}

} // namespace

Heightfield ResampleForImport(const Heightfield& heights, int side)
{
    const std::vector<Tap> taps = Taps(heights.Side(), side);
    Heightfield resampled(side);
    for (int row = 0; row < side; ++row) {
        const Tap r = taps[static_cast<std::size_t>(row)];
        for (int column = 0; column < side; ++column) {
            const Tap c = taps[static_cast<std::size_t>(column)];
            const float top =
                heights.At(r.lower, c.lower) * (1 - c.weight) + heights.At(r.lower, c.lower + 1) * c.weight;
            const float bottom =
                heights.At(r.lower + 1, c.lower) * (1 - c.weight) + heights.At(r.lower + 1, c.lower + 1) * c.weight;
            resampled.At(row, column) = top * (1 - r.weight) + bottom * r.weight;
        }
    }
    return resampled;
}
