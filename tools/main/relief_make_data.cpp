// relief_make_data <output folder>: writes the editor's mesh and texture files (MeshFiles/
// and Textures/) into the output folder. The repository's data/ is this tool's output.
#include "tools/data_set.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: relief_make_data <output folder>\n");
        return 2;
    }
    if (const Result<> written = WriteDataSet(argv[1]); !written) {
        std::fprintf(stderr, "relief_make_data: %s\n", written.reason().c_str());
        return 1;
    }
    std::printf("relief_make_data: wrote %s/%s and %s/%s\n", argv[1], kMeshFolder, argv[1], kTextureFolder);
    return 0;
}
