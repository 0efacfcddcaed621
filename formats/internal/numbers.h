// Numbers as the heightmap files write them: independent of the user's locale, floats in their
// shortest form that reads back exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The shortest text that reads back as exactly value ("0.1", "-3", "1e+20").
std::string ShortestText(float value);
// A finite float spelt out whole: an optional sign, digits, point, exponent ("+1.5", "-2e3").
// Nothing else: no white space, no "nan" or "inf", nothing out of a float's range.
std::optional<float> ParseFiniteFloat(std::string_view text);
// Decimal digits only.
std::optional<std::uint64_t> ParseUnsigned(std::string_view text);
