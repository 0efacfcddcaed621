// Checks of the numbers a terrain operation is given, with the sentence the user reads when one
// is out of range. Used only inside terrain/.
#pragma once

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/result.h"
#include "terrain/heightfield.h"

// A number as people write it: 0.55, 95, 1e+09.
inline std::string FormatNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// "cannot <action>: <name> <value> is not between <low> and <high>" when value is outside
// low..high, "cannot <action>: <name> is not a number" when it is not a number.
inline Result<> CheckRange(std::string_view action, std::string_view name, double value, double low, double high)
{
    if (value >= low && value <= high) {
        return {};
    }
    if (std::isnan(value)) {
        return Failure{"cannot " + std::string(action) + ": " + std::string(name) + " is not a number"};
    }
    return Failure{"cannot " + std::string(action) + ": " + std::string(name) + " " + FormatNumber(value) +
                   " is not between " + FormatNumber(low) + " and " + FormatNumber(high)};
}

// "cannot <action>: it has no samples" for an empty heightfield, "cannot <action>: it has heights
// that are not finite numbers" for one that holds NaN or an infinity (read from a damaged file):
// they would spread over the result.
inline Result<> CheckHeights(std::string_view action, const Heightfield& field)
{
    if (field.Empty()) {
        return Failure{"cannot " + std::string(action) + ": it has no samples"};
    }
    for (const float height : field.Samples()) {
        if (!std::isfinite(height)) {
            return Failure{"cannot " + std::string(action) + ": it has heights that are not finite numbers"};
        }
    }
    return {};
}

// The first failure among checks, or success.
inline Result<> FirstFailure(std::initializer_list<Result<>> checks)
{
    for (const Result<>& check : checks) {
        if (!check.ok()) {
            return check;
        }
    }
    return {};
}
