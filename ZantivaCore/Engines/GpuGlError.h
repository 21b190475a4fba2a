#pragma once

#include <GLES3/gl32.h>

#include <string>

namespace zantiva {

// The first pending OpenGL ES error, clearing every pending one; GL_NO_ERROR when none.
GLenum takeGlError();

// How the driver's failure reads in GPUBenchmarkError's detail ("OpenGL ES error
// GL_OUT_OF_MEMORY"); empty for GL_NO_ERROR.
std::string glErrorText(GLenum error);

} // namespace zantiva
