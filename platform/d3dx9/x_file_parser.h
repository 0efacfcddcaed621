// Reads an X file (header, then text or binary tokens) into plain data.
#pragma once

#include "base/result.h"
#include "platform/d3dx9/x_file_content.h"

#include <span>

// Never reads outside the bytes; malformed input fails with a reason naming the place
// ("line 12: ..." or "byte 300: ...").
Result<XFileContent> ParseXFile(std::span<const char> bytes);
