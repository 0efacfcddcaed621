#include "views/mouse_input.h"

#include "platform/win/win_defs.h"

#include <iomanip>
#include <locale>
#include <sstream>

TQR_MouseButton LeadingButton(unsigned int flags)
{
    if ((flags & MK_LBUTTON) != 0) {
        return TQR_MouseButton::Left;
    }
    if ((flags & MK_MBUTTON) != 0) {
        return TQR_MouseButton::Middle;
    }
    if ((flags & MK_RBUTTON) != 0) {
        return TQR_MouseButton::Right;
    }
    return TQR_MouseButton::None;
}

std::wstring FormatStatusValues(std::string_view format, std::initializer_list<double> values)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::fixed << std::setprecision(6);
    const double* next = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const bool placeholder = format[i] == '%' && i + 1 < format.size() && next != values.end();
        if (placeholder && format[i + 1] == 'd') {
            text << static_cast<long long>(*next++);
            ++i;
        } else if (placeholder && format[i + 1] == 'f') {
            text << *next++;
            ++i;
        } else {
            text << format[i];
        }
    }
    const std::string narrow = text.str();
    return std::wstring(narrow.begin(), narrow.end());
}
