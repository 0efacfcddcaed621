// Temporary demo until the editor exists: generates one terrain and prints it as an ASCII map.
#include <algorithm>
#include <cstdio>
#include <string>

#include "world/terrain_heights.h"

namespace {

constexpr char kShades[] = " .:-=+*#%@";
constexpr int kShadeCount = sizeof(kShades) - 1;

char Shade(float height, float lowest, float highest) {
    const float span = highest > lowest ? highest - lowest : 1.0f;
    const int index = static_cast<int>((height - lowest) / span * (kShadeCount - 1) + 0.5f);
    return kShades[std::clamp(index, 0, kShadeCount - 1)];
}

} // namespace

int main() {
    CTerrainHeights heights;
    heights.SetRoughness(0.4f);
    heights.GenerateHeights();
    const int side = heights.GetGridSize();

    float lowest = heights.GetSample(0, 0);
    float highest = lowest;
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            lowest = std::min(lowest, heights.GetSample(row, column));
            highest = std::max(highest, heights.GetSample(row, column));
        }
    }

    std::printf("Relief: the terrain editor itself is not built yet.\n");
    std::printf("Demo: a %d by %d terrain generated at roughness 0.4, heights %.2f (' ') to %.2f ('@').\n\n", side,
                side, lowest, highest);
    for (int row = 0; row < side; ++row) {
        std::string line;
        for (int column = 0; column < side; ++column) {
            line.append(2, Shade(heights.GetSample(row, column), lowest, highest));
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}
