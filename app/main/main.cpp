// The editor: the main window over the terrain world.
#include "app/run_options.h"
#include "app/tutorial_app.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const Result<CRunOptions> parsed = ParseRunOptions(argc, argv);
    if (!parsed) {
        std::fprintf(stderr, "relief: %s\n\n%s", parsed.reason().c_str(), RunOptionsHelp().c_str());
        return 2;
    }
    const CRunOptions& options = parsed.value();
    if (options.showHelp) {
        std::printf("%s", RunOptionsHelp().c_str());
        return 0;
    }
    // The application object owns the world; it outlives the window system and is destroyed
    // last.
    CTutorialApp application(options);
    return AfxWinMain(application, argc, argv);
}
