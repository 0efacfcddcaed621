// The airplane of the scene, made of simple lofted parts. It is about 10 units long and drawn
// at a fifth of its size. Nose towards -z (the direction it flies), up +y, wings along x.
#pragma once

#include "tools/mesh_builder.h"
#include "tools/mesh_file.h"

#include <vector>

// Subsets, in drawing order. The fuselage comes first: its material names the skin texture.
enum AirplaneSubset : DWORD { kAirplaneFuselage = 0, kAirplaneWings = 1, kAirplaneCanopy = 2 };

MeshBuilder BuildAirplane();
// One material per subset; the fuselage's names the skin texture.
std::vector<MaterialEntry> AirplaneMaterials();
