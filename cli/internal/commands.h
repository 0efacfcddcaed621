// The headless commands. Each adds itself to the program's command line with its options bound
// to its own members, and runs once the command line has been read.
#pragma once

#include "base/result.h"
#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <vector>

class Command {
public:
    virtual ~Command() = default;

    // Adds the command and its options to program; the command outlives program's parsing.
    virtual CLI::App* Register(CLI::App& program) = 0;
    // Runs with the options as parsed; results on console.out, notices on console.err.
    virtual Result<> Run(const Console& console) = 0;
};

std::unique_ptr<Command> MakeGenerateCommand();
std::unique_ptr<Command> MakeConvertCommand();
std::unique_ptr<Command> MakeExportMeshCommand();
std::unique_ptr<Command> MakeInfoCommand();
std::unique_ptr<Command> MakeErodeCommand();
