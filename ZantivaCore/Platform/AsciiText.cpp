#include "Platform/AsciiText.h"

#include <algorithm>

namespace zantiva::ascii {

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

} // namespace zantiva::ascii
