#pragma once

#include <GLES3/gl32.h>

#include <string_view>

namespace zantiva {

// A linked OpenGL ES program of two entry points of the scene's shader text. Needs a
// current context; throws GPUBenchmarkError::shaderCompilation with the compiler's or
// linker's log.
class GpuGlProgram {
public:
    GpuGlProgram(std::string_view vertexEntry, std::string_view fragmentEntry);
    ~GpuGlProgram();
    GpuGlProgram(const GpuGlProgram&) = delete;
    GpuGlProgram& operator=(const GpuGlProgram&) = delete;

    GLuint id() const { return program_; }
    // -1 when the program does not use the uniform (GL then ignores the value).
    GLint uniform(const char* name) const { return glGetUniformLocation(program_, name); }

private:
    GLuint program_ = 0;
};

} // namespace zantiva
