// OpenGL declarations for the device's implementation files. Entry points up to OpenGL 4.5
// are called directly: glvnd's libOpenGL exports every one and dispatches to the current context.
#pragma once

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
