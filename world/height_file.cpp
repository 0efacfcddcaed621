#include "world/height_file.h"

#include "base/file_name.h"

std::string HeightFileName(const std::string& chosenPath)
{
    return WithDefaultExtension(chosenPath, kHeightFileExtension);
}
