#include "cli/command_line.h"

#include "cli/internal/commands.h"

#include <unistd.h>

#include <exception>
#include <iostream>
#include <new>
#include <utility>

namespace {

// "relief: <reason>" and where to read more: the command's help when one was chosen.
std::string UsageFailure(const CLI::App* program, const CLI::Error& error)
{
    const std::vector<CLI::App*> chosen = program->get_subcommands();
    const std::string help = chosen.empty() ? "relief --help" : "relief " + chosen.front()->get_name() + " --help";
    return "relief: " + std::string(error.what()) + "\nRun \"" + help + "\" for the options.\n";
}

// The program's command line with every command registered on it.
class CommandLine {
public:
    CommandLine() : m_program("Relief's headless commands", "relief")
    {
        m_program.failure_message(UsageFailure);
        m_program.require_subcommand(1);
        m_program.option_defaults()->always_capture_default();
        for (auto make :
             {MakeGenerateCommand, MakeConvertCommand, MakeExportMeshCommand, MakeInfoCommand, MakeErodeCommand}) {
            std::unique_ptr<Command> command = make();
            CLI::App* entry = command->Register(m_program);
            m_commands.emplace_back(entry, std::move(command));
        }
    }

    bool Has(std::string_view name) const
    {
        for (const auto& [entry, command] : m_commands) {
            if (entry->get_name() == name) {
                return true;
            }
        }
        return false;
    }

    int Run(int argc, const char* const* argv, const Console& console)
    {
        try {
            m_program.parse(argc, argv);
        } catch (const CLI::ParseError& error) {
            return m_program.exit(error, console.out, console.err) == kExitSuccess ? kExitSuccess : kExitUsage;
        }
        for (const auto& [entry, command] : m_commands) {
            if (entry->parsed()) {
                const Result<> done = command->Run(console);
                if (!done) {
                    console.err << "relief: " << done.reason() << "\n";
                    return kExitFailed;
                }
            }
        }
        return kExitSuccess;
    }

    std::string Overview() const
    {
        std::string text = "Commands (they need no display):\n";
        for (const auto& [entry, command] : m_commands) {
            const std::string name = entry->get_name();
            text += "  " + name + std::string(name.size() < 14 ? 14 - name.size() : 1, ' ') + entry->get_description() +
                    "\n";
        }
        return text + "Run \"relief COMMAND --help\" for a command's options.\n";
    }

private:
    CLI::App m_program;
    std::vector<std::pair<CLI::App*, std::unique_ptr<Command>>> m_commands;
};

} // namespace

bool IsCommandLineCommand(std::string_view word) { return CommandLine().Has(word); }

int RunCommandLine(int argc, const char* const* argv, const Console& console)
{
    try {
        return CommandLine().Run(argc, argv, console);
    } catch (const std::bad_alloc&) {
        console.err << "relief: there is not enough memory for this\n";
        return kExitFailed;
    } catch (const std::exception& error) {
        // A thread that cannot be started, a library's own failure: still one line and a code.
        console.err << "relief: " << error.what() << "\n";
        return kExitFailed;
    }
}

int RunCommandLine(int argc, const char* const* argv)
{
    return RunCommandLine(argc, argv, Console{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1});
}

std::string CommandLineOverview() { return CommandLine().Overview(); }
