// The editor: one modal main window over the terrain world.
#include "app/run_options.h"
#include "app/tutorial_app.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    CRunOptions options;
    std::string error;
    if (!ParseRunOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "relief: %s\n\n%s", error.c_str(), RunOptionsHelp().c_str());
        return 2;
    }
    if (options.showHelp) {
        std::printf("%s", RunOptionsHelp().c_str());
        return 0;
    }
    // The application object owns the world; it outlives the window system and is destroyed
    // last.
    CTutorialApp application(options);
    return AfxWinMain(application, argc, argv);
}
