// Lookup in the graphics system's tables of loaded resources: sorted by file name, searched
// by halving, loading and inserting in order what is missing.
#pragma once

#include "platform/d3d9/d3d9.h"
#include "scene/containers.h"

#include <memory>
#include <string>

// Ordinal order of file names: character by character as unsigned numbers, shorter first on a
// common prefix. Case-sensitive, no path normalisation: "Z..." sorts before "a...".
int CompareResourceNames(const std::wstring& a, const std::wstring& b);

// The entry named fileName. When there is none and create is set, a new entry is loaded on the
// device and inserted in order; an entry that fails to load is deleted and not remembered, so
// the next lookup tries (and reports) again. An empty name gives null.
template <typename Entry>
Entry* FindResourceEntry(TQR_PointerArray<Entry*>& table, const std::wstring& fileName, bool create,
                         IDirect3DDevice9* device)
{
    if (fileName.empty()) {
        return nullptr;
    }
    int lo = 0;
    int hi = table.Count() - 1;
    while (hi >= lo) {
        const int mid = (lo + hi) / 2;
        const int order = CompareResourceNames(fileName, table.Get(mid)->GetFileName());
        if (order == 0) {
            return table.Get(mid);
        }
        if (order < 0) {
            hi = mid - 1;
        } else {
            lo = mid + 1;
        }
    }
    if (!create) {
        return nullptr;
    }
    auto entry = std::make_unique<Entry>();
    if (!entry->Load(device, fileName)) {
        return nullptr;
    }
    // The search ends with lo at the first entry whose name is greater.
    table.InsertAt(entry.get(), lo);
    return entry.release();
}
