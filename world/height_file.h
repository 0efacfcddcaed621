// The name a height file is saved under: the text height file (formats/text_heightmap.h) always
// ends in ".txt", and the save dialog, the writer and the label that shows the saved name follow
// this one rule.
#pragma once

#include <string>

// The extension of height files, without its dot.
inline constexpr char kHeightFileExtension[] = "txt";

// The name a save writes to: the chosen path, with ".txt" appended unless it already ends so,
// in any case ("h.TXT" stays, "h.dat" becomes "h.dat.txt"); see WithDefaultExtension.
std::string HeightFileName(const std::string& chosenPath);
