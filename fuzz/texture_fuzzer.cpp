// Feeds arbitrary bytes to the image decoder that textures are made from.
#include "fuzz/fuzz_support.h"
#include "platform/d3dx9/image_file.h"

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Result<DecodedImage> decoded =
        DecodedImage::FromBytes(std::span<const char>(reinterpret_cast<const char*>(data), size));
    if (!decoded) {
        Require(!decoded.reason().empty(), "a failure has a reason");
        return 0;
    }
    const DecodedImage& image = decoded.value();
    Require(image.width > 0 && image.height > 0, "a decoded image has texels");
    Require(image.texels.size() == size_t{image.width} * image.height * 4, "four bytes per texel");
    return 0;
}
