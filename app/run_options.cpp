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

// Sets the option from its value; the reason when the value does not fit.
Result<> ApplyValue(CRunOptions& options, std::string_view option, std::string_view value)
{
    if (option == "--screenshot") {
        options.screenshotPath = value;
    } else if (option == "--recovery") {
        if (value != "restore" && value != "discard") {
            return Failure{"--recovery takes restore or discard, not " + std::string(value)};
        }
        options.recovery = value;
    } else if (!ParseMilliseconds(value, options.quitAfterMs)) {
        return Failure{"--quit-after takes a whole number of milliseconds, not " + std::string(value)};
    }
    return {};
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
        if (!option.starts_with("-")) {
            if (!options.file.empty()) {
                return Failure{"one height file at a time, not " + options.file + " and " + std::string(option)};
            }
            options.file = option;
            continue;
        }
        if (option != "--quit-after" && option != "--screenshot" && option != "--recovery") {
            return Failure{"unknown option " + std::string(option)};
        }
        if (i + 1 >= argc) {
            return Failure{std::string(option) + " needs a value"};
        }
        if (const Result<> applied = ApplyValue(options, option, argv[++i]); !applied) {
            return Failure{applied.reason()};
        }
    }
    if (!options.screenshotPath.empty() && options.quitAfterMs < 0) {
        return Failure{"--screenshot needs --quit-after"};
    }
    return options;
}

std::string RunOptionsHelp()
{
    return "Usage: relief [FILE] [--recovery restore|discard] [--quit-after MS] [--screenshot PATH]\n"
           "Relief, the terrain editor.\n"
           "\n"
           "  FILE                open this height file (plain text, one height a line) at start\n"
           "  --recovery WHAT     work a crash left behind: restore it or discard it without\n"
           "                      asking (otherwise the editor asks)\n"
           "  --quit-after MS     close the editor by itself after MS milliseconds; unsaved work\n"
           "                      is kept for the next start\n"
           "  --screenshot PATH   with --quit-after: save the main window as a PNG image to PATH\n"
           "                      just before closing; exits with 1 when it cannot be saved\n"
           "  --help              show this text\n";
}
