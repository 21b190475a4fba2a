#include "Engines/GpuGlProgram.h"

#include <string>

#include "Engines/GPUBenchmarkError.h"
#include "Engines/GpuShaderSource.h"

namespace zantiva {
namespace {

template <typename GetLength, typename GetLog> std::string infoLog(GLuint object, GetLength getLength, GetLog getLog) {
    GLint length = 0;
    getLength(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    GLsizei written = 0;
    getLog(object, static_cast<GLsizei>(log.size()), &written, log.data());
    log.resize(static_cast<std::size_t>(written));
    while (!log.empty() && (log.back() == '\n' || log.back() == ' ')) log.pop_back();
    return log;
}

GLuint compile(GLenum stage, std::string_view entryPoint) {
    const std::string text = gpuShaderStage(entryPoint);
    const GLuint shader = glCreateShader(stage);
    if (shader == 0) throw GPUBenchmarkError::resourceAllocation();
    const char* data = text.c_str();
    glShaderSource(shader, 1, &data, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        const std::string log = infoLog(shader, glGetShaderiv, glGetShaderInfoLog);
        glDeleteShader(shader);
        throw GPUBenchmarkError::shaderCompilation(std::string(entryPoint) + ": " + log);
    }
    return shader;
}

} // namespace

GpuGlProgram::GpuGlProgram(std::string_view vertexEntry, std::string_view fragmentEntry) {
    const GLuint vertex = compile(GL_VERTEX_SHADER, vertexEntry);
    GLuint fragment = 0;
    try {
        fragment = compile(GL_FRAGMENT_SHADER, fragmentEntry);
    } catch (...) {
        glDeleteShader(vertex);
        throw;
    }
    program_ = glCreateProgram();
    if (program_ != 0) {
        glAttachShader(program_, vertex);
        glAttachShader(program_, fragment);
        glLinkProgram(program_);
    }
    // The program keeps what it linked; the shader objects are no longer needed.
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    if (program_ == 0) throw GPUBenchmarkError::resourceAllocation();
    GLint ok = GL_FALSE;
    glGetProgramiv(program_, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        const std::string log = infoLog(program_, glGetProgramiv, glGetProgramInfoLog);
        glDeleteProgram(program_);
        throw GPUBenchmarkError::shaderCompilation(std::string(fragmentEntry) + ": " + log);
    }
}

GpuGlProgram::~GpuGlProgram() { glDeleteProgram(program_); }

} // namespace zantiva
