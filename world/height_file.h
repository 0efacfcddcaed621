// The height file: plain text, one decimal number per line, samples in row-major order. Numbers
// are written and read in the classic "C" locale whatever the user's locale is. A UTF-8
// byte-order mark at the start is skipped.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "base/file_access.h"

// The extension of height files, without its dot.
inline constexpr char kHeightFileExtension[] = "txt";

// The name a save writes to: the chosen path, with ".txt" appended unless it already ends so,
// in any case ("h.TXT" stays, "h.dat" becomes "h.dat.txt"); see WithDefaultExtension.
std::string HeightFileName(const std::string& chosenPath);

// Each value with the stream's default float formatting (as printf's %g with precision 6),
// followed by "\n".
std::string FormatHeightValues(const std::vector<float>& values);

// Reads exactly count white-space-separated numbers from in, a chunk at a time; anything after
// them is ignored. Fails, with the reason, when fewer numbers are there or an entry is not a
// number or longer than any number needs to be; values then holds nothing useful.
Result<> ReadHeightValues(std::istream& in, std::size_t count, std::vector<float>& values);

// Opens path unchanged and reads count numbers from it as ReadHeightValues does, in small pieces
// whatever the size of the file.
Result<> ReadHeightFile(const std::string& path, std::size_t count, std::vector<float>& values);
