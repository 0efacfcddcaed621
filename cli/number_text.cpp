#include "cli/internal/number_text.h"

#include <charconv>

namespace {

template <typename... Format> std::string ToChars(Format... format)
{
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, format...);
    return error == std::errc() ? std::string(text, end) : std::string("?");
}

} // namespace

std::string HeightText(float value) { return ToChars(value); }

std::string PercentText(double share) { return ToChars(share * 100.0, std::chars_format::fixed, 1) + "%"; }

std::string AmountText(double value) { return ToChars(value, std::chars_format::general, 6); }
