// The fixed 16-byte header of an X file: "xof ", version, format, float size.
#pragma once

#include "base/result.h"

#include <span>

struct XFileHeader {
    enum class Format { Text, Binary };

    Format format = Format::Text;
    unsigned floatBytes = 4;

    static constexpr size_t kSize = 16;
    // The header at the start of bytes, or why they do not start with one that is read.
    static Result<XFileHeader> Read(std::span<const char> bytes);
};
