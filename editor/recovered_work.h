// Unsaved work kept for the next start after a crash: the heights, the floor's texture and the
// file the work belonged to.
#pragma once

#include "terrain/heightfield.h"

#include <string>

struct RecoveredWork {
    Heightfield heights;
    // The full path of the texture image; empty for none.
    std::wstring texturePath;
    // The height file the document belonged to; empty for an untitled one.
    std::string documentPath;
};
