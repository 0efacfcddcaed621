#include "formats/heightmap.h"

#include "base/testing/temp_folder.h"
#include "formats/exr_heightmap.h"
#include "formats/png_heightmap.h"
#include "formats/raw_heightmap.h"
#include "formats/tests/test_terrain.h"
#include "formats/text_heightmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Writes and reads back: through a file at 65 (the whole front: the name picks the format), in
// memory for the larger sides (the same encoders and decoders, without waiting for the disk).
Result<ImportedHeightmap> WriteAndRead(const std::string& path, const Heightfield& heights,
                                       const HeightmapMetadata& metadata, const ImportOptions& options)
{
    if (heights.Side() == 65) {
        if (const Result<> written = WriteHeightmap(path, heights, metadata); !written) {
            return Failure{written.reason()};
        }
        return ReadHeightmap(path, options);
    }
    Result<std::string> bytes = Failure{"no format"};
    if (path.ends_with(".txt")) {
        StringSink sink;
        if (const Result<> written = WriteTextHeights(heights, sink); !written) {
            return Failure{written.reason()};
        }
        TextHeightParser parser;
        parser.Feed(sink.Contents());
        return parser.Finish();
    }
    const auto decode = [&](auto decoder, const Result<std::string>& encoded) -> Result<ImportedHeightmap> {
        if (!encoded) {
            return Failure{encoded.reason()};
        }
        return decoder(std::span<const char>(encoded.value().data(), encoded.value().size()));
    };
    if (path.ends_with(".png") || path.ends_with(".PNG")) {
        return decode([&](auto b) { return DecodePngHeightmap(b, options); }, EncodePngHeightmap(heights, metadata));
    }
    if (path.ends_with(".r16")) {
        return decode([&](auto b) { return DecodeRawHeightmap(b, options); }, EncodeRawHeightmap(heights, metadata));
    }
    return decode([](auto b) { return DecodeExrHeightmap(b); }, EncodeExrHeightmap(heights, metadata));
}

struct RoundTrip {
    const char* name;
    int side;
    // The largest difference allowed, in steps of (max - min) / 65535 for PNG and RAW, as a
    // fraction of the height for text; 0 for exact.
    enum class Bound { Exact, Level16, SixDigits } bound;
};

class HeightmapRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(HeightmapRoundTrip, RestoresHeightsWithinTheFormatsBound)
{
    const RoundTrip& c = GetParam();
    TempFolder folder;
    const std::string path = folder.Path(c.name);
    const Heightfield heights = TestTerrain(c.side);
    const Result<HeightRange> range = RangeOf(heights);
    ASSERT_TRUE(range.ok());
    // RAW carries no range, so it is written over one the reader is told too.
    const HeightRange rawRange{-5.0f, 12.0f};
    const bool raw = std::string(c.name).ends_with(".r16");
    HeightmapMetadata metadata;
    metadata.seed = 18446744073709551615ull;
    if (raw) {
        metadata.range = rawRange;
    }
    // The caller's range applies only to files that carry none.
    const Result<ImportedHeightmap> read =
        WriteAndRead(path, heights, metadata, raw ? ImportOptions{rawRange} : ImportOptions{{100.0f, 200.0f}});
    ASSERT_TRUE(read.ok()) << read.reason();
    const ImportedHeightmap& imported = read.value();
    ASSERT_EQ(imported.heights.Side(), c.side);
    EXPECT_FALSE(imported.Resampled());
    EXPECT_EQ(ImportNotice(imported).empty(), !raw) << ImportNotice(imported);
    switch (c.bound) {
    case RoundTrip::Bound::Exact:
        EXPECT_EQ(imported.heights, heights);
        EXPECT_EQ(imported.scale, HeightScale::Absolute);
        break;
    case RoundTrip::Bound::Level16: {
        const HeightRange used = raw ? rawRange : range.value();
        EXPECT_LE(LargestDifference(imported.heights, heights), (used.high - used.low) / 65535.0f);
        EXPECT_EQ(imported.scale, raw ? HeightScale::FromCaller : HeightScale::FromFile);
        EXPECT_EQ(imported.metadata.range, used);
        break;
    }
    case RoundTrip::Bound::SixDigits:
        // The classic file: rows and columns 0..63 to six significant digits; the last row and
        // column come from the terrain it replaces.
        EXPECT_TRUE(imported.classic);
        for (int row = 0; row < 64; ++row) {
            for (int column = 0; column < 64; ++column) {
                const float expected = heights.At(row, column);
                EXPECT_NEAR(imported.heights.At(row, column), expected, 5e-6f * std::abs(expected));
            }
        }
        EXPECT_EQ(KeepLastRowAndColumn(imported, heights).Row(64)[10], heights.At(64, 10));
        EXPECT_EQ(KeepLastRowAndColumn(imported, heights).At(10, 64), heights.At(10, 64));
        break;
    }
    const bool keepsSeed = c.bound != RoundTrip::Bound::SixDigits && !std::string(c.name).ends_with(".txt") && !raw;
    EXPECT_EQ(imported.metadata.seed.has_value(), keepsSeed);
    if (keepsSeed) {
        EXPECT_EQ(*imported.metadata.seed, 18446744073709551615ull);
    }
}

