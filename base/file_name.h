// The name a save writes to when its file type has a default extension. One rule for the save
// dialog (the name its overwrite question asks about and the one it returns), the writer and
// the label that shows the saved name, so the three never disagree.
#pragma once

#include <string>

// name unchanged when it already ends in "." + extension, in any case of the ASCII letters
// ("heights.TXT" has ".txt"), otherwise name + "." + extension. Another extension does not
// count: "heights.dat" becomes "heights.dat.txt". An empty extension leaves every name as it is.
std::string WithDefaultExtension(const std::string& name, const std::string& extension);
std::wstring WithDefaultExtension(const std::wstring& name, const std::wstring& extension);
