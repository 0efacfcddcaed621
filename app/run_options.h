// The editor's command line: a height file to open at start, what to do with work a crash left
// behind, and the options of unattended runs (scripts, machines without a display): quit after a
// while and leave a screenshot of the main window behind.
#pragma once

#include "base/result.h"

#include <string>

struct CRunOptions {
    bool showHelp = false;
    // Negative: run until the user quits.
    int quitAfterMs = -1;
    // Empty: no screenshot.
    std::string screenshotPath;
    // A height file to open at start; empty for none.
    std::string file;
    // What to do with work a crash left in the recovery file: "" asks (and leaves it in an
    // unattended run), "restore" or "discard".
    std::string recovery;
};

// Reads FILE, --help, --quit-after MS, --screenshot PATH and --recovery restore|discard. A
// failure, with the reason, for anything else, a missing value, a second file or a delay that
// is not a whole number of milliseconds.
Result<CRunOptions> ParseRunOptions(int argc, const char* const* argv);
// The text of --help.
std::string RunOptionsHelp();
