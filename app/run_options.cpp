#include "app/run_options.h"

#include <charconv>
#include <string_view>

namespace {

bool ParseMilliseconds(std::string_view text, int& value)
{
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && last == end && value >= 0;
}

} // namespace

Result<CRunOptions> ParseRunOptions(int argc, const char* const* argv)
{
    CRunOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            options.showHelp = true;
            continue;
        }
        if (option != "--quit-after" && option != "--screenshot") {
            return Failure{"unknown option " + std::string(option)};
        }
        if (i + 1 >= argc) {
            return Failure{std::string(option) + " needs a value"};
        }
        const std::string_view value = argv[++i];
        if (option == "--screenshot") {
            options.screenshotPath = value;
        } else if (!ParseMilliseconds(value, options.quitAfterMs)) {
            return Failure{"--quit-after takes a whole number of milliseconds, not " + std::string(value)};
        }
    }
    if (!options.screenshotPath.empty() && options.quitAfterMs < 0) {
        return Failure{"--screenshot needs --quit-after"};
    }
    return options;
}

std::string RunOptionsHelp()
{
    return "Usage: relief [--quit-after MS] [--screenshot PATH]\n"
           "Relief, the terrain editor. Run it in a folder that holds MeshFiles/ and Textures/.\n"
           "\n"
           "  --quit-after MS     close the editor by itself after MS milliseconds\n"
           "  --screenshot PATH   with --quit-after: save the main window as a PNG image to PATH\n"
           "                      just before closing; exits with 1 when it cannot be saved\n"
           "  --help              show this text\n";
}
