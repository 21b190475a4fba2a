#pragma once

#include <GLES3/gl32.h>

#include <string>

namespace zantiva {

// The first pending OpenGL ES error, clearing every pending one; GL_NO_ERROR when none.
GLenum takeGlError();

// The driver's failure by its GL name ("GL_OUT_OF_MEMORY", or the number in hex when it has
// none); empty for GL_NO_ERROR.
std::string glErrorName(GLenum error);

} // namespace zantiva
