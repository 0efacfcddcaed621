// Feeds arbitrary bytes to the image decoder that textures are made from.
#include "fuzz/fuzz_support.h"
#include "platform/d3dx9/image_file.h"

#include <QtGlobal>

#include <cstdint>
#include <span>

// Qt's decoders warn on stderr about each damaged file they meet; a run meets millions.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

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
    Require(image.width <= 8192 && image.height <= 8192, "a decoded image is at most 8192 texels a side");
    Require(image.texels.size() == size_t{image.width} * image.height * 4, "four bytes per texel");
    return 0;
}
