// The text height file: white-space-separated decimal numbers in row-major order, read and
// written in the classic "C" locale whatever the user's locale is. The count gives the size:
//   4096 numbers      the classic file of a 65 x 65 grid: rows and columns 0..63, so the last
//                     row and column are not in it
//   n^2 numbers       a full grid of side n, for n = 2^k + 1 from 3 to 4097
// Anything else is refused: fewer than 4096 numbers as a classic file cut short ("it holds only
// 4095 of the 4096 heights"), more with the rule above. A UTF-8 byte order mark at the start is
// skipped; a number is at most 64 characters long, so no file can make the reader hold more than
// one number's text.
#pragma once

#include "base/file_access.h"
#include "base/result.h"
#include "formats/heightmap.h"
#include "terrain/heightfield.h"

#include <string>
#include <string_view>
#include <vector>

// Takes a height file piece by piece, as it comes from the disk.
class TextHeightParser {
public:
    // The next piece of the file; false once it cannot be a height file (Finish says why).
    bool Feed(std::string_view piece);
    // After the last piece: the heights, or why the file is not a height file.
    Result<ImportedHeightmap> Finish();

private:
    bool EndNumber();
    bool Fail(std::string reason);

    std::vector<float> m_values;
    std::string m_number;
    bool m_atStart = true;
    std::string m_failure;
};

// Streams the file at path through TextHeightParser.
Result<ImportedHeightmap> ReadTextHeightmap(const std::string& path);

// The file's contents for heights: for a 65 grid the classic 4096 numbers as the editor has
// always saved them (six significant digits, as printf's %g), for any other side n = 2^k + 1 all
// n^2 numbers in the shortest form that reads back exactly. Fails for other sides.
Result<> WriteTextHeights(const Heightfield& heights, ContentSink& sink);
