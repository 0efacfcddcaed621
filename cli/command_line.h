// `relief <command> ...`: the program's headless commands. They make, convert, measure and erode
// terrains and export meshes without a window or a display, write their messages and progress
// to stderr and their results to stdout, and return an exit code:
//   generate      a new terrain from a size, roughness and seed
//   convert       a heights file into another heights format
//   export-mesh   a heights file as an OBJ or binary glTF mesh, optionally simplified
//   info          what a heights file holds, with --stats its statistics
//   erode         hydraulic or thermal erosion of a heights file
// Implements: option parsing with CLI11, one "relief: <reason>" line per failure, progress for
// steps longer than a second. Leaves out: graceful cancellation by Ctrl-C (an interrupted write
// leaves the old file as it was, as every write does).
#pragma once

#include <ostream>
#include <string>
#include <string_view>

// The exit codes of a command.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1; // the operation failed: a bad file, a file that cannot be written
inline constexpr int kExitUsage = 2;  // the command line is wrong

// Where a command writes: results on out, messages and progress on err.
struct Console {
    std::ostream& out;
    std::ostream& err;
    // err is a terminal, so that a progress line can be rewritten in place.
    bool errIsTerminal = false;
};

// True when word names a command ("generate"), so that the program runs it instead of the editor.
bool IsCommandLineCommand(std::string_view word);

// Runs the command in argv[1] with the rest of argv as its arguments (argv[0] is the program).
int RunCommandLine(int argc, const char* const* argv, const Console& console);
// The same on the standard streams.
int RunCommandLine(int argc, const char* const* argv);

// The list of commands with a line on each, for the program's --help.
std::string CommandLineOverview();
