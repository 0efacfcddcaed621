// What the mouse camera handlers share: which button a drag follows, and the printf-style
// status texts they write.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

enum class TQR_MouseButton { None, Left, Middle, Right };

// The button that decides what a mouse event does: left before middle before right.
TQR_MouseButton LeadingButton(unsigned int flags);

// Replaces each %d and %f of the format, in order, by the next value: %d as a decimal integer,
// %f with six decimals. Numbers are written in the classic locale whatever the process's
// locale, so the status texts never change their decimal point.
std::wstring FormatStatusValues(std::string_view format, std::initializer_list<double> values);

template <class... Values> std::wstring FormatStatus(std::string_view format, Values... values)
{
    return FormatStatusValues(format, {static_cast<double>(values)...});
}
