#include "graphics/resource_table.h"

#include <algorithm>
#include <cstdint>

int CompareResourceNames(const std::wstring& a, const std::wstring& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<std::uint32_t>(a[i]);
        const auto right = static_cast<std::uint32_t>(b[i]);
        if (left != right) {
            return left < right ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}
