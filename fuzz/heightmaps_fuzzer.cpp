// Feeds arbitrary bytes to every heightmap decoder (text, PNG, RAW, OpenEXR). Whatever decodes
// must hold finite heights on a square of at least 2 x 2, a text file must read the same in
// pieces as whole, and what decodes must encode and decode again within its format's bound.
// One input in sixteen also goes through ReadHeightmap from a file, which must agree.
#include "formats/exr_heightmap.h"
#include "formats/heightmap.h"
#include "formats/png_heightmap.h"
#include "formats/raw_heightmap.h"
#include "formats/text_heightmap.h"
#include "fuzz/fuzz_support.h"

#include <cmath>
#include <cstdint>
#include <span>
#include <string>

namespace {

using Bytes = std::span<const char>;

void CheckDecoded(const Result<ImportedHeightmap>& decoded)
{
    Require(decoded.ok() == decoded.reason().empty(), "a failure has a reason and a success none");
    if (!decoded) {
        return;
    }
    const ImportedHeightmap& imported = decoded.value();
    Require(imported.heights.Side() >= 2 && imported.storedSide == imported.heights.Side(),
            "a decoder gives the side it read");
    for (const float height : imported.heights.Samples()) {
        Require(std::isfinite(height), "decoded heights are finite");
    }
}

float LargestDifference(const Heightfield& a, const Heightfield& b)
{
    float largest = 0.0f;
    for (std::size_t i = 0; i < a.Samples().size(); ++i) {
        largest = std::max(largest, std::abs(a.Samples()[i] - b.Samples()[i]));
    }
    return largest;
}

Result<ImportedHeightmap> ParseText(Bytes bytes, std::size_t split)
{
    TextHeightParser parser;
    parser.Feed(std::string_view(bytes.data(), split));
    parser.Feed(std::string_view(bytes.data() + split, bytes.size() - split));
    return parser.Finish();
}

void CheckText(Bytes bytes)
{
    const Result<ImportedHeightmap> whole = ParseText(bytes, bytes.size());
    CheckDecoded(whole);
    const Result<ImportedHeightmap> pieces = ParseText(bytes, bytes.size() / 3);
    Require(whole.ok() == pieces.ok() && whole.reason() == pieces.reason(), "pieces read as the whole does");
    if (!whole || whole.value().classic) {
        return;
    }
    Require(pieces.value().heights == whole.value().heights, "pieces give the same heights");
    StringSink sink;
    Require(WriteTextHeights(whole.value().heights, sink).ok(), "read heights can be written");
    const Result<ImportedHeightmap> again = ParseText(Bytes(sink.Contents().data(), sink.Contents().size()), 0);
    Require(again.ok() && again.value().heights == whole.value().heights, "written heights read back exactly");
}

void CheckPng(Bytes bytes)
{
    const Result<ImportedHeightmap> decoded = DecodePngHeightmap(bytes, {});
    CheckDecoded(decoded);
    if (!decoded) {
        return;
    }
    const HeightRange range = *decoded.value().metadata.range;
    const Result<std::string> encoded = EncodePngHeightmap(decoded.value().heights, decoded.value().metadata);
    Require(encoded.ok(), "decoded heights encode within their own range");
    const Result<ImportedHeightmap> again = DecodePngHeightmap(encoded.value(), {});
    Require(again.ok() && again.value().metadata.seed == decoded.value().metadata.seed, "a written PNG reads back");
    Require(LargestDifference(again.value().heights, decoded.value().heights) <= (range.high - range.low) / 65535.0f,
            "a PNG round trip stays within one level");
}

void CheckRaw(Bytes bytes)
{
    const Result<ImportedHeightmap> decoded = DecodeRawHeightmap(bytes, {});
    CheckDecoded(decoded);
    if (!decoded) {
        return;
    }
    const Result<std::string> encoded = EncodeRawHeightmap(decoded.value().heights, {ImportOptions().range, {}});
    Require(encoded.ok() && std::string(bytes.data(), bytes.size()) == encoded.value(),
            "RAW levels write back as read");
}

void CheckExr(Bytes bytes)
{
    const Result<ImportedHeightmap> decoded = DecodeExrHeightmap(bytes);
    CheckDecoded(decoded);
    if (!decoded) {
        return;
    }
    const Result<std::string> encoded = EncodeExrHeightmap(decoded.value().heights, decoded.value().metadata);
    Require(encoded.ok(), "decoded heights encode");
    const Result<ImportedHeightmap> again = DecodeExrHeightmap(encoded.value());
    Require(again.ok() && again.value().heights == decoded.value().heights, "an EXR round trip is exact");
}

// Through a file and the front: a success has a supported side.
void CheckFront(Bytes bytes, const char* extension)
{
    const ScratchFile named(std::string("heightmap") + extension);
    if (!named.Write(bytes.data(), bytes.size())) {
        return;
    }
    const Result<ImportedHeightmap> read = ReadHeightmap(named.Path().string(), {});
    Require(read.ok() || read.reason().starts_with("cannot load "), "a failed load names the file");
    Require(!read.ok() || IsSupportedSide(read.value().heights.Side()), "a load gives a supported side");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes bytes(reinterpret_cast<const char*>(data), size);
    CheckText(bytes);
    CheckPng(bytes);
    CheckRaw(bytes);
    CheckExr(bytes);
    if (size % 16 == 0) {
        const char* const extensions[] = {".txt", ".png", ".r16", ".exr"};
        CheckFront(bytes, extensions[size / 16 % 4]);
    }
    return 0;
}
