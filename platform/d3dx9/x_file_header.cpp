#include "platform/d3dx9/x_file_header.h"

#include <string_view>

Result<XFileHeader> XFileHeader::Read(std::span<const char> bytes)
{
    if (bytes.size() < kSize) {
        return Failure{"file too short for an X file header"};
    }
    const std::string_view text(bytes.data(), kSize);
    const std::string_view magic = text.substr(0, 4);
    const std::string_view version = text.substr(4, 4);
    const std::string_view format = text.substr(8, 4);
    const std::string_view floatSize = text.substr(12, 4);
    if (magic != "xof ") {
        return Failure{"not an X file: the header does not start with 'xof '"};
    }
    if (version != "0302" && version != "0303") {
        return Failure{"unsupported X file version '" + std::string(version) + "'"};
    }
    if (format == "tzip" || format == "bzip") {
        return Failure{"compressed X files are not supported"};
    }
    if (format != "txt " && format != "bin ") {
        return Failure{"unknown X file format '" + std::string(format) + "'"};
    }
    if (floatSize != "0032" && floatSize != "0064") {
        return Failure{"unsupported X file float size '" + std::string(floatSize) + "'"};
    }
    XFileHeader header;
    header.format = format == "txt " ? Format::Text : Format::Binary;
    header.floatBytes = floatSize == "0032" ? 4 : 8;
    return header;
}
