// Whether the OpenGL device can be made here, for tests that need it and skip without it.
#pragma once

// What tests say when they skip because no device can be made.
inline constexpr const char* kNoDeviceReason = "no OpenGL context through EGL on the Mesa surfaceless platform";

// Makes a Direct3D object and releases it again: false when no OpenGL context can be made.
bool CanCreateD3D9Device();
