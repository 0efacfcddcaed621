// The small questions the terrain commands ask: the height range a file without one stands for,
// the side to resample to, and the triangle count of an exported mesh. Each is a modal Qt dialog
// with named widgets, so that tests answer it through the widgets (see the object names).
#pragma once

#include "formats/height_range.h"

#include <QString>

#include <optional>

class QWidget;

// "heightRangeDialog" with the spin boxes "lowHeight" and "highHeight", set to suggested. The
// chosen range, or none when the user cancelled.
std::optional<HeightRange> AskHeightRange(QWidget* owner, const QString& fileName, HeightRange suggested);
// "sideDialog", a QInputDialog listing the supported sides, current selected.
std::optional<int> AskSide(QWidget* owner, const QString& title, int current);
// "triangleDialog", a QInputDialog: at most this many triangles, 0 for every triangle.
std::optional<int> AskTriangleCount(QWidget* owner, int fullCount);
