// The fixed 16-byte header of an X file: "xof ", version, format, float size.
#pragma once

#include <span>
#include <string>

struct XFileHeader {
    enum class Format { Text, Binary };

    bool ok = false;
    std::string error;
    Format format = Format::Text;
    unsigned floatBytes = 4;

    static constexpr size_t kSize = 16;
    static XFileHeader Read(std::span<const char> bytes);
};
