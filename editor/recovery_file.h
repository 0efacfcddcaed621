// The recovery file: unsaved work written while the editor runs, read at the next start after
// a crash. Heights are kept bit for bit (32-bit floats, little-endian) after a short text
// header:
//     Relief recovery 1
//     side <samples a side>
//     texture <byte count>
//     <UTF-8 path>
//     document <byte count>
//     <UTF-8 path>
//     heights
//     <side x side floats, row by row>
#pragma once

#include "base/result.h"
#include "editor/recovered_work.h"

#include <span>
#include <string>

std::string EncodeRecoveredWork(const RecoveredWork& work);
// Fails, with the reason, for anything but a whole recovery file of a supported side.
Result<RecoveredWork> DecodeRecoveredWork(std::span<const char> bytes);

// Replaces the file at path only once the new contents are complete (WriteFileReplacing); the
// folder is made when it is missing.
Result<> WriteRecoveryFile(const std::string& path, const RecoveredWork& work);
// The reason names the file.
Result<RecoveredWork> ReadRecoveryFile(const std::string& path);
