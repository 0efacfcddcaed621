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

// Where fileName stands in the table: the index of its entry when found, otherwise the index at
// which an entry of that name keeps the table in order.
struct ResourcePosition {
    int index = 0;
    bool found = false;
};

template <typename Entry>
ResourcePosition FindResourcePosition(const TQR_PointerArray<Entry*>& table, const std::wstring& fileName)
{
    int lo = 0;
    int hi = table.Count() - 1;
    while (hi >= lo) {
        const int mid = (lo + hi) / 2;
        const int order = CompareResourceNames(fileName, table.Get(mid)->GetFileName());
        if (order == 0) {
            return {mid, true};
        }
        if (order < 0) {
            hi = mid - 1;
        } else {
            lo = mid + 1;
        }
    }
    // The search ends with lo at the first entry whose name is greater.
    return {lo, false};
}

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
    const ResourcePosition position = FindResourcePosition(table, fileName);
    if (position.found) {
        return table.Get(position.index);
    }
    if (!create) {
        return nullptr;
    }
    auto entry = std::make_unique<Entry>();
    if (!entry->Load(device, fileName)) {
        return nullptr;
    }
    table.InsertAt(entry.get(), position.index);
    return entry.release();
}

// Puts an entry made elsewhere (not loaded from a file) into the table under its name, in order.
// Null, and the entry deleted, when its name is empty or already taken.
template <typename Entry> Entry* InsertResourceEntry(TQR_PointerArray<Entry*>& table, std::unique_ptr<Entry> entry)
{
    const ResourcePosition position = FindResourcePosition(table, entry->GetFileName());
    if (entry->GetFileName().empty() || position.found) {
        return nullptr;
    }
    table.InsertAt(entry.get(), position.index);
    return entry.release();
}
