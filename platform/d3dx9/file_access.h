// File access for the loaders and the writer: wide names to paths, whole-file reads, and
// writes that replace a file only once the new contents are complete.
#pragma once

#include "platform/d3d9/win_types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The UTF-8 path for a wide file name; empty for a null name or one that is not valid Unicode.
std::optional<std::string> PathFromWideName(LPCWSTR name);

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes, std::string& error);

// Writes to a temporary file beside the target and renames it over the target, so a failed
// write leaves any earlier file untouched.
bool WriteFileReplacing(const std::string& path, std::string_view contents, std::string& error);
