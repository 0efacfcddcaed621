// The editor: the main window over the terrain world; `relief <command>` runs a headless
// command instead.
#include "app/run_options.h"
#include "app/tutorial_app.h"
#include "cli/command_line.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // Before anything of the window system exists: a command needs no display.
    if (argc > 1 && IsCommandLineCommand(argv[1])) {
        return RunCommandLine(argc, argv);
    }
    const Result<CRunOptions> parsed = ParseRunOptions(argc, argv);
    if (!parsed) {
        std::fprintf(stderr, "relief: %s\n\n%s", parsed.reason().c_str(), RunOptionsHelp().c_str());
        return 2;
    }
    const CRunOptions& options = parsed.value();
    if (options.showHelp) {
        std::printf("%s\n%s", RunOptionsHelp().c_str(), CommandLineOverview().c_str());
        return 0;
    }
    // The application object owns the world; it outlives the window system and is destroyed
    // last.
    CTutorialApp application(options);
    return AfxWinMain(application, argc, argv);
}