// One 4097 case per format keeps the suite fast.
INSTANTIATE_TEST_SUITE_P(Formats, HeightmapRoundTrip,
                         testing::Values(RoundTrip{"classic.txt", 65, RoundTrip::Bound::SixDigits},
                                         RoundTrip{"full.txt", 1025, RoundTrip::Bound::Exact},
                                         RoundTrip{"largest.txt", 4097, RoundTrip::Bound::Exact},
                                         RoundTrip{"small.png", 65, RoundTrip::Bound::Level16},
                                         RoundTrip{"medium.PNG", 1025, RoundTrip::Bound::Level16},
                                         RoundTrip{"largest.png", 4097, RoundTrip::Bound::Level16},
                                         RoundTrip{"small.r16", 65, RoundTrip::Bound::Level16},
                                         RoundTrip{"medium.r16", 1025, RoundTrip::Bound::Level16},
                                         RoundTrip{"largest.r16", 4097, RoundTrip::Bound::Level16},
                                         RoundTrip{"small.exr", 65, RoundTrip::Bound::Exact},
                                         RoundTrip{"medium.exr", 1025, RoundTrip::Bound::Exact},
                                         RoundTrip{"largest.exr", 4097, RoundTrip::Bound::Exact}),
                         [](const testing::TestParamInfo<RoundTrip>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

TEST(WriteHeightmap, FlatTerrainRoundTripsExactly)
{
    TempFolder folder;
    const Heightfield flat(33, 4.25f);
    for (const char* name : {"flat.png", "flat.r16", "flat.exr", "flat.txt"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteHeightmap(folder.Path(name), flat, {}).ok());
        const Result<ImportedHeightmap> read = ReadHeightmap(folder.Path(name), {{4.25f, 4.25f}});
        ASSERT_TRUE(read.ok()) << read.reason();
        EXPECT_EQ(read.value().heights, flat);
    }
}

TEST(WriteHeightmap, RefusesWhatItCannotWriteAndKeepsTheOldFile)
{
    TempFolder folder;
    Heightfield withNan = TestTerrain(33);
    withNan.At(3, 4) = std::nanf("");
    struct Case {
        const char* name;
        Heightfield heights;
        HeightmapMetadata metadata;
        std::string reason;
    } const cases[] = {
        {"h.bmp", TestTerrain(33), {}, "its name does not end in .txt, .png, .r16, .raw or .exr"},
        {"h.txt", TestTerrain(64), {}, "a height file holds grids of side 2^k + 1 only, not 64"},
        {"h.png", withNan, {}, "the terrain holds a height that is not a finite number"},
        {"h.exr", withNan, {}, "the terrain holds a height that is not a finite number"},
        {"h.txt", withNan, {}, "the terrain holds a height that is not a finite number"},
        {"h.raw", TestTerrain(33), {HeightRange{0.0f, 5.0f}, {}}, ", outside the chosen range 0 to 5"},
        {"h.r16", TestTerrain(33), {HeightRange{2.0f, 1.0f}, {}}, "the height range 2 to 1 is not a range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path(c.name);
        TempFolder::Write(path, "old");
        const Result<> written = WriteHeightmap(path, c.heights, c.metadata);
        // The reason names the file, then says what is wrong (a range's ends vary with the terrain).
        EXPECT_TRUE(written.reason().starts_with("cannot save \"" + path + "\": ")) << written.reason();
        EXPECT_NE(written.reason().find(c.reason), std::string::npos) << written.reason();
        EXPECT_EQ(TempFolder::Read(path), "old");
    }
}

} // namespace
