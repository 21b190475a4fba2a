#include "Engines/GpuGlError.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <utility>

namespace zantiva {
namespace {

// A lost context keeps reporting; a handful of reads drains any real backlog.
constexpr int mostPendingErrors = 16;

constexpr std::array<std::pair<GLenum, std::string_view>, 7> errorNames{{
    {GL_INVALID_ENUM, "GL_INVALID_ENUM"},
    {GL_INVALID_VALUE, "GL_INVALID_VALUE"},
    {GL_INVALID_OPERATION, "GL_INVALID_OPERATION"},
    {GL_INVALID_FRAMEBUFFER_OPERATION, "GL_INVALID_FRAMEBUFFER_OPERATION"},
    {GL_OUT_OF_MEMORY, "GL_OUT_OF_MEMORY"},
    {GL_STACK_OVERFLOW, "GL_STACK_OVERFLOW"},
    {GL_CONTEXT_LOST, "GL_CONTEXT_LOST"},
}};

} // namespace

GLenum takeGlError() {
    GLenum first = GL_NO_ERROR;
    for (int i = 0; i < mostPendingErrors; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        if (first == GL_NO_ERROR) first = error;
    }
    return first;
}

std::string glErrorName(GLenum error) {
    if (error == GL_NO_ERROR) return {};
    for (const auto& [code, name] : errorNames)
        if (code == error) return std::string(name);
    std::array<char, 16> hex{};
    std::snprintf(hex.data(), hex.size(), "0x%04X", error);
    return hex.data();
}

} // namespace zantiva
