// Hostile images are refused, most before the decoder allocates for their pixels. Each one is
// decoded in a child process with a time limit, so a hang or a runaway allocation fails its own
// case only.
#include "base/testing/child_process.h"
#include "platform/d3dx9/image_file.h"
#include "platform/d3dx9/testing/image_samples.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace {

using namespace std::chrono_literals;

// What the child found, as its exit code.
enum Verdict : int { kAsExpected, kDecoded, kRefused, kOtherReason, kTooMuchMemory, kVerdictCount };

// A refusal costs about the file's bytes, never an image of the size the header declares.
constexpr long kFrugalKilobytes = 32 * 1024;

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int DecodeInChild(const ImageSample& sample)
{
    const long before = PeakKilobytes();
    const Result<DecodedImage> image =
        DecodedImage::FromBytes(std::span<const char>(sample.bytes.data(), sample.bytes.size()));
    if (PeakKilobytes() - before > kFrugalKilobytes) {
        return kTooMuchMemory;
    }
    if (!image) {
        std::fprintf(stderr, "%s: %s\n", sample.name.c_str(), image.reason().c_str());
    }
    if (sample.refusal.empty()) {
        return image ? kAsExpected : kRefused;
    }
    if (image) {
        return kDecoded;
    }
    return image.reason().find(sample.refusal) != std::string::npos ? kAsExpected : kOtherReason;
}

std::string Describe(const ChildOutcome& outcome)
{
    static const char* const kVerdicts[kVerdictCount] = {"as expected", "decoded", "refused",
                                                         "refused for another reason", "grew by more than 32 MB"};
    if (outcome.exited && outcome.exitCode >= 0 && outcome.exitCode < kVerdictCount) {
        return kVerdicts[outcome.exitCode];
    }
    return outcome.Describe();
}

void ExpectEachAsItSays(const std::vector<ImageSample>& samples)
{
    for (const ImageSample& sample : samples) {
        SCOPED_TRACE(sample.name + (sample.refusal.empty() ? " decodes" : " is refused: " + sample.refusal));
        EXPECT_EQ(Describe(RunInChild([&] { return DecodeInChild(sample); }, 10s)), "as expected");
    }
}

TEST(ImageRefusal, RadianceImagesAreRefusedByTheirFormat) { ExpectEachAsItSays(RadianceSamples()); }

TEST(ImageRefusal, PixelDataShorterThanItsHeaderDeclaresIsRefused) { ExpectEachAsItSays(DeclaredSizeSamples()); }

} // namespace
