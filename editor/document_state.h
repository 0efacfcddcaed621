// What an undo step puts back besides the heights: the selected vertex, the label of the loaded
// height file, the floor's texture and the wire frame switch.
#pragma once

#include <string>

struct DocumentState {
    int row = 0;
    int column = 0;
    // The name the "Load" label shows.
    std::wstring loadLabel;
    // The full path of the floor's texture image; empty for none.
    std::wstring texturePath;
    bool wireframe = false;

    bool operator==(const DocumentState&) const = default;
};
