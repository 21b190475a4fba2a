#pragma once

#include <string>
#include <string_view>

namespace zantiva {

// The scene's shader program is one GLSL ES 3.20 text with the three entry points
// "vertexMain", "raymarchFragment" and "resolveFragment", carried in the program and
// compiled at run time. This is the text that compiles one entry point as its stage's main().
std::string gpuShaderStage(std::string_view entryPoint);

} // namespace zantiva
