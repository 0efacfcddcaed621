// Whole-file writing that never destroys the file it replaces, and the result type that file
// operations report to the user.
#pragma once

#include <string>

// ok, or a failure with a reason the dialog shows to the user.
struct CFileResult {
    bool ok = true;
    std::string reason;

    static CFileResult Success() { return {}; }
    static CFileResult Failure(std::string reason) { return {false, std::move(reason)}; }
};

// The path in double quotes, as file messages show it.
std::string QuotedPath(const std::string& path);

// Writes content to path. A regular file (or a new one) is replaced only after the whole
// content has been written, flushed and synced to a temporary file in the same folder; any
// failure removes the temporary file and leaves the old file as it was. A path naming a device
// or pipe is written directly, since a rename would replace the device itself.
CFileResult WriteFileReplacing(const std::string& path, const std::string& content);
