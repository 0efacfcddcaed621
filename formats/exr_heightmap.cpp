#include "formats/exr_heightmap.h"

#include "formats/internal/image_limits.h"
#include "formats/internal/numbers.h"

#include <Iex.h>
#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfHeader.h>
#include <OpenEXR/ImfIO.h>
#include <OpenEXR/ImfInputFile.h>
#include <OpenEXR/ImfOutputFile.h>
#include <OpenEXR/ImfStringAttribute.h>
#include <OpenEXR/ImfVersion.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <vector>

namespace {

constexpr char kChannel[] = "Y";
constexpr char kSeedAttribute[] = "reliefSeed";

// OpenEXR reads through this from memory; running past the end throws, as the library expects
// of a stream.
class MemoryInput : public Imf::IStream {
public:
    explicit MemoryInput(std::span<const char> bytes) : Imf::IStream("heightmap"), m_bytes(bytes) {}

    bool read(char c[], int n) override
    {
        if (n < 0 || static_cast<std::uint64_t>(n) > m_bytes.size() - m_position) {
            throw Iex::InputExc("the file ends early");
        }
        std::memcpy(c, m_bytes.data() + m_position, static_cast<std::size_t>(n));
        m_position += static_cast<std::uint64_t>(n);
        return m_position < m_bytes.size();
    }
    std::uint64_t tellg() override { return m_position; }
    void seekg(std::uint64_t position) override { m_position = std::min<std::uint64_t>(position, m_bytes.size()); }

private:
    std::span<const char> m_bytes;
    std::uint64_t m_position = 0;
};

// OpenEXR writes through this into memory; it seeks back to fill in the offset table.
class MemoryOutput : public Imf::OStream {
public:
    MemoryOutput() : Imf::OStream("heightmap") {}

    void write(const char c[], int n) override
    {
        const std::size_t end = m_position + static_cast<std::size_t>(n);
        if (end > m_bytes.size()) {
            m_bytes.resize(end);
        }
        std::memcpy(m_bytes.data() + m_position, c, static_cast<std::size_t>(n));
        m_position = end;
    }
    std::uint64_t tellp() override { return m_position; }
    void seekp(std::uint64_t position) override { m_position = position; }

    std::string& Bytes() { return m_bytes; }

private:
    std::string m_bytes;
    std::size_t m_position = 0;
};

// OpenEXR refuses larger images while reading the header, before it allocates anything for them.
// The limits are process-wide; they are set once.
void LimitImageSize()
{
    static const bool limited = [] {
        Imf::Header::setMaxImageSize(kMaxImageSide, kMaxImageSide);
        Imf::Header::setMaxTileSize(kMaxImageSide, kMaxImageSide);
        return true;
    }();
    (void)limited;
}

// The channel that holds the heights: "Y", or the only one.
const char* HeightChannel(const Imf::ChannelList& channels)
{
    if (channels.findChannel(kChannel) != nullptr) {
        return kChannel;
    }
    auto first = channels.begin();
    if (first == channels.end()) {
        return nullptr;
    }
    auto second = first;
    return ++second == channels.end() ? first.name() : nullptr;
}

Result<ImportedHeightmap> Decode(Imf::InputFile& file)
{
    const Imath::Box2i window = file.header().dataWindow();
    const long long width = static_cast<long long>(window.max.x) - window.min.x + 1;
    const long long height = static_cast<long long>(window.max.y) - window.min.y + 1;
    const Result<int> side = SquareSide(width, height);
    if (!side) {
        return Failure{side.reason()};
    }
    const char* channel = HeightChannel(file.header().channels());
    if (channel == nullptr) {
        return Failure{"it has no \"Y\" channel and more than one other"};
    }
    const Imf::Channel& format = file.header().channels()[channel];
    if (format.xSampling != 1 || format.ySampling != 1) {
        return Failure{"its channel \"" + std::string(channel) + "\" is subsampled"};
    }
    ImportedHeightmap imported;
    imported.heights = Heightfield(side.value());
    imported.storedSide = side.value();
    float* samples = imported.heights.Samples().data();
    Imf::FrameBuffer frame;
    frame.insert(channel, Imf::Slice::Make(Imf::FLOAT, samples, window, sizeof(float),
                                           sizeof(float) * static_cast<std::size_t>(side.value())));
    file.setFrameBuffer(frame);
    file.readPixels(window.min.y, window.max.y);
    const auto values = imported.heights.Samples();
    if (!std::all_of(values.begin(), values.end(), [](float h) { return std::isfinite(h); })) {
        return Failure{"it holds a height that is not a finite number"};
    }
    if (const auto* seed = file.header().findTypedAttribute<Imf::StringAttribute>(kSeedAttribute)) {
        imported.metadata.seed = ParseUnsigned(seed->value());
        if (!imported.metadata.seed) {
            return Failure{"its " + std::string(kSeedAttribute) + " attribute is not valid"};
        }
    }
    return imported;
}

} // namespace

Result<ImportedHeightmap> DecodeExrHeightmap(std::span<const char> bytes)
{
    LimitImageSize();
    MemoryInput input(bytes);
    try {
        if (bytes.size() < 4 || !Imf::isImfMagic(bytes.data())) {
            return Failure{"it is not an OpenEXR image"};
        }
        Imf::InputFile file(input);
        return Decode(file);
    } catch (const std::exception& error) {
        return Failure{"it is not a readable OpenEXR image (" + std::string(error.what()) + ")"};
    }
}

Result<std::string> EncodeExrHeightmap(const Heightfield& heights, const HeightmapMetadata& metadata)
{
    if (const Result<HeightRange> range = RangeOf(heights); !range) {
        return Failure{range.reason()};
    }
    const int side = heights.Side();
    Imf::Header header(side, side);
    header.channels().insert(kChannel, Imf::Channel(Imf::FLOAT));
    // Uncompressed: the low bits of float heights are noise, so the lossless compressors save
    // little (ZIP 9%, PIZ 28% on a 4097 terrain) at seven to eight times the time.
    header.compression() = Imf::NO_COMPRESSION;
    if (metadata.seed) {
        header.insert(kSeedAttribute, Imf::StringAttribute(std::to_string(*metadata.seed)));
    }
    MemoryOutput output;
    try {
        Imf::OutputFile file(output, header);
        Imf::FrameBuffer frame;
        // OpenEXR only reads through the pointer when writing.
        char* samples = reinterpret_cast<char*>(const_cast<float*>(heights.Samples().data()));
        frame.insert(kChannel, Imf::Slice(Imf::FLOAT, samples, sizeof(float), sizeof(float) * side));
        file.setFrameBuffer(frame);
        file.writePixels(side);
    } catch (const std::exception& error) {
        return Failure{"the OpenEXR image cannot be made (" + std::string(error.what()) + ")"};
    }
    return std::move(output.Bytes());
}
