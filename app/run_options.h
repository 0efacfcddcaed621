// The editor's command line. The editor itself takes no settings; the options only serve
// unattended runs (scripts, machines without a display): quit after a while and leave a
// screenshot of the main window behind.
#pragma once

#include "base/result.h"

#include <string>

struct CRunOptions {
    bool showHelp = false;
    // Negative: run until the user quits.
    int quitAfterMs = -1;
    // Empty: no screenshot.
    std::string screenshotPath;
};

// Reads --help, --quit-after MS and --screenshot PATH. A failure, with the reason, for anything
// else, a missing value or a delay that is not a whole number of milliseconds.
Result<CRunOptions> ParseRunOptions(int argc, const char* const* argv);
// The text of --help.
std::string RunOptionsHelp();
