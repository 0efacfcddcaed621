// The textures of the data set, painted by code.
#pragma once

#include "tools/rgb_image.h"

// The airplane's skin, in the bands of airplane_skin_layout.h: a light fuselage with a red and
// blue cheat line, a dark nose and panel lines; grey wings with red tips; a tinted canopy.
RgbImage PaintAirplaneSkin();

// A grassy ground texture with darker and lighter patches, bare earth and fine speckle, that
// tiles seamlessly; for "Load Texture" on the terrain.
RgbImage PaintGrass();
