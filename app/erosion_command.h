// Terrain > Erode: the document's terrain eroded by water (droplets) or by slumping (talus
// angle) on the background job, whatever the terrain's side, so that the window keeps moving and
// the status bar offers Cancel. The result is one undo step ("Erode"); a cancelled job changes
// nothing, and a failure names its reason on the status line.
#pragma once

#include "terrain/erosion_hydraulic.h"
#include "terrain/erosion_thermal.h"

#include <variant>

class CEditorCommands;

using ErosionChoice = std::variant<HydraulicErosionParameters, ThermalErosionParameters>;

// The heights eroded as choice says, on the calling thread.
Result<Heightfield> ErodedHeights(const Heightfield& heights, const ErosionChoice& choice, Progress* progress);
// Starts the erosion; refused with the status message while another job runs.
void Erode(CEditorCommands& commands, const ErosionChoice& choice);
