// Feeds arbitrary text to the height file reader: a full grid's worth of numbers and a short
// prefix of it must agree, whatever reads must save and read back, and loading through a file
// either takes every number or changes no sample.
#include "fuzz/fuzz_support.h"
#include "world/height_file.h"
#include "world/terrain_heights.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kGridSize = CTerrainHeights::kDefaultGridSize;
constexpr std::size_t kFileSide = kGridSize - 1;
constexpr std::size_t kFileCount = kFileSide * kFileSide;

Result<> Read(const std::string& text, std::size_t count, std::vector<float>& values)
{
    std::istringstream in(text);
    return ReadHeightValues(in, count, values);
}

void CheckPrefixAgrees(const std::string& text, const std::vector<float>& all, std::size_t count)
{
    std::vector<float> prefix;
    Require(Read(text, count, prefix).ok(), "the first numbers of a readable file are readable");
    for (std::size_t i = 0; i < count; ++i) {
        Require(prefix[i] == all[i] || (prefix[i] != prefix[i] && all[i] != all[i]), "a prefix reads the same");
    }
}

void CheckSavedReadsBack(const std::vector<float>& values)
{
    std::vector<float> again;
    Require(Read(FormatHeightValues(values), values.size(), again).ok(), "saved heights read back");
}

// Loads through a file into a grid of known samples and compares with what the reader gave.
void CheckLoad(const std::string& text, bool readable, const std::vector<float>& values)
{
    static const ScratchFile file("heights.txt");
    if (!file.Write(text.data(), text.size())) {
        return;
    }
    CTerrainHeights heights(kGridSize);
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            heights.SetSample(row, column, static_cast<float>(row * kGridSize + column));
        }
    }
    const Result<> loaded = heights.LoadHeights(file.Path().string());
    Require(loaded.ok() == readable, "the loader and the reader agree");
    Require(loaded.ok() || !loaded.reason().empty(), "a failed load has a reason");
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column) {
            const float before = static_cast<float>(row * kGridSize + column);
            const bool fromFile =
                loaded.ok() && row < static_cast<int>(kFileSide) && column < static_cast<int>(kFileSide);
            const float expected = fromFile ? values[static_cast<std::size_t>(row) * kFileSide + column] : before;
            const float sample = heights.GetSample(row, column);
            Require(sample == expected || (sample != sample && expected != expected),
                    "a load takes every number in order or changes nothing");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<float> values;
    const Result<> read = Read(text, kFileCount, values);
    Require(read.ok() == read.reason().empty(), "a failure has a reason and a success none");
    if (read.ok()) {
        Require(values.size() == kFileCount, "a success gives every number");
        CheckPrefixAgrees(text, values, 1 + size % kFileSide);
        CheckSavedReadsBack(values);
    }
    // Writing a file for every input would slow the search down; one in sixteen suffices.
    if (read.ok() || size % 16 == 0) {
        CheckLoad(text, read.ok(), values);
    }
    return 0;
}
