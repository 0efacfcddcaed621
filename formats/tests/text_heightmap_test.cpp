#include "formats/text_heightmap.h"

#include "formats/tests/test_terrain.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string Numbers(std::size_t count, const std::string& number = "1.5")
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += number + "\n";
    }
    return text;
}

// Parses text fed in pieces of pieceSize bytes.
Result<ImportedHeightmap> Parse(const std::string& text, std::size_t pieceSize)
{
    TextHeightParser parser;
    for (std::size_t at = 0; at < text.size(); at += pieceSize) {
        parser.Feed(std::string_view(text).substr(at, pieceSize));
    }
    return parser.Finish();
}

std::string Describe(const Result<ImportedHeightmap>& parsed)
{
    if (!parsed) {
        return parsed.reason();
    }
    const ImportedHeightmap& imported = parsed.value();
    char corners[64];
    std::snprintf(corners, sizeof corners, " %g %g", imported.heights.At(0, 0),
                  imported.heights.At(imported.heights.Side() - 1, imported.heights.Side() - 1));
    return std::string(imported.classic ? "classic " : "side ") + std::to_string(imported.heights.Side()) + corners;
}

} // namespace

TEST(TextHeightParser, TakesTheSizeFromTheCountAndRefusesBadNumbers)
{
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    } const cases[] = {
        {"classic", Numbers(4096), "classic 65 1.5 1.5"},
        {"full 65", Numbers(65 * 65), "side 65 1.5 1.5"},
        {"full 3, signs, exponents, CRLF", "+1 -2 3e2\r\n4\t5 .5 6. -0 9.25e-3\r\n", "side 3 1 0.00925"},
        {"byte order mark", bom + Numbers(9, "2"), "side 3 2 2"},
        {"byte order mark alone", bom + "\n" + Numbers(9, "2"), "side 3 2 2"},
        {"longest number", Numbers(9, "1." + std::string(61, '0') + "1"), "side 3 1 1"},
        {"number too long", Numbers(9, "1." + std::string(62, '0') + "1"), "height 1 is longer than 64 characters"},
        {"byte order mark later", "1 " + bom + "2", "height 2 is not a number"},
        {"trailing letters", "1 1.5x 2", "height 2 is not a number"},
        {"not finite", "1 2 nan 4", "height 3 is not a number"},
        {"infinite", "1 inf", "height 2 is not a number"},
        {"out of range", "1 2 3 1e40", "height 4 is not a number"},
        {"double sign", "+-1", "height 1 is not a number"},
        {"comma", "1,5", "height 1 is not a number"},
        {"empty", "", "it holds only 0 of the 4096 heights"},
        {"one short of classic", Numbers(4095), "it holds only 4095 of the 4096 heights"},
        {"not 2^k + 1", Numbers(64 * 64 + 1), "it holds 4097 heights; a height file holds 4096"},
        {"side 2", Numbers(4), "it holds only 4 of the 4096 heights"},
        {"one short of a full 65 grid", Numbers(65 * 65 - 1),
         "it holds 4224 heights; a height file holds 4096 (the classic 65 x 65 grid) or n x n for n = 2^k + 1 up to "
         "4097"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Any split into pieces reads the same as the whole.
        for (const std::size_t pieceSize : {std::size_t{1}, std::size_t{7}, c.text.size() + 1}) {
            EXPECT_EQ(Describe(Parse(c.text, pieceSize)).substr(0, c.expected.size()), c.expected);
        }
    }
}

TEST(TextHeightParser, StopsPastTheLargestGrid)
{
    TextHeightParser parser;
    const std::string row = Numbers(4097, "0");
    bool accepted = true;
    for (int i = 0; i < 4097 && accepted; ++i) {
        accepted = parser.Feed(row);
    }
    EXPECT_TRUE(accepted);
    EXPECT_FALSE(parser.Feed("0\n"));
    EXPECT_EQ(parser.Finish().reason(), "it holds more than the 16785409 heights of the largest grid");
}

TEST(WriteTextHeights, WritesTheClassicFileAsPrintfsG)
{
    Heightfield heights(65, 0.0f);
    const float values[] = {1.0f / 3.0f, -0.0f, 123456789.0f, 1e-5f, -2.5f, 7.0f};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        heights.At(0, static_cast<int>(i)) = values[i];
    }
    heights.At(64, 64) = 99.0f; // not in the classic file
    StringSink sink;
    ASSERT_TRUE(WriteTextHeights(heights, sink).ok());
    std::string expected;
    for (int row = 0; row < 64; ++row) {
        for (int column = 0; column < 64; ++column) {
            char text[32];
            std::snprintf(text, sizeof text, "%g\n", static_cast<double>(heights.At(row, column)));
            expected += text;
        }
    }
    EXPECT_EQ(sink.Contents(), expected);
}

TEST(WriteTextHeights, OtherSidesReadBackExactly)
{
    Heightfield heights = TestTerrain(33);
    heights.At(1, 1) = 1.0f / 3.0f;
    heights.At(2, 2) = 3.4028235e38f;
    heights.At(3, 3) = 1.4e-45f;
    StringSink sink;
    ASSERT_TRUE(WriteTextHeights(heights, sink).ok());
    const Result<ImportedHeightmap> read = Parse(sink.Contents(), 4096);
    ASSERT_TRUE(read.ok()) << read.reason();
    EXPECT_EQ(read.value().heights, heights);
}
