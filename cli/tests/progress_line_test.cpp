#include "cli/internal/progress_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using std::chrono::milliseconds;

struct Tick {
    milliseconds elapsed;
    double fraction;
    std::string printed;
};

struct ProgressCase {
    const char* name;
    ProgressStep step;
    bool terminal;
    std::vector<Tick> ticks;
    std::string finish;
};

TEST(ProgressLine, ShowsLongStepsOnlyInTheirOwnWay)
{
    const std::vector<ProgressCase> cases = {
        {"a short step shows nothing",
         {"eroding", true},
         true,
         {{milliseconds(100), 0.2, ""}, {milliseconds(999), 0.9, ""}},
         ""},
        {"a terminal line is rewritten at each new percent",
         {"eroding", true},
         true,
         {{milliseconds(1000), 0.255, "\rrelief: eroding 25%"},
          {milliseconds(1100), 0.259, ""},
          {milliseconds(1200), 0.26, "\rrelief: eroding 26%"},
          {milliseconds(1300), 1.5, "\rrelief: eroding 100%"}},
         "\n"},
        {"a log gets a line at each tenth",
         {"eroding", true},
         false,
         {{milliseconds(1000), 0.05, "relief: eroding 5%\n"},
          {milliseconds(1100), 0.09, ""},
          {milliseconds(1200), 0.10, "relief: eroding 10%\n"},
          {milliseconds(1300), 0.19, ""},
          {milliseconds(1400), 0.35, "relief: eroding 35%\n"}},
         ""},
        {"an unmeasured step says once that it runs",
         {"reading \"a.png\"", false},
         false,
         {{milliseconds(1500), 0.0, "relief: reading \"a.png\"...\n"}, {milliseconds(9000), 0.0, ""}},
         ""},
        {"an unmeasured step on a terminal ends its line",
         {"writing", false},
         true,
         {{milliseconds(1000), 0.0, "\rrelief: writing..."}, {milliseconds(2000), 0.0, ""}},
         "\n"},
    };
    for (const ProgressCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProgressLine line(c.step, c.terminal);
        for (const Tick& tick : c.ticks) {
            SCOPED_TRACE(tick.elapsed.count());
            EXPECT_EQ(line.Update(tick.elapsed, tick.fraction), tick.printed);
        }
        EXPECT_EQ(line.Finish(), c.finish);
    }
}

} // namespace
