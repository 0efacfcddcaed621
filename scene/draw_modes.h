// How primitives fill and shade their triangles. The scene stores these; the device-bound draw
// helper turns them into the device's render states.
#pragma once

// Triangles as their corner points, as their edges, or filled.
enum class TQR_FillMode { Points = 0, Wireframe = 1, Solid = 2 };

// One colour per triangle (its first vertex's), or colours blended across it (Gouraud).
enum class TQR_ShadeMode { Flat = 0, Smooth = 1 };
