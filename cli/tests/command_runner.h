// Runs a command in-process as the program would, with its output captured.
#pragma once

#include "cli/command_line.h"

#include <sstream>
#include <string>
#include <vector>

struct CommandRun {
    int code = -1;
    std::string out;
    std::string err;
};

// arguments without the program's name: {"generate", "--size", "33", "-o", "t.png"}.
inline CommandRun RunCommand(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "relief");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    CommandRun run;
    run.code = RunCommandLine(static_cast<int>(argv.size()), argv.data(), Console{out, err, false});
    run.out = out.str();
    run.err = err.str();
    return run;
}
