// Reads an X file (header, then text or binary tokens) into plain data.
#pragma once

#include "platform/d3dx9/x_file_content.h"

#include <span>
#include <string>

struct XParseResult {
    bool ok = false;
    std::string error; // why parsing failed, empty on success
    XFileContent content;
};

// Never reads outside the bytes; malformed input fails with a message naming the place.
XParseResult ParseXFile(std::span<const char> bytes);
