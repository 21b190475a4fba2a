#pragma once

// What in a program's printed output could drive a terminal, for the tests that feed it
// hostile text: every C0 control but the line feed, DEL, every C1 control (U+0080-U+009F)
// and every byte that isn't valid UTF-8.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "Localization/UnicodeText.h"

namespace zantiva::testing {

// Each such character as its bytes in hex ("1b", "c2 9b", "9b"), in order: empty for
// output that is safe to print.
inline std::vector<std::string> terminalControlsIn(std::string_view text) {
    std::vector<std::string> found;
    unicode::forEachCodePoint(text, [&](std::int32_t c, std::string_view piece) {
        if (c == '\n' || (c >= 0x20 && c < 0x7F) || c > 0x9F) return;
        std::string bytes;
        for (const unsigned char byte : piece) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02x", byte);
            bytes += (bytes.empty() ? "" : " ") + std::string(hex);
        }
        found.push_back(bytes);
    });
    return found;
}

} // namespace zantiva::testing
