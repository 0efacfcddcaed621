#include "platform/win/internal/window_class.h"

#include "platform/win/win_api.h"

#include <map>
#include <sstream>

namespace {

struct RegisteredClass {
    std::wstring name;
    WNDCLASSW attributes;
};

std::map<std::wstring, RegisteredClass>& Classes()
{
    static std::map<std::wstring, RegisteredClass> classes;
    return classes;
}

} // namespace

const WNDCLASSW* FindWindowClass(const std::wstring& name)
{
    const auto it = Classes().find(name);
    return it == Classes().end() ? nullptr : &it->second.attributes;
}

ATOM RegisterClassW(const WNDCLASSW* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || !*windowClass->lpszClassName) {
        return 0;
    }
    const std::wstring name = windowClass->lpszClassName;
    auto [it, inserted] = Classes().try_emplace(name, RegisteredClass{name, *windowClass});
    if (!inserted) {
        return 0;
    }
    // The stored copy names itself, so that the caller's string may go away.
    it->second.attributes.lpszClassName = it->second.name.c_str();
    return static_cast<ATOM>(0xC000 + Classes().size());
}

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    std::wostringstream name;
    name << L"Afx:" << std::hex << classStyle << L':' << cursor << L':' << background << L':' << icon;
    if (const WNDCLASSW* known = FindWindowClass(name.str())) {
        return known->lpszClassName;
    }
    WNDCLASSW attributes;
    attributes.style = classStyle;
    attributes.hCursor = cursor;
    attributes.hbrBackground = background;
    attributes.hIcon = icon;
    const std::wstring text = name.str();
    attributes.lpszClassName = text.c_str();
    RegisterClassW(&attributes);
    return FindWindowClass(text)->lpszClassName;
}
